#include "store/localdatabase.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSet>
#include <QSqlError>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QTimeZone>

#include "devices/edmmeasurement.h"
#include "devices/edmresult.h"
#include "devices/edmresultmeasurement.h"
#include "devices/edmtakeoffboardmeasurement.h"
#include "records/participation.h"
#include "records/result.h"
#include "store/seedcharactertransformations.h"
#include "store/storeschema.h"

Q_LOGGING_CATEGORY(lcStore, "stadionix.store", QtInfoMsg)

namespace {

const char *const CreateTables[] = {
    "CREATE TABLE IF NOT EXISTS heatevents ("
    "id INTEGER PRIMARY KEY, "
    "event_id INTEGER NOT NULL, "
    "event_name TEXT NOT NULL, "
    "round_id INTEGER NOT NULL, "
    "round_name TEXT, "
    "heat_id INTEGER NOT NULL, "
    "name TEXT, "
    "display_name TEXT, "
    "athletes_quantity INTEGER, "
    "combined_evens_quantity INTEGER, "
    "distance INTEGER, "
    "field_type TEXT, "
    "wind_mode TEXT NOT NULL, "
    "wind_speed INTEGER, "
    "seqno INTEGER NOT NULL, "
    "time_scheduled TEXT, "
    "status INTEGER, "
    "number_of_participants INTEGER, "
    "number_of_attempts INTEGER, "
    "participants_cached INTEGER)",

    "CREATE TABLE IF NOT EXISTS participations ("
    "id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "participation_id INTEGER, "
    "heat_id INTEGER NOT NULL, "
    "round_id INTEGER NOT NULL, "
    "event_id INTEGER NOT NULL, "
    "since TEXT DEFAULT CURRENT_TIMESTAMP, "
    "category TEXT, "
    "initial_order INTEGER NOT NULL, "
    "current_order INTEGER DEFAULT 0, "
    "current_order_combined_event INTEGER DEFAULT 0, "
    "current_order_round INTEGER DEFAULT 0, "
    "working_order INTEGER, "
    "out_of_competition_combined_event INTEGER DEFAULT 0, "
    "out_of_competition INTEGER DEFAULT 0, "
    "abandon INTEGER DEFAULT 0, "
    "in_jumpoff INTEGER DEFAULT 0, "
    "points INTEGER DEFAULT 0, "
    "qualified INTEGER DEFAULT 0, "
    "teamname TEXT DEFAULT NULL, "
    "bib TEXT, "
    "displayname TEXT NOT NULL, "
    "firstname TEXT NOT NULL, "
    "lastname TEXT NOT NULL, "
    "birthdate TEXT, "
    "gender TEXT, "
    "nationality TEXT, "
    "club TEXT, "
    "abbreviation TEXT, "
    "best_result INTEGER, "
    "startheight REAL, "
    "failed_attempts INTEGER DEFAULT 0, "
    "field_type TEXT, "
    "windmode TEXT)",

    "CREATE TABLE IF NOT EXISTS results ("
    "id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "result_id INTEGER DEFAULT 0, "
    "since TEXT DEFAULT CURRENT_TIMESTAMP, "
    "best_result INTEGER DEFAULT 0, "
    "best_valid_result INTEGER DEFAULT 0, "
    "participation INTEGER NOT NULL, "
    "value REAL DEFAULT 0, "
    "wind REAL DEFAULT 0, "
    "seqno INTEGER NOT NULL, "
    "metavalue REAL DEFAULT 0.000, "
    "type TEXT DEFAULT 'FTB', "
    "info TEXT, "
    "time_performed TEXT, "
    "official INTEGER)",

    "CREATE TABLE IF NOT EXISTS unconfirmedactions ("
    "id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "table_name TEXT NOT NULL, "
    "action INTEGER NOT NULL, "
    "local_id INTEGER NOT NULL)",

    "CREATE TABLE IF NOT EXISTS edmeventresults ("
    "id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "since TEXT DEFAULT CURRENT_TIMESTAMP, "
    "event_type INTEGER, "
    "result_type INTEGER, "
    "delta REAL, "
    "calculated_result REAL, "
    "reference_result REAL)",

    "CREATE TABLE IF NOT EXISTS edmeventmeasurements ("
    "id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "event_result INTEGER NOT NULL, "
    "measurement INTEGER NOT NULL)",

    "CREATE TABLE IF NOT EXISTS edmmeasurements ("
    "id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "since TEXT DEFAULT CURRENT_TIMESTAMP, "
    "type INTEGER NOT NULL, "
    "distance REAL DEFAULT 0.0, "
    "horizontal_angle REAL DEFAULT 0.0, "
    "vertical_angle REAL DEFAULT 0.0, "
    "horizontal_distance REAL DEFAULT 0.0)",

    "CREATE TABLE IF NOT EXISTS edmtakeoffboardmeasurements ("
    "id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "takeoff_board INTEGER NOT NULL, "
    "seqno INTEGER NOT NULL, "
    "measurement INTEGER NOT NULL)",

    "CREATE TABLE IF NOT EXISTS charactertransformings ("
    "id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "driver_name TEXT, "
    "source TEXT, "
    "transformed TEXT)",
};

const char ParticipationColumns[] =
    "id, participation_id, heat_id, round_id, event_id, since, category, initial_order, current_order, "
    "current_order_combined_event, current_order_round, working_order, out_of_competition_combined_event, "
    "out_of_competition, abandon, in_jumpoff, points, qualified, teamname, bib, displayname, firstname, lastname, "
    "birthdate, gender, nationality, club, abbreviation, best_result, startheight, failed_attempts, field_type, "
    "windmode";

// Heats with a result or a participation the server has not confirmed.
const char HeatsWithUnposted[] =
    "SELECT DISTINCT heat_id FROM participations WHERE participation_id IN (SELECT results.participation FROM results "
    "JOIN unconfirmedactions ON unconfirmedactions.table_name = 'results' AND unconfirmedactions.local_id = "
    "results.id) OR id IN (SELECT local_id FROM unconfirmedactions WHERE table_name = 'participations')";

const char ResultColumns[] = "id, result_id, participation, value, wind, seqno, best_result, best_valid_result, "
                             "metavalue, type, info, time_performed, official";

struct Statement
{
    const char *name;
    const char *sql;
};

const Statement Statements[] = {
    {"deleteHeatEvents", "DELETE FROM heatevents;"},
    {"insertHeatEvent",
     "INSERT INTO heatevents (event_id, event_name, round_id, round_name, heat_id, name, display_name, "
     "athletes_quantity, combined_evens_quantity, distance, field_type, wind_mode, wind_speed, seqno, time_scheduled, "
     "status, number_of_participants, number_of_attempts, participants_cached) VALUES (:event_id, :event_name, "
     ":round_id, :round_name, :heat_id, :name, :display_name, :athletes_quantity, :combined_evens_quantity, "
     ":distance, :field_type, :wind_mode, :wind_speed, :seqno, :time_scheduled, :status, :number_of_participants, "
     ":number_of_attempts, 0);"},
    {"selectCachedHeatEvents",
     "SELECT id, event_id, event_name, round_id, round_name, heat_id, name, display_name, athletes_quantity, "
     "combined_evens_quantity, distance, field_type, wind_mode, wind_speed, seqno, time_scheduled, status, "
     "number_of_participants, number_of_attempts, participants_cached FROM heatevents WHERE participants_cached = 1;"},
    {"clearCachedHeat", "UPDATE heatevents SET participants_cached = 0"},
    {"countHeatParticipations", "SELECT count(*) FROM participations WHERE heat_id = :heat_id"},
    {"setCachedHeat", "UPDATE heatevents SET participants_cached = :participants_cached WHERE heat_id = :heat_id"},
    {"markHeldHeats",
     "UPDATE heatevents SET participants_cached = 1 WHERE heat_id IN (SELECT heat_id FROM participations)"},
    {"selectHeatsWithUnposted", nullptr},

    // A heat with changes the server has not confirmed stays whole when
    // another is cached, so that it still opens here without the server.
    {"deleteReplacedParticipations", nullptr},
    {"deleteResults", "DELETE FROM results;"},
    // Results still waiting for the server stay in any case, so that
    // changing heats never throws away what a judge entered.
    {"deleteConfirmedResults",
     "DELETE FROM results WHERE id NOT IN (SELECT local_id FROM unconfirmedactions WHERE table_name = 'results') "
     "AND participation NOT IN (SELECT participation_id FROM participations);"},
    {"insertParticipation",
     "INSERT INTO participations (participation_id, heat_id, round_id, event_id, category, initial_order, "
     "current_order, current_order_combined_event, current_order_round, working_order, "
     "out_of_competition_combined_event, out_of_competition, abandon, in_jumpoff, points, qualified, teamname, bib, "
     "displayname, firstname, lastname, birthdate, gender, nationality, club, abbreviation, best_result, startheight, "
     "failed_attempts, field_type, windmode) VALUES (:participation_id, :heat_id, :round_id, :event_id, :category, "
     ":initial_order, :current_order, :current_order_combined_event, :current_order_round, :working_order, "
     ":out_of_competition_combined_event, :out_of_competition, :abandon, :in_jumpoff, :points, :qualified, "
     ":teamname, :bib, :displayname, :firstname, :lastname, :birthdate, :gender, :nationality, :club, "
     ":abbreviation, :best_result, :startheight, :failed_attempts, :field_type, :windmode);"},
    {"selectParticipations", nullptr}, // built from ParticipationColumns
    {"selectResultsOfParticipation", nullptr},
    {"updateParticipation",
     "UPDATE participations SET heat_id = :heat_id, category = :category, initial_order = :initial_order, "
     "current_order = :current_order, current_order_combined_event = :current_order_combined_event, "
     "current_order_round = :current_order_round, working_order = :working_order, "
     "out_of_competition_combined_event = :out_of_competition_combined_event, "
     "out_of_competition = :out_of_competition, abandon = :abandon, in_jumpoff = :in_jumpoff, points = :points, "
     "qualified = :qualified, teamname = :teamname, bib = :bib, displayname = :displayname, "
     "firstname = :firstname, lastname = :lastname, birthdate = :birthdate, gender = :gender, "
     "nationality = :nationality, club = :club, abbreviation = :abbreviation, best_result = :best_result, "
     "startheight = :startheight, failed_attempts = :failed_attempts, field_type = :field_type, "
     "windmode = :windmode WHERE participation_id = :participation_id;"},
    {"setInitialOrder", "UPDATE participations SET initial_order = :initial_order WHERE id = :id;"},
    {"setCurrentOrder", "UPDATE participations SET current_order = :current_order WHERE id = :id;"},
    {"setStartHeight", "UPDATE participations SET startheight = :startheight WHERE id = :id;"},
    {"setOutOfCompetition", "UPDATE participations SET out_of_competition = :out_of_competition WHERE id = :id;"},
    {"setParticipationBestResult", "UPDATE participations SET best_result = :best_result WHERE id = :id;"},
    {"setResultBestFlag", "UPDATE results SET best_result = :best_result WHERE id = :id"},
    {"insertResult",
     "INSERT INTO results (result_id, participation, value, wind, seqno, best_result, best_valid_result, metavalue, "
     "type, info, time_performed, official) VALUES (:result_id, :participation_id, :value, :wind, :seqno, "
     ":best_result, :best_valid_result, :metavalue, :type, :info, :time_performed, :official);"},
    {"updateResult",
     "UPDATE results SET result_id = :result_id, participation = :participation_id, value = :value, wind = :wind, "
     "seqno = :seqno, best_result = :best_result, best_valid_result = :best_valid_result, metavalue = :metavalue, "
     "type = :type, info = :info, time_performed = :time_performed, official = :official WHERE id = :id;"},
    {"selectResult", nullptr},
    {"deleteResult", "DELETE FROM results WHERE id = :id;"},
    {"selectParticipationById", nullptr},
    {"selectParticipationByServerId", nullptr},

    {"countPending", "SELECT count(*) as count FROM unconfirmedactions;"},
    {"listPending", "SELECT id, table_name, action, local_id FROM unconfirmedactions;"},
    {"appendPending",
     "INSERT INTO unconfirmedactions (table_name, action, local_id)VALUES (:table_name, :action, :local_id);"},
    {"selectPendingOfLocalId", "SELECT id, table_name, action, local_id FROM unconfirmedactions WHERE local_id = "
                               ":local_id;"},
    {"deletePending", "DELETE FROM unconfirmedactions WHERE id = :id;"},
    {"deleteAllPending", "DELETE FROM unconfirmedactions;"},
    {"latestPendingOfLocalId", "SELECT max(id) FROM unconfirmedactions WHERE table_name = :table_name AND local_id = "
                               ":local_id;"},
    {"deletePendingOfActionUpTo", "DELETE FROM unconfirmedactions WHERE table_name = :table_name AND local_id = "
                                  ":local_id AND action = :action AND id <= :id;"},
    {"deletePendingUpTo",
     "DELETE FROM unconfirmedactions WHERE table_name = :table_name AND local_id = :local_id AND id "
     "<= :id;"},

    {"updateEDMMeasurement",
     "UPDATE edmmeasurements SET since = :since, type = :type, distance = :distance, horizontal_angle = "
     ":horizontal_angle, vertical_angle = :vertical_angle, horizontal_distance = :horizontal_distance WHERE id = :id;"},
    {"insertEDMMeasurement",
     "INSERT INTO edmmeasurements (since, type, distance, horizontal_angle, vertical_angle, horizontal_distance) "
     "VALUES (:since, :type, :distance, :horizontal_angle, :vertical_angle, :horizontal_distance);"},
    {"updateEDMEventResult",
     "UPDATE edmeventresults SET since = :since, event_type = :event_type, result_type = :result_type, delta = "
     ":delta, calculated_result = :calculated_result, reference_result = :reference_result WHERE id = :id;"},
    {"insertEDMEventResult",
     "INSERT INTO edmeventresults (since, event_type, result_type, delta, calculated_result, reference_result) "
     "VALUES (:since, :event_type, :result_type, :delta, :calculated_result, :reference_result);"},
    {"updateEDMEventMeasurement",
     "UPDATE edmeventmeasurements SET event_result = :event_result, measurement = :measurement WHERE id = :id;"},
    {"insertEDMEventMeasurement",
     "INSERT INTO edmeventmeasurements (event_result, measurement) VALUES (:event_result, :measurement);"},
    {"updateEDMTakeOffBoard",
     "UPDATE edmtakeoffboardmeasurements SET takeoff_board = :takeoff_board, seqno = :seqno, measurement = "
     ":measurement WHERE id = :id;"},
    {"insertEDMTakeOffBoard",
     "INSERT INTO edmtakeoffboardmeasurements (takeoff_board, seqno, measurement) VALUES (:takeoff_board, :seqno, "
     ":measurement);"},
    {"findEDMTakeOffBoard", "SELECT id, takeoff_board, seqno, measurement FROM edmtakeoffboardmeasurements WHERE "
                            "takeoff_board = :takeoff_board AND seqno = :seqno"},
    {"allEDMTakeOffBoards", "SELECT id, takeoff_board, seqno, measurement FROM edmtakeoffboardmeasurements"},
    {"selectEDMMeasurement", "SELECT id, since, type, distance, horizontal_angle, vertical_angle, horizontal_distance "
                             "FROM edmmeasurements WHERE id = :id"},
    {"selectEDMMeasurementsOfType",
     "SELECT id, since, type, distance, horizontal_angle, vertical_angle, horizontal_distance FROM edmmeasurements "
     "WHERE type = :type ORDER BY id DESC"},
    {"selectEDMMeasurementsOfResult",
     "SELECT edmeventmeasurements.id as EDMEventMeasurementID, edmmeasurements.id, edmmeasurements.since, "
     "edmmeasurements.type, edmmeasurements.distance, edmmeasurements.horizontal_angle, "
     "edmmeasurements.vertical_angle, edmmeasurements.horizontal_distance FROM edmeventmeasurements INNER JOIN "
     "edmmeasurements ON edmmeasurements.id = edmeventmeasurements.measurement WHERE "
     "edmeventmeasurements.event_result = :id"},
    {"latestEDMEventResult", "SELECT id, since, event_type, result_type, delta, calculated_result, reference_result "
                             "FROM edmeventresults ORDER BY since DESC LIMIT 1;"},
    {"latestEDMEventResultInWindow",
     "SELECT id, since, event_type, result_type, delta, calculated_result, reference_result FROM edmeventresults "
     "WHERE event_type = :event_type AND result_type = :result_type AND calculated_result > :calculated_result_min "
     "AND calculated_result < :calculated_result_max ORDER BY since DESC LIMIT 1;"},
    {"edmTestResults", "SELECT id, since, event_type, result_type, delta, calculated_result, reference_result FROM "
                       "edmeventresults WHERE event_type = :event_type and result_type = 2 ORDER BY since ASC;"},
    {"deleteEDMMeasurement", "DELETE FROM edmmeasurements WHERE id = :id;"},
    {"deleteEDMEventMeasurement", "DELETE FROM edmeventmeasurements WHERE id = :id;"},
    {"deleteEDMEventResult", "DELETE FROM edmeventresults WHERE id = :id;"},
    {"deleteEDMTakeOffBoard", "DELETE FROM edmtakeoffboardmeasurements WHERE id = :id;"},
    {"deleteAllEDMTakeOffBoards", "DELETE FROM edmtakeoffboardmeasurements"},
    {"oldEDMEventResults", "SELECT id FROM edmeventresults WHERE since < datetime('now', '-2 days')"},
    {"linksOfEDMEventResult",
     "SELECT edmeventmeasurements.id as eventMeasurementID, edmmeasurements.id as measurementID FROM "
     "edmeventmeasurements LEFT JOIN edmmeasurements ON edmmeasurements.id = edmeventmeasurements.measurement "
     "WHERE event_result = :id"},

    {"selectCharacterTransformations", "SELECT id, driver_name, source, transformed FROM charactertransformings "
                                       "WHERE driver_name = :driver_name ORDER BY id;"},
};

// NOT NULL text columns get an empty text rather than NULL, so a missing
// value never makes the whole row fail.
QVariant text(const QString &value)
{
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

QVariant flag(bool value)
{
    return value ? 1 : 0;
}

QString sinceText(const QDateTime &since)
{
    // Stored in UTC like CURRENT_TIMESTAMP, so datetime('now', ...) compares right.
    return since.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QDateTime sinceFromText(const QString &text)
{
    QDateTime since = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    since.setTimeZone(QTimeZone::utc());
    return since.toLocalTime();
}

} // namespace

LocalDatabase::LocalDatabase(QObject *parent)
    : LocalDatabase(defaultFilePath(), parent)
{}

LocalDatabase::LocalDatabase(const QString &filePath, QObject *parent)
    : QObject(parent)
{
    open(filePath);
}

LocalDatabase::~LocalDatabase()
{
    close();
}

void LocalDatabase::close()
{
    m_statements.clear();
    m_transformations.clear();
    m_transactionDepth = 0;
    m_transactionFailed = false;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

QString LocalDatabase::defaultFilePath()
{
    const QStringList locations = QStandardPaths::standardLocations(QStandardPaths::AppDataLocation);
    if (locations.isEmpty() || locations.first().isEmpty())
        return QStringLiteral("stadionix.db");
    const QString folder = locations.first();
    QDir().mkpath(folder);
    return QStringLiteral("%1%2%3").arg(folder, QDir::separator(), QStringLiteral("stadionix.db"));
}

QSqlDatabase LocalDatabase::database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

void LocalDatabase::fail(const QString &what, const QString &error)
{
    qCWarning(lcStore).noquote() << what << error;
    if (m_errorText.isEmpty())
        m_errorText = what + QLatin1Char(' ') + error;
}

void LocalDatabase::fail(const QString &what, const QSqlError &error)
{
    // SQLite's primary codes: 11 a damaged file, 26 no database at all.
    const int code = error.nativeErrorCode().toInt() & 0xff;
    if (code == 11 || code == 26)
        m_problem = Problem::Damaged;
    fail(what, error.text());
}

void LocalDatabase::open(const QString &filePath)
{
    m_filePath = filePath;
    m_usable = false;
    m_problem = Problem::None;
    m_errorText.clear();
    m_fileVersion = 0;
    // One store per process normally uses the product name; further stores
    // (tests, tools) get a numbered name so they do not replace it.
    m_connectionName = QStringLiteral("stadionix");
    for (int n = 2; QSqlDatabase::contains(m_connectionName); ++n)
        m_connectionName = QStringLiteral("stadionix-%1").arg(n);

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    if (filePath.startsWith(QLatin1String("file:"))) {
        // An SQLite URI, which may carry options such as mode=ro.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    } else {
        const QFileInfo info(filePath);
        if (!info.absoluteDir().exists())
            QDir().mkpath(info.absolutePath());
    }
    db.setDatabaseName(filePath);
    if (!db.open()) {
        fail(QStringLiteral("Cannot open the local database %1:").arg(filePath), db.lastError().text());
        m_problem = Problem::CannotOpen;
        prepareStatements();
        return;
    }
    // Checked before anything is written: a damaged file, a newer one and
    // another program's stay as they are.
    m_usable = checkIntact() && checkVersion() && configureDurability() && createTables() && checkWritable();
    if (!m_usable && m_problem == Problem::None)
        m_problem = Problem::CannotOpen;
    prepareStatements();
    if (!m_usable)
        return;
    seedCharacterTransformations();
}

bool LocalDatabase::configureDurability()
{
    // A judge's result must survive a killed process and a power cut once the
    // commit returns. In WAL mode with synchronous=FULL SQLite syncs the WAL
    // on every commit, so a committed transaction is durable across power
    // loss; NORMAL would only protect against process crashes. WAL also keeps
    // readers from blocking the writer and costs one fsync per commit, which
    // is what we want per attempt.
    QSqlQuery query(database());
    if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !query.next()) {
        fail(QStringLiteral("Cannot set the journal mode:"), query.lastError());
        return false;
    }
    const QString mode = query.value(0).toString().toLower();
    if (mode != QLatin1String("wal")) {
        // Some file systems cannot hold a WAL; the rollback journal with a
        // full sync is just as durable.
        qCWarning(lcStore) << "WAL journal not available, using" << mode;
    }
    if (!query.exec(QStringLiteral("PRAGMA synchronous=FULL"))) {
        fail(QStringLiteral("Cannot set synchronous writes:"), query.lastError().text());
        return false;
    }
    query.exec(QStringLiteral("PRAGMA busy_timeout=2000"));
    return true;
}

bool LocalDatabase::checkVersion()
{
    const StoreSchema::State state = StoreSchema::inspect(database());
    m_fileVersion = state.version;
    switch (state.kind) {
    case StoreSchema::Kind::Newer:
        m_problem = Problem::NewerVersion;
        fail(QStringLiteral("The local database was made by a newer version of Stadionix and is left as it is:"),
             QStringLiteral("version %1, this program knows up to %2")
                 .arg(state.version)
                 .arg(StoreSchema::CurrentVersion));
        return false;
    case StoreSchema::Kind::Foreign:
        m_problem = Problem::Foreign;
        fail(QStringLiteral("The file is not a Stadionix database and is left as it is:"), state.detail);
        return false;
    default:
        return true;
    }
}

// Brings an older file up to date, in one transaction, and creates what a
// new one lacks.
bool LocalDatabase::createTables()
{
    QStringList tables;
    for (const char *sql : CreateTables)
        tables.append(QString::fromLatin1(sql));
    QSqlError error;
    if (StoreSchema::upgrade(database(), m_fileVersion, StoreSchema::CurrentVersion, StoreSchema::steps(), tables,
                             &error))
        return true;
    fail(QStringLiteral("Cannot bring the tables of the local database up to date:"), error);
    // A read-only file shows here when it needs an upgrade.
    if ((error.nativeErrorCode().toInt() & 0xff) == 8 && m_problem == Problem::None)
        m_problem = Problem::NotWritable;
    return false;
}

// A damaged file opens and answers some statements, and fails others at
// random later; it is found before the first result goes into it.
bool LocalDatabase::checkIntact()
{
    QSqlQuery query(database());
    if (!query.exec(QStringLiteral("PRAGMA quick_check"))) {
        fail(QStringLiteral("The local database is damaged:"), query.lastError());
        m_problem = Problem::Damaged;
        return false;
    }
    QStringList problems;
    while (query.next())
        problems.append(query.value(0).toString());
    if (problems == QStringList{QStringLiteral("ok")})
        return true;
    m_problem = Problem::Damaged;
    fail(QStringLiteral("The local database is damaged:"), problems.mid(0, 5).join(QStringLiteral("; ")));
    return false;
}

// A file that can be read but not written (read-only, on a read-only
// medium, or no room for a journal) takes results and loses them; a write
// that is rolled back shows it at once.
bool LocalDatabase::checkWritable()
{
    QSqlDatabase db = database();
    if (!db.transaction()) {
        fail(QStringLiteral("The local database cannot be written:"), db.lastError());
        if (m_problem == Problem::None)
            m_problem = Problem::NotWritable;
        return false;
    }
    QSqlQuery query(db);
    const bool written = query.exec(
        QStringLiteral("INSERT INTO charactertransformings (driver_name, source, transformed) VALUES ('', '', '')"));
    const QSqlError error = query.lastError();
    query.finish();
    db.rollback();
    if (!written) {
        fail(QStringLiteral("The local database cannot be written:"), error);
        if (m_problem == Problem::None)
            m_problem = Problem::NotWritable;
    }
    return written;
}

QString LocalDatabase::startNewBesideDamaged()
{
    if (m_problem != Problem::Damaged || m_filePath.startsWith(QLatin1String("file:")))
        return QString();
    close();
    // The damaged file and its journal stay as they are, under a name of
    // their own: what was not posted yet may still be got out of them.
    const QFileInfo info(m_filePath);
    const QString kept = info.absoluteDir().filePath(
        QStringLiteral("%1-damaged-%2.%3")
            .arg(info.completeBaseName(), QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")),
                 info.suffix().isEmpty() ? QStringLiteral("db") : info.suffix()));
    if (QFileInfo::exists(kept) || !QFile::rename(m_filePath, kept)) {
        qCWarning(lcStore) << "Cannot set the damaged local database aside as" << kept;
        open(m_filePath);
        return QString();
    }
    for (const char *suffix : {"-wal", "-shm"}) {
        const QString journal = m_filePath + QLatin1String(suffix);
        if (QFileInfo::exists(journal))
            QFile::rename(journal, kept + QLatin1String(suffix));
    }
    qCWarning(lcStore) << "The damaged local database is kept as" << kept << "; a new one is started";
    open(m_filePath);
    return kept;
}

void LocalDatabase::prepareStatements()
{
    const QSqlDatabase db = database();
    for (const Statement &statement : Statements) {
        QString sql;
        const QByteArray name(statement.name);
        if (statement.sql) {
            sql = QString::fromUtf8(statement.sql);
        } else if (name == "selectParticipations") {
            sql = QStringLiteral("SELECT %1 FROM participations WHERE heat_id = :heat_id;")
                      .arg(QLatin1String(ParticipationColumns));
        } else if (name == "selectParticipationById") {
            sql = QStringLiteral("SELECT %1 FROM participations WHERE id = :id;")
                      .arg(QLatin1String(ParticipationColumns));
        } else if (name == "selectParticipationByServerId") {
            sql = QStringLiteral("SELECT %1 FROM participations WHERE participation_id = :participation_id;")
                      .arg(QLatin1String(ParticipationColumns));
        } else if (name == "selectResultsOfParticipation") {
            sql = QStringLiteral("SELECT %1 FROM results WHERE participation = :participation;")
                      .arg(QLatin1String(ResultColumns));
        } else if (name == "selectHeatsWithUnposted") {
            sql = QLatin1String(HeatsWithUnposted);
        } else if (name == "deleteReplacedParticipations") {
            sql = QStringLiteral("DELETE FROM participations WHERE heat_id = :heat_id OR heat_id NOT IN (%1);")
                      .arg(QLatin1String(HeatsWithUnposted));
        } else if (name == "selectResult") {
            sql = QStringLiteral("SELECT %1 FROM results WHERE id = :id;").arg(QLatin1String(ResultColumns));
        }
        QSqlQuery query(db);
        if (m_usable && !query.prepare(sql))
            fail(QStringLiteral("Cannot prepare %1:").arg(QLatin1String(statement.name)), query.lastError().text());
        m_statements.insert(name, query);
    }
}

QSqlQuery &LocalDatabase::statement(const char *name)
{
    auto it = m_statements.find(QByteArray(name));
    Q_ASSERT_X(it != m_statements.end(), "LocalDatabase", name);
    return it.value();
}

bool LocalDatabase::exec(QSqlQuery &query)
{
    if (!m_usable)
        return false;
    if (query.exec())
        return true;
    qCWarning(lcStore).noquote() << "Statement failed:" << query.lastQuery() << query.lastError().text();
    if (m_transactionDepth > 0)
        m_transactionFailed = true;
    return false;
}

bool LocalDatabase::execText(const QString &sql)
{
    if (!m_usable)
        return false;
    QSqlQuery query(database());
    if (query.exec(sql))
        return true;
    qCWarning(lcStore).noquote() << "Statement failed:" << sql << query.lastError().text();
    if (m_transactionDepth > 0)
        m_transactionFailed = true;
    return false;
}

bool LocalDatabase::beginTransaction()
{
    if (!m_usable)
        return false;
    if (m_transactionDepth++ == 0) {
        m_transactionFailed = false;
        if (!database().transaction()) {
            qCWarning(lcStore) << "Cannot begin a transaction:" << database().lastError().text();
            m_transactionFailed = true;
        }
    }
    return true;
}

bool LocalDatabase::endTransaction()
{
    if (m_transactionDepth == 0)
        return false;
    if (--m_transactionDepth > 0)
        return !m_transactionFailed;
    QSqlDatabase db = database();
    if (m_transactionFailed) {
        db.rollback();
        return false;
    }
    if (!db.commit()) {
        qCWarning(lcStore) << "Commit failed:" << db.lastError().text();
        db.rollback();
        return false;
    }
    return true;
}

void LocalDatabase::seedCharacterTransformations()
{
    QSqlQuery &select = statement("selectCharacterTransformations");
    select.bindValue(QStringLiteral(":driver_name"), QStringLiteral("C-Power"));
    if (exec(select) && !select.next())
        execText(QString::fromUtf8(SeedCharacterTransformationsSql).arg(QStringLiteral("C-Power")));
    select.finish();

    m_transformations.clear();
    select.bindValue(QStringLiteral(":driver_name"), QStringLiteral("C-Power"));
    if (exec(select)) {
        while (select.next())
            m_transformations.append(
                {select.value(2).toString(), select.value(3).toString(), select.value(1).toString()});
    }
    select.finish();
}

// ---- Schedule ---------------------------------------------------------------

void LocalDatabase::storeHeatEvents(const QList<QVariantMap> &heatEvents)
{
    // The delete belongs to the same transaction: a crash half way must not
    // leave an empty schedule behind.
    beginTransaction();
    exec(statement("deleteHeatEvents"));
    QSqlQuery &insert = statement("insertHeatEvent");
    struct Binding
    {
        const char *key;
        const char *placeholder;
        QVariant whenMissing;
    };
    const Binding bindings[] = {
        {"eventID", ":event_id", 0},
        {"eventName", ":event_name", QStringLiteral("")},
        {"roundID", ":round_id", 0},
        {"roundName", ":round_name", QVariant()},
        {"id", ":heat_id", 0},
        {"name", ":name", QVariant()},
        {"displayname", ":display_name", QVariant()},
        {"athletesQuantity", ":athletes_quantity", QVariant()},
        {"combinedEventsQuantity", ":combined_evens_quantity", QVariant()},
        {"distance", ":distance", QVariant()},
        {"fieldType", ":field_type", QVariant()},
        {"windMode", ":wind_mode", QStringLiteral("")},
        {"windspeed", ":wind_speed", QVariant()},
        {"seqno", ":seqno", 0},
        {"time", ":time_scheduled", QVariant()},
        {"status", ":status", QVariant()},
        {"numberOfParticipants", ":number_of_participants", QVariant()},
    };
    for (const QVariantMap &map : heatEvents) {
        for (const Binding &binding : bindings) {
            const QVariant value = map.value(QString::fromLatin1(binding.key));
            insert.bindValue(QString::fromLatin1(binding.placeholder), value.isNull() ? binding.whenMissing : value);
        }
        // The heat's own number of attempts; 6 only when the server sent none.
        const QVariant attempts = map.value(QStringLiteral("numberOfAttempts"));
        insert.bindValue(QStringLiteral(":number_of_attempts"),
                         attempts.isNull() || attempts.toInt() <= 0 ? 6 : attempts.toInt());
        exec(insert);
    }
    endTransaction();
}

QList<QVariantMap> LocalDatabase::loadCachedHeatEvents()
{
    QList<QVariantMap> list;
    QSqlQuery &query = statement("selectCachedHeatEvents");
    if (!exec(query))
        return list;
    static const char *const keys[] = {"localID",
                                       "eventID",
                                       "eventName",
                                       "roundID",
                                       "roundName",
                                       "id",
                                       "name",
                                       "displayname",
                                       "athletesQuantity",
                                       "combinedEventsQuantity",
                                       "distance",
                                       "fieldType",
                                       "windMode",
                                       "windspeed",
                                       "seqno",
                                       "time",
                                       "status",
                                       "numberOfParticipants",
                                       "numberOfAttempts",
                                       "participantsCached"};
    while (query.next()) {
        QVariantMap map;
        for (int i = 0; i < int(std::size(keys)); ++i)
            map.insert(QString::fromLatin1(keys[i]), query.value(i));
        list.append(map);
    }
    query.finish();
    return list;
}

bool LocalDatabase::holdsHeat(unsigned heatId)
{
    QSqlQuery &query = statement("countHeatParticipations");
    query.bindValue(QStringLiteral(":heat_id"), heatId);
    if (!exec(query) || !query.next())
        return false;
    const bool held = query.value(0).toInt() > 0;
    query.finish();
    return held;
}

QSet<unsigned> LocalDatabase::heatsWithUnpostedChanges()
{
    QSet<unsigned> heats;
    QSqlQuery &query = statement("selectHeatsWithUnposted");
    if (!exec(query))
        return heats;
    while (query.next())
        heats.insert(query.value(0).toUInt());
    query.finish();
    return heats;
}

void LocalDatabase::markCachedHeat(unsigned heatId)
{
    beginTransaction();
    exec(statement("clearCachedHeat"));
    QSqlQuery &query = statement("setCachedHeat");
    query.bindValue(QStringLiteral(":participants_cached"), 1);
    query.bindValue(QStringLiteral(":heat_id"), heatId);
    exec(query);
    // Heats kept for their unposted changes are held as well.
    exec(statement("markHeldHeats"));
    endTransaction();
}

// ---- Participations and results ---------------------------------------------

void LocalDatabase::bindParticipation(QSqlQuery &query, const Participation *p)
{
    query.bindValue(QStringLiteral(":participation_id"), p->participation_id);
    query.bindValue(QStringLiteral(":heat_id"), p->heat_id);
    query.bindValue(QStringLiteral(":category"), p->category);
    query.bindValue(QStringLiteral(":initial_order"), p->initial_order);
    query.bindValue(QStringLiteral(":current_order"), p->current_order);
    query.bindValue(QStringLiteral(":current_order_combined_event"), p->current_order_combined_event);
    query.bindValue(QStringLiteral(":current_order_round"), p->current_order_round);
    query.bindValue(QStringLiteral(":working_order"), p->working_order);
    query.bindValue(QStringLiteral(":out_of_competition_combined_event"), flag(p->out_of_competition_combined_event));
    query.bindValue(QStringLiteral(":out_of_competition"), flag(p->out_of_competition));
    query.bindValue(QStringLiteral(":abandon"), flag(p->abandon));
    query.bindValue(QStringLiteral(":in_jumpoff"), flag(p->in_jumpoff));
    query.bindValue(QStringLiteral(":points"), p->points);
    query.bindValue(QStringLiteral(":qualified"), flag(p->qualified));
    query.bindValue(QStringLiteral(":teamname"), p->teamname.isEmpty() ? QVariant() : QVariant(p->teamname));
    query.bindValue(QStringLiteral(":bib"), p->bib());
    query.bindValue(QStringLiteral(":displayname"), text(p->displayName()));
    query.bindValue(QStringLiteral(":firstname"), text(p->firstName()));
    query.bindValue(QStringLiteral(":lastname"), text(p->lastName()));
    query.bindValue(QStringLiteral(":birthdate"), p->birthDate().toString(QStringLiteral("yyyy-MM-dd")));
    query.bindValue(QStringLiteral(":gender"), p->gender());
    query.bindValue(QStringLiteral(":nationality"), p->nationality());
    query.bindValue(QStringLiteral(":club"), p->clubName());
    query.bindValue(QStringLiteral(":abbreviation"), p->clubAbbreviation());
    query.bindValue(QStringLiteral(":best_result"), p->best_result);
    query.bindValue(QStringLiteral(":startheight"), p->startheight);
    query.bindValue(QStringLiteral(":failed_attempts"), p->failed_attempts);
    query.bindValue(QStringLiteral(":field_type"), p->field_type.isNull() ? QString() : QString(p->field_type));
    query.bindValue(QStringLiteral(":windmode"), p->windmode.isNull() ? QString() : QString(p->windmode));
}

void LocalDatabase::bindResult(QSqlQuery &query, unsigned participationServerId, const Result *r)
{
    query.bindValue(QStringLiteral(":result_id"), r->result_id);
    query.bindValue(QStringLiteral(":participation_id"), participationServerId);
    query.bindValue(QStringLiteral(":value"), r->value);
    query.bindValue(QStringLiteral(":wind"), r->wind);
    query.bindValue(QStringLiteral(":seqno"), r->seqno);
    query.bindValue(QStringLiteral(":best_result"), flag(r->best_result));
    query.bindValue(QStringLiteral(":best_valid_result"), flag(r->best_valid_result));
    query.bindValue(QStringLiteral(":metavalue"), r->metavalue);
    query.bindValue(QStringLiteral(":type"), r->type);
    query.bindValue(QStringLiteral(":info"), r->info());
    query.bindValue(QStringLiteral(":time_performed"), r->time_performed.toString(QStringLiteral("hh:mm:ss")));
    query.bindValue(QStringLiteral(":official"), flag(r->official));
}

bool LocalDatabase::insertParticipationRow(Participation *participation)
{
    QSqlQuery &insert = statement("insertParticipation");
    bindParticipation(insert, participation);
    insert.bindValue(QStringLiteral(":round_id"), participation->round_id);
    insert.bindValue(QStringLiteral(":event_id"), participation->event_id);
    if (!exec(insert))
        return false;
    participation->id = insert.lastInsertId().toUInt();
    participation->isNew = false;
    return true;
}

bool LocalDatabase::insertParticipation(Participation *participation)
{
    return insertParticipationRow(participation);
}

void LocalDatabase::replaceCachedHeat(const QList<Participation *> &participations)
{
    // One transaction with the deletes: a crash half way must not leave an
    // empty heat behind.
    beginTransaction();
    QSqlQuery &remove = statement("deleteReplacedParticipations");
    remove.bindValue(QStringLiteral(":heat_id"), participations.isEmpty() ? 0u : participations.first()->heat_id);
    exec(remove);
    exec(statement("deleteConfirmedResults"));
    QSqlQuery &insertResult = statement("insertResult");
    for (Participation *participation : participations) {
        if (!insertParticipationRow(participation))
            continue;
        for (Result *result : participation->results()) {
            bindResult(insertResult, participation->participation_id, result);
            if (!insertResult.exec()) {
                // Logged and skipped: one bad row must not cost the others.
                qCDebug(lcStore).noquote() << "insert result error " + insertResult.lastQuery() + QLatin1Char(' ') +
                                                  insertResult.lastError().text();
                continue;
            }
            result->id = insertResult.lastInsertId().toUInt();
            result->isNew = false;
        }
    }
    endTransaction();
}

Result *LocalDatabase::resultFromQuery(const QSqlQuery &query, QObject *parent)
{
    auto *result = new Result(this, nullptr, parent);
    const QSqlRecord record = query.record();
    result->id = query.value(record.indexOf(QStringLiteral("id"))).toUInt();
    result->result_id = query.value(record.indexOf(QStringLiteral("result_id"))).toUInt();
    result->value = query.value(record.indexOf(QStringLiteral("value"))).toDouble();
    result->wind = query.value(record.indexOf(QStringLiteral("wind"))).toDouble();
    result->seqno = query.value(record.indexOf(QStringLiteral("seqno"))).toUInt();
    result->best_result = query.value(record.indexOf(QStringLiteral("best_result"))).toInt() != 0;
    result->best_valid_result = query.value(record.indexOf(QStringLiteral("best_valid_result"))).toInt() != 0;
    result->metavalue = query.value(record.indexOf(QStringLiteral("metavalue"))).toDouble();
    result->type = query.value(record.indexOf(QStringLiteral("type"))).toString();
    result->setInfo(query.value(record.indexOf(QStringLiteral("info"))).toString());
    result->time_performed = QTime::fromString(query.value(record.indexOf(QStringLiteral("time_performed"))).toString(),
                                               QStringLiteral("hh:mm:ss"));
    result->official = query.value(record.indexOf(QStringLiteral("official"))).toInt() != 0;
    return result;
}

QList<Participation *> LocalDatabase::loadParticipations(unsigned heatId, QObject *parent)
{
    QList<Participation *> list;
    QSqlQuery &query = statement("selectParticipations");
    query.bindValue(QStringLiteral(":heat_id"), heatId);
    if (!exec(query))
        return list;
    while (query.next()) {
        const QSqlRecord record = query.record();
        const auto value = [&](const char *column) { return query.value(record.indexOf(QLatin1String(column))); };
        auto *p = new Participation(this, parent);
        p->id = value("id").toUInt();
        p->participation_id = value("participation_id").toUInt();
        p->heat_id = value("heat_id").toUInt();
        p->round_id = value("round_id").toUInt();
        p->event_id = value("event_id").toUInt();
        p->category = value("category").toString();
        p->initial_order = p->initial_order_loaded = value("initial_order").toUInt();
        p->current_order = value("current_order").toUInt();
        p->current_order_combined_event = value("current_order_combined_event").toUInt();
        p->current_order_round = value("current_order_round").toUInt();
        p->working_order = p->working_order_loaded = value("working_order").toUInt();
        p->out_of_competition_combined_event = value("out_of_competition_combined_event").toInt() != 0;
        p->out_of_competition = value("out_of_competition").toInt() != 0;
        p->abandon = value("abandon").toInt() != 0;
        p->in_jumpoff = value("in_jumpoff").toInt() != 0;
        p->points = value("points").toUInt();
        p->qualified = value("qualified").toInt() != 0;
        p->teamname = value("teamname").toString();
        p->best_result = value("best_result").toUInt();
        p->startheight = value("startheight").toDouble();
        p->failed_attempts = value("failed_attempts").toUInt();
        p->field_type = Participation::typeCharacter(value("field_type").toString());
        p->windmode = Participation::typeCharacter(value("windmode").toString());

        auto *participant = new Participant;
        participant->competitor()->bib = value("bib").toString();
        participant->competitor()->displayname = value("displayname").toString();
        participant->athlete()->firstname = value("firstname").toString();
        participant->athlete()->lastname = value("lastname").toString();
        participant->athlete()->birthdate =
            QDate::fromString(value("birthdate").toString(), QStringLiteral("yyyy-MM-dd"));
        participant->athlete()->gender = value("gender").toString();
        participant->athlete()->nationality = value("nationality").toString();
        participant->club()->name = value("club").toString();
        participant->club()->abbreviation = value("abbreviation").toString();
        p->addParticipant(participant);
        list.append(p);
    }
    query.finish();

    // A result the judge removed keeps its row until the server confirms the
    // removal; it is no longer part of the heat.
    const QSet<unsigned> removed = resultsPendingDeletion();
    QSqlQuery &results = statement("selectResultsOfParticipation");
    for (Participation *p : std::as_const(list)) {
        results.bindValue(QStringLiteral(":participation"), p->participation_id);
        if (!exec(results))
            continue;
        while (results.next()) {
            Result *result = resultFromQuery(results, p);
            if (removed.contains(result->id))
                delete result;
            else
                p->addResult(result);
        }
        results.finish();
        if (p->hasJumpOffResults())
            p->in_jumpoff = true;
    }
    return list;
}

void LocalDatabase::updateParticipation(Participation *participation)
{
    QSqlQuery &query = statement("updateParticipation");
    bindParticipation(query, participation);
    exec(query);
}

void LocalDatabase::setParticipationOrder(unsigned id, unsigned order)
{
    beginTransaction();
    QSqlQuery &query = statement("setInitialOrder");
    query.bindValue(QStringLiteral(":initial_order"), order);
    query.bindValue(QStringLiteral(":id"), id);
    exec(query);
    appendPendingAction(QStringLiteral("participations"), PendingAction::Update, id);
    endTransaction();
    qCDebug(lcStore) << "Add update part lane for " << id << " to lane " << order;
}

void LocalDatabase::setCurrentOrder(unsigned id, unsigned order)
{
    QSqlQuery &query = statement("setCurrentOrder");
    query.bindValue(QStringLiteral(":current_order"), order);
    query.bindValue(QStringLiteral(":id"), id);
    exec(query);
}

void LocalDatabase::setStartHeight(unsigned id, double height)
{
    QSqlQuery &query = statement("setStartHeight");
    query.bindValue(QStringLiteral(":startheight"), height);
    query.bindValue(QStringLiteral(":id"), id);
    exec(query);
}

void LocalDatabase::setOutOfCompetition(unsigned id, bool outOfCompetition)
{
    QSqlQuery &query = statement("setOutOfCompetition");
    query.bindValue(QStringLiteral(":out_of_competition"), flag(outOfCompetition));
    query.bindValue(QStringLiteral(":id"), id);
    exec(query);
}

void LocalDatabase::setParticipationBestResult(unsigned id, unsigned bestResult)
{
    QSqlQuery &query = statement("setParticipationBestResult");
    query.bindValue(QStringLiteral(":best_result"), bestResult);
    query.bindValue(QStringLiteral(":id"), id);
    exec(query);
}

void LocalDatabase::setResultBestFlag(unsigned id, bool best)
{
    QSqlQuery &query = statement("setResultBestFlag");
    query.bindValue(QStringLiteral(":best_result"), flag(best));
    query.bindValue(QStringLiteral(":id"), id);
    exec(query);
}

unsigned LocalDatabase::storeResult(unsigned participationServerId, Result *result)
{
    // The result and the pending action that carries it to the server are one
    // transaction: a crash in between must not leave a result never sent.
    beginTransaction();
    unsigned localId = 0;
    if (result->id != 0) {
        QSqlQuery &update = statement("updateResult");
        bindResult(update, participationServerId, result);
        update.bindValue(QStringLiteral(":id"), result->id);
        if (exec(update)) {
            localId = result->id;
            if (result->result_id == 0)
                appendPendingAction(QStringLiteral("results"), PendingAction::Update, localId);
        }
    } else {
        QSqlQuery &insert = statement("insertResult");
        bindResult(insert, participationServerId, result);
        if (exec(insert)) {
            localId = insert.lastInsertId().toUInt();
            appendPendingAction(QStringLiteral("results"), PendingAction::Insert, localId);
        }
    }
    return endTransaction() ? localId : 0;
}

bool LocalDatabase::updateConfirmedResult(unsigned participationServerId, Result *result)
{
    if (result->id == 0)
        return false;
    QSqlQuery &update = statement("updateResult");
    bindResult(update, participationServerId, result);
    update.bindValue(QStringLiteral(":id"), result->id);
    return exec(update);
}

bool LocalDatabase::deleteResult(unsigned id)
{
    QSqlQuery &select = statement("selectResult");
    select.bindValue(QStringLiteral(":id"), id);
    if (!exec(select))
        return false;
    const bool found = select.next();
    select.finish();
    if (!found)
        return false;
    QSqlQuery &remove = statement("deleteResult");
    remove.bindValue(QStringLiteral(":id"), id);
    return exec(remove);
}

static QVariantMap rowToMap(QSqlQuery &query)
{
    QVariantMap map;
    if (query.next()) {
        const QSqlRecord record = query.record();
        for (int i = 0; i < record.count(); ++i)
            map.insert(record.fieldName(i), query.value(i));
    }
    query.finish();
    return map;
}

QVariantMap LocalDatabase::resultRow(unsigned id)
{
    QSqlQuery &query = statement("selectResult");
    query.bindValue(QStringLiteral(":id"), id);
    return exec(query) ? rowToMap(query) : QVariantMap();
}

Result *LocalDatabase::loadResult(unsigned id, QObject *parent)
{
    QSqlQuery &query = statement("selectResult");
    query.bindValue(QStringLiteral(":id"), id);
    if (!exec(query) || !query.next())
        return nullptr;
    Result *result = resultFromQuery(query, parent);
    query.finish();
    return result;
}

QVariantMap LocalDatabase::participationRow(unsigned id)
{
    QSqlQuery &query = statement("selectParticipationById");
    query.bindValue(QStringLiteral(":id"), id);
    return exec(query) ? rowToMap(query) : QVariantMap();
}

QVariantMap LocalDatabase::participationRowByServerId(unsigned participationServerId)
{
    QSqlQuery &query = statement("selectParticipationByServerId");
    query.bindValue(QStringLiteral(":participation_id"), participationServerId);
    return exec(query) ? rowToMap(query) : QVariantMap();
}

// ---- Pending actions ----------------------------------------------------------

unsigned LocalDatabase::pendingActionCount()
{
    QSqlQuery &query = statement("countPending");
    if (!exec(query) || !query.next())
        return 0;
    const unsigned count = query.value(QStringLiteral("count")).toUInt();
    query.finish();
    return count;
}

QSet<unsigned> LocalDatabase::resultsPendingDeletion()
{
    QSet<unsigned> ids;
    for (const PendingAction &action : pendingActions()) {
        if (action.table_name == QLatin1String("results") && action.action == PendingAction::Delete)
            ids.insert(action.local_id);
    }
    return ids;
}

QList<PendingAction> LocalDatabase::pendingActions()
{
    QList<PendingAction> list;
    QSqlQuery &query = statement("listPending");
    if (!exec(query))
        return list;
    while (query.next())
        list.append(
            {query.value(0).toUInt(), query.value(1).toString(), query.value(2).toInt(), query.value(3).toUInt()});
    query.finish();
    return list;
}

bool LocalDatabase::appendPendingAction(const QString &tableName, int action, unsigned localId)
{
    QSqlQuery &query = statement("appendPending");
    query.bindValue(QStringLiteral(":table_name"), tableName);
    query.bindValue(QStringLiteral(":action"), action);
    query.bindValue(QStringLiteral(":local_id"), localId);
    return exec(query);
}

void LocalDatabase::removePendingActions(unsigned localId)
{
    QSqlQuery &select = statement("selectPendingOfLocalId");
    select.bindValue(QStringLiteral(":local_id"), localId);
    if (!exec(select))
        return;
    QList<unsigned> ids;
    while (select.next())
        ids.append(select.value(0).toUInt());
    select.finish();
    QSqlQuery &remove = statement("deletePending");
    for (unsigned id : std::as_const(ids)) {
        remove.bindValue(QStringLiteral(":id"), id);
        exec(remove);
    }
}

unsigned LocalDatabase::latestPendingActionId(const QString &tableName, unsigned localId)
{
    QSqlQuery &query = statement("latestPendingOfLocalId");
    query.bindValue(QStringLiteral(":table_name"), tableName);
    query.bindValue(QStringLiteral(":local_id"), localId);
    if (!exec(query) || !query.next())
        return 0;
    const unsigned id = query.value(0).toUInt();
    query.finish();
    return id;
}

void LocalDatabase::removePendingActionsUpTo(const QString &tableName, unsigned localId, unsigned lastActionId)
{
    QSqlQuery &query = statement("deletePendingUpTo");
    query.bindValue(QStringLiteral(":table_name"), tableName);
    query.bindValue(QStringLiteral(":local_id"), localId);
    query.bindValue(QStringLiteral(":id"), lastActionId);
    exec(query);
}

void LocalDatabase::removePendingActionsUpTo(const QString &tableName, unsigned localId, unsigned lastActionId,
                                             int action)
{
    QSqlQuery &query = statement("deletePendingOfActionUpTo");
    query.bindValue(QStringLiteral(":table_name"), tableName);
    query.bindValue(QStringLiteral(":local_id"), localId);
    query.bindValue(QStringLiteral(":action"), action);
    query.bindValue(QStringLiteral(":id"), lastActionId);
    exec(query);
}

void LocalDatabase::removeAllPendingActions()
{
    exec(statement("deleteAllPending"));
}

// ---- EDM ----------------------------------------------------------------------

unsigned LocalDatabase::storeEDMMeasurement(EDMMeasurement *m)
{
    QSqlQuery &query = statement(m->id != 0 ? "updateEDMMeasurement" : "insertEDMMeasurement");
    query.bindValue(QStringLiteral(":since"), sinceText(m->since));
    query.bindValue(QStringLiteral(":type"), m->type);
    query.bindValue(QStringLiteral(":distance"), m->distance);
    query.bindValue(QStringLiteral(":horizontal_angle"), m->horizontalAngle);
    query.bindValue(QStringLiteral(":vertical_angle"), m->verticalAngle);
    query.bindValue(QStringLiteral(":horizontal_distance"), m->horizontalDistance);
    if (m->id != 0)
        query.bindValue(QStringLiteral(":id"), m->id);
    if (!exec(query))
        return 0;
    if (m->id == 0)
        m->id = query.lastInsertId().toUInt();
    m->isNew = false;
    return m->id;
}

unsigned LocalDatabase::storeEDMResult(EDMResult *r)
{
    QSqlQuery &query = statement(r->id != 0 ? "updateEDMEventResult" : "insertEDMEventResult");
    query.bindValue(QStringLiteral(":since"), sinceText(r->since));
    query.bindValue(QStringLiteral(":event_type"), r->eventType);
    query.bindValue(QStringLiteral(":result_type"), r->resultType);
    query.bindValue(QStringLiteral(":delta"), r->delta);
    query.bindValue(QStringLiteral(":calculated_result"), r->calculatedResult);
    query.bindValue(QStringLiteral(":reference_result"), r->referenceResult);
    if (r->id != 0)
        query.bindValue(QStringLiteral(":id"), r->id);
    if (!exec(query))
        return 0;
    if (r->id == 0)
        r->id = query.lastInsertId().toUInt();
    r->isNew = false;
    return r->id;
}

unsigned LocalDatabase::storeEDMResultMeasurement(EDMResultMeasurement *link)
{
    QSqlQuery &query = statement(link->id != 0 ? "updateEDMEventMeasurement" : "insertEDMEventMeasurement");
    query.bindValue(QStringLiteral(":event_result"), link->eventResult);
    query.bindValue(QStringLiteral(":measurement"), link->measurement);
    if (link->id != 0)
        query.bindValue(QStringLiteral(":id"), link->id);
    if (!exec(query))
        return 0;
    if (link->id == 0)
        link->id = query.lastInsertId().toUInt();
    link->isNew = false;
    return link->id;
}

unsigned LocalDatabase::storeEDMTakeOffBoardMeasurement(EDMTakeOffBoardMeasurement *m)
{
    QSqlQuery &query = statement(m->id != 0 ? "updateEDMTakeOffBoard" : "insertEDMTakeOffBoard");
    query.bindValue(QStringLiteral(":takeoff_board"), m->takeoffBoard);
    query.bindValue(QStringLiteral(":seqno"), m->seqno);
    query.bindValue(QStringLiteral(":measurement"), m->measurementId());
    if (m->id != 0)
        query.bindValue(QStringLiteral(":id"), m->id);
    if (!exec(query))
        return 0;
    if (m->id == 0)
        m->id = query.lastInsertId().toUInt();
    m->isNew = false;
    return m->id;
}

EDMMeasurement *LocalDatabase::measurementFromQuery(const QSqlQuery &query, QObject *parent)
{
    auto *m = new EDMMeasurement(this, parent);
    const QSqlRecord record = query.record();
    m->id = query.value(record.indexOf(QStringLiteral("id"))).toUInt();
    m->since = sinceFromText(query.value(record.indexOf(QStringLiteral("since"))).toString());
    m->type = query.value(record.indexOf(QStringLiteral("type"))).toInt();
    m->distance = query.value(record.indexOf(QStringLiteral("distance"))).toDouble();
    m->horizontalAngle = query.value(record.indexOf(QStringLiteral("horizontal_angle"))).toDouble();
    m->verticalAngle = query.value(record.indexOf(QStringLiteral("vertical_angle"))).toDouble();
    m->horizontalDistance = query.value(record.indexOf(QStringLiteral("horizontal_distance"))).toDouble();
    m->isNew = false;
    return m;
}

EDMResult *LocalDatabase::edmResultFromQuery(const QSqlQuery &query, QObject *parent)
{
    auto *r = new EDMResult(this, parent);
    r->id = query.value(0).toUInt();
    r->since = sinceFromText(query.value(1).toString());
    r->eventType = query.value(2).toUInt();
    r->resultType = query.value(3).toInt();
    r->delta = query.value(4).toDouble();
    r->calculatedResult = query.value(5).toDouble();
    r->referenceResult = query.value(6).toDouble();
    r->isNew = false;
    return r;
}

EDMTakeOffBoardMeasurement *LocalDatabase::takeOffBoardFromQuery(const QSqlQuery &query, QObject *parent)
{
    auto *m = new EDMTakeOffBoardMeasurement(this, parent);
    m->id = query.value(0).toUInt();
    m->takeoffBoard = query.value(1).toInt();
    m->seqno = query.value(2).toInt();
    m->isNew = false;
    return m;
}

EDMTakeOffBoardMeasurement *LocalDatabase::findEDMTakeOffBoardMeasurement(int board, int seqno, QObject *parent)
{
    QSqlQuery &query = statement("findEDMTakeOffBoard");
    query.bindValue(QStringLiteral(":takeoff_board"), board);
    query.bindValue(QStringLiteral(":seqno"), seqno);
    if (!exec(query) || !query.next())
        return nullptr;
    EDMTakeOffBoardMeasurement *m = takeOffBoardFromQuery(query, parent);
    const unsigned measurementId = query.value(3).toUInt();
    query.finish();
    m->setMeasurementId(measurementId);
    return m;
}

QList<EDMTakeOffBoardMeasurement *> LocalDatabase::edmTakeOffBoardMeasurements(QObject *parent)
{
    QList<EDMTakeOffBoardMeasurement *> list;
    QList<unsigned> measurementIds;
    QSqlQuery &query = statement("allEDMTakeOffBoards");
    if (!exec(query))
        return list;
    while (query.next()) {
        list.append(takeOffBoardFromQuery(query, parent));
        measurementIds.append(query.value(3).toUInt());
    }
    query.finish();
    for (int i = 0; i < list.size(); ++i)
        list.at(i)->setMeasurementId(measurementIds.at(i));
    return list;
}

EDMMeasurement *LocalDatabase::edmMeasurement(unsigned id, QObject *parent)
{
    QSqlQuery &query = statement("selectEDMMeasurement");
    query.bindValue(QStringLiteral(":id"), id);
    if (!exec(query) || !query.next())
        return nullptr;
    EDMMeasurement *m = measurementFromQuery(query, parent);
    query.finish();
    return m;
}

QList<EDMMeasurement *> LocalDatabase::edmMeasurementsOfType(int type, QObject *parent)
{
    QList<EDMMeasurement *> list;
    QSqlQuery &query = statement("selectEDMMeasurementsOfType");
    query.bindValue(QStringLiteral(":type"), type);
    if (!exec(query))
        return list;
    while (query.next())
        list.append(measurementFromQuery(query, parent));
    query.finish();
    return list;
}

QList<QVariantMap> LocalDatabase::edmMeasurementsOfResult(unsigned eventResultId)
{
    QList<QVariantMap> list;
    QSqlQuery &query = statement("selectEDMMeasurementsOfResult");
    query.bindValue(QStringLiteral(":id"), eventResultId);
    if (!exec(query))
        return list;
    while (query.next()) {
        QVariantMap map;
        const QSqlRecord record = query.record();
        for (int i = 0; i < record.count(); ++i)
            map.insert(record.fieldName(i), query.value(i));
        list.append(map);
    }
    query.finish();
    return list;
}

EDMResult *LocalDatabase::latestEDMResult(QObject *parent)
{
    QSqlQuery &query = statement("latestEDMEventResult");
    if (!exec(query) || !query.next())
        return nullptr;
    EDMResult *r = edmResultFromQuery(query, parent);
    query.finish();
    return r;
}

EDMResult *LocalDatabase::latestEDMResultInWindow(unsigned eventType, int resultType, double minimum, double maximum,
                                                  QObject *parent)
{
    QSqlQuery &query = statement("latestEDMEventResultInWindow");
    query.bindValue(QStringLiteral(":event_type"), eventType);
    query.bindValue(QStringLiteral(":result_type"), resultType);
    query.bindValue(QStringLiteral(":calculated_result_min"), minimum);
    query.bindValue(QStringLiteral(":calculated_result_max"), maximum);
    if (!exec(query) || !query.next())
        return nullptr;
    EDMResult *r = edmResultFromQuery(query, parent);
    query.finish();
    return r;
}

QList<EDMResult *> LocalDatabase::edmTestResults(unsigned eventType, QObject *parent)
{
    QList<EDMResult *> list;
    QSqlQuery &query = statement("edmTestResults");
    query.bindValue(QStringLiteral(":event_type"), eventType);
    if (!exec(query))
        return list;
    while (query.next())
        list.append(edmResultFromQuery(query, parent));
    query.finish();
    return list;
}

static void deleteById(LocalDatabase *store, QSqlQuery &query, unsigned id, bool (LocalDatabase::*exec)(QSqlQuery &))
{
    query.bindValue(QStringLiteral(":id"), id);
    (store->*exec)(query);
}

void LocalDatabase::deleteEDMMeasurement(unsigned id)
{
    deleteById(this, statement("deleteEDMMeasurement"), id, &LocalDatabase::exec);
}

void LocalDatabase::deleteEDMResultMeasurement(unsigned id)
{
    deleteById(this, statement("deleteEDMEventMeasurement"), id, &LocalDatabase::exec);
}

void LocalDatabase::deleteEDMResult(unsigned id)
{
    deleteById(this, statement("deleteEDMEventResult"), id, &LocalDatabase::exec);
}

void LocalDatabase::deleteEDMTakeOffBoardMeasurement(unsigned id)
{
    deleteById(this, statement("deleteEDMTakeOffBoard"), id, &LocalDatabase::exec);
}

void LocalDatabase::deleteAllEDMTakeOffBoardMeasurements()
{
    exec(statement("deleteAllEDMTakeOffBoards"));
}

void LocalDatabase::purgeOldEDMResults()
{
    QSqlQuery &old = statement("oldEDMEventResults");
    if (!exec(old))
        return;
    QList<unsigned> ids;
    while (old.next())
        ids.append(old.value(0).toUInt());
    old.finish();

    beginTransaction();
    QSqlQuery &links = statement("linksOfEDMEventResult");
    for (unsigned id : std::as_const(ids)) {
        links.bindValue(QStringLiteral(":id"), id);
        if (!exec(links))
            continue;
        QList<QPair<unsigned, unsigned>> rows;
        while (links.next())
            rows.append({links.value(0).toUInt(), links.value(1).toUInt()});
        links.finish();
        for (const auto &row : std::as_const(rows)) {
            if (row.second != 0)
                deleteEDMMeasurement(row.second);
            deleteEDMResultMeasurement(row.first);
        }
        deleteEDMResult(id);
    }
    endTransaction();
}
