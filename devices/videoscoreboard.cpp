#include "devices/videoscoreboard.h"

VideoScoreboard::VideoScoreboard(QObject *parent)
    : PortDevice(WriteData, parent)
{
    setPort(descriptorFromSettings(QStringLiteral("videoscoreboard")));
}

void VideoScoreboard::sendParticipant(Participation *participation)
{
    Q_UNUSED(participation)
    emit outputRequested(QStringLiteral("participant"));
}

void VideoScoreboard::sendResult(Participation *participation)
{
    Q_UNUSED(participation)
    emit outputRequested(QStringLiteral("result"));
}

void VideoScoreboard::sendRanking(const QList<Participation *> &ranking, QChar fieldType, const QString &eventText)
{
    Q_UNUSED(fieldType)
    emit outputRequested(QStringLiteral("ranking %1 %2").arg(ranking.size()).arg(eventText));
}
