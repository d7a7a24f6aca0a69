#pragma once

#include <QChar>
#include <QList>
#include <QString>

#include "devices/portdevice.h"

class Participation;

// The video scoreboard output. Owned by the DeviceSet; builds its port from
// the settings group "videoscoreboard".
class VideoScoreboard : public PortDevice
{
    Q_OBJECT

public:
    explicit VideoScoreboard(QObject *parent = nullptr);

    void sendParticipant(Participation *participation);
    void sendResult(Participation *participation);
    void sendRanking(const QList<Participation *> &ranking, QChar fieldType, const QString &eventText);

signals:
    void outputRequested(const QString &what);
};
