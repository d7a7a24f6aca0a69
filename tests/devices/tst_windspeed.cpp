#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

#include "app/settings.h"
#include "devices/windspeed.h"
#include "devices/windspeedanswerreader.h"
#include "devices/windspeedcommand.h"
#include "support/socatpair.h"
#include "support/testsupport.h"
#include "tools/wind-gauge-standin/windgaugestandin.h"

// The wind gauge: its commands as bytes, its answers as bytes, and whole
// measurements against the stand-in gauge over ptys.
class TestWindspeed : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void commands_endInTheirChecksum_data();
    void commands_endInTheirChecksum();
    void answers_data();
    void answers();
    void measurements_overPty_reportTheWindOrNoResult();
    void withoutPort_startingDoesNothing();
};

void TestWindspeed::init()
{
    TestSupport::failOnUnexpectedWarnings();
    Settings::instance();
    QSettings().clear();
}

void TestWindspeed::commands_endInTheirChecksum_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("start 5 s") << WindspeedCommand::start(5)
                               << QByteArray("E\x05\xbd"
                                             "45678\xe4\r");
    QTest::newRow("start 10 s") << WindspeedCommand::start(10)
                                << QByteArray("E\x0a\xbd"
                                              "45678\xb7\r");
    QTest::newRow("start 13 s") << WindspeedCommand::start(13)
                                << QByteArray("E\x0d\xbd"
                                              "45678\x38\r");
    QTest::newRow("start 20 s") << WindspeedCommand::start(20)
                                << QByteArray("E\x14\xbd"
                                              "45678\x11\r");
    QTest::newRow("ask result") << WindspeedCommand::askResult() << QByteArray("G\x01\xcd\xcd\xcd\xcd\xcd\xcd\xc2\r");
}

void TestWindspeed::commands_endInTheirChecksum()
{
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, expected);
    QCOMPARE(command.toHex(' '), expected.toHex(' '));
}

void TestWindspeed::answers_data()
{
    QTest::addColumn<QList<QByteArray>>("blocks");
    QTest::addColumn<QList<double>>("winds"); // emitted, in order

    QTest::newRow("D+12: 1.2") << QList<QByteArray>{"D+12   \r"} << QList<double>{1.2};
    QTest::newRow("D-05: -0.5") << QList<QByteArray>{"D-05   \r"} << QList<double>{-0.5};
    QTest::newRow("D 20: 2.0") << QList<QByteArray>{"D 20   \r"} << QList<double>{2.0};
    QTest::newRow("no value") << QList<QByteArray>{"D      \r"} << QList<double>{};
    QTest::newRow("unreadable") << QList<QByteArray>{"D*1x   \r", "D+1.2  \r", "E+12   \r"} << QList<double>{};
    QTest::newRow("in two blocks") << QList<QByteArray>{"D-1", "3   \r"} << QList<double>{-1.3};
    QTest::newRow("a short line first does not hold up the answer")
        << QList<QByteArray>{"ok\r", "D+04   \r"} << QList<double>{0.4};
    QTest::newRow("two answers in one block")
        << QList<QByteArray>{"D+04   \rD      \rD-07   \r"} << QList<double>{0.4, -0.7};
    QTest::newRow("six answers in one block: none lost to the buffer's limit")
        << QList<QByteArray>{"D+01   \rD+02   \rD+03   \rD+04   \rD+05   \rD+06   \r"}
        << QList<double>{0.1, 0.2, 0.3, 0.4, 0.5, 0.6};
    QTest::newRow("a kilobyte without carriage return, then an answer")
        << QList<QByteArray>{QByteArray(1024, 'D'), "D+31   \r"} << QList<double>{3.1};
}

void TestWindspeed::answers()
{
    QFETCH(QList<QByteArray>, blocks);
    QFETCH(QList<double>, winds);
    // Through the device, as its port delivers them.
    Windspeed gauge;
    QSignalSpy results(&gauge, &Windspeed::windspeedResult);
    for (const QByteArray &block : blocks)
        QMetaObject::invokeMethod(&gauge, "onPortDataRead", Q_ARG(QByteArray, block));
    QList<double> emitted;
    for (const QList<QVariant> &result : results)
        emitted << result.first().toDouble();
    QCOMPARE(emitted, winds);
    // The reader never holds more than a few answers' worth.
    WindspeedAnswerReader reader;
    for (const QByteArray &block : blocks) {
        for (auto outcome = reader.read(block); outcome != WindspeedAnswerReader::Outcome::Nothing;
             outcome = reader.read(QByteArray())) {
        }
        QVERIFY(reader.buffered() <= WindspeedAnswerReader::BufferLimit);
    }
}

void TestWindspeed::measurements_overPty_reportTheWindOrNoResult()
{
    // Four gauges at once, each on its own pty: a wind, a blank answer,
    // garbage, silence.
    struct Gauge
    {
        SocatPair pair;
        WindGaugeStandin standin;
        std::unique_ptr<Windspeed> device;
        std::unique_ptr<QSignalSpy> results;
    };
    const WindGaugeStandin::Mode modes[] = {WindGaugeStandin::Mode::Wind, WindGaugeStandin::Mode::Blank,
                                            WindGaugeStandin::Mode::Garbage, WindGaugeStandin::Mode::Silent};
    const double expected[] = {1.2, Windspeed::NoResult, Windspeed::NoResult, Windspeed::NoResult};
    Gauge gauges[4];
    for (int i = 0; i < 4; ++i) {
        Gauge &g = gauges[i];
        QVERIFY2(g.pair.start(), qPrintable(g.pair.error()));
        QVERIFY(g.standin.openSerial(g.pair.second()));
        g.standin.setMode(modes[i]);
        g.standin.setWind(1.2);
        Settings::instance()->setValue("windspeed", "type", 1);
        Settings::instance()->setValue("windspeed", "port", g.pair.first());
        g.device = std::make_unique<Windspeed>();
        g.results = std::make_unique<QSignalSpy>(g.device.get(), &Windspeed::windspeedResult);
    }
    for (Gauge &g : gauges)
        QTRY_VERIFY(g.device->isPortOpen());
    for (Gauge &g : gauges) {
        g.device->startMeasurement(Windspeed::FiveSeconds);
        // Under way: a second start is not sent.
        g.device->startMeasurement(Windspeed::FiveSeconds);
    }
    for (Gauge &g : gauges)
        QTRY_COMPARE(g.standin.starts(), 1);
    QCOMPARE(gauges[0].standin.measuringSeconds(), 5);
    QTest::qWait(5000);
    QCOMPARE(gauges[0].standin.asks(), 0);
    for (int i = 0; i < 4; ++i) {
        Gauge &g = gauges[i];
        QTRY_COMPARE_WITH_TIMEOUT(g.results->size(), 1, 3000);
        QCOMPARE(g.results->first().first().toDouble(), expected[i]);
        QCOMPARE(g.standin.asks(), 1);
    }

    // Once the answer was waited for, the next measurement starts.
    Gauge &g = gauges[0];
    QTRY_VERIFY(!g.device->isMeasuring());
    g.standin.setWind(-0.5);
    g.device->startMeasurement(Windspeed::FiveSeconds);
    QTRY_COMPARE(g.standin.starts(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(g.results->size(), 2, 8000);
    QCOMPARE(g.results->last().first().toDouble(), -0.5);
    QTest::qWait(Windspeed::CheckResponseMs + 100);
    QCOMPARE(g.results->size(), 2);
}

void TestWindspeed::withoutPort_startingDoesNothing()
{
    Windspeed gauge;
    QVERIFY(!gauge.hasPort());
    QSignalSpy sent(&gauge, &PortDevice::writeData);
    gauge.startMeasurement(Windspeed::FiveSeconds);
    QVERIFY(!gauge.isMeasuring());
    QCOMPARE(sent.size(), 0);
}

STADIONIX_TEST_MAIN(TestWindspeed)
#include "tst_windspeed.moc"
