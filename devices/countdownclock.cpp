#include "devices/countdownclock.h"

CountdownClock::CountdownClock(QObject *parent)
    : QObject(parent)
{}

void CountdownClock::setCountdownValue(unsigned seconds, bool show)
{
    m_value = seconds;
    if (show)
        emit valueUpdated(seconds);
}

void CountdownClock::startPauseCountdown(bool manual)
{
    Q_UNUSED(manual)
    emit valueUpdated(m_value);
}

void CountdownClock::closePort()
{
    // No port transport yet: nothing to close.
}
