#pragma once

#include <QObject>

class DatabaseConnection;
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

    // The store is reached through the server connection.
    void setDatabaseConnection(DatabaseConnection *connection) { m_connection = connection; }
    DatabaseConnection *databaseConnection() const { return m_connection; }
    int eventType() const { return m_eventType; }
    void closeDevice();

    void setPendingMeasurementType(int type) { m_pendingType = type; }
    int pendingMeasurementType() const { return m_pendingType; }
    void setTakeOffBoard(int board) { m_takeOffBoard = board; }
    int takeOffBoard() const { return m_takeOffBoard; }
    void requestMeasurement();
    // Re-bases the latest attempt result near `result` on another take-off
    // board; the result unchanged when that is not possible.
    double recalculateResult(int board, double result);

signals:
    void port_opened(bool open);
    void edmResult(double result, double resultMeasuredByTape);

public slots:
    void onEDMMeasurement(double distance, double verticalAngle, double horizontalAngle, double horizontalDistance);

private:
    EDM *m_edm = nullptr;
    DatabaseConnection *m_connection = nullptr;
    int m_eventType = 0;
    int m_pendingType = 0;
    int m_takeOffBoard = 1;
};
