#include <QAbstractItemModelTester>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

#include "app/settings.h"
#include "devices/deviceports.h"
#include "devices/transport/dataportslistmodel.h"
#include "recordingdevice.h"
#include "support/ptyend.h"
#include "support/socatpair.h"
#include "support/testsupport.h"
#include "tools/wifi-bridge-standin/wifibridgestandin.h"

// The port choice of the devices dialog without its widgets: the lists, the
// selector colours and what a choice stores and builds, against real ptys
// (socat pairs) and the stand-in bridge on this test's loopback addresses.
class TestDevicePorts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void lists_offerNoneSerialLinksAndTheStoredPort();
    void choice_storesThePort_andColoursBySelectorState_data();
    void choice_storesThePort_andColoursBySelectorState();
    void portOfAnotherDevice_isRefused_noneIsAlwaysAllowed();
    void bridges_joinFourLists_storedOneComesBack_silentOneTurnsOrange();
    void fastTaps_leaveExactlyOneTransport();
};

namespace {

const QHostAddress ListenerAddress(QStringLiteral("127.0.17.1"));
const QHostAddress BridgeAddress(QStringLiteral("127.0.17.2"));

// The pty behind each link that this process holds open.
int openDescriptorsOnto(const QString &link)
{
    const QString target = QFileInfo(link).canonicalFilePath();
    int count = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString &fd : fds.entryList(QDir::NoDotAndDotDot | QDir::System | QDir::Files | QDir::AllEntries))
        count += QFileInfo(fds.filePath(fd)).symLinkTarget() == target ? 1 : 0;
    return count;
}

struct Devices
{
    // The dialog's five tabs.
    Devices()
    {
        for (const char *group : {"scoreboard", "videoscoreboard", "windspeed", "edm", "countdown"}) {
            devices.push_back(std::make_unique<RecordingDevice>());
            ports.addDevice(QString::fromLatin1(group), devices.back().get(), qstrcmp(group, "videoscoreboard") != 0);
        }
    }
    std::vector<std::unique_ptr<RecordingDevice>> devices;
    DevicePorts ports;
};

QVariant stored(const char *group, const char *key)
{
    return Settings::instance()->value(QString::fromLatin1(group), QString::fromLatin1(key));
}

} // namespace

void TestDevicePorts::initTestCase()
{
    qRegisterMetaType<QHostAddress>();
}

void TestDevicePorts::init()
{
    TestSupport::failOnUnexpectedWarnings();
    QSettings().clear();
    qunsetenv("STADIONIX_SERIAL_LINKS");
}

void TestDevicePorts::cleanup()
{
    QSettings().clear();
    qunsetenv("STADIONIX_SERIAL_LINKS");
}

void TestDevicePorts::lists_offerNoneSerialLinksAndTheStoredPort()
{
    Settings::instance()->setValue(QStringLiteral("devices"), QStringLiteral("serial_links"),
                                   QStringList{QStringLiteral("/tmp/from-settings"), QStringLiteral("/tmp/both")});
    qputenv("STADIONIX_SERIAL_LINKS", "/tmp/both:/tmp/from-environment::");
    Settings::instance()->setValue(QStringLiteral("edm"), QStringLiteral("type"), 1);
    Settings::instance()->setValue(QStringLiteral("edm"), QStringLiteral("port"), QStringLiteral("/tmp/unplugged"));
    Settings::instance()->setValue(QStringLiteral("windspeed"), QStringLiteral("type"), 1);
    Settings::instance()->setValue(QStringLiteral("windspeed"), QStringLiteral("port"), QStringLiteral("/tmp/both"));

    QCOMPARE(DevicePorts::serialLinks(), (QStringList{"/tmp/from-settings", "/tmp/both", "/tmp/from-environment"}));
    Devices set;
    QAbstractItemModelTester tester(set.ports.ports(3), QAbstractItemModelTester::FailureReportingMode::QtTest);
    const DataPortsListModel *edm = set.ports.ports(3);
    QCOMPARE(edm->portAt(0), (QVariantMap{{"type", 3u}, {"name", "None"}}));
    for (const QString &link : DevicePorts::serialLinks())
        QCOMPARE(edm->portAt(edm->indexOfPort(link)).value("type").toUInt(), 1u);
    // A stored port not listed any more stays what the selector shows.
    QCOMPARE(edm->rowCount() - 1, edm->indexOfPort(QStringLiteral("/tmp/unplugged")));
    QCOMPARE(set.ports.currentRow(3), edm->rowCount() - 1);
    QCOMPARE(set.ports.currentPort(2).value("name").toString(), QStringLiteral("/tmp/both"));
    QCOMPARE(set.ports.currentRow(0), 0);
    QCOMPARE(set.ports.code(0), int(DevicePorts::NoDevice));
    QCOMPARE(set.ports.ports(0)->indexOfPort(QStringLiteral("/tmp/unplugged")), -1);
}

void TestDevicePorts::choice_storesThePort_andColoursBySelectorState_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<int>("code");
    QTest::newRow("a pty that opens is green") << true << int(DevicePorts::PortOpen);
    QTest::newRow("a link with no device behind it is red") << false << int(DevicePorts::PortFailed);
}

void TestDevicePorts::choice_storesThePort_andColoursBySelectorState()
{
    QFETCH(bool, present);
    QFETCH(int, code);
    SocatPair pair;
    QVERIFY2(pair.start(), qPrintable(pair.error()));
    const QString link = present ? pair.first() : pair.first() + QStringLiteral("-gone");
    qputenv("STADIONIX_SERIAL_LINKS", link.toLocal8Bit());
    Settings::instance()->setValue(QStringLiteral("edm"), QStringLiteral("baud"), 1200);

    Devices set;
    const int edm = set.ports.indexOf(QStringLiteral("edm"));
    const int row = set.ports.ports(edm)->indexOfPort(link);
    QVERIFY(row > 0);
    QSignalSpy codes(&set.ports, &DevicePorts::codeChanged);
    QCOMPARE(set.ports.choose(edm, row), DevicePorts::Choice::Taken);
    QCOMPARE(stored("edm", "type").toUInt(), 1u);
    QCOMPARE(stored("edm", "port").toString(), link);
    QCOMPARE(set.devices.at(edm)->port().value("name").toString(), link);
    // The serial settings of the group go with the port.
    QCOMPARE(set.devices.at(edm)->port().value("baud").toUInt(), 1200u);
    QTRY_COMPARE(set.ports.code(edm), code);
    QCOMPARE(codes.last(), (QList<QVariant>{edm, code}));

    QCOMPARE(set.ports.choose(edm, 0), DevicePorts::Choice::Taken);
    QCOMPARE(set.ports.code(edm), int(DevicePorts::NoDevice));
    QCOMPARE(stored("edm", "type").toUInt(), 3u);
    QCOMPARE(stored("edm", "port").toString(), QStringLiteral("None"));
    QVERIFY(set.devices.at(edm)->waitForReleasedPorts(3000));
    if (present)
        QCOMPARE(openDescriptorsOnto(link), 0);
}

void TestDevicePorts::portOfAnotherDevice_isRefused_noneIsAlwaysAllowed()
{
    SocatPair pair;
    QVERIFY2(pair.start(), qPrintable(pair.error()));
    qputenv("STADIONIX_SERIAL_LINKS", pair.first().toLocal8Bit());
    Devices set;
    const int row = set.ports.ports(0)->indexOfPort(pair.first());
    QCOMPARE(set.ports.choose(0, row), DevicePorts::Choice::Taken);
    QTRY_COMPARE(set.ports.code(0), int(DevicePorts::PortOpen));

    QSignalSpy rows(&set.ports, &DevicePorts::currentRowChanged);
    QCOMPARE(set.ports.choose(4, row), DevicePorts::Choice::AlreadyUsed);
    QCOMPARE(rows.count(), 1);
    QCOMPARE(rows.first(), (QList<QVariant>{4, 0}));
    QCOMPARE(set.ports.currentRow(4), 0);
    QCOMPARE(set.ports.code(4), int(DevicePorts::NoDevice));
    QCOMPARE(stored("countdown", "type").toUInt(), 3u);
    QCOMPARE(set.devices.at(4)->port().value("type").toUInt(), 3u);
    // The first device keeps its port.
    QCOMPARE(set.ports.currentRow(0), row);
    QCOMPARE(stored("scoreboard", "port").toString(), pair.first());
    QVERIFY(set.devices.at(0)->isPortOpen());

    for (int device = 0; device < set.ports.deviceCount(); ++device)
        QCOMPARE(set.ports.choose(device, 0), DevicePorts::Choice::Taken);
    QCOMPARE(rows.count(), 1);
}

void TestDevicePorts::bridges_joinFourLists_storedOneComesBack_silentOneTurnsOrange()
{
    // The scoreboard was left on the bridge; its device builds the port from
    // the settings, as at start-up.
    const QString name = QStringLiteral("6/1/777");
    Settings::instance()->setValue(QStringLiteral("scoreboard"), QStringLiteral("type"), 2);
    Settings::instance()->setValue(QStringLiteral("scoreboard"), QStringLiteral("port"), name);
    Settings::instance()->setValue(QStringLiteral("scoreboard"), QStringLiteral("ip"),
                                   QString::number(BridgeAddress.toIPv4Address()));
    WifiBridgeStandin bridge;
    WifiBridgeStandin::Settings settings;
    settings.address = BridgeAddress;
    settings.announceTo = ListenerAddress;
    settings.announceIntervalMs = 100;
    settings.name = QStringLiteral("WFBRDG000777");
    QVERIFY(bridge.start(settings));

    Devices set;
    set.devices.at(0)->setPort(PortDevice::descriptorFromSettings(QStringLiteral("scoreboard")));
    qint64 now = QDateTime::currentSecsSinceEpoch();
    set.ports.setClock([&now] { return now; });
    set.ports.setListenAddress(ListenerAddress, 55555);
    QCOMPARE(set.ports.currentRow(0), 0);
    QSignalSpy rows(&set.ports, &DevicePorts::currentRowChanged);
    set.ports.startListening();
    QTRY_COMPARE(rows.count(), 1);
    const int bridgeRow = set.ports.ports(0)->indexOfPort(name);
    QVERIFY(bridgeRow > 0);
    QCOMPARE(rows.first(), (QList<QVariant>{0, bridgeRow}));
    QCOMPARE(set.ports.currentPort(0).value("name").toString(), name);
    for (int device = 0; device < set.ports.deviceCount(); ++device)
        QCOMPARE(set.ports.ports(device)->indexOfPort(name),
                 set.ports.group(device) == "videoscoreboard" ? -1 : bridgeRow);
    QTRY_COMPARE(set.ports.code(0), int(DevicePorts::PortOpen));

    // The wind gauge takes the bridge too: refused.
    QCOMPARE(set.ports.choose(2, bridgeRow), DevicePorts::Choice::AlreadyUsed);

    // Heard again and again: fresh. Silent for more than 10 s: orange.
    now += DevicePorts::BridgeSilenceSeconds;
    const int heard = bridge.announcementsSent();
    QTRY_VERIFY(bridge.announcementsSent() > heard + 1);
    set.ports.checkFreshness();
    QCOMPARE(set.ports.code(0), int(DevicePorts::PortOpen));
    bridge.setSilent(true);
    QTest::qWait(300); // announcements already on their way are heard
    now += DevicePorts::BridgeSilenceSeconds;
    set.ports.checkFreshness();
    QCOMPARE(set.ports.code(0), int(DevicePorts::PortOpen));
    now += 1;
    set.ports.checkFreshness();
    QCOMPARE(set.ports.code(0), int(DevicePorts::BridgeSilent));

    // A write that fails while silent shows red, and stays red.
    QVERIFY(bridge.setUnreachable(true));
    QTRY_COMPARE(set.ports.code(0), int(DevicePorts::PortFailed));
    set.ports.checkFreshness();
    QCOMPARE(set.ports.code(0), int(DevicePorts::PortFailed));
    // Back: heard, and the next frame reconnects.
    QVERIFY(bridge.setUnreachable(false));
    bridge.setSilent(false);
    QTRY_COMPARE_WITH_TIMEOUT(set.ports.ports(0)->portAt(bridgeRow).value("timestamp").toLongLong(), now, 5000);
    set.ports.checkFreshness();
    QTRY_COMPARE_WITH_TIMEOUT((emit set.devices.at(0)->writeData("board", 0), set.ports.code(0)),
                              int(DevicePorts::PortOpen), 15000);
    QTRY_VERIFY(bridge.received().contains("board"));

    QSignalSpy finished(&set.ports, &DevicePorts::finishWifiToSerial);
    set.ports.stopListening();
    QCOMPARE(finished.count(), 1);
    QVERIFY(!set.ports.isListening());
}

void TestDevicePorts::fastTaps_leaveExactlyOneTransport()
{
    SocatPair pairs[3];
    QStringList links;
    for (SocatPair &pair : pairs) {
        QVERIFY2(pair.start(), qPrintable(pair.error()));
        links.append(pair.first());
    }
    qputenv("STADIONIX_SERIAL_LINKS", links.join(QLatin1Char(':')).toLocal8Bit());
    Devices set;
    const auto rowOf = [&set](const QString &link) { return set.ports.ports(0)->indexOfPort(link); };
    QCOMPARE(set.ports.choose(0, rowOf(links.at(0))), DevicePorts::Choice::Taken);
    QTRY_COMPARE(set.ports.code(0), int(DevicePorts::PortOpen));

    // Three taps within the close wait of the first port.
    QTimer::singleShot(30, &set.ports, [&] { set.ports.choose(0, rowOf(links.at(0))); });
    QTimer::singleShot(60, &set.ports, [&] { set.ports.choose(0, rowOf(links.at(1))); });
    set.ports.choose(0, rowOf(links.at(2)));
    QCOMPARE(set.ports.currentPort(0).value("name").toString(), links.at(1));
    QCOMPARE(stored("scoreboard", "port").toString(), links.at(1));
    QTRY_COMPARE(set.ports.code(0), int(DevicePorts::PortOpen));
    QVERIFY(set.devices.at(0)->waitForReleasedPorts(3000));
    QCOMPARE(set.devices.at(0)->port().value("name").toString(), links.at(1));
    QCOMPARE(openDescriptorsOnto(links.at(0)), 0);
    QCOMPARE(openDescriptorsOnto(links.at(1)), 1);
    QCOMPARE(openDescriptorsOnto(links.at(2)), 0);

    PtyEnd chosen(pairs[1].second());
    PtyEnd other(pairs[2].second());
    emit set.devices.at(0)->writeData("once", 0);
    QVERIFY(chosen.waitForBytes(4, 5000));
    QCOMPARE(chosen.received(), QByteArray("once"));
    QVERIFY(!other.anythingWithin(200));
}

STADIONIX_TEST_MAIN(TestDevicePorts)
#include "tst_deviceports.moc"
