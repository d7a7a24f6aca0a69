#include <QElapsedTimer>
#include <QPointer>
#include <QSet>
#include <QSettings>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <termios.h>

#include "app/settings.h"
#include "devices/countdownclock.h"
#include "devices/deviceset.h"
#include "devices/edm.h"
#include "devices/edmmodel.h"
#include "devices/scoreboard.h"
#include "devices/thirdpartyresult.h"
#include "devices/videoscoreboard.h"
#include "devices/windspeed.h"
#include "recordingdevice.h"
#include "support/processstats.h"
#include "support/ptyend.h"
#include "support/socatpair.h"
#include "support/testsupport.h"

// The port every device object owns: built from its settings group, wired as
// the device needs, replaced and closed without leaving a thread behind.
class TestPortDevice : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void devices_buildTheirPortFromTheirSettingsGroup_data();
    void devices_buildTheirPortFromTheirSettingsGroup();
    void storedType_decidesWhetherThereIsAPort_data();
    void storedType_decidesWhetherThereIsAPort();
    void switchingPorts200Times_leavesNoThreadBehind();
    void portChangesDuringTheCloseWait_buildOnlyTheLatest_data();
    void portChangesDuringTheCloseWait_buildOnlyTheLatest();
    void deviceSet_buildsEveryDevice_andClosesThemAll();
    void destroyedDevice_endsItsThread();
};

namespace {

std::unique_ptr<PortDevice> makeDevice(const QString &group)
{
    if (group == QLatin1String("scoreboard"))
        return std::make_unique<Scoreboard>();
    if (group == QLatin1String("countdown"))
        return std::make_unique<CountdownClock>();
    if (group == QLatin1String("videoscoreboard"))
        return std::make_unique<VideoScoreboard>();
    if (group == QLatin1String("thirdpartyresult"))
        return std::make_unique<ThirdPartyResult>();
    if (group == QLatin1String("edm"))
        return std::make_unique<EDM>();
    return std::make_unique<Windspeed>();
}

void storePort(const QString &group, const QVariant &type, const QString &port)
{
    Settings::instance()->setValue(group, QStringLiteral("type"), type);
    Settings::instance()->setValue(group, QStringLiteral("port"), port);
}

int openedCount(const QSignalSpy &spy, bool open)
{
    return int(std::count_if(spy.cbegin(), spy.cend(),
                             [open](const QList<QVariant> &call) { return call.first().toBool() == open; }));
}

// Worker threads end a moment after their transport closed.
bool threadsSettleAt(int expected)
{
    return QTest::qWaitFor([expected] { return ProcessStats::threadCount() == expected; }, 3000);
}

} // namespace

void TestPortDevice::init()
{
    TestSupport::failOnUnexpectedWarnings();
    Settings::instance(); // sets the INI format the store uses
    QSettings().clear();
}

void TestPortDevice::devices_buildTheirPortFromTheirSettingsGroup_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<bool>("writes");
    QTest::addColumn<int>("speed");
    QTest::addColumn<bool>("twoStopBits");
    QTest::addColumn<int>("opens");

    // A pty shows the speed and stop bits a port sets (not its data bits or
    // parity); a port reopens when properties change its line.
    QTest::newRow("scoreboard") << "scoreboard" << true << int(B9600) << false << 1;
    QTest::newRow("countdown clock") << "countdown" << true << int(B9600) << false << 1;
    QTest::newRow("video scoreboard") << "videoscoreboard" << true << int(B9600) << false << 1;
    QTest::newRow("result output sets 1200 7E1") << "thirdpartyresult" << true << int(B1200) << false << 2;
    QTest::newRow("EDM sets its stored line and sends nothing") << "edm" << false << int(B19200) << true << 2;
    QTest::newRow("wind gauge") << "windspeed" << true << int(B9600) << false << 1;
}

void TestPortDevice::devices_buildTheirPortFromTheirSettingsGroup()
{
    QFETCH(QString, group);
    QFETCH(bool, writes);
    QFETCH(int, speed);
    QFETCH(bool, twoStopBits);
    QFETCH(int, opens);

    SocatPair pair;
    QVERIFY2(pair.start(), qPrintable(pair.error()));
    PtyEnd line(pair.first());
    PtyEnd peer(pair.second());
    storePort(group, 1, pair.first());
    Settings::instance()->setValue("edm", "baud", 19200);
    Settings::instance()->setValue("edm", "databits", 7);
    Settings::instance()->setValue("edm", "parity", 3);
    Settings::instance()->setValue("edm", "stopbits", 2);

    const std::unique_ptr<PortDevice> device = makeDevice(group);
    QSignalSpy opened(device.get(), &PortDevice::port_opened);
    QVERIFY(device->hasPort());
    QCOMPARE(device->port().value("name").toString(), pair.first());
    QTRY_COMPARE(openedCount(opened, true), opens);

    emit device->writeData(QByteArrayLiteral("probe"), 0);
    QCOMPARE(peer.waitForBytes(5, writes ? 3000 : 300), writes);
    if (writes)
        QCOMPARE(peer.take(), QByteArrayLiteral("probe"));

    const termios attributes = line.attributes();
    QCOMPARE(int(cfgetospeed(&attributes)), speed);
    QCOMPARE(bool(attributes.c_cflag & CSTOPB), twoStopBits);
    QCOMPARE(openedCount(opened, false), 0);
}

void TestPortDevice::storedType_decidesWhetherThereIsAPort_data()
{
    QTest::addColumn<QVariant>("type");
    QTest::addColumn<bool>("hasPort");
    QTest::newRow("never stored") << QVariant() << false;
    QTest::newRow("type 0") << QVariant(0) << false;
    QTest::newRow("unknown type") << QVariant(9) << false;
    QTest::newRow("no device") << QVariant(3) << true;
}

void TestPortDevice::storedType_decidesWhetherThereIsAPort()
{
    QFETCH(QVariant, type);
    QFETCH(bool, hasPort);
    if (type.isValid())
        storePort("scoreboard", type, OutputDevice::noneName());
    const int threads = ProcessStats::threadCount();
    {
        Scoreboard scoreboard;
        QSignalSpy opened(&scoreboard, &PortDevice::port_opened);
        QCOMPARE(scoreboard.hasPort(), hasPort);
        QVERIFY(threadsSettleAt(threads + (hasPort ? 1 : 0)));
        emit scoreboard.writeData(QByteArrayLiteral("dropped"), 1000);
        // The no-device port says it is closed and drops frames at once,
        // without their pause.
        if (hasPort)
            QTRY_COMPARE(opened.count(), 1);
        QTest::qWait(50);
        QCOMPARE(openedCount(opened, true), 0);
        QCOMPARE(opened.count(), hasPort ? 1 : 0);
        QElapsedTimer clock;
        clock.start();
        scoreboard.closePort();
        QVERIFY(scoreboard.waitForReleasedPorts(500));
        QVERIFY(clock.elapsed() < 800);
    }
    QTRY_COMPARE_WITH_TIMEOUT(ProcessStats::threadCount(), threads, 1000);
}

void TestPortDevice::switchingPorts200Times_leavesNoThreadBehind()
{
    SocatPair pair;
    QVERIFY2(pair.start(), qPrintable(pair.error()));
    PtyEnd peer(pair.second());
    RecordingDevice device;
    QSignalSpy opened(&device, &PortDevice::port_opened);
    device.setPort(nonePortDescriptor());
    QTRY_COMPARE(opened.count(), 1);
    const int threads = ProcessStats::threadCount();

    for (int i = 0; i < 200; ++i) {
        device.setPort(i % 2 == 0 ? serialPortDescriptor(pair.first()) : nonePortDescriptor());
        emit device.writeData(QByteArrayLiteral("x"), 0);
    }
    device.setPort(serialPortDescriptor(pair.first()));
    QVERIFY2(
        threadsSettleAt(threads),
        qPrintable(QStringLiteral("%1 threads, %2 before the switches").arg(ProcessStats::threadCount()).arg(threads)));
    // The last port works.
    peer.take();
    emit device.writeData(QByteArrayLiteral("still here"), 0);
    QVERIFY(peer.waitFor([](const QByteArray &bytes) { return bytes.endsWith("still here"); }, 3000));
}

void TestPortDevice::portChangesDuringTheCloseWait_buildOnlyTheLatest_data()
{
    // Port changes at 0, 50 and 100 ms: a pty pair's number, "close" for
    // closePort(), "delete" for destroying the device.
    QTest::addColumn<QStringList>("taps");
    QTest::addColumn<int>("endsOn");
    QTest::newRow("another port during the wait") << QStringList{"1", "2"} << 2;
    QTest::newRow("the same port twice") << QStringList{"1", "1"} << 1;
    QTest::newRow("three quick taps") << QStringList{"1", "2", "1"} << 1;
    QTest::newRow("closed during the wait") << QStringList{"1", "close"} << -1;
    QTest::newRow("a port after a close during the wait") << QStringList{"1", "close", "2"} << 2;
    QTest::newRow("device destroyed during the wait") << QStringList{"1", "delete"} << -1;
}

void TestPortDevice::portChangesDuringTheCloseWait_buildOnlyTheLatest()
{
    QFETCH(QStringList, taps);
    QFETCH(int, endsOn);

    SocatPair pairs[3];
    std::unique_ptr<PtyEnd> peers[3];
    for (int i = 0; i < 3; ++i) {
        QVERIFY2(pairs[i].start(), qPrintable(pairs[i].error()));
        peers[i] = std::make_unique<PtyEnd>(pairs[i].second());
    }
    const int threads = ProcessStats::threadCount();
    QPointer<RecordingDevice> device = new RecordingDevice;
    device->setPort(serialPortDescriptor(pairs[0].first()));
    QVERIFY(threadsSettleAt(threads + 1));

    int tapped = 0;
    const auto tap = [&](const QString &what) {
        ++tapped;
        if (!device)
            return;
        if (what == QLatin1String("close"))
            device->closePort();
        else if (what == QLatin1String("delete"))
            delete device.data();
        else
            device->setPort(serialPortDescriptor(pairs[what.toInt()].first()));
    };
    QObject later; // no tap outlives this test
    for (int i = 1; i < taps.size(); ++i)
        QTimer::singleShot(50 * i, &later, [&tap, what = taps.at(i)] { tap(what); });
    tap(taps.first());
    QTRY_COMPARE(tapped, int(taps.size()));

    QVERIFY(threadsSettleAt(threads + (endsOn >= 0 ? 1 : 0)));
    if (!device)
        return;
    QCOMPARE(device->hasPort(), endsOn >= 0);
    if (endsOn >= 0) {
        QCOMPARE(device->port().value("name").toString(), pairs[endsOn].first());
        QTRY_VERIFY(device->isPortOpen());
    }
    emit device->writeData(QByteArrayLiteral("after the taps"), 0);
    for (int i = 0; i < 3; ++i) {
        if (i == endsOn) {
            QVERIFY(peers[i]->waitFor([](const QByteArray &bytes) { return bytes.contains("after the taps"); }, 3000));
            QTest::qWait(100);
            // One transport: the frame arrives once.
            QCOMPARE(peers[i]->received().count("after the taps"), 1);
        } else {
            QVERIFY2(!peers[i]->anythingWithin(i == 0 ? 100 : 0), qPrintable(QStringLiteral("pair %1").arg(i)));
        }
    }
    delete device.data();
}

void TestPortDevice::deviceSet_buildsEveryDevice_andClosesThemAll()
{
    SocatPair pair;
    QVERIFY2(pair.start(), qPrintable(pair.error()));
    PtyEnd peer(pair.second());
    storePort("scoreboard", 1, pair.first());
    for (const char *group : {"countdown", "videoscoreboard", "thirdpartyresult", "windspeed", "edm"})
        storePort(group, 3, OutputDevice::noneName());
    const int threads = ProcessStats::threadCount();

    DeviceSet devices;
    QCOMPARE(devices.edmModel()->edm(), devices.edm());
    const QList<PortDevice *> all = devices.portDevices();
    QCOMPARE(all.size(), 6);
    QCOMPARE(QSet<PortDevice *>(all.cbegin(), all.cend()).size(), 6);
    for (PortDevice *device : all)
        QVERIFY(device->hasPort());
    QVERIFY(threadsSettleAt(threads + 6));
    QTRY_VERIFY(devices.scoreboard()->isPortOpen());
    emit devices.scoreboard()->writeData(QByteArrayLiteral("board"), 0);
    QVERIFY(peer.waitForBytes(5, 3000));

    QSignalSpy closed(devices.scoreboard(), &PortDevice::port_opened);
    devices.closeAll();
    // Every worker thread has returned from its run when closeAll() returns;
    // the system may take a moment more to take them off its list.
    QTRY_COMPARE_WITH_TIMEOUT(ProcessStats::threadCount(), threads, 1000);
    for (PortDevice *device : all)
        QVERIFY(!device->hasPort());
    QCOMPARE(closed.count(), 1);
    QCOMPARE(closed.first().first().toBool(), false);
}

void TestPortDevice::destroyedDevice_endsItsThread()
{
    SocatPair pair;
    QVERIFY2(pair.start(), qPrintable(pair.error()));
    storePort("windspeed", 1, pair.first());
    const int threads = ProcessStats::threadCount();
    auto windspeed = std::make_unique<Windspeed>();
    QSignalSpy opened(windspeed.get(), &PortDevice::port_opened);
    QTRY_COMPARE(opened.count(), 1);
    // Frames with long pauses still queued do not hold up the end.
    for (int i = 0; i < 20; ++i)
        emit windspeed->writeData(QByteArrayLiteral("x"), 500);
    QElapsedTimer clock;
    clock.start();
    windspeed.reset();
    const qint64 ended = clock.elapsed();
    // The worker has returned from its run when reset() returns; the system
    // may take a moment more to take the thread off its list.
    QTRY_COMPARE_WITH_TIMEOUT(ProcessStats::threadCount(), threads, 1000);
    QVERIFY2(ended < 1500, qPrintable(QStringLiteral("%1 ms").arg(ended)));
}

STADIONIX_TEST_MAIN(TestPortDevice)
#include "tst_portdevice.moc"
