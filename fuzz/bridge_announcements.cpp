// What a Wi-Fi-to-serial bridge announces: any datagram gives a port of the
// bridge's address with a name from the name field alone, a serial number
// shown as "6/1/" and at most six digits, and the port can be listed; a name
// sent by a bridge reads back as the longest run of whole characters that
// fits the field.
//
// The input is read twice: whole, as a datagram; and as the text of a name
// that a bridge announces.
#include <QRegularExpression>

#include "devices/transport/bridgeannouncement.h"
#include "devices/transport/dataportslistmodel.h"
#include "devices/transport/outputdevice.h"
#include "fuzzsupport.h"

namespace {

// The longest start of the name, up to its first NUL, that a field of
// nameLength bytes holds in UTF-8 without splitting a character.
QString fittingName(QString name)
{
    const qsizetype nul = name.indexOf(QChar());
    if (nul >= 0)
        name.truncate(nul);
    qsizetype length = qMin<qsizetype>(name.size(), BridgeAnnouncement::nameLength);
    for (; length > 0; --length) {
        const bool splitsPair = length < name.size() && name.at(length).isLowSurrogate();
        if (!splitsPair && name.left(length).toUtf8().size() <= BridgeAnnouncement::nameLength)
            break;
    }
    return name.left(length);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::prepare();
    const QByteArray datagram(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString hex = QString::fromLatin1(datagram.toHex());
    const QHostAddress sender(quint32(0xC0A80414));
    const qint64 heard = 1781352000;

    const QVariantMap port = BridgeAnnouncement::descriptor(sender, datagram, heard);
    FUZZ_CHECK(port.value(QStringLiteral("type")).toInt() == OutputDevice::WifiToSerialType, hex);
    FUZZ_CHECK(port.value(QStringLiteral("ip")).toUInt() == sender.toIPv4Address(), hex);
    FUZZ_CHECK(port.value(QStringLiteral("timestamp")).toLongLong() == heard, hex);
    const QString rawName = BridgeAnnouncement::rawName(datagram);
    FUZZ_CHECK(rawName.size() <= BridgeAnnouncement::nameLength && !rawName.contains(QChar()), hex);
    const QString name = port.value(QStringLiteral("name")).toString();
    if (rawName.startsWith(QLatin1String("wfbrdg"), Qt::CaseInsensitive)) {
        static const QRegularExpression serialNumber(QStringLiteral("^6/1/(0|[1-9][0-9]{0,5})$"));
        FUZZ_CHECK(serialNumber.match(name).hasMatch(), name);
    } else {
        FUZZ_CHECK(name == rawName, hex);
    }

    // Heard again, the port stays listed once, under its name.
    DataPortsListModel ports;
    FUZZ_CHECK(ports.addPort(port) && !ports.addPort(port), name);
    ports.updatePort(port);
    FUZZ_CHECK(ports.rowCount() == 1 && ports.indexOfPort(name) == 0, name);
    FuzzSupport::readEveryCell(ports);

    const QString sent = QString::fromUtf8(datagram);
    const QByteArray announcement = BridgeAnnouncement::build(sent);
    FUZZ_CHECK(announcement.size() == BridgeAnnouncement::datagramSize, sent);
    FUZZ_CHECK(BridgeAnnouncement::rawName(announcement) == fittingName(sent), sent);
    return 0;
}
