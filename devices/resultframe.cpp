#include "devices/resultframe.h"

#include <QRegularExpression>

#include <cmath>

namespace {

const QLatin1String Spaces("      ");

// A mark's letter on the wire, by the mark; 0 for none.
char letterOf(const QString &mark)
{
    if (mark == QLatin1String("X"))
        return 'x';
    if (mark == QLatin1String("0"))
        return 'o';
    if (mark == QLatin1String("-"))
        return '-';
    if (mark == QLatin1String("r"))
        return 'a';
    return 0;
}

QString markOf(char letter)
{
    switch (letter) {
    case 'x':
        return QStringLiteral("X");
    case 'o':
        return QStringLiteral("0");
    case '-':
        return QStringLiteral("-");
    case 'a':
        return QStringLiteral("r");
    default:
        return QString();
    }
}

// "ddd.dd": what a distance field holds.
bool isDistanceField(const QByteArray &field)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d{3}\\.\\d\\d$"));
    return pattern.match(QString::fromLatin1(field)).hasMatch();
}

} // namespace

QByteArray ResultFrame::encode(const QString &text, bool *fits)
{
    if (fits)
        *fits = true;
    QByteArray frame(1, Start);
    if (text.isEmpty()) {
        frame += QByteArray(8, ' ');
    } else if (const char letter = letterOf(text)) {
        frame += QByteArray(Spaces.data(), Spaces.size()) + letter + ' ';
    } else {
        bool number = false;
        double value = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&number);
        if (value == 0)
            value = 0; // no "-0.00"
        QByteArray field = QByteArray::number(value, 'f', 2).rightJustified(6, '0');
        // Negative, not finite, or too long for six characters: the frame
        // would no longer be ten bytes, or a receiver would read a wrong
        // distance.
        if (!number || !std::isfinite(value) || !isDistanceField(field)) {
            if (fits && number)
                *fits = false;
            field = QByteArrayLiteral("000.00");
        }
        frame += Distance + field + Distance;
    }
    return frame + End;
}

bool ResultFrame::decode(const QByteArray &frame, QString *text, QString *why)
{
    const auto fail = [why](const QString &reason) {
        if (why)
            *why = reason;
        return false;
    };
    if (frame.size() != Size)
        return fail(QStringLiteral("%1 bytes instead of %2").arg(frame.size()).arg(Size));
    if (frame.at(0) != Start || frame.at(Size - 1) != End)
        return fail(QStringLiteral("not framed by STX and ETX"));
    const QByteArray body = frame.mid(1, Size - 2);
    if (body == QByteArray(8, ' ')) {
        text->clear();
        return true;
    }
    if (body.startsWith(QByteArray(Spaces.data(), Spaces.size())) && body.at(7) == ' ') {
        const QString mark = markOf(body.at(6));
        if (mark.isEmpty())
            return fail(QStringLiteral("no mark \"%1\"").arg(QLatin1Char(body.at(6))));
        *text = mark;
        return true;
    }
    if (body.at(0) == Distance && body.at(7) == Distance && isDistanceField(body.mid(1, 6))) {
        *text = QString::number(body.mid(1, 6).toDouble(), 'f', 2);
        return true;
    }
    return fail(QStringLiteral("neither a mark nor a distance: %1").arg(QString::fromLatin1(body.toHex(' '))));
}
