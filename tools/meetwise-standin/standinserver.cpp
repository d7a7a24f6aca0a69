#include "tools/meetwise-standin/standinserver.h"

#include <QAbstractHttpServer>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHttpServerRequest>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QNetworkDatagram>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

#include <functional>
#include <memory>

#include "sync/meetwisecipher.h"
#include "tools/meetwise-standin/standinhttpendpoint.h"

namespace {

Q_LOGGING_CATEGORY(lcStandin, "stadionix.standin", QtInfoMsg)

using StandinHttp::decodeForm;
using StandinHttp::hasHeader;
using StandinHttp::header;
using StandinHttp::methodName;
using StandinHttp::responseHead;
using StandinHttp::writeResponse;

const QByteArray PingPrefix = QByteArrayLiteral("MWSTADIONIXPING;");
const QByteArray AnswerPrefix = QByteArrayLiteral("MWSTADIONIXPINGANSWER");
// Socket properties: bytes received since the last request was handled, and
// answers still to be written (a delayed answer keeps the connection busy).
const char ReceivedProperty[] = "standinReceived";
const char AnswersDueProperty[] = "standinAnswersDue";
const char RefusedProperty[] = "standinRefused";

QJsonArray fieldsJson(const StandinFields &fields)
{
    QJsonArray array;
    for (const auto &field : fields)
        array.append(QJsonArray{field.first, field.second});
    return array;
}

using Headers = QList<QPair<QByteArray, QByteArray>>;

const QPair<QByteArray, QByteArray> *findHeader(const Headers &headers, const QByteArray &name)
{
    for (const auto &pair : headers) {
        if (pair.first.compare(name, Qt::CaseInsensitive) == 0)
            return &pair;
    }
    return nullptr;
}

QByteArray header(const Headers &headers, const QByteArray &name)
{
    const auto *pair = findHeader(headers, name);
    return pair ? pair->second : QByteArray();
}

// Results are the same result when the same machine sends the same local id
// again; the machine id ends the session header, while the enciphered
// password in it changes whenever the client starts anew.
QString clientOf(const QByteArray &sessionId)
{
    const QString text = QString::fromLatin1(sessionId);
    if (text.startsWith(QLatin1String("SID:MW:")))
        return text.section(QLatin1Char(':'), -1);
    return text;
}

QByteArray errorBody(const QString &text)
{
    return QJsonDocument(QJsonArray{QJsonObject{{QStringLiteral("error"), text}}}).toJson(QJsonDocument::Compact);
}

// The answer with the members of the object it names replaced.
void rewriteAnswer(QJsonArray &body, const QJsonObject &members)
{
    if (body.isEmpty() || !body.first().isObject())
        return;
    QJsonObject first = body.first().toObject();
    for (auto it = first.begin(); it != first.end(); ++it) {
        if (!it->isObject())
            continue;
        QJsonObject named = it->toObject();
        for (auto member = members.constBegin(); member != members.constEnd(); ++member) {
            if (member->isNull())
                named.remove(member.key());
            else
                named.insert(member.key(), member.value());
        }
        *it = named;
        break;
    }
    body.replace(0, first);
}

} // namespace

// Hands every connection to the stand-in's guard before the HTTP server
// reads from it, so that the guard sees each byte first.
class StandinTcpServer : public QTcpServer
{
public:
    StandinTcpServer(StandinServer *owner, QObject *parent)
        : QTcpServer(parent)
        , m_owner(owner)
    {}

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto *socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        m_owner->guard(socket);
        addPendingConnection(socket);
    }

private:
    StandinServer *m_owner;
};

StandinServer::StandinServer(QObject *parent)
    : QObject(parent)
{}

StandinServer::~StandinServer()
{
    stop();
}

QString StandinServer::demoCompetitionPath()
{
    return QStringLiteral(":/meetwise-standin/demo/competition.json");
}

bool StandinServer::loadCompetition(const QString &path, QString *error)
{
    if (!m_competition.loadFile(path, error))
        return false;
    m_competitionPath = path;
    return true;
}

bool StandinServer::start(const Settings &settings, QString *error)
{
    stop();
    m_settings = settings;
    m_down = settings.down;
    m_delayMs = qMax(0, settings.delayMs);
    setDropEvery(settings.dropEvery);

    if (!settings.logFile.isEmpty()) {
        m_logFile.setFileName(settings.logFile);
        if (!m_logFile.open(QIODevice::WriteOnly | QIODevice::Append)) {
            if (error)
                *error = QStringLiteral("cannot write the log %1: %2").arg(settings.logFile, m_logFile.errorString());
            return false;
        }
    }

    m_service = new StandinHttpEndpoint(
        [this](const QHttpServerRequest &request, QTcpSocket *socket) { handleServiceRequest(request, socket); }, this);
    m_serviceSocket = new StandinTcpServer(this, m_service);
    if (!m_down && !listenService(error)) {
        stop();
        return false;
    }

    if (settings.controlPort != 0) {
        m_control = new StandinHttpEndpoint(
            [this](const QHttpServerRequest &request, QTcpSocket *socket) { handleControlRequest(request, socket); },
            this);
        m_controlSocket = new StandinTcpServer(this, m_control);
        // Whoever reaches the control channel can change and end the
        // server: it is for this machine only, whatever the service listens on.
        if (!m_controlSocket->listen(controlAddress(), settings.controlPort)) {
            if (error)
                *error = QStringLiteral("cannot listen for control on %1:%2: %3")
                             .arg(controlAddress().toString())
                             .arg(settings.controlPort)
                             .arg(m_controlSocket->errorString());
            stop();
            return false;
        }
        m_control->bind(m_controlSocket);
    }

    if (settings.discoveryPort != 0) {
        m_discovery = new QUdpSocket(this);
        // Pings come as broadcasts, which a socket bound to one address (the
        // loopback or a network card's) never sees: discovery listens on all
        // unless told otherwise.
        if (!m_discovery->bind(settings.discoveryAddress, settings.discoveryPort,
                               QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
            if (error)
                *error = QStringLiteral("cannot listen for discovery on %1:%2: %3")
                             .arg(settings.discoveryAddress.toString())
                             .arg(settings.discoveryPort)
                             .arg(m_discovery->errorString());
            stop();
            return false;
        }
        connect(m_discovery, &QUdpSocket::readyRead, this, &StandinServer::readDiscoveryPings);
    }
    return true;
}

QHostAddress StandinServer::controlAddress() const
{
    if (m_settings.address.isLoopback())
        return m_settings.address;
    return m_settings.address.protocol() == QAbstractSocket::IPv6Protocol ? QHostAddress(QHostAddress::LocalHostIPv6)
                                                                          : QHostAddress(QHostAddress::LocalHost);
}

void StandinServer::guard(QTcpSocket *socket)
{
    auto *idle = new QTimer(socket);
    idle->setSingleShot(true);
    idle->setInterval(qMax(1, m_settings.idleTimeoutMs));
    connect(idle, &QTimer::timeout, socket, [socket, idle] {
        // A connection waiting for a delayed answer is not idle.
        if (socket->property(AnswersDueProperty).toInt() > 0) {
            idle->start();
            return;
        }
        qCDebug(lcStandin) << "Closing a connection idle for" << idle->interval() << "ms";
        socket->abort();
    });
    const qint64 limit = m_settings.maxRequestBytes;
    // Connected before the HTTP server's own handler: what is available now
    // has not been read yet.
    connect(socket, &QTcpSocket::readyRead, socket, [socket, idle, limit] {
        idle->start();
        const qint64 received = socket->property(ReceivedProperty).toLongLong() + socket->bytesAvailable();
        socket->setProperty(ReceivedProperty, received);
        if (received <= limit || socket->property(RefusedProperty).toBool())
            return;
        qCDebug(lcStandin) << "Refusing a request of more than" << limit << "bytes";
        socket->setProperty(RefusedProperty, true);
        writeResponse(socket, 413, errorBody(QStringLiteral("request larger than %1 bytes").arg(limit)), true);
        socket->flush();
        // Nothing more of it is read, so nothing more of it is kept; closed
        // once the HTTP server has taken what is there now.
        QMetaObject::invokeMethod(socket, &QTcpSocket::abort, Qt::QueuedConnection);
    });
    connect(socket, &QTcpSocket::bytesWritten, idle, qOverload<>(&QTimer::start));
    idle->start();
}

void StandinServer::stop()
{
    if (m_serviceSocket)
        cutConnections();
    delete m_discovery;
    m_discovery = nullptr;
    delete m_control;
    m_control = nullptr;
    m_controlSocket = nullptr;
    delete m_service;
    m_service = nullptr;
    m_serviceSocket = nullptr;
    if (m_logFile.isOpen())
        m_logFile.close();
}

bool StandinServer::listenService(QString *error)
{
    if (!m_serviceSocket->listen(m_settings.address, m_settings.port)) {
        if (error)
            *error = QStringLiteral("cannot listen on %1:%2: %3")
                         .arg(m_settings.address.toString())
                         .arg(m_settings.port)
                         .arg(m_serviceSocket->errorString());
        return false;
    }
    // Bound once it listens: the HTTP server would complain about a socket
    // that does not; the binding survives closing and listening again.
    if (!m_service->bound) {
        m_service->bind(m_serviceSocket);
        m_service->bound = true;
    }
    return true;
}

void StandinServer::cutConnections()
{
    for (QTcpSocket *socket : m_serviceSocket->findChildren<QTcpSocket *>())
        socket->abort();
}

bool StandinServer::setDown(bool down, QString *error)
{
    if (!m_serviceSocket) {
        m_down = down;
        return true;
    }
    if (down) {
        m_down = true;
        m_serviceSocket->close();
        cutConnections();
        return true;
    }
    if (!m_down)
        return true;
    if (!listenService(error))
        return false;
    m_down = false;
    return true;
}

void StandinServer::setDropEvery(int n)
{
    m_dropEvery = qMax(0, n);
    // Counting starts anew so that a test knows which request goes unanswered.
    m_dropCount = 0;
}

QJsonObject StandinServer::status() const
{
    return {{QStringLiteral("down"), m_down},
            {QStringLiteral("delay"), m_delayMs},
            {QStringLiteral("dropevery"), m_dropEvery},
            {QStringLiteral("faultpath"), m_faults.path},
            {QStringLiteral("trickle"), m_faults.trickleMs},
            {QStringLiteral("endless"), m_faults.endless},
            {QStringLiteral("rewrite"), m_faults.rewrite},
            {QStringLiteral("answer"), QString::fromUtf8(m_faults.body)},
            {QStringLiteral("requests"), m_requestCount},
            {QStringLiteral("logentries"), m_log.size()},
            {QStringLiteral("results"), m_competition.resultCount()},
            {QStringLiteral("address"), m_settings.address.toString()},
            {QStringLiteral("port"), m_settings.port},
            {QStringLiteral("controlport"), m_settings.controlPort},
            {QStringLiteral("controladdress"), controlAddress().toString()},
            {QStringLiteral("discoveryport"), m_settings.discoveryPort},
            {QStringLiteral("competitionfile"), m_competitionPath}};
}

bool StandinServer::saveState(const QString &path, QString *error)
{
    const QString target = path.isEmpty() ? m_settings.stateFile : path;
    if (target.isEmpty()) {
        if (error)
            *error = QStringLiteral("no state file given");
        return false;
    }
    return m_competition.saveFile(target, error);
}

void StandinServer::clearRequestLog()
{
    m_log.clear();
    if (m_logFile.isOpen())
        m_logFile.resize(0);
}

void StandinServer::log(const QJsonObject &entry)
{
    m_log.append(entry);
    if (m_logFile.isOpen()) {
        m_logFile.write(QJsonDocument(entry).toJson(QJsonDocument::Compact) + '\n');
        // Tests read the file while the server runs.
        m_logFile.flush();
    }
    emit requestLogged(entry);
}

StandinServer::Request StandinServer::readRequest(const QString &method, const QUrl &url,
                                                  const QList<QPair<QByteArray, QByteArray>> &headers,
                                                  const QByteArray &body)
{
    Request request;
    request.method = method;
    request.path = url.path();
    const auto *sessionId = findHeader(headers, QByteArrayLiteral("Session-Id"));
    request.hasSessionId = sessionId != nullptr;
    request.sessionId = sessionId ? sessionId->second : QByteArray();
    request.close = header(headers, QByteArrayLiteral("Connection")).compare("close", Qt::CaseInsensitive) == 0;
    request.fields = decodeForm(url.query(QUrl::FullyEncoded).toLatin1());
    if (method == QLatin1String("POST")) {
        if (header(headers, QByteArrayLiteral("Content-Type")).contains("json"))
            request.json = QJsonDocument::fromJson(body).object();
        else
            request.fields = decodeForm(body);
    }
    return request;
}

void StandinServer::handleServiceRequest(const QHttpServerRequest &httpRequest, QTcpSocket *socket)
{
    if (m_down) {
        socket->abort();
        return;
    }
    ++m_requestCount;
    socket->setProperty(ReceivedProperty, 0);
    const Request request =
        readRequest(methodName(httpRequest.method()), httpRequest.url(), httpRequest.headers(), httpRequest.body());
    const QString &path = request.path;
    StandinCompetition::Reply reply = answer(request);
    const bool drop = m_dropEvery > 0 && ++m_dropCount % m_dropEvery == 0;
    if (!m_faults.rewrite.isEmpty() && path.startsWith(m_faults.path))
        rewriteAnswer(reply.body, m_faults.rewrite);

    QJsonObject entry{{QStringLiteral("time"), QDateTime::currentDateTime().toString(Qt::ISODateWithMs)},
                      {QStringLiteral("method"), request.method},
                      {QStringLiteral("path"), request.path},
                      {QStringLiteral("fields"), fieldsJson(request.fields)},
                      // null: no header at all, as against an empty one
                      {QStringLiteral("sessionid"),
                       request.hasSessionId ? QJsonValue(QString::fromLatin1(request.sessionId)) : QJsonValue()},
                      {QStringLiteral("status"), reply.status},
                      {QStringLiteral("outcome"), drop ? QStringLiteral("dropped") : QStringLiteral("answered")},
                      {QStringLiteral("delay"), m_delayMs}};
    if (!request.json.isEmpty())
        entry.insert(QStringLiteral("json"), request.json);
    log(entry);

    if (drop) {
        socket->disconnectFromHost();
        return;
    }
    const QByteArray body = QJsonDocument(reply.body).toJson(QJsonDocument::Compact);
    const bool close = request.close;
    if (m_delayMs == 0) {
        sendAnswer(socket, path, reply.status, body, close);
        return;
    }
    QPointer<QTcpSocket> guarded(socket);
    socket->setProperty(AnswersDueProperty, socket->property(AnswersDueProperty).toInt() + 1);
    QTimer::singleShot(m_delayMs, this, [this, guarded, path, status = reply.status, body, close] {
        if (!guarded)
            return;
        guarded->setProperty(AnswersDueProperty, guarded->property(AnswersDueProperty).toInt() - 1);
        sendAnswer(guarded, path, status, body, close);
    });
}

void StandinServer::sendAnswer(QTcpSocket *socket, const QString &path, int status, const QByteArray &body, bool close)
{
    if (!socket || socket->state() != QAbstractSocket::ConnectedState)
        return;
    if (!path.startsWith(m_faults.path) || (m_faults.trickleMs <= 0 && !m_faults.endless && m_faults.body.isEmpty())) {
        writeResponse(socket, status, body, close);
        return;
    }
    if (m_faults.endless) {
        // No length (the body ends when the connection does), and blanks
        // (valid JSON white space) for as long as the client reads them.
        // Only a little is kept waiting on this side.
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json; charset=utf-8\r\n"
                      "Connection: close\r\n\r\n[");
        const QByteArray blanks(64 * 1024, ' ');
        const auto feed = [socket, blanks] {
            while (socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() < 4 * blanks.size())
                socket->write(blanks);
        };
        connect(socket, &QTcpSocket::bytesWritten, socket, feed);
        feed();
        return;
    }
    const QByteArray answer = m_faults.body.isEmpty() ? body : m_faults.body;
    socket->write(responseHead(m_faults.body.isEmpty() ? status : 200, answer.size(), close));
    if (m_faults.trickleMs <= 0) {
        socket->write(answer);
        if (close)
            socket->disconnectFromHost();
        return;
    }
    // The head at once, then the body one byte at a time, as over a link
    // that barely holds: the client hears something all the time.
    auto *trickle = new QTimer(socket);
    auto sent = std::make_shared<qsizetype>(0);
    connect(trickle, &QTimer::timeout, socket, [socket, trickle, answer, sent, close] {
        if (socket->state() != QAbstractSocket::ConnectedState) {
            trickle->stop();
            return;
        }
        socket->write(answer.mid((*sent)++, 1));
        if (*sent < answer.size())
            return;
        trickle->stop();
        trickle->deleteLater();
        if (close)
            socket->disconnectFromHost();
    });
    trickle->start(m_faults.trickleMs);
}

StandinCompetition::Reply StandinServer::answer(const Request &request)
{
    const QString &path = request.path;
    const StandinFields &fields = request.fields;
    const QJsonObject &json = request.json;
    const QString client = clientOf(request.sessionId);
    const QStringList segments = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const QString first = segments.value(0);
    const bool get = request.method == QLatin1String("GET");
    const bool post = request.method == QLatin1String("POST");
    StandinCompetition::Reply wrongMethod;
    wrongMethod.status = 405;
    wrongMethod.body.append(QJsonObject{{QStringLiteral("error"), QStringLiteral("method not allowed")}});

    if (segments.size() == 1 && first == QLatin1String("competitions"))
        return get ? m_competition.competitions() : wrongMethod;
    if (segments.size() == 1 && first == QLatin1String("disqualificationrules"))
        return get ? m_competition.disqualificationRules(StandinCompetition::value(fields, QStringLiteral("language")))
                   : wrongMethod;
    if (segments.size() == 2 && first == QLatin1String("events"))
        return get ? m_competition.events(segments.at(1).toUInt()) : wrongMethod;
    if (segments.size() == 2 && first == QLatin1String("results"))
        return get ? m_competition.results(segments.at(1).toUInt()) : wrongMethod;
    if (segments.size() == 2 && first == QLatin1String("participations"))
        return get ? m_competition.participations(segments.at(1).toUInt()) : wrongMethod;
    if (segments.size() == 1 && first == QLatin1String("update_participation"))
        return post ? m_competition.updateParticipation(fields) : wrongMethod;
    if (segments.size() == 1 && first == QLatin1String("new_result"))
        return post ? m_competition.newResult(fields, client) : wrongMethod;
    if (segments.size() == 1 && first == QLatin1String("update_result"))
        return post ? m_competition.updateResult(fields) : wrongMethod;
    if (segments.size() == 1 && first == QLatin1String("delete_result"))
        return post ? m_competition.deleteResult(fields) : wrongMethod;
    if (segments.size() == 1 && first == QLatin1String("new_whatishappening"))
        return post ? m_competition.whatIsHappening(json) : wrongMethod;

    StandinCompetition::Reply notFound;
    notFound.status = 404;
    notFound.body.append(QJsonObject{{QStringLiteral("error"), QStringLiteral("no such path %1").arg(path)}});
    return notFound;
}

void StandinServer::handleControlRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    const QString path = request.url().path();
    StandinFields fields = decodeForm(request.url().query(QUrl::FullyEncoded).toLatin1());
    fields.append(decodeForm(request.body()));
    auto reply = [socket](int status, const QJsonObject &object) {
        writeResponse(socket, status, QJsonDocument(object).toJson(QJsonDocument::Compact), false);
    };
    // Reading is open to a GET; what changes the server or writes a file
    // takes a POST, which a link followed or a page loaded cannot send.
    const bool readOnly = path == QLatin1String("/status") || path == QLatin1String("/log");
    if (!readOnly && request.method() != QHttpServerRequest::Method::Post) {
        reply(405, {{QStringLiteral("error"), QStringLiteral("%1 takes a POST").arg(path)}});
        return;
    }

    if (path == QLatin1String("/status")) {
        reply(200, status());
    } else if (path == QLatin1String("/set")) {
        Faults faults = m_faults;
        if (StandinCompetition::has(fields, QStringLiteral("faultpath")))
            faults.path = StandinCompetition::value(fields, QStringLiteral("faultpath"));
        if (StandinCompetition::has(fields, QStringLiteral("trickle")))
            faults.trickleMs = StandinCompetition::value(fields, QStringLiteral("trickle")).toInt();
        if (StandinCompetition::has(fields, QStringLiteral("endless")))
            faults.endless = StandinCompetition::value(fields, QStringLiteral("endless")) == QLatin1String("1");
        if (StandinCompetition::has(fields, QStringLiteral("answer")))
            faults.body = StandinCompetition::value(fields, QStringLiteral("answer")).toUtf8();
        if (StandinCompetition::has(fields, QStringLiteral("rewrite"))) {
            const QString text = StandinCompetition::value(fields, QStringLiteral("rewrite"));
            const QJsonDocument members = QJsonDocument::fromJson(text.toUtf8());
            if (!text.isEmpty() && !members.isObject()) {
                reply(400, {{QStringLiteral("error"), QStringLiteral("rewrite is no JSON object")}});
                return;
            }
            faults.rewrite = members.object();
        }
        setFaults(faults);
        if (StandinCompetition::has(fields, QStringLiteral("delay")))
            setDelay(StandinCompetition::value(fields, QStringLiteral("delay")).toInt());
        if (StandinCompetition::has(fields, QStringLiteral("dropevery")))
            setDropEvery(StandinCompetition::value(fields, QStringLiteral("dropevery")).toInt());
        QString error;
        if (StandinCompetition::has(fields, QStringLiteral("down"))) {
            const QString down = StandinCompetition::value(fields, QStringLiteral("down"));
            if (!setDown(down == QLatin1String("1") || down == QLatin1String("true"), &error)) {
                reply(500, {{QStringLiteral("error"), error}});
                return;
            }
        }
        reply(200, status());
    } else if (path == QLatin1String("/save")) {
        QString error;
        const QString file = savePath(StandinCompetition::value(fields, QStringLiteral("file")), &error);
        if (file.isEmpty())
            reply(403, {{QStringLiteral("error"), error}});
        else if (saveState(file, &error))
            reply(200, {{QStringLiteral("saved"), file}});
        else
            reply(500, {{QStringLiteral("error"), error}});
    } else if (path == QLatin1String("/reload")) {
        QString error;
        if (loadCompetition(m_competitionPath, &error))
            reply(200, status());
        else
            reply(500, {{QStringLiteral("error"), error}});
    } else if (path == QLatin1String("/log")) {
        QJsonArray entries;
        for (const QJsonObject &entry : std::as_const(m_log))
            entries.append(entry);
        reply(200, {{QStringLiteral("log"), entries}});
    } else if (path == QLatin1String("/clearlog")) {
        clearRequestLog();
        reply(200, status());
    } else if (path == QLatin1String("/quit")) {
        reply(200, {{QStringLiteral("quitting"), true}});
        socket->flush();
        emit quitRequested();
    } else {
        reply(404, {{QStringLiteral("error"), QStringLiteral("no such control %1").arg(path)}});
    }
}

QString StandinServer::savePath(const QString &requested, QString *error) const
{
    if (m_settings.stateFile.isEmpty()) {
        *error = QStringLiteral("no state file given at start, nothing is saved");
        return QString();
    }
    if (requested.isEmpty())
        return m_settings.stateFile;
    const QString folder = QFileInfo(m_settings.stateFile).absoluteDir().canonicalPath();
    // A name relative to that folder, resolved with every link followed,
    // must stay inside it.
    const QFileInfo target(QDir(folder), requested);
    const QString parent = target.absoluteDir().canonicalPath();
    if (folder.isEmpty() || parent.isEmpty() || (parent != folder && !parent.startsWith(folder + QLatin1Char('/'))) ||
        target.fileName().isEmpty() || target.isDir()) {
        *error = QStringLiteral("%1 is not a file in the folder of the state file").arg(requested);
        return QString();
    }
    return parent + QLatin1Char('/') + target.fileName();
}

void StandinServer::readDiscoveryPings()
{
    while (m_discovery && m_discovery->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_discovery->receiveDatagram();
        const QByteArray data = datagram.data();
        if (!data.startsWith(PingPrefix))
            continue;
        const QString number = QString::fromLatin1(data.mid(PingPrefix.size())).section(QLatin1Char(';'), 0, 0);
        log({{QStringLiteral("time"), QDateTime::currentDateTime().toString(Qt::ISODateWithMs)},
             {QStringLiteral("method"), QStringLiteral("PING")},
             {QStringLiteral("path"), QStringLiteral("udp:%1").arg(m_settings.discoveryPort)},
             {QStringLiteral("fields"), QJsonArray{QJsonArray{QStringLiteral("ping"), number}}},
             {QStringLiteral("from"), datagram.senderAddress().toString()},
             {QStringLiteral("outcome"), m_down ? QStringLiteral("ignored") : QStringLiteral("answered")}});
        if (m_down)
            continue;

        const QJsonObject identity = m_competition.serverIdentity();
        quint64 key = static_cast<quint64>(identity.value(QStringLiteral("key")).toDouble());
        if (key == 0)
            key = MeetwiseCipher::keyFromMachineId(MeetwiseCipher::machineId());
        if (key == 0)
            key = 1217;
        // The program takes name, user and password and wants more than three
        // fields, so a fourth is always there.
        const QString plain = QStringLiteral("%1;%2;%3;%4;")
                                  .arg(identity.value(QStringLiteral("name")).toString(QStringLiteral("Stand-in")),
                                       identity.value(QStringLiteral("user")).toString(),
                                       identity.value(QStringLiteral("password")).toString(),
                                       identity.value(QStringLiteral("extra")).toString(QStringLiteral("standin")));
        const QByteArray answer =
            AnswerPrefix + ';' + QByteArray::number(key) + ';' + MeetwiseCipher::encipher(plain, key).toLatin1();
        QHostAddress sender = datagram.senderAddress();
        bool isIPv4 = false;
        const quint32 ipv4 = sender.toIPv4Address(&isIPv4);
        if (isIPv4)
            sender = QHostAddress(ipv4);
        m_discovery->writeDatagram(answer, sender, m_settings.discoveryAnswerPort);
        qCDebug(lcStandin) << "Answered discovery ping from" << sender.toString();
    }
}
