// A high jump through the real field event screen with the attempt clock (a
// C-Power board) and the video wall attached, each on a pty whose other end
// the virtual scoreboard reads: calling an athlete starts the clock, the
// board counts down, the screen's digits follow it, and the wall receives
// the athlete and the result in order.
#include <QtTest>

#include "app/settings.h"
#include "devices/countdownclock.h"
#include "fieldeventscreenfixture.h"
#include "support/socatpair.h"
#include "support/testsupport.h"
#include "tools/virtual-scoreboard/virtualscoreboard.h"

namespace {
const QString Host = QStringLiteral("127.0.15.1");
} // namespace

class TestFieldEventClock : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }
    void highJump_callStartsTheClock_andTheWallFollows();
};

void TestFieldEventClock::highJump_callStartsTheClock_andTheWallFollows()
{
    SocatPair clockLine, wallLine;
    QVERIFY2(clockLine.start(), qPrintable(clockLine.error()));
    QVERIFY2(wallLine.start(), qPrintable(wallLine.error()));
    VirtualScoreboard standin;
    VirtualScoreboard::Settings standinSettings;
    QString error;
    QVERIFY2(VirtualScoreboard::readLayout(TestSupport::buildDir() +
                                               "/countdownclocklayouts/attempt-clock-cpower-128x32.json",
                                           &standinSettings, &error),
             qPrintable(error));
    standinSettings.ptyPath = clockLine.second();
    standinSettings.videoPtyPath = wallLine.second();
    QVERIFY(standin.start(standinSettings, &error));
    QList<QJsonObject> wall;
    connect(&standin, &VirtualScoreboard::videoMessageReceived, this,
            [&wall](const QJsonObject &message) { wall << message; });

    // The clock and the wall as the devices dialog leaves them.
    Settings *settings = Settings::instance();
    settings->setValue("countdown", "layout", "attempt-clock-cpower-128x32");
    settings->setValue("countdown", "type", 1);
    settings->setValue("countdown", "port", clockLine.first());
    settings->setValue("countdown", "value", 12);
    settings->setValue("countdown", "start_countdown_after_call", true);
    settings->setValue("videoscoreboard", "type", 1);
    settings->setValue("videoscoreboard", "port", wallLine.first());
    CountdownClock clock(TestSupport::buildDir());
    QVERIFY(QTest::qWaitFor([&] { return clock.isPortOpen(); }, 5000));

    FieldEventScreenFixture f({1501, "V", "", 3, {11, 12}, "Women's High Jump"}, Host);
    QVERIFY(f.started);
    QVERIFY(QTest::qWaitFor([&] { return f.video.isPortOpen(); }, 5000));
    ModalAnswerer heights({startingHeights(1.60, 1.60)});
    QVERIFY(QTest::qWaitFor([&] { return heights.answered() == 1 && f.currentDrawn() == 1; }, 8000));
    f.devices.countdownClock = &clock;
    f.screen->setDevices(f.devices);
    QCOMPARE(f.screen->shownCountdown(), 12u);

    const auto boardShows = [&standin](const QString &text) {
        return QTest::qWaitFor([&] { return standin.state().texts() == QStringList{text}; }, 5000);
    };
    const QList<QPair<unsigned, QString>> attempts{{1, "O"}, {2, "X"}};
    for (const auto &[drawn, tries] : attempts) {
        QCOMPARE(f.currentDrawn(), drawn);
        f.click("btnCallParticipant");
        f.click("btnCall");
        // Called up: the clock starts from the full attempt time and counts
        // down on the board; the screen's digits follow it.
        QVERIFY(clock.isCountdownRunning());
        QVERIFY2(boardShows("12"), qPrintable(standin.state().texts().join(" | ")));
        QVERIFY2(boardShows("10"), qPrintable(standin.state().texts().join(" | ")));
        QCOMPARE(f.screen->shownCountdown(), clock.remainingSeconds());
        // The jump: the judge's key stops the clock.
        f.type(tries);
        QVERIFY(!clock.isCountdownRunning());
        f.click("btnEnter");
        // The attempt is over: the clock is armed for the next call.
        QCOMPARE(clock.countdownState(), AttemptCountdown::Ready);
        QCOMPARE(clock.remainingSeconds(), 12u);
        QCOMPARE(f.screen->shownCountdown(), 12u);
    }

    // The wall: athlete and result, for each athlete in turn.
    QTRY_COMPARE(wall.size(), 4);
    QStringList types;
    for (const QJsonObject &message : wall)
        types << VideoMessageDecoder::typeOf(message);
    QCOMPARE(types, QStringList({"6", "7", "6", "7"}));
    for (int i = 0; i < wall.size(); ++i) {
        const Participation *p = f.drawn(unsigned(i / 2 + 1));
        QCOMPARE(wall[i]["NA"].toString(), p->lastName() + ' ' + p->firstName().left(1).toUpper());
        QCOMPARE(wall[i]["E"].toString(), QString("Women's High Jump"));
        QCOMPARE(wall[i]["H"].toString(), QString("1.60"));
        QCOMPARE(wall[i]["AT"].toString(), QString("1"));
    }
    QCOMPARE(wall[1]["RE"].toString(), QString("0"));
    QCOMPARE(wall[3]["RE"].toString(), QString("X"));
    QCOMPARE(standin.rejected(), 0);
    QCOMPARE(standin.videoRejected(), 0);
}

STADIONIX_TEST_MAIN(TestFieldEventClock)
#include "tst_fieldeventclock.moc"
