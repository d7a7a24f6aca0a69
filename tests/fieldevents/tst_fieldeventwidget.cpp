// A judge's whole event, through the real screen, against the stand-in
// server and a real store: every dialog the screen opens is answered by its
// own buttons.
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

#include <QTableView>

#include "app/animatedbutton.h"
#include "devices/countdownclock.h"
#include "fieldevents/fieldeventparticipantssortmodel.h"
#include "fieldevents/participantstartingheightwidget.h"
#include "fieldevents/resultsmodel.h"
#include "records/resultmarks.h"
#include "fieldevents/setstartingheightsdialog.h"
#include "fieldeventscreenfixture.h"
#include "schedule/modalanswerer.h"
#include "support/testsupport.h"

namespace {

// This test's own loopback address (docs/testing.md).
const QString Host = QStringLiteral("127.0.20.3");

QStringList texts(const QSignalSpy &spy)
{
    QStringList list;
    for (const QList<QVariant> &arguments : spy)
        list << arguments.first().toString();
    return list;
}

} // namespace

class TestFieldEventWidget : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void keypad_data();
    void keypad();
    void emptyEnter_removesAttempt();
    void windMode_distanceAsksForWind();
    void zeroAlone_isNotAMark_data();
    void zeroAlone_isNotAMark();
    void longJump_wholeEvent();
    void highJump_wholeEvent();

    void overviewButtons_distinctPictures();
    void callButton_data();
    void callButton();
    void edmResult_confirmsLikeEnter();
    void callParticipant_data();
    void callParticipant();
    void removeHeight_ofTheBar();
    void startingHeights_cancelled();
};

void TestFieldEventWidget::keypad_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::newRow("7 , 8 9 9 shows 7.89") << "7,899"
                                          << "7.89";
    QTest::newRow("back on X clears") << "X<"
                                      << "";
    QTest::newRow("skip") << "-"
                          << "-";
}

void TestFieldEventWidget::keypad()
{
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    FieldEventScreenFixture f({951, "H", "", 6, {1, 2, 3}}, Host);
    QVERIFY(f.started);
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000));
    f.click("btnCallParticipant");
    QSignalSpy sounds(&f.sounds, &InterfaceSounds::soundRequested);
    QCOMPARE(f.screen->currentPage(), int(FieldEventWidget::InputPage));
    f.type(keys);
    QCOMPARE(f.widget<QLabel>("lblResult")->text(), shown);
    // Digits, comma and back click; the other keys drop.
    QCOMPARE(sounds.first().first().toInt(), keys.at(0).isDigit() ? 0 : 1);
}

void TestFieldEventWidget::emptyEnter_removesAttempt()
{
    FieldEventScreenFixture f({952, "H", "", 6, {1, 2}}, Host);
    QVERIFY(f.started);
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000));
    f.click("btnCallParticipant");
    f.type("6,5");
    f.click("btnEnter");
    Participation *first = f.drawn(1);
    QCOMPARE(first->resultTextOfAttempt(1), QStringLiteral("6.50"));
    QCOMPARE(f.screen->currentPage(), int(FieldEventWidget::OverviewPage));
    QCOMPARE(f.scoreboard.currentParticipation(), first);

    // Back to that cell: the empty input removes the attempt.
    FieldEventParticipantsModel *model = f.screen->gridModel();
    f.screen->onParticipantsViewClicked(
        f.screen->sortModel()->mapFromSource(model->index(model->rowOfParticipation(first->id), 5)));
    f.click("btnCallParticipant");
    QCOMPARE(f.widget<QLabel>("lblResult")->text(), QStringLiteral("6.50"));
    f.type("<<<<");
    // A stored mark goes only when the judge confirms it.
    ModalAnswerer remove({[](QWidget *dialog) { press(dialog, "btnYes"); }});
    f.click("btnEnter");
    QCOMPARE(remove.answered(), 1);
    QVERIFY(first->results().isEmpty());
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 5000));
    QVERIFY(f.serverResults(first->participation_id).isEmpty());
}

void TestFieldEventWidget::windMode_distanceAsksForWind()
{
    FieldEventScreenFixture f({953, "H", "I", 6, {1, 2}}, Host);
    QVERIFY(f.started);
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000));
    // A fail needs no wind.
    f.click("btnCallParticipant");
    f.type("X");
    ModalAnswerer none({});
    f.click("btnEnter");
    QCOMPARE(none.answered(), 0);

    // A distance does: typed on the wind keypad.
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 2; }, 5000));
    f.click("btnCallParticipant");
    f.type("6,12");
    ModalAnswerer wind({[](QWidget *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Manual windspeed result"));
        for (const char *key : {"btnButton1", "btnButtonComma", "btnButton4", "btnButton7", "btnOK"})
            press(dialog, QString::fromLatin1(key));
    }});
    f.click("btnEnter");
    QCOMPARE(wind.answered(), 1);
    const Result *result = f.drawn(2)->resultOfAttempt(1);
    QVERIFY(result);
    QCOMPARE(result->value, 6.12);
    QCOMPARE(result->wind, 1.4);

    // The wind of a stored mark, typed again on Enter without a change of
    // the mark, becomes that attempt's wind and reaches the server.
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 5000));
    FieldEventParticipantsModel *model = f.screen->gridModel();
    f.screen->onParticipantsViewClicked(
        f.screen->sortModel()->mapFromSource(model->index(model->rowOfParticipation(f.drawn(2)->id), 5)));
    f.click("btnCallParticipant");
    ModalAnswerer again({[](QWidget *dialog) {
        for (const char *key : {"btnButton2", "btnButtonComma", "btnButton1", "btnOK"})
            press(dialog, QString::fromLatin1(key));
    }});
    f.click("btnEnter");
    QCOMPARE(again.answered(), 1);
    QCOMPARE(result->value, 6.12);
    QCOMPARE(result->wind, 2.1);
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 5000));
    const auto stored = f.serverResults(f.drawn(2)->participation_id);
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored.first().value, 6.12);
    QCOMPARE(stored.first().wind, 2.1);
}

void TestFieldEventWidget::zeroAlone_isNotAMark_data()
{
    QTest::addColumn<QString>("keys");
    QTest::newRow("0") << "0";
    QTest::newRow("0.") << ",";
    QTest::newRow("0.0") << "0,0";
}

void TestFieldEventWidget::zeroAlone_isNotAMark()
{
    QFETCH(QString, keys);
    FieldEventScreenFixture f({954, "H", "", 6, {1, 2}}, Host);
    QVERIFY(f.started);
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000));
    f.click("btnCallParticipant");
    f.type(keys);
    f.click("btnEnter");
    // Not stored as 1 m or as an empty result: the entry waits to be finished.
    QVERIFY(f.drawn(1)->results().isEmpty());
    QCOMPARE(f.screen->currentPage(), int(FieldEventWidget::InputPage));
    f.type("<<<<7,1");
    f.click("btnEnter");
    QCOMPARE(f.drawn(1)->resultTextOfAttempt(1), QStringLiteral("7.10"));
}

void TestFieldEventWidget::longJump_wholeEvent()
{
    // Ten athletes; rounds 1-3 in drawn order, a correction, the re-sort to
    // the best eight, rounds 4-6 in reverse order of ranking, a retirement.
    FieldEventScreenFixture f({961, "H", "", 6, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}}, Host);
    QVERIFY(f.started);
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000));
    const QStringList roundsOneToThree[] = {
        {"6,10", "5,90", "6,05", "X", "6,20", "5,50", "6,35", "6", "5,80", "6,22"},
        {"X", "6,02", "X", "X", "6,22", "-", "X", "6,01", "X", "6,30"},
        {"6,35", "X", "6,50", "X", "6,18", "5,70", "-", "5,99", "5,85", "X"},
    };
    for (int round = 0; round < 3; ++round) {
        for (unsigned drawn = 1; drawn <= 10; ++drawn) {
            QCOMPARE(f.currentDrawn(), drawn);
            QCOMPARE(f.screen->currentAttempt(), unsigned(round + 1));
            f.click("btnCallParticipant");
            f.type(roundsOneToThree[round].at(int(drawn) - 1));
            if (round == 2 && drawn == 10) {
                // The last attempt of round 3 brings the question.
                ModalAnswerer resort({[](QWidget *dialog) {
                    QCOMPARE(dialog->windowTitle(), QStringLiteral("Resort participants"));
                    QCOMPARE(dialog->findChild<QSpinBox *>("spnNumberOfParticipants")->value(), 8);
                    press(dialog, "btnSelect");
                }});
                f.click("btnEnter");
                QCOMPARE(resort.answered(), 1);
            } else {
                f.click("btnEnter");
            }
        }
        if (round == 0) {
            // Athlete 3 jumped 6.08, not 6.05: corrected on the grid.
            FieldEventParticipantsModel *model = f.screen->gridModel();
            f.screen->onParticipantsViewClicked(
                f.screen->sortModel()->mapFromSource(model->index(model->rowOfParticipation(f.drawn(3)->id), 5)));
            f.click("btnCallParticipant");
            f.type("<8");
            ModalAnswerer correct({[](QWidget *dialog) { press(dialog, "btnYes"); }});
            f.click("btnEnter");
            QCOMPARE(correct.answered(), 1);
            QCOMPARE(f.drawn(3)->resultTextOfAttempt(1), QStringLiteral("6.08"));
        }
    }
    // After three rounds: 3, 1, 7, 10, 5, 2, 8, 9, 6 ranked, 4 without a mark.
    const QList<unsigned> finalOrder{9, 8, 2, 5, 10, 7, 1, 3};
    for (unsigned i = 0; i < 8; ++i)
        QCOMPARE(f.drawn(finalOrder.at(int(i)))->working_order, i + 1);
    QVERIFY(f.drawn(4)->out_of_competition);
    QVERIFY(f.drawn(6)->out_of_competition);

    const QMap<unsigned, QStringList> roundsFourToSix{
        {9, {"5,90", "X", "5,95"}}, {8, {"6,05", "6,10", "X"}},  {2, {"-"}},
        {5, {"6,25", "X", "6,40"}}, {10, {"X", "6,33", "6,31"}}, {7, {"6,36", "-", "X"}},
        {1, {"6,40", "X", "6,20"}}, {3, {"6,55", "6,48", "X"}}};
    for (int round = 0; round < 3; ++round) {
        for (unsigned drawn : finalOrder) {
            if (f.drawn(drawn)->abandon)
                continue;
            QCOMPARE(f.currentDrawn(), drawn);
            QCOMPARE(f.screen->currentAttempt(), unsigned(round + 4));
            f.click("btnCallParticipant");
            f.type(roundsFourToSix.value(drawn).at(round));
            f.click("btnEnter");
            if (drawn == 2 && round == 0) {
                // Athlete 2 retires after round 4.
                FieldEventParticipantsModel *model = f.screen->gridModel();
                const unsigned next = f.currentDrawn();
                f.screen->onParticipantsViewClicked(
                    f.screen->sortModel()->mapFromSource(model->index(model->rowOfParticipation(f.drawn(2)->id), 8)));
                f.click("btnRelegated");
                QVERIFY(f.drawn(2)->abandon);
                f.screen->onParticipantsViewClicked(f.screen->sortModel()->mapFromSource(
                    model->index(model->rowOfParticipation(f.drawn(next)->id), 8)));
            }
        }
    }
    QVERIFY(!f.screen->currentParticipation());
    QCOMPARE(f.screen->sortModel()->orderMode(), int(FieldEventParticipantsSortModel::Ranking));

    // Ranks by the rules: 6.55; 6.40 twice, split by 6.35 against 6.25; ...
    const QMap<unsigned, QString> ranks{{3, "1"}, {1, "2"}, {5, "3"}, {7, "4"}, {10, "5"},
                                        {8, "6"}, {2, "7"}, {9, "8"}, {6, "9"}, {4, ""}};
    for (auto it = ranks.cbegin(); it != ranks.cend(); ++it)
        QCOMPARE(f.shownRank(it.key()), it.value());

    // The server holds exactly the marks that were typed.
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 10000));
    for (unsigned drawn = 1; drawn <= 10; ++drawn) {
        QStringList typed;
        for (int round = 0; round < 3; ++round)
            typed << roundsOneToThree[round].at(int(drawn) - 1);
        if (drawn == 3)
            typed[0] = QStringLiteral("6,08");
        typed << roundsFourToSix.value(drawn);
        QMap<unsigned, double> onServer;
        for (const auto &r : f.serverResults(f.drawn(drawn)->participation_id))
            onServer.insert(r.seqno, r.value);
        QCOMPARE(onServer.size(), typed.size());
        for (int i = 0; i < typed.size(); ++i) {
            const double expected = ResultMarks::parseTyped(typed.at(i));
            QCOMPARE(onServer.value(unsigned(i + 1)), expected);
        }
    }
}

void TestFieldEventWidget::highJump_wholeEvent()
{
    FieldEventScreenFixture f({962, "V", "", 3, {11, 12, 13, 14, 15}}, Host);
    QVERIFY(f.started);
    // No heights yet: the starting heights come first. All start at 1.60,
    // the fifth at 1.70.
    ModalAnswerer heights({[](QWidget *dialog) {
        auto *startHeights = qobject_cast<SetStartingHeightsDialog *>(dialog);
        QVERIFY(startHeights);
        dialog->findChild<QDoubleSpinBox *>("spnDefaultStartingHeight")->setValue(1.60);
        startHeights->rows().last()->setStartingHeight(1.70);
        press(dialog, "btnEnter");
    }});
    QVERIFY(QTest::qWaitFor([&] { return heights.answered() == 1 && f.currentDrawn() == 1; }, 8000));
    QVERIFY(f.drawn(5)->waitingForStartHeight);

    // Each step: who must be up, what is typed, and the dialog it brings.
    struct Step
    {
        unsigned drawn;
        QString keys;
        QString dialog; // "" none, "height x.xx", "jumpoff yes", "ended"
    };
    const QList<Step> steps{
        {1, "O", ""},
        {2, "O", ""},
        {3, "-", ""},
        {4, "O", "height 1.65"},
        {1, "O", ""},
        {2, "O", ""},
        {3, "O", ""},
        {4, "X", ""},
        {4, "X", ""},
        {4, "X", "height 1.70"},
        {1, "X", ""},
        {2, "O", ""},
        {3, "X", ""},
        {5, "O", ""},
        {1, "X", ""},
        {3, "X-", ""},
        {1, "X", "height 1.75"},
        {2, "X", ""},
        {3, "X", ""},
        {5, "X", ""},
        {2, "X", ""},
        {5, "X", ""},
        {2, "X", ""},
        {5, "X", "jumpoff 1.75"},
        {2, "X", ""},
        {5, "X", "jumpoff 1.73"},
        {2, "O", ""},
        {5, "X", "ended"},
    };
    for (const Step &step : steps) {
        QCOMPARE(f.currentDrawn(), step.drawn);
        f.click("btnCallParticipant");
        f.type(step.keys);
        QList<ModalAnswerer::Handler> answers;
        if (step.dialog.startsWith("height")) {
            const double proposal = step.dialog.mid(7).toDouble();
            answers.append([proposal](QWidget *dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("New Height"));
                QCOMPARE(dialog->findChild<QDoubleSpinBox *>("spnHeight")->value(), proposal);
                QVERIFY(dialog->findChild<QRadioButton *>("rdbAccordingHeight")->isChecked());
                press(dialog, "btnOK");
            });
        } else if (step.dialog.startsWith("jumpoff")) {
            const double proposal = step.dialog.mid(8).toDouble();
            if (proposal == 1.75) {
                answers.append([](QWidget *dialog) {
                    QCOMPARE(dialog->windowTitle(), QStringLiteral("Start jumpoff"));
                    press(dialog, "Yes");
                });
            }
            answers.append([proposal](QWidget *dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("New Height"));
                QCOMPARE(dialog->findChild<QDoubleSpinBox *>("spnHeight")->value(), proposal);
                QVERIFY(dialog->findChild<QRadioButton *>("rdbJumpOff")->isChecked());
                press(dialog, "btnOK");
            });
        } else if (step.dialog == "ended") {
            answers.append([](QWidget *dialog) {
                auto *box = qobject_cast<QMessageBox *>(dialog);
                QVERIFY(box);
                QCOMPARE(box->windowTitle(), QStringLiteral("Event finished"));
                QCOMPARE(box->text(), QStringLiteral("The event has ended"));
                press(dialog, "OK");
            });
        }
        const int expected = int(answers.size());
        ModalAnswerer answerer(answers);
        f.click("btnEnter");
        QCOMPARE(answerer.answered(), expected);
    }
    // Three consecutive failures across heights took the third out.
    QVERIFY(f.drawn(3)->out_of_competition);
    QCOMPARE(f.drawn(3)->attemptString(1.70), QStringLiteral("XX-"));
    const QMap<unsigned, QString> ranks{{2, "1"}, {5, "2"}, {1, "3"}, {3, "3"}, {4, "5"}};
    for (auto it = ranks.cbegin(); it != ranks.cend(); ++it)
        QCOMPARE(f.shownRank(it.key()), it.value());
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 10000));
    QCOMPARE(f.serverResults(f.drawn(2)->participation_id).size(), 1 + 1 + 1 + 3 + 2);
}

void TestFieldEventWidget::overviewButtons_distinctPictures()
{
    // Each button of the overview says with its picture what it does: no two
    // may look alike.
    FieldEventWidget screen(nullptr, {{"event.fieldType", "V"}});
    const QStringList names{"btnPrint",     "btnRelegated",           "btnRankingToScoreboard", "btnSetStartingHeights",
                            "btnNewHeight", "btnReorderParticipants", "btnCallParticipant"};
    QList<QImage> pictures;
    for (const QString &name : names) {
        auto *button = screen.findChild<AnimatedButton *>(name);
        QVERIFY2(button, qPrintable(name));
        const QImage normal = button->normalIcon().pixmap(QSize(96, 72)).toImage();
        QVERIFY2(!normal.isNull(), qPrintable(name + " has no picture"));
        QVERIFY2(!button->pressedIcon().pixmap(QSize(96, 72)).isNull(), qPrintable(name + " has no pressed picture"));
        pictures << normal;
    }
    for (int a = 0; a < pictures.size(); ++a) {
        for (int b = a + 1; b < pictures.size(); ++b)
            QVERIFY2(pictures.at(a) != pictures.at(b),
                     qPrintable(QStringLiteral("%1 looks like %2").arg(names.at(a), names.at(b))));
    }
}

void TestFieldEventWidget::callButton_data()
{
    QTest::addColumn<bool>("eventOver");
    QTest::addColumn<QStringList>("board");
    QTest::addColumn<QStringList>("video");
    QTest::newRow("athlete up: shown, then the clock")
        << false << QStringList{"horizontal participant", "countdown"} << QStringList{"horizontal participant"};
    QTest::newRow("nobody left: only the clock") << true << QStringList{"countdown"} << QStringList{};
}

void TestFieldEventWidget::callButton()
{
    QFETCH(bool, eventOver);
    QFETCH(QStringList, board);
    QFETCH(QStringList, video);
    FieldEventScreenFixture f({954, "H", "", 1, {1}}, Host);
    QVERIFY(f.started);
    CountdownClock clock;
    f.devices.countdownClock = &clock;
    f.screen->setDevices(f.devices);
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000));
    if (eventOver) {
        // The only athlete's only attempt ends the event.
        f.click("btnCallParticipant");
        f.type("5,5");
        f.click("btnEnter");
        QVERIFY(!f.screen->currentParticipation());
    }
    QSignalSpy boardOutput(&f.scoreboard, &Scoreboard::outputRequested);
    QSignalSpy videoOutput(&f.video, &VideoScoreboard::outputRequested);
    QSignalSpy sounds(&f.sounds, &InterfaceSounds::soundRequested);
    f.screen->onButtonCallClicked();
    QCOMPARE(texts(boardOutput), board);
    QCOMPARE(texts(videoOutput), video);
    QCOMPARE(sounds.count(), 1);
    QCOMPARE(sounds.first().first().toInt(), int(InterfaceSounds::Drop));
    // The clock was armed when the screen took it: the first call shows the
    // attempt time, the second starts it.
    QCOMPARE(clock.countdownState(), AttemptCountdown::Ready);
    QVERIFY(!clock.isCountdownRunning());
    f.screen->onButtonCallClicked();
    QVERIFY(clock.isCountdownRunning());
}

void TestFieldEventWidget::edmResult_confirmsLikeEnter()
{
    FieldEventScreenFixture f({955, "H", "", 6, {1, 2}}, Host);
    QVERIFY(f.started);
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000));
    f.click("btnCallParticipant");
    QSignalSpy sounds(&f.sounds, &InterfaceSounds::soundRequested);
    QSignalSpy board(&f.scoreboard, &Scoreboard::outputRequested);
    f.screen->onEDMResult(6.2371, 6.24);
    // Stored cut to the centimetre, shown, and the judge hears it as Enter.
    QCOMPARE(f.drawn(1)->resultTextOfAttempt(1), QStringLiteral("6.23"));
    QCOMPARE(f.drawn(1)->resultOfAttempt(1)->value, 6.23);
    QVERIFY(texts(board).contains("horizontal result"));
    QCOMPARE(sounds.count(), 1);
    QCOMPARE(sounds.first().first().toInt(), int(InterfaceSounds::Drop));
    QCOMPARE(f.screen->currentPage(), int(FieldEventWidget::OverviewPage));
    QCOMPARE(f.currentDrawn(), 2u);
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 5000));
    QCOMPARE(f.serverResults(f.drawn(1)->participation_id).size(), 1);
}

void TestFieldEventWidget::callParticipant_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("called");
    QTest::newRow("active athlete") << "active" << true;
    QTest::newRow("retired athlete") << "retired" << false;
    QTest::newRow("out of the combined event") << "combined" << false;
}

void TestFieldEventWidget::callParticipant()
{
    QFETCH(QString, state);
    QFETCH(bool, called);
    FieldEventScreenFixture f({956, "H", "", 6, {1, 2}}, Host);
    QVERIFY(f.started);
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000));
    if (state == "retired") {
        f.click("btnRelegated");
        QVERIFY(f.drawn(1)->abandon);
    } else if (state == "combined") {
        f.drawn(1)->out_of_competition_combined_event = true;
    }
    QCOMPARE(f.currentDrawn(), 1u);
    QSignalSpy sounds(&f.sounds, &InterfaceSounds::soundRequested);
    f.click("btnCallParticipant");
    // The sound tells the judge the athlete is up; a refused call is silent.
    QCOMPARE(sounds.count(), called ? 1 : 0);
    QCOMPARE(f.screen->currentPage(), int(called ? FieldEventWidget::InputPage : FieldEventWidget::OverviewPage));
}

void TestFieldEventWidget::removeHeight_ofTheBar()
{
    FieldEventScreenFixture f({957, "V", "", 3, {11, 12, 13}}, Host);
    QVERIFY(f.started);
    ModalAnswerer heights({startingHeights(1.60, 1.60)});
    QVERIFY(QTest::qWaitFor([&] { return heights.answered() == 1 && f.currentDrawn() == 1; }, 8000));
    f.click("btnCallParticipant");
    f.type("O");
    f.click("btnEnter");
    QCOMPARE(f.currentDrawn(), 2u);

    // The judge raises the bar too early, then takes the new height away.
    // Handlers answer first and are checked afterwards, so that a wrong
    // dialog cannot stay open.
    QString title;
    ModalAnswerer newHeight({[&title](QWidget *dialog) {
        title = dialog->windowTitle();
        if (auto *height = dialog->findChild<QDoubleSpinBox *>("spnHeight"))
            height->setValue(1.65);
        press(dialog, "btnOK");
    }});
    f.click("btnNewHeight");
    QCOMPARE(newHeight.answered(), 1);
    QCOMPARE(title, QStringLiteral("New Height"));
    QCOMPARE(f.screen->currentBar(), (HeightColumn{1.65, 0}));
    FieldEventParticipantsModel *model = f.screen->gridModel();
    QString question;
    ModalAnswerer remove({[&title, &question](QWidget *dialog) {
        title = dialog->windowTitle();
        if (auto *box = qobject_cast<QMessageBox *>(dialog))
            question = box->text();
        press(dialog, "Yes");
    }});
    f.screen->onParticipantsHeaderSectionClicked(model->indexOfHeight(1.65));
    QCOMPARE(remove.answered(), 1);
    QCOMPARE(title, QStringLiteral("Remove height"));
    QCOMPARE(question, QStringLiteral("Do you want to remove the height 1.65?"));
    QCOMPARE(model->heightColumns(), (HeightColumns{{1.60, 0}}));

    // Back at 1.60, where the second athlete is still to jump.
    QCOMPARE(f.screen->currentBar(), (HeightColumn{1.60, 0}));
    QCOMPARE(f.currentDrawn(), 2u);
    QCOMPARE(model->currentColumn(), model->indexOfHeight(1.60));
    auto *strip = qobject_cast<QSortFilterProxyModel *>(f.widget<QTableView>("tblResults")->model());
    auto *results = qobject_cast<ResultsModel *>(strip->sourceModel());
    QCOMPARE(results->currentColumn(), 0);
    QCOMPARE(results->headerData(results->currentColumn(), Qt::Horizontal).toString(), QStringLiteral("1.60"));

    // And the event goes on from there.
    f.click("btnCallParticipant");
    f.type("O");
    f.click("btnEnter");
    QCOMPARE(f.drawn(2)->attemptString(1.60), QStringLiteral("0"));
    QCOMPARE(f.currentDrawn(), 3u);
}

void TestFieldEventWidget::startingHeights_cancelled()
{
    FieldEventScreenFixture f({958, "V", "", 3, {11, 12, 13}}, Host);
    QVERIFY(f.started);
    ModalAnswerer heights({startingHeights(1.60, 1.70)});
    QVERIFY(QTest::qWaitFor([&] { return heights.answered() == 1 && f.currentDrawn() == 1; }, 8000));
    const HeightColumns columns = f.screen->gridModel()->heightColumns();
    QCOMPARE(columns, (HeightColumns{{1.60, 0}, {1.70, 0}}));

    // New defaults and a changed row, then the judge cancels.
    bool isStartingHeights = false;
    ModalAnswerer cancel({[&isStartingHeights](QWidget *dialog) {
        if (auto *startHeights = qobject_cast<SetStartingHeightsDialog *>(dialog)) {
            isStartingHeights = true;
            dialog->findChild<QDoubleSpinBox *>("spnDefaultStartingHeight")->setValue(1.75);
            dialog->findChild<QDoubleSpinBox *>("spnInterval")->setValue(0.03);
            startHeights->rows().first()->setStartingHeight(1.80);
        }
        QTest::keyClick(dialog, Qt::Key_Escape);
    }});
    f.click("btnSetStartingHeights");
    QCOMPARE(cancel.answered(), 1);
    QVERIFY(isStartingHeights);
    QCOMPARE(f.drawn(1)->startheight, 1.60);
    QCOMPARE(f.drawn(2)->startheight, 1.60);
    QCOMPARE(f.drawn(3)->startheight, 1.70);
    QCOMPARE(f.screen->gridModel()->heightColumns(), columns);
    QCOMPARE(f.currentDrawn(), 1u);

    // Opened again: the defaults stay as the judge left them, the rows show
    // the starting heights in force.
    double firstHeight = 0;
    double interval = 0;
    QList<double> shown;
    ModalAnswerer reopen({[&](QWidget *dialog) {
        if (auto *startHeights = qobject_cast<SetStartingHeightsDialog *>(dialog)) {
            firstHeight = dialog->findChild<QDoubleSpinBox *>("spnDefaultStartingHeight")->value();
            interval = dialog->findChild<QDoubleSpinBox *>("spnInterval")->value();
            for (const ParticipantStartingHeightWidget *row : startHeights->rows())
                shown << row->startingHeight();
        }
        dialog->close();
    }});
    f.click("btnSetStartingHeights");
    QCOMPARE(reopen.answered(), 1);
    QCOMPARE(firstHeight, 1.75);
    QCOMPARE(interval, 0.03);
    QCOMPARE(shown, (QList<double>{1.60, 1.60, 1.70}));
    QCOMPARE(f.drawn(1)->startheight, 1.60);
}

STADIONIX_TEST_MAIN(TestFieldEventWidget)
#include "tst_fieldeventwidget.moc"
