#include "devices/transport/bridgeannouncement.h"

#include <QDateTime>

#include "devices/transport/outputdevice.h"

namespace BridgeAnnouncement {

QString rawName(const QByteArray &datagram)
{
    QByteArray field = datagram.mid(nameOffset, nameLength);
    const qsizetype end = field.indexOf('\0');
    if (end >= 0)
        field.truncate(end);
    return QString::fromUtf8(field);
}

QString displayName(const QString &rawName)
{
    if (!rawName.startsWith(QLatin1String("wfbrdg"), Qt::CaseInsensitive))
        return rawName;
    bool ok = false;
    const uint number = rawName.mid(6, 6).toUInt(&ok);
    return QStringLiteral("6/1/%1").arg(ok ? number : 0u);
}

QVariantMap descriptor(const QHostAddress &sender, const QByteArray &datagram, qint64 timestamp)
{
    return QVariantMap{
        {QStringLiteral("type"), int(OutputDevice::WifiToSerialType)},
        {QStringLiteral("name"), displayName(rawName(datagram))},
        {QStringLiteral("ip"), sender.toIPv4Address()},
        {QStringLiteral("timestamp"), timestamp},
    };
}

QVariantMap descriptor(const QHostAddress &sender, const QByteArray &datagram)
{
    return descriptor(sender, datagram, QDateTime::currentSecsSinceEpoch());
}

QByteArray build(const QString &name, quint16 tcpPort)
{
    QByteArray datagram(datagramSize, '\0');
    // Header: a tag, a version and the bridge's TCP port (big-endian).
    datagram.replace(0, 4, "WBAN");
    datagram[4] = 1;
    datagram[5] = char(tcpPort >> 8);
    datagram[6] = char(tcpPort & 0xff);
    QByteArray field;
    for (const QChar *c = name.constBegin(); c != name.constEnd(); ++c) {
        // Whole characters only (a surrogate pair is one).
        const qsizetype length = (c->isHighSurrogate() && c + 1 != name.constEnd()) ? 2 : 1;
        const QByteArray bytes = QStringView(c, length).toUtf8();
        if (field.size() + bytes.size() > nameLength)
            break;
        field += bytes;
        c += length - 1;
    }
    datagram.replace(nameOffset, field.size(), field);
    return datagram;
}

} // namespace BridgeAnnouncement
