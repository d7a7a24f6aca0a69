#include "devices/edmstore.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QTimeZone>

#include "devices/edmmeasurement.h"
#include "devices/edmresult.h"
#include "devices/edmresultmeasurement.h"
#include "devices/edmtakeoffboardmeasurement.h"
#include "store/localdatabase.h"
#include "store/storelogging.h"

namespace {

struct Statement
{
    const char *name;
    const char *sql;
};

const char MeasurementColumns[] = "id, since, type, distance, horizontal_angle, vertical_angle, horizontal_distance";
const char ResultColumns[] = "id, since, event_type, result_type, delta, calculated_result, reference_result";

// Rows of one second are told apart by their id, so "newest" is the one
// stored last.
const Statement Statements[] = {
    {"updateMeasurement",
     "UPDATE edmmeasurements SET since = :since, type = :type, distance = :distance, horizontal_angle = "
     ":horizontal_angle, vertical_angle = :vertical_angle, horizontal_distance = :horizontal_distance WHERE id = :id;"},
    {"insertMeasurement",
     "INSERT INTO edmmeasurements (since, type, distance, horizontal_angle, vertical_angle, horizontal_distance) "
     "VALUES (:since, :type, :distance, :horizontal_angle, :vertical_angle, :horizontal_distance);"},
    {"updateResult",
     "UPDATE edmeventresults SET since = :since, event_type = :event_type, result_type = :result_type, delta = "
     ":delta, calculated_result = :calculated_result, reference_result = :reference_result WHERE id = :id;"},
    {"insertResult",
     "INSERT INTO edmeventresults (since, event_type, result_type, delta, calculated_result, reference_result) "
     "VALUES (:since, :event_type, :result_type, :delta, :calculated_result, :reference_result);"},
    {"updateLink", "UPDATE edmeventmeasurements SET event_result = :event_result, measurement = :measurement WHERE id "
                   "= :id;"},
    {"insertLink",
     "INSERT INTO edmeventmeasurements (event_result, measurement) VALUES (:event_result, :measurement);"},
    {"updateTakeOffBoard", "UPDATE edmtakeoffboardmeasurements SET takeoff_board = :takeoff_board, seqno = :seqno, "
                           "measurement = :measurement WHERE id = :id;"},
    {"insertTakeOffBoard", "INSERT INTO edmtakeoffboardmeasurements (takeoff_board, seqno, measurement) VALUES "
                           "(:takeoff_board, :seqno, :measurement);"},
    {"findTakeOffBoard", "SELECT id, takeoff_board, seqno, measurement FROM edmtakeoffboardmeasurements WHERE "
                         "takeoff_board = :takeoff_board AND seqno = :seqno ORDER BY id DESC"},
    {"allTakeOffBoards", "SELECT id, takeoff_board, seqno, measurement FROM edmtakeoffboardmeasurements ORDER BY id"},
    {"selectMeasurement", nullptr},
    {"selectMeasurementsOfType", nullptr},
    {"selectMeasurementsOfResult",
     "SELECT edmeventmeasurements.id as EDMEventMeasurementID, edmmeasurements.id, edmmeasurements.type, "
     "edmmeasurements.distance, edmmeasurements.horizontal_angle, edmmeasurements.vertical_angle, "
     "edmmeasurements.horizontal_distance FROM edmeventmeasurements INNER JOIN edmmeasurements ON edmmeasurements.id "
     "= edmeventmeasurements.measurement WHERE edmeventmeasurements.event_result = :id ORDER BY "
     "edmeventmeasurements.id"},
    {"latestResult", nullptr},
    {"latestResultInWindow", nullptr},
    {"testResults", nullptr},
    {"deleteMeasurement", "DELETE FROM edmmeasurements WHERE id = :id;"},
    {"deleteLink", "DELETE FROM edmeventmeasurements WHERE id = :id;"},
    {"deleteResult", "DELETE FROM edmeventresults WHERE id = :id;"},
    {"deleteTakeOffBoard", "DELETE FROM edmtakeoffboardmeasurements WHERE id = :id;"},
    {"deleteAllTakeOffBoards", "DELETE FROM edmtakeoffboardmeasurements"},
    {"oldResults", "SELECT id FROM edmeventresults WHERE since < datetime('now', '-2 days')"},
    {"linksOfResult", "SELECT id, measurement FROM edmeventmeasurements WHERE event_result = :id"},
    // A reading that a newer result or a take-off board point still uses is
    // part of the calibration in use and stays.
    {"deleteUnusedMeasurement",
     "DELETE FROM edmmeasurements WHERE id = :id AND id NOT IN (SELECT measurement FROM edmeventmeasurements) AND id "
     "NOT IN (SELECT measurement FROM edmtakeoffboardmeasurements);"},
};

QString statementText(const Statement &statement)
{
    const QByteArray name(statement.name);
    if (statement.sql)
        return QString::fromUtf8(statement.sql);
    if (name == "selectMeasurement")
        return QStringLiteral("SELECT %1 FROM edmmeasurements WHERE id = :id").arg(QLatin1String(MeasurementColumns));
    if (name == "selectMeasurementsOfType")
        return QStringLiteral("SELECT %1 FROM edmmeasurements WHERE type = :type ORDER BY id DESC")
            .arg(QLatin1String(MeasurementColumns));
    if (name == "latestResult")
        return QStringLiteral("SELECT %1 FROM edmeventresults ORDER BY since DESC, id DESC LIMIT 1;")
            .arg(QLatin1String(ResultColumns));
    if (name == "latestResultInWindow")
        return QStringLiteral("SELECT %1 FROM edmeventresults WHERE event_type = :event_type AND result_type = "
                              ":result_type AND calculated_result > :calculated_result_min AND calculated_result < "
                              ":calculated_result_max ORDER BY since DESC, id DESC LIMIT 1;")
            .arg(QLatin1String(ResultColumns));
    // name == "testResults"
    return QStringLiteral("SELECT %1 FROM edmeventresults WHERE event_type = :event_type and result_type = 2 ORDER BY "
                          "since ASC, id ASC;")
        .arg(QLatin1String(ResultColumns));
}

// Stored in UTC like CURRENT_TIMESTAMP, so datetime('now', ...) compares right.
QString sinceText(const QDateTime &since)
{
    return since.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QDateTime sinceFromText(const QString &text)
{
    QDateTime since = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    since.setTimeZone(QTimeZone::utc());
    return since.toLocalTime();
}

EDMReading readingFromQuery(const QSqlQuery &query, int first)
{
    EDMReading reading;
    reading.distance = query.value(first).toDouble();
    reading.horizontalAngle = query.value(first + 1).toDouble();
    reading.verticalAngle = query.value(first + 2).toDouble();
    reading.horizontalDistance = query.value(first + 3).toDouble();
    return reading;
}

// Columns as in MeasurementColumns.
EDMMeasurement *measurementFromQuery(EDMStore *store, const QSqlQuery &query, QObject *parent)
{
    auto *m = new EDMMeasurement(store, parent);
    m->id = query.value(0).toUInt();
    m->since = sinceFromText(query.value(1).toString());
    m->type = query.value(2).toInt();
    m->setReading(readingFromQuery(query, 3));
    m->isNew = false;
    return m;
}

// Columns as in ResultColumns.
EDMResult *resultFromQuery(EDMStore *store, const QSqlQuery &query, QObject *parent)
{
    auto *r = new EDMResult(store, parent);
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

EDMTakeOffBoardMeasurement *takeOffBoardFromQuery(EDMStore *store, const QSqlQuery &query, QObject *parent,
                                                  unsigned *measurementId)
{
    auto *point = new EDMTakeOffBoardMeasurement(store, parent);
    point->id = query.value(0).toUInt();
    point->takeoffBoard = query.value(1).toInt();
    point->seqno = query.value(2).toInt();
    point->isNew = false;
    *measurementId = query.value(3).toUInt();
    return point;
}

} // namespace

EDMStore::EDMStore(LocalDatabase *database, QObject *parent)
    : QObject(parent)
    , m_database(database)
{
    const bool usable = isUsable();
    const QSqlDatabase db = database ? database->database() : QSqlDatabase();
    for (const Statement &s : Statements) {
        QSqlQuery query(db);
        if (usable && !query.prepare(statementText(s)))
            qCWarning(lcStore).noquote() << "Cannot prepare" << s.name << query.lastError().text();
        m_statements.insert(QByteArray(s.name), query);
    }
}

bool EDMStore::isUsable() const
{
    return m_database && m_database->isUsable();
}

QSqlQuery &EDMStore::statement(const char *name)
{
    auto it = m_statements.find(QByteArray(name));
    Q_ASSERT_X(it != m_statements.end(), "EDMStore", name);
    return it.value();
}

bool EDMStore::exec(QSqlQuery &query)
{
    if (!isUsable())
        return false;
    if (query.exec())
        return true;
    qCWarning(lcStore).noquote() << "Statement failed:" << query.lastQuery() << query.lastError().text();
    if (m_inTransaction)
        m_transactionFailed = true;
    return false;
}

unsigned EDMStore::write(QSqlQuery &query, unsigned *id, bool *isNew)
{
    if (*id != 0)
        query.bindValue(QStringLiteral(":id"), *id);
    if (!exec(query))
        return 0;
    if (*id == 0)
        *id = query.lastInsertId().toUInt();
    *isNew = false;
    return *id;
}

void EDMStore::beginTransaction()
{
    m_transactionFailed = false;
    // Inside a transaction of the competition store the writes simply join it.
    m_inTransaction = isUsable() && m_database->database().transaction();
}

bool EDMStore::endTransaction()
{
    if (!m_inTransaction)
        return !m_transactionFailed;
    m_inTransaction = false;
    QSqlDatabase db = m_database->database();
    if (!m_transactionFailed && db.commit())
        return true;
    if (!m_transactionFailed)
        qCWarning(lcStore) << "Commit failed:" << db.lastError().text();
    db.rollback();
    return false;
}

unsigned EDMStore::storeMeasurement(EDMMeasurement *m)
{
    QSqlQuery &query = statement(m->id != 0 ? "updateMeasurement" : "insertMeasurement");
    query.bindValue(QStringLiteral(":since"), sinceText(m->since));
    query.bindValue(QStringLiteral(":type"), m->type);
    query.bindValue(QStringLiteral(":distance"), m->distance);
    query.bindValue(QStringLiteral(":horizontal_angle"), m->horizontalAngle);
    query.bindValue(QStringLiteral(":vertical_angle"), m->verticalAngle);
    query.bindValue(QStringLiteral(":horizontal_distance"), m->horizontalDistance);
    return write(query, &m->id, &m->isNew);
}

unsigned EDMStore::storeResult(EDMResult *r)
{
    QSqlQuery &query = statement(r->id != 0 ? "updateResult" : "insertResult");
    query.bindValue(QStringLiteral(":since"), sinceText(r->since));
    query.bindValue(QStringLiteral(":event_type"), r->eventType);
    query.bindValue(QStringLiteral(":result_type"), r->resultType);
    query.bindValue(QStringLiteral(":delta"), r->delta);
    query.bindValue(QStringLiteral(":calculated_result"), r->calculatedResult);
    query.bindValue(QStringLiteral(":reference_result"), r->referenceResult);
    return write(query, &r->id, &r->isNew);
}

unsigned EDMStore::storeResultMeasurement(EDMResultMeasurement *link)
{
    QSqlQuery &query = statement(link->id != 0 ? "updateLink" : "insertLink");
    query.bindValue(QStringLiteral(":event_result"), link->eventResult);
    query.bindValue(QStringLiteral(":measurement"), link->measurement);
    return write(query, &link->id, &link->isNew);
}

unsigned EDMStore::storeTakeOffBoardMeasurement(EDMTakeOffBoardMeasurement *point)
{
    QSqlQuery &query = statement(point->id != 0 ? "updateTakeOffBoard" : "insertTakeOffBoard");
    query.bindValue(QStringLiteral(":takeoff_board"), point->takeoffBoard);
    query.bindValue(QStringLiteral(":seqno"), point->seqno);
    query.bindValue(QStringLiteral(":measurement"), point->measurementId());
    return write(query, &point->id, &point->isNew);
}

EDMTakeOffBoardMeasurement *EDMStore::findTakeOffBoardMeasurement(int board, int seqno, QObject *parent)
{
    QSqlQuery &query = statement("findTakeOffBoard");
    query.bindValue(QStringLiteral(":takeoff_board"), board);
    query.bindValue(QStringLiteral(":seqno"), seqno);
    if (!exec(query) || !query.next())
        return nullptr;
    unsigned measurementId = 0;
    EDMTakeOffBoardMeasurement *point = takeOffBoardFromQuery(this, query, parent, &measurementId);
    query.finish();
    point->setMeasurementId(measurementId);
    return point;
}

QList<EDMTakeOffBoardMeasurement *> EDMStore::takeOffBoardMeasurements(QObject *parent)
{
    QList<EDMTakeOffBoardMeasurement *> list;
    QList<unsigned> measurementIds;
    QSqlQuery &query = statement("allTakeOffBoards");
    if (!exec(query))
        return list;
    while (query.next()) {
        unsigned measurementId = 0;
        list.append(takeOffBoardFromQuery(this, query, parent, &measurementId));
        measurementIds.append(measurementId);
    }
    query.finish();
    // Loading a point's reading runs another statement.
    for (int i = 0; i < list.size(); ++i)
        list.at(i)->setMeasurementId(measurementIds.at(i));
    return list;
}

EDMMeasurement *EDMStore::measurement(unsigned id, QObject *parent)
{
    QSqlQuery &query = statement("selectMeasurement");
    query.bindValue(QStringLiteral(":id"), id);
    if (!exec(query) || !query.next())
        return nullptr;
    EDMMeasurement *m = measurementFromQuery(this, query, parent);
    query.finish();
    return m;
}

QList<EDMMeasurement *> EDMStore::measurementsOfType(int type, QObject *parent)
{
    QList<EDMMeasurement *> list;
    QSqlQuery &query = statement("selectMeasurementsOfType");
    query.bindValue(QStringLiteral(":type"), type);
    if (!exec(query))
        return list;
    while (query.next())
        list.append(measurementFromQuery(this, query, parent));
    query.finish();
    return list;
}

QList<EDMResultLink> EDMStore::measurementsOfResult(unsigned eventResultId)
{
    QList<EDMResultLink> list;
    QSqlQuery &query = statement("selectMeasurementsOfResult");
    query.bindValue(QStringLiteral(":id"), eventResultId);
    if (!exec(query))
        return list;
    while (query.next()) {
        EDMResultLink link;
        link.linkId = query.value(0).toUInt();
        link.measurementId = query.value(1).toUInt();
        link.type = query.value(2).toInt();
        link.reading = readingFromQuery(query, 3);
        list.append(link);
    }
    query.finish();
    return list;
}

EDMResult *EDMStore::latestResult(QObject *parent)
{
    QSqlQuery &query = statement("latestResult");
    if (!exec(query) || !query.next())
        return nullptr;
    EDMResult *r = resultFromQuery(this, query, parent);
    query.finish();
    return r;
}

EDMResult *EDMStore::latestResultInWindow(unsigned eventType, int resultType, double minimum, double maximum,
                                          QObject *parent)
{
    QSqlQuery &query = statement("latestResultInWindow");
    query.bindValue(QStringLiteral(":event_type"), eventType);
    query.bindValue(QStringLiteral(":result_type"), resultType);
    query.bindValue(QStringLiteral(":calculated_result_min"), minimum);
    query.bindValue(QStringLiteral(":calculated_result_max"), maximum);
    if (!exec(query) || !query.next())
        return nullptr;
    EDMResult *r = resultFromQuery(this, query, parent);
    query.finish();
    return r;
}

QList<EDMResult *> EDMStore::testResults(unsigned eventType, QObject *parent)
{
    QList<EDMResult *> list;
    QSqlQuery &query = statement("testResults");
    query.bindValue(QStringLiteral(":event_type"), eventType);
    if (!exec(query))
        return list;
    while (query.next())
        list.append(resultFromQuery(this, query, parent));
    query.finish();
    return list;
}

void EDMStore::deleteById(const char *name, unsigned id)
{
    QSqlQuery &query = statement(name);
    query.bindValue(QStringLiteral(":id"), id);
    exec(query);
}

void EDMStore::deleteMeasurement(unsigned id)
{
    deleteById("deleteMeasurement", id);
}

void EDMStore::deleteResultMeasurement(unsigned id)
{
    deleteById("deleteLink", id);
}

void EDMStore::deleteResult(unsigned id)
{
    deleteById("deleteResult", id);
}

void EDMStore::deleteTakeOffBoardMeasurement(unsigned id)
{
    deleteById("deleteTakeOffBoard", id);
}

void EDMStore::deleteAllTakeOffBoardMeasurements()
{
    exec(statement("deleteAllTakeOffBoards"));
}

void EDMStore::purgeOldResults()
{
    QSqlQuery &old = statement("oldResults");
    if (!exec(old))
        return;
    QList<unsigned> ids;
    while (old.next())
        ids.append(old.value(0).toUInt());
    old.finish();
    if (ids.isEmpty())
        return;

    beginTransaction();
    QList<unsigned> readings;
    QSqlQuery &links = statement("linksOfResult");
    for (unsigned id : std::as_const(ids)) {
        links.bindValue(QStringLiteral(":id"), id);
        if (!exec(links))
            continue;
        QList<unsigned> linkIds;
        while (links.next()) {
            linkIds.append(links.value(0).toUInt());
            readings.append(links.value(1).toUInt());
        }
        links.finish();
        for (unsigned link : std::as_const(linkIds))
            deleteResultMeasurement(link);
        deleteResult(id);
    }
    // Once every old link is gone, so that only the links of the results
    // that stay keep a reading.
    for (unsigned reading : std::as_const(readings))
        deleteById("deleteUnusedMeasurement", reading);
    endTransaction();
}
