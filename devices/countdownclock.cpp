#include "devices/countdownclock.h"

CountdownClock::CountdownClock(QObject *parent)
    : QObject(parent)
{
}
