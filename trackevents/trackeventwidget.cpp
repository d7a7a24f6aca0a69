#include "trackevents/trackeventwidget.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/animatedbutton.h"
#include "records/participation.h"
#include "sync/databaseconnection.h"
#include "sync/heatwaitingbanner.h"
#include "trackevents/buttoncolumndelegate.h"
#include "trackevents/laneselectiondialog.h"
#include "trackevents/resultselectiondialog.h"
#include "trackevents/trackparticipantsmodel.h"
#include "trackevents/trackparticipantssortfiltermodel.h"
#include "trackevents/tracktableview.h"

namespace {

const QSize ButtonSize(72, 72);
const QSize ButtonIconSize(64, 64);

AnimatedButton *imageButton(const char *objectName, const QString &image)
{
    auto *button = new AnimatedButton;
    button->setObjectName(QLatin1String(objectName));
    button->setFlat(true);
    button->setFixedSize(ButtonSize);
    button->setIconSize(ButtonIconSize);
    button->setIcons(QIcon(QStringLiteral(":/fieldtablet/icons/fieldtablet/%1.png").arg(image)),
                     QIcon(QStringLiteral(":/fieldtablet/icons/fieldtablet/%1_active.png").arg(image)));
    return button;
}

} // namespace

TrackEventWidget::TrackEventWidget(QWidget *parent)
    : QWidget(parent)
    , m_model(new TrackParticipantsModel(this))
    , m_proxy(new TrackParticipantsSortFilterModel(this))
{
    setObjectName(QStringLiteral("TrackEventWidget"));
    m_proxy->setSourceModel(m_model);
    buildForm();
    retranslate();
    updateNavigationButtons();
    updateResetButton();

    connect(m_model, &TrackParticipantsModel::results_received, this, &TrackEventWidget::onResultsReceived);
    connect(m_proxy, &TrackParticipantsSortFilterModel::lanes_moved, this, &TrackEventWidget::onLanesMoved);
    connect(m_delegate, &ButtonColumnDelegate::button_clicked, this, &TrackEventWidget::onButtonClicked);
    connect(m_btnPrevious, &AnimatedButton::clicked, this, &TrackEventWidget::onBtnPreviousClicked);
    connect(m_btnNext, &AnimatedButton::clicked, this, &TrackEventWidget::onBtnNextClicked);
    connect(m_btnResetLanes, &AnimatedButton::clicked, this, &TrackEventWidget::onBtnResetLanesClicked);
    connect(m_table, &TrackTableView::mousePress, this, &TrackEventWidget::onParticipantMousePress);
    connect(m_table, &TrackTableView::mouseRelease, this, &TrackEventWidget::onParticipantMouseRelease);
    connect(m_table, &TrackTableView::mouseMove, this, &TrackEventWidget::onParticipantMouseMove);
    connect(m_lblHeatMessage, &HeatWaitingBanner::waitingChanged, this, &TrackEventWidget::updateResetButton);
}

TrackEventWidget::~TrackEventWidget()
{
    // The table must let go of the proxy before the models go.
    m_table->setModel(nullptr);
}

void TrackEventWidget::buildForm()
{
    m_btnPrevious = imageButton("btnPrevious", QStringLiteral("buttonleft_9"));
    m_btnNext = imageButton("btnNext", QStringLiteral("buttonright_9"));
    m_btnResetLanes = imageButton("btnResetLanes", QStringLiteral("buttonupdate_9"));

    m_lblEventName = new QLabel;
    m_lblEventName->setObjectName(QStringLiteral("lblEventName"));
    m_lblEventName->setAlignment(Qt::AlignCenter);
    QFont titleFont = m_lblEventName->font();
    titleFont.setBold(true);
    m_lblEventName->setFont(titleFont);

    m_lblHeatMessage = new HeatWaitingBanner;
    m_lblLaneWarning = new QLabel;
    m_lblLaneWarning->setObjectName(QStringLiteral("lblLaneWarning"));
    m_lblLaneWarning->setWordWrap(true);
    m_lblLaneWarning->setStyleSheet(QStringLiteral("background-color: rgb(255, 236, 179); padding: 6px;"));
    m_lblLaneWarning->hide();

    m_table = new TrackTableView;
    m_table->setObjectName(QStringLiteral("tblTrackParticipantsView"));
    m_table->setModel(m_proxy);
    m_delegate = new ButtonColumnDelegate(m_table);
    m_table->setItemDelegate(m_delegate);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setDragEnabled(true);
    m_table->setAcceptDrops(true);
    m_table->setDragDropMode(QAbstractItemView::InternalMove);
    m_table->setDefaultDropAction(Qt::MoveAction);
    // A row is always dropped onto another row, never between two: the lane
    // it takes is that row's.
    m_table->setDragDropOverwriteMode(true);
    m_table->setDropIndicatorShown(true);
    m_table->setSortingEnabled(true);
    m_table->horizontalHeader()->hide();
    m_table->verticalHeader()->hide();
    m_table->hideColumn(TrackParticipantsModel::LocalIdColumn);
    m_table->hideColumn(TrackParticipantsModel::IdColumn);
    QHeaderView *header = m_table->horizontalHeader();
    header->setSectionResizeMode(TrackParticipantsModel::BibColumn, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(TrackParticipantsModel::InfoColumn, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(TrackParticipantsModel::NameColumn, QHeaderView::Stretch);

    auto *top = new QHBoxLayout;
    top->addWidget(m_btnPrevious);
    top->addWidget(m_lblEventName, 1);
    top->addWidget(m_btnResetLanes);
    top->addWidget(m_btnNext);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_lblHeatMessage);
    layout->addWidget(m_lblLaneWarning);
    layout->addWidget(m_table, 1);
}

void TrackEventWidget::retranslate()
{
    m_btnPrevious->setToolTip(tr("Go to the previous heat"));
    m_btnNext->setToolTip(tr("Go to the next heat"));
    updateResetButton();
}

void TrackEventWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        // The result words (DNS, DQ, ...) are translated too.
        m_model->refresh();
    }
    QWidget::changeEvent(event);
}

QString TrackEventWidget::eventTitle(const QVariantMap &eventData)
{
    const QString eventName = eventData.value(QStringLiteral("event.eventName")).toString().trimmed();
    const QString roundName = eventData.value(QStringLiteral("event.roundName")).toString();
    const QString seqno = eventData.value(QStringLiteral("event.seqno")).toString();
    if (roundName.isEmpty())
        return QString();
    if (roundName == QLatin1String("*"))
        return QStringLiteral("%1 - %2").arg(eventName, seqno);
    return QStringLiteral("%1 - %2 - %3").arg(eventName, roundName.trimmed(), seqno);
}

void TrackEventWidget::setDisqualificationRules(const QList<DisqualificationRule> &rules)
{
    m_rules = rules;
}

void TrackEventWidget::setEvent(DatabaseConnection *connection, const QVariantMap &eventData)
{
    m_connection = connection;
    m_eventData = eventData;
    m_lblEventName->setText(eventTitle(eventData));
    m_lblHeatMessage->follow(connection, eventData.value(QStringLiteral("event.id")).toUInt());
    // The connection lets go of the previous heat's records when it loads
    // another one; no row may keep pointing at them.
    m_model->clear();
    updateResetButton();
    if (m_connection)
        m_connection->loadHeat(eventData, m_model);
}

void TrackEventWidget::setNavigation(const QModelIndex &previous, const QModelIndex &next)
{
    m_previous = previous;
    m_next = next;
    updateNavigationButtons();
}

void TrackEventWidget::updateNavigationButtons()
{
    m_btnPrevious->setEnabled(m_previous.isValid());
    m_btnNext->setEnabled(m_next.isValid());
}

void TrackEventWidget::updateResetButton()
{
    m_lanesUnchanged = m_model->lanesUnchanged();
    // While the heat waits for the server the button asks for it again.
    const bool waiting = m_lblHeatMessage->isWaiting();
    m_btnResetLanes->setEnabled(waiting || !m_lanesUnchanged);
    m_btnResetLanes->setToolTip(waiting ? tr("Load this heat again") : tr("Reset lanes to initial value"));
    updateLaneWarning();
}

void TrackEventWidget::updateLaneWarning()
{
    QStringList lines;
    for (const QList<Participation *> &lane : m_model->sharedLanes()) {
        QStringList athletes;
        for (const Participation *participation : lane)
            athletes.append(QStringLiteral("%1 %2").arg(participation->bib(), participation->displayName()).trimmed());
        const QString last = athletes.takeLast();
        lines.append(tr("Lane %1 is shared: %2 and %3")
                         .arg(lane.first()->initial_order)
                         .arg(athletes.join(QStringLiteral(", ")), last));
    }
    m_lblLaneWarning->setText(lines.join(QLatin1Char('\n')));
    m_lblLaneWarning->setVisible(!lines.isEmpty());
}

void TrackEventWidget::onResultsReceived()
{
    m_lblHeatMessage->heatArrived();
    updateResetButton();
}

void TrackEventWidget::onLanesMoved(QVariantList changes)
{
    updateResetButton();
    if (!m_connection)
        return;
    for (const QVariant &change : std::as_const(changes)) {
        const QVariantMap map = change.toMap();
        Participation *participation = m_model->participationByLocalId(map.value(QStringLiteral("localID")).toUInt());
        if (participation)
            m_connection->setParticipationOrder(participation, map.value(QStringLiteral("initial_order")).toUInt());
    }
}

void TrackEventWidget::onBtnResetLanesClicked()
{
    if (m_lblHeatMessage->isWaiting()) {
        if (m_connection)
            m_connection->loadHeat(m_eventData, m_model);
        return;
    }
    m_model->resetLanes();
    if (m_connection) {
        for (Participation *participation : m_model->participations())
            m_connection->setParticipationOrder(participation, participation->initial_order);
    }
    updateResetButton();
}

void TrackEventWidget::openNeighbour(const QPersistentModelIndex &neighbour)
{
    // A copy: the main window hands new neighbours over while the signal runs.
    const QModelIndex index = neighbour;
    if (!index.isValid()) {
        updateNavigationButtons();
        return;
    }
    // Emptied before the signal, not after: the main window loads the new
    // heat into this screen while the signal runs, and a heat cached in the
    // store arrives at once.
    m_model->clear();
    updateResetButton();
    emit openTrackEvent(index);
}

void TrackEventWidget::onBtnPreviousClicked()
{
    openNeighbour(m_previous);
}

void TrackEventWidget::onBtnNextClicked()
{
    openNeighbour(m_next);
}

void TrackEventWidget::onButtonClicked(QString text, uint localID, uint lane, QString bib, QString name, QString info)
{
    if (text == ButtonColumnDelegate::LaneButton)
        runLaneDialog(localID, lane, bib, name, info);
    else if (text == ButtonColumnDelegate::ResultButton)
        runResultDialog(localID, lane, bib, name, info);
}

void TrackEventWidget::runLaneDialog(uint localId, uint lane, const QString &bib, const QString &name,
                                     const QString &info)
{
    LaneSelectionDialog dialog(localId, lane, bib, name, info, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Looked up after the dialog: the heat may have been reloaded meanwhile.
    Participation *participation = m_model->participationByLocalId(localId);
    if (!participation || !m_connection)
        return;
    participation->initial_order = dialog.lane();
    m_model->refresh();
    m_connection->setParticipationOrder(participation, dialog.lane());
    updateResetButton();
}

void TrackEventWidget::runResultDialog(uint localId, uint lane, const QString &bib, const QString &name,
                                       const QString &info)
{
    ResultSelectionDialog dialog(m_rules, localId, lane, bib, name, info, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Participation *participation = m_model->participationByLocalId(localId);
    if (!participation || !m_connection)
        return;
    // The connection stores the result with its pending action, posts it as
    // new, update or delete, and disposes of a removed result.
    m_connection->setTrackResult(participation, dialog.value(), dialog.text());
    m_model->refresh();
}

void TrackEventWidget::onParticipantMousePress(QPoint pos)
{
    m_dragScroller.press(pos);
}

void TrackEventWidget::onParticipantMouseRelease(QPoint pos)
{
    Q_UNUSED(pos)
    m_dragScroller.release();
}

void TrackEventWidget::onParticipantMouseMove(QPoint pos)
{
    const bool hasRows = m_proxy->rowCount() > 0;
    m_dragScroller.move(pos, hasRows ? m_table->rowHeight(0) : 0, hasRows, m_table->verticalScrollBar());
}
