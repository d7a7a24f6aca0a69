#include "buttons.h"

#include "glyphs.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace {

enum class Tone { Key, Action, Ok, Fail };

struct Face
{
    QColor top;
    QColor bottom;
    QColor border;
    QColor ink;
};

// Pressed faces invert or darken the normal ones, so a finger on the glass
// gets visible feedback even in bright sunlight.
Face faceFor(Tone tone, bool pressed)
{
    switch (tone) {
    case Tone::Key:
        return pressed ? Face{Palette::darkBlue, Palette::midBlue, Palette::darkBlue.darker(140), Palette::white}
                       : Face{Palette::white, Palette::lightGrey, Palette::midBlue, Palette::darkBlue};
    case Tone::Action:
        return pressed ? Face{Palette::darkBlue.darker(150), Palette::darkBlue, Palette::darkBlue.darker(200),
                              Palette::lightGrey}
                       : Face{Palette::midBlue, Palette::darkBlue, Palette::darkBlue.darker(140), Palette::white};
    case Tone::Ok:
        return pressed ? Face{Palette::okGreen.darker(170), Palette::okGreen.darker(130), Palette::okGreen.darker(220),
                              Palette::lightGrey}
                       : Face{Palette::okGreen.lighter(125), Palette::okGreen, Palette::okGreen.darker(160),
                              Palette::white};
    case Tone::Fail:
        return pressed ? Face{Palette::failRed.darker(170), Palette::failRed.darker(130), Palette::failRed.darker(220),
                              Palette::lightGrey}
                       : Face{Palette::failRed.lighter(125), Palette::failRed, Palette::failRed.darker(160),
                              Palette::white};
    }
    return {};
}

QImage paintButton(const QSize &size, Tone tone, bool pressed, const Glyph &glyph)
{
    const Face face = faceFor(tone, pressed);
    QImage image = transparentImage(size.width(), size.height());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF body = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(2, 2, -2, -2);
    const qreal radius = qMin(body.width(), body.height()) * 0.16;

    if (!pressed) {
        // A soft shadow under a raised button; the pressed one sits flat.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 60));
        painter.drawRoundedRect(body.translated(0, 1.5), radius, radius);
    }

    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0.0, face.top);
    fill.setColorAt(1.0, face.bottom);
    painter.setPen(QPen(face.border, 2));
    painter.setBrush(fill);
    painter.drawRoundedRect(body, radius, radius);

    if (!pressed) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(255, 255, 255, 70), 1.5));
        painter.drawRoundedRect(body.adjusted(2.5, 2.5, -2.5, -2.5), radius - 2, radius - 2);
    }

    // The glyph box is square and centred; a pressed glyph moves down a pixel
    // as though the key had been pushed in.
    const qreal side = qMin(body.width(), body.height()) * 0.64;
    QRectF glyphBox(0, 0, side, side);
    glyphBox.moveCenter(body.center() + QPointF(0, pressed ? 1.0 : 0.0));
    beginUnitBox(painter, glyphBox);
    const QTransform toUnits = painter.transform().inverted();
    QLinearGradient surface(toUnits.map(body.topLeft()), toUnits.map(body.bottomLeft()));
    surface.setColorAt(0.0, face.top);
    surface.setColorAt(1.0, face.bottom);
    glyph(painter, Ink{face.ink, QBrush(surface)});
    painter.end();
    return image;
}

void saveButtonPair(OutputFolder &out, const QString &baseName, const QSize &size, Tone tone, const Glyph &glyph)
{
    const QString folder = QStringLiteral("icons/fieldtablet/");
    out.saveImage(paintButton(size, tone, false, glyph), folder + baseName + QStringLiteral(".png"));
    out.saveImage(paintButton(size, tone, true, glyph), folder + baseName + QStringLiteral("_active.png"));
}

// Seven segments: a (top), b, c (right), d (bottom), e, f (left), g (middle).
QImage paintSevenSegment(int digit)
{
    static const char *const litSegments[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                                "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
    const int width = 48;
    const int height = 80;
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Palette::displayDark);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal left = 8, right = width - 8, top = 7, bottom = height - 7;
    const qreal middle = (top + bottom) / 2;
    const qreal t = 7;     // segment thickness
    const qreal gap = 1.2; // dark seam between neighbouring segments

    const auto horizontal = [&](qreal y) {
        const qreal x0 = left + gap, x1 = right - gap;
        return QPolygonF({QPointF(x0, y), QPointF(x0 + t / 2, y - t / 2), QPointF(x1 - t / 2, y - t / 2),
                          QPointF(x1, y), QPointF(x1 - t / 2, y + t / 2), QPointF(x0 + t / 2, y + t / 2)});
    };
    const auto vertical = [&](qreal x, qreal y0, qreal y1) {
        y0 += gap;
        y1 -= gap;
        return QPolygonF({QPointF(x, y0), QPointF(x + t / 2, y0 + t / 2), QPointF(x + t / 2, y1 - t / 2),
                          QPointF(x, y1), QPointF(x - t / 2, y1 - t / 2), QPointF(x - t / 2, y0 + t / 2)});
    };
    const QPolygonF segments[7] = {horizontal(top),    vertical(right, top, middle),   vertical(right, middle, bottom),
                                   horizontal(bottom), vertical(left, middle, bottom), vertical(left, top, middle),
                                   horizontal(middle)};

    // Unlit segments stay faintly visible, like on a real display board.
    const QColor unlit = QColor(Palette::amber.red(), Palette::amber.green(), Palette::amber.blue(), 28);
    const QColor glow = QColor(Palette::amber.red(), Palette::amber.green(), Palette::amber.blue(), 60);
    const QString lit = QString::fromLatin1(digit >= 0 && digit <= 9 ? litSegments[digit] : "");
    for (int i = 0; i < 7; ++i) {
        const bool on = lit.contains(QLatin1Char('a' + i));
        if (on) {
            painter.setPen(QPen(glow, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.setBrush(Palette::amber);
        } else {
            painter.setPen(Qt::NoPen);
            painter.setBrush(unlit);
        }
        painter.drawPolygon(segments[i]);
    }
    painter.end();
    return image;
}

QImage paintColon()
{
    QImage image(48, 80, QImage::Format_ARGB32_Premultiplied);
    image.fill(Palette::displayDark);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor glow = QColor(Palette::amber.red(), Palette::amber.green(), Palette::amber.blue(), 60);
    painter.setPen(QPen(glow, 3));
    painter.setBrush(Palette::amber);
    painter.drawRoundedRect(QRectF(19, 23, 10, 10), 2, 2);
    painter.drawRoundedRect(QRectF(19, 47, 10, 10), 2, 2);
    painter.end();
    return image;
}

QImage paintAbandonBadge()
{
    QImage image = transparentImage(64, 24);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body(1, 1, 62, 22);
    QPainterPath shape;
    shape.addRoundedRect(body, 6, 6);
    painter.fillPath(shape, QColor(186, 192, 198));
    painter.save();
    painter.setClipPath(shape);
    painter.setPen(QPen(QColor(150, 156, 162), 4));
    for (int x = -24; x < 72; x += 10)
        painter.drawLine(QPointF(x, 26), QPointF(x + 26, 0));
    painter.restore();
    painter.setPen(QPen(QColor(120, 126, 132), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
    painter.end();
    return image;
}

} // namespace

void paintFieldTabletImages(OutputFolder &out)
{
    const QSize key(96, 96);
    const QSize wide(128, 96);
    const QSize menu(96, 96);

    for (int digit = 0; digit <= 9; ++digit) {
        saveButtonPair(out, QStringLiteral("button%1").arg(digit), key, Tone::Key,
                       [digit](QPainter &p, const Ink &ink) { Glyphs::digit(p, ink, digit); });
    }
    saveButtonPair(out, QStringLiteral("buttonbackspace_9"), key, Tone::Key, Glyphs::backspace);
    saveButtonPair(out, QStringLiteral("buttondot_9"), key, Tone::Key, Glyphs::decimalDot);
    saveButtonPair(out, QStringLiteral("buttonhyphen"), key, Tone::Key, Glyphs::hyphen);
    saveButtonPair(out, QStringLiteral("buttonenter_9"), key, Tone::Key, Glyphs::enter);

    saveButtonPair(out, QStringLiteral("buttonleft_9"), wide, Tone::Action, Glyphs::arrowLeft);
    saveButtonPair(out, QStringLiteral("buttonright_9"), wide, Tone::Action, Glyphs::arrowRight);
    saveButtonPair(out, QStringLiteral("buttonupdate_9"), wide, Tone::Action, Glyphs::update);
    saveButtonPair(out, QStringLiteral("buttonrelegated"), wide, Tone::Action, Glyphs::retired);
    saveButtonPair(out, QStringLiteral("buttonrelegated_undo"), wide, Tone::Action, Glyphs::retiredUndo);

    saveButtonPair(out, QStringLiteral("buttonfail_9"), wide, Tone::Fail, Glyphs::fail);
    saveButtonPair(out, QStringLiteral("buttonpass_9"), wide, Tone::Ok, Glyphs::pass);
    saveButtonPair(out, QStringLiteral("buttonskip_9"), wide, Tone::Action, Glyphs::skip);
    saveButtonPair(out, QStringLiteral("buttoncall_9"), wide, Tone::Action, Glyphs::call);
    saveButtonPair(out, QStringLiteral("buttonwind_9"), wide, Tone::Action, Glyphs::windSock);
    saveButtonPair(out, QStringLiteral("buttonedm_9"), wide, Tone::Action, Glyphs::totalStation);
    saveButtonPair(out, QStringLiteral("buttonresort_9"), wide, Tone::Action, Glyphs::resort);
    saveButtonPair(out, QStringLiteral("buttonprint_9"), wide, Tone::Action, Glyphs::printer);
    saveButtonPair(out, QStringLiteral("buttonback_9"), wide, Tone::Action, Glyphs::back);
    saveButtonPair(out, QStringLiteral("buttonnext_9"), wide, Tone::Action, Glyphs::nextAthlete);
    saveButtonPair(out, QStringLiteral("buttoncountdown_9"), wide, Tone::Action, Glyphs::stopwatch);
    saveButtonPair(out, QStringLiteral("buttonheight_9"), wide, Tone::Action, Glyphs::raiseBar);
    saveButtonPair(out, QStringLiteral("buttonremoveheight_9"), wide, Tone::Action, Glyphs::removeHeight);
    saveButtonPair(out, QStringLiteral("buttonnewheight_9"), wide, Tone::Action, Glyphs::newHeight);
    saveButtonPair(out, QStringLiteral("buttonscoreboard_9"), wide, Tone::Action, Glyphs::scoreboardRanking);
    saveButtonPair(out, QStringLiteral("buttonjumpoff_9"), wide, Tone::Action, Glyphs::jumpOff);

    saveButtonPair(out, QStringLiteral("buttoncalendar"), menu, Tone::Action, Glyphs::calendar);
    saveButtonPair(out, QStringLiteral("button_devices"), menu, Tone::Action, Glyphs::devices);
    saveButtonPair(out, QStringLiteral("buttonsettings"), menu, Tone::Action, Glyphs::gear);
    saveButtonPair(out, QStringLiteral("buttontotalstation"), menu, Tone::Action, Glyphs::totalStation);
    saveButtonPair(out, QStringLiteral("buttonhelp"), menu, Tone::Action, Glyphs::help);

    for (int digit = 0; digit <= 9; ++digit)
        out.saveImage(paintSevenSegment(digit), QStringLiteral("icons/fieldtablet/d%1_digit_9.png").arg(digit));
    out.saveImage(paintColon(), QStringLiteral("icons/fieldtablet/colon_digit_9.png"));
    out.saveImage(paintAbandonBadge(), QStringLiteral("icons/fieldtablet/abandonbackground_9.png"));
}
