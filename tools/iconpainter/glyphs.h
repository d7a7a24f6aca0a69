#pragma once

#include "canvas.h"

#include <QPainterPath>

#include <functional>

// A glyph paints itself into the 100 x 100 unit box set up by beginUnitBox().
using Glyph = std::function<void(QPainter &, const Ink &)>;

namespace Glyphs {

// Stroke outlines (not filled shapes) in a 60 x 100 box; drawn with a round
// pen they give the digits a uniform, font-independent look, so a rerun of
// the generator on another machine produces the same pictures.
QPainterPath digitOutline(int digit);
QPainterPath questionMarkOutline();

void digit(QPainter &painter, const Ink &ink, int value);
void backspace(QPainter &painter, const Ink &ink);
void decimalDot(QPainter &painter, const Ink &ink);
void hyphen(QPainter &painter, const Ink &ink);
void enter(QPainter &painter, const Ink &ink);

void arrowLeft(QPainter &painter, const Ink &ink);
void arrowRight(QPainter &painter, const Ink &ink);
void update(QPainter &painter, const Ink &ink);
void retired(QPainter &painter, const Ink &ink);
void retiredUndo(QPainter &painter, const Ink &ink);

void fail(QPainter &painter, const Ink &ink);
void pass(QPainter &painter, const Ink &ink);
void skip(QPainter &painter, const Ink &ink);
void call(QPainter &painter, const Ink &ink);
void windSock(QPainter &painter, const Ink &ink);
void totalStation(QPainter &painter, const Ink &ink);
void resort(QPainter &painter, const Ink &ink);
void printer(QPainter &painter, const Ink &ink);
void back(QPainter &painter, const Ink &ink);
void nextAthlete(QPainter &painter, const Ink &ink);
void stopwatch(QPainter &painter, const Ink &ink);
void raiseBar(QPainter &painter, const Ink &ink);
void removeHeight(QPainter &painter, const Ink &ink);
void newHeight(QPainter &painter, const Ink &ink);
void scoreboardRanking(QPainter &painter, const Ink &ink);
void jumpOff(QPainter &painter, const Ink &ink);

void calendar(QPainter &painter, const Ink &ink);
void devices(QPainter &painter, const Ink &ink);
void gear(QPainter &painter, const Ink &ink);
void help(QPainter &painter, const Ink &ink);

} // namespace Glyphs
