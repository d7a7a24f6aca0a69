#pragma once

#include "devices/portdevice.h"

// The electronic distance meter. Owned by the DeviceSet; builds its port from
// the settings group "edm", whose serial settings ("baud", "databits",
// "parity", "stopbits") it sends to every new port.
class EDM : public PortDevice
{
    Q_OBJECT

public:
    explicit EDM(QObject *parent = nullptr);

signals:
    // Slope distance (m), vertical angle (degrees from the zenith), horizontal
    // angle (degrees), horizontal distance (m).
    void measurement(double distance, double verticalAngle, double horizontalAngle, double horizontalDistance);

protected slots:
    void onPortDataRead(QByteArray data) override;

protected:
    // Sends the stored serial settings, overridden by those the descriptor holds.
    void portStarted(const QVariantMap &descriptor) override;
};
