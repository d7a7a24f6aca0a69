#include "lanternixdriver.h"

namespace {

constexpr char CR = '\r';

QByteArray hex(int value, int digits)
{
    return QByteArray::number(value, 16).rightJustified(digits, '0');
}

} // namespace

LanternixDriver::LanternixDriver()
    : m_fonts{{'A', 7}, {'B', 8}, {'C', 9}, {'D', 11}, {'E', 12}}
    , m_widths{{7, 6}, {8, 7}, {9, 8}, {11, 10}, {12, 11}}
    , m_colors{QStringLiteral("#FF0000"), QStringLiteral("#00FF00"), QStringLiteral("#FFFF00")}
    , m_alignments{QStringLiteral("left"), QStringLiteral("center"), QStringLiteral("right")}
    , m_products{QStringLiteral("K-315"), QStringLiteral("K-2106"), QStringLiteral("K-2144")}
{
    const int codes[] = {0, 13, 26, 38, 51, 63, 77, 90, 102, 115, 127};
    for (int level = 0; level <= 10; ++level)
        m_brightness.append({codes[level], QString::number(level)});
}

QStringList LanternixDriver::fontSizes() const
{
    QStringList sizes;
    for (const auto &font : m_fonts)
        sizes << QString::number(font.second);
    return sizes;
}

QStringList LanternixDriver::brightnessLevels() const
{
    QStringList labels;
    for (const auto &level : m_brightness)
        labels << level.second;
    return labels;
}

int LanternixDriver::characterWidth(int fontSize) const
{
    Q_UNUSED(fontSize)
    return -1;
}

QByteArray LanternixDriver::clearCommand(int address, int width, int height) const
{
    Q_UNUSED(address)
    Q_UNUSED(width)
    Q_UNUSED(height)
    return QByteArray("C") + CR;
}

QString LanternixDriver::fitText(const QString &text, int width, int fontSize, const QString &alignment) const
{
    const int n = width / m_widths.value(fontSize, 7);
    // Counted in characters, so that one outside the basic plane is never
    // cut in half.
    QList<uint> fitted = text.toUcs4();
    const auto pad = [&fitted](qsizetype size, bool left) {
        if (fitted.size() < size)
            fitted.insert(left ? 0 : fitted.size(), size - fitted.size(), uint(' '));
    };
    if (alignment == QLatin1String("center")) {
        if (n <= 0)
            return QString();
        while (fitted.size() < n) {
            fitted.prepend(uint(' '));
            fitted.append(uint(' '));
        }
        fitted.resize(n);
    } else if (alignment == QLatin1String("right")) {
        if (n <= 0)
            return QString();
        if (fitted.size() >= n)
            fitted.resize(n);
        else
            pad(n, true);
    } else {
        // Left (and anything unknown): one space more than the box holds,
        // never cut.
        pad(n + 1, false);
    }
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(fitted.constData()), fitted.size());
}

QByteArray LanternixDriver::textCommand(const QJsonObject &item, int address) const
{
    Q_UNUSED(address)
    const QColor color = ScoreboardItem::listedColor(item, m_colors);
    const int fontSize = item.value(QLatin1String("fontsize")).toInt();
    char letter = 'A';
    for (const auto &font : m_fonts) {
        if (font.second == fontSize) {
            letter = font.first;
            break;
        }
    }
    const int width = item.value(QLatin1String("width")).toInt();
    // A carriage return ends a command: one inside the text would cut it and
    // have the board read the rest as a command of its own ("C" clears).
    QString shown = ScoreboardItem::text(item);
    shown.replace(QLatin1Char('\r'), QLatin1Char(' '));
    const QString text = fitText(shown, width, fontSize, item.value(QLatin1String("alignment")).toString());
    QByteArray command("T");
    command += hex(color.red(), 2) + hex(color.green(), 2) + hex(color.blue(), 2);
    command += hex(item.value(QLatin1String("x")).toInt(), 4) + hex(item.value(QLatin1String("y")).toInt(), 4) +
               hex(width, 4) + hex(item.value(QLatin1String("height")).toInt(), 4);
    command += letter;
    command += text.toUtf8();
    command += CR;
    return command;
}

QByteArray LanternixDriver::text5Command(const QJsonObject &item, int address) const
{
    Q_UNUSED(item)
    Q_UNUSED(address)
    return QByteArray();
}

QByteArray LanternixDriver::colorCommand(const QColor &color, int address) const
{
    Q_UNUSED(address)
    QByteArray command("S90");
    const QRgb rgb = color.rgb() & 0xFFFFFF;
    if (rgb == 0xFF0000)
        command += '1';
    else if (rgb == 0x00FF00)
        command += '2';
    else if (rgb == 0xFFFF00)
        command += '3';
    return command + CR;
}

QByteArray LanternixDriver::dataCommand(const QJsonObject &item, const QByteArray &data, int address) const
{
    Q_UNUSED(item)
    Q_UNUSED(data)
    Q_UNUSED(address)
    return QByteArray();
}

QByteArray LanternixDriver::brightnessCommand(int address, const QString &level) const
{
    Q_UNUSED(address)
    int code = 0;
    for (const auto &entry : m_brightness) {
        if (entry.second == level) {
            code = entry.first;
            break;
        }
    }
    return QByteArray("S2") + hex(code, 2) + CR + "S4" + hex(code, 2) + hex(code, 2) + CR;
}
