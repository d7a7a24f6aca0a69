#include "fieldevents/horizontalfieldeventparticipationviewwithfrozencolumns.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>

#include "fieldevents/highlightdelegate.h"

HorizontalFieldEventParticipationViewWithFrozenColumns::HorizontalFieldEventParticipationViewWithFrozenColumns(
    QWidget *parent)
    : QTableView(parent)
    , m_frozenView(new QTableView(this))
    , m_highlightDelegate(new HighlightDelegate(this))
{
    m_frozenView->setObjectName(QStringLiteral("tblFrozenColumns"));
    m_frozenView->viewport()->installEventFilter(this);
    m_frozenView->setItemDelegate(m_highlightDelegate);
    m_frozenView->hide();

    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            &HorizontalFieldEventParticipationViewWithFrozenColumns::updateSectionWidth);
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            &HorizontalFieldEventParticipationViewWithFrozenColumns::updateSectionHeight);

    connect(m_frozenView->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, m_frozenView->verticalScrollBar(),
            &QAbstractSlider::setValue);

    connect(m_frozenView, &QAbstractItemView::pressed, this,
            &HorizontalFieldEventParticipationViewWithFrozenColumns::onParticipantCellPressed);
    connect(m_frozenView, &QAbstractItemView::doubleClicked, this,
            &HorizontalFieldEventParticipationViewWithFrozenColumns::onParticipantCellDoubleClicked);

    m_longPressTimer.setSingleShot(true);
    m_longPressTimer.setInterval(LongPressDelay);
    connect(&m_longPressTimer, &QTimer::timeout, this,
            &HorizontalFieldEventParticipationViewWithFrozenColumns::onLongPressTimeout);
}

void HorizontalFieldEventParticipationViewWithFrozenColumns::setModel(QAbstractItemModel *model)
{
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    QTableView::setModel(model);
    m_model = model;
    initFrozenView();
    if (model) {
        // The grid gains height columns during a vertical event and is reset
        // when a heat is reloaded; the fixed part must never show them.
        // Connected after the frozen view's header, so that the header has
        // made its new sections before they are hidden here.
        connect(model, &QAbstractItemModel::columnsInserted, this,
                &HorizontalFieldEventParticipationViewWithFrozenColumns::updateHiddenFrozenColumns);
        connect(model, &QAbstractItemModel::modelReset, this,
                &HorizontalFieldEventParticipationViewWithFrozenColumns::updateHiddenFrozenColumns);
        connect(model, &QAbstractItemModel::layoutChanged, this,
                &HorizontalFieldEventParticipationViewWithFrozenColumns::updateHiddenFrozenColumns);
    }
}

void HorizontalFieldEventParticipationViewWithFrozenColumns::initFrozenView()
{
    m_frozenView->setModel(model());
    if (!model()) {
        m_frozenView->hide();
        return;
    }
    m_frozenView->setSelectionModel(selectionModel());
    m_frozenView->setFocusPolicy(Qt::NoFocus);
    m_frozenView->verticalHeader()->hide();
    m_frozenView->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    viewport()->stackUnder(m_frozenView);
    m_frozenView->setStyleSheet(QStringLiteral("QTableView { border: none;background-color: rgb(215, 222, 240);"
                                               "selection-background-color: rgb(255, 255, 255);}"));

    m_frozenView->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    updateHiddenFrozenColumns();

    m_frozenView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozenView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozenView->show();
    updateFrozenGeometry();

    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);
    m_frozenView->setVerticalScrollMode(ScrollPerPixel);
    m_frozenView->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

void HorizontalFieldEventParticipationViewWithFrozenColumns::updateHiddenFrozenColumns()
{
    const QAbstractItemModel *grid = model();
    if (!grid)
        return;
    const int columns = grid->columnCount(rootIndex());
    for (int column = 0; column < columns; ++column) {
        if (column < FrozenColumns) {
            m_frozenView->setColumnHidden(column, false);
            m_frozenView->setColumnWidth(column, columnWidth(column));
        } else {
            m_frozenView->setColumnHidden(column, true);
        }
    }
    for (int row = 0; row < grid->rowCount(rootIndex()); ++row) {
        if (m_frozenView->rowHeight(row) != rowHeight(row))
            m_frozenView->setRowHeight(row, rowHeight(row));
    }
    updateFrozenGeometry();
}

int HorizontalFieldEventParticipationViewWithFrozenColumns::frozenWidth() const
{
    int width = 0;
    const int columns = model() ? std::min(FrozenColumns, model()->columnCount(rootIndex())) : 0;
    for (int column = 0; column < columns; ++column)
        width += m_frozenView->columnWidth(column);
    return width;
}

void HorizontalFieldEventParticipationViewWithFrozenColumns::updateFrozenGeometry()
{
    // The fixed part's header must be exactly as tall as this view's, or its
    // rows would sit a few pixels off the rows they belong to.
    if (m_frozenView->horizontalHeader()->height() != horizontalHeader()->height())
        m_frozenView->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    const int left = (verticalHeader()->isHidden() ? 0 : verticalHeader()->width()) + frameWidth();
    m_frozenView->setGeometry(left, frameWidth(), frozenWidth(), horizontalHeader()->height() + viewport()->height());
}

void HorizontalFieldEventParticipationViewWithFrozenColumns::updateSectionWidth(int logicalIndex, int oldSize,
                                                                                int newSize)
{
    Q_UNUSED(oldSize)
    if (logicalIndex >= FrozenColumns)
        return;
    m_frozenView->setColumnWidth(logicalIndex, newSize);
    updateFrozenGeometry();
}

void HorizontalFieldEventParticipationViewWithFrozenColumns::updateSectionHeight(int logicalIndex, int oldSize,
                                                                                 int newSize)
{
    Q_UNUSED(oldSize)
    m_frozenView->setRowHeight(logicalIndex, newSize);
}

void HorizontalFieldEventParticipationViewWithFrozenColumns::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    updateFrozenGeometry();
}

void HorizontalFieldEventParticipationViewWithFrozenColumns::updateGeometries()
{
    // Headers and scroll bars that come or go move the viewport; the fixed
    // part follows it.
    QTableView::updateGeometries();
    updateFrozenGeometry();
}

QModelIndex HorizontalFieldEventParticipationViewWithFrozenColumns::moveCursor(CursorAction cursorAction,
                                                                               Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
    if (cursorAction == MoveLeft && current.column() >= FrozenColumns) {
        const int left = visualRect(current).left();
        const int frozen = frozenWidth();
        if (left < frozen)
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() - (frozen - left));
    }
    return current;
}

void HorizontalFieldEventParticipationViewWithFrozenColumns::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (index.column() <= 0)
        return;
    if (index.column() >= FrozenColumns) {
        QTableView::scrollTo(index, hint);
        return;
    }
    // The fixed columns are always in sight in the frozen part: bring the row
    // into view but leave the attempt columns where the judge put them.
    const int horizontal = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    horizontalScrollBar()->setValue(horizontal);
}

void HorizontalFieldEventParticipationViewWithFrozenColumns::switchHighlightOff()
{
    m_highlightDelegate->setHighlightOn(false);
    m_frozenView->viewport()->update();
}

bool HorizontalFieldEventParticipationViewWithFrozenColumns::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_frozenView->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
            emit mousePress(pos);
            m_pressPosition = pos;
            m_longPressed = false;
            switchHighlightOff();
            m_longPressTimer.start();
            break;
        }
        case QEvent::MouseMove: {
            const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
            emit mouseMove(pos);
            if ((pos - m_pressPosition).manhattanLength() >= LongPressSlop) {
                m_longPressTimer.stop();
                m_longPressed = false;
                switchHighlightOff();
            }
            break;
        }
        case QEvent::MouseButtonRelease: {
            const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
            emit mouseRelease(pos);
            m_longPressTimer.stop();
            if (m_longPressed)
                emit longPressReleased(m_frozenView->indexAt(m_pressPosition), pos);
            m_longPressed = false;
            switchHighlightOff();
            break;
        }
        default:
            break;
        }
    }
    return QTableView::eventFilter(watched, event);
}

void HorizontalFieldEventParticipationViewWithFrozenColumns::onLongPressTimeout()
{
    m_longPressed = true;
    m_pressedIndex = m_frozenView->indexAt(m_pressPosition);
    emit longPressStarted(m_pressedIndex, m_pressPosition);
    m_highlightDelegate->setHighlightedIndex(m_pressedIndex);
    m_highlightDelegate->setHighlightOn(true);
    viewport()->update();
    m_frozenView->viewport()->update();
}

void HorizontalFieldEventParticipationViewWithFrozenColumns::onParticipantCellPressed(const QModelIndex &index)
{
    emit pressed(index);
}

void HorizontalFieldEventParticipationViewWithFrozenColumns::onParticipantCellDoubleClicked(const QModelIndex &index)
{
    emit doubleClicked(index);
}

void HorizontalFieldEventParticipationViewWithFrozenColumns::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit mousePress(event->position().toPoint());
    QTableView::mousePressEvent(event);
}

void HorizontalFieldEventParticipationViewWithFrozenColumns::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        emit mouseRelease(event->position().toPoint());
        viewport()->update();
    }
    QTableView::mouseReleaseEvent(event);
}

void HorizontalFieldEventParticipationViewWithFrozenColumns::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMove(event->position().toPoint());
    QTableView::mouseMoveEvent(event);
}
