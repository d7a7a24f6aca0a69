#pragma once

#include <QObject>
#include <QPointer>

class EDMMeasurement;
class EDMStore;

// A reading that fixes one point (seqno 1 or 2) of a take-off board's line.
class EDMTakeOffBoardMeasurement : public QObject
{
public:
    explicit EDMTakeOffBoardMeasurement(EDMStore *store = nullptr, QObject *parent = nullptr);

    QPointer<EDMStore> store;
    unsigned id = 0;
    bool isNew = true;
    bool deleted = false;

    int takeoffBoard = 1;
    int seqno = 1;

    unsigned measurementId() const { return m_measurementId; }
    // Loads the reading with this id from the store (replacing the one held).
    void setMeasurementId(unsigned id);
    EDMMeasurement *measurement() const { return m_measurement; }

    void save();

private:
    unsigned m_measurementId = 0;
    EDMMeasurement *m_measurement = nullptr;
};
