#pragma once

#include <QObject>

class QTimer;

// The attempt time, as the LED scoreboard and the countdown clock both keep
// it: the seconds an athlete has left, counted down once a second, and the
// state that decides what the call button and the start/pause button do.
// The owner shows the remaining seconds on its display when asked
// (showRemaining) and passes valueUpdated on to the screens.
//
// States: Initial until a value is set or the countdown re-armed; Ready
// (armed, not started); Running; Paused; Finished at zero. A call shows the
// armed time and a second call starts it, or the first call starts it when
// the countdown starts after a call (setting "countdown"/
// "start_countdown_after_call"); a call while it runs pauses it, the next
// resumes it; after zero the next call re-arms the stored time (setting
// "countdown"/"value") without starting it.
class AttemptCountdown : public QObject
{
    Q_OBJECT

public:
    enum State { Initial, Ready, Running, Paused, Finished };

    static constexpr int TickMs = 1000;

    explicit AttemptCountdown(QObject *parent = nullptr);

    // The attempt time kept in the settings ("countdown"/"value", 60 when
    // none) that a re-armed countdown starts from.
    static unsigned storedValue();
    static void storeValue(unsigned seconds);

    State state() const { return m_state; }
    unsigned remaining() const { return m_remaining; }
    bool isRunning() const;
    void setStartAfterCall(bool start) { m_startAfterCall = start; }
    bool startsAfterCall() const { return m_startAfterCall; }

    // The call button (manual false) or a start/pause button (manual true).
    // A finished countdown re-arms only when rearmFinished is true; it is shown in
    // any case.
    void startPause(bool manual, bool rearmFinished = true);
    // Stops, and arms the stored time again.
    void reset();
    // Arms the given time and shows it.
    void setValue(unsigned seconds);
    // Stops the ticks; the state stays.
    void stop();
    // One second has passed.
    void tick();

signals:
    void showRemaining();
    void valueUpdated(uint value);

private:
    void start();
    void rearm();

    QTimer *m_timer;
    State m_state = Initial;
    unsigned m_remaining;
    bool m_startAfterCall;
    bool m_shownOnce = false;
};
