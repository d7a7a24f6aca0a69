#pragma once

#include <QFile>
#include <QHash>
#include <QHostAddress>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

class QHttpServerRequest;
class QSslServer;
class QTcpSocket;
class StandinHttpEndpoint;

// A stand-in for the AtletiekNu results service over HTTPS: it answers the
// login with a synchronisation code and the time request, with a clock that
// runs ahead or behind by a set offset, and answers as late as a test wants,
// code by code. Every request is logged. Runs in-process in tests or as the
// program atletieknu-standin.
class AtletiekNuStandin : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *DefaultRefusal = "Unknown competition code";

    struct Settings
    {
        QHostAddress address = QHostAddress(QHostAddress::LocalHost);
        quint16 port = 0; // 0: a free port, see port()
        // PEM files; the key without a pass phrase.
        QString certificateFile;
        QString keyFile;
        QString logFile; // JSON lines; empty: kept in memory only
    };

    explicit AtletiekNuStandin(QObject *parent = nullptr);
    ~AtletiekNuStandin() override;

    // False with the reason when the certificate, the key or the port fails.
    bool start(const Settings &settings, QString *error = nullptr);
    void stop();
    quint16 port() const;
    // "https://address:port/", the host the program is given.
    QUrl url() const;

    // A code the service knows, and the text its login is answered with
    // (which starts with "LOGINOK", in any case, for a login that succeeds).
    void setCode(const QString &code, const QString &answer = QStringLiteral("LOGINOK"));
    // The answer to every other code.
    void setRefusal(const QString &text) { m_refusal = text; }
    // The service's clock runs this far ahead of the local one (behind when
    // negative).
    void setClockOffset(qint64 ms) { m_clockOffset = ms; }
    qint64 clockOffset() const { return m_clockOffset; }
    // Every answer waits this long ...
    void setDelay(int ms) { m_delayMs = qMax(0, ms); }
    // ... except a login with this code, which waits this long.
    void setLoginDelay(const QString &code, int ms) { m_loginDelays.insert(code, qMax(0, ms)); }

    QList<QJsonObject> requestLog() const { return m_log; }
    void clearRequestLog() { m_log.clear(); }

signals:
    void requestLogged(const QJsonObject &entry);

private:
    void handleRequest(const QHttpServerRequest &request, QTcpSocket *socket);
    void log(const QJsonObject &entry);

    Settings m_settings;
    StandinHttpEndpoint *m_endpoint = nullptr;
    QSslServer *m_server = nullptr;
    QHash<QString, QString> m_codes;
    QHash<QString, int> m_loginDelays;
    QString m_refusal = QString::fromLatin1(DefaultRefusal);
    qint64 m_clockOffset = 0;
    int m_delayMs = 0;
    QList<QJsonObject> m_log;
    QFile m_logFile;
};
