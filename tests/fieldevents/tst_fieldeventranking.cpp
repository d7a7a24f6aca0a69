#include <QtTest>

#include "fieldevents/fieldeventranking.h"
#include "heatbuilder.h"
#include "support/tempstore.h"
#include "support/testsupport.h"

using HeatBuilder::heat;
using HeatBuilder::ranks;

class TestFieldEventRanking : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void horizontal_data();
    void horizontal();
    void vertical_data();
    void vertical();
    void verticalKeys_countFailuresUpToLastClearance();
    void ranks_writtenToStore();
    void attemptsAndEnd_data();
    void attemptsAndEnd();
    void resortCheck_data();
    void resortCheck();
    void resort_data();
    void resort();
    void displayOrders_unrankedLast();
};

void TestFieldEventRanking::horizontal_data()
{
    QTest::addColumn<QStringList>("cards");
    QTest::addColumn<QString>("expected");

    QTest::newRow("third best mark decides") << QStringList{"A: 8.10 7.90 7.50", "B: 8.10 7.90 7.60"} << "2 1";
    QTest::newRow("a missing third mark loses the countback")
        << QStringList{"A: 8.10 7.90 7.50", "C: 8.10 7.90 X"} << "1 2";
    QTest::newRow("equal on all six marks share, next skips")
        << QStringList{"A: 7.10 7.20 7.30 7.40 7.50 7.60", "B: 7.60 7.50 7.40 7.30 7.20 7.10", "C: 7.00"} << "1 1 3";
    QTest::newRow("only failures gives no rank") << QStringList{"A: X X X", "B: 6.02 X -", "C: - - -"} << "0 1 0";
    QTest::newRow("three tied on best, split on second then third")
        << QStringList{"A: 7.50 7.20 6.90", "B: 7.50 7.30 X", "C: 7.50 7.20 7.00"} << "3 1 2";
    QTest::newRow("tie after countback with a better athlete before")
        << QStringList{"A: 8.00", "B: 7.50 7.00", "C: 7.50 7.00", "D: 7.40"} << "1 2 2 4";
    QTest::newRow("retired keeps the marks made") << QStringList{"A: 6.50 r", "B: 6.40 6.45 6.48"} << "1 2";
    QTest::newRow("seventh attempt does not count in the countback")
        << QStringList{"A: 7.00 6.00 . . . . 6.90", "B: 7.00 6.50"} << "2 1";
    QTest::newRow("women's long jump final, six rounds") << QStringList{"Ilse Varnholt: 6.41 6.52 X 6.60 6.38 X",
                                                                        "Mara Quellenbach: X 6.60 6.55 X X 6.47",
                                                                        "Zoë Øvergård: 6.12 6.30 6.28 X 6.33 6.21",
                                                                        "Lucía Fernández-Oros: 6.60 6.47 - - X X",
                                                                        "Björk Haldorsen: X X X . . .",
                                                                        "Agnès Talvère: 6.33 X 6.33 6.30 6.12 6.29"}
                                                         << "2 1 5 3 0 4";
}

void TestFieldEventRanking::horizontal()
{
    QFETCH(QStringList, cards);
    QFETCH(QString, expected);
    QList<Participation *> list = heat(cards, QLatin1Char('H'));
    FieldEventRanking::rankHeat(list, QLatin1Char('H'));
    QCOMPARE(ranks(list), expected);
    qDeleteAll(list);
}

void TestFieldEventRanking::vertical_data()
{
    QTest::addColumn<QStringList>("cards");
    QTest::addColumn<QString>("expected");

    QTest::newRow("fewer tries at the best height first")
        << QStringList{"A: 1.80 XO, 1.85 XXX", "B: 1.80 O, 1.85 XXX"} << "2 1";
    QTest::newRow("equal there, fewer failures in total first")
        << QStringList{"A: 1.75 XO, 1.80 O, 1.85 XXX", "B: 1.75 O, 1.80 O, 1.85 XXX"} << "2 1";
    QTest::newRow("equal on both, shared rank")
        << QStringList{"A: 1.70 XO, 1.75 O, 1.80 O, 1.85 XXX", "B: 1.70 O, 1.75 XO, 1.80 O, 1.85 XXX", "C: 1.75 O"}
        << "1 1 3";
    QTest::newRow("failures above the last clearance do not count")
        << QStringList{"A: 1.80 O, 1.85 XO, 1.90 XXX", "B: 1.80 O, 1.85 XO, 1.90 X"} << "1 1";
    QTest::newRow("skipped heights are no failures")
        << QStringList{"A: 1.80 -, 1.85 O, 1.90 XXX", "B: 1.80 XO, 1.85 O, 1.90 XXX"} << "1 2";
    QTest::newRow("men's high jump, seven athletes")
        << QStringList{"Tomasz Wiśniewski: 2.00 O, 2.05 O, 2.10 XO, 2.14 XXX",
                       "Jörg Falkenrath: 2.00 -, 2.05 XO, 2.10 O, 2.14 XXX",
                       "Émile Dubreuil: 2.00 O, 2.05 O, 2.10 O, 2.14 XX-, 2.17 X",
                       "Søren Blixgaard: 2.00 XO, 2.05 XXO, 2.10 XXX",
                       "Iñigo Arrieta: 2.00 O, 2.05 XXX",
                       "Kai Ostermeyer: 2.00 XXX",
                       "Łukasz Brzęk: 2.00 O, 2.05 XXO, 2.10 XXX"}
        << "3 2 1 5 6 0 4";
    QTest::newRow("jump-off clearance decides the tie")
        << QStringList{"A: 1.90 O, 1.95 XXX, JO1 1.97 X, JO2 1.95 O", "B: 1.90 O, 1.95 XXX, JO1 1.97 X, JO2 1.95 X"}
        << "1 2";
    QTest::newRow("jump-off still level keeps the tie")
        << QStringList{"A: 1.90 O, 1.95 XXX, JO1 1.97 X", "B: 1.90 O, 1.95 XXX, JO1 1.97 X"} << "1 1";
}

void TestFieldEventRanking::vertical()
{
    QFETCH(QStringList, cards);
    QFETCH(QString, expected);
    QList<Participation *> list = heat(cards, QLatin1Char('V'));
    FieldEventRanking::rankHeat(list, QLatin1Char('V'));
    QCOMPARE(ranks(list), expected);
    qDeleteAll(list);
}

void TestFieldEventRanking::verticalKeys_countFailuresUpToLastClearance()
{
    QList<Participation *> list = heat({"A: 1.75 XO, 1.80 -, 1.85 XXO, 1.90 XX"}, QLatin1Char('V'));
    const FieldEventRanking::VerticalKeys keys = FieldEventRanking::verticalKeys(list.first());
    QCOMPARE(keys.highestCleared, 1.85);
    QCOMPARE(keys.triesAtHighest, 3);
    QCOMPARE(keys.failuresAtHighest, 2);
    QCOMPARE(keys.totalFailures, 3);
    QCOMPARE(keys.jumpOffClearance, -1);
    QVERIFY(!keys.jumpOffSkip);
    qDeleteAll(list);
}

void TestFieldEventRanking::ranks_writtenToStore()
{
    TempStore store;
    QList<Participation *> list = heat({"A: 7.00", "B: 7.20", "C: X"}, QLatin1Char('H'), store.get());
    FieldEventRanking::rankHeat(list, QLatin1Char('H'));
    QCOMPARE(store.rows(QStringLiteral("SELECT participation_id, current_order FROM participations ORDER BY "
                                       "participation_id")),
             (QList<QVariantList>{{1, 2}, {2, 1}, {3, 0}}));
    // A correction that removes B's mark moves A up, in the store too.
    for (const ResultChange &change : list.at(1)->setFieldResult(1, ResultMarks::Removal, 0, 0))
        delete change.result;
    FieldEventRanking::rankHeat(list, QLatin1Char('H'));
    QCOMPARE(store.rows(QStringLiteral("SELECT current_order FROM participations ORDER BY participation_id")),
             (QList<QVariantList>{{1}, {0}, {0}}));
    qDeleteAll(list);
}

void TestFieldEventRanking::attemptsAndEnd_data()
{
    QTest::addColumn<QStringList>("cards");
    QTest::addColumn<QString>("fieldType");
    QTest::addColumn<int>("numberOfAttempts");
    QTest::addColumn<QString>("retired"); // names set to abandon
    QTest::addColumn<bool>("attempt3Finished");
    QTest::addColumn<bool>("attempt4Begun");
    QTest::addColumn<bool>("finished");
    QTest::addColumn<bool>("notStarted");

    QTest::newRow("three rounds done") << QStringList{"A: 7.00 X 7.10", "B: X X 6.00"} << "H" << 6 << "" << true
                                       << false << false << false;
    QTest::newRow("one athlete still to jump")
        << QStringList{"A: 7.00 X 7.10", "B: X X"} << "H" << 6 << "" << false << false << false << false;
    QTest::newRow("a retired athlete is not waited for")
        << QStringList{"A: 7.00 X 7.10", "B: X X"} << "H" << 6 << "B" << true << false << false << false;
    QTest::newRow("three-attempt qualification ends after three")
        << QStringList{"A: 7.00 X 7.10", "B: X X 6.00"} << "H" << 3 << "" << true << false << true << false;
    QTest::newRow("fourth round begun") << QStringList{"A: 7.00 X 7.10 7.20", "B: X X 6.00"} << "H" << 6 << "" << true
                                        << true << false << false;
    QTest::newRow("nothing jumped yet") << QStringList{"A:", "B:"} << "H" << 6 << "" << false << false << false << true;
    QTest::newRow("vertical with someone active")
        << QStringList{"A: 1.80 O", "B: 1.80 XXX"} << "V" << 6 << "" << false << false << false << false;
    QTest::newRow("vertical with everyone out")
        << QStringList{"A: 1.80 O, 1.85 XXX", "B: 1.80 XXX"} << "V" << 6 << "" << false << false << true << false;
}

void TestFieldEventRanking::attemptsAndEnd()
{
    QFETCH(QStringList, cards);
    QFETCH(QString, fieldType);
    QFETCH(int, numberOfAttempts);
    QFETCH(QString, retired);
    QFETCH(bool, attempt3Finished);
    QFETCH(bool, attempt4Begun);
    QFETCH(bool, finished);
    QFETCH(bool, notStarted);

    const QChar type = fieldType.at(0);
    QList<Participation *> list = heat(cards, type);
    for (Participation *p : std::as_const(list)) {
        p->abandon = retired.contains(p->displayName());
        if (type == QLatin1Char('V'))
            p->out_of_competition = p->consecutiveFailures() > 2;
    }
    if (type == QLatin1Char('H')) {
        QCOMPARE(FieldEventRanking::isAttemptFinished(list, 3), attempt3Finished);
        QCOMPARE(FieldEventRanking::isAttemptBegun(list, 4), attempt4Begun);
    }
    QCOMPARE(FieldEventRanking::isEventFinished(list, type, unsigned(numberOfAttempts)), finished);
    QCOMPARE(FieldEventRanking::hasNotStarted(list), notStarted);
    qDeleteAll(list);
}

void TestFieldEventRanking::resortCheck_data()
{
    QTest::addColumn<QStringList>("cards");
    QTest::addColumn<int>("numberOfAttempts");
    QTest::addColumn<bool>("ask");

    QTest::newRow("after round three") << QStringList{"A: 7 7 7", "B: X X X"} << 6 << true;
    QTest::newRow("round three unfinished") << QStringList{"A: 7 7 7", "B: X X"} << 6 << false;
    QTest::newRow("round four begun") << QStringList{"A: 7 7 7 7", "B: X X X"} << 6 << false;
    QTest::newRow("two-attempt event after two") << QStringList{"A: 7 7", "B: X X"} << 2 << true;
}

void TestFieldEventRanking::resortCheck()
{
    QFETCH(QStringList, cards);
    QFETCH(int, numberOfAttempts);
    QFETCH(bool, ask);
    QList<Participation *> list = heat(cards, QLatin1Char('H'));
    QCOMPARE(FieldEventRanking::shouldAskForResort(list, unsigned(numberOfAttempts)), ask);
    qDeleteAll(list);
}

void TestFieldEventRanking::resort_data()
{
    QTest::addColumn<QStringList>("cards");
    QTest::addColumn<int>("maximumRank");
    QTest::addColumn<QString>("workingOrders"); // in card order
    QTest::addColumn<QString>("outOfCompetition");

    const QStringList ten{"P1: 8.00", "P2: 7.90", "P3: 7.80", "P4: 7.70", "P5: 7.60",
                          "P6: 7.50", "P7: 7.40", "P8: 7.30", "P9: 7.20", "P10: 7.10"};
    QTest::newRow("best eight, eighth starts first") << ten << 8 << "8 7 6 5 4 3 2 1 9 10"
                                                     << "0 0 0 0 0 0 0 0 1 1";
    QTest::newRow("zero keeps everyone, reversed") << ten << 0 << "10 9 8 7 6 5 4 3 2 1"
                                                   << "0 0 0 0 0 0 0 0 0 0";
    QTest::newRow("more asked than there are") << ten << 12 << "10 9 8 7 6 5 4 3 2 1"
                                               << "0 0 0 0 0 0 0 0 0 0";
    QTest::newRow("tie at the cut keeps both")
        << QStringList{"P1: 8.00", "P2: 7.90", "P3: 7.80",  "P4: 7.70",  "P5: 7.60",
                       "P6: 7.50", "P7: 7.40", "P8a: 7.30", "P8b: 7.30", "P10: 7.10"}
        << 8 << "9 8 7 6 5 4 3 1 2 10"
        << "0 0 0 0 0 0 0 0 0 1";
    QTest::newRow("unranked athletes go first when all stay")
        << QStringList{"A: 7.00", "B: X X X", "C: 7.50"} << 0 << "2 1 3"
        << "0 0 0";
    QTest::newRow("unranked athletes leave when the best two go on")
        << QStringList{"A: 7.00", "B: X X X", "C: 7.50"} << 2 << "1 3 2"
        << "0 1 0";
    // The extra trials go to valid marks only, even when fewer than the
    // number have one.
    QTest::newRow("best eight asked, five valid marks: only they go on")
        << QStringList{"A: 7.00",  "B: X X X", "C: 7.50",  "D: X - X", "E: 6.90",
                       "F: X X X", "G: 7.20",  "H: - - -", "I: 7.10",  "J: X X X"}
        << 8 << "2 10 5 9 1 8 4 7 3 6"
        << "0 1 0 1 0 1 0 1 0 1";
    QTest::newRow("best four asked, three valid marks tied at the cut: they go on")
        << QStringList{"A: 7.00", "B: 7.00", "C: 7.50", "D: X X X", "E: X"} << 4 << "1 2 3 5 4"
        << "0 0 0 1 1";
    QTest::newRow("no more athletes than the number: all go on, marks or not")
        << QStringList{"A: 7.00", "B: X X X", "C: 7.50"} << 3 << "2 1 3"
        << "0 0 0";
}

void TestFieldEventRanking::resort()
{
    QFETCH(QStringList, cards);
    QFETCH(int, maximumRank);
    QFETCH(QString, workingOrders);
    QFETCH(QString, outOfCompetition);

    TempStore store;
    const QList<Participation *> inCardOrder = heat(cards, QLatin1Char('H'), store.get());
    QList<Participation *> list = inCardOrder;
    FieldEventRanking::rankHeat(list, QLatin1Char('H'));
    const QString ranksBefore = ranks(inCardOrder);
    FieldEventRanking::resort(list, unsigned(maximumRank));

    QStringList orders, out;
    for (const Participation *p : inCardOrder) {
        orders << QString::number(p->working_order);
        out << QString::number(p->out_of_competition ? 1 : 0);
        QCOMPARE(p->working_order_loaded, p->working_order);
    }
    QCOMPARE(orders.join(' '), workingOrders);
    QCOMPARE(out.join(' '), outOfCompetition);
    QCOMPARE(ranks(inCardOrder), ranksBefore); // the temporary 999 never stays
    QCOMPARE(store.scalar(QStringLiteral("SELECT count(*) FROM participations WHERE current_order = 999")).toInt(), 0);
    // The list itself ends up by working order, highest first.
    for (int i = 1; i < list.size(); ++i)
        QVERIFY(list.at(i - 1)->working_order >= list.at(i)->working_order);
    // And the store holds what the records hold.
    for (const Participation *p : inCardOrder) {
        QCOMPARE(
            store.scalar(QStringLiteral("SELECT working_order FROM participations WHERE id = %1").arg(p->id)).toUInt(),
            p->working_order);
    }
    qDeleteAll(list);
}

void TestFieldEventRanking::displayOrders_unrankedLast()
{
    QList<Participation *> list = heat({"A: X", "B: 7.00", "C: 7.50"}, QLatin1Char('H'));
    FieldEventRanking::rankHeat(list, QLatin1Char('H'));
    list[0]->working_order = 3;
    list[1]->working_order = 1;
    list[2]->working_order = 2;
    QStringList names;
    for (const Participation *p : FieldEventRanking::byRank(list))
        names << p->displayName();
    QCOMPARE(names, (QStringList{"C", "B", "A"}));
    names.clear();
    for (const Participation *p : FieldEventRanking::byStartOrder(list))
        names << p->displayName();
    QCOMPARE(names, (QStringList{"B", "C", "A"}));
    qDeleteAll(list);
}

STADIONIX_TEST_MAIN(TestFieldEventRanking)
#include "tst_fieldeventranking.moc"
