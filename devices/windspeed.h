#pragma once

#include "devices/portdevice.h"

// The wind gauge. Owned by the DeviceSet; builds its port from the settings
// group "windspeed".
class Windspeed : public PortDevice
{
    Q_OBJECT

public:
    enum MeasurementKind { FiveSeconds = 4 };

    explicit Windspeed(QObject *parent = nullptr);

    void startMeasurement(int kind);

signals:
    // Metres per second, or -9 when nothing was measured.
    void windspeedResult(double result);

protected slots:
    void onPortDataRead(QByteArray data) override;
};
