#include "smallicons.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <functional>

namespace {

using Drawing = std::function<void(QPainter &)>;

// Paints into a unit box inset by `margin` pixels, the padding toolbar
// icons keep so that they do not touch the button frame.
QImage paintIcon(int side, qreal margin, const Drawing &drawing)
{
    QImage image = transparentImage(side, side);
    QPainter painter(&image);
    beginUnitBox(painter, QRectF(margin, margin, side - 2 * margin, side - 2 * margin));
    drawing(painter);
    painter.end();
    return image;
}

QPainterPath stadium(const QRectF &rect)
{
    QPainterPath path;
    const qreal r = qMin(rect.width(), rect.height()) / 2;
    path.addRoundedRect(rect, r, r);
    return path;
}

void burger(QPainter &p)
{
    // The toggle sits on the menu's dark blue: light lines, like its labels.
    p.setPen(roundPen(Palette::lightGrey, 9));
    for (const qreal y : {24.0, 50.0, 76.0})
        p.drawLine(QPointF(14, y), QPointF(86, y));
}

void fieldEvents(QPainter &p)
{
    // A javelin in flight over a shot put ball.
    p.setPen(QPen(Palette::darkBlue, 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 78), QPointF(78, 14));
    p.setPen(QPen(Palette::darkBlue, 12, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(34, 53), QPointF(46, 42));
    arrowHead(p, QPointF(94, 0), QPointF(72, -64), 22, 7, Palette::darkBlue);

    QRadialGradient shine(QPointF(66, 70), 20, QPointF(66, 70));
    shine.setColorAt(0.0, Palette::midBlue.lighter(150));
    shine.setColorAt(1.0, Palette::darkBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(QPointF(72, 76), 17, 17);
}

void trackEvents(QPainter &p)
{
    const QRectF outer(2, 18, 96, 64);
    const QRectF infield(24, 38, 52, 24);
    QPainterPath ring = stadium(outer).subtracted(stadium(infield));
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::midBlue);
    p.drawPath(ring);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Palette::white, 2));
    p.drawPath(stadium(outer.adjusted(7.5, 7, -7.5, -7)));
    p.drawPath(stadium(outer.adjusted(14.5, 13.5, -14.5, -13.5)));
    // Finish line across the home straight.
    p.setPen(QPen(Palette::white, 3));
    p.drawLine(QPointF(62, 62), QPointF(62, 82));
    p.setPen(QPen(Palette::darkBlue, 2));
    p.drawPath(stadium(outer.adjusted(1, 1, -1, -1)));
}

void schedule(QPainter &p)
{
    p.setPen(QPen(Palette::black, 8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(50, 50), 40, 40);
    p.setPen(roundPen(Palette::black, 8));
    p.drawPolyline(QPolygonF({QPointF(50, 24), QPointF(50, 52), QPointF(68, 64)}));
}

void people(QPainter &p)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(Palette::black, 7));
    p.drawEllipse(QPointF(36, 34), 13, 13);
    QPainterPath front;
    front.moveTo(8, 86);
    front.cubicTo(8, 60, 64, 60, 64, 86);
    front.closeSubpath();
    p.drawPath(front);
    p.drawEllipse(QPointF(70, 30), 11, 11);
    QPainterPath behind;
    behind.moveTo(66, 57);
    behind.cubicTo(82, 56, 94, 64, 94, 86);
    behind.lineTo(76, 86);
    p.drawPath(behind);
}

void cached(QPainter &p)
{
    arcArrow(p, QPointF(50, 50), 32, 170, -150, 8, 20, 15, Palette::black);
    arcArrow(p, QPointF(50, 50), 32, -10, -150, 8, 20, 15, Palette::black);
}

void acceptButton(QPainter &p)
{
    const QColor green = Palette::okGreen;
    QLinearGradient fill(QPointF(0, 4), QPointF(0, 96));
    fill.setColorAt(0.0, green.lighter(150));
    fill.setColorAt(1.0, green.darker(120));
    p.setPen(QPen(green.darker(170), 5));
    p.setBrush(fill);
    p.drawEllipse(QPointF(50, 50), 45, 45);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawEllipse(QRectF(20, 10, 60, 34));
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(Palette::white, 12));
    p.drawPolyline(QPolygonF({QPointF(28, 52), QPointF(44, 68), QPointF(73, 36)}));
}

void arrowRefresh(QPainter &p)
{
    // A dark pass under a lighter one outlines the arrows so they stay
    // readable on both dark and light toolbars.
    for (const auto &[color, width, head] : {std::tuple<QColor, qreal, qreal>{Palette::darkBlue, 18, 36},
                                             std::tuple<QColor, qreal, qreal>{Palette::midBlue.lighter(130), 10, 28}}) {
        arcArrow(p, QPointF(50, 50), 33, 100, -150, width, head, head * 0.75, color);
        arcArrow(p, QPointF(50, 50), 33, -80, -150, width, head, head * 0.75, color);
    }
}

void databaseLink(QPainter &p)
{
    const qreal left = 8, right = 68, top = 12, bottom = 80, ry = 9;
    QLinearGradient side(QPointF(left, 0), QPointF(right, 0));
    side.setColorAt(0.0, Palette::lightGrey);
    side.setColorAt(0.6, Palette::lightGrey.lighter(108));
    side.setColorAt(1.0, Palette::lightGrey.darker(130));
    QPainterPath can;
    can.moveTo(left, top);
    can.lineTo(left, bottom);
    can.arcTo(QRectF(left, bottom - ry, right - left, 2 * ry), 180, 180);
    can.lineTo(right, top);
    can.closeSubpath();
    p.setPen(QPen(Palette::darkBlue, 3));
    p.setBrush(side);
    p.drawPath(can);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Palette::darkBlue.lighter(160), 2.5));
    for (const qreal y : {36.0, 58.0})
        p.drawArc(QRectF(left, y - ry, right - left, 2 * ry), 180 * 16, 180 * 16);
    p.setPen(QPen(Palette::darkBlue, 3));
    p.setBrush(Palette::white);
    p.drawEllipse(QRectF(left, top - ry, right - left, 2 * ry));

    // Two interlocking chain links in the lower right corner.
    p.save();
    p.translate(72, 74);
    p.rotate(-45);
    for (const auto &[color, width] :
         {std::pair<QColor, qreal>{Palette::white, 12}, std::pair<QColor, qreal>{Palette::midBlue, 6}}) {
        p.setPen(QPen(color, width));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(-26, -8, 30, 16), 8, 8);
        p.drawRoundedRect(QRectF(-4, -8, 30, 16), 8, 8);
    }
    p.restore();
}

void saveFlag(OutputFolder &out, const QString &code, const std::function<void(QPainter &, const QRectF &)> &drawing)
{
    QImage image = transparentImage(48, 32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(0, 0, image.width(), image.height());
    painter.save();
    painter.setClipRect(area);
    drawing(painter, area);
    painter.restore();
    // A thin frame on the outermost pixels keeps the white parts apart from a
    // white background; drawn without antialiasing so the edge stays opaque.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(110, 110, 110), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(0, 0, image.width() - 1, image.height() - 1));
    painter.end();
    out.saveImage(image, QStringLiteral("flags/%1.png").arg(code));
}

void horizontalBands(QPainter &p, const QRectF &area, const QList<QColor> &colors)
{
    const qreal band = area.height() / colors.size();
    for (int i = 0; i < colors.size(); ++i)
        p.fillRect(QRectF(area.left(), area.top() + i * band, area.width(), band + 0.5), colors.at(i));
}

void verticalBands(QPainter &p, const QRectF &area, const QList<QColor> &colors)
{
    const qreal band = area.width() / colors.size();
    for (int i = 0; i < colors.size(); ++i)
        p.fillRect(QRectF(area.left() + i * band, area.top(), band + 0.5, area.height()), colors.at(i));
}

// A simplified British flag: the diagonal red stripes are centred rather
// than offset, which is indistinguishable at menu size.
void britishFlag(QPainter &p, const QRectF &area)
{
    const QColor blue(1, 33, 105);
    const QColor red(200, 16, 46);
    const qreal h = area.height();
    p.fillRect(area, blue);
    p.setPen(QPen(Qt::white, h * 0.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(area.topLeft(), area.bottomRight());
    p.drawLine(area.bottomLeft(), area.topRight());
    p.setPen(QPen(red, h * 0.07, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(area.topLeft(), area.bottomRight());
    p.drawLine(area.bottomLeft(), area.topRight());
    const QPointF c = area.center();
    p.setPen(QPen(Qt::white, h * 0.33, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(area.left(), c.y()), QPointF(area.right(), c.y()));
    p.drawLine(QPointF(c.x(), area.top()), QPointF(c.x(), area.bottom()));
    p.setPen(QPen(red, h * 0.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(area.left(), c.y()), QPointF(area.right(), c.y()));
    p.drawLine(QPointF(c.x(), area.top()), QPointF(c.x(), area.bottom()));
}

} // namespace

void paintSmallIcons(OutputFolder &out)
{
    const QString custom = QStringLiteral("icons/custom/");
    out.saveImage(paintIcon(48, 4, burger), custom + QStringLiteral("burger.png"));
    out.saveImage(paintIcon(48, 3, fieldEvents), custom + QStringLiteral("fieldevents.png"));
    out.saveImage(paintIcon(48, 2, trackEvents), custom + QStringLiteral("trackevents.png"));
    out.saveImage(paintIcon(48, 4, schedule), custom + QStringLiteral("outline_schedule_black.png"));
    out.saveImage(paintIcon(48, 4, people), custom + QStringLiteral("outline_people_black.png"));
    out.saveImage(paintIcon(48, 4, cached), custom + QStringLiteral("outline_cached_black.png"));

    const QString fatcow = QStringLiteral("icons/fatcow/");
    out.saveImage(paintIcon(32, 1, acceptButton), fatcow + QStringLiteral("accept_button.png"));
    out.saveImage(paintIcon(32, 1, arrowRefresh), fatcow + QStringLiteral("arrow_refresh.png"));
    out.saveImage(paintIcon(32, 1, databaseLink), fatcow + QStringLiteral("database_link.png"));
}

void paintFlags(OutputFolder &out)
{
    saveFlag(out, QStringLiteral("en"), britishFlag);
    saveFlag(out, QStringLiteral("nl"), [](QPainter &p, const QRectF &area) {
        horizontalBands(p, area, {QColor(174, 28, 40), Qt::white, QColor(33, 70, 139)});
    });
    saveFlag(out, QStringLiteral("fr"), [](QPainter &p, const QRectF &area) {
        verticalBands(p, area, {QColor(0, 35, 149), Qt::white, QColor(237, 41, 57)});
    });
    saveFlag(out, QStringLiteral("de"), [](QPainter &p, const QRectF &area) {
        horizontalBands(p, area, {Qt::black, QColor(221, 0, 0), QColor(255, 206, 0)});
    });
}
