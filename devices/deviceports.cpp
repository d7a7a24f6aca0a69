#include "devices/deviceports.h"

#include <QDateTime>
#include <QDir>
#include <QSerialPortInfo>
#include <QThread>
#include <QTimer>

#include "app/settings.h"
#include "devices/portdevice.h"
#include "devices/transport/bridgeannouncement.h"
#include "devices/transport/dataportslistmodel.h"
#include "devices/transport/outputdevice.h"
#include "devices/transport/wifibroadcastlistener.h"

namespace {
const QString TypeKey = QStringLiteral("type");
const QString NameKey = QStringLiteral("name");
const QString IpKey = QStringLiteral("ip");
const QString TimestampKey = QStringLiteral("timestamp");

QVariantMap serialPort(const QString &name)
{
    return {{TypeKey, unsigned(OutputDevice::SerialPortType)}, {NameKey, name}};
}

bool isDevicePort(const QVariantMap &port)
{
    const unsigned type = port.value(TypeKey).toUInt();
    return type == OutputDevice::SerialPortType || type == OutputDevice::WifiToSerialType;
}
} // namespace

DevicePorts::DevicePorts(QObject *parent)
    : QObject(parent)
    , m_freshness(new QTimer(this))
    , m_clock([] { return QDateTime::currentSecsSinceEpoch(); })
{
    // Demonstrations and tests on one machine listen on an address of their own.
    const QHostAddress listen(qEnvironmentVariable(ListenAddressVariable));
    if (listen.protocol() == QAbstractSocket::IPv4Protocol)
        m_listenAddress = listen;
    m_freshness->setInterval(FreshnessIntervalMs);
    connect(m_freshness, &QTimer::timeout, this, &DevicePorts::checkFreshness);
}

DevicePorts::~DevicePorts()
{
    stopListening();
}

QStringList DevicePorts::serialLinks()
{
    QStringList links = Settings::instance()
                            ->value(QStringLiteral("devices"), QStringLiteral("serial_links"), QStringList())
                            .toStringList();
    links += qEnvironmentVariable("STADIONIX_SERIAL_LINKS").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    QStringList unique;
    for (const QString &link : std::as_const(links)) {
        const QString path = link.trimmed();
        if (!path.isEmpty() && !unique.contains(path))
            unique.append(path);
    }
    return unique;
}

QList<QVariantMap> DevicePorts::initialPorts()
{
    QList<QVariantMap> ports{{{TypeKey, unsigned(OutputDevice::NoneType)}, {NameKey, OutputDevice::noneName()}}};
    QStringList names;
    const QList<QSerialPortInfo> available = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : available)
        names.append(info.portName());
    names += serialLinks();
    names.removeDuplicates();
    for (const QString &name : std::as_const(names))
        ports.append(serialPort(name));
    return ports;
}

int DevicePorts::addDevice(const QString &group, PortDevice *device, bool hearsBridges)
{
    Device entry;
    entry.group = group;
    entry.device = device;
    entry.hearsBridges = hearsBridges;
    entry.ports = new DataPortsListModel(this);
    for (const QVariantMap &port : initialPorts())
        entry.ports->addPort(port);
    const QVariantMap stored = PortDevice::descriptorFromSettings(group);
    const QString storedName = stored.value(NameKey).toString();
    if (stored.value(TypeKey).toUInt() == OutputDevice::SerialPortType && !storedName.isEmpty())
        entry.ports->addPort(serialPort(storedName));
    entry.row = qMax(0, entry.ports->indexOfPort(storedName));
    if (device) {
        if (entry.row > 0 && device->hasPort())
            entry.open = device->isPortOpen();
        connect(device, &PortDevice::port_opened, this, [this, device](bool open) { onPortOpened(device, open); });
    }
    m_devices.append(entry);
    const int index = int(m_devices.size()) - 1;
    m_devices[index].code = portCode(m_devices.at(index));
    return index;
}

int DevicePorts::indexOf(const QString &group) const
{
    for (int i = 0; i < m_devices.size(); ++i) {
        if (m_devices.at(i).group == group)
            return i;
    }
    return -1;
}

QString DevicePorts::group(int device) const
{
    return m_devices.value(device).group;
}

DataPortsListModel *DevicePorts::ports(int device) const
{
    return m_devices.value(device).ports;
}

int DevicePorts::currentRow(int device) const
{
    return m_devices.value(device).row;
}

QVariantMap DevicePorts::currentPort(int device) const
{
    const DataPortsListModel *ports = m_devices.value(device).ports;
    return ports ? ports->portAt(currentRow(device)) : QVariantMap();
}

int DevicePorts::code(int device) const
{
    return m_devices.value(device).code;
}

bool DevicePorts::usedElsewhere(int device, const QVariantMap &port) const
{
    if (!isDevicePort(port))
        return false;
    const QString name = port.value(NameKey).toString();
    if (name.isEmpty())
        return false;
    for (int i = 0; i < m_devices.size(); ++i) {
        if (i == device)
            continue;
        const QVariantMap other = currentPort(i);
        if (isDevicePort(other) && other.value(NameKey).toString() == name)
            return true;
    }
    return false;
}

DevicePorts::Choice DevicePorts::choose(int device, int row)
{
    if (device < 0 || device >= m_devices.size())
        return Choice::Taken;
    const QVariantMap port = m_devices.at(device).ports->portAt(row);
    if (usedElsewhere(device, port)) {
        // What the selector shows is what the device has: "None".
        apply(device, 0);
        emit currentRowChanged(device, 0);
        return Choice::AlreadyUsed;
    }
    apply(device, row);
    return Choice::Taken;
}

void DevicePorts::apply(int device, int row)
{
    Device &entry = m_devices[device];
    QVariantMap port = entry.ports->portAt(row);
    entry.row = row;
    entry.open.reset();
    entry.silent = false;
    const unsigned type = port.value(TypeKey).toUInt();
    Settings *settings = Settings::instance();
    if (type == OutputDevice::SerialPortType || type == OutputDevice::WifiToSerialType ||
        type == OutputDevice::NoneType) {
        settings->setValue(entry.group, TypeKey, type);
        settings->setValue(entry.group, QStringLiteral("port"), port.value(NameKey).toString());
        if (type == OutputDevice::WifiToSerialType)
            settings->setValue(entry.group, IpKey, QString::number(port.value(IpKey).toUInt()));
    }
    if (type == OutputDevice::SerialPortType) {
        for (const char *key : {"baud", "databits", "parity", "stopbits"}) {
            const QString name = QString::fromLatin1(key);
            const QVariant value = Settings::defaultValue(entry.group, name);
            if (value.isValid())
                port.insert(name, settings->value(entry.group, name));
        }
    }
    port.remove(TimestampKey);
    setCode(device, NoDevice);
    // The device may report on the new port while this waits for the old one
    // to close; the entry is looked up again afterwards.
    const QPointer<PortDevice> target = entry.device;
    if (target)
        target->setPort(port);
}

void DevicePorts::onPortOpened(PortDevice *device, bool open)
{
    for (int i = 0; i < m_devices.size(); ++i) {
        Device &entry = m_devices[i];
        if (entry.device != device)
            continue;
        // A port being replaced reports itself closed: no state of the new one.
        if (device->hasPort())
            entry.open = open;
        else
            entry.open.reset();
        setCode(i, portCode(entry));
    }
}

int DevicePorts::portCode(const Device &device) const
{
    if (device.row <= 0 || !device.open)
        return NoDevice;
    return *device.open ? PortOpen : PortFailed;
}

void DevicePorts::setCode(int device, int code)
{
    if (m_devices.at(device).code == code)
        return;
    m_devices[device].code = code;
    emit codeChanged(device, code);
}

void DevicePorts::onBridgeHeard(const QHostAddress &sender, const QByteArray &datagram)
{
    QVariantMap descriptor = BridgeAnnouncement::descriptor(sender, datagram, m_clock());
    addBridge(descriptor);
}

void DevicePorts::addBridge(const QVariantMap &descriptor)
{
    for (int i = 0; i < m_devices.size(); ++i) {
        Device &entry = m_devices[i];
        if (!entry.hearsBridges)
            continue;
        if (!entry.ports->addPort(descriptor)) {
            entry.ports->updatePort(descriptor);
            continue;
        }
        const QVariantMap stored = PortDevice::descriptorFromSettings(entry.group);
        if (entry.row != 0 || stored.value(TypeKey).toUInt() != OutputDevice::WifiToSerialType)
            continue;
        const int row = entry.ports->indexOfPort(stored.value(NameKey).toString());
        if (row <= 0)
            continue;
        // The device built this port from its settings already; only the
        // selector comes back to it.
        entry.row = row;
        PortDevice *device = entry.device;
        entry.open.reset();
        if (device && device->hasPort())
            entry.open = device->isPortOpen();
        emit currentRowChanged(i, row);
        setCode(i, portCode(entry));
    }
    if (!m_freshness->isActive())
        m_freshness->start();
}

void DevicePorts::checkFreshness()
{
    const qint64 now = m_clock();
    for (int i = 0; i < m_devices.size(); ++i) {
        Device &entry = m_devices[i];
        if (!entry.hearsBridges)
            continue;
        const QVariantMap port = currentPort(i);
        const bool bridge = port.value(TypeKey).toUInt() == OutputDevice::WifiToSerialType;
        const bool silent = bridge && port.value(TimestampKey).toLongLong() + BridgeSilenceSeconds < now;
        if (silent == entry.silent)
            continue;
        // The latest news shows: a bridge that falls silent turns orange, a
        // write that fails after that turns it red, and one heard again
        // shows its port's state.
        entry.silent = silent;
        setCode(i, silent ? int(BridgeSilent) : portCode(entry));
    }
}

void DevicePorts::setListenAddress(const QHostAddress &address, quint16 port)
{
    m_listenAddress = address;
    m_listenPort = port;
}

void DevicePorts::startListening()
{
    if (m_listenerThread)
        return;
    auto *listener = new WifiBroadcastListener(m_listenAddress, m_listenPort);
    m_listenerThread = new QThread;
    connect(listener, &WifiBroadcastListener::newDatagram, this, &DevicePorts::onBridgeHeard);
    connect(m_listenerThread, &QThread::started, listener, &WifiBroadcastListener::process);
    connect(listener, &WifiBroadcastListener::finished, m_listenerThread, &QThread::quit, Qt::DirectConnection);
    connect(listener, &WifiBroadcastListener::finished, listener, &QObject::deleteLater);
    connect(this, &DevicePorts::finishWifiToSerial, listener, &WifiBroadcastListener::onFinish);
    listener->moveToThread(m_listenerThread);
    m_listenerThread->start(QThread::InheritPriority);
}

void DevicePorts::stopListening()
{
    if (!m_listenerThread)
        return;
    emit finishWifiToSerial();
    // The listener only reads a socket: its thread ends at once.
    if (!m_listenerThread->wait(3000))
        qWarning("The Wi-Fi bridge listener did not end in time");
    delete m_listenerThread;
    m_listenerThread = nullptr;
    m_freshness->stop();
}
