#include "devices/transport/wifitoserial.h"

#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <utility>

#include "devices/transport/transportlogging.h"

WifiToSerial::WifiToSerial(const QString &name, quint32 ip)
    : OutputDevice(WifiToSerialType, name, ip)
{}

WifiToSerial::~WifiToSerial()
{
    delete m_socket;
}

QString WifiToSerial::displayName() const
{
    return name() + QLatin1Char('(') + QHostAddress(ip()).toString() + QLatin1Char(')');
}

void WifiToSerial::process()
{
    m_socket = new QTcpSocket;
    m_connectTimer = new QTimer(this);
    m_connectTimer->setSingleShot(true);
    connect(m_socket, &QTcpSocket::readyRead, this, &WifiToSerial::onReadData);
    connect(m_socket, &QTcpSocket::connected, this, &WifiToSerial::onConnected);
    connect(m_socket, &QTcpSocket::disconnected, this, &WifiToSerial::onDisconnected);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &WifiToSerial::onSocketError);
    connect(m_connectTimer, &QTimer::timeout, this, &WifiToSerial::onConnectTimeout);
    open();
}

void WifiToSerial::open()
{
    if (!m_socket)
        return;
    qCDebug(lcTransport).noquote() << QStringLiteral("Wifi2Serial open ") + name();
    close();
    const QHostAddress address(ip());
    qCDebug(lcTransport).noquote() << QStringLiteral("Connect to ") + address.toString();
    m_connectTimer->start(connectTimeoutMs);
    m_socket->connectToHost(address, bridgePort, QIODevice::ReadWrite);
}

bool WifiToSerial::isOpen() const
{
    return m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

bool WifiToSerial::connecting() const
{
    return m_connectTimer && m_connectTimer->isActive();
}

void WifiToSerial::close()
{
    if (!m_socket)
        return;
    m_connectTimer->stop();
    m_held.clear();
    m_heldBytes = 0;
    if (m_socket->state() == QAbstractSocket::UnconnectedState)
        return;
    if (isOpen() && m_socket->bytesToWrite() > 0)
        m_socket->waitForBytesWritten(200);
    // No signals from the socket's own closing: this is no lost connection.
    const QSignalBlocker blocker(m_socket);
    m_socket->abort();
}

void WifiToSerial::write(const QByteArray &data)
{
    send(data, 0);
}

void WifiToSerial::onWriteData(QByteArray data, int msleep)
{
    if (stopRequested())
        return;
    send(data, msleep);
}

void WifiToSerial::send(const QByteArray &data, int msleep)
{
    if (!m_socket)
        return;
    if (!isOpen() && !connecting()) {
        if (!m_retryAt.hasExpired())
            return; // the bridge was unreachable a moment ago: dropped
        open();
    }
    if (connecting()) {
        if (m_heldBytes + data.size() <= maxHeldBytes) {
            m_held.append({data, msleep});
            m_heldBytes += data.size();
        }
        return;
    }
    if (!isOpen())
        return;
    m_socket->write(data);
    m_socket->waitForBytesWritten(1000);
    if (msleep > 0)
        QThread::msleep(static_cast<unsigned long>(msleep));
}

void WifiToSerial::onConnected()
{
    m_connectTimer->stop();
    m_lastFailure.clear();
    m_connectedSince.start();
    emit port_opened(true);
    // What was given while connecting goes out now, paced as it was asked.
    const QList<QPair<QByteArray, int>> held = std::exchange(m_held, {});
    m_heldBytes = 0;
    for (const auto &[data, msleep] : held) {
        if (stopRequested() || !isOpen())
            break;
        send(data, msleep);
    }
}

void WifiToSerial::onConnectTimeout()
{
    {
        const QSignalBlocker blocker(m_socket);
        m_socket->abort();
    }
    connectFailed(QStringLiteral("no answer within %1 ms").arg(connectTimeoutMs));
}

void WifiToSerial::onSocketError(QAbstractSocket::SocketError error)
{
    Q_UNUSED(error)
    if (connecting()) {
        // The socket falls back to unconnected by itself.
        connectFailed(m_socket->errorString());
        return;
    }
    // A connection that was up and broke ends in disconnected(); the next
    // frame connects again at once, as a bridge that restarted is likely
    // back already.
}

void WifiToSerial::onDisconnected()
{
    if (connecting())
        return;
    qCDebug(lcTransport).noquote() << QStringLiteral("Wifi2Serial %1 lost its connection").arg(name());
    // A bridge that closes every connection at once (one that takes a
    // single client, say) is not connected to again for every frame.
    if (m_connectedSince.isValid() && m_connectedSince.elapsed() < retryIntervalMs)
        m_retryAt.setRemainingTime(retryIntervalMs);
    emit port_opened(false);
}

void WifiToSerial::connectFailed(const QString &reason)
{
    m_connectTimer->stop();
    m_held.clear();
    m_heldBytes = 0;
    m_retryAt.setRemainingTime(retryIntervalMs);
    const QString failure = QStringLiteral("Wifi2Serial %1 could not connect: %2").arg(displayName(), reason);
    if (failure != m_lastFailure) {
        qCDebug(lcTransport).noquote() << failure;
        m_lastFailure = failure;
    }
    emit port_opened(false);
}

void WifiToSerial::onReadData()
{
    while (m_socket->bytesAvailable() > 0)
        emit dataRead(m_socket->readAll());
}
