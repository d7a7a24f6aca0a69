// A heat left mid-event and opened again, from the schedule or after the
// program was restarted (with the server up and down), through the real
// screen, the stand-in server and a real store: it comes back with the
// ranks, the final-round order, the eliminations and the heights it had.
#include <QDoubleSpinBox>
#include <QMessageBox>
#include <QRadioButton>
#include <QtTest>

#include "fieldevents/fieldeventparticipantssortmodel.h"
#include "fieldevents/participantstartingheightwidget.h"
#include "fieldevents/setstartingheightsdialog.h"
#include "fieldeventscreenfixture.h"
#include "schedule/modalanswerer.h"
#include "support/testsupport.h"

namespace {

// This test's own loopback address (docs/testing.md).
const QString Host = QStringLiteral("127.0.21.1");

// Dialogs that must not open: each one's title is noted and it is closed.
QList<ModalAnswerer::Handler> noteAndClose(QStringList *titles)
{
    QList<ModalAnswerer::Handler> handlers;
    for (int i = 0; i < 8; ++i)
        handlers.append([titles](QWidget *dialog) {
            titles->append(dialog->windowTitle());
            dialog->close();
        });
    return handlers;
}

ModalAnswerer::Handler newHeight(double proposal)
{
    return [proposal](QWidget *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("New Height"));
        QCOMPARE(dialog->findChild<QDoubleSpinBox *>("spnHeight")->value(), proposal);
        press(dialog, "btnOK");
    };
}

ModalAnswerer::Handler eventEnded()
{
    return [](QWidget *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Event finished"));
        QCOMPARE(qobject_cast<QMessageBox *>(dialog)->text(), QStringLiteral("The event has ended"));
        press(dialog, "OK");
    };
}

// The order text of the athlete drawn n-th, as the grid shows it.
QString shownOrder(const FieldEventScreenFixture &f, unsigned drawn)
{
    FieldEventParticipantsModel *model = f.screen->gridModel();
    const int row = model->rowOfParticipation(f.drawn(drawn)->id);
    return model->index(row, FieldEventParticipantsModel::OrderColumn).data().toString();
}

} // namespace

class TestFieldEventReopen : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void longJump_finalRoundsSurviveReopenAndRestart_data();
    void longJump_finalRoundsSurviveReopenAndRestart();
    void highJump_finishedByCountback_reopensEnded();
    void highJump_heightSetNotJumped_survivesReopen_data();
    void highJump_heightSetNotJumped_survivesReopen();
    void startingHeights_defaultFromServer();
};

void TestFieldEventReopen::longJump_finalRoundsSurviveReopenAndRestart_data()
{
    QTest::addColumn<int>("cached");
    QTest::newRow("from the schedule as the server lists it") << 0;
    QTest::newRow("from the schedule as the store holds it") << 1;
}

void TestFieldEventReopen::longJump_finalRoundsSurviveReopenAndRestart()
{
    QFETCH(int, cached);
    FieldEventScreenFixture f({971, "H", "", 6, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}, Host);
    QVERIFY(f.started);
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000));

    // Best marks after three rounds, with ties the countback splits: 3 and 7
    // (6.70, then 6.50 against 6.40), 10 and 5 (6.40), 4 and 8 (6.00); 6
    // has no valid mark.
    const QStringList roundsOneToThree[] = {
        {"6,50", "5,80", "6,40", "5,90", "6,20", "X", "6,70", "6", "5,70", "6,30", "6,20", "X"},
        {"X", "5,50", "6,70", "6", "X", "X", "6,40", "5,80", "X", "6,40", "6,10", "5,90"},
        {"6,10", "X", "6,50", "X", "6,40", "X", "X", "5,60", "5,60", "X", "6", "5,85"},
    };
    for (int round = 0; round < 3; ++round) {
        for (unsigned drawn = 1; drawn <= 12; ++drawn) {
            QCOMPARE(f.currentDrawn(), drawn);
            f.click("btnCallParticipant");
            f.type(roundsOneToThree[round].at(int(drawn) - 1));
            if (round == 2 && drawn == 12) {
                ModalAnswerer resort({[](QWidget *dialog) {
                    QCOMPARE(dialog->windowTitle(), QStringLiteral("Resort participants"));
                    press(dialog, "btnSelect");
                }});
                f.click("btnEnter");
                QCOMPARE(resort.answered(), 1);
            } else {
                f.click("btnEnter");
            }
        }
    }

    // The best eight in reverse order of ranking; the rest out.
    const QList<unsigned> finalOrder{8, 4, 11, 5, 10, 1, 7, 3};
    const QMap<unsigned, QString> orderTexts{{8, "1 (8)"},   {4, "2 (4)"},  {11, "3 (11)"}, {5, "4 (5)"},
                                             {10, "5 (10)"}, {1, "6 (1)"},  {7, "7"},       {3, "8 (3)"},
                                             {12, "9 (12)"}, {2, "10 (2)"}, {9, "11 (9)"},  {6, "12 (6)"}};
    const QList<unsigned> nonFinalists{12, 2, 9, 6};
    const auto checkOrder = [&](const char *when) {
        for (auto it = orderTexts.cbegin(); it != orderTexts.cend(); ++it)
            QVERIFY2(shownOrder(f, it.key()) == it.value(),
                     qPrintable(
                         QStringLiteral("%1: drawn %2 shows %3").arg(when).arg(it.key()).arg(shownOrder(f, it.key()))));
        for (unsigned drawn : nonFinalists)
            QVERIFY2(f.drawn(drawn)->out_of_competition, qPrintable(QStringLiteral("%1: %2 in").arg(when).arg(drawn)));
    };
    checkOrder("re-sorted");

    const QMap<unsigned, QStringList> roundsFourToSix{
        {8, {"6,10", "X", "5,90"}}, {4, {"X", "6,05", "X"}}, {11, {"6,25", "6,30", "X"}}, {5, {"6,40", "X", "6,35"}},
        {10, {"6,45", "X", "X"}},   {1, {"X", "6,55", "X"}}, {7, {"6,70", "X", "X"}},     {3, {"X", "X", "6,60"}}};
    // After every athlete of round 4 whose number is here, the judge leaves
    // the heat (or the program ends) and opens it again.
    enum Break { Reopen, RestartServerUp, RestartServerDown };
    const QMap<unsigned, Break> breaks{{11, Reopen}, {10, RestartServerUp}, {1, RestartServerDown}};

    QStringList unexpected;
    for (int round = 0; round < 3; ++round) {
        for (unsigned drawn : finalOrder) {
            QVERIFY2(QTest::qWaitFor([&] { return f.currentDrawn() == drawn; }, 5000),
                     qPrintable(
                         QStringLiteral("round %1: %2 is up, not %3").arg(round + 4).arg(f.currentDrawn()).arg(drawn)));
            QCOMPARE(f.screen->currentAttempt(), unsigned(round + 4));
            f.click("btnCallParticipant");
            f.type(roundsFourToSix.value(drawn).at(round));
            f.click("btnEnter");
            if (round != 0 || !breaks.contains(drawn))
                continue;
            // Nothing is asked on the way back: round 4 has begun.
            ModalAnswerer refuse(noteAndClose(&unexpected));
            switch (breaks.value(drawn)) {
            case Reopen:
                f.reopen(cached);
                break;
            case RestartServerUp:
                f.restart(cached);
                break;
            case RestartServerDown:
                QVERIFY(f.server().setDown(true));
                f.restart(cached);
                break;
            }
            const unsigned next = finalOrder.at(int(finalOrder.indexOf(drawn)) + 1);
            QVERIFY2(
                QTest::qWaitFor([&] { return f.currentDrawn() == next; }, 5000),
                qPrintable(QStringLiteral("after %1: %2 is up, not %3").arg(drawn).arg(f.currentDrawn()).arg(next)));
            checkOrder("reopened");
            // The ranks shown are the program's from the start, not the
            // server's plain ones (3 and 7 both first).
            QCOMPARE(f.shownRank(3), QStringLiteral("1"));
            QCOMPARE(f.shownRank(7), QStringLiteral("2"));
            QCOMPARE(f.shownRank(10), QStringLiteral("4"));
            QCOMPARE(f.shownRank(5), QStringLiteral("5"));
            QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(", ")));
        }
    }
    QVERIFY(f.server().setDown(false));
    QVERIFY(!f.screen->currentParticipation());
    QCOMPARE(f.screen->sortModel()->orderMode(), int(FieldEventParticipantsSortModel::Ranking));
    checkOrder("finished");

    // 6.70 twice, split by 6.70 against 6.60; then 6.55, 6.45, 6.40, 6.30,
    // 6.10, 6.05; the non-finalists by their three rounds.
    const QMap<unsigned, QString> ranks{{7, "1"}, {3, "2"}, {1, "3"},  {10, "4"}, {5, "5"},  {11, "6"},
                                        {8, "7"}, {4, "8"}, {12, "9"}, {2, "10"}, {9, "11"}, {6, ""}};
    for (auto it = ranks.cbegin(); it != ranks.cend(); ++it)
        QCOMPARE(f.shownRank(it.key()), it.value());

    // Every mark reached the server once.
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 15000));
    for (unsigned drawn = 1; drawn <= 12; ++drawn) {
        const int expected = 3 + int(roundsFourToSix.value(drawn).size());
        QCOMPARE(f.serverResults(f.drawn(drawn)->participation_id).size(), expected);
    }
}

void TestFieldEventReopen::highJump_finishedByCountback_reopensEnded()
{
    // Four athletes all clear 1.65 and fail 1.70 three times: the countback
    // (tries at 1.65, then failures) places them 1 to 4, so there is no tie
    // for first place, while the server ranks all four first.
    FieldEventScreenFixture f({972, "V", "", 3, {21, 22, 23, 24}}, Host);
    QVERIFY(f.started);
    ModalAnswerer heights({startingHeights(1.60, 1.60)});
    QVERIFY(QTest::qWaitFor([&] { return heights.answered() == 1 && f.currentDrawn() == 1; }, 8000));

    struct Step
    {
        unsigned drawn;
        QString keys;
        QList<ModalAnswerer::Handler> dialogs;
    };
    QList<Step> steps{
        {1, "O", {}}, {2, "X", {}}, {3, "O", {}}, {4, "X", {}}, {2, "O", {}}, {4, "O", {newHeight(1.65)}},
        {1, "O", {}}, {2, "O", {}}, {3, "X", {}}, {4, "X", {}}, {3, "O", {}}, {4, "O", {newHeight(1.70)}}};
    for (int round = 0; round < 3; ++round) {
        for (unsigned drawn = 1; drawn <= 4; ++drawn)
            steps.append({drawn, "X", {}});
    }
    steps.last().dialogs = {eventEnded()};
    for (const Step &step : std::as_const(steps)) {
        QCOMPARE(f.currentDrawn(), step.drawn);
        f.click("btnCallParticipant");
        f.type(step.keys);
        ModalAnswerer answerer(step.dialogs);
        f.click("btnEnter");
        QCOMPARE(answerer.answered(), int(step.dialogs.size()));
    }
    const QStringList ranks{"1", "2", "3", "4"};
    for (unsigned drawn = 1; drawn <= 4; ++drawn)
        QCOMPARE(f.shownRank(drawn), ranks.at(int(drawn) - 1));
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 10000));

    // Reopened from the server: the event has ended, no jump-off is offered.
    QStringList titles;
    QList<ModalAnswerer::Handler> answers{[&titles](QWidget *dialog) {
        titles << dialog->windowTitle();
        if (auto *box = qobject_cast<QMessageBox *>(dialog); box && box->windowTitle() == "Start jumpoff")
            press(dialog, "No");
        else
            press(dialog, "OK");
    }};
    answers += noteAndClose(&titles);
    ModalAnswerer reopened(answers);
    f.reopen();
    QVERIFY(QTest::qWaitFor([&] { return reopened.answered() >= 1; }, 5000));
    QTest::qWait(200);
    QCOMPARE(titles, QStringList{"Event finished"});
    for (unsigned drawn = 1; drawn <= 4; ++drawn) {
        QCOMPARE(f.shownRank(drawn), ranks.at(int(drawn) - 1));
        QVERIFY(!f.drawn(drawn)->in_jumpoff);
    }
    QVERIFY(!f.screen->currentParticipation());
}

void TestFieldEventReopen::highJump_heightSetNotJumped_survivesReopen_data()
{
    QTest::addColumn<bool>("restart");
    QTest::newRow("heat reopened") << false;
    QTest::newRow("program restarted") << true;
}

void TestFieldEventReopen::highJump_heightSetNotJumped_survivesReopen()
{
    QFETCH(bool, restart);
    FieldEventScreenFixture f({973, "V", "", 3, {21, 22, 23}}, Host);
    QVERIFY(f.started);
    ModalAnswerer heights({startingHeights(1.60, 1.60)});
    QVERIFY(QTest::qWaitFor([&] { return heights.answered() == 1 && f.currentDrawn() == 1; }, 8000));
    for (unsigned drawn = 1; drawn <= 3; ++drawn) {
        QCOMPARE(f.currentDrawn(), drawn);
        f.click("btnCallParticipant");
        f.type("O");
        // The bar goes to 1.65 (the judge takes 1.66) after the last one.
        ModalAnswerer bar(drawn == 3 ? QList<ModalAnswerer::Handler>{[](QWidget *dialog) {
            dialog->findChild<QDoubleSpinBox *>("spnHeight")->setValue(1.66);
            press(dialog, "btnOK");
        }}
                                     : QList<ModalAnswerer::Handler>{});
        f.click("btnEnter");
        QCOMPARE(bar.answered(), drawn == 3 ? 1 : 0);
    }
    QCOMPARE(f.screen->gridModel()->indexOfHeight(1.66, 0), FieldEventParticipantsModel::FirstAttemptColumn + 1);
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 10000));

    QStringList unexpected;
    ModalAnswerer refuse(noteAndClose(&unexpected));
    if (restart)
        f.restart();
    else
        f.reopen();
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000));
    QTest::qWait(200);
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(", ")));
    const HeightColumns expected{{1.60, 0}, {1.66, 0}};
    QCOMPARE(f.screen->gridModel()->heightColumns(), expected);
    QCOMPARE(f.screen->currentBar().height, 1.66);
    QCOMPARE(f.screen->currentBar().jumpOff, 0u);
}

void TestFieldEventReopen::startingHeights_defaultFromServer()
{
    // The server holds starting heights for two of the three athletes: the
    // dialog proposes the lower of them.
    FieldEventScreenFixture f({974, "V", "", 3, {21, 22, 23}, {}, {1.70, 0, 1.55}}, Host);
    QVERIFY(f.started);
    double proposed = 0;
    QList<double> rows;
    ModalAnswerer heights({[&](QWidget *dialog) {
        auto *startHeights = qobject_cast<SetStartingHeightsDialog *>(dialog);
        QVERIFY(startHeights);
        proposed = dialog->findChild<QDoubleSpinBox *>("spnDefaultStartingHeight")->value();
        for (ParticipantStartingHeightWidget *row : startHeights->rows())
            rows << row->findChild<QDoubleSpinBox *>()->value();
        press(dialog, "btnEnter");
    }});
    QVERIFY(QTest::qWaitFor([&] { return heights.answered() == 1; }, 8000));
    QCOMPARE(proposed, 1.55);
    // The athletes' own heights stay as the server sent them.
    QCOMPARE(rows, (QList<double>{1.70, 0, 1.55}));
}

QTEST_MAIN(TestFieldEventReopen)
#include "tst_fieldeventreopen.moc"
