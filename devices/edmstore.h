#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSqlQuery>

#include "devices/edmreading.h"

class EDMMeasurement;
class EDMResult;
class EDMResultMeasurement;
class EDMTakeOffBoardMeasurement;
class LocalDatabase;

// A reading linked to an EDM event result, with the id of the link.
struct EDMResultLink
{
    unsigned linkId = 0;
    unsigned measurementId = 0;
    int type = 0;
    EDMReading reading;
};

// The EDM's records in the local store: readings, results computed from them
// with their links, and the take-off board points. Its tables live in the
// competition store's file and it works on that store's connection, but the
// competition store knows nothing of them. Statements are prepared once,
// when this object is made.
class EDMStore : public QObject
{
    Q_OBJECT

public:
    explicit EDMStore(LocalDatabase *database, QObject *parent = nullptr);

    bool isUsable() const;

    // Insert a record without an id (and take the new id), update one with
    // an id; the id, 0 when nothing could be written.
    unsigned storeMeasurement(EDMMeasurement *measurement);
    unsigned storeResult(EDMResult *result);
    unsigned storeResultMeasurement(EDMResultMeasurement *link);
    unsigned storeTakeOffBoardMeasurement(EDMTakeOffBoardMeasurement *point);

    EDMTakeOffBoardMeasurement *findTakeOffBoardMeasurement(int board, int seqno, QObject *parent = nullptr);
    QList<EDMTakeOffBoardMeasurement *> takeOffBoardMeasurements(QObject *parent = nullptr);
    EDMMeasurement *measurement(unsigned id, QObject *parent = nullptr);
    // Newest first.
    QList<EDMMeasurement *> measurementsOfType(int type, QObject *parent = nullptr);
    QList<EDMResultLink> measurementsOfResult(unsigned eventResultId);
    EDMResult *latestResult(QObject *parent = nullptr);
    // The newest result of the type whose calculated result lies strictly
    // between minimum and maximum.
    EDMResult *latestResultInWindow(unsigned eventType, int resultType, double minimum, double maximum,
                                    QObject *parent = nullptr);
    // Test results of an event type, oldest first.
    QList<EDMResult *> testResults(unsigned eventType, QObject *parent = nullptr);

    void deleteMeasurement(unsigned id);
    void deleteResultMeasurement(unsigned id);
    void deleteResult(unsigned id);
    void deleteTakeOffBoardMeasurement(unsigned id);
    void deleteAllTakeOffBoardMeasurements();

    // Removes the results older than two days with their links, and the
    // readings of those links that nothing else still uses.
    void purgeOldResults();

    // Several writes that stand or fall together.
    void beginTransaction();
    bool endTransaction();

private:
    QSqlQuery &statement(const char *name);
    bool exec(QSqlQuery &query);
    // Runs a bound insert (id 0, which then takes the new row's id) or
    // update; the id, 0 when it failed.
    unsigned write(QSqlQuery &query, unsigned *id, bool *isNew);
    void deleteById(const char *name, unsigned id);

    QPointer<LocalDatabase> m_database;
    QHash<QByteArray, QSqlQuery> m_statements;
    bool m_inTransaction = false;
    bool m_transactionFailed = false;
};
