#include "devices/scoreboard.h"

Scoreboard::Scoreboard(QObject *parent)
    : PortDevice(WriteData, parent)
{
    setPort(descriptorFromSettings(QStringLiteral("scoreboard")));
}

void Scoreboard::sendHorizontalParticipant()
{
    emit outputRequested(QStringLiteral("horizontal participant"));
}

void Scoreboard::sendVerticalParticipant()
{
    emit outputRequested(QStringLiteral("vertical participant"));
}

void Scoreboard::sendHorizontalResult()
{
    emit outputRequested(QStringLiteral("horizontal result"));
}

void Scoreboard::sendVerticalResult()
{
    emit outputRequested(QStringLiteral("vertical result"));
}

void Scoreboard::sendResultAfterAttempt()
{
    emit outputRequested(QStringLiteral("result after attempt"));
}

void Scoreboard::showRanking(const QList<Participation *> &ranking, QChar fieldType, const QString &eventText)
{
    Q_UNUSED(fieldType)
    emit outputRequested(QStringLiteral("ranking %1 %2").arg(ranking.size()).arg(eventText));
}

void Scoreboard::setCountdownValue(unsigned seconds)
{
    m_countdownValue = seconds;
    emit outputRequested(QStringLiteral("countdown value %1").arg(seconds));
}

void Scoreboard::startPauseCountdown(bool manual)
{
    Q_UNUSED(manual)
    emit outputRequested(QStringLiteral("countdown"));
}
