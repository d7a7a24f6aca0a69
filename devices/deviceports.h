#pragma once

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>
#include <optional>

class DataPortsListModel;
class PortDevice;
class QThread;
class QTimer;
class WifiBroadcastListener;

// The port choice of every device while the devices dialog is open, without
// the widgets: one list of ports per device ("None", the machine's serial
// ports, the serial links named in the settings or the environment, and the
// Wi-Fi bridges heard meanwhile), the row chosen in each, the colour code of
// each selector, and what a choice does (the settings group is written and
// the device takes the port at once).
//
// Bridges are heard by a WifiBroadcastListener on a worker thread of its own
// between startListening() and stopListening(). They join every list but
// the video scoreboard's; a device whose stored port is a bridge gets it
// back as soon as the bridge is heard.
class DevicePorts : public QObject
{
    Q_OBJECT

public:
    // The colour of a selector (the "code" property the dialog's style sheet
    // reads).
    enum Code { PortOpen = 0, PortFailed = 1, NoDevice = 2, BridgeSilent = 3 };
    enum class Choice { Taken, AlreadyUsed };

    // A bridge not heard for longer than this is shown silent.
    static constexpr qint64 BridgeSilenceSeconds = 10;
    static constexpr int FreshnessIntervalMs = 1000;

    explicit DevicePorts(QObject *parent = nullptr);
    ~DevicePorts() override;

    // The serial links offered beside the machine's serial ports: the paths
    // of the settings value "devices"/"serial_links" (a list) and of the
    // environment variable STADIONIX_SERIAL_LINKS (separated by ':'), in that
    // order, each once.
    static QStringList serialLinks();
    // "None", then the machine's serial ports, then the serial links.
    static QList<QVariantMap> initialPorts();

    // Adds a device with the settings group it is stored in, and selects the
    // stored port (a stored serial port that is not listed any more is listed
    // at the end, so what the device uses is what is shown). Returns its
    // index.
    int addDevice(const QString &group, PortDevice *device, bool hearsBridges);
    int deviceCount() const { return int(m_devices.size()); }
    int indexOf(const QString &group) const;
    QString group(int device) const;
    DataPortsListModel *ports(int device) const;
    int currentRow(int device) const;
    QVariantMap currentPort(int device) const;
    int code(int device) const;

    // The official picks a row. A serial port or a bridge that another
    // device has is refused (AlreadyUsed): the device then gets "None".
    // Otherwise the settings group gets "type", "port" and, for a bridge,
    // "ip", and the device gets the port. The serial settings of the group
    // ("baud", "databits", "parity", "stopbits") go with a serial port of a
    // group that has them.
    Choice choose(int device, int row);

    // A bridge's announcement, as the listener gives it.
    void onBridgeHeard(const QHostAddress &sender, const QByteArray &datagram);
    void addBridge(const QVariantMap &descriptor);
    // Looks at the chosen bridges: one not heard for more than
    // BridgeSilenceSeconds turns silent, one heard again shows its port state.
    void checkFreshness();

    // The address the listener takes instead of every address, when set.
    static constexpr const char *ListenAddressVariable = "STADIONIX_BRIDGE_LISTEN";

    // Where the listener listens (the program: port 55555 of every address,
    // or of the address named by STADIONIX_BRIDGE_LISTEN).
    void setListenAddress(const QHostAddress &address, quint16 port);
    void startListening();
    void stopListening();
    bool isListening() const { return m_listenerThread != nullptr; }

    // Seconds since the epoch; tests may set a clock of their own.
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

signals:
    // The row of a device changed without a choice (a reset, a stored
    // bridge heard).
    void currentRowChanged(int device, int row);
    void codeChanged(int device, int code);
    // The listener's worker ends.
    void finishWifiToSerial();

private:
    struct Device
    {
        QString group;
        QPointer<PortDevice> device;
        bool hearsBridges = false;
        DataPortsListModel *ports = nullptr;
        int row = 0;
        // What the current port last reported; none before it did.
        std::optional<bool> open;
        bool silent = false;
        int code = NoDevice;
    };

    bool usedElsewhere(int device, const QVariantMap &port) const;
    void apply(int device, int row);
    void setCode(int device, int code);
    int portCode(const Device &device) const;
    void onPortOpened(PortDevice *device, bool open);

    QList<Device> m_devices;
    QHostAddress m_listenAddress = QHostAddress::AnyIPv4;
    quint16 m_listenPort = 55555;
    QThread *m_listenerThread = nullptr;
    QTimer *m_freshness;
    std::function<qint64()> m_clock;
};
