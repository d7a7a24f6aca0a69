#include "devices/windspeed.h"

Windspeed::Windspeed(QObject *parent)
    : QObject(parent)
{}

void Windspeed::startMeasurement(int kind)
{
    Q_UNUSED(kind)
}

void Windspeed::closePort()
{
    // No port transport yet: nothing to close.
}
