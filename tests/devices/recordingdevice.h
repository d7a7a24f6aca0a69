#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QVariantMap>

#include "devices/portdevice.h"
#include "devices/transport/outputdevice.h"

// A device object with the whole port wiring that keeps what its port reads:
// the port pattern as every device uses it, without a device protocol.
class RecordingDevice : public PortDevice
{
public:
    explicit RecordingDevice(Wiring wiring = WriteData | SetProperties | DataRead)
        : PortDevice(wiring)
    {}

    QByteArray read;

protected:
    void onPortDataRead(QByteArray data) override { read += data; }
};

// Port descriptors as the devices dialog and the settings give them.
inline QVariantMap serialPortDescriptor(const QString &path)
{
    return QVariantMap{{QStringLiteral("type"), int(OutputDevice::SerialPortType)}, {QStringLiteral("name"), path}};
}

inline QVariantMap bridgeDescriptor(const QString &name, const QHostAddress &address)
{
    return QVariantMap{{QStringLiteral("type"), int(OutputDevice::WifiToSerialType)},
                       {QStringLiteral("name"), name},
                       {QStringLiteral("ip"), QString::number(address.toIPv4Address())}};
}

inline QVariantMap nonePortDescriptor()
{
    return QVariantMap{{QStringLiteral("type"), int(OutputDevice::NoneType)},
                       {QStringLiteral("name"), OutputDevice::noneName()}};
}
