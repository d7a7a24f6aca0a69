#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QVariantMap>

#include "devices/attemptcountdown.h"
#include "devices/portdevice.h"

class ScoreboardDriverInterface;

// The countdown clock: a display of its own that shows an athlete the
// seconds left for an attempt. Owned by the DeviceSet; builds its port from
// the settings group "countdown", loads the driver plug-ins beside the
// program and its layouts from "countdownclocklayouts", and keeps the attempt
// time (AttemptCountdown) that the field event screen starts, pauses and
// re-arms.
//
// A layout names the controller of the display in "controllertype":
// - "ie 1.0.1" (in any case): the first driver, the one whose name holds
//   "ie 1.0.1"; "mode" "TEXT5" has it send text5Command instead of
//   textCommand;
// - "cv 1.0.1" (in any case): the second driver, whose name holds
//   "cv 1.0.1";
// - otherwise the name() of a loaded driver exactly ("Changhong",
//   "C-Power"), so that an LED board of either make serves as the clock.
// The first two take their brightness range from the layout's
// "set_brightness" (step 1) and step it with the first driver; a board of a
// named driver takes that driver's range and commands.
// Without a driver for the layout, a layout or a port nothing is sent, and
// the countdown runs all the same.
class CountdownClock : public PortDevice
{
    Q_OBJECT

public:
    explicit CountdownClock(QObject *parent = nullptr);
    // Drivers and layouts from the folders "scoreboarddrivers" and
    // "countdownclocklayouts" of programFolder instead of the program's own.
    explicit CountdownClock(const QString &programFolder, QObject *parent = nullptr);
    ~CountdownClock() override;

    void loadDrivers();
    // The drivers to choose from, in load order; the current layout chooses
    // again among them.
    void useDrivers(const QList<ScoreboardDriverInterface *> &drivers);
    void loadLayouts();
    // The first layout of that "layoutname"; none when no layout has it.
    void selectLayout(const QString &layoutName);
    QList<QVariantMap> layoutSummaries() const { return m_summaries; }
    QJsonObject currentLayout() const { return m_layout; }
    // The driver that makes the current layout's bytes; null when none.
    ScoreboardDriverInterface *currentDriver() const { return m_driver; }

    // Arms that many seconds and shows them; store keeps them as the attempt
    // time a re-armed countdown starts from.
    void setCountdownValue(int seconds, bool store);
    void startPauseCountdown(bool manual);
    void resetCountdown();
    bool isCountdownRunning() const;
    void stopCountdown();
    void setStartCountdownAfterCall(bool start) { m_countdown->setStartAfterCall(start); }
    AttemptCountdown::State countdownState() const { return m_countdown->state(); }
    unsigned remainingSeconds() const { return m_countdown->remaining(); }

    void stepBrightness();
    unsigned brightness() const { return unsigned(m_brightness); }

public slots:
    void onTimerTimeout();

signals:
    void valueUpdated(uint value);
    void brightnessUpdated(uint value, uint max);

private:
    void chooseDriver();
    void send();

    QString m_folder;
    QList<ScoreboardDriverInterface *> m_drivers;
    ScoreboardDriverInterface *m_firstDriver = nullptr;  // "ie 1.0.1"
    ScoreboardDriverInterface *m_secondDriver = nullptr; // "cv 1.0.1"
    QList<QJsonObject> m_layouts;
    QList<QVariantMap> m_summaries;
    QJsonObject m_layout;
    QString m_layoutName;
    ScoreboardDriverInterface *m_driver = nullptr;
    bool m_text5 = false;
    // The driver that steps the brightness (the first one, or the board's).
    ScoreboardDriverInterface *m_brightnessDriver = nullptr;
    int m_brightness = 0;
    int m_brightnessMinimum = 0;
    int m_brightnessMaximum = 0;
    int m_brightnessStep = 1;
    AttemptCountdown *m_countdown;
};
