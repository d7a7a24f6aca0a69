#pragma once

#include <QObject>

// The countdown clock for the attempt time. Owned by the application object;
// reads its own settings.
class CountdownClock : public QObject
{
    Q_OBJECT

public:
    explicit CountdownClock(QObject *parent = nullptr);

    // Closes the port: tells the transport and waits 200 ms for it.
    void closePort();

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
