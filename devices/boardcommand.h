#pragma once

#include <QByteArray>
#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// One text on an LED board as a decoder reads it back from the bytes a
// driver sent: its box, font (pixel height and the width of one character
// cell in that make's font), colour, alignment inside the box and text.
struct BoardItem
{
    QRect box;
    int fontSize = 0;
    int characterWidth = 0;
    QColor color;
    QString alignment; // "left", "center" or "right"
    QString text;

    bool operator==(const BoardItem &other) const
    {
        return box == other.box && fontSize == other.fontSize && characterWidth == other.characterWidth &&
               color == other.color && alignment == other.alignment && text == other.text;
    }
    bool operator!=(const BoardItem &other) const { return !(*this == other); }
};

// One command a board received, decoded.
struct BoardCommand
{
    enum Kind { Clear, Text, Brightness, Color, Data };

    Kind kind = Clear;
    int address = 0;         // C-Power: the board address of the packet
    QSize size;              // Clear: the board size, when the make sends it
    BoardItem item;          // Text
    int brightnessCode = 0;  // Brightness: the code on the wire ...
    QString brightnessLevel; // ... and its label in the make's table (empty when unlisted)
    double brightness = 1;   // ... and as a share of the brightest, 0 to 1
    QColor color;            // Color: the colour chosen (invalid: none)
    QPoint position;         // Data
    int stayTime = 0;        // Data
    QByteArray data;         // Data
};
