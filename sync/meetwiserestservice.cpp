#include "sync/meetwiserestservice.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSet>
#include <QTimer>
#include <QUrl>

#include <cmath>
#include <functional>
#include <limits>

#include "records/participant.h"
#include "records/participation.h"
#include "records/result.h"
#include "sync/meetwisecipher.h"
#include "sync/meetwiseinterface.h"
#include "sync/synclogging.h"

namespace {

const QByteArray FormContentType = QByteArrayLiteral("application/x-www-form-urlencoded");
const QByteArray JsonContentType = QByteArrayLiteral("application/json");

// Builds an application/x-www-form-urlencoded body piece by piece, in the
// order the pieces are added; repeated names stay repeated.
class FormBody
{
public:
    FormBody &add(const char *name, const QString &value)
    {
        m_body += name;
        m_body += '=';
        // A reason such as "lane & line" must not end the field or start another.
        m_body += QUrl::toPercentEncoding(value);
        m_body += '&';
        return *this;
    }
    FormBody &add(const char *name, unsigned value) { return add(name, QString::number(value)); }
    FormBody &add(const char *name, double value) { return add(name, MeetwiseRESTService::numberText(value)); }
    FormBody &add(const char *name, bool value) { return add(name, QString::number(value ? 1 : 0)); }

    QByteArray finish()
    {
        m_body += "format=json";
        return m_body;
    }

private:
    QByteArray m_body;
};

void addResultFields(FormBody &body, const Result &result)
{
    body.add("seqno", result.seqno)
        .add("value", result.value)
        .add("wind", result.wind)
        .add("metavalue", result.metavalue)
        .add("type", result.type)
        .add("info", result.info())
        .add("timeperformed", result.time_performed.toString(QStringLiteral("hh:mm:ss")));
}

QString categoryText(const QVariantList &categories)
{
    QStringList parts;
    for (const QVariant &category : categories) {
        const QVariantMap map = category.toMap();
        const QString abbreviation = map.value(QStringLiteral("abbreviation")).toString();
        parts.append(abbreviation.isEmpty() ? map.value(QStringLiteral("name")).toString() : abbreviation);
    }
    parts.removeAll(QString());
    return parts.join(QLatin1Char(','));
}

// The event type comes as a map with its id, or as the bare id.
int eventTypeId(const QVariantMap &event)
{
    const QVariant type = event.value(QStringLiteral("eventtype"));
    if (type.typeId() == QMetaType::QVariantMap) {
        const QVariant id = type.toMap().value(QStringLiteral("id"));
        return id.isValid() ? id.toInt() : -1;
    }
    bool ok = false;
    const int id = type.toInt(&ok);
    return ok ? id : -1;
}

// A JSON number that is a whole number from 1 up to the largest id.
bool isPositiveId(const QJsonValue &value, unsigned *id = nullptr)
{
    if (!value.isDouble())
        return false;
    const double number = value.toDouble();
    if (number < 1 || number > std::numeric_limits<unsigned>::max() || number != double(qint64(number)))
        return false;
    if (id)
        *id = unsigned(number);
    return true;
}

// Absent or null, or of the kind given.
bool isOptional(const QJsonValue &value, QJsonValue::Type type)
{
    return value.isUndefined() || value.isNull() || value.type() == type;
}

bool isArrayOfObjects(const QJsonValue &value, const std::function<bool(const QJsonObject &)> &check)
{
    if (!value.isArray())
        return false;
    for (const QJsonValue &item : value.toArray()) {
        if (!item.isObject() || !check(item.toObject()))
            return false;
    }
    return true;
}

// A number of the reply. JSON numbers are always finite, but a number sent
// as text may read as "nan" or "inf", which no mark or height can be (a
// height that is not a number never equals itself and would keep the
// ranking from ending): such a value counts as none.
double finiteNumber(const QVariant &value)
{
    const double parsed = value.toDouble();
    return std::isfinite(parsed) ? parsed : 0.0;
}

QList<QVariantMap> mapList(const QVariantList &list)
{
    QList<QVariantMap> maps;
    maps.reserve(list.size());
    for (const QVariant &item : list)
        maps.append(item.toMap());
    return maps;
}

} // namespace

MeetwiseRESTService::MeetwiseRESTService(QObject *parent)
    : QObject(parent)
    , m_machineId(MeetwiseCipher::machineId())
{
    connect(&m_network, &QNetworkAccessManager::finished, this, &MeetwiseRESTService::processNetworkReply);
    connect(&m_statusNetwork, &QNetworkAccessManager::finished, this, &MeetwiseRESTService::processNetworkReply);
}

MeetwiseRESTService::~MeetwiseRESTService()
{
    // Replies torn down with the manager must not reach a listener that may
    // already be gone.
    m_listener = nullptr;
    disconnect(&m_network, nullptr, this, nullptr);
    disconnect(&m_statusNetwork, nullptr, this, nullptr);
}

void MeetwiseRESTService::setHost(const QString &host)
{
    if (host != m_host)
        forgetBuiltSessionId();
    m_host = host;
}

void MeetwiseRESTService::setUser(const QString &user)
{
    if (user != m_user)
        forgetBuiltSessionId();
    m_user = user;
}

void MeetwiseRESTService::setPassword(const QString &password)
{
    if (password != m_password)
        forgetBuiltSessionId();
    m_password = password;
}

void MeetwiseRESTService::setSessionId(const QString &sessionId)
{
    m_sessionId = sessionId;
    m_sessionIdConfigured = !sessionId.isEmpty();
}

void MeetwiseRESTService::setMachineId(const QString &machineId)
{
    if (machineId != m_machineId)
        forgetBuiltSessionId();
    m_machineId = machineId;
}

// A value that the service built belongs to the host, user and password it
// was built for; a configured one is kept as it came.
void MeetwiseRESTService::forgetBuiltSessionId()
{
    if (!m_sessionIdConfigured)
        m_sessionId.clear();
}

QString MeetwiseRESTService::sessionId()
{
    if (m_sessionId.isEmpty() && !m_user.isEmpty()) {
        const quint64 key = MeetwiseCipher::keyFromMachineId(m_machineId);
        m_sessionId = QStringLiteral("SID:MW:%1:%2:%3:%4")
                          .arg(m_host, m_user, MeetwiseCipher::encipher(m_password, key), m_machineId);
    }
    return m_sessionId;
}

QByteArray MeetwiseRESTService::sessionHeader()
{
    // Not a null array: an empty header must still be sent, not left out.
    QByteArray header("");
    header += sessionId().toLatin1();
    return header;
}

QList<unsigned> MeetwiseRESTService::sessionsFromText(const QString &text)
{
    QList<unsigned> sessions;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const unsigned id = part.trimmed().toUInt(&ok);
        if (ok)
            sessions.append(id);
    }
    return sessions;
}

QList<QDate> MeetwiseRESTService::datesFromText(const QString &text)
{
    QList<QDate> dates;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QDate date = QDate::fromString(part.trimmed(), QStringLiteral("yyyyMMdd"));
        if (date.isValid())
            dates.append(date);
    }
    return dates;
}

QNetworkRequest MeetwiseRESTService::makeRequest(const QString &pathAndQuery, const QByteArray &contentType)
{
    QNetworkRequest request(QUrl(QStringLiteral("http://%1:%2/%3").arg(m_host).arg(m_port).arg(pathAndQuery)));
    if (!contentType.isEmpty())
        request.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
    request.setRawHeader(QByteArrayLiteral("Session-Id"), sessionHeader());
    return request;
}

QNetworkReply *MeetwiseRESTService::watch(QNetworkReply *reply, qint64 cap)
{
    // Neither a server gone wrong nor a link that delivers rubbish may fill
    // the memory: an answer larger than any real one is not read on. The
    // read buffer keeps the network from reading far ahead of the check; it
    // holds more than the cap, or reading would stall just below it and the
    // answer only end at its time-out.
    reply->setReadBufferSize(cap + cap / 2 + 64 * 1024);
    const auto cutOff = [reply, cap](qint64 announced) {
        if ((reply->bytesAvailable() > cap || announced > cap) && reply->isRunning()) {
            qCDebug(lcSync) << "Answer to" << reply->url().path() << "is larger than" << cap << "bytes, cut off";
            reply->abort();
        }
    };
    // The announced length tells before the first byte of the body; what
    // has come (nothing is read before the end) tells on every piece.
    connect(reply, &QNetworkReply::metaDataChanged, reply,
            [reply, cutOff] { cutOff(reply->header(QNetworkRequest::ContentLengthHeader).toLongLong()); });
    connect(reply, &QNetworkReply::readyRead, reply, [cutOff] { cutOff(0); });
    if (m_transferTimeout > 0) {
        // Qt's own transfer time-out starts again with every byte that
        // arrives: an answer trickling in would hold the request, and the
        // connection it uses, for minutes.
        auto *deadline = new QTimer(reply);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, reply, [reply, ms = m_transferTimeout] {
            if (!reply->isRunning())
                return;
            qCDebug(lcSync) << "Request" << reply->url().path() << "not done after" << ms << "ms, aborted";
            reply->abort();
        });
        deadline->start(m_transferTimeout);
    }
    return reply;
}

QNetworkReply *MeetwiseRESTService::get(const QString &pathAndQuery, const QByteArray &contentType)
{
    if (m_host.isEmpty()) {
        qCDebug(lcSync) << "No server set, not requesting" << pathAndQuery;
        return nullptr;
    }
    return watch(m_network.get(makeRequest(pathAndQuery, contentType)), DataAnswerCap);
}

QNetworkReply *MeetwiseRESTService::postForm(const QString &path, const QByteArray &body, const SentChange &sent)
{
    if (m_host.isEmpty()) {
        qCDebug(lcSync) << "No server set, not posting" << path;
        return nullptr;
    }
    QNetworkReply *reply = m_network.post(makeRequest(path, FormContentType), body);
    m_sent.insert(reply, sent);
    return watch(reply, ConfirmationAnswerCap);
}

QNetworkReply *MeetwiseRESTService::requestCompetitions()
{
    return get(QStringLiteral("competitions?format=json"), JsonContentType);
}

QNetworkReply *MeetwiseRESTService::requestDisqualificationRules(const QString &language)
{
    return get(QStringLiteral("disqualificationrules?language=%1&format=json")
                   .arg(QString::fromLatin1(QUrl::toPercentEncoding(language))),
               QByteArray());
}

QNetworkReply *MeetwiseRESTService::requestEvents()
{
    return get(QStringLiteral("events/%1?format=json").arg(m_competition), JsonContentType);
}

QNetworkReply *MeetwiseRESTService::requestHeatResults(unsigned heatId)
{
    return get(QStringLiteral("results/%1?format=json").arg(heatId), JsonContentType);
}

QNetworkReply *MeetwiseRESTService::requestParticipations(unsigned heatId)
{
    return get(QStringLiteral("participations/%1?format=json").arg(heatId), JsonContentType);
}

QNetworkReply *MeetwiseRESTService::updateParticipationOrder(unsigned serverId, unsigned order, unsigned unique)
{
    return postForm(QStringLiteral("update_participation"), participationOrderBody(serverId, order, unique),
                    {serverId, 0, unique});
}

QNetworkReply *MeetwiseRESTService::updateParticipationStartHeight(unsigned serverId, double height, unsigned unique)
{
    return postForm(QStringLiteral("update_participation"), participationStartHeightBody(serverId, height, unique),
                    {serverId, 0, unique});
}

QNetworkReply *MeetwiseRESTService::updateParticipationStatus(unsigned serverId, bool outOfCompetitionCombinedEvent,
                                                              bool abandoned, unsigned unique)
{
    return postForm(QStringLiteral("update_participation"),
                    participationStatusBody(serverId, outOfCompetitionCombinedEvent, abandoned, unique),
                    {serverId, 0, unique});
}

QNetworkReply *MeetwiseRESTService::newResult(unsigned participationServerId, const Result &result, unsigned unique,
                                              bool live)
{
    return postForm(QStringLiteral("new_result"), newResultBody(participationServerId, result, unique, live),
                    {0, participationServerId, unique});
}

QNetworkReply *MeetwiseRESTService::updateResult(unsigned serverId, const Result &result, unsigned unique)
{
    return postForm(QStringLiteral("update_result"), updateResultBody(serverId, result, unique), {serverId, 0, unique});
}

QNetworkReply *MeetwiseRESTService::deleteResult(unsigned serverId, unsigned unique)
{
    return postForm(QStringLiteral("delete_result"), deleteResultBody(serverId, unique), {serverId, 0, unique});
}

QNetworkReply *MeetwiseRESTService::postWhatIsHappening(const QString &type, const QString &data)
{
    if (m_host.isEmpty()) {
        qCDebug(lcSync) << "No server set, not posting new_whatishappening";
        return nullptr;
    }
    return watch(m_statusNetwork.post(makeRequest(QStringLiteral("new_whatishappening"), JsonContentType),
                                      whatIsHappeningBody(type, data)),
                 ConfirmationAnswerCap);
}

QString MeetwiseRESTService::numberText(double value)
{
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

QByteArray MeetwiseRESTService::participationOrderBody(unsigned serverId, unsigned order, unsigned unique)
{
    return FormBody().add("id", serverId).add("initialorder", order).add("unique", unique).finish();
}

QByteArray MeetwiseRESTService::participationStartHeightBody(unsigned serverId, double height, unsigned unique)
{
    return FormBody().add("id", serverId).add("startheight", height).add("unique", unique).finish();
}

QByteArray MeetwiseRESTService::participationStatusBody(unsigned serverId, bool outOfCompetitionCombinedEvent,
                                                        bool abandoned, unsigned unique)
{
    return FormBody()
        .add("id", serverId)
        .add("outofcompetition_combinedevent", outOfCompetitionCombinedEvent)
        .add("abandoned", abandoned)
        .add("unique", unique)
        .finish();
}

QByteArray MeetwiseRESTService::newResultBody(unsigned participationServerId, const Result &result, unsigned unique,
                                              bool live)
{
    FormBody body;
    body.add("participation", participationServerId);
    addResultFields(body, result);
    // A judge's live entry repeats info after the time; servers read either
    // place. The body rebuilt from the queue has it once.
    if (live)
        body.add("info", result.info());
    return body.add("unique", unique).finish();
}

QByteArray MeetwiseRESTService::updateResultBody(unsigned serverId, const Result &result, unsigned unique)
{
    FormBody body;
    body.add("id", serverId);
    addResultFields(body, result);
    return body.add("unique", unique).finish();
}

QByteArray MeetwiseRESTService::deleteResultBody(unsigned serverId, unsigned unique)
{
    return FormBody().add("id", serverId).add("unique", unique).finish();
}

QByteArray MeetwiseRESTService::whatIsHappeningBody(const QString &type, const QString &data)
{
    QJsonObject message;
    message.insert(QStringLiteral("type"), type);
    message.insert(QStringLiteral("data"), data);
    message.insert(QStringLiteral("format"), QStringLiteral("json"));
    return QJsonDocument(message).toJson(QJsonDocument::Compact);
}

void MeetwiseRESTService::processNetworkReply(QNetworkReply *reply)
{
    if (!reply)
        return;
    const auto sent = m_sent.constFind(reply);
    const bool isChange = sent != m_sent.constEnd();
    const SentChange change = isChange ? sent.value() : SentChange();
    if (isChange)
        m_sent.erase(sent);
    // Time-outs and answers cut off end as OperationCanceledError and a
    // connection closed without an answer as RemoteHostClosedError: all mean
    // "unknown", so nothing is handed on and whoever posted it posts it
    // again.
    if (reply->error() == QNetworkReply::NoError)
        handleReplyBody(reply->url().path(), reply->readAll(), isChange ? &change : nullptr);
    else
        qCDebug(lcSync) << "Request" << reply->url().path() << "failed:" << reply->errorString();
    emit requestFinished(reply);
    reply->deleteLater();
}

void MeetwiseRESTService::processReplyBody(const QString &path, const QByteArray &body)
{
    handleReplyBody(path, body, nullptr);
}

bool MeetwiseRESTService::confirms(const QJsonObject &answer, const SentChange *sent)
{
    unsigned id = 0;
    unsigned unique = 0;
    if (!isPositiveId(answer.value(QStringLiteral("id")), &id) ||
        !isPositiveId(answer.value(QStringLiteral("unique")), &unique))
        return false;
    if (!sent)
        return true;
    if (unique != sent->unique || (sent->id != 0 && id != sent->id))
        return false;
    const QJsonValue participation = answer.value(QStringLiteral("participation"));
    if (sent->participation == 0 || participation.isUndefined() || participation.isNull())
        return true;
    unsigned participationId = 0;
    return isPositiveId(participation, &participationId) && participationId == sent->participation;
}

bool MeetwiseRESTService::isHeatEventsShape(const QJsonValue &events)
{
    const auto heat = [](const QJsonObject &object) {
        // Heats without an id (0) are left out; any other id is a number.
        const QJsonValue id = object.value(QStringLiteral("id"));
        return id.isDouble() && (id.toDouble() == 0 || isPositiveId(id));
    };
    const auto round = [&heat](const QJsonObject &object) {
        const QJsonValue heats = object.value(QStringLiteral("heats"));
        return heats.isUndefined() || isArrayOfObjects(heats, heat);
    };
    const auto event = [&round](const QJsonObject &object) {
        const QJsonValue rounds = object.value(QStringLiteral("rounds"));
        const QJsonValue type = object.value(QStringLiteral("eventtype"));
        return (rounds.isUndefined() || isArrayOfObjects(rounds, round)) &&
               (isOptional(type, QJsonValue::Object) || type.isDouble()) &&
               isOptional(object.value(QStringLiteral("eventcategories")), QJsonValue::Array);
    };
    return isArrayOfObjects(events, event);
}

bool MeetwiseRESTService::isHeatResultsShape(const QJsonValue &participations)
{
    const auto result = [](const QJsonObject &object) { return isPositiveId(object.value(QStringLiteral("id"))); };
    const auto participation = [&result](const QJsonObject &object) {
        const QJsonValue results = object.value(QStringLiteral("results"));
        return isPositiveId(object.value(QStringLiteral("id"))) &&
               (results.isUndefined() || isArrayOfObjects(results, result)) &&
               isOptional(object.value(QStringLiteral("athlete")), QJsonValue::Object) &&
               isOptional(object.value(QStringLiteral("competitor")), QJsonValue::Object) &&
               isOptional(object.value(QStringLiteral("club")), QJsonValue::Object);
    };
    return isArrayOfObjects(participations, participation);
}

void MeetwiseRESTService::handleReplyBody(const QString &path, const QByteArray &body, const SentChange *sent)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (document.isNull() || !document.isArray() || document.array().isEmpty()) {
        qCDebug(lcSync) << "Reply to" << path << "dropped:" << (document.isNull() ? error.errorString() : "no data");
        return;
    }
    const QJsonObject firstObject = document.array().first().toObject();
    const QVariantMap first = firstObject.toVariantMap();
    const QStringList segments = path.split(QLatin1Char('/'));
    const QString last = segments.last();
    const QString beforeLast = segments.size() >= 2 ? segments.at(segments.size() - 2) : QString();
    // What is held here is replaced only by an answer of the right shape,
    // and a change counts as done only when the answer says it is.
    const auto dropped = [&path](const char *why) { qCDebug(lcSync) << "Reply to" << path << "dropped:" << why; };
    const auto confirmation = [&](const QString &member) {
        const QJsonValue answer = firstObject.value(member);
        if (answer.isObject() && confirms(answer.toObject(), sent))
            return true;
        dropped("it does not confirm the change sent");
        return false;
    };

    if (path.contains(QLatin1String("competitions"))) {
        const QList<QVariantMap> competitions = mapList(first.value(QStringLiteral("competitions")).toList());
        if (m_listener)
            m_listener->competitionsReceived(competitions);
    } else if (path.contains(QLatin1String("disqualificationrules"))) {
        const QList<QVariantMap> rules =
            parseDisqualificationRules(first.value(QStringLiteral("disqualificationrules")).toList());
        if (m_listener)
            m_listener->disqualificationRulesReceived(rules);
    } else if (beforeLast == QLatin1String("events")) {
        if (!isHeatEventsShape(firstObject.value(QStringLiteral("events")))) {
            dropped("not a schedule");
            return;
        }
        const QList<QVariantMap> events =
            parseHeatEvents(first.value(QStringLiteral("events")).toList(), m_sessions, m_dates);
        if (m_listener)
            m_listener->eventsReceived(events, last.toUInt());
    } else if (beforeLast == QLatin1String("participations")) {
        const QList<QVariantMap> participations =
            parseTrackParticipations(first.value(QStringLiteral("participations")).toList());
        if (m_listener)
            m_listener->participationsReceived(participations, last.toUInt());
    } else if (beforeLast == QLatin1String("results")) {
        if (!isHeatResultsShape(firstObject.value(QStringLiteral("participations")))) {
            dropped("not the participations of a heat");
            return;
        }
        const unsigned heatId = last.toUInt();
        const QList<Participation *> participations =
            parseHeatResults(first.value(QStringLiteral("participations")).toList(), heatId);
        if (m_listener)
            m_listener->heatResultsReceived(participations, heatId);
        else
            qDeleteAll(participations);
    } else if (last == QLatin1String("update_participation")) {
        if (confirmation(QStringLiteral("participation")) && m_listener)
            m_listener->participationUpdated(first.value(QStringLiteral("participation")).toMap());
    } else if (last == QLatin1String("new_result")) {
        if (confirmation(QStringLiteral("result")) && m_listener)
            m_listener->resultInserted(first.value(QStringLiteral("result")).toMap());
    } else if (last == QLatin1String("update_result")) {
        if (confirmation(QStringLiteral("result")) && m_listener)
            m_listener->resultUpdated(first.value(QStringLiteral("result")).toMap());
    } else if (last == QLatin1String("delete_result")) {
        if (confirmation(QStringLiteral("result")) && m_listener)
            m_listener->resultDeleted(first.value(QStringLiteral("result")).toMap());
    }
}

QList<QVariantMap> MeetwiseRESTService::parseDisqualificationRules(const QVariantList &rules)
{
    QList<QVariantMap> parsed;
    for (const QVariant &item : rules) {
        const QVariantMap rule = item.toMap();
        parsed.append({{QStringLiteral("id"), rule.value(QStringLiteral("id")).toUInt()},
                       {QStringLiteral("type"), rule.value(QStringLiteral("type")).toUInt()},
                       {QStringLiteral("language"), rule.value(QStringLiteral("language")).toString()},
                       {QStringLiteral("rule"), rule.value(QStringLiteral("rule")).toString()}});
    }
    return parsed;
}

QList<QVariantMap> MeetwiseRESTService::parseHeatEvents(const QVariantList &events, const QList<unsigned> &sessions,
                                                        const QList<QDate> &dates)
{
    QList<QVariantMap> heatEvents;
    QSet<QString> namesGiven;
    const QString scheduledFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");
    const QString timeFormat = QStringLiteral("HHmmss");

    for (const QVariant &eventItem : events) {
        const QVariantMap event = eventItem.toMap();
        const QVariantMap eventType = event.value(QStringLiteral("eventtype")).toMap();
        const QString eventName = event.value(QStringLiteral("name")).toString();
        const QString eventAbbreviation = event.value(QStringLiteral("abbreviation")).toString();
        const QString categories = categoryText(event.value(QStringLiteral("eventcategories")).toList());
        const QString baseName = eventName.size() > 50 && !eventAbbreviation.isEmpty() ? eventAbbreviation : eventName;

        for (const QVariant &roundItem : event.value(QStringLiteral("rounds")).toList()) {
            const QVariantMap round = roundItem.toMap();
            const unsigned session = round.value(QStringLiteral("session")).toUInt();
            const QDateTime scheduled =
                QDateTime::fromString(round.value(QStringLiteral("scheduled")).toString(), scheduledFormat);
            if (!sessions.isEmpty() && !sessions.contains(session))
                continue;
            if (!dates.isEmpty() && !dates.contains(scheduled.date()))
                continue;
            const QString roundName = round.value(QStringLiteral("name")).toString();
            const QVariantList heats = round.value(QStringLiteral("heats")).toList();

            for (const QVariant &heatItem : heats) {
                const QVariantMap heat = heatItem.toMap();
                const unsigned heatId = heat.value(QStringLiteral("id")).toUInt();
                if (heatId == 0)
                    continue;
                const unsigned seqno = heat.value(QStringLiteral("seqno")).toUInt();

                QString name = baseName;
                if (categories != QLatin1String("*"))
                    name += QLatin1Char(' ') + (roundName.isEmpty() ? categories : roundName);
                if (heats.size() > 1)
                    name += QLatin1Char('-') + QString::number(seqno);
                if (namesGiven.contains(name.toLower()))
                    name += QLatin1Char('.') + QString::number(heatId);
                namesGiven.insert(name.toLower());

                QString displayName = name;
                if (!categories.isEmpty() && !name.contains(categories))
                    displayName += QLatin1Char('-') + categories;

                // A heat without its own time (or with 00:00:00) starts when its
                // round does.
                const QTime heatTime = QTime::fromString(heat.value(QStringLiteral("timescheduled")).toString(),
                                                         QStringLiteral("HH:mm:ss"));
                QString time;
                if (!heatTime.isValid() || heatTime.toString(timeFormat) == QLatin1String("000000"))
                    time = scheduled.toString(QStringLiteral("yyyyMMdd HHmmss"));
                else
                    time = scheduled.date().toString(QStringLiteral("yyyyMMdd")) + QLatin1Char(' ') +
                           heatTime.toString(timeFormat);

                QVariantMap map;
                map.insert(QStringLiteral("eventID"), event.value(QStringLiteral("id")).toUInt());
                map.insert(QStringLiteral("eventName"), eventName);
                map.insert(QStringLiteral("roundID"), round.value(QStringLiteral("id")).toUInt());
                map.insert(QStringLiteral("roundName"), roundName);
                map.insert(QStringLiteral("eventTypeID"), eventTypeId(event));
                map.insert(QStringLiteral("athletesQuantity"),
                           eventType.value(QStringLiteral("athletesquantity")).toInt());
                map.insert(QStringLiteral("combinedEventsQuantity"),
                           eventType.value(QStringLiteral("combinedeventsquantity")).toInt());
                map.insert(QStringLiteral("distance"), eventType.value(QStringLiteral("distance")).toInt());
                map.insert(QStringLiteral("fieldType"), eventType.value(QStringLiteral("fieldtype")).toString());
                map.insert(QStringLiteral("windMode"), eventType.value(QStringLiteral("windmode")).toString());
                map.insert(QStringLiteral("numberOfAttempts"), round.value(QStringLiteral("attempts")).toInt());
                map.insert(QStringLiteral("startHeight"), finiteNumber(round.value(QStringLiteral("startheight"))));
                map.insert(QStringLiteral("intervalHeight"),
                           finiteNumber(round.value(QStringLiteral("intervalheight"))));
                map.insert(QStringLiteral("seqno"), seqno);
                map.insert(QStringLiteral("id"), heatId);
                map.insert(QStringLiteral("name"), name);
                map.insert(QStringLiteral("displayname"), displayName);
                map.insert(QStringLiteral("time"), time);
                map.insert(QStringLiteral("windspeed"), event.value(QStringLiteral("windtime")).toInt());
                map.insert(QStringLiteral("status"), heat.value(QStringLiteral("status")).toUInt());
                map.insert(QStringLiteral("numberOfParticipants"),
                           heat.value(QStringLiteral("numberofparticipants")).toInt());
                map.insert(QStringLiteral("participantsCached"), 0);
                heatEvents.append(map);
            }
        }
    }
    return heatEvents;
}

QList<Participation *> MeetwiseRESTService::parseHeatResults(const QVariantList &participations, unsigned heatId)
{
    QList<Participation *> parsed;
    for (const QVariant &item : participations) {
        const QVariantMap map = item.toMap();
        auto *participation = new Participation;
        participation->participation_id = map.value(QStringLiteral("id")).toUInt();
        participation->heat_id = heatId;
        participation->category = map.value(QStringLiteral("category")).toString();
        participation->current_order = map.value(QStringLiteral("currentorder")).toUInt();
        participation->current_order_combined_event = map.value(QStringLiteral("currentorder_combinedevent")).toUInt();
        participation->initial_order = map.value(QStringLiteral("initialorder")).toUInt();
        participation->initial_order_loaded = participation->initial_order;
        // The server knows only the start order; a re-sort starts from it.
        participation->working_order = participation->initial_order;
        participation->working_order_loaded = participation->initial_order;
        participation->out_of_competition_combined_event =
            map.value(QStringLiteral("outofcompetition_combinedevent")).toBool();
        participation->startheight = finiteNumber(map.value(QStringLiteral("startheight")));
        participation->points = map.value(QStringLiteral("points")).toUInt();
        participation->qualified = map.value(QStringLiteral("qualified")).toBool();
        participation->abandon = map.value(QStringLiteral("abandoned")).toBool();
        participation->teamname = map.value(QStringLiteral("teamname")).toString();

        const QVariantMap athleteMap = map.value(QStringLiteral("athlete")).toMap();
        const QVariantMap competitorMap = map.value(QStringLiteral("competitor")).toMap();
        // The club comes beside the competitor or inside it.
        QVariantMap clubMap = map.value(QStringLiteral("club")).toMap();
        if (clubMap.isEmpty())
            clubMap = competitorMap.value(QStringLiteral("club")).toMap();

        auto *participant = new Participant;
        participant->seqno = map.value(QStringLiteral("seqno")).toUInt();
        Athlete *athlete = participant->athlete();
        athlete->id = athleteMap.value(QStringLiteral("id")).toInt();
        athlete->firstname = athleteMap.value(QStringLiteral("firstname")).toString();
        athlete->middlename = athleteMap.value(QStringLiteral("middlename")).toString();
        athlete->lastname = athleteMap.value(QStringLiteral("lastname")).toString();
        const QString birthdate = athleteMap.value(QStringLiteral("birthdate")).toString();
        athlete->birthdate = QDate::fromString(birthdate.isEmpty() ? QStringLiteral("2020-01-01") : birthdate,
                                               QStringLiteral("yyyy-MM-dd"));
        athlete->gender = athleteMap.value(QStringLiteral("gender")).toString();
        athlete->nationality = athleteMap.value(QStringLiteral("nationality")).toString();
        Competitor *competitor = participant->competitor();
        competitor->id = competitorMap.value(QStringLiteral("id")).toInt();
        competitor->bib = competitorMap.value(QStringLiteral("bib")).toString();
        competitor->displayname = competitorMap.value(QStringLiteral("displayname")).toString();
        Club *club = participant->club();
        club->id = clubMap.value(QStringLiteral("id")).toInt();
        club->name = clubMap.value(QStringLiteral("name")).toString();
        club->abbreviation = clubMap.value(QStringLiteral("abbreviation")).toString();
        participation->addParticipant(participant);

        for (const QVariant &resultItem : map.value(QStringLiteral("results")).toList()) {
            const QVariantMap resultMap = resultItem.toMap();
            auto *result = new Result;
            result->result_id = resultMap.value(QStringLiteral("id")).toUInt();
            result->seqno = resultMap.value(QStringLiteral("seqno")).toUInt();
            result->best_result = resultMap.value(QStringLiteral("bestresult")).toBool();
            result->best_valid_result = resultMap.value(QStringLiteral("bestvalidresult")).toBool();
            result->display = resultMap.value(QStringLiteral("display")).toString();
            result->setInfo(resultMap.value(QStringLiteral("info")).toString());
            result->metavalue = finiteNumber(resultMap.value(QStringLiteral("metavalue")));
            result->type = resultMap.value(QStringLiteral("type")).toString();
            result->value = finiteNumber(resultMap.value(QStringLiteral("value")));
            result->wind = finiteNumber(resultMap.value(QStringLiteral("wind")));
            result->time_performed = QTime::fromString(resultMap.value(QStringLiteral("timeperformed")).toString(),
                                                       QStringLiteral("hh:mm:ss"));
            participation->addResult(result);
        }
        participation->in_jumpoff = participation->hasJumpOffResults();
        parsed.append(participation);
    }
    return parsed;
}

QList<QVariantMap> MeetwiseRESTService::parseTrackParticipations(const QVariantList &participations)
{
    QList<QVariantMap> parsed;
    for (const QVariant &item : participations) {
        const QVariantMap map = item.toMap();
        const QVariantMap competitor = map.value(QStringLiteral("competitor")).toMap();
        const QVariantMap club = competitor.value(QStringLiteral("club")).toMap();
        const QVariantMap team = competitor.value(QStringLiteral("team")).toMap();
        const QString teamname = map.value(QStringLiteral("teamname")).toString();
        const QString displayName = competitor.value(QStringLiteral("displayname")).toString();
        const QString clubText = club.value(QStringLiteral("abbreviation")).toString().isEmpty()
                                     ? club.value(QStringLiteral("name")).toString()
                                     : club.value(QStringLiteral("abbreviation")).toString();
        const QString teamText = team.value(QStringLiteral("name")).toString().isEmpty()
                                     ? team.value(QStringLiteral("abbreviation")).toString()
                                     : team.value(QStringLiteral("name")).toString();
        // A relay is named after its team; an athlete after the competitor.
        parsed.append({{QStringLiteral("id"), map.value(QStringLiteral("id")).toUInt()},
                       {QStringLiteral("name"), teamname.isEmpty() ? displayName : teamname},
                       {QStringLiteral("displayname"), displayName.isEmpty() ? teamname : displayName},
                       {QStringLiteral("lane"), map.value(QStringLiteral("initialorder")).toUInt()},
                       {QStringLiteral("bib"), competitor.value(QStringLiteral("bib")).toString()},
                       {QStringLiteral("transponder"), map.value(QStringLiteral("transponder")).toString()},
                       {QStringLiteral("extra1"), map.value(QStringLiteral("category")).toString()},
                       {QStringLiteral("extra2"), clubText},
                       {QStringLiteral("extra3"), teamText}});
    }
    return parsed;
}
