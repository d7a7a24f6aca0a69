#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>

#include <optional>

class QUdpSocket;

// The UDP result output of the standalone measuring page: each result as one
// datagram (see StandaloneResult::udpPayload) to an address and port kept in
// the settings group "edm" ("udp_enabled", "udp_ip", "udp_port").
//
// The address is typed on a touch screen, so the text it is given may be on
// its way to an address ("192.168.1."). Only a complete dotted IPv4 address
// becomes the target (and is stored); until the text is complete again the
// datagrams go to the last complete one.
class UdpResultOutput : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 DefaultPort = 55550;

    // The pattern of a dotted IPv4 address (each part 0 to 255), for the
    // address field's validator.
    static QString addressPattern();
    // The address a text names when it is a complete dotted IPv4 address.
    static std::optional<QHostAddress> parseAddress(const QString &text);

    // Reads the settings.
    explicit UdpResultOutput(QObject *parent = nullptr);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    // Takes and stores the address when the text is complete; false (and the
    // target unchanged) otherwise.
    bool setAddressText(const QString &text);
    bool isAddressComplete() const { return m_complete; }
    // The text the address field shows at start.
    QString addressText() const { return m_addressText; }
    QHostAddress address() const { return m_address; }
    void setPort(int port);
    quint16 port() const { return m_port; }

    // Sends the datagram of the text when enabled; true when it went out.
    bool send(const QString &text);

private:
    QUdpSocket *m_socket;
    bool m_enabled = false;
    QString m_addressText;
    QHostAddress m_address;
    bool m_complete = true;
    quint16 m_port = DefaultPort;
};
