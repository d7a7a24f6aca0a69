#include "devices/boardpainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>

#include "devices/boardstate.h"

namespace {

// Capitals fill this share of a font's pixel height; descenders the rest.
constexpr double CapitalShare = 0.8;

QFont pixelFont(int height, int cellWidth)
{
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::TypeWriter);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferBitmap));
    font.setBold(true);
    font.setPixelSize(100);
    const QFontMetricsF metrics(font);
    const double capital = metrics.capHeight() > 0 ? metrics.capHeight() / 100 : 0.7;
    const int pixelSize = qMax(1, qRound(height * CapitalShare / capital));
    font.setPixelSize(pixelSize);
    const double advance = QFontMetricsF(font).horizontalAdvance(QLatin1Char('M'));
    // Squeeze a font that would not leave a dark column between characters.
    if (cellWidth > 1 && advance > cellWidth - 1)
        font.setStretch(qBound(1, int(100 * (cellWidth - 1) / advance), 100));
    return font;
}

void drawItem(QPainter &painter, const BoardItem &item)
{
    painter.fillRect(item.box, Qt::black);
    if (item.text.isEmpty() || item.fontSize <= 0)
        return;
    const int cell = item.characterWidth > 0 ? item.characterWidth : qMax(1, item.fontSize * 3 / 4);
    const QFont font = pixelFont(item.fontSize, cell);
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    painter.setPen(item.color);
    painter.setClipRect(item.box);

    const qsizetype length = item.text.size();
    const int width = int(qMin<qsizetype>(length * cell, 1 << 20));
    int x = item.box.x();
    if (item.alignment == QLatin1String("center"))
        x += (item.box.width() - width) / 2;
    else if (item.alignment == QLatin1String("right"))
        x += item.box.width() - width;
    const int top = item.box.y() + qMax(0, (item.box.height() - item.fontSize) / 2);
    const int baseline = top + qRound(item.fontSize * CapitalShare);
    for (qsizetype i = 0; i < length && x < item.box.right() + 1; ++i, x += cell) {
        if (x + cell <= item.box.x())
            continue;
        const QString character(item.text.at(i));
        const double advance = metrics.horizontalAdvance(character);
        painter.drawText(QPointF(x + qMax(0.0, (cell - advance) / 2), baseline), character);
    }
    painter.setClipping(false);
}

QImage dot(const QColor &color, int pitch)
{
    QImage image(pitch, pitch, QImage::Format_RGB32);
    image.fill(BoardPainter::backgroundColor());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    const double margin = pitch >= 4 ? pitch * 0.12 : 0;
    painter.drawEllipse(QRectF(margin, margin, pitch - 2 * margin, pitch - 2 * margin));
    return image;
}

} // namespace

QImage BoardPainter::ledImage(const BoardState &state)
{
    if (state.size().isEmpty())
        return QImage();
    QImage image(state.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    for (const BoardItem &item : state.items())
        drawItem(painter, item);
    return image;
}

QImage BoardPainter::render(const BoardState &state, int pitch)
{
    const QImage leds = ledImage(state);
    if (leds.isNull())
        return QImage();
    pitch = qMax(1, pitch);
    QImage image(leds.width() * pitch, leds.height() * pitch, QImage::Format_RGB32);
    QPainter painter(&image);
    // A dark board still shows a little, as LEDs at their lowest do.
    const double level = 0.25 + 0.75 * qBound(0.0, state.brightness(), 1.0);
    QHash<QRgb, QImage> dots;
    for (int y = 0; y < leds.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(leds.constScanLine(y));
        for (int x = 0; x < leds.width(); ++x) {
            const QRgb rgb = line[x] & 0xFFFFFF;
            auto found = dots.find(rgb);
            if (found == dots.end()) {
                const QColor color =
                    rgb == 0 ? unlitColor()
                             : QColor(int(qRed(rgb) * level), int(qGreen(rgb) * level), int(qBlue(rgb) * level));
                found = dots.insert(rgb, dot(color, pitch));
            }
            painter.drawImage(x * pitch, y * pitch, *found);
        }
    }
    return image;
}

int BoardPainter::pitchToFit(const QSize &board, const QSize &size)
{
    if (board.isEmpty())
        return 1;
    return qMax(1, qMin(size.width() / board.width(), size.height() / board.height()));
}
