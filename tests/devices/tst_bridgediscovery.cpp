#include <QAbstractItemModelTester>
#include <QDateTime>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

#include <algorithm>

#include "devices/transport/bridgeannouncement.h"
#include "devices/transport/dataportslistmodel.h"
#include "devices/transport/outputdevicefactory.h"
#include "devices/transport/wifibroadcastlistener.h"
#include "recordingdevice.h"
#include "support/testsupport.h"
#include "tools/wifi-bridge-standin/wifibridgestandin.h"

// Finding Wi-Fi bridges: what an announcement says, and the listener hearing
// stand-in bridges on loopback addresses of this test's own (the listener on
// port 55555 as the bridges send to it).
class TestBridgeDiscovery : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void announcement_givesTheListedName_data();
    void announcement_givesTheListedName();
    void builtAnnouncement_readsBackItsName_data();
    void builtAnnouncement_readsBackItsName();
    void listener_hearsBridges_andTheListGetsThemOnce();
    void heardBridge_isAPortThatConnects();
};

namespace {

QByteArray datagramWithName(const QByteArray &name, int size = BridgeAnnouncement::datagramSize)
{
    QByteArray datagram(qMax(size, 0), 'x');
    datagram.replace(BridgeAnnouncement::nameOffset,
                     qMin<qsizetype>(name.size(), size - BridgeAnnouncement::nameOffset),
                     name.left(size - BridgeAnnouncement::nameOffset));
    return datagram.left(size);
}

// A listener on its own worker thread, as the devices dialog runs it.
class ListenerThread
{
public:
    explicit ListenerThread(const QHostAddress &address)
        : listener(new WifiBroadcastListener(address))
    {
        QObject::connect(&thread, &QThread::started, listener, &WifiBroadcastListener::process);
        QObject::connect(listener, &WifiBroadcastListener::finished, &thread, &QThread::quit, Qt::DirectConnection);
        QObject::connect(listener, &WifiBroadcastListener::finished, listener, &QObject::deleteLater);
        listener->moveToThread(&thread);
    }
    ~ListenerThread()
    {
        QMetaObject::invokeMethod(listener, &WifiBroadcastListener::onFinish, Qt::QueuedConnection);
        thread.wait(3000);
    }
    QThread thread;
    WifiBroadcastListener *listener;
};

} // namespace

void TestBridgeDiscovery::init()
{
    TestSupport::failOnUnexpectedWarnings();
}

void TestBridgeDiscovery::announcement_givesTheListedName_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<QString>("rawName");
    QTest::addColumn<QString>("displayName");

    QTest::newRow("serial number in capitals") << BridgeAnnouncement::build("WFBRDG000123") << "WFBRDG000123"
                                               << "6/1/123";
    QTest::newRow("prefix in any case") << BridgeAnnouncement::build("wfBrDg004711") << "wfBrDg004711"
                                        << "6/1/4711";
    QTest::newRow("only six digits count") << BridgeAnnouncement::build("WFBRDG12345678") << "WFBRDG12345678"
                                           << "6/1/123456";
    QTest::newRow("no number after the prefix") << BridgeAnnouncement::build("WFBRDGabcdef") << "WFBRDGabcdef"
                                                << "6/1/0";
    QTest::newRow("other names as they are") << BridgeAnnouncement::build("Field 3 bridge") << "Field 3 bridge"
                                             << "Field 3 bridge";
    QTest::newRow("UTF-8 name") << BridgeAnnouncement::build(QStringLiteral("Hochsprung Süd")) << "Hochsprung Süd"
                                << "Hochsprung Süd";
    QTest::newRow("field filled to its end, nothing after it read")
        << datagramWithName("ABCDEFGHIJKLMNOPQRSTUVWXYZ01234extra") << "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234"
        << "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234";
    QTest::newRow("datagram of 60 bytes has no name") << datagramWithName("WFBRDG000123", 60) << ""
                                                      << "";
    QTest::newRow("datagram ending inside the field") << datagramWithName("WFBRDG000123", 66) << "WFBRDG"
                                                      << "6/1/0";
    QTest::newRow("empty datagram") << QByteArray() << ""
                                    << "";
}

void TestBridgeDiscovery::announcement_givesTheListedName()
{
    QFETCH(QByteArray, datagram);
    QFETCH(QString, rawName);
    QFETCH(QString, displayName);
    QCOMPARE(BridgeAnnouncement::rawName(datagram), rawName);
    const QVariantMap port =
        BridgeAnnouncement::descriptor(QHostAddress(QStringLiteral("192.168.4.20")), datagram, 1781352000);
    QCOMPARE(port,
             (QVariantMap{{"type", 2}, {"name", displayName}, {"ip", 0xC0A80414u}, {"timestamp", qint64(1781352000)}}));
}

void TestBridgeDiscovery::builtAnnouncement_readsBackItsName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("short") << "WFBRDG000001"
                           << "WFBRDG000001";
    QTest::newRow("exactly the field") << QString(31, QLatin1Char('n')) << QString(31, QLatin1Char('n'));
    QTest::newRow("too long is cut to the field") << QString(40, QLatin1Char('n')) << QString(31, QLatin1Char('n'));
    // 15 two-byte letters fill 30 bytes; the 16th does not fit whole.
    QTest::newRow("cut between characters, not inside one") << QString(20, QChar(0x00E9)) << QString(15, QChar(0x00E9));
    QTest::newRow("four-byte characters") << QString::fromUtf8("\xF0\x9F\x8F\x83 run \xF0\x9F\x8F\x83")
                                          << QString::fromUtf8("\xF0\x9F\x8F\x83 run \xF0\x9F\x8F\x83");
}

void TestBridgeDiscovery::builtAnnouncement_readsBackItsName()
{
    QFETCH(QString, name);
    QFETCH(QString, readBack);
    const QByteArray datagram = BridgeAnnouncement::build(name);
    QCOMPARE(datagram.size(), BridgeAnnouncement::datagramSize);
    QCOMPARE(BridgeAnnouncement::rawName(datagram), readBack);
}

void TestBridgeDiscovery::listener_hearsBridges_andTheListGetsThemOnce()
{
    const QHostAddress listenerAddress(QStringLiteral("127.0.13.31"));
    ListenerThread listening(listenerAddress);
    QSignalSpy bound(listening.listener, &WifiBroadcastListener::listening);
    QSignalSpy heard(listening.listener, &WifiBroadcastListener::newDatagram);
    listening.thread.start();
    QTRY_COMPARE(bound.count(), 1);
    QVERIFY(bound.first().first().toBool());

    DataPortsListModel ports;
    QAbstractItemModelTester tester(&ports, QAbstractItemModelTester::FailureReportingMode::QtTest);
    ports.addPort(nonePortDescriptor());
    // The devices dialog's handling of an announcement. Its own context, so
    // that announcements still queued when this test ends are dropped.
    int updates = 0;
    QObject dialog;
    connect(listening.listener, &WifiBroadcastListener::newDatagram, &dialog,
            [&](const QHostAddress &sender, const QByteArray &datagram) {
                const QVariantMap port = BridgeAnnouncement::descriptor(sender, datagram);
                if (!ports.addPort(port)) {
                    ports.updatePort(port);
                    ++updates;
                }
            });

    WifiBridgeStandin first;
    WifiBridgeStandin second;
    WifiBridgeStandin::Settings settings;
    settings.announceTo = listenerAddress;
    settings.announceIntervalMs = 100;
    settings.address = QHostAddress(QStringLiteral("127.0.13.32"));
    settings.name = QStringLiteral("WFBRDG000123");
    QVERIFY(first.start(settings));
    settings.address = QHostAddress(QStringLiteral("127.0.13.33"));
    settings.name = QStringLiteral("Long jump pit");
    QVERIFY(second.start(settings));

    QTRY_VERIFY(updates >= 4);
    QCOMPARE(ports.rowCount(), 3);
    const QVariantMap board = ports.portAt(ports.indexOfPort(QStringLiteral("6/1/123")));
    QCOMPARE(board.value("type").toInt(), 2);
    QCOMPARE(QHostAddress(board.value("ip").toUInt()), QHostAddress(QStringLiteral("127.0.13.32")));
    QVERIFY(qAbs(board.value("timestamp").toLongLong() - QDateTime::currentSecsSinceEpoch()) <= 2);
    QCOMPARE(QHostAddress(ports.portAt(ports.indexOfPort(QStringLiteral("Long jump pit"))).value("ip").toUInt()),
             QHostAddress(QStringLiteral("127.0.13.33")));

    // A silent bridge is no longer heard; the other still is. Announcements
    // are heard in the order they were sent: once the other bridge's first
    // one after the silence is in, all the silent one sent before is too.
    second.setSilent(true);
    const auto heardFromFirst = [&heard] {
        return std::count_if(heard.cbegin(), heard.cend(), [](const QList<QVariant> &call) {
            return call.first().value<QHostAddress>() == QHostAddress(QStringLiteral("127.0.13.32"));
        });
    };
    const int sentBeforeSilence = first.announcementsSent();
    QTRY_VERIFY(heardFromFirst() > sentBeforeSilence);
    heard.clear();
    QTRY_VERIFY(heard.count() >= 3);
    for (const QList<QVariant> &call : std::as_const(heard))
        QCOMPARE(call.first().value<QHostAddress>(), QHostAddress(QStringLiteral("127.0.13.32")));
}

void TestBridgeDiscovery::heardBridge_isAPortThatConnects()
{
    const QHostAddress listenerAddress(QStringLiteral("127.0.13.34"));
    ListenerThread listening(listenerAddress);
    QSignalSpy heard(listening.listener, &WifiBroadcastListener::newDatagram);
    listening.thread.start();

    WifiBridgeStandin bridge;
    WifiBridgeStandin::Settings settings;
    settings.address = QHostAddress(QStringLiteral("127.0.13.35"));
    settings.announceTo = listenerAddress;
    settings.announceIntervalMs = 100;
    QVERIFY(bridge.start(settings));
    QTRY_VERIFY(!heard.isEmpty());
    const QVariantMap port =
        BridgeAnnouncement::descriptor(heard.first().at(0).value<QHostAddress>(), heard.first().at(1).toByteArray());

    std::unique_ptr<OutputDevice> transport(OutputDeviceFactory::create(port));
    QVERIFY(transport);
    QCOMPARE(transport->displayName(), QStringLiteral("6/1/123(127.0.13.35)"));

    RecordingDevice device;
    QSignalSpy opened(&device, &PortDevice::port_opened);
    device.setPort(port);
    emit device.writeData(QByteArrayLiteral("hello board"), 0);
    QTRY_COMPARE(bridge.received(), QByteArrayLiteral("hello board"));
    QVERIFY(device.isPortOpen());
}

STADIONIX_TEST_MAIN(TestBridgeDiscovery)
#include "tst_bridgediscovery.moc"
