#include "devices/transport/wifibroadcastlistener.h"

#include <QUdpSocket>

#include "devices/transport/transportlogging.h"

WifiBroadcastListener::WifiBroadcastListener(const QHostAddress &address, quint16 port)
    : m_address(address)
    , m_port(port)
{}

WifiBroadcastListener::~WifiBroadcastListener()
{
    delete m_socket;
}

void WifiBroadcastListener::process()
{
    m_socket = new QUdpSocket;
    const bool ok = m_socket->bind(m_address, m_port, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint);
    if (ok)
        connect(m_socket, &QUdpSocket::readyRead, this, &WifiBroadcastListener::processPendingDatagrams);
    else
        qCDebug(lcTransport).noquote() << QStringLiteral("Could not listen for Wi-Fi bridges on %1:%2: %3")
                                              .arg(m_address.toString())
                                              .arg(m_port)
                                              .arg(m_socket->errorString());
    emit listening(ok);
}

void WifiBroadcastListener::processPendingDatagrams()
{
    while (m_socket->hasPendingDatagrams()) {
        QByteArray datagram(qMax<qint64>(0, m_socket->pendingDatagramSize()), Qt::Uninitialized);
        QHostAddress sender;
        const qint64 read = m_socket->readDatagram(datagram.data(), datagram.size(), &sender);
        if (read < 0)
            break;
        datagram.truncate(read);
        emit newDatagram(sender, datagram);
    }
}

void WifiBroadcastListener::onFinish()
{
    emit finished();
}
