#include "devices/countdownclock.h"

CountdownClock::CountdownClock(QObject *parent)
    : PortDevice(WriteData, parent)
{
    setPort(descriptorFromSettings(QStringLiteral("countdown")));
}

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
