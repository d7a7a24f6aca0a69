#include "glyphs.h"

#include <QtMath>

namespace Glyphs {

namespace {

// Draws a 60 x 100 outline centred in the unit box at the given height.
void strokeCentered(QPainter &painter, const QPainterPath &outline, const QColor &color, qreal height, qreal penWidth,
                    const QPointF &center = QPointF(50, 50))
{
    const qreal scale = height / 100.0;
    painter.save();
    painter.translate(center.x() - 30 * scale, center.y() - 50 * scale);
    painter.scale(scale, scale);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(roundPen(color, penWidth / scale));
    painter.drawPath(outline);
    painter.restore();
}

void line(QPainter &painter, const QColor &color, qreal width, const QPointF &from, const QPointF &to)
{
    painter.setPen(roundPen(color, width));
    painter.drawLine(from, to);
}

void disc(QPainter &painter, const QBrush &brush, const QPointF &center, qreal radius)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(brush);
    painter.drawEllipse(center, radius, radius);
}

// Straight arrow from `from` to the head's tip at `to`.
void straightArrow(QPainter &painter, const QColor &color, qreal width, const QPointF &from, const QPointF &to,
                   qreal headLength, qreal headHalfWidth)
{
    const QPointF d = to - from;
    const qreal length = std::hypot(d.x(), d.y());
    const QPointF shaftEnd = to - d / length * (headLength * 0.8);
    painter.setPen(QPen(color, width, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(from, shaftEnd);
    arrowHead(painter, to, d, headLength, headHalfWidth, color);
}

// Two uprights with a crossbar at `barY`, shared by the height buttons.
void highJumpStand(QPainter &painter, const QColor &color, qreal barY)
{
    line(painter, color, 7, QPointF(14, 26), QPointF(14, 88));
    line(painter, color, 7, QPointF(86, 26), QPointF(86, 88));
    line(painter, color, 6, QPointF(6, 88), QPointF(22, 88));
    line(painter, color, 6, QPointF(78, 88), QPointF(94, 88));
    line(painter, color, 6, QPointF(14, barY), QPointF(86, barY));
}

} // namespace

QPainterPath digitOutline(int digit)
{
    QPainterPath p;
    switch (digit) {
    case 0:
        p.addRoundedRect(QRectF(0, 0, 60, 100), 30, 30);
        break;
    case 1:
        p.moveTo(12, 22);
        p.lineTo(36, 0);
        p.lineTo(36, 100);
        break;
    case 2: {
        const QRectF bowl(2, 0, 56, 56);
        p.arcMoveTo(bowl, 160);
        p.arcTo(bowl, 160, -200);
        p.lineTo(0, 100);
        p.lineTo(60, 100);
        break;
    }
    case 3: {
        const QRectF upper(5, 0, 50, 48);
        const QRectF lower(0, 48, 60, 52);
        p.arcMoveTo(upper, 150);
        p.arcTo(upper, 150, -240);
        p.arcTo(lower, 90, -250);
        p.moveTo(20, 48);
        p.lineTo(30, 48);
        break;
    }
    case 4:
        p.moveTo(46, 100);
        p.lineTo(46, 0);
        p.lineTo(0, 68);
        p.lineTo(60, 68);
        break;
    case 5: {
        const QRectF bowl(0, 40, 60, 60);
        p.moveTo(56, 0);
        p.lineTo(10, 0);
        p.lineTo(6, 47);
        p.arcTo(bowl, 135, -285);
        break;
    }
    case 6: {
        p.addEllipse(QRectF(0, 40, 60, 60));
        p.moveTo(0, 70);
        p.cubicTo(0, 30, 18, 2, 50, 0);
        break;
    }
    case 7:
        p.moveTo(0, 0);
        p.lineTo(60, 0);
        p.lineTo(20, 100);
        break;
    case 8:
        p.addEllipse(QRectF(5, 0, 50, 46));
        p.addEllipse(QRectF(0, 46, 60, 54));
        break;
    case 9:
        p = QTransform(-1, 0, 0, -1, 60, 100).map(digitOutline(6));
        break;
    default:
        break;
    }
    return p;
}

QPainterPath questionMarkOutline()
{
    QPainterPath p;
    const QRectF bowl(2, 0, 56, 52);
    p.arcMoveTo(bowl, 160);
    p.arcTo(bowl, 160, -250);
    p.lineTo(30, 68);
    return p;
}

void digit(QPainter &painter, const Ink &ink, int value)
{
    strokeCentered(painter, digitOutline(value), ink.fg, 58, 10);
}

void backspace(QPainter &painter, const Ink &ink)
{
    QPainterPath key;
    key.moveTo(36, 26);
    key.lineTo(88, 26);
    key.lineTo(88, 74);
    key.lineTo(36, 74);
    key.lineTo(10, 50);
    key.closeSubpath();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(roundPen(ink.fg, 7));
    painter.drawPath(key);
    line(painter, ink.fg, 7, QPointF(50, 39), QPointF(72, 61));
    line(painter, ink.fg, 7, QPointF(72, 39), QPointF(50, 61));
}

void decimalDot(QPainter &painter, const Ink &ink)
{
    disc(painter, ink.fg, QPointF(50, 68), 9);
}

void hyphen(QPainter &painter, const Ink &ink)
{
    line(painter, ink.fg, 10, QPointF(32, 52), QPointF(68, 52));
}

void enter(QPainter &painter, const Ink &ink)
{
    QPainterPath bend;
    bend.moveTo(80, 22);
    bend.lineTo(80, 60);
    bend.lineTo(36, 60);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ink.fg, 9, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.drawPath(bend);
    painter.setPen(roundPen(ink.fg, 9));
    painter.drawPoint(QPointF(80, 22));
    arrowHead(painter, QPointF(14, 60), QPointF(-1, 0), 26, 19, ink.fg);
}

void arrowLeft(QPainter &painter, const Ink &ink)
{
    straightArrow(painter, ink.fg, 12, QPointF(84, 50), QPointF(14, 50), 34, 26);
}

void arrowRight(QPainter &painter, const Ink &ink)
{
    straightArrow(painter, ink.fg, 12, QPointF(16, 50), QPointF(86, 50), 34, 26);
}

void update(QPainter &painter, const Ink &ink)
{
    arcArrow(painter, QPointF(50, 52), 30, 110, -300, 10, 24, 17, ink.fg);
}

void retired(QPainter &painter, const Ink &ink)
{
    // An open door frame with a figure walking out of it.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ink.fg, 6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPolyline(QPolygonF({QPointF(10, 90), QPointF(10, 10), QPointF(44, 10), QPointF(44, 90)}));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink.fg);
    painter.drawPolygon(QPolygonF({QPointF(10, 10), QPointF(27, 18), QPointF(27, 84), QPointF(10, 90)}));

    disc(painter, ink.fg, QPointF(74, 19), 8.5);
    line(painter, ink.fg, 10, QPointF(70, 34), QPointF(65, 57));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(roundPen(ink.fg, 6));
    painter.drawPolyline(
        QPolygonF({QPointF(56, 49), QPointF(62, 38), QPointF(70, 35), QPointF(78, 45), QPointF(88, 47)}));
    painter.drawPolyline(QPolygonF({QPointF(65, 57), QPointF(79, 69), QPointF(80, 88)}));
    painter.drawPolyline(QPolygonF({QPointF(65, 57), QPointF(61, 74), QPointF(53, 87)}));
}

void retiredUndo(QPainter &painter, const Ink &ink)
{
    painter.save();
    painter.scale(0.78, 0.78);
    retired(painter, ink);
    painter.restore();
    // The undo mark sits on a patch of the surface colour so it reads as a
    // separate sign on top of the retired figure.
    disc(painter, ink.bg, QPointF(74, 76), 25);
    arcArrow(painter, QPointF(76, 80), 15, -10, 190, 8, 19, 13, ink.fg);
}

void fail(QPainter &painter, const Ink &ink)
{
    line(painter, ink.fg, 14, QPointF(28, 28), QPointF(72, 72));
    line(painter, ink.fg, 14, QPointF(72, 28), QPointF(28, 72));
}

void pass(QPainter &painter, const Ink &ink)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ink.fg, 12));
    painter.drawEllipse(QPointF(50, 50), 26, 26);
}

void skip(QPainter &painter, const Ink &ink)
{
    line(painter, ink.fg, 12, QPointF(24, 50), QPointF(76, 50));
}

void call(QPainter &painter, const Ink &ink)
{
    QPolygonF horn(
        {QPointF(16, 40), QPointF(34, 40), QPointF(70, 18), QPointF(70, 82), QPointF(34, 60), QPointF(16, 60)});
    painter.setPen(roundPen(ink.fg, 4));
    painter.setBrush(ink.fg);
    painter.drawPolygon(horn);
    line(painter, ink.fg, 8, QPointF(38, 62), QPointF(44, 80));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ink.fg, 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(64, 38, 24, 24), -45 * 16, 90 * 16);
    painter.drawArc(QRectF(60, 26, 36, 48), -45 * 16, 90 * 16);
}

void windSock(QPainter &painter, const Ink &ink)
{
    line(painter, ink.fg, 6, QPointF(16, 10), QPointF(16, 92));
    QPolygonF sock({QPointF(19, 16), QPointF(88, 30), QPointF(88, 46), QPointF(19, 58)});
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink.fg);
    painter.drawPolygon(sock);
    // Bands in the surface colour give the sock its stripes.
    painter.save();
    QPainterPath clip;
    clip.addPolygon(sock);
    painter.setClipPath(clip);
    painter.setBrush(ink.bg);
    painter.drawRect(QRectF(38, 0, 12, 100));
    painter.drawRect(QRectF(62, 0, 10, 100));
    painter.restore();
    painter.setPen(QPen(ink.fg, 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(40, 70), QPointF(84, 70));
    painter.drawLine(QPointF(30, 82), QPointF(70, 82));
}

void totalStation(QPainter &painter, const Ink &ink)
{
    line(painter, ink.fg, 6, QPointF(50, 54), QPointF(20, 92));
    line(painter, ink.fg, 6, QPointF(50, 54), QPointF(80, 92));
    line(painter, ink.fg, 6, QPointF(50, 54), QPointF(50, 92));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink.fg);
    painter.drawRoundedRect(QRectF(30, 46, 40, 8), 2, 2);
    painter.drawRoundedRect(QRectF(36, 16, 28, 30), 4, 4);
    painter.drawRect(QRectF(46, 40, 8, 8));
    line(painter, ink.fg, 5, QPointF(42, 10), QPointF(58, 10));
    line(painter, ink.fg, 4, QPointF(42, 10), QPointF(42, 16));
    line(painter, ink.fg, 4, QPointF(58, 10), QPointF(58, 16));
    disc(painter, ink.bg, QPointF(50, 30), 7);
    disc(painter, ink.fg, QPointF(50, 30), 3);
}

void resort(QPainter &painter, const Ink &ink)
{
    straightArrow(painter, ink.fg, 9, QPointF(34, 86), QPointF(34, 12), 26, 18);
    straightArrow(painter, ink.fg, 9, QPointF(66, 14), QPointF(66, 88), 26, 18);
}

void printer(QPainter &painter, const Ink &ink)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(roundPen(ink.fg, 6));
    painter.drawRect(QRectF(30, 14, 40, 26));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink.fg);
    painter.drawRoundedRect(QRectF(12, 36, 76, 36), 7, 7);
    disc(painter, ink.bg, QPointF(77, 46), 4);
    // The sheet coming out is cut out of the body with the surface colour.
    painter.setBrush(ink.bg);
    painter.drawRect(QRectF(26, 58, 48, 34));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(roundPen(ink.fg, 6));
    painter.drawRect(QRectF(30, 60, 40, 28));
    line(painter, ink.fg, 4, QPointF(38, 70), QPointF(62, 70));
    line(painter, ink.fg, 4, QPointF(38, 79), QPointF(56, 79));
}

void back(QPainter &painter, const Ink &ink)
{
    QPainterPath hook;
    hook.moveTo(84, 84);
    hook.cubicTo(84, 54, 72, 40, 46, 40);
    hook.lineTo(38, 40);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ink.fg, 11, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.drawPath(hook);
    painter.setPen(roundPen(ink.fg, 11));
    painter.drawPoint(QPointF(84, 84));
    arrowHead(painter, QPointF(12, 40), QPointF(-1, 0), 30, 23, ink.fg);
}

void nextAthlete(QPainter &painter, const Ink &ink)
{
    disc(painter, ink.fg, QPointF(34, 30), 13);
    QPainterPath shoulders;
    shoulders.moveTo(8, 86);
    shoulders.cubicTo(8, 48, 60, 48, 60, 86);
    shoulders.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink.fg);
    painter.drawPath(shoulders);
    straightArrow(painter, ink.fg, 8, QPointF(62, 36), QPointF(96, 36), 20, 14);
}

void stopwatch(QPainter &painter, const Ink &ink)
{
    const QPointF center(50, 56);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(ink.fg.red(), ink.fg.green(), ink.fg.blue(), 90));
    painter.drawPie(QRectF(center.x() - 30, center.y() - 30, 60, 60), 90 * 16, -110 * 16);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ink.fg, 7));
    painter.drawEllipse(center, 32, 32);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink.fg);
    painter.drawRoundedRect(QRectF(40, 8, 20, 8), 2, 2);
    line(painter, ink.fg, 6, QPointF(50, 16), QPointF(50, 22));
    line(painter, ink.fg, 6, QPointF(75, 26), QPointF(81, 20));
    line(painter, ink.fg, 6, center, QPointF(50, 32));
    disc(painter, ink.fg, center, 5);
}

void raiseBar(QPainter &painter, const Ink &ink)
{
    highJumpStand(painter, ink.fg, 60);
    straightArrow(painter, ink.fg, 8, QPointF(50, 52), QPointF(50, 8), 22, 16);
}

void removeHeight(QPainter &painter, const Ink &ink)
{
    highJumpStand(painter, ink.fg, 60);
    line(painter, ink.fg, 10, QPointF(34, 30), QPointF(66, 30));
}

void newHeight(QPainter &painter, const Ink &ink)
{
    // The counterpart of removeHeight: the same stand with a plus above the bar.
    highJumpStand(painter, ink.fg, 60);
    line(painter, ink.fg, 10, QPointF(34, 30), QPointF(66, 30));
    line(painter, ink.fg, 10, QPointF(50, 14), QPointF(50, 46));
}

void scoreboardRanking(QPainter &painter, const Ink &ink)
{
    // An LED board on two posts showing a ranking: a place number and a row
    // of lit dots for a name on each line.
    line(painter, ink.fg, 6, QPointF(30, 74), QPointF(30, 92));
    line(painter, ink.fg, 6, QPointF(70, 74), QPointF(70, 92));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink.fg);
    painter.drawRoundedRect(QRectF(6, 8, 88, 68), 6, 6);
    painter.setBrush(ink.bg);
    painter.drawRoundedRect(QRectF(12, 14, 76, 56), 3, 3);
    const int dotsPerRow[3] = {8, 6, 7};
    for (int row = 0; row < 3; ++row) {
        const qreal y = 25 + row * 17;
        strokeCentered(painter, digitOutline(row + 1), ink.fg, 12, 3.2, QPointF(22, y));
        for (int dot = 0; dot < dotsPerRow[row]; ++dot)
            disc(painter, ink.fg, QPointF(34 + dot * 7, y), 2.5);
    }
}

void jumpOff(QPainter &painter, const Ink &ink)
{
    highJumpStand(painter, ink.fg, 50);
    straightArrow(painter, ink.fg, 7, QPointF(38, 42), QPointF(38, 6), 18, 13);
    straightArrow(painter, ink.fg, 7, QPointF(62, 58), QPointF(62, 94), 18, 13);
}

void calendar(QPainter &painter, const Ink &ink)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(roundPen(ink.fg, 6));
    painter.drawRoundedRect(QRectF(12, 20, 76, 68), 6, 6);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink.fg);
    painter.drawRect(QRectF(12, 20, 76, 16));
    line(painter, ink.fg, 7, QPointF(32, 10), QPointF(32, 24));
    line(painter, ink.fg, 7, QPointF(68, 10), QPointF(68, 24));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink.fg);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column)
            painter.drawRect(QRectF(21 + column * 16, 44 + row * 13, 10, 8));
    }
}

void devices(QPainter &painter, const Ink &ink)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(roundPen(ink.fg, 6));
    painter.drawRoundedRect(QRectF(6, 16, 66, 46), 3, 3);
    line(painter, ink.fg, 6, QPointF(39, 62), QPointF(39, 76));
    line(painter, ink.fg, 6, QPointF(24, 78), QPointF(54, 78));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink.bg);
    painter.drawRoundedRect(QRectF(56, 34, 40, 60), 6, 6);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(roundPen(ink.fg, 5));
    painter.drawRoundedRect(QRectF(62, 40, 28, 48), 4, 4);
    disc(painter, ink.fg, QPointF(76, 81), 3);
}

void gear(QPainter &painter, const Ink &ink)
{
    const QPointF c(50, 50);
    const int teeth = 8;
    const qreal outer = 40;
    const qreal inner = 30;
    QPainterPath wheel;
    for (int i = 0; i < teeth; ++i) {
        // Each tooth spans 40 % of its sector at the tip and 60 % at the root,
        // which gives it the slight taper of a real gear.
        const qreal sector = 360.0 / teeth;
        const qreal a = i * sector;
        const qreal angles[4] = {a - sector * 0.30, a - sector * 0.20, a + sector * 0.20, a + sector * 0.30};
        const qreal radii[4] = {inner, outer, outer, inner};
        for (int k = 0; k < 4; ++k) {
            const qreal rad = qDegreesToRadians(angles[k]);
            const QPointF point(c.x() + radii[k] * std::cos(rad), c.y() + radii[k] * std::sin(rad));
            if (i == 0 && k == 0)
                wheel.moveTo(point);
            else
                wheel.lineTo(point);
        }
    }
    wheel.closeSubpath();
    wheel.addEllipse(c, 13, 13);
    wheel.setFillRule(Qt::OddEvenFill);
    painter.setPen(roundPen(ink.fg, 2));
    painter.setBrush(ink.fg);
    painter.drawPath(wheel);
}

void help(QPainter &painter, const Ink &ink)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ink.fg, 7));
    painter.drawEllipse(QPointF(50, 50), 40, 40);
    strokeCentered(painter, questionMarkOutline(), ink.fg, 50, 8, QPointF(50, 50));
    disc(painter, ink.fg, QPointF(50, 74), 5.5);
}

} // namespace Glyphs
