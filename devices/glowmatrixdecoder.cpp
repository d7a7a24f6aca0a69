#include "devices/glowmatrixdecoder.h"

#include <QStringDecoder>

namespace {

constexpr char Start = char(0xA5);
constexpr char End = char(0xAE);
constexpr char Escape = char(0xAA);
constexpr int BrightestCode = 31;

int byteAt(const QByteArray &bytes, qsizetype i)
{
    return quint8(bytes.at(i));
}

int bigEndian(const QByteArray &bytes, qsizetype i)
{
    return byteAt(bytes, i) << 8 | byteAt(bytes, i + 1);
}

quint16 sum(const QByteArray &bytes, qsizetype count)
{
    quint16 total = 0;
    for (qsizetype i = 0; i < count; ++i)
        total = quint16(total + byteAt(bytes, i));
    return total;
}

QString alignmentWord(int code)
{
    switch (code) {
    case 0:
        return QStringLiteral("left");
    case 1:
        return QStringLiteral("center");
    case 2:
        return QStringLiteral("right");
    default:
        return QString();
    }
}

} // namespace

int GlowmatrixDecoder::fontHeight(int code)
{
    static const int heights[] = {8, 12, 16, 24, 32, 40, 48, 56};
    return code >= 0 && code < 8 ? heights[code] : 0;
}

int GlowmatrixDecoder::characterWidth(int fontHeight)
{
    switch (fontHeight) {
    case 8:
    case 12:
        return 6;
    case 16:
        return 9;
    default:
        return fontHeight / 2;
    }
}

QString GlowmatrixDecoder::brightnessLevel(int code)
{
    static const int codes[] = {0, 6, 12, 19, 25, 31};
    for (int level = 0; level < 6; ++level) {
        if (codes[level] == code)
            return QString::number(level * 20);
    }
    return QString();
}

bool GlowmatrixDecoder::unstuff(const QByteArray &stuffed, QByteArray *bytes)
{
    bytes->clear();
    bytes->reserve(stuffed.size());
    for (qsizetype i = 0; i < stuffed.size(); ++i) {
        const char byte = stuffed.at(i);
        if (byte != Escape) {
            bytes->append(byte);
            continue;
        }
        if (++i >= stuffed.size())
            return false;
        switch (stuffed.at(i)) {
        case 0x05:
            bytes->append(Start);
            break;
        case 0x0E:
            bytes->append(End);
            break;
        case 0x0A:
            bytes->append(Escape);
            break;
        default:
            return false;
        }
    }
    return true;
}

void GlowmatrixDecoder::reset()
{
    m_packet.clear();
    m_inPacket = false;
    m_overlong = false;
}

QList<BoardCommand> GlowmatrixDecoder::feed(const QByteArray &bytes)
{
    QList<BoardCommand> commands;
    for (const char byte : bytes) {
        if (byte == Start) {
            if (m_inPacket)
                reject(QStringLiteral("a packet without its end byte"));
            else if (m_garbage)
                reject(QStringLiteral("bytes outside a packet"));
            reset();
            m_garbage = false;
            m_inPacket = true;
            continue;
        }
        if (!m_inPacket) {
            m_garbage = true;
            continue;
        }
        if (byte != End) {
            if (m_packet.size() < MaximumPacket)
                m_packet += byte;
            else
                m_overlong = true;
            continue;
        }
        BoardCommand command;
        if (m_overlong)
            reject(QStringLiteral("a packet longer than %1 bytes").arg(MaximumPacket));
        else if (decodePacket(m_packet, &command))
            commands.append(command);
        reset();
    }
    return commands;
}

bool GlowmatrixDecoder::decodePacket(const QByteArray &stuffed, BoardCommand *command)
{
    QByteArray body;
    if (!unstuff(stuffed, &body)) {
        reject(QStringLiteral("an escape byte that escapes nothing"));
        return false;
    }
    // body: everything from offset 1 of the packet up to the checksum's end.
    if (body.size() < 6 || byteAt(body, 0) != 0x68 || byteAt(body, 1) != 0x32) {
        reject(QStringLiteral("not a packet header"));
        return false;
    }
    const auto checksumAt = [&](qsizetype offset) {
        return quint16(byteAt(body, offset) | byteAt(body, offset + 1) << 8) == sum(body, offset);
    };
    command->address = byteAt(body, 2);
    if (byteAt(body, 3) == 0x46) {
        // Brightness: 0x01 0x00, a code for each hour of the day, checksum.
        if (body.size() != 32 || byteAt(body, 4) != 0x01 || byteAt(body, 5) != 0x00) {
            reject(QStringLiteral("a brightness packet of the wrong shape"));
            return false;
        }
        if (!checksumAt(30)) {
            reject(QStringLiteral("wrong checksum"));
            return false;
        }
        const int code = byteAt(body, 6);
        command->kind = BoardCommand::Brightness;
        command->brightnessCode = code;
        command->brightnessLevel = brightnessLevel(code);
        command->brightness = qBound(0.0, double(code) / BrightestCode, 1.0);
        return true;
    }
    if (body.size() < 11 || byteAt(body, 3) != 0x7B || byteAt(body, 4) != 0x00 || byteAt(body, 7) != 0x00 ||
        byteAt(body, 8) != 0x00) {
        reject(QStringLiteral("not a packet header"));
        return false;
    }
    const qsizetype length = byteAt(body, 5) | byteAt(body, 6) << 8;
    if (body.size() != 9 + length + 2) {
        reject(QStringLiteral("length %1 for %2 data bytes").arg(length).arg(body.size() - 11));
        return false;
    }
    if (!checksumAt(9 + length)) {
        reject(QStringLiteral("wrong checksum"));
        return false;
    }
    return decodeData(body.mid(9, length), command);
}

bool GlowmatrixDecoder::decodeData(const QByteArray &data, BoardCommand *command)
{
    const int kind = data.isEmpty() ? -1 : byteAt(data, 0);
    if (kind == 0x01 && data.size() == 10 && data.startsWith(QByteArray::fromRawData("\x01\x01\0\0\0\0", 6))) {
        command->kind = BoardCommand::Clear;
        command->size = QSize(bigEndian(data, 6), bigEndian(data, 8));
        return true;
    }
    if (kind == 0x04 && data.size() >= 17 && byteAt(data, 1) == 0x00 && byteAt(data, 2) == 0x01 &&
        data.endsWith('\0')) {
        BoardItem &item = command->item;
        item.alignment = alignmentWord(byteAt(data, 3));
        item.box = QRect(bigEndian(data, 4), bigEndian(data, 6), bigEndian(data, 8), bigEndian(data, 10));
        item.fontSize = fontHeight(byteAt(data, 12));
        item.characterWidth = characterWidth(item.fontSize);
        item.color = QColor(byteAt(data, 13), byteAt(data, 14), byteAt(data, 15));
        const QByteArray text = data.mid(16, data.size() - 17);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        item.text = utf8(text);
        if (!item.alignment.isEmpty() && item.fontSize > 0 && !text.contains('\0') && !utf8.hasError()) {
            command->kind = BoardCommand::Text;
            return true;
        }
        reject(QStringLiteral("a text command with a bad field"));
        return false;
    }
    if (kind == 0x02 && data.size() == 13) {
        command->kind = BoardCommand::Color;
        switch (byteAt(data, 7)) {
        case 0x30:
            command->color = QColor(255, 0, 0);
            break;
        case 0x0C:
            command->color = QColor(0, 255, 0);
            break;
        case 0x03:
            command->color = QColor(0, 0, 255);
            break;
        default:
            break;
        }
        return true;
    }
    if (kind == 0x03 && data.size() >= 11) {
        command->kind = BoardCommand::Data;
        command->stayTime = bigEndian(data, 4);
        command->position = QPoint(bigEndian(data, 7), bigEndian(data, 9));
        command->data = data.mid(11);
        return true;
    }
    reject(QStringLiteral("unknown command %1").arg(kind));
    return false;
}
