#pragma once

#include <QChar>
#include <QList>
#include <QPointer>
#include <QString>

class CountdownClock;
class Participation;
class Scoreboard;
class VideoScoreboard;

// What the judges' screen tells the devices around the event: the LED
// scoreboard, the video wall and the countdown clock. The screen reports a
// call, a result, a retirement or a ranking here; this class knows which
// device shows what, so the screen stays a screen. Any device may be
// missing.
class FieldEventOutput
{
public:
    void setDevices(Scoreboard *scoreboard, VideoScoreboard *videoScoreboard, CountdownClock *countdownClock);
    // The event's name, as the video wall shows it.
    void setEventName(const QString &name) { m_eventName = name; }

    // The call button: shows the athlete called up, unless an attempt time
    // runs, then lets the clocks start, pause or resume.
    void participantCalled(Participation *participation, QChar fieldType);
    // A mark stored for the athlete.
    void resultEntered(Participation *participation, QChar fieldType);
    // The athlete has retired: shown at once.
    void participantRetired(Participation *participation, QChar fieldType);
    void rankingRequested(const QList<Participation *> &ranking, QChar fieldType, const QString &eventText);

    // A new attempt time from the countdown digits.
    void countdownSet(unsigned seconds);
    // The judge starts entering: a running attempt time stops.
    void stopCountdowns();
    // The attempt is over (or the heat opens): the clocks stop and arm the
    // attempt time for the next call.
    void rearmCountdowns();
    bool isCountdownRunning() const;

private:
    void showOnVideo(Participation *participation, QChar fieldType, bool result);

    QPointer<Scoreboard> m_scoreboard;
    QPointer<VideoScoreboard> m_videoScoreboard;
    QPointer<CountdownClock> m_countdownClock;
    QString m_eventName;
};
