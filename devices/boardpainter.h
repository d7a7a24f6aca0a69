#pragma once

#include <QColor>
#include <QImage>

class BoardState;

// Draws a decoded board without widgets: first the LEDs themselves (one
// image pixel per LED, the texts set in a pixel font of each item's height
// and character width), then the board as the eye sees it, one round dot per
// LED. The virtual scoreboard shows and saves the second; the devices
// dialog's preview can show it too.
class BoardPainter
{
public:
    // The colour of an LED that is off.
    static QColor unlitColor() { return QColor(36, 30, 30); }
    static QColor backgroundColor() { return QColor(10, 10, 10); }

    // What each LED shows (black: off), at the board's size. A board of no
    // size gives a null image.
    static QImage ledImage(const BoardState &state);
    // Each LED a dot `pitch` pixels apart, lit ones at the board's
    // brightness.
    static QImage render(const BoardState &state, int pitch = 4);
    // The largest pitch (at least 1) at which the board fits into size.
    static int pitchToFit(const QSize &board, const QSize &size);
};
