#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <optional>

#include "devices/edmeventtype.h"
#include "devices/edmmeasurementtype.h"
#include "devices/edmreading.h"

class DatabaseConnection;
class EDM;
class EDMMeasurement;
class EDMOfficialInterface;
class EDMResult;
class EDMStore;
class EDMTakeOffBoardMeasurement;

// Calibration and distance computation of the distance meter. Owned by the
// DeviceSet and bound to its EDM. Before an event the official measures
// reference points (the centre of a circle, the crossbar at a known height,
// two points on each take-off line) and test marks that are checked against
// a tape; afterwards each landing mark becomes a distance by plane geometry
// against the references (EDMGeometry), stored with the readings it came
// from and emitted to the one screen that asked for it.
//
// Its records live in the local store of the server connection, so that a
// restart within the competition keeps the calibration. What it must ask or
// tell the official goes through an EDMOfficialInterface; without one, a
// question counts as cancelled.
//
// A distance that is not a number (points on top of each other), and an
// attempt's distance of zero or less, is never stored nor emitted: the
// official is told to measure again.
class EDMModel : public QObject
{
    Q_OBJECT

public:
    explicit EDMModel(QObject *parent = nullptr);
    ~EDMModel() override;

    // Remembers the device and relays its readings and port state.
    void setEDM(EDM *edm);
    EDM *edm() const;
    // The store is reached through the server connection; setting it
    // restores the calibration from the store (see restoreFromStore).
    void setDatabaseConnection(DatabaseConnection *connection);
    DatabaseConnection *databaseConnection() const;
    EDMStore *store() const;
    void setOfficial(EDMOfficialInterface *official) { m_official = official; }
    EDMOfficialInterface *official() const { return m_official; }

    // The radius subtracted from a throw, or 0 (see EDMEventType).
    static double defaultDelta(unsigned eventType);
    // The number of take-off boards of a jump (settings "edm"/"number_boards").
    static int numberOfBoards();

    unsigned eventType() const { return m_eventType; }
    // A new type takes its default delta and drops the references and the
    // tests (for jumps also the take-off board points held).
    void setEventType(unsigned type);
    double delta() const { return m_delta; }
    void setDelta(double delta);
    EDMMeasurement *reference1() const { return m_reference1; }
    EDMMeasurement *reference2() const { return m_reference2; }
    // Takes the measurement (may be null) and drops the tests.
    void setReference1(EDMMeasurement *measurement);
    void setReference2(EDMMeasurement *measurement);

    void setPendingMeasurementType(EDMMeasurementType type) { m_pendingType = type; }
    EDMMeasurementType pendingMeasurementType() const { return m_pendingType; }
    void setTakeOffBoard(int board) { m_takeOffBoard = board; }
    int takeOffBoard() const { return m_takeOffBoard; }

    // Oldest first.
    const QList<EDMResult *> &testResults() const { return m_testResults; }
    const QList<EDMTakeOffBoardMeasurement *> &takeOffBoardMeasurements() const { return m_takeOffBoards; }
    // The point held for a board and seqno, with its reading; null when none.
    EDMTakeOffBoardMeasurement *takeOffBoardPoint(int board, int seqno) const;

    bool referencesComplete(EDMMeasurementType type) const;
    // Asks the device for a reading of the pending type and shows the
    // official that it waits; refused with "Missing references" for a test
    // or a result without its references, and ignored while a request runs.
    void requestMeasurement();
    bool isWaiting() const { return m_waiting; }
    // The official stopped waiting.
    void cancelRequest();
    // Re-bases the newest attempt result near result (within 1 cm) on the
    // given take-off board and returns the new distance; result unchanged
    // when that is not possible.
    double recalculateResult(int board, double result);

    // Readings taken on the instrument without a request count (standalone page).
    void setAcceptUnrequested(bool accept);
    void closeDevice();

signals:
    void edmMeasurement(EDMMeasurementType type, double distance, double verticalAngle, double horizontalAngle,
                        double horizontalDistance);
    // After a test (with the tape distance, -999.999 when none was given) or
    // an attempt's result (with 0).
    void edmResult(double result, double resultMeasuredByTape);
    void port_opened(bool open);
    // References, take-off board points, delta or the tests changed.
    void calibrationChanged();

public slots:
    void onEDMMeasurement(double distance, double verticalAngle, double horizontalAngle, double horizontalDistance);

private:
    enum class Outcome { Distance, MissingReference, SamePoint };
    struct Computed
    {
        Outcome outcome;
        double value = 0;
    };

    // Purges results older than two days, then takes the event type, delta
    // and references of the newest result (or the newest reference readings),
    // the take-off board points and the tests of the event type.
    void restoreFromStore();
    void clearCalibration();
    void replaceReference(EDMMeasurement *&reference, EDMMeasurement *measurement);
    void clearTestResults();
    void endWaiting();
    void takeReference(EDMMeasurementType type, const EDMReading &reading);
    void askCrossbarHeight();
    void recordTakeOffBoardPoint(int board, int seqno, unsigned measurementId);
    void takeMark(EDMMeasurementType type, const EDMReading &reading);
    // The distance of a mark by the event type, from a (reference 1 or a
    // board's point 1) and b (reference 2 or point 2).
    Computed compute(const EDMReading &mark, const EDMMeasurement *a, const EDMMeasurement *b) const;
    // Tells the official when a computed distance may not be used.
    bool usable(const Computed &computed, bool attempt);
    double tapeDistance();

    QPointer<EDM> m_edm;
    QPointer<DatabaseConnection> m_connection;
    QPointer<EDMStore> m_store;
    EDMOfficialInterface *m_official = nullptr;
    unsigned m_eventType = NoEventType;
    EDMMeasurementType m_pendingType = NoMeasurement;
    EDMMeasurement *m_reference1 = nullptr;
    EDMMeasurement *m_reference2 = nullptr;
    QList<EDMResult *> m_testResults;
    QList<EDMTakeOffBoardMeasurement *> m_takeOffBoards;
    int m_takeOffBoard = 1;
    double m_delta = 0;
    bool m_waiting = false;
    // A reading is being handled (the official may be answering a question).
    bool m_handlingReading = false;
};
