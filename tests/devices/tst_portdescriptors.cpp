#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

#include "devices/transport/dataportslistmodel.h"
#include "devices/transport/outputdevice.h"
#include "devices/transport/outputdevicefactory.h"
#include "support/testsupport.h"

// Port descriptors: the transport the factory makes of each, and the lists
// of ports the devices dialog offers.
class TestPortDescriptors : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void factory_makesTheTransportTheTypeNames_data();
    void factory_makesTheTransportTheTypeNames();
    void list_keepsOnePortPerName();
    void list_updatesAPortInPlace();
    void list_answersOutsideItsRows();
};

void TestPortDescriptors::init()
{
    TestSupport::failOnUnexpectedWarnings();
}

void TestPortDescriptors::factory_makesTheTransportTheTypeNames_data()
{
    QTest::addColumn<QVariantMap>("descriptor");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("displayName");
    QTest::addColumn<quint32>("ip");

    QTest::newRow("serial port") << QVariantMap{{"type", 1}, {"name", "ttyUSB0"}} << 1 << "ttyUSB0" << 0u;
    QTest::newRow("bridge, address as a number")
        << QVariantMap{{"type", 2}, {"name", "6/1/123"}, {"ip", 0xC0A80414u}, {"timestamp", 1}} << 2
        << "6/1/123(192.168.4.20)" << 0xC0A80414u;
    QTest::newRow("bridge, address as decimal text from the settings")
        << QVariantMap{{"type", "2"}, {"name", "pit"}, {"ip", "2130709761"}} << 2 << "pit(127.0.13.1)" << 2130709761u;
    QTest::newRow("no device") << QVariantMap{{"type", 3}, {"name", "None"}} << 3 << "None" << 0u;
    QTest::newRow("type never stored") << QVariantMap{{"name", "ttyUSB0"}} << 0 << QString() << 0u;
    QTest::newRow("type 0") << QVariantMap{{"type", 0}, {"name", "ttyUSB0"}} << 0 << QString() << 0u;
    QTest::newRow("unknown type") << QVariantMap{{"type", 4}, {"name", "ttyUSB0"}} << 0 << QString() << 0u;
    QTest::newRow("type that is no number") << QVariantMap{{"type", "serial"}} << 0 << QString() << 0u;
}

void TestPortDescriptors::factory_makesTheTransportTheTypeNames()
{
    QFETCH(QVariantMap, descriptor);
    QFETCH(int, type);
    QFETCH(QString, displayName);
    QFETCH(quint32, ip);
    const std::unique_ptr<OutputDevice> transport(OutputDeviceFactory::create(descriptor));
    if (type == 0) {
        QVERIFY(!transport);
        return;
    }
    QVERIFY(transport);
    QCOMPARE(transport->type(), type);
    QCOMPARE(transport->displayName(), displayName);
    QCOMPARE(transport->ip(), ip);
    // Not started yet: nothing is open.
    QVERIFY(!transport->isOpen());
}

void TestPortDescriptors::list_keepsOnePortPerName()
{
    DataPortsListModel ports;
    QAbstractItemModelTester tester(&ports, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy inserted(&ports, &QAbstractItemModel::rowsInserted);

    QVERIFY(ports.addPort({{"type", 3}, {"name", "None"}}));
    QVERIFY(ports.addPort({{"type", 1}, {"name", "ttyUSB0"}}));
    QVERIFY(ports.addPort({{"type", 2}, {"name", "6/1/123"}, {"ip", 1u}, {"timestamp", 10}}));
    // The same name again, even with other values, is not added.
    QVERIFY(!ports.addPort({{"type", 2}, {"name", "6/1/123"}, {"ip", 2u}, {"timestamp", 20}}));
    QVERIFY(!ports.addPort({{"type", 1}, {"name", "ttyUSB0"}}));
    // Names are compared exactly.
    QVERIFY(ports.addPort({{"type", 1}, {"name", "ttyusb0"}}));

    QCOMPARE(inserted.count(), 4);
    QCOMPARE(ports.rowCount(), 4);
    QStringList names;
    for (int row = 0; row < ports.rowCount(); ++row)
        names << ports.data(ports.index(row)).toString();
    QCOMPARE(names, (QStringList{"None", "ttyUSB0", "6/1/123", "ttyusb0"}));
    QCOMPARE(ports.indexOfPort("6/1/123"), 2);
    QCOMPARE(ports.indexOfPort("ttyUSB1"), -1);
    QCOMPARE(ports.portAt(2).value("ip").toUInt(), 1u);
    QCOMPARE(ports.portAt(2).value("timestamp").toInt(), 10);
}

void TestPortDescriptors::list_updatesAPortInPlace()
{
    DataPortsListModel ports;
    QAbstractItemModelTester tester(&ports, QAbstractItemModelTester::FailureReportingMode::QtTest);
    ports.addPort({{"type", 3}, {"name", "None"}});
    ports.addPort({{"type", 2}, {"name", "6/1/123"}, {"ip", 1u}, {"timestamp", 10}});
    QSignalSpy changed(&ports, &QAbstractItemModel::dataChanged);

    ports.updatePort({{"type", 2}, {"name", "6/1/123"}, {"ip", 1u}, {"timestamp", 25}});
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().at(0).toModelIndex().row(), 1);
    QCOMPARE(changed.first().at(1).toModelIndex().row(), 1);
    QCOMPARE(ports.portAt(1).value("timestamp").toInt(), 25);

    // A port that is not listed is not added by an update.
    ports.updatePort({{"type", 2}, {"name", "6/1/999"}, {"timestamp", 30}});
    QCOMPARE(changed.count(), 1);
    QCOMPARE(ports.rowCount(), 2);
}

void TestPortDescriptors::list_answersOutsideItsRows()
{
    DataPortsListModel ports;
    ports.addPort({{"type", 1}, {"name", "ttyUSB0"}});
    QVERIFY(ports.portAt(-1).isEmpty());
    QVERIFY(ports.portAt(1).isEmpty());
    QVERIFY(!ports.data(ports.index(0), Qt::DecorationRole).isValid());
    QVERIFY(!ports.data(ports.index(0), Qt::UserRole).isValid());
    QVERIFY(!ports.data(QModelIndex()).isValid());
    QCOMPARE(ports.rowCount(ports.index(0)), 0);
}

STADIONIX_TEST_MAIN(TestPortDescriptors)
#include "tst_portdescriptors.moc"
