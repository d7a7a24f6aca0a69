#include "sync/atletieknurestservice.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QSslConfiguration>
#include <QStandardPaths>

#include <limits>

#include "sync/atletieknuinterface.h"
#include "sync/synclogging.h"

namespace {

const QByteArray QuestionHeader = QByteArrayLiteral("question");
const QByteArray FormContentType = QByteArrayLiteral("application/x-www-form-urlencoded");
constexpr auto LoginSerialAttribute = QNetworkRequest::Attribute(QNetworkRequest::User + 1);
constexpr auto SendTimeAttribute = QNetworkRequest::Attribute(QNetworkRequest::User + 2);
const char LoginOk[] = "LOGINOK";

// Where the lists the service sent last are kept, for when it sends nothing.
QString cacheFile(const QByteArray &question, const QByteArray &counter, const QByteArray &event)
{
    QString name = QString::fromLatin1(question);
    for (const QByteArray &part : {counter, event}) {
        if (!part.isEmpty())
            name += QLatin1Char('_') + QString::fromLatin1(part.toPercentEncoding());
    }
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/atletieknu/") + name +
           QStringLiteral(".json");
}

} // namespace

AtletiekNuRESTService::AtletiekNuRESTService(QObject *parent)
    : QObject(parent)
    , m_network(new QNetworkAccessManager(this))
    , m_host(QString::fromLatin1(DefaultHost))
    , m_clock([] { return QDateTime::currentMSecsSinceEpoch(); })
{
    connect(m_network, &QNetworkAccessManager::finished, this, &AtletiekNuRESTService::processNetworkReply);
}

AtletiekNuRESTService::~AtletiekNuRESTService()
{
    // Replies torn down with the manager must not reach a listener that may
    // already be gone.
    m_listener = nullptr;
    disconnect(m_network, nullptr, this, nullptr);
}

void AtletiekNuRESTService::setHost(const QUrl &host)
{
    m_host = host;
    if (!m_host.path().endsWith(QLatin1Char('/')))
        m_host.setPath(m_host.path() + QLatin1Char('/'));
}

void AtletiekNuRESTService::setTrustedCertificates(const QList<QSslCertificate> &certificates)
{
    m_trusted = certificates;
}

QNetworkRequest AtletiekNuRESTService::makeRequest(const QString &pathAndQuery, const QByteArray &question) const
{
    QNetworkRequest request(m_host.resolved(QUrl(pathAndQuery)));
    request.setHeader(QNetworkRequest::ContentTypeHeader, FormContentType);
    request.setRawHeader(QuestionHeader, question);
    if (!m_trusted.isEmpty()) {
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.setCaCertificates(m_trusted);
        request.setSslConfiguration(ssl);
    }
    return request;
}

void AtletiekNuRESTService::setCode(const QString &code)
{
    m_code = code;
    login();
    if (m_serverTimeOffset == 0)
        refreshTimeOffset();
}

QNetworkReply *AtletiekNuRESTService::login()
{
    QNetworkRequest request = makeRequest(QStringLiteral("feeder.php?page=sync&do=login"), "code");
    request.setAttribute(LoginSerialAttribute, ++m_loginSerial);
    const QByteArray body = "event_syncCode=" + QUrl::toPercentEncoding(m_code);
    return m_network->post(request, body);
}

QNetworkReply *AtletiekNuRESTService::refreshTimeOffset()
{
    const qint64 sent = m_clock();
    QNetworkRequest request = makeRequest(QStringLiteral("time.php?noCache=%1").arg(sent), "time");
    request.setRawHeader(QByteArrayLiteral("timestamp"), QByteArray::number(sent));
    request.setAttribute(SendTimeAttribute, sent);
    return m_network->get(request);
}

AtletiekNuRESTService::LoginReply AtletiekNuRESTService::parseLoginReply(const QByteArray &body)
{
    const QString text = QString::fromUtf8(body);
    if (text.toUpper().startsWith(QLatin1String(LoginOk)))
        return {true, text.mid(int(sizeof(LoginOk)) - 1)};
    return {false, text};
}

quint64 AtletiekNuRESTService::parseServerTime(const QByteArray &body)
{
    const QJsonValue time = QJsonDocument::fromJson(body).object().value(QStringLiteral("time"));
    // A JSON number is a double; a time in ms since the epoch fits it exactly.
    if (time.isDouble() && time.toDouble() > 0 && time.toDouble() < 9007199254740992.0)
        return static_cast<quint64>(time.toDouble());
    if (time.isString())
        return time.toString().toULongLong();
    return 0;
}

QList<QVariantMap> AtletiekNuRESTService::parseList(const QByteArray &body)
{
    QList<QVariantMap> list;
    const QJsonArray array = QJsonDocument::fromJson(body).array();
    for (const QJsonValue &value : array) {
        if (value.isObject())
            list.append(value.toObject().toVariantMap());
    }
    return list;
}

std::optional<qint64> AtletiekNuRESTService::timeOffset(quint64 t, qint64 a, qint64 b)
{
    if (t == 0 || a == 0 || b == 0 || a >= b || t > quint64(std::numeric_limits<qint64>::max()))
        return std::nullopt;
    return qint64(t) - (a + (b - a) / 2);
}

void AtletiekNuRESTService::processNetworkReply(QNetworkReply *reply)
{
    reply->deleteLater();
    const QByteArray question = reply->request().rawHeader(QuestionHeader);
    const bool failed = reply->error() != QNetworkReply::NoError;
    const QByteArray body = reply->readAll();

    if (question == "code") {
        if (reply->request().attribute(LoginSerialAttribute).toULongLong() != m_loginSerial) {
            qCDebug(lcSync) << "Answer to the login with an earlier code ignored";
            return;
        }
        const LoginReply login = failed ? LoginReply{false, reply->errorString()} : parseLoginReply(body);
        if (m_listener)
            m_listener->loginFinished(login.success, login.text);
    } else if (question == "time") {
        if (failed) {
            qCDebug(lcSync) << "Server time not received:" << reply->errorString();
            return;
        }
        const qint64 received = m_clock();
        const qint64 sent = reply->request().attribute(SendTimeAttribute).toLongLong();
        const std::optional<qint64> offset = timeOffset(parseServerTime(body), sent, received);
        if (!offset)
            return;
        m_serverTimeOffset = *offset;
        if (m_listener)
            m_listener->serverTimeOffsetReceived(*offset);
    } else if (question == "events" || question == "participants") {
        if (failed)
            qCDebug(lcSync) << "List" << question << "not received:" << reply->errorString();
        handleCachedList(reply, question, failed ? QByteArray() : body);
    } else if (question == "results") {
        if (failed) {
            qCWarning(lcSync) << "Results could not be uploaded to AtletiekNu:" << reply->errorString();
            emit resultsNotUploaded(reply->errorString());
        } else {
            qCInfo(lcSync) << "Results uploaded to AtletiekNu:" << body;
        }
    }
}

void AtletiekNuRESTService::handleCachedList(QNetworkReply *reply, const QByteArray &question, QByteArray body)
{
    const QByteArray counter = reply->request().rawHeader(QByteArrayLiteral("counter"));
    const QByteArray event = reply->request().rawHeader(QByteArrayLiteral("event"));
    const QString path = cacheFile(question, counter, event);
    if (body.isEmpty()) {
        QFile cached(path);
        if (cached.open(QIODevice::ReadOnly))
            body = cached.readAll();
    } else {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QSaveFile cached(path);
        if (!cached.open(QIODevice::WriteOnly) || cached.write(body) != body.size() || !cached.commit())
            qCWarning(lcSync) << "Cannot keep the list in" << path;
    }
    const QList<QVariantMap> list = parseList(body);
    if (!m_listener)
        return;
    if (question == "events")
        m_listener->eventsLoaded(list);
    else
        m_listener->participantsLoaded(list, QString::fromUtf8(event));
}
