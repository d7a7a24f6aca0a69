#pragma once

#include <QChar>
#include <QString>

// The reserved values that a result's value can hold instead of a measurement,
// and the texts that show and type them.
class ResultMarks
{
public:
    // Field events.
    static constexpr double Failed = -1;  // "X"
    static constexpr double Skipped = -2; // "-"
    static constexpr double Removal = -7; // a result set to this is deleted, not stored
    static constexpr double Retired = -8; // "r"
    static constexpr double NoMark = 0;
    static constexpr double Cleared = 1; // vertical: height cleared, the height is the metavalue

    // Track events.
    static constexpr double DidNotFinish = -2; // "DNF"
    static constexpr double DidNotStart = -3;  // "DNS"
    static constexpr double Disqualified = -4; // "DQ"
    static constexpr double Rup = -5;          // "RUP"
    static constexpr double NoReactionTime = -6;
    static constexpr double NoResult = -7; // "NR"

    static const QString X;
    static const QString Dash;
    static const QString O;
    static const QString DNS;
    static const QString DNF;
    static const QString A;
    static const QString Empty;
    static const QString Zero;
    static const QString DQ;
    static const QString R;

    // A mark typed by a judge: "" removal, "X" failed, "0" cleared, "-" skipped,
    // "DNS", "DQ", "r" retired, else a number with "," read as "." (0 when no number).
    static double parseTyped(const QString &text);

    // One character of an attempt string: "X" -1, "-" -2, "0" 1, anything else 0.
    static double fromAttemptCharacter(QChar c);

    // The jump-off attempt number carried by a token "JO<n>" in an info text, 0 when none.
    static unsigned jumpOffNumber(const QString &info);
    // Whether an info text marks a jump-off attempt at all.
    static bool isJumpOff(const QString &info);
    static QString jumpOffToken(unsigned number);
};
