#pragma once

#include <QChar>
#include <QList>
#include <QPointer>
#include <QString>

#include "devices/portdevice.h"
#include "devices/videomessage.h"
#include "records/participation.h"

// The video wall or graphics system: one JSON message a line (see
// VideoMessage) about the athlete up, the result just achieved or the
// ranking. Owned by the DeviceSet; builds its port from the settings group
// "videoscoreboard". The field event screen sets the athlete and the event
// name before each message; without an athlete the messages carry made-up
// content (the devices dialog tries the wall out that way). Nothing is sent
// without a port.
class VideoScoreboard : public PortDevice
{
    Q_OBJECT

public:
    explicit VideoScoreboard(QObject *parent = nullptr);

    // The athlete the next message is about (not owned).
    void setCurrentParticipation(Participation *participation) { m_current = participation; }
    Participation *currentParticipation() const { return m_current; }
    void setEventName(const QString &name) { m_eventName = name; }

    void sendHorizontalParticipant();
    void sendVerticalParticipant();
    void sendHorizontalResult();
    void sendVerticalResult();
    void clearBoard();
    // One row message per athlete, in the list's order.
    void showRanking(QChar fieldType, const QList<Participation *> &ranking);

signals:
    // Every output request, by name, for whoever follows the wall (tests,
    // the devices dialog).
    void outputRequested(const QString &what);

private:
    void send(VideoMessage::Type type, QChar fieldType = QChar());
    void write(const QVariantMap &message);

    QPointer<Participation> m_current;
    QString m_eventName;
};
