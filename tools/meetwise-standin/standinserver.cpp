#include "tools/meetwise-standin/standinserver.h"

#include <QAbstractHttpServer>
#include <QDateTime>
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

#include "sync/meetwisecipher.h"

namespace {

Q_LOGGING_CATEGORY(lcStandin, "stadionix.standin")

const QByteArray PingPrefix = QByteArrayLiteral("MWSTADIONIXPING;");
const QByteArray AnswerPrefix = QByteArrayLiteral("MWSTADIONIXPINGANSWER");

StandinFields decodeForm(const QByteArray &encoded)
{
    StandinFields fields;
    for (const QByteArray &piece : encoded.split('&')) {
        if (piece.isEmpty())
            continue;
        const qsizetype equals = piece.indexOf('=');
        QByteArray name = equals < 0 ? piece : piece.left(equals);
        QByteArray value = equals < 0 ? QByteArray() : piece.mid(equals + 1);
        name.replace('+', ' ');
        value.replace('+', ' ');
        fields.append({QString::fromUtf8(QByteArray::fromPercentEncoding(name)),
                       QString::fromUtf8(QByteArray::fromPercentEncoding(value))});
    }
    return fields;
}

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

QString methodName(QHttpServerRequest::Method method)
{
    switch (method) {
    case QHttpServerRequest::Method::Get:
        return QStringLiteral("GET");
    case QHttpServerRequest::Method::Post:
        return QStringLiteral("POST");
    case QHttpServerRequest::Method::Put:
        return QStringLiteral("PUT");
    case QHttpServerRequest::Method::Delete:
        return QStringLiteral("DELETE");
    case QHttpServerRequest::Method::Head:
        return QStringLiteral("HEAD");
    default:
        return QStringLiteral("OTHER");
    }
}

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    default:
        return "Internal Server Error";
    }
}

void writeResponse(QTcpSocket *socket, int status, const QByteArray &body, bool close)
{
    if (!socket || socket->state() != QAbstractSocket::ConnectedState)
        return;
    QByteArray response = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) + "\r\n";
    response += "Content-Type: application/json; charset=utf-8\r\n";
    response += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    if (close)
        response += "Connection: close\r\n";
    response += "\r\n";
    response += body;
    socket->write(response);
    if (close)
        socket->disconnectFromHost();
}

} // namespace

// Qt's HTTP server parses the requests; the stand-in answers on the socket
// itself so that it can answer late or not at all.
class StandinHttpEndpoint : public QAbstractHttpServer
{
public:
    using Handler = std::function<void(const QHttpServerRequest &, QTcpSocket *)>;

    StandinHttpEndpoint(Handler handler, QObject *parent)
        : QAbstractHttpServer(parent)
        , m_handler(std::move(handler))
    {}

    bool bound = false;

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override
    {
        m_handler(request, socket);
        return true;
    }
    void missingHandler(const QHttpServerRequest &, QTcpSocket *) override {}

private:
    Handler m_handler;
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
    m_serviceSocket = new QTcpServer(m_service);
    if (!m_down && !listenService(error)) {
        stop();
        return false;
    }

    if (settings.controlPort != 0) {
        m_control = new StandinHttpEndpoint(
            [this](const QHttpServerRequest &request, QTcpSocket *socket) { handleControlRequest(request, socket); },
            this);
        m_controlSocket = new QTcpServer(m_control);
        if (!m_controlSocket->listen(settings.address, settings.controlPort)) {
            if (error)
                *error = QStringLiteral("cannot listen for control on %1:%2: %3")
                             .arg(settings.address.toString())
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
        // loopback or a network card's) never sees: discovery listens on all.
        if (!m_discovery->bind(QHostAddress::AnyIPv4, settings.discoveryPort,
                               QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
            if (error)
                *error = QStringLiteral("cannot listen for discovery on %1:%2: %3")
                             .arg(QHostAddress(QHostAddress::AnyIPv4).toString())
                             .arg(settings.discoveryPort)
                             .arg(m_discovery->errorString());
            stop();
            return false;
        }
        connect(m_discovery, &QUdpSocket::readyRead, this, &StandinServer::readDiscoveryPings);
    }
    return true;
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
            {QStringLiteral("requests"), m_requestCount},
            {QStringLiteral("logentries"), m_log.size()},
            {QStringLiteral("results"), m_competition.resultCount()},
            {QStringLiteral("address"), m_settings.address.toString()},
            {QStringLiteral("port"), m_settings.port},
            {QStringLiteral("controlport"), m_settings.controlPort},
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
    const Request request =
        readRequest(methodName(httpRequest.method()), httpRequest.url(), httpRequest.headers(), httpRequest.body());
    const StandinCompetition::Reply reply = answer(request);
    const bool drop = m_dropEvery > 0 && ++m_dropCount % m_dropEvery == 0;

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
        writeResponse(socket, reply.status, body, close);
        return;
    }
    QPointer<QTcpSocket> guarded(socket);
    QTimer::singleShot(m_delayMs, this,
                       [guarded, status = reply.status, body, close] { writeResponse(guarded, status, body, close); });
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

    if (path == QLatin1String("/status")) {
        reply(200, status());
    } else if (path == QLatin1String("/set")) {
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
        const QString file = StandinCompetition::value(fields, QStringLiteral("file"));
        QString error;
        if (saveState(file, &error))
            reply(200, {{QStringLiteral("saved"), file.isEmpty() ? m_settings.stateFile : file}});
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
