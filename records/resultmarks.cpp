#include "records/resultmarks.h"

#include <QStringList>

const QString ResultMarks::X = QStringLiteral("X");
const QString ResultMarks::Dash = QStringLiteral("-");
const QString ResultMarks::O = QStringLiteral("O");
const QString ResultMarks::DNS = QStringLiteral("DNS");
const QString ResultMarks::DNF = QStringLiteral("DNF");
const QString ResultMarks::A = QStringLiteral("a");
const QString ResultMarks::Empty = QString();
const QString ResultMarks::Zero = QStringLiteral("0");
const QString ResultMarks::DQ = QStringLiteral("DQ");
const QString ResultMarks::R = QStringLiteral("r");

double ResultMarks::parseTyped(const QString &text)
{
    if (text.isEmpty())
        return Removal;
    if (text == X)
        return Failed;
    if (text == Zero)
        return Cleared;
    if (text == Dash)
        return Skipped;
    if (text == DNS)
        return DidNotStart;
    if (text == DQ)
        return Disqualified;
    if (text == R)
        return Retired;
    QString number = text;
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? value : 0.0;
}

double ResultMarks::fromAttemptCharacter(QChar c)
{
    if (c == QLatin1Char('X'))
        return Failed;
    if (c == QLatin1Char('-'))
        return Skipped;
    if (c == QLatin1Char('0'))
        return Cleared;
    return NoMark;
}

unsigned ResultMarks::jumpOffNumber(const QString &info)
{
    const QStringList tokens = info.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &token : tokens) {
        if (!token.startsWith(QLatin1String("JO")))
            continue;
        bool ok = false;
        const unsigned number = token.mid(2).toUInt(&ok);
        if (ok)
            return number;
    }
    return 0;
}

bool ResultMarks::isJumpOff(const QString &info)
{
    return info.contains(QLatin1String("JO"));
}

QString ResultMarks::jumpOffToken(unsigned number)
{
    return QStringLiteral("JO%1").arg(number);
}
