#include <QtTest>

#include "fieldevents/fieldeventprogress.h"
#include "fieldevents/fieldeventranking.h"
#include "heatbuilder.h"
#include "support/testsupport.h"

using HeatBuilder::heat;
using Step = FieldEventProgress::VerticalStep;
Q_DECLARE_METATYPE(FieldEventProgress::VerticalStep)

class TestFieldEventProgress : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void nextHorizontal_data();
    void nextHorizontal();
    void verticalStep_data();
    void verticalStep();
    void jumpOffOutcome_data();
    void jumpOffOutcome();
    void rankingOrderAndTitle();
};

void TestFieldEventProgress::nextHorizontal_data()
{
    QTest::addColumn<QStringList>("cards");
    QTest::addColumn<QString>("workingOrders");
    QTest::addColumn<QString>("expectedName");
    QTest::addColumn<uint>("expectedAttempt");

    QTest::newRow("first athlete of round one") << QStringList{"A:", "B:", "C:"} << "1 2 3"
                                                << "A" << 1u;
    QTest::newRow("next in round two") << QStringList{"A: 7 7", "B: 7", "C: 7"} << "1 2 3"
                                       << "B" << 2u;
    QTest::newRow("start order, not list order") << QStringList{"A:", "B:", "C:"} << "3 1 2"
                                                 << "B" << 1u;
    QTest::newRow("everyone done") << QStringList{"A: 7 7 7", "B: 7 7 7"} << "1 2"
                                   << "" << 0u;
    QTest::newRow("a late result in round one first") << QStringList{"A: 7 7", "B: . 7", "C: 7 7"} << "1 2 3"
                                                      << "B" << 1u;
}

void TestFieldEventProgress::nextHorizontal()
{
    QFETCH(QStringList, cards);
    QFETCH(QString, workingOrders);
    QFETCH(QString, expectedName);
    QFETCH(uint, expectedAttempt);
    QList<Participation *> list = heat(cards, QLatin1Char('H'));
    const QStringList orders = workingOrders.split(QLatin1Char(' '));
    for (int i = 0; i < list.size(); ++i)
        list[i]->working_order = orders.at(i).toUInt();
    unsigned attempt = 0;
    const Participation *next = FieldEventProgress::nextHorizontal(list, 3, &attempt);
    QCOMPARE(next ? next->displayName() : QString(), expectedName);
    QCOMPARE(attempt, expectedAttempt);
    qDeleteAll(list);
}

void TestFieldEventProgress::verticalStep_data()
{
    QTest::addColumn<QStringList>("cards");
    QTest::addColumn<bool>("hasHeights");
    QTest::addColumn<double>("height");
    QTest::addColumn<uint>("jumpOff");
    QTest::addColumn<QString>("inJumpOff");
    QTest::addColumn<Step>("expected");

    QTest::newRow("no heights yet") << QStringList{"A:", "B:"} << false << 0.0 << 0u << "" << Step::OpenStartingHeights;
    QTest::newRow("nobody jumped yet") << QStringList{"A:", "B:"} << true << 1.50 << 0u << ""
                                       << Step::OpenStartingHeights;
    QTest::newRow("athletes still to jump")
        << QStringList{"A: 1.50 O", "B: 1.50 X"} << true << 1.50 << 0u << "" << Step::Next;
    QTest::newRow("height completed") << QStringList{"A: 1.50 O", "B: 1.50 XO"} << true << 1.50 << 0u << ""
                                      << Step::NewHeightThenNext;
    QTest::newRow("single leader ends it") << QStringList{"A: 1.50 O, 1.55 XXX", "B: 1.50 XO, 1.55 XXX"} << true << 1.55
                                           << 0u << "" << Step::EndSingleLeader;
    QTest::newRow("tie for first asks for a jump-off")
        << QStringList{"A: 1.50 O, 1.55 XXX", "B: 1.50 O, 1.55 XXX"} << true << 1.55 << 0u << "" << Step::AskForJumpOff;
    QTest::newRow("jump-off started, no attempt yet") << QStringList{"A: 1.50 O, 1.55 XXX", "B: 1.50 O, 1.55 XXX"}
                                                      << true << 1.55 << 0u << "A B" << Step::NewHeightThenNext;
    QTest::newRow("jump-off round half way") << QStringList{"A: 1.50 O, 1.55 XXX, JO1 1.55 X", "B: 1.50 O, 1.55 XXX"}
                                             << true << 1.55 << 1u << "A B" << Step::Next;
    QTest::newRow("nobody cleared the round: the bar moves")
        << QStringList{"A: 1.50 O, 1.55 XXX, JO1 1.55 X", "B: 1.50 O, 1.55 XXX, JO1 1.55 X"} << true << 1.55 << 1u
        << "A B" << Step::NewHeightThenNext;
    QTest::newRow("one cleared, one failed: decided")
        << QStringList{"A: 1.50 O, 1.55 XXX, JO1 1.53 O", "B: 1.50 O, 1.55 XXX, JO1 1.53 X"} << true << 1.53 << 1u
        << "A B" << Step::EndDecided;
}

void TestFieldEventProgress::verticalStep()
{
    QFETCH(QStringList, cards);
    QFETCH(bool, hasHeights);
    QFETCH(double, height);
    QFETCH(uint, jumpOff);
    QFETCH(QString, inJumpOff);
    QFETCH(Step, expected);
    QList<Participation *> list = heat(cards, QLatin1Char('V'));
    for (Participation *p : std::as_const(list)) {
        p->in_jumpoff = inJumpOff.split(QLatin1Char(' ')).contains(p->displayName());
        p->out_of_competition = !p->in_jumpoff && p->consecutiveFailures() > 2;
    }
    FieldEventRanking::rankHeat(list, QLatin1Char('V'));
    if (jumpOff > 0)
        for (Participation *p : std::as_const(list))
            FieldEventProgress::applyJumpOffOutcome(list, p, jumpOff);
    QCOMPARE(FieldEventProgress::verticalStep(list, hasHeights, {height, jumpOff}), expected);
    qDeleteAll(list);
}

void TestFieldEventProgress::jumpOffOutcome_data()
{
    QTest::addColumn<QStringList>("cards");
    QTest::addColumn<QString>("jumped");
    QTest::addColumn<QString>("out");

    QTest::newRow("skip before anyone cleared leaves") << QStringList{"A: JO1 1.60 -", "B:", "C:"} << "A"
                                                       << "A";
    QTest::newRow("failure before anyone cleared stays") << QStringList{"A: JO1 1.60 X", "B:", "C:"} << "A"
                                                         << "";
    QTest::newRow("clearance by another takes out who failed")
        << QStringList{"A: JO1 1.60 X", "B: JO1 1.60 O", "C: JO1 1.60 X"} << "C"
        << "A C";
    QTest::newRow("who has not jumped yet stays in") << QStringList{"A: JO1 1.60 O", "B: JO1 1.60 X", "C:"} << "B"
                                                     << "B";
}

void TestFieldEventProgress::jumpOffOutcome()
{
    QFETCH(QStringList, cards);
    QFETCH(QString, jumped);
    QFETCH(QString, out);
    QList<Participation *> list = heat(cards, QLatin1Char('V'));
    Participation *jumper = nullptr;
    for (Participation *p : std::as_const(list)) {
        p->in_jumpoff = true;
        if (p->displayName() == jumped)
            jumper = p;
    }
    FieldEventProgress::applyJumpOffOutcome(list, jumper, 1);
    QStringList names;
    for (const Participation *p : std::as_const(list)) {
        if (p->out_of_competition)
            names << p->displayName();
    }
    QCOMPARE(names.join(QLatin1Char(' ')), out);
    qDeleteAll(list);
}

void TestFieldEventProgress::rankingOrderAndTitle()
{
    QList<Participation *> list = heat({"A: X", "B: 7", "C: 8", "D: 7"}, QLatin1Char('H'));
    FieldEventRanking::rankHeat(list, QLatin1Char('H'));
    list[3]->initial_order = 0; // D drawn before B
    QStringList names;
    for (const Participation *p : FieldEventProgress::rankingOrder(list))
        names << p->displayName();
    QCOMPARE(names, (QStringList{"C", "D", "B", "A"}));
    qDeleteAll(list);

    QVariantMap values{{"event.eventName", " Long Jump "}, {"event.roundName", "Final"}, {"event.seqno", 1}};
    QCOMPARE(FieldEventProgress::eventTitle(values), QStringLiteral("Long Jump - Final - 1"));
    values.insert("event.roundName", "*");
    QCOMPARE(FieldEventProgress::eventTitle(values), QStringLiteral("Long Jump - 1"));
    values.insert("event.roundName", "");
    QCOMPARE(FieldEventProgress::eventTitle(values), QString());
}

STADIONIX_TEST_MAIN(TestFieldEventProgress)
#include "tst_fieldeventprogress.moc"
