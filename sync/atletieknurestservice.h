#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QSslCertificate>
#include <QString>
#include <QUrl>
#include <QVariantMap>

#include <functional>
#include <optional>

class AtletiekNuInterface;
class QNetworkReply;
class QNetworkRequest;

// Client of the AtletiekNu results service (HTTPS): logs in with the
// competition's synchronisation code and measures the offset between the
// service's clock and this machine's. Replies go to the listener, recognised
// by the "question" header of the request they answer.
class AtletiekNuRESTService : public QObject
{
    Q_OBJECT

public:
    // The service's address unless the settings name another (group
    // "atletieknu", key "host").
    static constexpr const char *DefaultHost = "https://atletieknu.example/";

    struct LoginReply
    {
        bool success = false;
        QString text;
    };

    explicit AtletiekNuRESTService(QObject *parent = nullptr);
    ~AtletiekNuRESTService() override;

    void setListener(AtletiekNuInterface *listener) { m_listener = listener; }
    // The base the request paths are resolved against, e.g.
    // "https://results.example/sync/"; a missing final "/" is added.
    void setHost(const QUrl &host);
    QUrl host() const { return m_host; }
    // Certificates to trust instead of the system's (a stand-in with a
    // certificate of its own); empty: the system's.
    void setTrustedCertificates(const QList<QSslCertificate> &certificates);
    // Milliseconds since the epoch; the system clock unless set (tests).
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

    // Stores the code and logs in with it; asks for the time as well while
    // no offset has been measured.
    void setCode(const QString &code);
    QString code() const { return m_code; }
    // 0 while not measured.
    qint64 serverTimeOffset() const { return m_serverTimeOffset; }
    QNetworkReply *refreshTimeOffset();

    // Reply texts from the service, any bytes.
    static LoginReply parseLoginReply(const QByteArray &body);
    // The "time" member in ms; 0 when the body is no JSON object with one.
    static quint64 parseServerTime(const QByteArray &body);
    // A JSON array of objects (events, participants); empty otherwise.
    static QList<QVariantMap> parseList(const QByteArray &body);
    // Service time t against the local send time a and receive time b, taken
    // as the middle of the round trip; nothing when any is 0 or a >= b.
    static std::optional<qint64> timeOffset(quint64 t, qint64 a, qint64 b);

signals:
    // Results the service was sent could not be stored there.
    void resultsNotUploaded(const QString &errorText);

public slots:
    void processNetworkReply(QNetworkReply *reply);

private:
    QNetworkRequest makeRequest(const QString &pathAndQuery, const QByteArray &question) const;
    QNetworkReply *login();
    // An empty body takes the list kept from the last one that came.
    void handleCachedList(QNetworkReply *reply, const QByteArray &question, QByteArray body);

    AtletiekNuInterface *m_listener = nullptr;
    QNetworkAccessManager *m_network = nullptr;
    QUrl m_host;
    QList<QSslCertificate> m_trusted;
    std::function<qint64()> m_clock;
    QString m_code;
    qint64 m_serverTimeOffset = 0;
    // Only the answer to the newest login may reach the listener: the codes
    // typed before it are stale, and their answers can arrive last.
    quint64 m_loginSerial = 0;
};
