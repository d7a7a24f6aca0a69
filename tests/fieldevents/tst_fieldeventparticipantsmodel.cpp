#include <QAbstractItemModelTester>
#include <QColor>
#include <QFont>
#include <QSignalSpy>
#include <QtTest>

#include "fieldevents/fieldeventparticipantsmodel.h"
#include "fieldevents/fieldeventparticipantssortmodel.h"
#include "fieldevents/fieldeventranking.h"
#include "fieldevents/resultsmodel.h"
#include "heatbuilder.h"
#include "support/testsupport.h"

using HeatBuilder::heat;

Q_DECLARE_METATYPE(HeightColumn)

namespace {

QVariantMap eventValues(const QString &fieldType, int attempts = 6)
{
    return {{"fieldType", fieldType}, {"attempts", attempts}, {"heights", QVariantList()}};
}

QColor colourAt(const QAbstractItemModel &model, int row, int column)
{
    return model.index(row, column).data(Qt::BackgroundRole).value<QColor>();
}

} // namespace

class TestFieldEventParticipantsModel : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void horizontalCells();
    void verticalCells();
    void headers();
    void addHeight_data();
    void addHeight();
    void jumpOffColumns_appendedWithNextNumber();
    void removeAndSetHeights();
    void participationsReceived_addsUpdatesRemoves();
    void horizontalColours();
    void verticalColours();
    void jumpOffColours_data();
    void jumpOffColours();
    void sortModel_searchAndOrders();
    void resultsStrip();
    void resultsStrip_currentFollowsHeight_data();
    void resultsStrip_currentFollowsHeight();
};

void TestFieldEventParticipantsModel::horizontalCells()
{
    QList<Participation *> list = heat({"Ilse Varnholt: 7.12 X - 7.899", "Mara Quellenbach: X"}, QLatin1Char('H'));
    FieldEventRanking::rankHeat(list, QLatin1Char('H'));
    list.at(1)->abandon = true;
    list.at(0)->working_order = 2;
    FieldEventParticipantsModel model(eventValues("H"));
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.participationsReceived("1", list);

    QCOMPARE(model.columnCount(), 11);
    QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("Ilse Varnholt"));
    QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("101"));
    QCOMPARE(model.index(0, 2).data().toString(), QStringLiteral("2 (1)"));
    QCOMPARE(model.index(0, 3).data().toString(), QStringLiteral("1"));
    QCOMPARE(model.index(0, 4).data().toString(), QStringLiteral("7.89"));
    QStringList attempts;
    for (int column = 5; column < 11; ++column)
        attempts << model.index(0, column).data().toString();
    QCOMPARE(attempts, (QStringList{"7.12", "X", "-", "7.89", "", ""}));
    QCOMPARE(model.index(0, 5).data(Qt::FontRole).value<QFont>().weight(), QFont::Bold);
    QCOMPARE(model.index(0, 5).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignHCenter | Qt::AlignVCenter));
    QCOMPARE(model.index(0, 0).flags(), Qt::ItemIsEnabled);

    // Rank 0 shows nothing; a retired athlete's best carries "(r)" and the badge.
    QCOMPARE(model.index(1, 3).data().toString(), QString());
    QCOMPARE(model.index(1, 4).data().toString(), QStringLiteral("(r)"));
    QVERIFY(!model.index(1, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    QVERIFY(!model.index(0, 0).data(Qt::DecorationRole).isValid());
    QVERIFY(model.isOut(1));
    qDeleteAll(list);
}

void TestFieldEventParticipantsModel::verticalCells()
{
    QList<Participation *> list = heat({"A: 1.80 XO, 1.85 -, 1.90 XXX, JO1 1.88 O", "B: 1.80 O"}, QLatin1Char('V'));
    FieldEventParticipantsModel model(eventValues("V"));
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.participationsReceived("1", list);
    model.setHeights({{1.80, 0}, {1.85, 0}, {1.90, 0}, {1.88, 1}});
    QCOMPARE(model.columnCount(), 9);
    QStringList cells;
    for (int column = 5; column < 9; ++column)
        cells << model.index(0, column).data().toString();
    QCOMPARE(cells, (QStringList{"X0", "-", "XXX", "0"}));
    QCOMPARE(model.index(1, 6).data().toString(), QString());

    // A team shows its team name.
    auto *team = HeatBuilder::participant("ignored", 3, QLatin1Char('V'), nullptr);
    team->teamname = QStringLiteral("Relay Kestrel");
    team->addParticipant(new Participant);
    list.append(team);
    model.participationsReceived("1", list);
    QCOMPARE(model.index(2, 0).data().toString(), QStringLiteral("Relay Kestrel"));
    qDeleteAll(list);
}

void TestFieldEventParticipantsModel::headers()
{
    FieldEventParticipantsModel horizontal(eventValues("H", 6));
    const QStringList shortTexts{"Name", "Bib", "Start order", "Rank", "Best"};
    for (int column = 0; column < 5; ++column)
        QCOMPARE(horizontal.headerData(column, Qt::Horizontal).toString(), shortTexts.at(column));
    QCOMPARE(horizontal.headerData(4, Qt::Horizontal, Qt::ToolTipRole).toString(), QStringLiteral("Best performance"));
    QCOMPARE(horizontal.headerData(7, Qt::Horizontal).toString(), QStringLiteral("3"));
    QCOMPARE(horizontal.headerData(7, Qt::Horizontal, Qt::ToolTipRole).toString(), QStringLiteral("Attempt 3"));

    FieldEventParticipantsModel vertical(eventValues("V"));
    vertical.setHeights({{1.8, 0}, {1.75, 1}});
    QCOMPARE(vertical.headerData(5, Qt::Horizontal).toString(), QStringLiteral("1.80"));
    QCOMPARE(vertical.headerData(5, Qt::Horizontal, Qt::ToolTipRole).toString(), QStringLiteral("Height 1.80"));
    QCOMPARE(vertical.headerData(6, Qt::Horizontal, FieldEventParticipantsModel::JumpOffRole).toUInt(), 1u);

    FieldEventParticipantsModel track(eventValues(""));
    QCOMPARE(track.columnCount(), 5);

    // Minimum widths, widened to the header text.
    const QFontMetrics metrics(QFont{});
    QCOMPARE(horizontal.minimumColumnWidth(0, metrics), 300);
    QCOMPARE(horizontal.minimumColumnWidth(1, metrics), 95);
    QVERIFY(horizontal.minimumColumnWidth(2, metrics) >= metrics.horizontalAdvance(QStringLiteral("Start order")));
    QCOMPARE(horizontal.minimumColumnWidth(6, metrics), 50);
}

void TestFieldEventParticipantsModel::addHeight_data()
{
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("column"); // -1: nothing changes

    QTest::newRow("existing height") << 1.85 << -1;
    QTest::newRow("height of 0") << 0.0 << -1;
    QTest::newRow("between two heights") << 1.83 << 6;
    QTest::newRow("below all") << 1.70 << 5;
    QTest::newRow("above all, before the jump-off") << 1.95 << 8;
}

void TestFieldEventParticipantsModel::addHeight()
{
    QFETCH(double, height);
    QFETCH(int, column);
    FieldEventParticipantsModel model(eventValues("V"));
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setHeights({{1.80, 0}, {1.85, 0}, {1.90, 0}, {1.88, 1}});
    QSignalSpy updated(&model, &FieldEventParticipantsModel::columns_updated);
    QSignalSpy inserted(&model, &QAbstractItemModel::columnsInserted);
    model.addHeight(height);
    if (column < 0) {
        QCOMPARE(updated.count(), 0);
        QCOMPARE(inserted.count(), 0);
        QCOMPARE(model.columnCount(), 9);
        return;
    }
    QCOMPARE(updated.count(), 1);
    QCOMPARE(model.columnCount(), 10);
    QCOMPARE(model.indexOfHeight(height), column);
    QCOMPARE(model.headerData(9, Qt::Horizontal, FieldEventParticipantsModel::JumpOffRole).toUInt(), 1u);
}

void TestFieldEventParticipantsModel::jumpOffColumns_appendedWithNextNumber()
{
    FieldEventParticipantsModel model(eventValues("V"));
    model.setHeights({{1.80, 0}, {1.85, 0}});
    model.addJumpOffHeight(1.87);
    model.addJumpOffHeight(1.85);
    QCOMPARE(model.jumpOffColumns(), 2);
    QCOMPARE(model.indexOfHeight(1.87, 1), 7);
    QCOMPARE(model.indexOfHeight(1.85, 2), 8);
    QCOMPARE(model.indexOfHeight(1.85, 0), 6);
    // A regular height added later still sorts in before the jump-off.
    model.addHeight(1.90);
    QCOMPARE(model.indexOfHeight(1.90), 7);
}

void TestFieldEventParticipantsModel::removeAndSetHeights()
{
    QList<Participation *> list = heat({"A: 1.80 O, 1.85 X"}, QLatin1Char('V'));
    FieldEventParticipantsModel model(eventValues("V"));
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.participationsReceived("1", list);
    model.setHeights({{1.80, 0}, {1.85, 0}, {1.90, 0}});
    QVERIFY(model.heightHasResults(1.85, 0));
    QVERIFY(!model.heightHasResults(1.90, 0));
    QSignalSpy updated(&model, &FieldEventParticipantsModel::columns_updated);
    model.removeHeight(1.90);
    QCOMPARE(updated.count(), 1);
    QCOMPARE(model.columnCount(), 7);
    model.setHeights({{1.75, 0}});
    QCOMPARE(model.columnCount(), 6);
    QCOMPARE(model.headerData(5, Qt::Horizontal).toString(), QStringLiteral("1.75"));
    qDeleteAll(list);
}

void TestFieldEventParticipantsModel::participationsReceived_addsUpdatesRemoves()
{
    QList<Participation *> list = heat({"A: 7.00", "B: 6.00", "C: X"}, QLatin1Char('H'));
    for (int i = 0; i < list.size(); ++i)
        list[i]->id = unsigned(10 + i);
    FieldEventParticipantsModel model(eventValues("H"));
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy received(&model, &FieldEventParticipantsModel::results_received);
    model.participationsReceived("1", list);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(received.count(), 1);

    // B is gone, a new D comes, A is delivered as a fresh record.
    Participation *freshA = HeatBuilder::participant("A2", 4, QLatin1Char('H'), nullptr);
    freshA->id = 10;
    Participation *d = HeatBuilder::participant("D", 5, QLatin1Char('H'), nullptr);
    d->id = 20;
    model.participationsReceived("1", {freshA, list.at(2), d});
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.participationAt(model.rowOfParticipation(10)), freshA);
    QCOMPARE(model.rowOfParticipation(11), -1);
    QCOMPARE(model.participationAt(model.rowOfParticipation(20)), d);
    QCOMPARE(model.participationAt(7), nullptr);
    QCOMPARE(received.count(), 2);
    qDeleteAll(list);
    delete freshA;
    delete d;
}

void TestFieldEventParticipantsModel::horizontalColours()
{
    QList<Participation *> list = heat({"A: 7.00", "B: 6.00", "C: X"}, QLatin1Char('H'));
    list.at(2)->out_of_competition = true;
    FieldEventParticipantsModel model(eventValues("H"));
    model.participationsReceived("1", list);
    model.setCurrentCell(1, 6);
    using M = FieldEventParticipantsModel;
    QCOMPARE(colourAt(model, 1, 0), M::Yellow);
    QCOMPARE(colourAt(model, 1, 4), M::Yellow);
    QCOMPARE(colourAt(model, 1, 6), M::Yellow);
    QCOMPARE(colourAt(model, 1, 5), M::BlueGrey);
    QCOMPARE(colourAt(model, 0, 6), M::BlueGrey);
    QVERIFY(!model.index(0, 0).data(Qt::BackgroundRole).isValid());
    QCOMPARE(colourAt(model, 2, 0), M::Grey);
    QCOMPARE(colourAt(model, 2, 7), M::Grey);
    QCOMPARE(model.index(1, 6).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::white));
    QVERIFY(!model.index(1, 5).data(Qt::ForegroundRole).isValid());
    model.clearCurrentCell();
    QCOMPARE(colourAt(model, 1, 6), M::BlueGrey);
    QVERIFY(!model.index(1, 0).data(Qt::BackgroundRole).isValid());
    qDeleteAll(list);
}

void TestFieldEventParticipantsModel::verticalColours()
{
    QList<Participation *> list = heat(
        {"Cleared: 1.80 O", "Skipped: 1.80 -", "Failing: 1.80 X", "Current: 1.80 XX", "Waiting:"}, QLatin1Char('V'));
    list.at(4)->waitingForStartHeight = true;
    FieldEventParticipantsModel model(eventValues("V"));
    model.participationsReceived("1", list);
    model.setHeights({{1.80, 0}, {1.85, 0}, {1.78, 1}});
    model.setCurrentCell(3, 5);
    using M = FieldEventParticipantsModel;
    QCOMPARE(colourAt(model, 3, 0), M::Yellow);
    QCOMPARE(colourAt(model, 3, 5), M::Yellow);
    QCOMPARE(colourAt(model, 3, 6), M::LightBlue);
    QCOMPARE(colourAt(model, 3, 7), M::Orange);
    QCOMPARE(colourAt(model, 0, 0), M::Green);
    QCOMPARE(colourAt(model, 0, 6), M::Green);
    QCOMPARE(colourAt(model, 1, 2), M::Green);
    QCOMPARE(colourAt(model, 4, 5), M::Green);
    QVERIFY(!model.index(2, 0).data(Qt::BackgroundRole).isValid());
    QCOMPARE(colourAt(model, 2, 5), M::LightBlue);
    QCOMPARE(colourAt(model, 2, 7), M::Orange);
    qDeleteAll(list);
}

void TestFieldEventParticipantsModel::jumpOffColours_data()
{
    QTest::addColumn<QString>("card");
    QTest::addColumn<int>("column"); // the current cell's column
    QTest::addColumn<bool>("green");

    // Columns: 5 = 1.80, 6 = 1.85, 7 = jump-off 1 at 1.83, 8 = jump-off 2 at 1.80.
    const QString tied = QStringLiteral("Other: 1.80 O, 1.85 XXX");
    QTest::newRow("cleared the jump-off attempt") << tied + ", JO1 1.83 O" << 7 << true;
    QTest::newRow("skipped the jump-off attempt") << tied + ", JO1 1.83 -" << 7 << true;
    QTest::newRow("failed the jump-off attempt") << tied + ", JO1 1.83 X" << 7 << false;
    QTest::newRow("still to jump the jump-off attempt") << tied << 7 << false;
    QTest::newRow("cleared the bar height earlier, jump-off still to jump") << tied + ", JO1 1.83 O" << 8 << false;
    QTest::newRow("regular height cleared") << tied << 5 << true;
}

void TestFieldEventParticipantsModel::jumpOffColours()
{
    QFETCH(QString, card);
    QFETCH(int, column);
    QFETCH(bool, green);
    QList<Participation *> list = heat({"Current: 1.80 O, 1.85 XXX", card}, QLatin1Char('V'));
    FieldEventParticipantsModel model(eventValues("V"));
    model.participationsReceived("1", list);
    model.setHeights({{1.80, 0}, {1.85, 0}, {1.83, 1}, {1.80, 2}});
    model.setCurrentCell(0, column);
    using M = FieldEventParticipantsModel;
    if (green) {
        QCOMPARE(colourAt(model, 1, 0), M::Green);
        QCOMPARE(colourAt(model, 1, 7), M::Green);
    } else {
        QVERIFY(!model.index(1, 0).data(Qt::BackgroundRole).isValid());
        QCOMPARE(colourAt(model, 1, 6), M::LightBlue);
        QCOMPARE(colourAt(model, 1, 7), M::Orange);
    }
    qDeleteAll(list);
}

void TestFieldEventParticipantsModel::sortModel_searchAndOrders()
{
    QList<Participation *> list =
        heat({"Ilse Varnholt: 6.50", "Mara Quellenbach: 6.90", "Zoë Øvergård: X"}, QLatin1Char('H'));
    FieldEventRanking::rankHeat(list, QLatin1Char('H'));
    list[0]->working_order = 2;
    list[1]->working_order = 3;
    list[2]->working_order = 1;
    FieldEventParticipantsModel model(eventValues("H"));
    model.participationsReceived("1", list);
    FieldEventParticipantsSortModel sort;
    sort.setSourceModel(&model);
    QAbstractItemModelTester tester(&sort, QAbstractItemModelTester::FailureReportingMode::QtTest);

    const auto names = [&sort] {
        QStringList out;
        for (int row = 0; row < sort.rowCount(); ++row)
            out << sort.index(row, 0).data().toString();
        return out;
    };
    QCOMPARE(names(), (QStringList{"Zoë Øvergård", "Ilse Varnholt", "Mara Quellenbach"}));
    sort.setOrderMode(FieldEventParticipantsSortModel::Ranking);
    QCOMPARE(names(), (QStringList{"Mara Quellenbach", "Ilse Varnholt", "Zoë Øvergård"}));
    sort.setSearchText(QStringLiteral("ØVER"));
    QCOMPARE(names(), (QStringList{"Zoë Øvergård"}));
    sort.setSearchText(QStringLiteral("102")); // bib
    QCOMPARE(names(), (QStringList{"Mara Quellenbach"}));
    sort.setSearchText(QString());
    QCOMPARE(sort.rowCount(), 3);
    qDeleteAll(list);
}

void TestFieldEventParticipantsModel::resultsStrip()
{
    QList<Participation *> list = heat({"A: 7.12 X 6.999"}, QLatin1Char('H'));
    ResultsModel strip(eventValues("H", 6));
    QAbstractItemModelTester tester(&strip, QAbstractItemModelTester::FailureReportingMode::QtTest);
    strip.setParticipation(list.first());
    QCOMPARE(strip.columnCount(), 6);
    QCOMPARE(strip.headerData(2, Qt::Horizontal).toString(), QStringLiteral("3"));
    QCOMPARE(strip.index(0, 2).data().toString(), QStringLiteral("6.99"));
    strip.selectAttempt(4);
    QCOMPARE(strip.currentColumn(), 3);
    strip.setInputText(QStringLiteral("7.4"));
    QCOMPARE(strip.index(0, 3).data().toString(), QStringLiteral("7.4"));
    QCOMPARE(strip.index(0, 3).data(Qt::BackgroundRole).value<QColor>(), FieldEventParticipantsModel::Yellow);
    QCOMPARE(strip.index(0, 0).data(Qt::BackgroundRole).value<QColor>(), FieldEventParticipantsModel::BlueGrey);
    strip.selectAttempt(9);
    QCOMPARE(strip.currentColumn(), -1);

    QList<Participation *> high = heat({"B: 1.80 XO, JO1 1.82 X"}, QLatin1Char('V'));
    ResultsModel heights(eventValues("V"));
    QAbstractItemModelTester heightTester(&heights, QAbstractItemModelTester::FailureReportingMode::QtTest);
    heights.setParticipation(high.first());
    heights.setHeightColumns({{1.80, 0}, {1.82, 1}});
    QCOMPARE(heights.headerData(1, Qt::Horizontal).toString(), QStringLiteral("1.82"));
    QCOMPARE(heights.index(0, 0).data().toString(), QStringLiteral("X0"));
    QCOMPARE(heights.index(0, 1).data().toString(), QStringLiteral("X"));
    QCOMPARE(heights.index(0, 1).data(Qt::BackgroundRole).value<QColor>(), FieldEventParticipantsModel::Orange);
    heights.selectHeight(1.80, 0);
    QCOMPARE(heights.currentColumn(), 0);
    qDeleteAll(list);
    qDeleteAll(high);
}

void TestFieldEventParticipantsModel::resultsStrip_currentFollowsHeight_data()
{
    QTest::addColumn<HeightColumns>("columns");
    QTest::addColumn<int>("current"); // -1: none

    // The strip shows 1.60, 1.65, 1.70 with 1.65 being entered.
    QTest::newRow("height added below") << HeightColumns{{1.55, 0}, {1.60, 0}, {1.65, 0}, {1.70, 0}} << 2;
    QTest::newRow("height removed below") << HeightColumns{{1.65, 0}, {1.70, 0}} << 0;
    QTest::newRow("height removed above") << HeightColumns{{1.60, 0}, {1.65, 0}} << 1;
    QTest::newRow("jump-off added") << HeightColumns{{1.60, 0}, {1.65, 0}, {1.70, 0}, {1.68, 1}} << 1;
    QTest::newRow("its own height removed") << HeightColumns{{1.60, 0}, {1.70, 0}} << -1;
}

void TestFieldEventParticipantsModel::resultsStrip_currentFollowsHeight()
{
    QFETCH(HeightColumns, columns);
    QFETCH(int, current);
    QList<Participation *> list = heat({"A: 1.60 O, 1.65 X"}, QLatin1Char('V'));
    ResultsModel strip(eventValues("V"));
    QAbstractItemModelTester tester(&strip, QAbstractItemModelTester::FailureReportingMode::QtTest);
    strip.setHeightColumns({{1.60, 0}, {1.65, 0}, {1.70, 0}});
    strip.setParticipation(list.first());
    strip.selectHeight(1.65, 0);
    strip.setInputText(QStringLiteral("XX"));
    QCOMPARE(strip.currentColumn(), 1);

    strip.setHeightColumns(columns);
    QCOMPARE(strip.currentColumn(), current);
    for (int column = 0; column < strip.columnCount(); ++column) {
        const bool typed = column == current;
        // Only the column being entered shows the typed text, in yellow.
        QCOMPARE(strip.index(0, column).data().toString() == QLatin1String("XX"), typed);
        QCOMPARE(strip.index(0, column).data(Qt::BackgroundRole).value<QColor>() == FieldEventParticipantsModel::Yellow,
                 typed);
    }
    if (current >= 0)
        QCOMPARE(strip.headerData(current, Qt::Horizontal).toString(), QStringLiteral("1.65"));
    qDeleteAll(list);
}

STADIONIX_TEST_MAIN(TestFieldEventParticipantsModel)
#include "tst_fieldeventparticipantsmodel.moc"
