#include <QDir>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

#include "app/settings.h"
#include "devices/countdownclock.h"
#include "recordingdevice.h"
#include "scoreboardtesting.h"
#include "support/socatpair.h"
#include "tools/virtual-scoreboard/virtualscoreboard.h"

using namespace ScoreboardTesting;

// The countdown clock: which driver a layout's controller type chooses, what
// it shows as the seconds run down, its states, its brightness, and an LED
// board of each delivered make as the clock on a pty, read by the virtual
// scoreboard.
class TestCountdownClock : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void controllerType_choosesTheDriver_data();
    void controllerType_choosesTheDriver();
    void remainingSeconds_showAsTimeAndAlert_data();
    void remainingSeconds_showAsTimeAndAlert();
    void callsAndTicks_startPauseFinishAndRearm();
    void brightness_stepsThroughTheRangeOfItsDriver_data();
    void brightness_stepsThroughTheRangeOfItsDriver();
    void deliveredLayout_showsTheSecondsOnAnLedBoard_data();
    void deliveredLayout_showsTheSecondsOnAnLedBoard();
};

namespace {

// A controller of one of the clock's two types, as no delivered driver is:
// its commands carry the item as JSON, so the test reads back what the clock
// asked it to show.
class ClockDriver : public ScoreboardDriverInterface
{
public:
    explicit ClockDriver(const QString &name)
        : m_name(name)
    {}

    unsigned version() const override { return 1; }
    QString name() const override { return m_name; }
    QStringList products() const override { return {}; }
    QStringList fontSizes() const override { return {}; }
    QStringList textColors() const override { return {}; }
    QStringList alignments() const override { return {}; }
    QStringList brightnessLevels() const override { return {}; }
    QStringList colorCommandColors() const override { return {}; }
    int brightnessMinimum() const override { return 0; }
    int brightnessMaximum() const override { return 99; }
    int brightnessStep() const override { return 33; }
    int characterWidth(int) const override { return -1; }
    QByteArray clearCommand(int, int, int) const override { return "clear"; }
    QByteArray textCommand(const QJsonObject &item, int) const override { return command("text", item); }
    QByteArray text5Command(const QJsonObject &item, int) const override { return command("text5", item); }
    QByteArray colorCommand(const QColor &, int) const override { return {}; }
    QByteArray dataCommand(const QJsonObject &, const QByteArray &, int) const override { return {}; }
    QByteArray brightnessCommand(int, const QString &level) const override
    {
        return m_name.toUtf8() + " brightness " + level.toUtf8();
    }

    // "<driver> text <item>": the command and the item shown.
    static QJsonObject item(const QByteArray &command)
    {
        return QJsonDocument::fromJson(command.mid(command.indexOf('{'))).object();
    }

private:
    QByteArray command(const char *kind, const QJsonObject &item) const
    {
        return m_name.toUtf8() + ' ' + kind + ' ' + QJsonDocument(item).toJson(QJsonDocument::Compact);
    }

    QString m_name;
};

QJsonObject clockItem(const QString &color, int maximumLength)
{
    QJsonObject item = textItem(0, 0, 96, 32, 12, color, "center", "");
    item["maximum_length"] = maximumLength;
    return item;
}

QJsonObject clockLayout(const QString &controller, const QString &mode = QString(), int maximumLength = 7)
{
    return QJsonObject{{"name", "Clock " + controller},
                       {"layoutname", "clock"},
                       {"controllertype", controller},
                       {"mode", mode},
                       {"set_brightness", QJsonObject{{"minimum", 2}, {"maximum", 4}}},
                       {"countdown_clock", QJsonObject{{"alert", 10},
                                                       {"seconds", clockItem("#00FF00", maximumLength)},
                                                       {"seconds_alert", clockItem("#FF0000", maximumLength)}}}};
}

// A clock with one layout, chosen, in a program folder of its own, and the
// clock drivers of both types beside the delivered ones. Its port drops what
// it gets; the test reads writeData.
struct Clock
{
    explicit Clock(const QJsonObject &layout, bool withClockDrivers = true)
    {
        QDir(folder.path()).mkpath("countdownclocklayouts");
        QFile file(folder.filePath("countdownclocklayouts/clock.json"));
        file.open(QIODevice::WriteOnly);
        file.write(QJsonDocument(QJsonObject{{"countdownclocklayout", layout}}).toJson());
        file.close();
        Settings *settings = Settings::instance();
        settings->setValue("countdown", "layout", "clock");
        settings->setValue("countdown", "type", nonePortDescriptor()["type"]);
        settings->setValue("countdown", "port", nonePortDescriptor()["name"]);
        clock = std::make_unique<CountdownClock>(folder.path());
        QList<ScoreboardDriverInterface *> drivers{driver("Changhong"), driver("C-Power")};
        if (withClockDrivers)
            drivers = QList<ScoreboardDriverInterface *>{&first, &second} + drivers;
        clock->useDrivers(drivers);
        writes = std::make_unique<QSignalSpy>(clock.get(), &PortDevice::writeData);
    }

    QByteArray lastWrite() const { return writes->isEmpty() ? QByteArray() : writes->last().at(0).toByteArray(); }
    // The seconds each command showed, read back from the clock drivers.
    QStringList shown() const
    {
        QStringList texts;
        for (const QList<QVariant> &call : *writes)
            texts << ScoreboardItem::text(ClockDriver::item(call.at(0).toByteArray()));
        return texts;
    }

    QTemporaryDir folder;
    ClockDriver first{"Timekeeper IE 1.0.1"};
    ClockDriver second{"Timekeeper CV 1.0.1"};
    std::unique_ptr<CountdownClock> clock;
    std::unique_ptr<QSignalSpy> writes;
};

} // namespace

void TestCountdownClock::init()
{
    TestSupport::failOnUnexpectedWarnings();
    Settings::instance()->setValue("countdown", "value", 60);
    Settings::instance()->setValue("countdown", "start_countdown_after_call", false);
}

void TestCountdownClock::controllerType_choosesTheDriver_data()
{
    QTest::addColumn<QString>("controller");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("withClockDrivers");
    QTest::addColumn<QString>("sentBy"); // the driver and command, or nothing

    QTest::newRow("ie 1.0.1: the first driver") << "ie 1.0.1"
                                                << "" << true << "Timekeeper IE 1.0.1 text";
    QTest::newRow("IE 1.0.1 in capitals: still the first driver") << "IE 1.0.1"
                                                                  << "" << true << "Timekeeper IE 1.0.1 text";
    QTest::newRow("ie 1.0.1 in TEXT5 mode: its text5 command") << "ie 1.0.1"
                                                               << "TEXT5" << true << "Timekeeper IE 1.0.1 text5";
    QTest::newRow("cv 1.0.1: the second driver, text in any mode") << "Cv 1.0.1"
                                                                   << "TEXT5" << true << "Timekeeper CV 1.0.1 text";
    QTest::newRow("ie 1.0.1 without such a driver: nothing") << "ie 1.0.1"
                                                             << "" << false << "";
    QTest::newRow("Changhong: the board's own driver") << "Changhong"
                                                       << "" << true << "Changhong";
    QTest::newRow("C-Power: the board's own driver") << "C-Power"
                                                     << "TEXT5" << false << "C-Power";
    QTest::newRow("a make's name in other case: nothing") << "changhong"
                                                          << "" << true << "";
    QTest::newRow("unknown controller: nothing") << "ie 1.0.2"
                                                 << "" << true << "";
}

void TestCountdownClock::controllerType_choosesTheDriver()
{
    QFETCH(QString, controller);
    QFETCH(QString, mode);
    QFETCH(bool, withClockDrivers);
    QFETCH(QString, sentBy);
    Clock c(clockLayout(controller, mode), withClockDrivers);
    QSignalSpy values(c.clock.get(), &CountdownClock::valueUpdated);
    c.clock->setCountdownValue(42, false);
    if (sentBy.isEmpty()) {
        QCOMPARE(c.writes->size(), 0);
    } else {
        QCOMPARE(c.writes->size(), 1);
        QCOMPARE(c.writes->first().at(1).toInt(), 0);
        const QByteArray bytes = c.lastWrite();
        if (sentBy.startsWith("Timekeeper")) {
            QCOMPARE(bytes.left(bytes.indexOf('{') - 1), sentBy.toUtf8());
            QCOMPARE(ScoreboardItem::text(ClockDriver::item(bytes)), QString("42"));
        } else {
            const BoardState board = decoded(sentBy, bytes, QSize(96, 32));
            QCOMPARE(board.texts(), QStringList{"42"});
            QCOMPARE(board.items().first().color, QColor("#00FF00"));
        }
    }
    // Shown or not, the countdown runs and the screen hears it.
    c.clock->onTimerTimeout();
    QCOMPARE(values.size(), 1);
    QCOMPARE(values.first().first().toUInt(), 41u);
}

void TestCountdownClock::remainingSeconds_showAsTimeAndAlert_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("maximumLength");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("color");
    const QString green = "#00FF00", red = "#FF0000";
    QTest::newRow("11 s: seconds") << 11 << 7 << "11" << green;
    QTest::newRow("10 s: seconds, not yet below the alert") << 10 << 7 << "10" << green;
    QTest::newRow("9 s: the alert") << 9 << 7 << "9" << red;
    QTest::newRow("0 s: the alert") << 0 << 7 << "0" << red;
    QTest::newRow("75 s as m:ss") << 75 << 7 << "1:15" << green;
    QTest::newRow("600 s as m:ss") << 600 << 7 << "10:00" << green;
    QTest::newRow("3600 s as h:mm:ss") << 3600 << 7 << "1:00:00" << green;
    QTest::newRow("3725 s in a box of four: the end of the text") << 3725 << 4 << "2:05" << green;
    QTest::newRow("no maximum length: an empty text") << 75 << 0 << "" << green;
}

void TestCountdownClock::remainingSeconds_showAsTimeAndAlert()
{
    QFETCH(int, seconds);
    QFETCH(int, maximumLength);
    QFETCH(QString, text);
    QFETCH(QString, color);
    Clock c(clockLayout("ie 1.0.1", QString(), maximumLength));
    c.clock->setCountdownValue(seconds, false);
    const QJsonObject item = ClockDriver::item(c.lastWrite());
    QCOMPARE(ScoreboardItem::text(item), text);
    QCOMPARE(item["color"].toString(), color);
}

void TestCountdownClock::callsAndTicks_startPauseFinishAndRearm()
{
    Clock c(clockLayout("ie 1.0.1"));
    CountdownClock &clock = *c.clock;
    QSignalSpy values(&clock, &CountdownClock::valueUpdated);
    // Nothing armed yet: a call does nothing.
    clock.startPauseCountdown(false);
    QCOMPARE(clock.countdownState(), AttemptCountdown::Initial);
    QCOMPARE(c.writes->size(), 0);

    // The judge's digits: shown, and kept as the attempt time.
    clock.setCountdownValue(3, true);
    QCOMPARE(Settings::instance()->value("countdown", "value").toInt(), 3);
    QCOMPARE(clock.countdownState(), AttemptCountdown::Ready);
    // The first call shows the time, the second starts it.
    clock.startPauseCountdown(false);
    QVERIFY(!clock.isCountdownRunning());
    clock.startPauseCountdown(false);
    QVERIFY(clock.isCountdownRunning());
    QCOMPARE(clock.countdownState(), AttemptCountdown::Running);
    clock.onTimerTimeout();
    // A call while it runs pauses it; the next resumes.
    clock.startPauseCountdown(false);
    QCOMPARE(clock.countdownState(), AttemptCountdown::Paused);
    QVERIFY(!clock.isCountdownRunning());
    clock.startPauseCountdown(true);
    QCOMPARE(clock.countdownState(), AttemptCountdown::Running);
    clock.onTimerTimeout();
    clock.onTimerTimeout();
    QCOMPARE(clock.remainingSeconds(), 0u);
    QCOMPARE(clock.countdownState(), AttemptCountdown::Running);
    // A second after zero it is finished.
    clock.onTimerTimeout();
    QCOMPARE(clock.countdownState(), AttemptCountdown::Finished);
    QVERIFY(!clock.isCountdownRunning());
    QCOMPARE(c.shown(), QStringList({"3", "3", "2", "1", "0"}));
    QCOMPARE(values.size(), 3);
    // Finished: the next call re-arms the attempt time without starting it.
    clock.startPauseCountdown(false);
    QCOMPARE(clock.countdownState(), AttemptCountdown::Ready);
    QVERIFY(!clock.isCountdownRunning());
    QCOMPARE(values.last().first().toUInt(), 3u);
    QCOMPARE(c.shown().last(), QString("3"));

    // Starting after the call: one call shows and starts, and the real timer
    // ticks a second later.
    clock.setStartCountdownAfterCall(true);
    clock.startPauseCountdown(false);
    QVERIFY(clock.isCountdownRunning());
    QTRY_COMPARE_WITH_TIMEOUT(clock.remainingSeconds(), 2u, 2500);
    // Stopped by the keypad: the state stays; re-armed after the attempt.
    clock.stopCountdown();
    QVERIFY(!clock.isCountdownRunning());
    QCOMPARE(clock.countdownState(), AttemptCountdown::Running);
    clock.resetCountdown();
    QCOMPARE(clock.countdownState(), AttemptCountdown::Ready);
    QCOMPARE(clock.remainingSeconds(), 3u);
    QCOMPARE(values.last().first().toUInt(), 3u);
}

void TestCountdownClock::brightness_stepsThroughTheRangeOfItsDriver_data()
{
    QTest::addColumn<QString>("controller");
    QTest::addColumn<QStringList>("levels");
    QTest::addColumn<uint>("maximum");
    // The two clock types: the layout's range (2 to 4) in ones, through the
    // first driver.
    QTest::newRow("ie 1.0.1: the layout's range") << "ie 1.0.1" << QStringList{"1", "2", "3", "4", "2"} << 4u;
    QTest::newRow("cv 1.0.1: the layout's range, the first driver's command")
        << "cv 1.0.1" << QStringList{"1", "2", "3", "4", "2"} << 4u;
    QTest::newRow("Changhong board: its own range")
        << "Changhong" << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "0"} << 10u;
    QTest::newRow("C-Power board: its own range in twenties")
        << "C-Power" << QStringList{"20", "40", "60", "80", "100", "0"} << 100u;
}

void TestCountdownClock::brightness_stepsThroughTheRangeOfItsDriver()
{
    QFETCH(QString, controller);
    QFETCH(QStringList, levels);
    QFETCH(uint, maximum);
    Clock c(clockLayout(controller));
    QSignalSpy updated(c.clock.get(), &CountdownClock::brightnessUpdated);
    const bool board = !controller.contains("1.0.1");
    QStringList seen;
    for (int i = 0; i < levels.size(); ++i) {
        c.clock->stepBrightness();
        const QByteArray bytes = c.lastWrite();
        if (board)
            seen << decoded(controller, bytes).brightnessLevel();
        else if (bytes.startsWith("Timekeeper IE 1.0.1 brightness "))
            seen << QString(bytes.mid(bytes.lastIndexOf(' ') + 1));
        QCOMPARE(updated.last().at(1).toUInt(), maximum);
    }
    QCOMPARE(seen, levels);
    QCOMPARE(c.writes->last().at(1).toInt(), 0);
}

void TestCountdownClock::deliveredLayout_showsTheSecondsOnAnLedBoard_data()
{
    QTest::addColumn<QString>("layoutName");
    QTest::addColumn<QString>("make");
    QTest::newRow("Changhong 96x32") << "attempt-clock-changhong-96x32"
                                     << "changhong";
    QTest::newRow("C-Power 128x32") << "attempt-clock-cpower-128x32"
                                    << "cpower";
}

void TestCountdownClock::deliveredLayout_showsTheSecondsOnAnLedBoard()
{
    QFETCH(QString, layoutName);
    QFETCH(QString, make);
    SocatPair pair;
    QVERIFY2(pair.start(), qPrintable(pair.error()));
    VirtualScoreboard board;
    VirtualScoreboard::Settings boardSettings;
    QString error;
    const QString layoutFile = TestSupport::buildDir() + "/countdownclocklayouts/" + layoutName + ".json";
    QVERIFY2(VirtualScoreboard::readLayout(layoutFile, &boardSettings, &error), qPrintable(error));
    boardSettings.ptyPath = pair.second();
    QVERIFY(board.start(boardSettings, &error));

    // The clock as the devices dialog leaves it: the layout and the port.
    Settings *settings = Settings::instance();
    settings->setValue("countdown", "layout", layoutName);
    settings->setValue("countdown", "type", 1);
    settings->setValue("countdown", "port", pair.first());
    settings->setValue("countdown", "start_countdown_after_call", true);
    CountdownClock clock(TestSupport::buildDir());
    QVERIFY(clock.currentDriver());
    QSignalSpy opened(&clock, &CountdownClock::port_opened);
    QVERIFY(opened.wait(5000));
    QVERIFY(opened.first().first().toBool());

    const auto shows = [&board](const QString &text, const QColor &color) {
        return QTest::qWaitFor(
            [&] { return board.state().texts() == QStringList{text} && board.state().items().first().color == color; },
            5000);
    };
    const auto picture = [&](const QString &what) {
        const QString folder = qEnvironmentVariable("STADIONIX_DOCS_DIR");
        if (!folder.isEmpty())
            QVERIFY(board.savePng(QDir(folder).filePath(QString("countdown-%1%2.png").arg(make, what))));
    };
    clock.setCountdownValue(11, false);
    QVERIFY2(shows("11", Qt::green), qPrintable(board.state().texts().join(" | ")));
    // Called up: it counts down on the board, red below ten seconds.
    clock.startPauseCountdown(false);
    QVERIFY(clock.isCountdownRunning());
    QVERIFY2(shows("10", Qt::green), qPrintable(board.state().texts().join(" | ")));
    picture("");
    QVERIFY2(shows("9", Qt::red), qPrintable(board.state().texts().join(" | ")));
    picture("-alert");
    clock.stepBrightness();
    QTRY_VERIFY(!board.state().brightnessLevel().isEmpty());
    QCOMPARE(board.rejected(), 0);
}

STADIONIX_TEST_MAIN(TestCountdownClock)
#include "tst_countdownclock.moc"
