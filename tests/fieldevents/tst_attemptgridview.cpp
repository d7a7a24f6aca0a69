#include <QDir>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "fieldevents/fieldeventparticipantsdelegate.h"
#include "fieldevents/fieldeventparticipantsmodel.h"
#include "fieldevents/fieldeventparticipantssortmodel.h"
#include "fieldevents/fieldeventranking.h"
#include "fieldevents/highlightdelegate.h"
#include "fieldevents/horizontalfieldeventparticipationviewwithfrozencolumns.h"
#include "heatbuilder.h"
#include "support/testsupport.h"

using GridView = HorizontalFieldEventParticipationViewWithFrozenColumns;

namespace {

// A heat in the grid model and its sort model, as the field event screen
// builds them.
struct Grid
{
    Grid(const QString &fieldType, const QStringList &cards, const QVariantList &heights = {}, int attempts = 6)
        : model(QVariantMap{{QStringLiteral("fieldType"), fieldType},
                            {QStringLiteral("attempts"), attempts},
                            {QStringLiteral("heights"), heights}})
    {
        heat = HeatBuilder::heat(cards, fieldType.isEmpty() ? QChar() : fieldType.at(0));
        // Without a store every participation would have local id 0, and the
        // model tells rows apart by it.
        for (int i = 0; i < heat.size(); ++i)
            heat.at(i)->id = unsigned(i + 1);
        model.participationsReceived(QStringLiteral("1"), heat);
        sort.setSourceModel(&model);
    }
    ~Grid() { qDeleteAll(heat); }

    Participation *byName(const QString &name) const
    {
        for (Participation *p : heat) {
            if (p->displayName() == name)
                return p;
        }
        return nullptr;
    }

    QList<Participation *> heat;
    FieldEventParticipantsModel model;
    FieldEventParticipantsSortModel sort;
};

const QStringList verticalCards{
    QStringLiteral("Ada Brink: 1.70 O, 1.75 XO, 1.80 O, 1.85 XXX"),
    QStringLiteral("Bea Claes: 1.70 -, 1.75 -, 1.80 XO, 1.85 XXX"),
    QStringLiteral("Cor Dekker: 1.70 O, 1.75 XXX"),
    QStringLiteral("Dora Eyck: 1.70 XO, 1.75 O, 1.80 XXO, 1.85 XXX"),
};
const QVariantList verticalHeights{1.70, 1.75, 1.80, 1.85};

int visibleColumns(const QTableView *view)
{
    int count = 0;
    for (int column = 0; column < view->model()->columnCount(); ++column) {
        if (!view->isColumnHidden(column))
            ++count;
    }
    return count;
}

// Pixels of the marker's blue in a rectangle of an image; no cell colour,
// text or grid line of the grid has them.
int markerPixels(const QImage &image, const QRect &rect)
{
    int count = 0;
    for (int y = std::max(0, rect.top()); y <= std::min(image.height() - 1, rect.bottom()); ++y) {
        for (int x = std::max(0, rect.left()); x <= std::min(image.width() - 1, rect.right()); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() >= 60 && c.red() <= 40 && c.blue() - c.red() >= 50)
                ++count;
        }
    }
    return count;
}

QColor blend(const QColor &under, const QColor &over)
{
    const double a = over.alphaF();
    return QColor(qRound(under.red() * (1 - a) + over.red() * a), qRound(under.green() * (1 - a) + over.green() * a),
                  qRound(under.blue() * (1 - a) + over.blue() * a));
}

bool near(const QColor &a, const QColor &b)
{
    return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2 &&
           std::abs(a.blue() - b.blue()) <= 2;
}

void showView(GridView &view, const QSize &size = QSize(700, 300))
{
    view.resize(size);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
}

} // namespace

class TestAttemptGridView : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void frozenPart_showsOnlyFixedColumns_data();
    void frozenPart_showsOnlyFixedColumns();
    void frozenPart_afterColumnsChange_showsOnlyFixedColumns_data();
    void frozenPart_afterColumnsChange_showsOnlyFixedColumns();
    void frozenPart_geometryFollowsColumnsAndHeaders();
    void frozenPart_scrollsVerticallyWithGrid();

    void longPress_data();
    void longPress();
    void touchesOnScrollingPart_data();
    void touchesOnScrollingPart();
    void tapOnFrozenCell_reportedAsViewSignal_keepsAttemptsInSight_data();
    void tapOnFrozenCell_reportedAsViewSignal_keepsAttemptsInSight();
    void cursorLeft_neverEndsUnderFrozenPart();

    void startMarker_data();
    void startMarker();

    void verticalGridPicture();
};

// ---------------------------------------------------------------------------
// The frozen part

void TestAttemptGridView::frozenPart_showsOnlyFixedColumns_data()
{
    QTest::addColumn<QString>("fieldType");
    QTest::addColumn<QVariantList>("heights");
    QTest::addColumn<int>("columns");
    QTest::newRow("five-column grid hides nothing") << QString() << QVariantList() << 5;
    QTest::newRow("vertical grid before the first height") << QStringLiteral("V") << QVariantList() << 5;
    QTest::newRow("horizontal, six attempts") << QStringLiteral("H") << QVariantList() << 11;
    QTest::newRow("vertical, four heights") << QStringLiteral("V") << verticalHeights << 9;
}

void TestAttemptGridView::frozenPart_showsOnlyFixedColumns()
{
    QFETCH(QString, fieldType);
    QFETCH(QVariantList, heights);
    QFETCH(int, columns);

    Grid grid(fieldType,
              fieldType == QLatin1String("H") ? QStringList{QStringLiteral("Ada Brink: 6.10 X 6.32")}
                                              : QStringList{QStringLiteral("Ada Brink: 1.70 O")},
              heights);
    GridView view;
    view.setModel(&grid.sort);
    showView(view);

    QTableView *frozen = view.frozenView();
    QCOMPARE(grid.sort.columnCount(), columns);
    QCOMPARE(frozen->model(), view.model());
    QCOMPARE(frozen->selectionModel(), view.selectionModel());
    QCOMPARE(visibleColumns(frozen), 5);
    QCOMPARE(visibleColumns(&view), columns);
    for (int column = 0; column < 5; ++column)
        QCOMPARE(frozen->columnWidth(column), view.columnWidth(column));
    QCOMPARE(frozen->width(), view.frozenWidth());
    QVERIFY(frozen->isVisible());
    QCOMPARE(frozen->focusPolicy(), Qt::NoFocus);
}

void TestAttemptGridView::frozenPart_afterColumnsChange_showsOnlyFixedColumns_data()
{
    QTest::addColumn<int>("change");
    QTest::addColumn<int>("columns");
    QTest::newRow("height added between two heights") << 0 << 10;
    QTest::newRow("jump-off column added at the end") << 1 << 10;
    QTest::newRow("heights replaced at once") << 2 << 12;
    QTest::newRow("first height of an empty grid") << 3 << 6;
    QTest::newRow("another grid under the same proxy") << 4 << 11;
}

void TestAttemptGridView::frozenPart_afterColumnsChange_showsOnlyFixedColumns()
{
    QFETCH(int, change);
    QFETCH(int, columns);

    Grid grid(QStringLiteral("V"), verticalCards, change == 3 ? QVariantList() : verticalHeights);
    Grid horizontal(QStringLiteral("H"), {QStringLiteral("Eva Faber: 5.10 X 5.31")});
    GridView view;
    view.setModel(&grid.sort);
    view.setColumnWidth(0, 180);
    showView(view);
    const int frozenWidth = view.frozenWidth();

    switch (change) {
    case 0:
        grid.model.addHeight(1.78);
        QCOMPARE(grid.model.indexOfHeight(1.78), 7);
        break;
    case 1:
        grid.model.addJumpOffHeight(1.80);
        break;
    case 2:
        grid.model.setHeights({{1.65, 0}, {1.70, 0}, {1.75, 0}, {1.80, 0}, {1.85, 0}, {1.88, 0}, {1.86, 1}});
        break;
    case 3:
        grid.model.addHeight(1.60);
        break;
    case 4:
        grid.sort.setSourceModel(&horizontal.model);
        break;
    }
    QCOMPARE(view.model()->columnCount(), columns);
    QCOMPARE(visibleColumns(view.frozenView()), 5);
    QCOMPARE(visibleColumns(&view), columns);
    if (change != 4) {
        QCOMPARE(view.frozenWidth(), frozenWidth);
        QCOMPARE(view.frozenView()->width(), frozenWidth);
    }
    QCOMPARE(view.frozenView()->columnWidth(0), view.columnWidth(0));
}

void TestAttemptGridView::frozenPart_geometryFollowsColumnsAndHeaders()
{
    Grid grid(QStringLiteral("V"), verticalCards, verticalHeights);
    GridView view;
    view.setModel(&grid.sort);
    showView(view);
    QTableView *frozen = view.frozenView();

    const auto checkGeometry = [&] {
        const int left = (view.verticalHeader()->isHidden() ? 0 : view.verticalHeader()->width()) + view.frameWidth();
        QCOMPARE(frozen->geometry(), QRect(left, view.frameWidth(), view.frozenWidth(),
                                           view.horizontalHeader()->height() + view.viewport()->height()));
        // Rows of both parts line up.
        QCOMPARE(frozen->viewport()->mapTo(&view, QPoint(0, 0)), view.viewport()->mapTo(&view, QPoint(0, 0)));
    };
    checkGeometry();

    const int rightEdge = frozen->geometry().right();
    view.horizontalHeader()->resizeSection(0, view.columnWidth(0) + 40);
    QCOMPARE(frozen->columnWidth(0), view.columnWidth(0));
    QCOMPARE(frozen->geometry().right(), rightEdge + 40);
    checkGeometry();

    // An attempt column does not move the fixed part.
    view.setColumnWidth(6, 120);
    QCOMPARE(frozen->geometry().right(), rightEdge + 40);

    view.setRowHeight(2, 61);
    QCOMPARE(frozen->rowHeight(2), 61);

    view.verticalHeader()->hide();
    checkGeometry();
    view.resize(500, 200);
    QTRY_COMPARE(view.viewport()->height() + view.horizontalHeader()->height(), frozen->height());
    checkGeometry();
}

void TestAttemptGridView::frozenPart_scrollsVerticallyWithGrid()
{
    QStringList cards;
    for (int i = 0; i < 30; ++i)
        cards << QStringLiteral("Athlete %1: 1.70 O").arg(i + 1);
    Grid grid(QStringLiteral("V"), cards, verticalHeights);
    GridView view;
    view.setModel(&grid.sort);
    showView(view, QSize(700, 250));

    view.verticalScrollBar()->setValue(100);
    QCOMPARE(view.frozenView()->verticalScrollBar()->value(), 100);
    view.frozenView()->verticalScrollBar()->setValue(37);
    QCOMPARE(view.verticalScrollBar()->value(), 37);
    // Per pixel, so the two parts never drift apart by a row.
    QCOMPARE(view.verticalScrollMode(), QAbstractItemView::ScrollPerPixel);
    QCOMPARE(view.frozenView()->verticalScrollMode(), QAbstractItemView::ScrollPerPixel);
    QCOMPARE(view.frozenView()->indexAt(QPoint(5, 5)).row(), view.indexAt(QPoint(5, 5)).row());
}

// ---------------------------------------------------------------------------
// Touches

void TestAttemptGridView::longPress_data()
{
    QTest::addColumn<QPoint>("move");
    QTest::addColumn<bool>("longPress");
    QTest::newRow("finger rests 500 ms") << QPoint() << true;
    QTest::newRow("finger trembles by 8 pixels") << QPoint(5, -3) << true;
    QTest::newRow("finger moves by 9 pixels") << QPoint(-6, 3) << false;
}

void TestAttemptGridView::longPress()
{
    QFETCH(QPoint, move);
    QFETCH(bool, longPress);

    Grid grid(QStringLiteral("V"), verticalCards, verticalHeights);
    GridView view;
    view.setModel(&grid.sort);
    view.setColumnWidth(0, 220);
    showView(view);
    QWidget *frozen = view.frozenView()->viewport();

    const int row = 2;
    const QRect nameCell = view.frozenView()->visualRect(grid.sort.index(row, 0));
    const QPoint press = nameCell.center() - QPoint(60, 0);
    const auto shadeAt = [&](int atRow) {
        const QRect cell = view.frozenView()->visualRect(grid.sort.index(atRow, 0));
        return frozen->grab().toImage().pixelColor(cell.right() - 4, cell.center().y());
    };
    const QColor unshaded = shadeAt(0);
    QCOMPARE(shadeAt(row), unshaded);

    QSignalSpy presses(&view, &GridView::mousePress);
    QSignalSpy moves(&view, &GridView::mouseMove);
    QSignalSpy releases(&view, &GridView::mouseRelease);
    QSignalSpy started(&view, &GridView::longPressStarted);
    QSignalSpy released(&view, &GridView::longPressReleased);

    QTest::mousePress(frozen, Qt::LeftButton, {}, press);
    QCOMPARE(presses.count(), 1);
    QCOMPARE(presses.first().first().toPoint(), press);
    if (!move.isNull()) {
        QTest::mouseMove(frozen, press + move);
        QCOMPARE(moves.count(), 1);
        QCOMPARE(moves.first().first().toPoint(), press + move);
    }

    if (longPress) {
        QTRY_COMPARE(started.count(), 1);
        const auto index = started.first().at(0).value<QModelIndex>();
        QCOMPARE(index, grid.sort.index(row, 0));
        QCOMPARE(started.first().at(1).toPoint(), press);
        QVERIFY(view.highlightDelegate()->isHighlightOn());
        QTRY_VERIFY(near(shadeAt(row), blend(unshaded, HighlightDelegate::Shade)));
        QCOMPARE(shadeAt(row + 1), unshaded);
    } else {
        QVERIFY(TestSupport::waitPastTimersOf(GridView::LongPressDelay));
        QCOMPARE(started.count(), 0);
        QCOMPARE(shadeAt(row), unshaded);
    }

    const QPoint lift = press + move;
    QTest::mouseRelease(frozen, Qt::LeftButton, {}, lift);
    QCOMPARE(releases.count(), 1);
    QCOMPARE(releases.first().first().toPoint(), lift);
    if (longPress) {
        QCOMPARE(released.count(), 1);
        QCOMPARE(released.first().at(0).value<QModelIndex>(), started.first().at(0).value<QModelIndex>());
        QCOMPARE(released.first().at(1).toPoint(), lift);
    } else {
        QCOMPARE(released.count(), 0);
    }
    QVERIFY(!view.highlightDelegate()->isHighlightOn());
    QTRY_COMPARE(shadeAt(row), unshaded);

    // A short tap afterwards is no long press.
    QTest::mouseClick(frozen, Qt::LeftButton, {}, press);
    QVERIFY(TestSupport::waitPastTimersOf(GridView::LongPressDelay));
    QCOMPARE(started.count(), longPress ? 1 : 0);
}

void TestAttemptGridView::touchesOnScrollingPart_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("pressesAndReleases");
    QTest::newRow("left button reported") << Qt::LeftButton << 1;
    QTest::newRow("right button not reported") << Qt::RightButton << 0;
}

void TestAttemptGridView::touchesOnScrollingPart()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, pressesAndReleases);

    Grid grid(QStringLiteral("V"), verticalCards, verticalHeights);
    GridView view;
    view.setModel(&grid.sort);
    showView(view, QSize(1000, 300));
    QSignalSpy presses(&view, &GridView::mousePress);
    QSignalSpy moves(&view, &GridView::mouseMove);
    QSignalSpy releases(&view, &GridView::mouseRelease);
    QSignalSpy started(&view, &GridView::longPressStarted);
    QSignalSpy pressed(&view, &QAbstractItemView::pressed);

    const QModelIndex cell = grid.sort.index(1, 6);
    const QPoint pos = view.visualRect(cell).center();
    QVERIFY(pos.x() > view.frozenWidth());
    QTest::mousePress(view.viewport(), button, {}, pos);
    QTest::mouseMove(view.viewport(), pos + QPoint(20, 0));
    QTest::mouseRelease(view.viewport(), button, {}, pos + QPoint(20, 0));
    QCOMPARE(presses.count(), pressesAndReleases);
    QCOMPARE(releases.count(), pressesAndReleases);
    QCOMPARE(moves.count(), 1);
    if (pressesAndReleases) {
        QCOMPARE(presses.first().first().toPoint(), pos);
        QCOMPARE(releases.first().first().toPoint(), pos + QPoint(20, 0));
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(pressed.first().first().value<QModelIndex>(), cell);
    }
    // Long presses belong to the frozen part only.
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, pos);
    QVERIFY(TestSupport::waitPastTimersOf(GridView::LongPressDelay));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, pos);
    QCOMPARE(started.count(), 0);
}

void TestAttemptGridView::tapOnFrozenCell_reportedAsViewSignal_keepsAttemptsInSight_data()
{
    QTest::addColumn<int>("column");
    QTest::newRow("name") << 0;
    QTest::newRow("bib") << 1;
    QTest::newRow("best") << 4;
}

void TestAttemptGridView::tapOnFrozenCell_reportedAsViewSignal_keepsAttemptsInSight()
{
    QFETCH(int, column);

    Grid grid(QStringLiteral("H"), {QStringLiteral("Ada Brink: 6.10 X 6.32"), QStringLiteral("Bea Claes: 5.90 - X")});
    GridView view;
    view.setModel(&grid.sort);
    for (int c = 5; c < 11; ++c)
        view.setColumnWidth(c, 120);
    showView(view, QSize(800, 250));
    view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
    const int scrolled = view.horizontalScrollBar()->value();
    QVERIFY(scrolled > 0);

    QSignalSpy pressed(&view, &QAbstractItemView::pressed);
    QSignalSpy doubleClicked(&view, &QAbstractItemView::doubleClicked);
    const QModelIndex cell = grid.sort.index(1, column);
    const QPoint pos = view.frozenView()->visualRect(cell).center();
    QTest::mouseClick(view.frozenView()->viewport(), Qt::LeftButton, {}, pos);
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(pressed.first().first().value<QModelIndex>(), cell);
    QCOMPARE(view.currentIndex(), cell);
    QCOMPARE(view.horizontalScrollBar()->value(), scrolled);

    QTest::mouseDClick(view.frozenView()->viewport(), Qt::LeftButton, {}, pos);
    QCOMPARE(doubleClicked.count(), 1);
    QCOMPARE(doubleClicked.first().first().value<QModelIndex>(), cell);
    QCOMPARE(view.horizontalScrollBar()->value(), scrolled);
}

void TestAttemptGridView::cursorLeft_neverEndsUnderFrozenPart()
{
    Grid grid(QStringLiteral("H"), {QStringLiteral("Ada Brink: 6.10 X 6.32 6.40 X 6.51")});
    GridView view;
    view.setModel(&grid.sort);
    for (int c = 5; c < 11; ++c)
        view.setColumnWidth(c, 90);
    showView(view, QSize(700, 200));

    view.setCurrentIndex(grid.sort.index(0, 10));
    QCOMPARE(view.horizontalScrollBar()->value(), view.horizontalScrollBar()->maximum());
    QVERIFY(view.horizontalScrollBar()->value() > 0);
    for (int column = 9; column >= 5; --column) {
        QTest::keyClick(&view, Qt::Key_Left);
        QCOMPARE(view.currentIndex().column(), column);
        const QRect cell = view.visualRect(view.currentIndex());
        QVERIFY2(cell.left() >= view.frozenWidth(),
                 qPrintable(QStringLiteral("column %1 starts at %2 under the fixed part ending at %3")
                                .arg(column)
                                .arg(cell.left())
                                .arg(view.frozenWidth())));
    }
    QCOMPARE(view.horizontalScrollBar()->value(), 0);
}

// ---------------------------------------------------------------------------
// Starting-height marker

void TestAttemptGridView::startMarker_data()
{
    QTest::addColumn<QString>("fieldType");
    QTest::addColumn<bool>("extraProxy");
    QTest::newRow("vertical grid through the sort model") << QStringLiteral("V") << false;
    QTest::newRow("vertical grid through two proxies") << QStringLiteral("V") << true;
    QTest::newRow("horizontal grid never") << QStringLiteral("H") << false;
}

void TestAttemptGridView::startMarker()
{
    QFETCH(QString, fieldType);
    QFETCH(bool, extraProxy);

    const bool vertical = fieldType == QLatin1String("V");
    Grid grid(fieldType, vertical
                             ? verticalCards
                             : QStringList{QStringLiteral("Ada Brink: 1 2 3 4 5"), QStringLiteral("Bea Claes: 1 2"),
                                           QStringLiteral("Cor Dekker: 1"), QStringLiteral("Dora Eyck: 1")});
    if (vertical) {
        grid.model.setHeights({{1.70, 0}, {1.75, 0}, {1.80, 0}, {1.85, 0}, {1.80, 1}});
    }
    // A starting height typed by hand may carry a rounding error.
    grid.byName(QStringLiteral("Ada Brink"))->startheight = 1.80;
    grid.byName(QStringLiteral("Bea Claes"))->startheight = 0;
    grid.byName(QStringLiteral("Cor Dekker"))->startheight = 1.75 + 1e-13;
    grid.byName(QStringLiteral("Dora Eyck"))->startheight = 1.82;
    QHash<QString, double> expected{{QStringLiteral("Ada Brink"), 1.80}, {QStringLiteral("Cor Dekker"), 1.75}};
    if (!vertical)
        expected.clear();

    QSortFilterProxyModel outer;
    outer.setSourceModel(&grid.sort);
    outer.sort(0, Qt::DescendingOrder);
    QAbstractItemModel *shown = extraProxy ? static_cast<QAbstractItemModel *>(&outer) : &grid.sort;

    GridView view;
    FieldEventParticipantsDelegate delegate;
    view.setItemDelegate(&delegate);
    view.setModel(shown);
    view.setColumnWidth(0, 150);
    for (int c = 5; c < shown->columnCount(); ++c)
        view.setColumnWidth(c, 64);
    showView(view, QSize(1100, 260));
    if (extraProxy)
        QCOMPARE(shown->index(0, 0).data().toString(), QStringLiteral("Dora Eyck"));

    const QImage image = view.viewport()->grab().toImage();
    int markers = 0;
    for (int row = 0; row < shown->rowCount(); ++row) {
        const QString name = shown->index(row, 0).data().toString();
        for (int column = 5; column < shown->columnCount(); ++column) {
            const QModelIndex index = shown->index(row, column);
            const QRect cell = view.visualRect(index);
            QVERIFY(cell.right() < image.width());
            const double height =
                shown->headerData(column, Qt::Horizontal, FieldEventParticipantsModel::HeightRole).toDouble();
            const bool jumpOff =
                shown->headerData(column, Qt::Horizontal, FieldEventParticipantsModel::JumpOffRole).toUInt() != 0;
            const bool wanted = expected.contains(name) && !jumpOff && std::abs(expected.value(name) - height) < 1e-9;
            const int inMarker = markerPixels(image, FieldEventParticipantsDelegate::markerRect(cell));
            const int inCell = markerPixels(image, cell);
            const QString where =
                QStringLiteral("%1 at column %2 (%3): %4 marker pixels").arg(name).arg(column).arg(height).arg(inCell);
            QCOMPARE(FieldEventParticipantsDelegate::showsStartMarker(index), wanted);
            if (wanted) {
                QVERIFY2(inMarker >= 80, qPrintable(where));
                // Nothing of it spills over the marker's square.
                QVERIFY2(inCell == inMarker, qPrintable(where));
                ++markers;
            } else {
                QVERIFY2(inCell == 0, qPrintable(where));
            }
        }
    }
    QCOMPARE(markers, int(expected.size()));
}

// ---------------------------------------------------------------------------
// The picture of the grid in the documentation. Set STADIONIX_DOCS_DIR to the
// docs folder to write it there; otherwise it goes to a temporary folder.

void TestAttemptGridView::verticalGridPicture()
{
    Grid grid(QStringLiteral("V"),
              {
                  QStringLiteral("Lotte Verhaegen: 1.65 -, 1.70 O, 1.75 O, 1.80 XO, 1.84 O, 1.88 XXX, JO1 1.86 O"),
                  QStringLiteral("Marit Oosterbeek: 1.65 -, 1.70 O, 1.75 O, 1.80 XO, 1.84 O, 1.88 XXX"),
                  QStringLiteral("Ines Castellano: 1.65 O, 1.70 XO, 1.75 O, 1.80 XXO, 1.84 XXX"),
                  QStringLiteral("Freya Lindqvist: 1.65 -, 1.70 -, 1.75 O, 1.80 O, 1.84 XX-, 1.88 X"),
                  QStringLiteral("Nadia Okafor: 1.65 XO, 1.70 O, 1.75 XXX"),
                  QStringLiteral("Saskia van Dael: 1.65 -, 1.70 O, 1.75 XO, 1.80 XXX"),
                  QStringLiteral("Jolien Maertens: 1.65 O, 1.70 XXO, 1.75 XXX"),
                  QStringLiteral("Tamsin Achterberg: 1.65 -, 1.70 -, 1.75 -, 1.80 XXX"),
              });
    const double starts[] = {1.70, 1.75, 1.65, 1.75, 1.65, 1.70, 1.70, 1.80};
    for (int i = 0; i < grid.heat.size(); ++i)
        grid.heat.at(i)->startheight = starts[i];
    // The two leaders are tied and jump off; everybody else is out.
    grid.heat.at(1)->in_jumpoff = true;
    for (int i = 2; i < grid.heat.size(); ++i)
        grid.heat.at(i)->applyElimination();
    grid.model.setHeights({{1.65, 0}, {1.70, 0}, {1.75, 0}, {1.80, 0}, {1.84, 0}, {1.88, 0}, {1.86, 1}});
    FieldEventRanking::rankHeat(grid.heat, QLatin1Char('V'));
    grid.model.refresh();
    // Marit is up for her jump-off attempt at 1.86.
    grid.model.setCurrentCell(grid.model.rowOfParticipation(2), grid.model.indexOfHeight(1.86, 1));

    GridView view;
    QFont font = view.font();
    font.setPointSize(18);
    view.setFont(font);
    FieldEventParticipantsDelegate delegate;
    view.setItemDelegate(&delegate);
    view.setModel(&grid.sort);
    view.verticalHeader()->hide();
    view.verticalHeader()->setDefaultSectionSize(64);
    view.frozenView()->verticalHeader()->setDefaultSectionSize(64);
    for (int column = 0; column < grid.sort.columnCount(); ++column) {
        const int minimum = grid.model.minimumColumnWidth(column, view.fontMetrics());
        view.setColumnWidth(column, column >= FieldEventParticipantsModel::FirstAttemptColumn ? 84 : minimum);
    }
    showView(view, QSize(1240, 600));
    view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());

    // The fixed part lies over attempt columns that have scrolled under it.
    QVERIFY(view.horizontalScrollBar()->value() > 0);
    QVERIFY(view.visualRect(grid.sort.index(0, 5)).left() < view.frozenWidth());
    QCOMPARE(visibleColumns(view.frozenView()), 5);
    // ... while the jump-off column with the current cell is in full sight.
    const QRect current = view.visualRect(grid.sort.index(1, grid.model.indexOfHeight(1.86, 1)));
    QVERIFY(view.viewport()->rect().contains(current));
    QCOMPARE(grid.byName(QStringLiteral("Lotte Verhaegen"))->current_order, 1u);

    const QPixmap picture = view.grab();
    QCOMPARE(picture.size(), QSize(1240, 600));
    QTemporaryDir temporary;
    const QString folder =
        qEnvironmentVariableIsSet("STADIONIX_DOCS_DIR") ? qEnvironmentVariable("STADIONIX_DOCS_DIR") : temporary.path();
    const QString file = QDir(folder).filePath(QStringLiteral("vertical-grid.png"));
    QVERIFY(picture.save(file));
    qDebug() << "grid picture written to" << file;
}

STADIONIX_TEST_MAIN(TestAttemptGridView)
#include "tst_attemptgridview.moc"
