#include "devices/windspeed.h"

Windspeed::Windspeed(QObject *parent)
    : PortDevice(WriteData | DataRead, parent)
{
    setPort(descriptorFromSettings(QStringLiteral("windspeed")));
}

void Windspeed::startMeasurement(int kind)
{
    Q_UNUSED(kind)
}

void Windspeed::onPortDataRead(QByteArray data)
{
    Q_UNUSED(data)
}
