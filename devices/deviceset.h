#pragma once

#include <QList>
#include <QObject>
#include <QString>

class CountdownClock;
class EDM;
class EDMModel;
class PortDevice;
class Scoreboard;
class ThirdPartyResult;
class VideoScoreboard;
class Windspeed;

// The one owner of the program's devices. Builds every device object (each
// builds its own port from its settings group), binds the EDM to its model,
// hands the devices to screens and dialogs, and closes them all at exit.
// A new device is added here and nowhere else.
class DeviceSet : public QObject
{
    Q_OBJECT

public:
    explicit DeviceSet(QObject *parent = nullptr);
    // The scoreboard and the countdown clock with the drivers and layouts of
    // programFolder instead of the program's own folder.
    explicit DeviceSet(const QString &programFolder, QObject *parent = nullptr);
    ~DeviceSet() override;

    Scoreboard *scoreboard() const { return m_scoreboard; }
    VideoScoreboard *videoScoreboard() const { return m_videoScoreboard; }
    ThirdPartyResult *thirdPartyResult() const { return m_thirdPartyResult; }
    Windspeed *windspeed() const { return m_windspeed; }
    EDM *edm() const { return m_edm; }
    EDMModel *edmModel() const { return m_edmModel; }
    CountdownClock *countdownClock() const { return m_countdownClock; }

    // Every device with a port, in the order they close.
    QList<PortDevice *> portDevices() const;

    // Closes every port: scoreboard, video scoreboard, wind gauge, EDM,
    // countdown clock, result output. All are told at once, then one wait of
    // PortDevice::closeWaitMs with the event loop running, then (bounded)
    // for their worker threads to end.
    void closeAll();

private:
    Scoreboard *m_scoreboard;
    VideoScoreboard *m_videoScoreboard;
    ThirdPartyResult *m_thirdPartyResult;
    Windspeed *m_windspeed;
    EDM *m_edm;
    EDMModel *m_edmModel;
    CountdownClock *m_countdownClock;
};
