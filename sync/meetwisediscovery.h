#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

class QUdpSocket;

// What a competition server tells about itself in its discovery answer.
struct MeetwiseDiscoveryAnswer
{
    QString name;
    QString user;
    QString password;
};

// Finds competition servers on the local network: pings them by UDP every
// 2000 ms and deciphers their answers. Runs on the GUI thread; a ping is
// handed to the socket and never waited for, so a network that swallows
// datagrams cannot freeze the screen.
class MeetwiseDiscovery : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 PingPort = 1217;
    static constexpr quint16 AnswerPort = 1218;
    static constexpr int EchoInterval = 2000;
    // Addresses to ping instead of the broadcasts (comma-separated), and the
    // address the answers are awaited on: for a network that blocks
    // broadcasts, and for tests that must stay on their own loopback address.
    static constexpr const char *PingTargetsVariable = "STADIONIX_DISCOVERY_PING";
    static constexpr const char *ListenAddressVariable = "STADIONIX_DISCOVERY_LISTEN";

    explicit MeetwiseDiscovery(QObject *parent = nullptr);
    ~MeetwiseDiscovery() override;

    // Drawn once per object: 8 to the power 1..6, modulo 863.
    int pingNumber() const { return m_pingNumber; }
    QByteArray pingDatagram() const;

    // Empty: the general broadcast and every interface's broadcast address.
    void setPingTargets(const QList<QHostAddress> &targets) { m_targets = targets; }
    QList<QHostAddress> pingTargets() const;
    void setListenAddress(const QHostAddress &address) { m_listenAddress = address; }
    QHostAddress listenAddress() const { return m_listenAddress; }

    // Binds the answer port, pings at once and then on every echo tick. False
    // (and logged) when the port cannot be bound; nothing is found then.
    bool start();
    void stop();
    bool isRunning() const { return m_echoTimer.isActive(); }

    // Reads one answer datagram; false when it is none or cannot be
    // deciphered into at least four fields. Text from the network: any bytes.
    static bool parseAnswer(const QByteArray &datagram, MeetwiseDiscoveryAnswer *answer);
    // 255.255.255.255, then the broadcast address of every address of every
    // interface but the loopback.
    static QList<QHostAddress> broadcastAddresses();

signals:
    void new_server(QString address, QString name, QString user, QString password);

public slots:
    void processPendingDatagram();
    void onEchoTimer();

private:
    void sendPing();

    QUdpSocket *m_socket = nullptr;
    QTimer m_echoTimer;
    int m_pingNumber = 0;
    QList<QHostAddress> m_targets;
    QHostAddress m_listenAddress;
    // Targets whose last ping could not be sent: logged once, not every tick.
    QSet<QString> m_failing;
};
