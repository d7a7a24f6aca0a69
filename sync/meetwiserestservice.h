#pragma once

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

class MeetwiseInterface;
class Participation;
class QJsonObject;
class QJsonValue;
class QNetworkReply;
class QNetworkRequest;
class Result;

// Client of the competition server's REST interface: builds each request,
// sends it, parses the reply and hands it to the listener. It keeps no queue
// and never retries; whoever posts a change decides when to post it again.
//
// Every request operation returns the reply it started, or nullptr when no
// server host is set. The reply belongs to the service: it is processed and
// deleted when it finishes, right after requestFinished() is emitted for it.
//
// A server on a weak link or a misbehaving one must not hold the program up:
// a request ends at its time-out whatever still trickles in, an answer larger
// than its cap is cut off, and an answer of the wrong shape, or one that does
// not confirm what was sent, reaches no listener. The poster then knows
// nothing of the change and posts it again.
class MeetwiseRESTService : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 DefaultPort = 8090;
    // Largest answer taken to a request for data (a schedule, a heat, a
    // list) and to a change or a status message.
    static constexpr qint64 DataAnswerCap = 4 * 1024 * 1024;
    static constexpr qint64 ConfirmationAnswerCap = 16 * 1024;

    // What a change request carried, to check its answer against: the
    // server id it named (0 for a new result), the participation of a new
    // result, and the local id sent as unique.
    struct SentChange
    {
        unsigned id = 0;
        unsigned participation = 0;
        unsigned unique = 0;
    };

    explicit MeetwiseRESTService(QObject *parent = nullptr);
    ~MeetwiseRESTService() override;

    void setListener(MeetwiseInterface *listener) { m_listener = listener; }
    MeetwiseInterface *listener() const { return m_listener; }

    void setHost(const QString &host);
    QString host() const { return m_host; }
    void setPort(quint16 port) { m_port = port; }
    quint16 port() const { return m_port; }
    void setUser(const QString &user);
    QString user() const { return m_user; }
    void setPassword(const QString &password);
    QString password() const { return m_password; }
    void setCompetition(unsigned competitionId) { m_competition = competitionId; }
    unsigned competition() const { return m_competition; }
    void setSessions(const QList<unsigned> &sessions) { m_sessions = sessions; }
    QList<unsigned> sessions() const { return m_sessions; }
    void setDates(const QList<QDate> &dates) { m_dates = dates; }
    QList<QDate> dates() const { return m_dates; }
    // A configured session header value; empty makes the service build one at
    // the next request (only when a user is set).
    void setSessionId(const QString &sessionId);
    // The header value requests carry, built now if needed (empty while no
    // user is set).
    QString sessionId();
    // The machine id that enters the header and keys the password cipher;
    // the platform's own unless set (tests).
    void setMachineId(const QString &machineId);
    QString machineId() const { return m_machineId; }
    // Time-out in ms for every request from now on, counted from the moment
    // it is posted, queueing and connecting included, and however slowly the
    // answer still arrives; 0 = none.
    void setTransferTimeout(int ms) { m_transferTimeout = ms; }
    int transferTimeout() const { return m_transferTimeout; }

    // The comma-separated forms of the configuration file.
    static QList<unsigned> sessionsFromText(const QString &text);
    static QList<QDate> datesFromText(const QString &text);

    QNetworkReply *requestCompetitions();
    QNetworkReply *requestDisqualificationRules(const QString &language);
    QNetworkReply *requestEvents();
    QNetworkReply *requestHeatResults(unsigned heatId);
    QNetworkReply *requestParticipations(unsigned heatId);
    QNetworkReply *updateParticipationOrder(unsigned serverId, unsigned order, unsigned unique);
    QNetworkReply *updateParticipationStartHeight(unsigned serverId, double height, unsigned unique);
    QNetworkReply *updateParticipationStatus(unsigned serverId, bool outOfCompetitionCombinedEvent, bool abandoned,
                                             unsigned unique);
    // live: the body of a judge's new entry, which carries info twice; false:
    // the body rebuilt from the queue of pending actions.
    QNetworkReply *newResult(unsigned participationServerId, const Result &result, unsigned unique, bool live);
    QNetworkReply *updateResult(unsigned serverId, const Result &result, unsigned unique);
    QNetworkReply *deleteResult(unsigned serverId, unsigned unique);
    QNetworkReply *postWhatIsHappening(const QString &type, const QString &data);

    // Request bodies (application/x-www-form-urlencoded, fields in the
    // server's order; values percent-encoded).
    static QByteArray participationOrderBody(unsigned serverId, unsigned order, unsigned unique);
    static QByteArray participationStartHeightBody(unsigned serverId, double height, unsigned unique);
    static QByteArray participationStatusBody(unsigned serverId, bool outOfCompetitionCombinedEvent, bool abandoned,
                                              unsigned unique);
    static QByteArray newResultBody(unsigned participationServerId, const Result &result, unsigned unique, bool live);
    static QByteArray updateResultBody(unsigned serverId, const Result &result, unsigned unique);
    static QByteArray deleteResultBody(unsigned serverId, unsigned unique);
    static QByteArray whatIsHappeningBody(const QString &type, const QString &data);
    // A number as the bodies carry it: the shortest decimal form, never an
    // exponent.
    static QString numberText(double value);

    // Reply parsing.
    static QList<QVariantMap> parseHeatEvents(const QVariantList &events, const QList<unsigned> &sessions,
                                              const QList<QDate> &dates);
    // New records, owned by the caller, bound to no store.
    static QList<Participation *> parseHeatResults(const QVariantList &participations, unsigned heatId);
    static QList<QVariantMap> parseTrackParticipations(const QVariantList &participations);
    static QList<QVariantMap> parseDisqualificationRules(const QVariantList &rules);

    // Hands a reply body that came for the given URL path to the listener.
    void processReplyBody(const QString &path, const QByteArray &body);

    // Shapes of the answers whose content replaces what the program holds:
    // only an answer that has them all is taken.
    static bool isHeatEventsShape(const QJsonValue &events);
    static bool isHeatResultsShape(const QJsonValue &participations);
    // Whether the object a change's answer names confirms the change sent:
    // a positive id (the one sent, where one was), the unique sent and,
    // where the answer names a participation, the one sent. Without a
    // request to compare with (sent null), only the shape is checked.
    static bool confirms(const QJsonObject &answer, const SentChange *sent);

signals:
    // After a reply has been handled (or dropped for an error): the caller can
    // forget it. The reply is deleted later.
    void requestFinished(QNetworkReply *reply);

public slots:
    void processNetworkReply(QNetworkReply *reply);

private:
    QNetworkRequest makeRequest(const QString &pathAndQuery, const QByteArray &contentType);
    QNetworkReply *get(const QString &pathAndQuery, const QByteArray &contentType);
    QNetworkReply *postForm(const QString &path, const QByteArray &body, const SentChange &sent);
    // Ends the reply at the time-out and once its answer outgrows the cap.
    QNetworkReply *watch(QNetworkReply *reply, qint64 cap);
    void handleReplyBody(const QString &path, const QByteArray &body, const SentChange *sent);
    QByteArray sessionHeader();
    void forgetBuiltSessionId();

    MeetwiseInterface *m_listener = nullptr;
    QNetworkAccessManager m_network;
    // Status messages go through a manager of their own, so that a server
    // slow to answer them never holds a connection a result needs.
    QNetworkAccessManager m_statusNetwork;
    QHash<QNetworkReply *, SentChange> m_sent;
    QString m_host;
    quint16 m_port = DefaultPort;
    QString m_user;
    QString m_password;
    unsigned m_competition = 0;
    QList<unsigned> m_sessions;
    QList<QDate> m_dates;
    QString m_sessionId;
    bool m_sessionIdConfigured = false;
    QString m_machineId;
    int m_transferTimeout = 0;
};
