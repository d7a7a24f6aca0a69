#include "fieldevents/fieldeventoutput.h"

#include "devices/countdownclock.h"
#include "devices/scoreboard.h"
#include "devices/videoscoreboard.h"

void FieldEventOutput::setDevices(Scoreboard *scoreboard, VideoScoreboard *videoScoreboard,
                                  CountdownClock *countdownClock)
{
    m_scoreboard = scoreboard;
    m_videoScoreboard = videoScoreboard;
    m_countdownClock = countdownClock;
}

void FieldEventOutput::participantCalled(Participation *participation, QChar fieldType)
{
    if (!isCountdownRunning() && participation) {
        if (m_scoreboard) {
            m_scoreboard->setCurrentParticipation(participation);
            if (fieldType == QLatin1Char('V'))
                m_scoreboard->sendVerticalParticipant();
            else
                m_scoreboard->sendHorizontalParticipant();
        }
        if (m_videoScoreboard)
            m_videoScoreboard->sendParticipant(participation);
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
        if (fieldType == QLatin1Char('V'))
            m_scoreboard->sendVerticalResult();
        else
            m_scoreboard->sendHorizontalResult();
    }
    if (m_videoScoreboard)
        m_videoScoreboard->sendResult(participation);
}

void FieldEventOutput::participantRetired(Participation *participation)
{
    if (m_scoreboard) {
        m_scoreboard->setCurrentParticipation(participation);
        m_scoreboard->sendResultAfterAttempt();
    }
    if (m_videoScoreboard)
        m_videoScoreboard->sendResult(participation);
}

void FieldEventOutput::rankingRequested(const QList<Participation *> &ranking, QChar fieldType,
                                        const QString &eventText)
{
    if (m_scoreboard)
        m_scoreboard->showRanking(fieldType, eventText, ranking);
    if (m_videoScoreboard)
        m_videoScoreboard->sendRanking(ranking, fieldType, eventText);
}

void FieldEventOutput::countdownSet(unsigned seconds)
{
    if (m_countdownClock)
        m_countdownClock->setCountdownValue(seconds, true);
    if (m_scoreboard)
        m_scoreboard->setCountdownValue(int(seconds));
}

void FieldEventOutput::stopCountdowns()
{
    if (m_countdownClock && m_countdownClock->isRunning())
        m_countdownClock->startPauseCountdown(true);
    if (m_scoreboard && m_scoreboard->isCountdownRunning())
        m_scoreboard->startPauseCountdown(true);
}

bool FieldEventOutput::isCountdownRunning() const
{
    return (m_countdownClock && m_countdownClock->isRunning()) || (m_scoreboard && m_scoreboard->isCountdownRunning());
}
