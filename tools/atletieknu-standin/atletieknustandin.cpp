#include "tools/atletieknu-standin/atletieknustandin.h"

#include <QDateTime>
#include <QHttpServerRequest>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QPointer>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTimer>
#include <QUrlQuery>

#include "tools/meetwise-standin/standinhttpendpoint.h"

namespace {

Q_LOGGING_CATEGORY(lcAtletiekNuStandin, "stadionix.standin.atletieknu", QtInfoMsg)

QSslKey readKey(const QByteArray &pem)
{
    for (const QSsl::KeyAlgorithm algorithm : {QSsl::Ec, QSsl::Rsa}) {
        const QSslKey key(pem, algorithm, QSsl::Pem);
        if (!key.isNull())
            return key;
    }
    return QSslKey();
}

bool readFile(const QString &path, QByteArray *contents, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    *contents = file.readAll();
    return true;
}

} // namespace

AtletiekNuStandin::AtletiekNuStandin(QObject *parent)
    : QObject(parent)
{}

AtletiekNuStandin::~AtletiekNuStandin()
{
    stop();
}

bool AtletiekNuStandin::start(const Settings &settings, QString *error)
{
    stop();
    m_settings = settings;
    QByteArray certificatePem;
    QByteArray keyPem;
    if (!readFile(settings.certificateFile, &certificatePem, error) || !readFile(settings.keyFile, &keyPem, error))
        return false;
    const QList<QSslCertificate> certificates = QSslCertificate::fromData(certificatePem, QSsl::Pem);
    const QSslKey key = readKey(keyPem);
    if (certificates.isEmpty() || key.isNull()) {
        if (error)
            *error = certificates.isEmpty() ? QStringLiteral("no certificate in %1").arg(settings.certificateFile)
                                            : QStringLiteral("no usable key in %1").arg(settings.keyFile);
        return false;
    }
    if (!settings.logFile.isEmpty()) {
        m_logFile.setFileName(settings.logFile);
        if (!m_logFile.open(QIODevice::WriteOnly | QIODevice::Append)) {
            if (error)
                *error = QStringLiteral("cannot write the log %1: %2").arg(settings.logFile, m_logFile.errorString());
            return false;
        }
    }

    QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
    ssl.setLocalCertificateChain(certificates);
    ssl.setPrivateKey(key);
    ssl.setPeerVerifyMode(QSslSocket::VerifyNone);
    m_endpoint = new StandinHttpEndpoint(
        [this](const QHttpServerRequest &request, QTcpSocket *socket) { handleRequest(request, socket); }, this);
    m_server = new QSslServer(m_endpoint);
    m_server->setSslConfiguration(ssl);
    connect(m_server, &QSslServer::errorOccurred, this, [](QSslSocket *, QAbstractSocket::SocketError socketError) {
        qCDebug(lcAtletiekNuStandin) << "Connection failed:" << socketError;
    });
    if (!m_server->listen(settings.address, settings.port)) {
        if (error)
            *error = QStringLiteral("cannot listen on %1:%2: %3")
                         .arg(settings.address.toString())
                         .arg(settings.port)
                         .arg(m_server->errorString());
        stop();
        return false;
    }
    m_endpoint->bind(m_server);
    return true;
}

void AtletiekNuStandin::stop()
{
    delete m_endpoint;
    m_endpoint = nullptr;
    m_server = nullptr;
    if (m_logFile.isOpen())
        m_logFile.close();
}

quint16 AtletiekNuStandin::port() const
{
    return m_server ? m_server->serverPort() : 0;
}

QUrl AtletiekNuStandin::url() const
{
    QUrl url;
    url.setScheme(QStringLiteral("https"));
    url.setHost(m_settings.address.toString());
    url.setPort(port());
    url.setPath(QStringLiteral("/"));
    return url;
}

void AtletiekNuStandin::setCode(const QString &code, const QString &answer)
{
    m_codes.insert(code, answer);
}

void AtletiekNuStandin::log(const QJsonObject &entry)
{
    m_log.append(entry);
    if (m_logFile.isOpen()) {
        m_logFile.write(QJsonDocument(entry).toJson(QJsonDocument::Compact) + '\n');
        m_logFile.flush();
    }
    emit requestLogged(entry);
}

void AtletiekNuStandin::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    const QString path = request.url().path();
    const QUrlQuery query(request.url());
    const QByteArray question = StandinHttp::header(request, QByteArrayLiteral("question"));
    QJsonObject entry{{QStringLiteral("time"), QDateTime::currentDateTime().toString(Qt::ISODateWithMs)},
                      {QStringLiteral("method"), StandinHttp::methodName(request.method())},
                      {QStringLiteral("path"), path},
                      {QStringLiteral("query"), request.url().query()},
                      {QStringLiteral("question"), QString::fromLatin1(question)}};

    int status = 200;
    int delay = m_delayMs;
    QByteArray contentType = QByteArrayLiteral("text/plain; charset=utf-8");
    // The time is read when the answer goes: a late answer carries a late time.
    std::function<QByteArray()> body;
    if (path.endsWith(QLatin1String("/feeder.php")) &&
        query.queryItemValue(QStringLiteral("do")) == QLatin1String("login") &&
        request.method() == QHttpServerRequest::Method::Post) {
        QString code;
        for (const auto &field : StandinHttp::decodeForm(request.body())) {
            if (field.first == QLatin1String("event_syncCode"))
                code = field.second;
        }
        const QString answer = m_codes.value(code, m_refusal);
        delay = m_loginDelays.value(code, delay);
        entry.insert(QStringLiteral("code"), code);
        entry.insert(QStringLiteral("answer"), answer);
        body = [answer] { return answer.toUtf8(); };
    } else if (path.endsWith(QLatin1String("/time.php")) && request.method() == QHttpServerRequest::Method::Get) {
        entry.insert(QStringLiteral("timestamp"),
                     QString::fromLatin1(StandinHttp::header(request, QByteArrayLiteral("timestamp"))));
        contentType = QByteArrayLiteral("application/json; charset=utf-8");
        const qint64 offset = m_clockOffset;
        body = [offset] {
            const QJsonObject time{{QStringLiteral("time"), double(QDateTime::currentMSecsSinceEpoch() + offset)}};
            return QJsonDocument(time).toJson(QJsonDocument::Compact);
        };
    } else {
        status = 404;
        body = [] { return QByteArrayLiteral("not found"); };
    }
    entry.insert(QStringLiteral("status"), status);
    entry.insert(QStringLiteral("delay"), delay);
    log(entry);

    const bool close =
        StandinHttp::header(request, QByteArrayLiteral("Connection")).compare("close", Qt::CaseInsensitive) == 0;
    QPointer<QTcpSocket> guarded(socket);
    const auto answer = [guarded, status, body, close, contentType] {
        StandinHttp::writeResponse(guarded, status, body(), close, contentType);
    };
    if (delay == 0)
        answer();
    else
        QTimer::singleShot(delay, this, answer);
}
