#include "glowmatrixdriver.h"

namespace {

constexpr char Start = char(0xA5);
constexpr char End = char(0xAE);
constexpr char Escape = char(0xAA);

void append16(QByteArray &bytes, int value)
{
    bytes += char((value >> 8) & 0xFF);
    bytes += char(value & 0xFF);
}

// Sum modulo 65536 of the bytes from offset 1 on, appended low byte first.
void appendChecksum(QByteArray &packet)
{
    quint16 sum = 0;
    for (qsizetype i = 1; i < packet.size(); ++i)
        sum = quint16(sum + quint8(packet.at(i)));
    packet += char(sum & 0xFF);
    packet += char(sum >> 8);
}

// Start and end bytes stay as they are; inside, A5, AE and AA are escaped.
QByteArray stuffed(const QByteArray &packet)
{
    QByteArray out;
    out.reserve(packet.size() + 8);
    out += packet.front();
    for (qsizetype i = 1; i + 1 < packet.size(); ++i) {
        const char byte = packet.at(i);
        if (byte == Start)
            out += QByteArray::fromRawData("\xAA\x05", 2);
        else if (byte == End)
            out += QByteArray::fromRawData("\xAA\x0E", 2);
        else if (byte == Escape)
            out += QByteArray::fromRawData("\xAA\x0A", 2);
        else
            out += byte;
    }
    out += packet.back();
    return out;
}

QByteArray packet(int address, const QByteArray &data)
{
    QByteArray bytes;
    bytes.reserve(data.size() + 13);
    bytes += Start;
    bytes += char(0x68);
    bytes += char(0x32);
    bytes += char(address & 0xFF);
    bytes += char(0x7B);
    bytes += char(0x00);
    bytes += char(data.size() & 0xFF);
    bytes += char((data.size() >> 8) & 0xFF);
    bytes += char(0x00);
    bytes += char(0x00);
    bytes += data;
    appendChecksum(bytes);
    bytes += End;
    return stuffed(bytes);
}

} // namespace

GlowmatrixDriver::GlowmatrixDriver()
    : m_fontHeights{8, 12, 16, 24, 32, 40, 48, 56}
    , m_widths{{8, 6}, {12, 6}, {16, 9}, {24, 12}, {32, 16}, {40, 20}, {48, 24}, {56, 28}}
    , m_colors{QStringLiteral("#FF0000"), QStringLiteral("#00FF00"), QStringLiteral("#0000FF"),
               QStringLiteral("#FFFF00"), QStringLiteral("#00FFFF"), QStringLiteral("#FF00FF"),
               QStringLiteral("#FFFFFF")}
    , m_commandColors{QStringLiteral("#FF0000"), QStringLiteral("#00FF00"), QStringLiteral("#0000FF")}
    , m_alignments{{QStringLiteral("left"), 0}, {QStringLiteral("center"), 1}, {QStringLiteral("right"), 2}}
    , m_brightness{{0, QStringLiteral("0")},   {6, QStringLiteral("20")},  {12, QStringLiteral("40")},
                   {19, QStringLiteral("60")}, {25, QStringLiteral("80")}, {31, QStringLiteral("100")}}
    , m_products{QStringLiteral("K-3310"), QStringLiteral("K-3312"), QStringLiteral("K-3318"), QStringLiteral("K-3361")}
{}

QStringList GlowmatrixDriver::fontSizes() const
{
    QStringList sizes;
    for (const int height : m_fontHeights)
        sizes << QString::number(height);
    return sizes;
}

QStringList GlowmatrixDriver::brightnessLevels() const
{
    QStringList labels;
    for (const auto &level : m_brightness)
        labels << level.second;
    return labels;
}

QByteArray GlowmatrixDriver::clearCommand(int address, int width, int height) const
{
    QByteArray data = QByteArray::fromRawData("\x01\x01\x00\x00\x00\x00", 6);
    append16(data, width);
    append16(data, height);
    return packet(address, data);
}

QByteArray GlowmatrixDriver::textCommand(const QJsonObject &item, int address) const
{
    QByteArray data = QByteArray::fromRawData("\x04\x00\x01", 3);
    data += char(m_alignments.value(item.value(QLatin1String("alignment")).toString(), 1));
    append16(data, item.value(QLatin1String("x")).toInt());
    append16(data, item.value(QLatin1String("y")).toInt());
    append16(data, item.value(QLatin1String("width")).toInt());
    append16(data, item.value(QLatin1String("height")).toInt());
    const int font = int(m_fontHeights.indexOf(item.value(QLatin1String("fontsize")).toInt()));
    data += char(font < 0 ? 0 : font);
    const QColor color = ScoreboardItem::listedColor(item, m_colors);
    data += char(color.red());
    data += char(color.green());
    data += char(color.blue());
    data += ScoreboardItem::text(item).toUtf8();
    data += char(0x00);
    return packet(address, data);
}

QByteArray GlowmatrixDriver::text5Command(const QJsonObject &item, int address) const
{
    Q_UNUSED(item)
    Q_UNUSED(address)
    return QByteArray();
}

QByteArray GlowmatrixDriver::colorCommand(const QColor &color, int address) const
{
    const QRgb rgb = color.rgb() & 0xFFFFFF;
    char code = char(0xFF);
    if (rgb == 0xFF0000)
        code = 0x30;
    else if (rgb == 0x00FF00)
        code = 0x0C;
    else if (rgb == 0x0000FF)
        code = 0x03;
    QByteArray data = QByteArray::fromRawData("\x02\x00\x00\x05\x08\x00\xFF", 7);
    data += code;
    data += QByteArray::fromRawData("\x00\x11\x00\x00\x00", 5);
    return packet(address, data);
}

QByteArray GlowmatrixDriver::dataCommand(const QJsonObject &item, const QByteArray &data, int address) const
{
    QByteArray command = QByteArray::fromRawData("\x03\x00\x00\x01", 4);
    append16(command, item.value(QLatin1String("stayTime")).toInt());
    command += char(0x01);
    append16(command, item.value(QLatin1String("x")).toInt());
    append16(command, item.value(QLatin1String("y")).toInt());
    command += data;
    return packet(address, command);
}

QByteArray GlowmatrixDriver::brightnessCommand(int address, const QString &level) const
{
    int code = 0;
    for (const auto &entry : m_brightness) {
        if (entry.second == level) {
            code = entry.first;
            break;
        }
    }
    QByteArray bytes;
    bytes += Start;
    bytes += char(0x68);
    bytes += char(0x32);
    bytes += char(address & 0xFF);
    bytes += char(0x46);
    bytes += char(0x01);
    bytes += char(0x00);
    bytes += QByteArray(24, char(code));
    appendChecksum(bytes);
    bytes += End;
    return stuffed(bytes);
}
