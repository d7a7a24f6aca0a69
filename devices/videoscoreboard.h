#pragma once

#include <QChar>
#include <QList>
#include <QObject>
#include <QString>

class Participation;

// The video scoreboard output. Owned by the application object; reads its
// own settings.
class VideoScoreboard : public QObject
{
    Q_OBJECT

public:
    explicit VideoScoreboard(QObject *parent = nullptr);

    // Closes the port: tells the transport and waits 200 ms for it.
    void closePort();

    void sendParticipant(Participation *participation);
    void sendResult(Participation *participation);
    void sendRanking(const QList<Participation *> &ranking, QChar fieldType, const QString &eventText);

signals:
    void outputRequested(const QString &what);
};
