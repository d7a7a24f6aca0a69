#pragma once

#include "devices/boarddecoder.h"
#include "devices/carriagereturnlines.h"

// Reads the Changhong command stream: lines of ASCII ended by a carriage
// return. "C" clears; "T" with the colour, box and font letter in
// hexadecimal shows a text (already fitted to its box by the driver);
// "S2"/"S4" set the brightness, "S90" a colour.
class LanternixDecoder : public BoardDecoder
{
public:
    static constexpr const char *Controller = "Changhong";
    // A line this long without its carriage return is not a command.
    static constexpr qsizetype MaximumLine = 4096;

    QString controller() const override { return QString::fromLatin1(Controller); }
    QList<BoardCommand> feed(const QByteArray &bytes) override;
    void reset() override { m_lines.reset(); }

    // The font of a letter: its pixel height and character width; 0 for a
    // letter the board has no font for.
    static int fontHeight(char letter);
    static int characterWidth(int fontHeight);
    // The label of a brightness code; empty when the board lists none.
    static QString brightnessLevel(int code);

private:
    bool decodeLine(const QByteArray &line, BoardCommand *command);

    CarriageReturnLines m_lines{MaximumLine};
};
