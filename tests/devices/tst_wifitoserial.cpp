#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "devices/transport/wifitoserial.h"
#include "recordingdevice.h"
#include "support/ptyend.h"
#include "support/socatpair.h"
#include "support/testsupport.h"
#include "tools/wifi-bridge-standin/wifibridgestandin.h"

// The Wi-Fi bridge transport against the stand-in bridge on a loopback
// address of each test's own, port 3210 as the bridges have it.
class TestWifiToSerial : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void bridge_carriesBytesBothWaysThroughItsSerialSide();
    void cutConnection_isReported_andTheNextFrameReconnectsAtOnce();
    void bridgeClosingEveryConnectionAtOnce_isNotReconnectedForEveryFrame();
    void refusingBridge_isTriedEveryFewSeconds_andPickedUpAgain();
    void unreachableBridge_dropsFramesMeanwhile_andTheFirstAfterItsReturnGoesOut();
    void closingWhileConnectingToAnUnreachableBridge_endsTheThreadAtOnce();
};

namespace {

WifiBridgeStandin::Settings bridgeAt(const char *address)
{
    WifiBridgeStandin::Settings settings;
    settings.address = QHostAddress(QString::fromLatin1(address));
    settings.announceTo = settings.address;
    settings.silent = true; // nobody listens for announcements here
    return settings;
}

int count(const QSignalSpy &spy, bool open)
{
    return int(std::count_if(spy.cbegin(), spy.cend(),
                             [open](const QList<QVariant> &call) { return call.first().toBool() == open; }));
}

// Numbered frames, one every 100 ms, as a scoreboard or clock sends them.
class FrameWriter
{
public:
    explicit FrameWriter(PortDevice &device)
    {
        m_timer.setInterval(100);
        QObject::connect(&m_timer, &QTimer::timeout, &device, [this, &device] {
            emit device.writeData(QByteArray("F") + QByteArray::number(m_sent++) + ";", 0);
        });
        m_timer.start();
    }
    int sent() const { return m_sent; }

private:
    QTimer m_timer;
    int m_sent = 0;
};

int firstFrameNumber(const QByteArray &bytes)
{
    const int start = int(bytes.indexOf('F'));
    const int end = int(bytes.indexOf(';', start));
    return start < 0 || end < 0 ? -1 : bytes.mid(start + 1, end - start - 1).toInt();
}

} // namespace

void TestWifiToSerial::init()
{
    TestSupport::failOnUnexpectedWarnings();
}

void TestWifiToSerial::bridge_carriesBytesBothWaysThroughItsSerialSide()
{
    SocatPair pair;
    QVERIFY2(pair.start(), qPrintable(pair.error()));
    PtyEnd serialDevice(pair.second());
    WifiBridgeStandin bridge;
    WifiBridgeStandin::Settings settings = bridgeAt("127.0.13.21");
    settings.serialPath = pair.first();
    QString error;
    QVERIFY2(bridge.start(settings, &error), qPrintable(error));

    RecordingDevice device;
    QSignalSpy opened(&device, &PortDevice::port_opened);
    device.setPort(bridgeDescriptor(QStringLiteral("6/1/123"), settings.address));
    // Frames given while the connection is being made wait for it.
    QByteArray expected;
    for (int i = 0; i < 5; ++i) {
        const QByteArray frame = QByteArray("\x01frame ") + QByteArray::number(i) + "\r";
        expected += frame;
        emit device.writeData(frame, 10);
    }
    QTRY_COMPARE(count(opened, true), 1);
    QVERIFY(serialDevice.waitForBytes(expected.size(), 3000));
    QCOMPARE(serialDevice.take(), expected);
    QCOMPARE(bridge.connectionsAccepted(), 1);

    QVERIFY(serialDevice.write(QByteArrayLiteral("D+00123456m+09000000+18000000\r")));
    QTRY_COMPARE(device.read, QByteArrayLiteral("D+00123456m+09000000+18000000\r"));
    QCOMPARE(count(opened, false), 0);
}

void TestWifiToSerial::cutConnection_isReported_andTheNextFrameReconnectsAtOnce()
{
    WifiBridgeStandin bridge;
    const WifiBridgeStandin::Settings settings = bridgeAt("127.0.13.22");
    QVERIFY(bridge.start(settings));
    RecordingDevice device;
    QSignalSpy opened(&device, &PortDevice::port_opened);
    device.setPort(bridgeDescriptor(QStringLiteral("bridge"), settings.address));
    QTRY_COMPARE(count(opened, true), 1);
    // Up for a while, then cut (a bridge restarting).
    QTest::qWait(WifiToSerial::retryIntervalMs + 200);
    bridge.cutConnections();
    QTRY_COMPARE(count(opened, false), 1);
    QVERIFY(!device.isPortOpen());

    QElapsedTimer clock;
    clock.start();
    emit device.writeData(QByteArrayLiteral("after the cut"), 0);
    QTRY_COMPARE(bridge.received(), QByteArrayLiteral("after the cut"));
    // Sooner than a retry after a failed attempt would be.
    QVERIFY(clock.elapsed() < WifiToSerial::retryIntervalMs);
    QCOMPARE(bridge.connectionsAccepted(), 2);
    QCOMPARE(count(opened, true), 2);
}

void TestWifiToSerial::bridgeClosingEveryConnectionAtOnce_isNotReconnectedForEveryFrame()
{
    WifiBridgeStandin bridge;
    const WifiBridgeStandin::Settings settings = bridgeAt("127.0.13.26");
    QVERIFY(bridge.start(settings));
    connect(&bridge, &WifiBridgeStandin::clientConnected, &bridge, &WifiBridgeStandin::cutConnections,
            Qt::QueuedConnection);
    RecordingDevice device;
    device.setPort(bridgeDescriptor(QStringLiteral("bridge"), settings.address));
    FrameWriter writer(device);
    // A connection at the start, and the next only a retry interval later
    // however many frames came in between.
    QTRY_COMPARE(bridge.connectionsAccepted(), 1);
    QElapsedTimer sinceFirst;
    sinceFirst.start();
    const int sentAtFirst = writer.sent();
    QTRY_COMPARE_WITH_TIMEOUT(bridge.connectionsAccepted(), 2, 2 * WifiToSerial::retryIntervalMs);
    QVERIFY2(sinceFirst.elapsed() >= WifiToSerial::retryIntervalMs * 9 / 10,
             qPrintable(QStringLiteral("connected again after %1 ms").arg(sinceFirst.elapsed())));
    QVERIFY2(writer.sent() - sentAtFirst >= 20, qPrintable(QString::number(writer.sent() - sentAtFirst)));
}

void TestWifiToSerial::refusingBridge_isTriedEveryFewSeconds_andPickedUpAgain()
{
    WifiBridgeStandin bridge;
    WifiBridgeStandin::Settings settings = bridgeAt("127.0.13.23");
    settings.refusing = true;
    QVERIFY(bridge.start(settings));
    RecordingDevice device;
    QSignalSpy opened(&device, &PortDevice::port_opened);
    device.setPort(bridgeDescriptor(QStringLiteral("bridge"), settings.address));
    FrameWriter writer(device);

    // Frames every 100 ms, but one attempt at the start and the next only a
    // retry interval later.
    QTRY_COMPARE(count(opened, false), 1);
    QElapsedTimer sinceFirst;
    sinceFirst.start();
    QTRY_COMPARE_WITH_TIMEOUT(count(opened, false), 2, 2 * WifiToSerial::retryIntervalMs);
    QVERIFY2(sinceFirst.elapsed() >= WifiToSerial::retryIntervalMs * 9 / 10,
             qPrintable(QStringLiteral("tried again after %1 ms").arg(sinceFirst.elapsed())));
    QCOMPARE(count(opened, true), 0);

    bridge.setRefusing(false);
    const int sentAtReturn = writer.sent();
    QTRY_VERIFY_WITH_TIMEOUT(bridge.received().contains(';'), WifiToSerial::retryIntervalMs + 2000);
    // What was given while the bridge refused was dropped, not kept for later.
    QVERIFY2(firstFrameNumber(bridge.received()) >= sentAtReturn - 1, bridge.received().constData());
    QCOMPARE(bridge.connectionsAccepted(), 1);
    QVERIFY(device.isPortOpen());
}

void TestWifiToSerial::unreachableBridge_dropsFramesMeanwhile_andTheFirstAfterItsReturnGoesOut()
{
    WifiBridgeStandin bridge;
    WifiBridgeStandin::Settings settings = bridgeAt("127.0.13.24");
    settings.unreachable = true;
    QString error;
    QVERIFY2(bridge.start(settings, &error), qPrintable(error));
    RecordingDevice device;
    QSignalSpy opened(&device, &PortDevice::port_opened);
    device.setPort(bridgeDescriptor(QStringLiteral("bridge"), settings.address));
    FrameWriter writer(device);

    // No answer: the attempt fails after its time-out, not at once.
    QElapsedTimer attempt;
    attempt.start();
    QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 1, 2 * WifiToSerial::connectTimeoutMs);
    QCOMPARE(count(opened, false), 1);
    QVERIFY2(attempt.elapsed() >= WifiToSerial::connectTimeoutMs * 9 / 10,
             qPrintable(QStringLiteral("failed after %1 ms").arg(attempt.elapsed())));

    QVERIFY2(bridge.setUnreachable(false, &error), qPrintable(error));
    QElapsedTimer sinceReturn;
    sinceReturn.start();
    const int sentAtReturn = writer.sent();
    QTRY_VERIFY_WITH_TIMEOUT(bridge.received().contains(';'),
                             WifiToSerial::connectTimeoutMs + WifiToSerial::retryIntervalMs + 3000);
    // At most the frames of one connection attempt (which the bridge may
    // have answered late) come from before its return; the outage's others
    // were dropped.
    const int first = firstFrameNumber(bridge.received());
    QVERIFY2(first >= sentAtReturn - WifiToSerial::connectTimeoutMs / 100 - 1,
             qPrintable(QStringLiteral("first frame %1, %2 sent at the return").arg(first).arg(sentAtReturn)));
    QTRY_VERIFY(device.isPortOpen());
    // From then on every frame arrives, in order.
    const qsizetype framesBefore = bridge.received().count(';');
    QTRY_VERIFY(bridge.received().count(';') >= framesBefore + 5);
    const QByteArray after = bridge.received();
    const QList<QByteArray> frames = after.split(';');
    for (int i = 1; i + 1 < frames.size(); ++i)
        QCOMPARE(frames.at(i).mid(1).toInt(), frames.at(i - 1).mid(1).toInt() + 1);
}

void TestWifiToSerial::closingWhileConnectingToAnUnreachableBridge_endsTheThreadAtOnce()
{
    WifiBridgeStandin bridge;
    WifiBridgeStandin::Settings settings = bridgeAt("127.0.13.25");
    settings.unreachable = true;
    QString error;
    QVERIFY2(bridge.start(settings, &error), qPrintable(error));
    RecordingDevice device;
    device.setPort(bridgeDescriptor(QStringLiteral("bridge"), settings.address));
    emit device.writeData(QByteArrayLiteral("held while connecting"), 0);
    QTest::qWait(500);

    QElapsedTimer clock;
    clock.start();
    device.closePort();
    QVERIFY(device.waitForReleasedPorts(1000));
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QStringLiteral("%1 ms to close").arg(clock.elapsed())));
    QVERIFY(!device.hasPort());
}

STADIONIX_TEST_MAIN(TestWifiToSerial)
#include "tst_wifitoserial.moc"
