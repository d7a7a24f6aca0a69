#pragma once

#include <QChar>
#include <QString>

// Turns result values into the texts officials read: field distances and
// heights in metres, track times in h:mm:ss.ff.
class ResultFormatter
{
public:
    enum class Rounding { Truncate, Up, Nearest };
    enum class TimePrecision { Tenths, Hundredths };

    // A number of metres with 0 to 3 decimals. 0.0000005 is added first so
    // that a stored 7.90 (7.8999999...) does not truncate to 7.89.
    static QString formatDecimal(double value, int decimals = 2, Rounding rounding = Rounding::Truncate);

    // Text of a field result: the reserved marks, or the distance (horizontal)
    // or the height in metavalue (vertical), truncated to the centimetre.
    static QString fieldResult(double value, double metavalue, QChar fieldType);

    // Text of a track result: the reserved words, or the time rounded up to
    // hundredths (tenths for hand-timed types "MNL" and "PHM").
    static QString trackResult(double value, const QString &type);
    // Empty for a value that is no time (not finite, or beyond 1e15 s).
    static QString formatTime(double seconds, TimePrecision precision);
    static TimePrecision precisionOfType(const QString &type);
};
