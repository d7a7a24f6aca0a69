#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>

class QSocketNotifier;
class QTcpServer;
class QTcpSocket;
class QTimer;
class QUdpSocket;

// A stand-in for a Wi-Fi-to-serial bridge: it announces itself by UDP (its
// name at bytes 60 to 90, once a second), takes TCP connections on its port
// (3210) and forwards bytes both ways between them and its serial side (a
// pty of a socat pair, a pipe or a file). Everything that reaches the serial
// side is also kept and signalled, so tests can run it in-process without a
// pty. Several run on one machine, each bound to a loopback address of its
// own.
//
// Faults on demand:
// - silent: no announcements (the bridge is still connectable);
// - refusing: new connections are refused (the listening port is closed);
// - unreachable: like a bridge out of range: the open connections are cut,
//   nothing is announced, and connection attempts get no answer at all (they
//   time out rather than being refused);
// - cut: the open connections are closed now.
class WifiBridgeStandin : public QObject
{
    Q_OBJECT

public:
    struct Settings
    {
        QHostAddress address = QHostAddress::AnyIPv4; // TCP and announcements
        quint16 port = 3210;
        QHostAddress announceTo = QHostAddress::Broadcast;
        quint16 announcePort = 55555;
        int announceIntervalMs = 1000;
        QString name = QStringLiteral("WFBRDG000123");
        QString serialPath; // empty: the serial side is in memory only
        bool silent = false;
        bool refusing = false;
        bool unreachable = false;
    };

    explicit WifiBridgeStandin(QObject *parent = nullptr);
    ~WifiBridgeStandin() override;

    bool start(const Settings &settings, QString *error = nullptr);
    void stop();

    void setSilent(bool silent);
    void setRefusing(bool refusing);
    bool setUnreachable(bool unreachable, QString *error = nullptr);
    void cutConnections();

    bool isSilent() const { return m_settings.silent; }
    bool isRefusing() const { return m_settings.refusing; }
    bool isUnreachable() const { return m_settings.unreachable; }
    const Settings &settings() const { return m_settings; }
    int connectionCount() const { return int(m_clients.size()); }
    int connectionsAccepted() const { return m_accepted; }
    int announcementsSent() const { return m_announcements; }

    // All bytes the TCP side has sent to the serial side since the start (or
    // clearReceived()).
    QByteArray received() const { return m_received; }
    void clearReceived() { m_received.clear(); }
    // Bytes as if the serial side had said them: sent to every connection.
    void sendFromSerial(const QByteArray &data);

    // One line of the control channel ("silent on", "cut", "status", ...);
    // the answer line. "quit" emits quitRequested().
    QString command(const QString &line);
    QString status() const;

signals:
    void clientConnected();
    void clientDisconnected();
    // Bytes that went from a TCP connection to the serial side.
    void forwarded(QByteArray data);
    void announced();
    void quitRequested();

private:
    bool listen(QString *error);
    void announce();
    void onNewConnection();
    void onClientReadyRead(QTcpSocket *client);
    void openSerial();
    void closeSerial();
    void onSerialReadable();
    void flushSerial();
    bool openBlackHole(QString *error);
    void closeBlackHole();

    Settings m_settings;
    QTcpServer *m_server = nullptr;
    QUdpSocket *m_announcer = nullptr;
    QTimer *m_announceTimer = nullptr;
    QTimer *m_serialRetry = nullptr;
    QList<QTcpSocket *> m_clients;
    int m_accepted = 0;
    int m_announcements = 0;
    QByteArray m_received;
    // Serial side.
    int m_serialFd = -1;
    QSocketNotifier *m_serialRead = nullptr;
    QSocketNotifier *m_serialWrite = nullptr;
    QByteArray m_serialOut;
    // Unreachable: a listening socket that never accepts, its queue filled.
    int m_blackHole = -1;
    QList<int> m_fillers;
};
