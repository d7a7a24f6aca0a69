#include "sync/databaseconnection.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <utility>

#include "fieldevents/fieldeventprogress.h"
#include "fieldevents/fieldeventranking.h"
#include "records/participation.h"
#include "records/participationsnapshot.h"
#include "records/result.h"
#include "records/resultmarks.h"
#include "store/localdatabase.h"
#include "store/pendingaction.h"
#include "sync/databasesynchronizationinterface.h"
#include "sync/synclogging.h"

namespace {

const QString Results = QStringLiteral("results");
const QString Participations = QStringLiteral("participations");

QString settingText(const QVariant &value)
{
    // An unquoted "1,2" reads back from an INI file as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

} // namespace

DatabaseConnection::DatabaseConnection(QObject *parent, const QString &dataFolder, const QString &storeFile)
    : QObject(parent)
    , m_dataFolder(dataFolder)
    , m_store(storeFile.isEmpty() ? new LocalDatabase(this) : new LocalDatabase(storeFile, this))
{
    m_rest.setListener(this);
    m_rest.setTransferTimeout(RequestTimeout);
    connect(&m_rest, &MeetwiseRESTService::requestFinished, this, &DatabaseConnection::onRequestFinished);
    m_retransmitTimer.setInterval(RetransmitInterval);
    connect(&m_retransmitTimer, &QTimer::timeout, this, &DatabaseConnection::onRetransmitTimeout);
    m_heatRetryTimer.setSingleShot(true);
    m_heatRetryTimer.setInterval(RetransmitInterval);
    connect(&m_heatRetryTimer, &QTimer::timeout, this, &DatabaseConnection::onHeatRetryTimeout);
    readConfiguration();
}

DatabaseConnection::~DatabaseConnection()
{
    m_rest.setListener(nullptr);
    qDeleteAll(m_participations);
}

QString DatabaseConnection::configurationFilePath() const
{
    return QStringLiteral("%1%2%3").arg(m_dataFolder, QDir::separator(), QStringLiteral("sync"));
}

void DatabaseConnection::readConfiguration()
{
    m_kind = readSyncFile(configurationFilePath(), m_rest, m_code, &m_competitionName);
}

int DatabaseConnection::readSyncFile(const QString &path, MeetwiseRESTService &rest, QString &code,
                                     QString *competitionName)
{
    QSettings file(path, QSettings::IniFormat);
    // The keys live under "[general]", which QSettings may or may not fold
    // into the top level depending on its case.
    for (const QString &group : file.childGroups()) {
        if (group.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0) {
            file.beginGroup(group);
            break;
        }
    }
    const QString type = settingText(file.value(QStringLiteral("type"))).toLower();
    code.clear();
    if (competitionName)
        *competitionName = settingText(file.value(QStringLiteral("competitionname")));
    if (type == QLatin1String("meetwise")) {
        rest.setHost(settingText(file.value(QStringLiteral("ip"))));
        rest.setUser(settingText(file.value(QStringLiteral("user"))));
        rest.setPassword(settingText(file.value(QStringLiteral("pass"))));
        rest.setCompetition(settingText(file.value(QStringLiteral("competition"))).toUInt());
        rest.setSessions(MeetwiseRESTService::sessionsFromText(settingText(file.value(QStringLiteral("sessions")))));
        rest.setDates(MeetwiseRESTService::datesFromText(settingText(file.value(QStringLiteral("dates")))));
        rest.setSessionId(settingText(file.value(QStringLiteral("sessionID"))));
        return MeetwiseServer;
    }
    int kind = NoServer;
    if (type == QLatin1String("atletieknu")) {
        kind = AtletiekNuService;
        code = settingText(file.value(QStringLiteral("code")));
    }
    rest.setHost(QString());
    rest.setUser(QString());
    rest.setPassword(QString());
    rest.setCompetition(0);
    rest.setSessions({});
    rest.setDates({});
    return kind;
}

// A value as the file is read back: plain when it reads back as it is,
// otherwise quoted, so that a password with ";" (a comment to the reader),
// quotes, backslashes, commas (a list) or line breaks (the end of the line,
// and a key of its own after it) arrives unchanged.
QString DatabaseConnection::iniValue(const QString &text)
{
    static const QRegularExpression special(QStringLiteral("[;\"\\\\,\\n\\r]|^\\s|\\s$|^@"));
    if (!text.contains(special))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    if (quoted.startsWith(QLatin1Char('@')))
        quoted.prepend(QLatin1Char('@'));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void DatabaseConnection::onSetDatabaseConnectionData(QString database, QVariantMap data)
{
    m_configuration = data;
    QString typeLine;
    if (database == QLatin1String("meetwise"))
        typeLine = QStringLiteral("type=meetwise\n");
    else if (database == QLatin1String("atletieknu"))
        typeLine = QStringLiteral("type=atletieknu\n");
    if (typeLine.isEmpty()) {
        m_kind = NoServer;
        return;
    }
    QFile file(configurationFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        qCWarning(lcSync) << "Cannot write the connection settings" << file.fileName() << file.errorString();
        return;
    }
    QTextStream out(&file);
    out.setEncoding(QStringConverter::Utf8);
    out << "[general]\n" << typeLine;
    for (auto it = data.cbegin(); it != data.cend(); ++it)
        out << QStringLiteral("%1=%2\n").arg(it.key(), iniValue(settingText(it.value())));
    out.flush();
    file.close();
    readConfiguration();
}

// ---- Listeners -------------------------------------------------------------

void DatabaseConnection::registerListener(DatabaseSynchronizationInterface *listener)
{
    if (m_kind == MeetwiseServer) {
        listener->heatEventsReceived(m_store->loadCachedHeatEvents());
        if (!m_listeners.contains(listener))
            m_listeners.append(listener);
        if (!m_scheduleListeners.contains(listener))
            m_scheduleListeners.append(listener);
        m_rest.requestEvents();
    } else if (m_kind == AtletiekNuService) {
        if (!m_listeners.contains(listener))
            m_listeners.append(listener);
    }
    if (pendingActionCount() > 0) {
        emitCount();
        m_retransmitTimer.start();
    }
}

void DatabaseConnection::requestDisqualificationRules(DatabaseSynchronizationInterface *listener,
                                                      const QString &language)
{
    if (!m_rulesListeners.contains(listener))
        m_rulesListeners.append(listener);
    m_rest.requestDisqualificationRules(language);
}

void DatabaseConnection::clearHeat()
{
    // Screens may still hold the old records for a moment.
    for (Participation *p : std::as_const(m_participations))
        p->deleteLater();
    m_participations.clear();
}

void DatabaseConnection::loadHeat(const QVariantMap &eventData, DatabaseSynchronizationInterface *listener)
{
    const unsigned heatId = eventData.value(QStringLiteral("event.id")).toUInt();
    if (m_kind == MeetwiseServer) {
        clearHeat();
        m_heatEventData = eventData;
        m_resultsConfirmedWhileLoading.clear();
        m_resultsRemovedWhileLoading.clear();
        m_ordersConfirmedWhileLoading.clear();
        if (eventData.value(QStringLiteral("event.participantsCached")).toInt() == 1) {
            m_participations = m_store->loadParticipations(heatId, this);
            // The flag can be older than the store, which keeps one heat:
            // an empty answer means the heat must come from the server.
            if (!m_participations.isEmpty()) {
                deliverHeat(heatId, {listener});
                return;
            }
        }
        QList<DatabaseSynchronizationInterface *> &waiting = m_heatListeners[heatId];
        if (!waiting.contains(listener))
            waiting.append(listener);
        m_heatRequests.insert(heatId, eventData);
        m_heatReplies.insert(m_rest.requestHeatResults(heatId), heatId);
    } else if (m_kind == AtletiekNuService) {
        m_heatEventData = eventData;
        m_heatListeners[heatId].append(listener);
        qCDebug(lcSync) << "Heat" << heatId << eventData.value(QStringLiteral("event.parentpath")).toString();
    }
}

QChar DatabaseConnection::heatFieldType() const
{
    return Participation::typeCharacter(m_heatEventData.value(QStringLiteral("event.fieldType")).toString());
}

Participation *DatabaseConnection::participationByServerId(unsigned serverId) const
{
    for (Participation *p : m_participations) {
        if (p->participation_id == serverId)
            return p;
    }
    return nullptr;
}

// By local id alone: an answer may name the athlete wrongly or not at all.
Result *DatabaseConnection::findResult(unsigned localId, Participation **owner) const
{
    for (Participation *p : m_participations) {
        for (Result *r : p->results()) {
            if (r->id == localId) {
                if (owner)
                    *owner = p;
                return r;
            }
        }
    }
    if (owner)
        *owner = nullptr;
    return nullptr;
}

void DatabaseConnection::setRetransmitInterval(int ms)
{
    m_retransmitTimer.setInterval(ms);
    m_heatRetryTimer.setInterval(ms);
    m_rest.setTransferTimeout(ms * 4 / 5);
}

// ---- Requests in flight -------------------------------------------------------

void DatabaseConnection::track(QNetworkReply *reply, const QString &table, unsigned localId)
{
    if (!reply)
        return;
    m_inFlight.insert(reply, {table, localId, m_store->latestPendingActionId(table, localId)});
}

bool DatabaseConnection::inFlight(const QString &table, unsigned localId) const
{
    for (const Request &request : m_inFlight) {
        if (request.localId == localId && request.table == table)
            return true;
    }
    return false;
}

unsigned DatabaseConnection::confirmedUpTo(const QString &table, unsigned localId) const
{
    unsigned last = 0;
    bool found = false;
    for (const Request &request : m_inFlight) {
        if (request.localId == localId && request.table == table) {
            last = std::max(last, request.lastActionId);
            found = true;
        }
    }
    // An answer to a request we no longer follow covers everything queued.
    return found ? last : UINT_MAX;
}

void DatabaseConnection::onRequestFinished(QNetworkReply *reply)
{
    m_inFlight.remove(reply);
    const auto heat = m_heatReplies.constFind(reply);
    if (heat == m_heatReplies.constEnd())
        return;
    const unsigned heatId = heat.value();
    m_heatReplies.erase(heat);
    // No answer for the heat: when the store holds it (the judge's own heat,
    // with everything entered here), it opens from there instead of the
    // screen waiting for a server that is not there.
    if (!m_heatRequests.contains(heatId) || m_heatEventData.value(QStringLiteral("event.id")).toUInt() != heatId)
        return;
    if (!m_store->holdsHeat(heatId)) {
        // Nothing to open yet: the screen says so, and the heat is asked
        // for again until the server answers.
        qCDebug(lcSync) << "Heat" << heatId << "waits for the server";
        emit heatWaitingForServer(heatId);
        m_heatRetryTimer.start();
        return;
    }
    qCDebug(lcSync) << "Heat" << heatId << "opens from the local store: the server did not answer";
    m_heatRequests.remove(heatId);
    clearHeat();
    m_participations = m_store->loadParticipations(heatId, this);
    deliverHeat(heatId, m_heatListeners.take(heatId));
}

void DatabaseConnection::onHeatRetryTimeout()
{
    const unsigned heatId = m_heatEventData.value(QStringLiteral("event.id")).toUInt();
    if (m_kind != MeetwiseServer || !m_heatRequests.contains(heatId))
        return;
    // Only while somebody still waits for it.
    QList<DatabaseSynchronizationInterface *> &waiting = m_heatListeners[heatId];
    waiting.erase(std::remove_if(waiting.begin(), waiting.end(),
                                 [](const DatabaseSynchronizationInterface *listener) {
                                     return !DatabaseSynchronizationInterface::isAlive(listener);
                                 }),
                  waiting.end());
    if (waiting.isEmpty()) {
        m_heatListeners.remove(heatId);
        m_heatRequests.remove(heatId);
        return;
    }
    for (unsigned pending : std::as_const(m_heatReplies)) {
        if (pending == heatId)
            return;
    }
    m_heatReplies.insert(m_rest.requestHeatResults(heatId), heatId);
}

void DatabaseConnection::deliverHeat(unsigned heatId, const QList<DatabaseSynchronizationInterface *> &listeners)
{
    // Ranked before anyone sees it: ranks that came with the heat (the
    // server's, or the store's from an older ranking) are not the program's.
    rankHeat();
    for (DatabaseSynchronizationInterface *listener : listeners) {
        if (DatabaseSynchronizationInterface::isAlive(listener))
            listener->participationsReceived(QString::number(heatId), m_participations);
    }
}

// A result row and everything queued for it go together.
void DatabaseConnection::forgetResultRow(unsigned localId)
{
    m_store->beginTransaction();
    m_store->deleteResult(localId);
    m_store->removePendingActionsUpTo(Results, localId, UINT_MAX);
    m_store->endTransaction();
}

void DatabaseConnection::noteWhileLoading(QSet<unsigned> &confirmed, unsigned id)
{
    if (id != 0 && m_heatRequests.contains(m_heatEventData.value(QStringLiteral("event.id")).toUInt()))
        confirmed.insert(id);
}

// ---- A judge's changes ----------------------------------------------------------

void DatabaseConnection::emitCount()
{
    emit updateUnconfirmedActions(pendingActionCount());
}

void DatabaseConnection::changed()
{
    emitCount();
    m_retransmitTimer.start();
}

void DatabaseConnection::postNewResult(Participation *participation, Result *result, bool live)
{
    if (m_kind != MeetwiseServer || inFlight(Results, result->id))
        return;
    track(m_rest.newResult(participation->participation_id, *result, result->id, live), Results, result->id);
}

void DatabaseConnection::postUpdateResult(Result *result)
{
    if (m_kind != MeetwiseServer || inFlight(Results, result->id))
        return;
    track(m_rest.updateResult(result->result_id, *result, result->id), Results, result->id);
}

void DatabaseConnection::queueAndPostKnownResult(Participation *participation, Result *result)
{
    Q_UNUSED(participation)
    // The server knows this result: the change itself must be queued too, or
    // a correction posted while the server is away would never arrive.
    m_store->appendPendingAction(Results, PendingAction::Update, result->id);
}

QList<ResultChange> DatabaseConnection::setFieldResult(Participation *participation, unsigned attempt, double value,
                                                       double wind, double metavalue)
{
    ParticipationSnapshot before(participation);
    m_store->beginTransaction();
    const QList<ResultChange> changes = participation->setFieldResult(attempt, value, wind, metavalue);
    return handleChanges(participation, changes, before);
}

QList<ResultChange> DatabaseConnection::applyAttemptString(Participation *participation, double height,
                                                           const QString &attempts, unsigned jumpOffNumber)
{
    ParticipationSnapshot before(participation);
    QList<QPair<Participation *, bool>> outBefore;
    for (Participation *p : std::as_const(m_participations))
        outBefore.append({p, p->out_of_competition});
    m_store->beginTransaction();
    const QList<ResultChange> changes = participation->applyAttemptString(height, attempts, jumpOffNumber);
    // Who leaves the competition by this mark goes in the same transaction.
    if (participation->hasJumpOffResults()) {
        for (Participation *out :
             FieldEventProgress::applyJumpOffOutcome(m_participations, participation, jumpOffNumber))
            out->save();
    } else {
        const unsigned failures = participation->consecutiveFailures();
        qCDebug(lcSync) << "Number of fails " << failures;
        if (failures > 2 && !participation->out_of_competition) {
            participation->out_of_competition = true;
            participation->save();
        }
    }
    return handleChanges(participation, changes, before, [&outBefore] {
        for (const auto &[p, out] : std::as_const(outBefore))
            p->out_of_competition = out;
    });
}

QList<ResultChange> DatabaseConnection::setTrackResult(Participation *participation, double value, const QString &info)
{
    ParticipationSnapshot before(participation);
    m_store->beginTransaction();
    const QList<ResultChange> changes = participation->setTrackResult(value, info);
    return handleChanges(participation, changes, before);
}

// Called inside the transaction the operation began: the results, their
// pending actions and the new ranks are committed together, then posted.
// A change that cannot be stored is taken back: what is shown is what the
// store holds, and nothing of it is posted.
QList<ResultChange> DatabaseConnection::handleChanges(Participation *participation, const QList<ResultChange> &changes,
                                                      ParticipationSnapshot &before,
                                                      const std::function<void()> &restoreOthers)
{
    QList<std::function<void()>> posts;
    for (const ResultChange &change : changes) {
        Result *result = change.result;
        if (change.isNew) {
            posts.append([this, participation, result] { postNewResult(participation, result, true); });
        } else if (result->deleted) {
            if (result->result_id != 0) {
                qCDebug(lcSync) << "Result id known from server " << result->result_id;
                m_store->appendPendingAction(Results, PendingAction::Delete, result->id);
                const unsigned serverId = result->result_id;
                const unsigned localId = result->id;
                posts.append([this, serverId, localId] {
                    if (m_kind == MeetwiseServer && !inFlight(Results, localId))
                        track(m_rest.deleteResult(serverId, localId), Results, localId);
                });
            } else if (m_kind == MeetwiseServer && inFlight(Results, result->id)) {
                // Its insert is on the way: the server may be storing it right
                // now. The row stays, marked for removal, until the server id
                // is known; then the removal goes out and is posted again
                // until it is confirmed.
                qCDebug(lcSync) << "Result" << result->id << "removed while its insert is on the way";
                m_store->appendPendingAction(Results, PendingAction::Delete, result->id);
            } else {
                qCDebug(lcSync) << "Result id not known from server, only delete the result locally";
                // Only this result's actions: a participation may share the
                // local id number.
                forgetResultRow(result->id);
            }
        } else if (result->result_id != 0) {
            queueAndPostKnownResult(participation, result);
            posts.append([this, result] { postUpdateResult(result); });
        }
    }
    FieldEventRanking::rankHeat(m_participations, heatFieldType());
    m_lastChangeStored = m_store->endTransaction();
    if (!m_lastChangeStored) {
        qCWarning(lcSync) << "A change could not be stored";
        // Chosen before the restore, which deletes the results the change
        // added: none of those may be looked at afterwards.
        QList<Result *> removedForGood;
        for (const ResultChange &change : changes) {
            if (change.result->deleted && !before.holds(change.result) &&
                !(participation && participation->results().contains(change.result)))
                removedForGood.append(change.result);
        }
        before.restore();
        if (restoreOthers)
            restoreOthers();
        qDeleteAll(removedForGood);
        FieldEventRanking::rankHeat(m_participations, heatFieldType());
        emit changeNotStored();
        emitCount();
        return {};
    }
    for (const auto &post : std::as_const(posts))
        post();
    for (const ResultChange &change : changes) {
        if (change.result->deleted)
            delete change.result;
    }
    changed();
    return changes;
}

void DatabaseConnection::resultChanged(Participation *participation, Result *result, bool isNew)
{
    if (result->deleted) {
        deleteResult(participation, result);
        return;
    }
    m_store->beginTransaction();
    if (isNew) {
        m_store->endTransaction();
        postNewResult(participation, result, true);
    } else if (result->result_id != 0) {
        queueAndPostKnownResult(participation, result);
        m_store->endTransaction();
        postUpdateResult(result);
    } else {
        m_store->endTransaction();
    }
    changed();
    rankHeat();
}

void DatabaseConnection::deleteResult(Participation *participation, Result *result)
{
    ParticipationSnapshot before(participation);
    if (participation)
        participation->takeResult(result);
    result->deleted = true;
    m_store->beginTransaction();
    handleChanges(participation, {{result, false}}, before);
}

void DatabaseConnection::rankHeat()
{
    FieldEventRanking::rankHeat(m_participations, heatFieldType());
}

void DatabaseConnection::resortParticipations(unsigned maximumRank)
{
    FieldEventRanking::resort(m_participations, maximumRank);
}

void DatabaseConnection::setHeatHeights(const HeightColumns &columns, const HeightColumn &bar)
{
    QList<LocalDatabase::HeatHeight> heights;
    for (const HeightColumn &column : columns)
        heights.append({column.height, column.jumpOff, column == bar});
    m_store->storeHeatHeights(m_heatEventData.value(QStringLiteral("event.id")).toUInt(), heights);
}

HeightColumns DatabaseConnection::heatHeights(HeightColumn *bar)
{
    HeightColumns columns;
    if (bar)
        *bar = {};
    for (const LocalDatabase::HeatHeight &height :
         m_store->heatHeights(m_heatEventData.value(QStringLiteral("event.id")).toUInt())) {
        columns.append({height.height, height.jumpOff});
        if (height.bar && bar)
            *bar = columns.last();
    }
    return columns;
}

void DatabaseConnection::setParticipationOrder(Participation *participation, unsigned order)
{
    participation->initial_order = order;
    m_store->setParticipationOrder(participation->id, order);
    if (m_kind == MeetwiseServer && participation->participation_id != 0 &&
        !inFlight(Participations, participation->id))
        track(m_rest.updateParticipationOrder(participation->participation_id, order, participation->id),
              Participations, participation->id);
    changed();
}

void DatabaseConnection::setStartHeight(Participation *participation, double height)
{
    participation->startheight = height;
    m_store->setStartHeight(participation->id, height);
    if (m_kind == MeetwiseServer)
        m_rest.updateParticipationStartHeight(participation->participation_id, height, participation->id);
}

void DatabaseConnection::setParticipationStatus(Participation *participation)
{
    if (m_kind == MeetwiseServer)
        m_rest.updateParticipationStatus(participation->participation_id,
                                         participation->out_of_competition_combined_event, participation->abandon,
                                         participation->id);
}

void DatabaseConnection::reportNextParticipation(Participation *participation)
{
    if (m_kind != MeetwiseServer || !participation)
        return;
    const QString data = QStringLiteral("%1;%2;%3;%4")
                             .arg(participation->event_id)
                             .arg(participation->round_id)
                             .arg(participation->heat_id)
                             .arg(participation->participation_id);
    m_rest.postWhatIsHappening(QStringLiteral("field+next+participation"), data);
}

// ---- Pending actions ------------------------------------------------------------

unsigned DatabaseConnection::pendingActionCount()
{
    return m_store->pendingActionCount();
}

QList<QVariantMap> DatabaseConnection::pendingActionList()
{
    QList<QVariantMap> list;
    for (const PendingAction &action : m_store->pendingActions()) {
        QVariantMap map{{QStringLiteral("table_name"), action.table_name},
                        {QStringLiteral("action"), action.action},
                        {QStringLiteral("id"), action.id},
                        {QStringLiteral("local_id"), action.local_id}};
        if (action.table_name == Participations) {
            if (action.action != PendingAction::Update)
                continue;
            const QVariantMap row = m_store->participationRow(action.local_id);
            if (row.isEmpty() || row.value(QStringLiteral("participation_id")).toUInt() == 0)
                continue;
            map.insert(QStringLiteral("remote_id"), row.value(QStringLiteral("participation_id")));
            map.insert(QStringLiteral("initial_order"), row.value(QStringLiteral("initial_order")));
            map.insert(QStringLiteral("participation_bib"), row.value(QStringLiteral("bib")));
            map.insert(QStringLiteral("participation_displayname"), row.value(QStringLiteral("displayname")));
            list.append(map);
            continue;
        }
        if (action.table_name != Results)
            continue;
        const QVariantMap row = m_store->resultRow(action.local_id);
        if (row.isEmpty())
            continue;
        map.insert(QStringLiteral("remote_id"), row.value(QStringLiteral("result_id")));
        if (action.action == PendingAction::Delete) {
            list.append(map);
            continue;
        }
        const unsigned participationId = row.value(QStringLiteral("participation")).toUInt();
        map.insert(QStringLiteral("participation_id"), participationId);
        for (const char *key : {"seqno", "value", "wind", "metavalue", "type", "info", "time_performed"})
            map.insert(QString::fromLatin1(key), row.value(QString::fromLatin1(key)));
        const QVariantMap participation = m_store->participationRowByServerId(participationId);
        map.insert(QStringLiteral("participation_bib"), participation.value(QStringLiteral("bib")));
        map.insert(QStringLiteral("participation_displayname"), participation.value(QStringLiteral("displayname")));
        map.insert(QStringLiteral("field_type"), participation.value(QStringLiteral("field_type")));
        list.append(map);
    }
    return list;
}

void DatabaseConnection::removeAllPendingActions()
{
    m_store->removeAllPendingActions();
    emitCount();
}

void DatabaseConnection::onRetransmitTimeout()
{
    if (pendingActionCount() == 0) {
        m_retransmitTimer.stop();
        return;
    }
    if (m_kind != MeetwiseServer)
        return;
    const QList<QVariantMap> actions = pendingActionList();
    QSet<unsigned> waitingForInsert;
    for (const QVariantMap &action : actions) {
        if (action.value(QStringLiteral("table_name")).toString() == Results &&
            action.value(QStringLiteral("action")).toInt() != PendingAction::Delete)
            waitingForInsert.insert(action.value(QStringLiteral("local_id")).toUInt());
    }
    for (const QVariantMap &action : actions) {
        const QString table = action.value(QStringLiteral("table_name")).toString();
        const unsigned localId = action.value(QStringLiteral("local_id")).toUInt();
        // One request per action at a time: a slow or silent server must not
        // collect a pile of copies.
        if (inFlight(table, localId))
            continue;
        const int kind = action.value(QStringLiteral("action")).toInt();
        const unsigned remoteId = action.value(QStringLiteral("remote_id")).toUInt();
        if (table == Participations) {
            track(m_rest.updateParticipationOrder(remoteId, action.value(QStringLiteral("initial_order")).toUInt(),
                                                  localId),
                  table, localId);
            continue;
        }
        if (kind == PendingAction::Delete) {
            if (remoteId == 0) {
                // Its insert goes first (it is earlier in the queue); once no
                // insert is left, the server never had it.
                if (!waitingForInsert.contains(localId)) {
                    forgetResultRow(localId);
                    emitCount();
                }
                continue;
            }
            track(m_rest.deleteResult(remoteId, localId), table, localId);
            continue;
        }
        Result result;
        result.id = localId;
        result.result_id = remoteId;
        result.seqno = action.value(QStringLiteral("seqno")).toUInt();
        result.value = action.value(QStringLiteral("value")).toDouble();
        result.wind = action.value(QStringLiteral("wind")).toDouble();
        result.metavalue = action.value(QStringLiteral("metavalue")).toDouble();
        result.type = action.value(QStringLiteral("type")).toString();
        result.setInfo(action.value(QStringLiteral("info")).toString());
        result.time_performed =
            QTime::fromString(action.value(QStringLiteral("time_performed")).toString(), QStringLiteral("hh:mm:ss"));
        const unsigned participationId = action.value(QStringLiteral("participation_id")).toUInt();
        // An update of a result the server has not confirmed is its insert.
        if (kind == PendingAction::Insert || remoteId == 0)
            track(m_rest.newResult(participationId, result, localId, false), table, localId);
        else
            track(m_rest.updateResult(remoteId, result, localId), table, localId);
    }
}

// ---- Answers of the server -------------------------------------------------------

void DatabaseConnection::eventsReceived(const QList<QVariantMap> &heatEvents, unsigned competitionId)
{
    Q_UNUSED(competitionId)
    // The heats the store holds stay marked as held, so that they are listed
    // and open from the store after a start without the server. A heat with
    // changes the server has not confirmed stays in the schedule even when
    // the server no longer lists it: the judge must be able to open it.
    QList<QVariantMap> schedule = heatEvents;
    m_store->beginTransaction();
    const QSet<unsigned> unposted = m_store->heatsWithUnpostedChanges();
    for (const QVariantMap &held : m_store->loadCachedHeatEvents()) {
        const unsigned heatId = held.value(QStringLiteral("id")).toUInt();
        const bool listed = std::any_of(heatEvents.cbegin(), heatEvents.cend(), [heatId](const QVariantMap &event) {
            return event.value(QStringLiteral("id")).toUInt() == heatId;
        });
        if (!listed && unposted.contains(heatId)) {
            qCDebug(lcSync) << "Heat" << heatId << "is not in the schedule but has unposted changes: kept";
            schedule.append(held);
        }
    }
    m_store->storeHeatEvents(schedule);
    m_store->markCachedHeat(0);
    m_store->endTransaction();
    const QList<DatabaseSynchronizationInterface *> listeners = m_scheduleListeners;
    m_scheduleListeners.clear();
    for (DatabaseSynchronizationInterface *listener : listeners) {
        if (DatabaseSynchronizationInterface::isAlive(listener))
            listener->heatEventsReceived(schedule);
    }
}

void DatabaseConnection::disqualificationRulesReceived(const QList<QVariantMap> &rules)
{
    const QList<DatabaseSynchronizationInterface *> listeners = m_rulesListeners;
    m_rulesListeners.clear();
    for (DatabaseSynchronizationInterface *listener : listeners) {
        if (DatabaseSynchronizationInterface::isAlive(listener))
            listener->disqualificationRulesReceived(rules);
    }
}

void DatabaseConnection::heatResultsReceived(const QList<Participation *> &participations, unsigned heatId)
{
    const QVariantMap eventData = m_heatRequests.take(heatId);
    const QList<DatabaseSynchronizationInterface *> listeners = m_heatListeners.take(heatId);
    // A late answer for a heat that is no longer open must not replace the
    // one the judge is working on.
    if (eventData.isEmpty() || m_heatEventData.value(QStringLiteral("event.id")).toUInt() != heatId) {
        qCDebug(lcSync) << "Ignoring the participations of heat" << heatId << "that is not open";
        qDeleteAll(participations);
        return;
    }
    clearHeat();
    const unsigned eventId = eventData.value(QStringLiteral("event.eventID")).toUInt();
    const unsigned roundId = eventData.value(QStringLiteral("event.roundID")).toUInt();
    const QChar fieldType = Participation::typeCharacter(eventData.value(QStringLiteral("event.fieldType")).toString());
    const QChar windMode = Participation::typeCharacter(eventData.value(QStringLiteral("event.windMode")).toString());
    for (Participation *p : participations) {
        p->setParent(this);
        p->store = m_store;
        p->event_id = eventId;
        p->round_id = roundId;
        p->heat_id = heatId;
        p->field_type = fieldType;
        p->windmode = windMode;
        for (Result *r : p->results())
            r->store = m_store;
        if (p->hasJumpOffResults())
            p->in_jumpoff = true;
    }
    m_participations = participations;
    m_store->beginTransaction();
    // Results entered here that the server has not confirmed stay in the
    // store; they belong in the heat as the judge left it.
    QList<Result *> unsent;
    const QSet<unsigned> removedHere = m_store->resultsPendingDeletion();
    QSet<unsigned> seen = removedHere;
    for (const PendingAction &action : m_store->pendingActions()) {
        if (action.table_name != Results || action.action == PendingAction::Delete || seen.contains(action.local_id))
            continue;
        seen.insert(action.local_id);
        if (Result *result = m_store->loadResult(action.local_id)) {
            if (participationByServerId(
                    m_store->resultRow(action.local_id).value(QStringLiteral("participation")).toUInt()))
                unsent.append(result);
            else
                delete result;
        }
    }
    // Results the server confirmed after it made this answer (the answer
    // took longer than their confirmations): the answer has them as they
    // were before, or not at all. No action is queued for them any more.
    QList<Result *> confirmedMeanwhile;
    for (const unsigned localId : std::exchange(m_resultsConfirmedWhileLoading, {})) {
        if (seen.contains(localId))
            continue;
        Result *result = m_store->loadResult(localId);
        if (result && result->result_id != 0 &&
            participationByServerId(m_store->resultRow(localId).value(QStringLiteral("participation")).toUInt()))
            confirmedMeanwhile.append(result);
        else
            delete result;
    }
    // Results the judge removed whose removal the server has not confirmed
    // yet, or confirmed after it made this answer: the server's copy is not
    // shown again.
    QSet<unsigned> removedOnServer = std::exchange(m_resultsRemovedWhileLoading, {});
    for (const unsigned localId : removedHere) {
        if (Result *removed = m_store->loadResult(localId)) {
            if (removed->result_id != 0)
                removedOnServer.insert(removed->result_id);
            delete removed;
        }
    }
    if (!removedOnServer.isEmpty()) {
        for (Participation *p : std::as_const(m_participations)) {
            const QList<Result *> results = p->results();
            for (Result *server : results) {
                if (removedOnServer.contains(server->result_id)) {
                    p->takeResult(server);
                    delete server;
                }
            }
        }
    }
    const auto sameAttempt = [fieldType](const Result *server, const Result *local) {
        return server->seqno == local->seqno && server->isJumpOff() == local->isJumpOff() &&
               server->jumpOffNumber() == local->jumpOffNumber() &&
               (fieldType != QLatin1Char('V') || Participation::sameHeight(server->metavalue, local->metavalue));
    };
    // A result confirmed meanwhile takes the place of the server's copy, as
    // the server holds it now; it is stored anew with the heat below.
    for (Result *local : std::as_const(confirmedMeanwhile)) {
        Participation *p =
            participationByServerId(m_store->resultRow(local->id).value(QStringLiteral("participation")).toUInt());
        const QList<Result *> results = p->results();
        for (Result *server : results) {
            if (server->result_id == local->result_id || sameAttempt(server, local)) {
                p->takeResult(server);
                delete server;
            }
        }
        local->store = m_store;
        local->isNew = false;
        p->addResult(local);
    }
    QList<QPair<Result *, unsigned>> overlaps;
    for (Result *local : std::as_const(unsent)) {
        Participation *p =
            participationByServerId(m_store->resultRow(local->id).value(QStringLiteral("participation")).toUInt());
        for (Result *server : p->results()) {
            if (sameAttempt(server, local)) {
                // The server has a result for this attempt already (perhaps
                // this very one, its answer lost): the local entry becomes an
                // update of it rather than a second result.
                overlaps.append({local, server->result_id});
                p->takeResult(server);
                delete server;
                break;
            }
        }
    }
    // What the judge set here and the server's answer does not carry: lane
    // changes still queued or confirmed after the answer was made, and who
    // is out of the competition. They carry over to the fresh records, and
    // the queued changes to their new rows.
    QHash<unsigned, unsigned> queuedOrders;
    QHash<unsigned, unsigned> confirmedOrders;
    QList<unsigned> queuedLocalIds;
    const auto readOrder = [this](unsigned localId, QHash<unsigned, unsigned> &orders) {
        const QVariantMap row = m_store->participationRow(localId);
        if (!row.isEmpty())
            orders.insert(row.value(QStringLiteral("participation_id")).toUInt(),
                          row.value(QStringLiteral("initial_order")).toUInt());
    };
    for (const PendingAction &action : m_store->pendingActions()) {
        if (action.table_name != Participations || queuedLocalIds.contains(action.local_id))
            continue;
        queuedLocalIds.append(action.local_id);
        readOrder(action.local_id, queuedOrders);
    }
    for (const unsigned localId : std::exchange(m_ordersConfirmedWhileLoading, {})) {
        if (!queuedLocalIds.contains(localId))
            readOrder(localId, confirmedOrders);
    }
    for (Participation *p : std::as_const(m_participations)) {
        const QVariantMap row = m_store->participationRowByServerId(p->participation_id);
        if (row.value(QStringLiteral("out_of_competition")).toInt() != 0)
            p->out_of_competition = true;
        if (row.value(QStringLiteral("in_jumpoff")).toInt() != 0)
            p->in_jumpoff = true;
        // The start order the judge re-sorted for the final attempts; the
        // server only knows the draw.
        const unsigned workingOrder = row.value(QStringLiteral("working_order")).toUInt();
        if (fieldType == QLatin1Char('H') && workingOrder != 0 &&
            workingOrder != row.value(QStringLiteral("initial_order")).toUInt())
            p->working_order = p->working_order_loaded = workingOrder;
        const auto order = queuedOrders.constFind(p->participation_id);
        if (order != queuedOrders.constEnd()) {
            p->initial_order = order.value();
            p->working_order = order.value();
        } else if (confirmedOrders.contains(p->participation_id)) {
            p->initial_order = p->working_order = confirmedOrders.value(p->participation_id);
        }
    }
    m_store->replaceCachedHeat(m_participations);
    for (const unsigned oldId : std::as_const(queuedLocalIds))
        m_store->removePendingActionsUpTo(Participations, oldId, UINT_MAX);
    for (Participation *p : std::as_const(m_participations)) {
        if (queuedOrders.contains(p->participation_id))
            m_store->appendPendingAction(Participations, PendingAction::Update, p->id);
    }
    for (Result *local : std::as_const(unsent)) {
        Participation *p =
            participationByServerId(m_store->resultRow(local->id).value(QStringLiteral("participation")).toUInt());
        local->store = m_store;
        p->addResult(local);
    }
    for (const auto &overlap : std::as_const(overlaps)) {
        Result *local = overlap.first;
        if (local->result_id == 0 && overlap.second != 0) {
            local->result_id = overlap.second;
            m_store->updateConfirmedResult(local->participation->participation_id, local);
            m_store->removePendingActionsUpTo(Results, local->id, UINT_MAX, PendingAction::Insert);
            m_store->appendPendingAction(Results, PendingAction::Update, local->id);
        }
    }
    for (Participation *p : std::as_const(m_participations)) {
        // The server flags the best of the results it holds. Results entered
        // here that it does not hold yet (their posts still on the way, or
        // never arrived) can be better, so the best of a field event is
        // chosen again from all of them: the ranking goes by it.
        if (fieldType == QLatin1Char('H') || fieldType == QLatin1Char('V')) {
            p->updateBestResult();
        } else {
            p->bestResult();
            p->saveBestResult();
        }
        // Three failures in a row end a vertical event for the athlete,
        // whichever device entered them.
        if (fieldType == QLatin1Char('V') && !p->in_jumpoff && !p->out_of_competition && p->consecutiveFailures() > 2) {
            p->out_of_competition = true;
            p->save();
        }
    }
    m_store->markCachedHeat(heatId);
    m_store->endTransaction();
    deliverHeat(heatId, listeners);
}

void DatabaseConnection::reportConfirmedResult(const Participation *participation, unsigned resultServerId)
{
    if (m_kind != MeetwiseServer)
        return;
    m_rest.postWhatIsHappening(QStringLiteral("field participation update"), QStringLiteral("%1;%2;%3;%4;%5")
                                                                                 .arg(participation->participation_id)
                                                                                 .arg(resultServerId)
                                                                                 .arg(participation->event_id)
                                                                                 .arg(participation->round_id)
                                                                                 .arg(participation->heat_id));
}

void DatabaseConnection::resultInserted(const QVariantMap &reply)
{
    const unsigned serverId = confirmedId(reply, QStringLiteral("id"));
    const unsigned unique = confirmedId(reply, QStringLiteral("unique"));
    // Without the server's id for it the result is not known there: it
    // stays queued and goes out again.
    if (serverId != 0 && unique != 0) {
        Participation *owner = nullptr;
        Result *result = findResult(unique, &owner);
        // The server id is stored before the pending action goes, in one
        // transaction: a crash in between must not lose the confirmation.
        m_store->beginTransaction();
        if (result) {
            result->result_id = serverId;
            m_store->updateConfirmedResult(owner->participation_id, result);
        } else {
            storeServerIdOfRow(unique, serverId);
        }
        // Only the insert is confirmed: a correction queued meanwhile may not
        // be what the server kept (it may have kept an earlier copy of the
        // insert), so it goes out as an update of its own.
        m_store->removePendingActionsUpTo(Results, unique, confirmedUpTo(Results, unique), PendingAction::Insert);
        const bool deletedHere = !result && m_store->resultRow(unique).isEmpty();
        m_store->endTransaction();
        if (deletedHere)
            noteWhileLoading(m_resultsRemovedWhileLoading, serverId);
        else
            noteWhileLoading(m_resultsConfirmedWhileLoading, unique);
        if (deletedHere && serverId != 0 && m_kind == MeetwiseServer) {
            // Deleted here while its insert was on the way: the server must
            // not keep it.
            qCDebug(lcSync) << "Result" << unique << "was deleted before the server confirmed it";
            m_rest.deleteResult(serverId, unique);
        }
        if (result && owner)
            reportConfirmedResult(owner, serverId);
    }
    emitCount();
}

void DatabaseConnection::resultUpdated(const QVariantMap &reply)
{
    const unsigned serverId = confirmedId(reply, QStringLiteral("id"));
    const unsigned unique = confirmedId(reply, QStringLiteral("unique"));
    if (serverId == 0 || unique == 0) {
        emitCount();
        return;
    }
    m_store->beginTransaction();
    Participation *owner = nullptr;
    Result *result = findResult(unique, &owner);
    if (result && result->result_id == 0) {
        result->result_id = serverId;
        m_store->updateConfirmedResult(owner->participation_id, result);
    } else if (!result) {
        storeServerIdOfRow(unique, serverId);
    }
    m_store->removePendingActionsUpTo(Results, unique, confirmedUpTo(Results, unique));
    m_store->endTransaction();
    noteWhileLoading(m_resultsConfirmedWhileLoading, unique);
    if (result && owner)
        reportConfirmedResult(owner, serverId);
    emitCount();
}

// A result that is not in the open heat (the judge moved on to another heat,
// or removed it while its insert was on the way) still gets its server id in
// the store, so what remains queued for it goes out as an update or removal
// of that result instead of as a new one.
void DatabaseConnection::storeServerIdOfRow(unsigned localId, unsigned serverId)
{
    if (serverId == 0)
        return;
    Result *row = m_store->loadResult(localId);
    if (!row)
        return;
    if (row->result_id == 0) {
        row->result_id = serverId;
        // The row keeps its own athlete, whatever the answer names.
        m_store->updateConfirmedResult(m_store->resultRow(localId).value(QStringLiteral("participation")).toUInt(),
                                       row);
    }
    delete row;
}

unsigned DatabaseConnection::confirmedId(const QVariantMap &reply, const QString &key)
{
    // A whole positive number; an id of 0, below 0, broken or given as
    // text names nothing the server holds.
    const QVariant value = reply.value(key);
    if (value.typeId() != QMetaType::Double && value.typeId() != QMetaType::Int && value.typeId() != QMetaType::UInt &&
        value.typeId() != QMetaType::LongLong && value.typeId() != QMetaType::ULongLong)
        return 0;
    const double number = value.toDouble();
    if (number < 1 || number > double(UINT_MAX) || number != double(qint64(number)))
        return 0;
    return unsigned(number);
}

void DatabaseConnection::resultDeleted(const QVariantMap &reply)
{
    const unsigned unique = confirmedId(reply, QStringLiteral("unique"));
    if (unique != 0) {
        noteWhileLoading(m_resultsRemovedWhileLoading,
                         m_store->resultRow(unique).value(QStringLiteral("result_id")).toUInt());
        forgetResultRow(unique);
    }
    emitCount();
}

void DatabaseConnection::participationUpdated(const QVariantMap &reply)
{
    const unsigned unique = confirmedId(reply, QStringLiteral("unique"));
    const int initialOrder = reply.value(QStringLiteral("initialorder"), -1).toInt();
    const int currentOrder = reply.value(QStringLiteral("currentorder"), -1).toInt();
    if (unique != 0 && (initialOrder != -1 || currentOrder != -1)) {
        m_store->removePendingActionsUpTo(Participations, unique, confirmedUpTo(Participations, unique));
        noteWhileLoading(m_ordersConfirmedWhileLoading, unique);
    }
    emitCount();
}
