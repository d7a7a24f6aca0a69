#include "devices/windspeed.h"

Windspeed::Windspeed(QObject *parent)
    : QObject(parent)
{
}
