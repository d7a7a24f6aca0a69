#include "devices/transport/outputdevicefactory.h"

#include "devices/transport/none.h"
#include "devices/transport/serialport.h"
#include "devices/transport/wifitoserial.h"

OutputDevice *OutputDeviceFactory::create(const QVariantMap &descriptor)
{
    const QString name = descriptor.value(QStringLiteral("name")).toString();
    switch (descriptor.value(QStringLiteral("type")).toUInt()) {
    case OutputDevice::SerialPortType:
        return new SerialPort(name);
    case OutputDevice::WifiToSerialType:
        return new WifiToSerial(name, descriptor.value(QStringLiteral("ip")).toUInt());
    case OutputDevice::NoneType:
        return new None(name);
    default:
        return nullptr;
    }
}
