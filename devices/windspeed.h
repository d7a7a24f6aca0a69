#pragma once

#include <QTimer>

#include "devices/portdevice.h"
#include "devices/windspeedanswerreader.h"

// The wind gauge. Owned by the DeviceSet; builds its port from the settings
// group "windspeed". A measurement starts the gauge for its measuring time,
// asks for the result when that time is over and reports it, or -9 ("no
// result") when no readable value has come 500 ms after asking.
class Windspeed : public PortDevice
{
    Q_OBJECT

public:
    // Measurement kinds (see WindspeedCommand): the screens use the five-second one.
    enum MeasurementKind { FiveSeconds = 4 };
    static constexpr double NoResult = -9;
    static constexpr int CheckResponseMs = 500;

    explicit Windspeed(QObject *parent = nullptr);

    // Ignored without a port and while a measurement runs (until its answer
    // has been waited for).
    void startMeasurement(int kind);
    bool isMeasuring() const { return m_askResultTimer.isActive() || m_checkResponseTimer.isActive(); }

signals:
    // Metres per second, or -9 when nothing was measured.
    void windspeedResult(double result);

public slots:
    void onAskResultTimeout();
    void onCheckResponseTimeout();

protected slots:
    void onPortDataRead(QByteArray data) override;

private:
    QTimer m_askResultTimer;
    QTimer m_checkResponseTimer;
    WindspeedAnswerReader m_reader;
    bool m_resultReceived = false;
};
