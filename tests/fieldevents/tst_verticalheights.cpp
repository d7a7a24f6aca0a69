#include <QtTest>

#include "fieldevents/verticalheights.h"
#include "heatbuilder.h"
#include "support/testsupport.h"

using HeatBuilder::heat;

namespace {

QString columnsText(const HeightColumns &columns)
{
    QStringList parts;
    for (const HeightColumn &c : columns)
        parts << (c.isJumpOff() ? QStringLiteral("JO%1 %2").arg(c.jumpOff).arg(c.height, 0, 'f', 2)
                                : QString::number(c.height, 'f', 2));
    return parts.join(QStringLiteral(", "));
}

// Names in working order, "*" after those waiting for a higher start.
QString orderOf(const QList<Participation *> &list)
{
    QList<Participation *> sorted = list;
    std::sort(sorted.begin(), sorted.end(),
              [](const Participation *a, const Participation *b) { return a->working_order < b->working_order; });
    QStringList names;
    for (const Participation *p : sorted)
        names << p->displayName() + (p->waitingForStartHeight ? QStringLiteral("*") : QString());
    return names.join(QLatin1Char(' '));
}

} // namespace

class TestVerticalHeights : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void startingHeights_columnsCurrentAndWaiting();
    void startOrder_data();
    void startOrder();
    void proposal_data();
    void proposal();
    void heightCompleted_data();
    void heightCompleted();
    void reopened_data();
    void reopened();
};

void TestVerticalHeights::startingHeights_columnsCurrentAndWaiting()
{
    QList<Participation *> list = heat({"A:", "B:", "C:"}, QLatin1Char('V'));
    list[0]->startheight = 1.60;
    list[1]->startheight = 1.70;
    list[2]->startheight = 1.60;
    const HeightColumns columns = VerticalHeights::startingHeightColumns(list);
    QCOMPARE(columnsText(columns), QStringLiteral("1.60, 1.70"));
    VerticalHeights::rebuildStartOrder(list, columns.first());
    QCOMPARE(orderOf(list), QStringLiteral("A C B*"));
    qDeleteAll(list);
}

void TestVerticalHeights::startOrder_data()
{
    QTest::addColumn<QStringList>("cards");
    QTest::addColumn<double>("height");
    QTest::addColumn<uint>("jumpOff");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one failure before two, both before the done")
        << QStringList{"Done: 1.80 O", "Two: 1.80 XX", "Fresh:", "One: 1.80 X", "Skipped: 1.80 -"} << 1.80 << 0u
        << "Fresh One Two Done Skipped";
    QTest::newRow("out of competition and retired last")
        << QStringList{"Out: 1.75 XXX", "Retired: 1.75 r", "Fresh:"} << 1.80 << 0u << "Fresh Out Retired";
    QTest::newRow("jump-off: those with a mark are done")
        << QStringList{"A: 1.90 O, 1.95 XXX, JO1 1.97 X", "B: 1.90 O, 1.95 XXX"} << 1.97 << 1u << "B A";
}

void TestVerticalHeights::startOrder()
{
    QFETCH(QStringList, cards);
    QFETCH(double, height);
    QFETCH(uint, jumpOff);
    QFETCH(QString, expected);
    QList<Participation *> list = heat(cards, QLatin1Char('V'));
    for (Participation *p : std::as_const(list)) {
        if (p->displayName() == QLatin1String("Retired"))
            p->abandon = true;
        if (jumpOff > 0)
            p->in_jumpoff = true; // everyone tied for first jumps off
        if (!p->in_jumpoff)
            p->out_of_competition = p->consecutiveFailures() > 2;
    }
    VerticalHeights::rebuildStartOrder(list, {height, jumpOff});
    QCOMPARE(orderOf(list), expected);
    qDeleteAll(list);
}

void TestVerticalHeights::proposal_data()
{
    QTest::addColumn<QStringList>("cards");
    QTest::addColumn<QString>("startHeights"); // per card, "" for none
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("expectedHeight");
    QTest::addColumn<uint>("expectedJumpOff");

    QTest::newRow("next step") << QStringList{"A: 1.80 O"} << "" << 1.80 << 1.85 << 0u;
    QTest::newRow("jump-off at 2.00 nobody clears: down 2 cm")
        << QStringList{"A: 1.95 O, 2.00 XXX, JO1 2.00 X", "B: 1.95 O, 2.00 XXX, JO1 2.00 X"} << "" << 2.00 << 1.98
        << 2u;
    QTest::newRow("jump-off at 2.00 somebody clears: up 2 cm")
        << QStringList{"A: 1.95 O, 2.00 XXX, JO1 2.00 O", "B: 1.95 O, 2.00 XXX, JO1 2.00 X"} << "" << 2.00 << 2.02
        << 2u;
    QTest::newRow("pole vault jump-off steps by 5 cm")
        << QStringList{"A: 4.70 O, 4.80 XXX, JO1 4.80 X", "B: 4.70 O, 4.80 XXX, JO1 4.80 X"} << "" << 4.80 << 4.75
        << 2u;
    QTest::newRow("lower starting height of one who has not jumped")
        << QStringList{"A: 1.70 O", "B:"} << ",1.75" << 1.70 << 1.75 << 0u;
    QTest::newRow("starting height below the step is proposed")
        << QStringList{"A: 1.70 O", "B:"} << ",1.72" << 1.70 << 1.72 << 0u;
    QTest::newRow("who skipped the starting height does not lower it")
        << QStringList{"A: 1.70 O", "B: 1.72 -"} << ",1.72" << 1.70 << 1.75 << 0u;
}

void TestVerticalHeights::proposal()
{
    QFETCH(QStringList, cards);
    QFETCH(QString, startHeights);
    QFETCH(double, height);
    QFETCH(double, expectedHeight);
    QFETCH(uint, expectedJumpOff);
    QList<Participation *> list = heat(cards, QLatin1Char('V'));
    const QStringList starts = startHeights.split(QLatin1Char(','));
    for (int i = 0; i < list.size() && i < starts.size(); ++i)
        list[i]->startheight = starts.at(i).toDouble();
    const HeightColumn next = VerticalHeights::proposeNextHeight(list, {height, 0}, 0.05);
    QCOMPARE(QString::number(next.height, 'f', 2), QString::number(expectedHeight, 'f', 2));
    QCOMPARE(next.jumpOff, expectedJumpOff);
    qDeleteAll(list);
}

void TestVerticalHeights::heightCompleted_data()
{
    QTest::addColumn<QStringList>("cards");
    QTest::addColumn<double>("height");
    QTest::addColumn<bool>("completed");

    QTest::newRow("everyone cleared or skipped") << QStringList{"A: 1.80 O", "B: 1.80 -", "C: 1.80 XO"} << 1.80 << true;
    QTest::newRow("someone still to jump") << QStringList{"A: 1.80 O", "B: 1.80 X"} << 1.80 << false;
    QTest::newRow("eliminated do not hold it up") << QStringList{"A: 1.80 O", "B: 1.80 XXX"} << 1.80 << true;
    QTest::newRow("a height of 0 is never completed") << QStringList{"A:"} << 0.0 << false;
}

void TestVerticalHeights::heightCompleted()
{
    QFETCH(QStringList, cards);
    QFETCH(double, height);
    QFETCH(bool, completed);
    QList<Participation *> list = heat(cards, QLatin1Char('V'));
    for (Participation *p : std::as_const(list))
        p->out_of_competition = p->consecutiveFailures() > 2;
    QCOMPARE(VerticalHeights::isHeightCompleted(list, height), completed);
    qDeleteAll(list);
}

void TestVerticalHeights::reopened_data()
{
    QTest::addColumn<QStringList>("cards");
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QString>("current");

    QTest::newRow("results up to 1.80 and a jump-off at 1.78")
        << QStringList{"A: 1.60 O, 1.70 O, 1.80 XXX, JO1 1.78 O", "B: 1.60 -, 1.65 O, 1.70 O, 1.80 XXX, JO1 1.78 X"}
        << "1.60, 1.65, 1.70, 1.80, JO1 1.78"
        << "JO1 1.78";
    QTest::newRow("no jump-off: the greatest newest height")
        << QStringList{"A: 1.60 O, 1.65 X", "B: 1.60 XO"} << "1.60, 1.65"
        << "1.65";
    QTest::newRow("starting heights of those without results") << QStringList{"A: 1.60 O", "B:"} << "1.60, 1.75"
                                                               << "1.60";
    QTest::newRow("nothing at all") << QStringList{"A:"} << ""
                                    << "0.00";
}

void TestVerticalHeights::reopened()
{
    QFETCH(QStringList, cards);
    QFETCH(QString, columns);
    QFETCH(QString, current);
    QList<Participation *> list = heat(cards, QLatin1Char('V'));
    for (Participation *p : std::as_const(list)) {
        if (p->results().isEmpty() && p->displayName() == QLatin1String("B"))
            p->startheight = 1.75;
    }
    QCOMPARE(columnsText(VerticalHeights::columnsFromResults(list)), columns);
    QCOMPARE(columnsText({VerticalHeights::currentFromResults(list)}), current);
    qDeleteAll(list);
}

STADIONIX_TEST_MAIN(TestVerticalHeights)
#include "tst_verticalheights.moc"
