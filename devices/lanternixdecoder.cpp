#include "devices/lanternixdecoder.h"

#include <QStringDecoder>

namespace {

constexpr int BrightestCode = 127;

// Lower- or upper-case hexadecimal of exactly the given bytes; -1 otherwise.
int hexValue(const QByteArray &digits)
{
    int value = 0;
    for (const char c : digits) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

BoardCommand brightness(int code)
{
    BoardCommand command;
    command.kind = BoardCommand::Brightness;
    command.brightnessCode = code;
    command.brightnessLevel = LanternixDecoder::brightnessLevel(code);
    command.brightness = qBound(0.0, double(code) / BrightestCode, 1.0);
    return command;
}

} // namespace

int LanternixDecoder::fontHeight(char letter)
{
    switch (letter) {
    case 'A':
        return 7;
    case 'B':
        return 8;
    case 'C':
        return 9;
    case 'D':
        return 11;
    case 'E':
        return 12;
    default:
        return 0;
    }
}

int LanternixDecoder::characterWidth(int fontHeight)
{
    switch (fontHeight) {
    case 7:
        return 6;
    case 8:
        return 7;
    case 9:
        return 8;
    case 11:
        return 10;
    case 12:
        return 11;
    default:
        return 7;
    }
}

QString LanternixDecoder::brightnessLevel(int code)
{
    static const int codes[] = {0, 13, 26, 38, 51, 63, 77, 90, 102, 115, 127};
    for (int level = 0; level <= 10; ++level) {
        if (codes[level] == code)
            return QString::number(level);
    }
    return QString();
}

QList<BoardCommand> LanternixDecoder::feed(const QByteArray &bytes)
{
    QList<BoardCommand> commands;
    m_lines.feed(bytes, [this, &commands](const QByteArray &line, bool overlong) {
        if (overlong) {
            reject(QStringLiteral("a line longer than %1 bytes").arg(MaximumLine));
        } else if (!line.isEmpty()) {
            BoardCommand command;
            if (decodeLine(line, &command))
                commands.append(command);
        }
    });
    return commands;
}

bool LanternixDecoder::decodeLine(const QByteArray &line, BoardCommand *command)
{
    if (line == "C") {
        command->kind = BoardCommand::Clear;
        return true;
    }
    if (line.startsWith("S90") && line.size() <= 4) {
        command->kind = BoardCommand::Color;
        const char digit = line.size() == 4 ? line.at(3) : '\0';
        if (digit == '1')
            command->color = QColor(255, 0, 0);
        else if (digit == '2')
            command->color = QColor(0, 255, 0);
        else if (digit == '3')
            command->color = QColor(255, 255, 0);
        else if (digit != '\0') {
            reject(QStringLiteral("unknown colour %1").arg(QLatin1Char(digit)));
            return false;
        }
        return true;
    }
    if (line.startsWith("S2") && line.size() == 4) {
        const int code = hexValue(line.mid(2, 2));
        if (code >= 0) {
            *command = brightness(code);
            return true;
        }
    }
    if (line.startsWith("S4") && line.size() == 6) {
        const int day = hexValue(line.mid(2, 2));
        const int night = hexValue(line.mid(4, 2));
        if (day >= 0 && day == night) {
            *command = brightness(day);
            return true;
        }
    }
    // T rrggbb xxxx yyyy wwww hhhh letter text
    if (line.startsWith('T') && line.size() >= 24) {
        int fields[7];
        bool valid = true;
        for (int i = 0; i < 3; ++i)
            valid = valid && (fields[i] = hexValue(line.mid(1 + 2 * i, 2))) >= 0;
        for (int i = 0; i < 4; ++i)
            valid = valid && (fields[3 + i] = hexValue(line.mid(7 + 4 * i, 4))) >= 0;
        const int height = fontHeight(line.at(23));
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8(line.mid(24));
        if (valid && height > 0 && !utf8.hasError()) {
            command->kind = BoardCommand::Text;
            BoardItem &item = command->item;
            item.color = QColor(fields[0], fields[1], fields[2]);
            item.box = QRect(fields[3], fields[4], fields[5], fields[6]);
            item.fontSize = height;
            item.characterWidth = characterWidth(height);
            // The driver has fitted the text to the box already.
            item.alignment = QStringLiteral("left");
            item.text = text;
            return true;
        }
    }
    reject(QStringLiteral("not a command: %1").arg(QString::fromLatin1(line.left(32).toPercentEncoding(" "))));
    return false;
}
