#pragma once

#include <QObject>

// The electronic distance meter. Owned by the application object.
class EDM : public QObject
{
    Q_OBJECT

public:
    explicit EDM(QObject *parent = nullptr);

    // Closes the port: tells the transport and waits 200 ms for it.
    void closePort();

signals:
    // Slope distance (m), vertical angle (degrees from the zenith), horizontal
    // angle (degrees), horizontal distance (m).
    void measurement(double distance, double verticalAngle, double horizontalAngle, double horizontalDistance);
    void port_opened(bool open);
};
