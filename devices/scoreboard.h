#pragma once

#include <QChar>
#include <QList>
#include <QString>

#include "devices/portdevice.h"

class Participation;

// The LED scoreboard output. Owned by the DeviceSet; builds its port from the
// settings group "scoreboard". The screens report participants, results and
// rankings to it.
class Scoreboard : public PortDevice
{
    Q_OBJECT

public:
    explicit Scoreboard(QObject *parent = nullptr);

    // The participation the next sending operation shows (not owned).
    void setCurrentParticipation(Participation *participation) { m_current = participation; }
    Participation *currentParticipation() const { return m_current; }

    void sendHorizontalParticipant();
    void sendVerticalParticipant();
    void sendHorizontalResult();
    void sendVerticalResult();
    void sendResultAfterAttempt();
    void showRanking(const QList<Participation *> &ranking, QChar fieldType, const QString &eventText);

    void setCountdownValue(unsigned seconds);
    void startPauseCountdown(bool manual);
    bool isCountdownRunning() const { return m_countdownRunning; }
    void setStartCountdownAfterCall(bool start) { m_startAfterCall = start; }

signals:
    // Every output request, by name, for whoever follows the board (tests,
    // the devices dialog).
    void outputRequested(const QString &what);

private:
    Participation *m_current = nullptr;
    bool m_countdownRunning = false;
    bool m_startAfterCall = false;
    unsigned m_countdownValue = 60;
};
