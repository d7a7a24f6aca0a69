#pragma once

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace Palette {
inline const QColor darkBlue{15, 62, 106};
inline const QColor midBlue{0, 92, 156};
inline const QColor lightGrey{209, 218, 226};
inline const QColor white{255, 255, 255};
inline const QColor black{0, 0, 0};
inline const QColor okGreen{40, 150, 60};
inline const QColor failRed{200, 40, 40};
inline const QColor amber{255, 176, 0};
inline const QColor displayDark{22, 24, 28};
} // namespace Palette

// Colours a glyph is drawn with: the ink, and the surface below it, which
// glyphs paint with to cut gaps between overlapping shapes. The surface is a
// brush so that a cut-out carries the button's gradient and stays invisible.
struct Ink
{
    QColor fg;
    QBrush bg;
};

// Every glyph is designed in a 100 x 100 unit box so that the same drawing
// serves a 32 px icon and a 96 px button; the painter's transform does the
// scaling, pen widths included.
QImage transparentImage(int width, int height);
void beginUnitBox(QPainter &painter, const QRectF &target);

QPen roundPen(const QColor &color, qreal width);

// Filled triangular head whose tip sits at `tip`, pointing along `direction`.
void arrowHead(QPainter &painter, const QPointF &tip, const QPointF &direction, qreal length, qreal halfWidth,
               const QColor &color);

// Stroked circular arc ending in an arrow head. Angles follow QPainterPath:
// degrees, 0 at three o'clock, positive counter-clockwise.
void arcArrow(QPainter &painter, const QPointF &center, qreal radius, qreal startDeg, qreal sweepDeg, qreal penWidth,
              qreal headLength, qreal headHalfWidth, const QColor &color);

// Collects what the generator writes below the output folder, and the
// failures, so that a run that could not write everything says so.
class OutputFolder
{
public:
    explicit OutputFolder(const QString &root);

    void saveImage(const QImage &image, const QString &relativePath);
    void saveBytes(const QByteArray &bytes, const QString &relativePath);

    int writtenCount() const { return m_written; }
    const QStringList &errors() const { return m_errors; }

private:
    bool prepareFolder(const QString &absolutePath);

    QString m_root;
    int m_written = 0;
    QStringList m_errors;
};
