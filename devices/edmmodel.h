#pragma once

#include <QObject>

class EDM;

// Calibration and distance computation of the distance meter. Owned by the
// application object, bound to the EDM at start-up.
class EDMModel : public QObject
{
    Q_OBJECT

public:
    explicit EDMModel(QObject *parent = nullptr);

    // Remembers the device and relays its readings and port state.
    void setEDM(EDM *edm);
    EDM *edm() const { return m_edm; }

signals:
    void port_opened(bool open);
    void edmResult(double result, double resultMeasuredByTape);

public slots:
    void onEDMMeasurement(double distance, double verticalAngle, double horizontalAngle, double horizontalDistance);

private:
    EDM *m_edm = nullptr;
};
