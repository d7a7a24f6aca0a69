#include "fieldevents/fieldeventoutput.h"

#include "devices/countdownclock.h"
#include "devices/scoreboard.h"
#include "devices/videoscoreboard.h"

namespace {

bool isVertical(QChar fieldType)
{
    return fieldType == QLatin1Char('V');
}

} // namespace

void FieldEventOutput::setDevices(Scoreboard *scoreboard, VideoScoreboard *videoScoreboard,
                                  CountdownClock *countdownClock)
{
    m_scoreboard = scoreboard;
    m_videoScoreboard = videoScoreboard;
    m_countdownClock = countdownClock;
}

void FieldEventOutput::showOnVideo(Participation *participation, QChar fieldType, bool result)
{
    if (!m_videoScoreboard)
        return;
    m_videoScoreboard->setEventName(m_eventName);
    m_videoScoreboard->setCurrentParticipation(participation);
    if (result && isVertical(fieldType))
        m_videoScoreboard->sendVerticalResult();
    else if (result)
        m_videoScoreboard->sendHorizontalResult();
    else if (isVertical(fieldType))
        m_videoScoreboard->sendVerticalParticipant();
    else
        m_videoScoreboard->sendHorizontalParticipant();
}

void FieldEventOutput::participantCalled(Participation *participation, QChar fieldType)
{
    if (!isCountdownRunning() && participation) {
        if (m_scoreboard) {
            m_scoreboard->setCurrentParticipation(participation);
            if (isVertical(fieldType))
                m_scoreboard->sendVerticalParticipant();
            else
                m_scoreboard->sendHorizontalParticipant();
        }
        showOnVideo(participation, fieldType, false);
    }
    if (m_countdownClock)
        m_countdownClock->startPauseCountdown(false);
    if (m_scoreboard)
        m_scoreboard->startPauseCountdown(false);
}

void FieldEventOutput::resultEntered(Participation *participation, QChar fieldType)
{
    if (m_scoreboard) {
        m_scoreboard->setCurrentParticipation(participation);
        if (isVertical(fieldType))
            m_scoreboard->sendVerticalResult();
        else
            m_scoreboard->sendHorizontalResult();
    }
    showOnVideo(participation, fieldType, true);
}

void FieldEventOutput::participantRetired(Participation *participation, QChar fieldType)
{
    if (m_scoreboard) {
        m_scoreboard->setCurrentParticipation(participation);
        m_scoreboard->sendResultAfterAttempt();
    }
    showOnVideo(participation, fieldType, true);
}

void FieldEventOutput::rankingRequested(const QList<Participation *> &ranking, QChar fieldType,
                                        const QString &eventText)
{
    if (m_scoreboard)
        m_scoreboard->showRanking(fieldType, eventText, ranking);
    if (m_videoScoreboard) {
        m_videoScoreboard->setEventName(m_eventName);
        m_videoScoreboard->showRanking(fieldType, ranking);
    }
}

void FieldEventOutput::countdownSet(unsigned seconds)
{
    if (m_countdownClock)
        m_countdownClock->setCountdownValue(int(seconds), true);
    if (m_scoreboard)
        m_scoreboard->setCountdownValue(int(seconds));
}

void FieldEventOutput::stopCountdowns()
{
    if (m_countdownClock && m_countdownClock->isCountdownRunning())
        m_countdownClock->startPauseCountdown(true);
    if (m_scoreboard && m_scoreboard->isCountdownRunning())
        m_scoreboard->startPauseCountdown(true);
}

void FieldEventOutput::rearmCountdowns()
{
    if (m_countdownClock)
        m_countdownClock->resetCountdown();
    if (m_scoreboard)
        m_scoreboard->resetCountdown();
}

bool FieldEventOutput::isCountdownRunning() const
{
    return (m_countdownClock && m_countdownClock->isCountdownRunning()) ||
           (m_scoreboard && m_scoreboard->isCountdownRunning());
}
