#include "records/resultformatter.h"

#include <QCoreApplication>

#include <cmath>

#include "records/resultmarks.h"

QString ResultFormatter::formatDecimal(double value, int decimals, Rounding rounding)
{
    const bool negative = value < 0;
    const double magnitude = std::fabs(value) + 0.0000005;
    const double scale = std::pow(10.0, decimals);
    double scaled = magnitude * scale;
    switch (rounding) {
    case Rounding::Truncate:
        scaled = std::floor(scaled);
        break;
    case Rounding::Up:
        // The epsilon added above must not push an exact value up a unit.
        scaled = std::ceil(scaled - 0.0000005 * scale * 2);
        break;
    case Rounding::Nearest:
        scaled = std::floor(scaled + 0.5);
        break;
    }
    QString text = QString::number(scaled / scale, 'f', decimals);
    if (negative && scaled != 0)
        text.prepend(QLatin1Char('-'));
    return text;
}

QString ResultFormatter::fieldResult(double value, double metavalue, QChar fieldType)
{
    if (value == ResultMarks::Removal || value == ResultMarks::NoMark)
        return QString();
    if (value == ResultMarks::Retired)
        return ResultMarks::R;
    if (value == ResultMarks::DidNotStart)
        return ResultMarks::DNS;
    if (value == ResultMarks::Disqualified)
        return ResultMarks::DQ;
    if (fieldType == QLatin1Char('V'))
        return formatDecimal(metavalue);
    if (value == ResultMarks::Failed)
        return ResultMarks::X;
    if (value == ResultMarks::Skipped)
        return ResultMarks::Dash;
    return formatDecimal(value);
}

ResultFormatter::TimePrecision ResultFormatter::precisionOfType(const QString &type)
{
    if (type == QLatin1String("MNL") || type == QLatin1String("PHM"))
        return TimePrecision::Tenths;
    return TimePrecision::Hundredths;
}

QString ResultFormatter::trackResult(double value, const QString &type)
{
    if (value == ResultMarks::DidNotFinish)
        return QCoreApplication::translate("ResultFormatter", "DNF");
    if (value == ResultMarks::DidNotStart)
        return QCoreApplication::translate("ResultFormatter", "DNS");
    if (value == ResultMarks::Disqualified)
        return QCoreApplication::translate("ResultFormatter", "DQ");
    if (value == ResultMarks::Rup)
        return QCoreApplication::translate("ResultFormatter", "RUP");
    if (value == ResultMarks::NoReactionTime)
        return QCoreApplication::translate("ResultFormatter", "no reaction time");
    if (value == ResultMarks::NoResult)
        return QCoreApplication::translate("ResultFormatter", "NR");
    return formatTime(value, precisionOfType(type));
}

QString ResultFormatter::formatTime(double seconds, TimePrecision precision)
{
    // A value from outside that no clock can have measured (not a number,
    // infinite, or more than thirty million years) has no time to show, and
    // would not fit the whole units counted below.
    if (!(std::fabs(seconds) < 1e15))
        return QString();
    const bool negative = seconds < 0;
    // Cut to whole millionths, then round up to the unit shown; the small
    // subtraction keeps an exact 10.00 from becoming 10.01.
    const double micro = std::trunc(std::fabs(seconds) * 1e6) / 1e6;
    const int digits = precision == TimePrecision::Tenths ? 1 : 2;
    const long long perSecond = precision == TimePrecision::Tenths ? 10 : 100;
    const long long units = static_cast<long long>(std::ceil((micro - 0.00000005) * perSecond));
    const long long totalUnits = units < 0 ? 0 : units;

    const long long fraction = totalUnits % perSecond;
    const long long wholeSeconds = totalUnits / perSecond;
    const long long hours = wholeSeconds / 3600;
    const long long minutes = (wholeSeconds / 60) % 60;
    const long long secs = wholeSeconds % 60;

    QString text;
    if (hours != 0)
        text = QStringLiteral("%1:%2:%3")
                   .arg(hours)
                   .arg(minutes, 2, 10, QLatin1Char('0'))
                   .arg(secs, 2, 10, QLatin1Char('0'));
    else if (minutes != 0)
        text = QStringLiteral("%1:%2").arg(minutes).arg(secs, 2, 10, QLatin1Char('0'));
    else
        text = QString::number(secs);
    text += QStringLiteral(".%1").arg(fraction, digits, 10, QLatin1Char('0'));
    if (negative && totalUnits != 0)
        text.prepend(QLatin1Char('-'));
    return text;
}
