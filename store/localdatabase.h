#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariantMap>

#include "store/charactertransformation.h"
#include "store/pendingaction.h"

class EDMMeasurement;
class EDMResult;
class EDMResultMeasurement;
class EDMTakeOffBoardMeasurement;
class Participation;
class Result;

// The program's one persistent store of competition data: the schedule, the
// participations and results of the open heat, the queue of changes the
// server has not confirmed, the EDM calibration and the scoreboard's
// character transformations. SQLite; every statement is prepared once.
class LocalDatabase : public QObject
{
    Q_OBJECT

public:
    // Opens "stadionix.db" in the application data folder.
    explicit LocalDatabase(QObject *parent = nullptr);
    // Opens the given file (tests, tools).
    LocalDatabase(const QString &filePath, QObject *parent);
    ~LocalDatabase() override;

    static QString defaultFilePath();

    // Why the store is not usable.
    enum class Problem { None, CannotOpen, Damaged, NotWritable, NewerVersion, Foreign };

    // False when the file could not be opened, its tables not created, or
    // when it is damaged or cannot be written, or when it was written by a
    // newer version of the program or is not a Stadionix store at all (left
    // as it is, then): nothing can be stored on this device and the user must
    // be told.
    bool isUsable() const { return m_usable; }
    Problem problem() const { return m_problem; }
    // Sets a damaged file aside, under a name of its own beside it, and
    // starts a new store in its place. Returns the name the damaged file is
    // kept under; empty when nothing was done.
    QString startNewBesideDamaged();
    QString errorText() const { return m_errorText; }
    // The version of the tables the file held when it was opened (see
    // StoreSchema); 0 for a file without one.
    int fileVersion() const { return m_fileVersion; }
    QString filePath() const { return m_filePath; }
    QString connectionName() const { return m_connectionName; }
    QSqlDatabase database() const;

    // Groups several writes into one transaction; nests. A failed statement
    // inside makes the outermost end roll everything back.
    bool beginTransaction();
    bool endTransaction();

    // Schedule.
    void storeHeatEvents(const QList<QVariantMap> &heatEvents);
    QList<QVariantMap> loadCachedHeatEvents();
    // Whether the store holds the participations of a heat: the heat last
    // cached, and any other with changes the server has not confirmed.
    bool holdsHeat(unsigned heatId);
    QSet<unsigned> heatsWithUnpostedChanges();
    // Marks the heat, and every other heat the store holds, as held.
    void markCachedHeat(unsigned heatId);

    // Participations and results of the cached heat. The heat they belong
    // to replaces the one held, except a heat with unposted changes, which
    // is kept whole.
    void replaceCachedHeat(const QList<Participation *> &participations);
    QList<Participation *> loadParticipations(unsigned heatId, QObject *parent = nullptr);
    bool insertParticipation(Participation *participation);
    void updateParticipation(Participation *participation);
    void setParticipationOrder(unsigned id, unsigned order);
    void setCurrentOrder(unsigned id, unsigned order);
    void setStartHeight(unsigned id, double height);
    void setOutOfCompetition(unsigned id, bool outOfCompetition);
    void setParticipationBestResult(unsigned id, unsigned bestResult);
    void setResultBestFlag(unsigned id, bool best);
    // Inserts or updates a result together with the pending action that
    // carries it to the server, in one transaction. Returns the local id, 0
    // when nothing could be written.
    unsigned storeResult(unsigned participationServerId, Result *result);
    // Same without queueing anything (a confirmation from the server).
    bool updateConfirmedResult(unsigned participationServerId, Result *result);
    // Deletes a result row; false when there was none.
    bool deleteResult(unsigned id);
    QVariantMap resultRow(unsigned id);
    // A result row as a record (not bound to a participation), null when none.
    Result *loadResult(unsigned id, QObject *parent = nullptr);
    QVariantMap participationRow(unsigned id);
    QVariantMap participationRowByServerId(unsigned participationServerId);

    // Pending actions.
    unsigned pendingActionCount();
    QList<PendingAction> pendingActions();
    bool appendPendingAction(const QString &tableName, int action, unsigned localId);
    void removePendingActions(unsigned localId);
    // Local ids of results whose removal still waits for the server.
    QSet<unsigned> resultsPendingDeletion();
    // The newest queue row of a local id (0 when none), and the removal of a
    // local id's rows up to such a row: a confirmation covers only what was
    // queued before its request went out.
    unsigned latestPendingActionId(const QString &tableName, unsigned localId);
    void removePendingActionsUpTo(const QString &tableName, unsigned localId, unsigned lastActionId);
    // The same for the rows of one action code only.
    void removePendingActionsUpTo(const QString &tableName, unsigned localId, unsigned lastActionId, int action);
    void removeAllPendingActions();

    // EDM.
    unsigned storeEDMMeasurement(EDMMeasurement *measurement);
    unsigned storeEDMResult(EDMResult *result);
    unsigned storeEDMResultMeasurement(EDMResultMeasurement *link);
    unsigned storeEDMTakeOffBoardMeasurement(EDMTakeOffBoardMeasurement *measurement);
    EDMTakeOffBoardMeasurement *findEDMTakeOffBoardMeasurement(int board, int seqno, QObject *parent = nullptr);
    QList<EDMTakeOffBoardMeasurement *> edmTakeOffBoardMeasurements(QObject *parent = nullptr);
    EDMMeasurement *edmMeasurement(unsigned id, QObject *parent = nullptr);
    QList<EDMMeasurement *> edmMeasurementsOfType(int type, QObject *parent = nullptr);
    // The measurements an event result was computed from; each map also holds
    // the link's id under "EDMEventMeasurementID".
    QList<QVariantMap> edmMeasurementsOfResult(unsigned eventResultId);
    EDMResult *latestEDMResult(QObject *parent = nullptr);
    EDMResult *latestEDMResultInWindow(unsigned eventType, int resultType, double minimum, double maximum,
                                       QObject *parent = nullptr);
    QList<EDMResult *> edmTestResults(unsigned eventType, QObject *parent = nullptr);
    void deleteEDMMeasurement(unsigned id);
    void deleteEDMResultMeasurement(unsigned id);
    void deleteEDMResult(unsigned id);
    void deleteEDMTakeOffBoardMeasurement(unsigned id);
    void deleteAllEDMTakeOffBoardMeasurements();
    // Removes event results older than two days with their links and readings.
    void purgeOldEDMResults();

    const QList<CharacterTransformation> &characterTransformations() const { return m_transformations; }

private:
    void open(const QString &filePath);
    void close();
    bool configureDurability();
    bool createTables();
    bool checkIntact();
    bool checkVersion();
    bool checkWritable();
    void prepareStatements();
    void seedCharacterTransformations();
    QSqlQuery &statement(const char *name);
    bool exec(QSqlQuery &query);
    bool execText(const QString &sql);
    void bindParticipation(QSqlQuery &query, const Participation *participation);
    void bindResult(QSqlQuery &query, unsigned participationServerId, const Result *result);
    bool insertParticipationRow(Participation *participation);
    Result *resultFromQuery(const QSqlQuery &query, QObject *parent);
    EDMMeasurement *measurementFromQuery(const QSqlQuery &query, QObject *parent);
    EDMResult *edmResultFromQuery(const QSqlQuery &query, QObject *parent);
    EDMTakeOffBoardMeasurement *takeOffBoardFromQuery(const QSqlQuery &query, QObject *parent);
    void fail(const QString &what, const QString &error);
    void fail(const QString &what, const QSqlError &error);

    QString m_connectionName;
    QString m_filePath;
    bool m_usable = false;
    Problem m_problem = Problem::None;
    QString m_errorText;
    int m_fileVersion = 0;
    QHash<QByteArray, QSqlQuery> m_statements;
    QList<CharacterTransformation> m_transformations;
    int m_transactionDepth = 0;
    bool m_transactionFailed = false;
};
