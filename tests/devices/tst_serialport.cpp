#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <termios.h>

#include "devices/transport/serialport.h"
#include "recordingdevice.h"
#include "support/processstats.h"
#include "support/ptyend.h"
#include "support/socatpair.h"
#include "support/testsupport.h"

// The serial transport over real ptys: one end of a socat pair is the
// device's port, the test plays the device on the other.
class TestSerialPort : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void open_reportsOpen_andCarriesBytesBothWays();
    void pacedFrames_arriveWholeInOrderAndSpaced();
    void properties_setTheLine_andReopenOnlyOnChange_data();
    void properties_setTheLine_andReopenOnlyOnChange();
    void unusablePort_reportsClosed_andIsRetriedAtMostOncePerSecond_data();
    void unusablePort_reportsClosed_andIsRetriedAtMostOncePerSecond();
    void vanishedDevice_costsNoCpu_andIsPickedUpAgain();
};

namespace {

bool waitForOpen(const QSignalSpy &spy, bool open, int ms = 5000)
{
    return QTest::qWaitFor(
        [&] {
            return std::any_of(spy.cbegin(), spy.cend(),
                               [open](const QList<QVariant> &call) { return call.first().toBool() == open; });
        },
        ms);
}

// A device on one end of a fresh socat pair; the test plays the device on
// the other end (peer).
struct SerialRig
{
    SocatPair pair;
    PtyEnd peer;
    RecordingDevice device;
    QSignalSpy opened{&device, &PortDevice::port_opened};

    bool startPair() { return pair.start() && peer.open(pair.second()); }
    bool openDevice()
    {
        device.setPort(serialPortDescriptor(pair.first()));
        return waitForOpen(opened, true);
    }
};

} // namespace

void TestSerialPort::init()
{
    TestSupport::failOnUnexpectedWarnings();
}

void TestSerialPort::open_reportsOpen_andCarriesBytesBothWays()
{
    SerialRig rig;
    QVERIFY2(rig.startPair(), qPrintable(rig.pair.error()));
    QVERIFY(rig.openDevice());
    QCOMPARE(rig.opened.count(), 1);
    QVERIFY(rig.device.isPortOpen());

    emit rig.device.writeData(QByteArrayLiteral("\x02hello\x03"), 0);
    QVERIFY(rig.peer.waitForBytes(7, 3000));
    QCOMPARE(rig.peer.take(), QByteArrayLiteral("\x02hello\x03"));

    QVERIFY(rig.peer.write(QByteArrayLiteral("D+01.2\r")));
    QTRY_COMPARE(rig.device.read, QByteArrayLiteral("D+01.2\r"));
}

void TestSerialPort::pacedFrames_arriveWholeInOrderAndSpaced()
{
    SerialRig rig;
    QVERIFY2(rig.startPair(), qPrintable(rig.pair.error()));
    QVERIFY(rig.openDevice());

    constexpr int frames = 12;
    constexpr int pauseMs = 50;
    QByteArray expected;
    for (int i = 0; i < frames; ++i) {
        const QByteArray frame = QByteArray("frame ") + QByteArray::number(i) + ";";
        expected += frame;
        emit rig.device.writeData(frame, pauseMs);
    }
    // When each frame's end arrives.
    QList<qint64> arrivals;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(rig.peer.waitFor(
        [&](const QByteArray &bytes) {
            while (arrivals.size() < bytes.count(';'))
                arrivals.append(clock.elapsed());
            return bytes.size() >= expected.size();
        },
        5000));
    QCOMPARE(rig.peer.take(), expected);
    QCOMPARE(arrivals.size(), frames);
    // Each frame waits for the pause after the one before it.
    QVERIFY2(arrivals.last() - arrivals.first() >= (frames - 1) * pauseMs - 20,
             qPrintable(QStringLiteral("%1 ms for %2 pauses").arg(arrivals.last() - arrivals.first()).arg(frames - 1)));
}

void TestSerialPort::properties_setTheLine_andReopenOnlyOnChange_data()
{
    // A pty keeps the speed and stop bits it is given, but always reads back
    // 8 data bits without parity: those two show only in the reopening.
    QTest::addColumn<QVariantMap>("properties");
    QTest::addColumn<int>("speed");
    QTest::addColumn<bool>("twoStopBits");
    QTest::addColumn<bool>("reopens");

    QTest::newRow("baud alone changes the speed and keeps the rest")
        << QVariantMap{{"baud", 1200}} << int(B1200) << false << true;
    QTest::newRow("result output line: 1200 baud, 7 bits, even parity, 1 stop bit")
        << QVariantMap{{"baud", 1200}, {"databits", 7}, {"parity", 2}, {"stopbits", 1}} << int(B1200) << false << true;
    QTest::newRow("two stop bits alone") << QVariantMap{{"stopbits", 2}} << int(B9600) << true << true;
    QTest::newRow("parity alone reopens") << QVariantMap{{"parity", 3}} << int(B9600) << false << true;
    QTest::newRow("values as text, as settings give them")
        << QVariantMap{{"baud", "19200"}, {"stopbits", "2"}} << int(B19200) << true << true;
    QTest::newRow("the current values do not reopen")
        << QVariantMap{{"baud", 9600}, {"databits", 8}, {"parity", 0}, {"stopbits", 1}} << int(B9600) << false << false;
    QTest::newRow("other keys are ignored")
        << QVariantMap{{"type", 1}, {"name", "x"}, {"timestamp", 5}} << int(B9600) << false << false;
}

void TestSerialPort::properties_setTheLine_andReopenOnlyOnChange()
{
    QFETCH(QVariantMap, properties);
    QFETCH(int, speed);
    QFETCH(bool, twoStopBits);
    QFETCH(bool, reopens);

    SerialRig rig;
    QVERIFY2(rig.startPair(), qPrintable(rig.pair.error()));
    // The device's own pty, held only to read its line settings.
    PtyEnd line(rig.pair.first());
    QVERIFY(rig.openDevice());
    const termios initial = line.attributes();
    QCOMPARE(int(cfgetospeed(&initial)), int(B9600));
    QVERIFY(!(initial.c_cflag & CSTOPB));

    emit rig.device.set_properties(properties);
    // A frame after the properties: when it is out, they have been applied.
    emit rig.device.writeData(QByteArrayLiteral("marker"), 0);
    QVERIFY(rig.peer.waitForBytes(6, 3000));
    QCoreApplication::processEvents();

    const termios attributes = line.attributes();
    QCOMPARE(int(cfgetospeed(&attributes)), speed);
    QCOMPARE(bool(attributes.c_cflag & CSTOPB), twoStopBits);
    QCOMPARE(rig.opened.count(), reopens ? 2 : 1);
    QVERIFY(rig.device.isPortOpen());
}

void TestSerialPort::unusablePort_reportsClosed_andIsRetriedAtMostOncePerSecond_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("no name") << QString();
    QTest::newRow("the no-device name") << QStringLiteral("None");
    QTest::newRow("a port that does not exist") << QStringLiteral("/nonexistent/ttyUSB7");
}

void TestSerialPort::unusablePort_reportsClosed_andIsRetriedAtMostOncePerSecond()
{
    QFETCH(QString, name);
    RecordingDevice device;
    QSignalSpy opened(&device, &PortDevice::port_opened);
    device.setPort(serialPortDescriptor(name));
    QVERIFY(waitForOpen(opened, false));
    QCOMPARE(opened.count(), 1);
    QElapsedTimer sinceFailure;
    sinceFailure.start();

    // Frames keep coming, fifty a second: they are dropped, and the port is
    // tried again only once a second has passed.
    QTimer writer;
    writer.setInterval(20);
    connect(&writer, &QTimer::timeout, &device, [&device] { emit device.writeData(QByteArrayLiteral("x"), 0); });
    writer.start();
    QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 2, 5 * SerialPort::reopenIntervalMs);
    QVERIFY2(sinceFailure.elapsed() >= SerialPort::reopenIntervalMs * 9 / 10,
             qPrintable(QStringLiteral("tried again after %1 ms").arg(sinceFailure.elapsed())));
    QCOMPARE(opened.last().first().toBool(), false);
    QVERIFY(device.hasPort());
}

void TestSerialPort::vanishedDevice_costsNoCpu_andIsPickedUpAgain()
{
    SerialRig rig;
    QVERIFY2(rig.startPair(), qPrintable(rig.pair.error()));
    QVERIFY(rig.openDevice());
    RecordingDevice &device = rig.device;
    QSignalSpy &opened = rig.opened;

    int sent = 0;
    QTimer writer;
    writer.setInterval(100);
    connect(&writer, &QTimer::timeout, &device,
            [&] { emit device.writeData(QByteArray("frame ") + QByteArray::number(sent++) + "\n", 0); });
    writer.start();
    QVERIFY(rig.peer.waitFor([](const QByteArray &bytes) { return bytes.count('\n') >= 3; }, 3000));

    // The adapter is pulled.
    rig.peer.close();
    rig.pair.stop();
    opened.clear();
    QVERIFY(waitForOpen(opened, false, 3000));
    QVERIFY(!device.isPortOpen());

    // Three more failed attempts while frames keep coming: at most one a
    // second, and next to no CPU in between.
    const int failedBefore = int(opened.count());
    const double cpuBefore = ProcessStats::cpuTimeMs();
    QElapsedTimer clock;
    clock.start();
    QTRY_COMPARE_WITH_TIMEOUT(int(opened.count()), failedBefore + 3, 10 * SerialPort::reopenIntervalMs);
    const double share = (ProcessStats::cpuTimeMs() - cpuBefore) / double(clock.elapsed());
    QVERIFY2(share < 0.05,
             qPrintable(QStringLiteral("%1 % CPU while the device was away").arg(share * 100, 0, 'f', 1)));
    QVERIFY2(clock.elapsed() >= 2 * SerialPort::reopenIntervalMs * 9 / 10,
             qPrintable(QStringLiteral("three attempts in %1 ms").arg(clock.elapsed())));
    for (int i = failedBefore; i < opened.count(); ++i)
        QCOMPARE(opened.at(i).first().toBool(), false);

    // It is plugged in again under the same name: the next frame goes out.
    rig.peer.take();
    QVERIFY2(rig.startPair(), qPrintable(rig.pair.error()));
    const int firstAfterReturn = sent;
    QVERIFY(rig.peer.waitFor([](const QByteArray &bytes) { return bytes.contains('\n'); }, 3000));
    const QByteArray line = rig.peer.take().split('\n').first();
    QVERIFY2(line.startsWith("frame "), line.constData());
    QVERIFY(line.mid(6).toInt() >= firstAfterReturn);
    QTRY_VERIFY(device.isPortOpen());
}

STADIONIX_TEST_MAIN(TestSerialPort)
#include "tst_serialport.moc"
