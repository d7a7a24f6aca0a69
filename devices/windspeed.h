#pragma once

#include <QObject>

// The wind gauge. Owned by the application object; reads its own settings.
class Windspeed : public QObject
{
    Q_OBJECT

public:
    enum MeasurementKind { FiveSeconds = 4 };

    explicit Windspeed(QObject *parent = nullptr);

    // Closes the port: tells the transport and waits 200 ms for it.
    void closePort();

    void startMeasurement(int kind);

signals:
    // Metres per second, or -9 when nothing was measured.
    void windspeedResult(double result);
    void port_opened(bool open);
};
