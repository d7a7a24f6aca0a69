#pragma once

#include <QFile>
#include <QHostAddress>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include "tools/meetwise-standin/standincompetition.h"

class QHttpServerRequest;
class QTcpServer;
class QTcpSocket;
class QUdpSocket;
class StandinHttpEndpoint;

// A stand-in for the competition server: answers the REST requests and the
// discovery pings of the program from a competition file, and has switches
// that tests use to make it fail the ways a real server on a real network
// fails (down, slow, answers lost, answers trickling in or without end,
// answers rewritten). Runs in-process in tests or as the program
// meetwise-standin.
class StandinServer : public QObject
{
    Q_OBJECT

public:
    struct Settings
    {
        QHostAddress address = QHostAddress(QHostAddress::LocalHost);
        quint16 port = 8090;
        quint16 controlPort = 0;   // 0: no control channel
        quint16 discoveryPort = 0; // 0: no discovery (1217 answers pings)
        // Every address by default, where broadcasts arrive; one address to
        // stay off the ports of other servers on the same machine.
        QHostAddress discoveryAddress = QHostAddress(QHostAddress::AnyIPv4);
        quint16 discoveryAnswerPort = 1218;
        QString logFile;   // JSON lines; empty: kept in memory only
        QString stateFile; // where save requests write by default
        bool down = false;
        int delayMs = 0;
        int dropEvery = 0;
        // A request larger than this is refused (413) and its connection
        // closed; a connection on which nothing passes this long is closed.
        qint64 maxRequestBytes = 1024 * 1024;
        int idleTimeoutMs = 30000;
    };

    // Ways to answer wrongly; each acts on the requests whose path begins
    // with path (every request when it is empty). The request itself is
    // acted on as usual.
    struct Faults
    {
        QString path;
        // Answers go out one byte every this many ms; 0 = at once.
        int trickleMs = 0;
        // Answers are a body without end.
        bool endless = false;
        // Members that replace those of the object an answer names (its
        // "result", "participation", ...); a null member is removed.
        QJsonObject rewrite;
        // Sent instead of the answer, with status 200, when not empty.
        QByteArray body;
    };

    // A request of the program as the stand-in reads it.
    struct Request
    {
        QString method; // "GET", "POST", ...
        QString path;
        StandinFields fields; // of the query, or of a form body
        QJsonObject json;     // of a JSON body
        QByteArray sessionId;
        bool hasSessionId = false; // an empty header is not a missing one
        bool close = false;        // the client wants the connection closed
    };

    explicit StandinServer(QObject *parent = nullptr);
    ~StandinServer() override;

    // The demo competition built into the stand-in.
    static QString demoCompetitionPath();

    bool loadCompetition(const QString &path, QString *error = nullptr);
    StandinCompetition &competition() { return m_competition; }

    // Listens as the settings say (also when down: then the port is free and
    // only the switch holds it). False with the reason when a port is taken.
    bool start(const Settings &settings, QString *error = nullptr);
    void stop();

    // Down: the port refuses connections, open connections are cut and
    // discovery pings go unanswered.
    bool setDown(bool down, QString *error = nullptr);
    bool isDown() const { return m_down; }
    // Every answer waits this long (the change itself is made at once).
    void setDelay(int ms) { m_delayMs = qMax(0, ms); }
    int delay() const { return m_delayMs; }
    // Every n-th request is read and acted on, then its connection closed
    // without an answer; 0 = never.
    void setDropEvery(int n);
    int dropEvery() const { return m_dropEvery; }
    void setFaults(const Faults &faults) { m_faults = faults; }
    Faults faults() const { return m_faults; }

    // Reads what Qt's HTTP parser made of a request; pure, for tests and
    // fuzzing.
    static Request readRequest(const QString &method, const QUrl &url,
                               const QList<QPair<QByteArray, QByteArray>> &headers, const QByteArray &body);
    // The answer to a request, the change it asks for made in the competition.
    StandinCompetition::Reply answer(const Request &request);

    QJsonObject status() const;
    bool saveState(const QString &path = QString(), QString *error = nullptr);

    // Every request received on the service port and every discovery ping.
    QList<QJsonObject> requestLog() const { return m_log; }
    void clearRequestLog();
    int requestCount() const { return m_requestCount; }

signals:
    void requestLogged(const QJsonObject &entry);
    // The control channel asked the program to end.
    void quitRequested();

private:
    friend class StandinHttpEndpoint;
    friend class StandinTcpServer;
    void handleServiceRequest(const QHttpServerRequest &request, QTcpSocket *socket);
    void handleControlRequest(const QHttpServerRequest &request, QTcpSocket *socket);
    // Limits what one connection may send and how long it may stay idle.
    void guard(QTcpSocket *socket);
    void sendAnswer(QTcpSocket *socket, const QString &path, int status, const QByteArray &body, bool close);
    // The file a control request may save to: inside the folder of the
    // state file, or none.
    QString savePath(const QString &requested, QString *error) const;
    QHostAddress controlAddress() const;
    void readDiscoveryPings();
    void log(const QJsonObject &entry);
    void cutConnections();
    bool listenService(QString *error);

    StandinCompetition m_competition;
    QString m_competitionPath;
    Settings m_settings;
    StandinHttpEndpoint *m_service = nullptr;
    StandinHttpEndpoint *m_control = nullptr;
    QTcpServer *m_serviceSocket = nullptr;
    QTcpServer *m_controlSocket = nullptr;
    QUdpSocket *m_discovery = nullptr;
    bool m_down = false;
    int m_delayMs = 0;
    int m_dropEvery = 0;
    int m_requestCount = 0;
    int m_dropCount = 0;
    Faults m_faults;
    QList<QJsonObject> m_log;
    QFile m_logFile;
};
