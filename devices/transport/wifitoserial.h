#pragma once

#include <QAbstractSocket>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QPair>

#include "devices/transport/outputdevice.h"

class QTcpSocket;
class QTimer;

// A device behind a Wi-Fi-to-serial bridge: a TCP connection to port 3210 of
// the bridge, whose serial side is set up on the bridge itself.
//
// Connecting never blocks the worker thread: a connection that is not made
// within connectTimeoutMs counts as failed. Frames given while a connection
// is being made wait for it (up to maxHeldBytes); after a failed attempt the
// next one is made no sooner than retryIntervalMs later, and frames given in
// between are dropped at once. A bridge out of range therefore neither holds
// up the worker nor lets frames pile up, and the first frame after it is back
// goes out. A connection the bridge closes within retryIntervalMs counts as
// a failed attempt.
class WifiToSerial : public OutputDevice
{
    Q_OBJECT

public:
    static constexpr quint16 bridgePort = 3210;
    static constexpr int connectTimeoutMs = 5000;
    static constexpr int retryIntervalMs = 3000;
    static constexpr int maxHeldBytes = 64 * 1024;

    WifiToSerial(const QString &name, quint32 ip);
    ~WifiToSerial() override;

    // Name and dotted address: "6/1/123(192.168.4.20)".
    QString displayName() const override;
    void open() override;
    bool isOpen() const override;
    void close() override;
    void write(const QByteArray &data) override;

public slots:
    void process() override;
    void onWriteData(QByteArray data, int msleep) override;
    // The bridge's serial side is set up on the bridge: nothing to do.
    void onSetProperties(QVariantMap map) override { Q_UNUSED(map) }

private slots:
    void onReadData();
    void onConnected();
    void onDisconnected();
    void onSocketError(QAbstractSocket::SocketError error);
    void onConnectTimeout();

private:
    bool connecting() const;
    void send(const QByteArray &data, int msleep);
    void connectFailed(const QString &reason);

    QTcpSocket *m_socket = nullptr;
    QTimer *m_connectTimer = nullptr;
    QDeadlineTimer m_retryAt{0};
    QElapsedTimer m_connectedSince;
    QList<QPair<QByteArray, int>> m_held;
    qsizetype m_heldBytes = 0;
    QString m_lastFailure;
};
