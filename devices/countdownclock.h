#pragma once

#include "devices/portdevice.h"

// The countdown clock for the attempt time. Owned by the DeviceSet; builds its
// port from the settings group "countdown".
class CountdownClock : public PortDevice
{
    Q_OBJECT

public:
    explicit CountdownClock(QObject *parent = nullptr);

    void setCountdownValue(unsigned seconds, bool show);
    unsigned countdownValue() const { return m_value; }
    void startPauseCountdown(bool manual);
    bool isRunning() const { return m_running; }
    void setStartCountdownAfterCall(bool start) { m_startAfterCall = start; }

signals:
    void valueUpdated(unsigned int seconds);

private:
    unsigned m_value = 60;
    bool m_running = false;
    bool m_startAfterCall = false;
};
