#include "devices/udpresultoutput.h"

#include <QRegularExpression>
#include <QUdpSocket>

#include "app/settings.h"
#include "devices/standaloneresult.h"
#include "devices/transport/transportlogging.h"

namespace {

const QString Group = QStringLiteral("edm");
const QString DefaultAddress = QStringLiteral("127.0.0.1");

} // namespace

QString UdpResultOutput::addressPattern()
{
    const QString part = QStringLiteral("(?:[0-1]?[0-9]?[0-9]|2[0-4][0-9]|25[0-5])");
    return QStringLiteral("^") + part + QStringLiteral("\\.") + part + QStringLiteral("\\.") + part +
           QStringLiteral("\\.") + part + QStringLiteral("$");
}

std::optional<QHostAddress> UdpResultOutput::parseAddress(const QString &text)
{
    static const QRegularExpression pattern(addressPattern());
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    // Part by part in decimal: "010" is ten here, not an octal eight.
    quint32 address = 0;
    for (const QString &part : text.split(QLatin1Char('.')))
        address = (address << 8) | part.toUInt();
    return QHostAddress(address);
}

UdpResultOutput::UdpResultOutput(QObject *parent)
    : QObject(parent)
    , m_socket(new QUdpSocket(this))
{
    Settings *settings = Settings::instance();
    m_enabled = settings->value(Group, QStringLiteral("udp_enabled"), false).toBool();
    m_addressText = settings->value(Group, QStringLiteral("udp_ip"), DefaultAddress).toString();
    // A stored address that is none (an older version kept what was typed)
    // falls back to the default.
    const std::optional<QHostAddress> stored = parseAddress(m_addressText);
    m_address = stored ? *stored : QHostAddress(QHostAddress::LocalHost);
    if (!stored)
        m_addressText = DefaultAddress;
    const int port = settings->value(Group, QStringLiteral("udp_port"), DefaultPort).toInt();
    m_port = port > 0 && port <= 65535 ? quint16(port) : DefaultPort;
}

void UdpResultOutput::setEnabled(bool enabled)
{
    m_enabled = enabled;
    Settings::instance()->setValue(Group, QStringLiteral("udp_enabled"), enabled);
}

bool UdpResultOutput::setAddressText(const QString &text)
{
    const std::optional<QHostAddress> address = parseAddress(text);
    m_complete = address.has_value();
    if (!m_complete)
        return false;
    m_address = *address;
    m_addressText = text;
    Settings::instance()->setValue(Group, QStringLiteral("udp_ip"), text);
    return true;
}

void UdpResultOutput::setPort(int port)
{
    if (port <= 0 || port > 65535)
        return;
    m_port = quint16(port);
    Settings::instance()->setValue(Group, QStringLiteral("udp_port"), port);
}

bool UdpResultOutput::send(const QString &text)
{
    if (!m_enabled)
        return false;
    const QByteArray payload = StandaloneResult::udpPayload(text);
    if (m_socket->writeDatagram(payload, m_address, m_port) != payload.size()) {
        qCDebug(lcTransport).noquote() << QStringLiteral("UDP result to %1:%2 not sent: %3")
                                              .arg(m_address.toString())
                                              .arg(m_port)
                                              .arg(m_socket->errorString());
        return false;
    }
    return true;
}
