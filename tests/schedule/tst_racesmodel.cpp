#include <QAbstractItemModelTester>
#include <QtTest>

#include "heatmaps.h"
#include "records/heatevent.h"
#include "schedule/racesmodel.h"
#include "schedule/scheduletablesortfiltermodel.h"
#include "support/testsupport.h"

using HeatMaps::heat;
using HeatMaps::parse;

using Receptions = QList<QStringList>;

namespace {

// "id:name" of every source row, in row order.
QStringList sourceRows(const RacesModel &model)
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row)
        rows << model.index(row, RacesModel::IdColumn).data().toString() + QLatin1Char(':') +
                    model.index(row, RacesModel::NameColumn).data().toString();
    return rows;
}

QStringList proxyIds(const QAbstractItemModel &proxy)
{
    QStringList ids;
    for (int row = 0; row < proxy.rowCount(); ++row)
        ids << proxy.index(row, RacesModel::IdColumn).data().toString();
    return ids;
}

// Model and proxy wired as the schedule page wires them, both under the tester.
struct Schedule
{
    Schedule()
    {
        proxy.setSourceModel(&model);
        proxy.setDynamicSortFilter(true);
        proxy.sort(RacesModel::IdColumn, Qt::AscendingOrder);
    }

    RacesModel model;
    ScheduleTableSortFilterModel proxy;
    QAbstractItemModelTester modelTester{&model, QAbstractItemModelTester::FailureReportingMode::QtTest};
    QAbstractItemModelTester proxyTester{&proxy, QAbstractItemModelTester::FailureReportingMode::QtTest};
};

} // namespace

class TestRacesModel : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void receptions_mergeById_data();
    void receptions_mergeById();
    void columns_showTheEventsFields();
    void flags_onlyEventsWithParticipantsOpen_data();
    void flags_onlyEventsWithParticipantsOpen();
    void filter_kindAndSearch_data();
    void filter_kindAndSearch();
    void order_byTimeThenArrival_data();
    void order_byTimeThenArrival();
    void neighbouringTrackEvents_data();
    void neighbouringTrackEvents();
    void heatEventAt_followsTheShownOrder();
};

void TestRacesModel::receptions_mergeById_data()
{
    QTest::addColumn<Receptions>("receptions");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("new events appended in arrival order")
        << Receptions{{"3:Shot Put Men", "1:100m Women", "2:High Jump Men"}}
        << QStringList{"3:Shot Put Men", "1:100m Women", "2:High Jump Men"};
    QTest::newRow("repeated id updates the row of its first occurrence")
        << Receptions{{"1:100m Women", "2:200m Men", "1:100m Women Final"}}
        << QStringList{"1:100m Women Final", "2:200m Men"};
    QTest::newRow("event missing from the next list is removed, the rest keep their rows")
        << Receptions{{"1:A", "2:B", "3:C", "4:D"}, {"4:D", "1:A", "3:C"}} << QStringList{"1:A", "3:C", "4:D"};
    QTest::newRow("kept event changes its fields in place, new ones go last")
        << Receptions{{"1:A", "2:B"}, {"5:E", "2:B renamed", "1:A"}} << QStringList{"1:A", "2:B renamed", "5:E"};
    QTest::newRow("event without id is skipped") << Receptions{{":No id", "1:A"}} << QStringList{"1:A"};
    QTest::newRow("ids compare as exact text")
        << Receptions{{"1:A", "01:B", "1 :C"}} << QStringList{"1:A", "01:B", "1 :C"};
    QTest::newRow("empty list empties the schedule") << Receptions{{"1:A", "2:B"}, {}} << QStringList{};
    QTest::newRow("all replaced at once") << Receptions{{"1:A", "2:B"}, {"3:C", "4:D"}} << QStringList{"3:C", "4:D"};
}

void TestRacesModel::receptions_mergeById()
{
    QFETCH(Receptions, receptions);
    QFETCH(QStringList, rows);

    Schedule schedule;
    for (const QStringList &reception : receptions) {
        QTest::ignoreMessage(QtDebugMsg, "Races received");
        schedule.model.heatEventsReceived(parse(reception));
    }
    QCOMPARE(sourceRows(schedule.model), rows);
    QCOMPARE(schedule.proxy.rowCount(), rows.size());
}

void TestRacesModel::columns_showTheEventsFields()
{
    RacesModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.heatEventsReceived({heat("42", "Pole Vault Women", "1435", "11", "V", 5, true)});

    QCOMPARE(model.columnCount(), 9);
    const QStringList headers{"ID",
                              "Name",
                              "Time",
                              "Participants",
                              "FieldType",
                              "DateTime",
                              "Status",
                              "Participants cached",
                              "DateTime object"};
    for (int column = 0; column < headers.size(); ++column)
        QCOMPARE(model.headerData(column, Qt::Horizontal).toString(), headers.at(column));
    QCOMPARE(model.headerData(9, Qt::Horizontal), QVariant(QString()));

    auto cell = [&model](int column) { return model.index(0, column).data(); };
    QCOMPARE(cell(RacesModel::IdColumn).toString(), QStringLiteral("42"));
    QCOMPARE(cell(RacesModel::NameColumn).toString(), QStringLiteral("Pole Vault Women"));
    QCOMPARE(cell(RacesModel::TimeColumn).toString(), QStringLiteral("14:35"));
    QCOMPARE(cell(RacesModel::ParticipantsColumn).toString(), QStringLiteral("11"));
    QCOMPARE(cell(RacesModel::FieldTypeColumn).toString(), QStringLiteral("V"));
    QCOMPARE(cell(RacesModel::DateTimeTextColumn).toString(), QStringLiteral("20240615 143500"));
    QCOMPARE(cell(RacesModel::StatusColumn).toUInt(), 5u);
    QCOMPARE(cell(RacesModel::ParticipantsCachedColumn).toBool(), true);
    QCOMPARE(cell(RacesModel::DateTimeColumn).toDateTime(), QDateTime(QDate(2024, 6, 15), QTime(14, 35)));

    QVERIFY(!model.index(0, RacesModel::NameColumn).data(Qt::ToolTipRole).isValid());
    QVERIFY(!model.data(QModelIndex()).isValid());
    QVERIFY(model.heatEvent(0));
    QVERIFY(!model.heatEvent(1));
    QVERIFY(!model.heatEvent(-1));
}

void TestRacesModel::flags_onlyEventsWithParticipantsOpen_data()
{
    QTest::addColumn<QVariant>("participants");
    QTest::addColumn<bool>("opens");

    QTest::newRow("twelve") << QVariant("12") << true;
    QTest::newRow("number value") << QVariant(3) << true;
    QTest::newRow("zero") << QVariant("0") << false;
    QTest::newRow("empty count") << QVariant("") << false;
    QTest::newRow("missing count") << QVariant() << false;
    QTest::newRow("not a number") << QVariant("many") << false;
    QTest::newRow("negative") << QVariant("-2") << false;
}

void TestRacesModel::flags_onlyEventsWithParticipantsOpen()
{
    QFETCH(QVariant, participants);
    QFETCH(bool, opens);

    Schedule schedule;
    QTest::ignoreMessage(QtDebugMsg, "Races received");
    schedule.model.heatEventsReceived({heat("1", "400m Hurdles Men", "1000", participants)});
    // Listed either way; only selectable and enabled with participants.
    QCOMPARE(schedule.proxy.rowCount(), 1);
    const Qt::ItemFlags expected = opens ? (Qt::ItemIsSelectable | Qt::ItemIsEnabled) : Qt::NoItemFlags;
    for (int column = 0; column < RacesModel::ColumnCount; ++column)
        QCOMPARE(schedule.model.index(0, column).flags(), expected);
    QCOMPARE(schedule.proxy.index(0, 0).flags(), expected);
}

void TestRacesModel::filter_kindAndSearch_data()
{
    QTest::addColumn<bool>("showTrack");
    QTest::addColumn<bool>("showField");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QStringList>("ids");

    // Events, in time order: t1 "" 100m Women, h1 "H" Long Jump Men, v1 "v" High Jump Women,
    // h2 "h" Shot Put Men, x1 "X" Decathlon Points, t2 "" ENDURANCE 3000m, v2 "hV" Pole Vault.
    const QStringList all{"t1", "h1", "v1", "h2", "x1", "t2", "v2"};
    QTest::newRow("both kinds, no search: everything") << true << true << QString() << all;
    QTest::newRow("track hidden") << false << true << QString() << QStringList{"h1", "v1", "h2", "x1", "v2"};
    QTest::newRow("field hidden, lower-case h and v count as field")
        << true << false << QString() << QStringList{"t1", "x1", "t2"};
    QTest::newRow("both hidden: other letters still listed") << false << false << QString() << QStringList{"x1"};
    QTest::newRow("search of two letters, any case, anywhere")
        << true << true << QStringLiteral("eN") << QStringList{"t1", "h1", "v1", "h2", "t2"};
    QTest::newRow("search at the start in capitals") << true << true << QStringLiteral("endu") << QStringList{"t2"};
    QTest::newRow("search inside a word") << true << true << QStringLiteral("UMP") << QStringList{"h1", "v1"};
    QTest::newRow("search and kind together")
        << false << true << QStringLiteral("men") << QStringList{"h1", "v1", "h2"};
    QTest::newRow("search without match") << true << true << QStringLiteral("relay") << QStringList{};
}

void TestRacesModel::filter_kindAndSearch()
{
    QFETCH(bool, showTrack);
    QFETCH(bool, showField);
    QFETCH(QString, search);
    QFETCH(QStringList, ids);

    Schedule schedule;
    schedule.model.heatEventsReceived({
        heat("t1", "100m Women", "0900"),
        heat("h1", "Long Jump Men", "0910", "8", "H"),
        heat("v1", "High Jump Women", "0920", "8", "v"),
        heat("h2", "Shot Put Men", "0930", "8", "h"),
        heat("x1", "Decathlon Points", "0940", "8", "X"),
        heat("t2", "ENDURANCE 3000m", "0950"),
        heat("v2", "Pole Vault", "1000", "8", "hV"),
    });
    schedule.proxy.setShowTrackEvents(showTrack);
    schedule.proxy.setShowFieldEvents(showField);
    schedule.proxy.onSearchTextChanged(search);
    QCOMPARE(proxyIds(schedule.proxy), ids);

    // Clearing the search and showing both kinds brings every event back.
    schedule.proxy.onSearchTextChanged(QString());
    schedule.proxy.setShowTrackEvents(true);
    schedule.proxy.setShowFieldEvents(true);
    QCOMPARE(schedule.proxy.rowCount(), 7);
}

void TestRacesModel::order_byTimeThenArrival_data()
{
    QTest::addColumn<Receptions>("receptions");
    QTest::addColumn<QStringList>("ids");

    QTest::newRow("sorted by start time, not by id")
        << Receptions{{"1:A@1000", "2:B@0900", "3:C@1100"}} << QStringList{"2", "1", "3"};
    QTest::newRow("same minute keeps arrival order")
        << Receptions{{"9:A@1000", "2:B@1000", "5:C@0900", "1:D@1000"}} << QStringList{"5", "9", "2", "1"};
    QTest::newRow("update of the first of two equals keeps its place")
        << Receptions{{"7:A@1000", "3:B@1000"}, {"7:A renamed@1000", "3:B@1000"}} << QStringList{"7", "3"};
    QTest::newRow("update of the second of two equals keeps its place")
        << Receptions{{"7:A@1000", "3:B@1000"}, {"7:A@1000", "3:B renamed@1000"}} << QStringList{"7", "3"};
    QTest::newRow("later arrival at an equal time comes after")
        << Receptions{{"2:A@1000"}, {"2:A@1000", "1:B@1000"}} << QStringList{"2", "1"};
    QTest::newRow("changed time moves the event")
        << Receptions{{"1:A@1000", "2:B@1100"}, {"1:A@1200", "2:B@1100"}} << QStringList{"2", "1"};
    QTest::newRow("moved to the time of a later arrival, goes ahead of it")
        << Receptions{{"1:A@1100", "2:B@1000"}, {"1:A@1000", "2:B@1000"}} << QStringList{"1", "2"};
    QTest::newRow("earlier time moves ahead of equals")
        << Receptions{{"1:A@1000", "2:B@1000", "3:C@1000"}, {"1:A@1000", "2:B@1000", "3:C@0800"}}
        << QStringList{"3", "1", "2"};
}

void TestRacesModel::order_byTimeThenArrival()
{
    QFETCH(Receptions, receptions);
    QFETCH(QStringList, ids);

    Schedule schedule;
    for (const QStringList &reception : receptions)
        schedule.model.heatEventsReceived(parse(reception));
    QCOMPARE(proxyIds(schedule.proxy), ids);
}

void TestRacesModel::neighbouringTrackEvents_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QString>("next");

    // In time order: t1, f1 (H), t2, t3, f2 (V); t0 is listed last by time although it arrived first.
    QTest::newRow("first has no previous, field event between is skipped") << QString() << "t1"
                                                                           << ""
                                                                           << "t2";
    QTest::newRow("previous skips the field event") << QString() << "t2"
                                                    << "t1"
                                                    << "t3";
    QTest::newRow("field event after a track event is skipped") << QString() << "t3"
                                                                << "t2"
                                                                << "t0";
    QTest::newRow("last track event has no next") << QString() << "t0"
                                                  << "t3"
                                                  << "";
    QTest::newRow("from a field event") << QString() << "f1"
                                        << "t1"
                                        << "t2";
    QTest::newRow("unknown id") << QString() << "zz"
                                << ""
                                << "";
    QTest::newRow("filtered list: hidden heat is skipped") << "sprint"
                                                           << "t1"
                                                           << ""
                                                           << "t3";
    QTest::newRow("filtered out id is not found") << "sprint"
                                                  << "t2"
                                                  << ""
                                                  << "";
}

void TestRacesModel::neighbouringTrackEvents()
{
    QFETCH(QString, search);
    QFETCH(QString, id);
    QFETCH(QString, previous);
    QFETCH(QString, next);

    Schedule schedule;
    schedule.model.heatEventsReceived({
        heat("t0", "Sprint Relay", "1300"),
        heat("t1", "Sprint Heat 1", "0900"),
        heat("f1", "Long Jump", "0905", "8", "H"),
        heat("t2", "Hurdles Heat 2", "0910"),
        heat("t3", "Sprint Heat 3", "0920"),
        heat("f2", "High Jump", "0930", "8", "V"),
    });
    schedule.proxy.onSearchTextChanged(search);

    for (const auto &[found, expected] : {qMakePair(schedule.proxy.previousTrackEvent(id), previous),
                                          qMakePair(schedule.proxy.nextTrackEvent(id), next)}) {
        QCOMPARE(found.isValid(), !expected.isEmpty());
        if (!found.isValid())
            continue;
        // The index points at the field-type column of the neighbour.
        QCOMPARE(found.column(), int(RacesModel::FieldTypeColumn));
        QCOMPARE(schedule.proxy.index(found.row(), RacesModel::IdColumn).data().toString(), expected);
    }
}

void TestRacesModel::heatEventAt_followsTheShownOrder()
{
    Schedule schedule;
    schedule.model.heatEventsReceived(parse({"a:Late heat@1500", "b:Early@0800", "c:Middle heat@1200"}));
    schedule.proxy.onSearchTextChanged(QStringLiteral("heat"));

    QCOMPARE(proxyIds(schedule.proxy), (QStringList{"c", "a"}));
    HeatEvent *first = schedule.proxy.heatEventAt(schedule.proxy.index(0, 3));
    QVERIFY(first);
    QCOMPARE(first->name(), QStringLiteral("Middle heat"));
    QCOMPARE(schedule.proxy.heatEventAt(schedule.proxy.index(1, 0))->id(), QStringLiteral("a"));
    QCOMPARE(schedule.proxy.heatEventAt(QModelIndex()), nullptr);
    // An index of the source model is not a proxy index.
    QCOMPARE(schedule.proxy.heatEventAt(schedule.model.index(0, 0)), nullptr);
}

STADIONIX_TEST_MAIN(TestRacesModel)
#include "tst_racesmodel.moc"
