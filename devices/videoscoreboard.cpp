#include "devices/videoscoreboard.h"

VideoScoreboard::VideoScoreboard(QObject *parent)
    : PortDevice(WriteData, parent)
{
    setPort(descriptorFromSettings(QStringLiteral("videoscoreboard")));
}

void VideoScoreboard::write(const QVariantMap &message)
{
    if (hasPort())
        emit writeData(VideoMessage::encode(message), 0);
}

void VideoScoreboard::send(VideoMessage::Type type, QChar fieldType)
{
    VideoMessage::Context context;
    context.participation = m_current;
    context.eventName = m_eventName;
    context.retiredMark = tr("r");
    context.fieldType = fieldType;
    write(VideoMessage::message(type, context));
}

void VideoScoreboard::sendHorizontalParticipant()
{
    emit outputRequested(QStringLiteral("horizontal participant"));
    send(VideoMessage::HorizontalParticipant);
}

void VideoScoreboard::sendVerticalParticipant()
{
    emit outputRequested(QStringLiteral("vertical participant"));
    send(VideoMessage::VerticalParticipant);
}

void VideoScoreboard::sendHorizontalResult()
{
    emit outputRequested(QStringLiteral("horizontal result"));
    send(VideoMessage::HorizontalResult);
}

void VideoScoreboard::sendVerticalResult()
{
    emit outputRequested(QStringLiteral("vertical result"));
    send(VideoMessage::VerticalResult);
}

void VideoScoreboard::clearBoard()
{
    emit outputRequested(QStringLiteral("clear"));
    write(VideoMessage::clearMessage());
}

void VideoScoreboard::showRanking(QChar fieldType, const QList<Participation *> &ranking)
{
    emit outputRequested(QStringLiteral("ranking %1").arg(ranking.size()));
    const QPointer<Participation> previous = m_current;
    for (Participation *row : ranking) {
        // A row without its athlete would go out as made-up content.
        if (!row)
            continue;
        m_current = row;
        send(VideoMessage::RankingRow, fieldType);
    }
    m_current = previous;
}
