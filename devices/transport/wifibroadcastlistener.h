#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>

class QUdpSocket;

// Listens for the announcements of Wi-Fi-to-serial bridges. Lives in a
// worker thread of its own while the devices dialog is open: the dialog
// starts the thread (started() to process()) and ends it with onFinish(),
// whose finished() quits the thread. The socket is created in process().
//
// The program listens on port 55555 of every IPv4 address, where broadcasts
// arrive; tests bind an address of their own.
class WifiBroadcastListener : public QObject
{
    Q_OBJECT

public:
    explicit WifiBroadcastListener(const QHostAddress &address = QHostAddress::AnyIPv4, quint16 port = 55555);
    ~WifiBroadcastListener() override;

public slots:
    void process();
    void onFinish();

signals:
    void newDatagram(QHostAddress host, QByteArray datagram);
    // Whether the socket could be bound, after process().
    void listening(bool ok);
    void finished();

private slots:
    void processPendingDatagrams();

private:
    const QHostAddress m_address;
    const quint16 m_port;
    QUdpSocket *m_socket = nullptr;
};
