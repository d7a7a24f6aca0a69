#pragma once

#include <QByteArray>
#include <QString>

// The result frame that other systems (a results display, a timing system)
// read on a serial line of 1200 baud, 7 data bits, even parity and 1 stop
// bit: always ten bytes, framed by STX (0x02) and ETX (0x03).
// - A mark: six spaces, a letter and a space: "x" a failure ("X"), "o" a
//   clearance ("0"), "-" a pass ("-"), "a" retired ("r").
// - Nothing (an empty text): eight spaces.
// - A distance: DC4 (0x14), the metres with two decimals right-aligned and
//   padded with zeros to six characters ("007.89"), DC4.
// A receiver frames on the length, so a text that is no distance of six
// characters (not a number, negative, not finite, 1000 m or more) goes out
// as 000.00.
class ResultFrame
{
public:
    static constexpr int Size = 10;
    static constexpr char Start = 0x02;
    static constexpr char End = 0x03;
    static constexpr char Distance = 0x14;

    // The frame for a text; *fits (when given) tells whether a text meant
    // as a distance fitted it, or went out as 000.00.
    static QByteArray encode(const QString &text, bool *fits = nullptr);
    // What a frame of ten bytes says: the mark ("X", "0", "-", "r"), "" or
    // the distance with two decimals ("7.89"); false (with the reason) for
    // bytes that are no frame.
    static bool decode(const QByteArray &frame, QString *text, QString *why = nullptr);
};
