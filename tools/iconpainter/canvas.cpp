#include "canvas.h"

#include <QDir>
#include <QFileInfo>
#include <QPainterPath>
#include <QSaveFile>
#include <QtMath>

QImage transparentImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void beginUnitBox(QPainter &painter, const QRectF &target)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(target.topLeft());
    painter.scale(target.width() / 100.0, target.height() / 100.0);
}

QPen roundPen(const QColor &color, qreal width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void arrowHead(QPainter &painter, const QPointF &tip, const QPointF &direction, qreal length, qreal halfWidth,
               const QColor &color)
{
    const qreal norm = std::hypot(direction.x(), direction.y());
    if (norm <= 0.0)
        return;
    const QPointF d = direction / norm;
    const QPointF n(-d.y(), d.x());
    const QPointF base = tip - d * length;
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(base + n * halfWidth);
    head.lineTo(base - n * halfWidth);
    head.closeSubpath();
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(head);
    painter.restore();
}

void arcArrow(QPainter &painter, const QPointF &center, qreal radius, qreal startDeg, qreal sweepDeg, qreal penWidth,
              qreal headLength, qreal headHalfWidth, const QColor &color)
{
    const QRectF circle(center.x() - radius, center.y() - radius, 2 * radius, 2 * radius);
    const qreal direction = sweepDeg < 0 ? -1.0 : 1.0;
    // The stroke stops inside the head; with a round cap it would otherwise
    // show past the head's point.
    const qreal trimDeg = qRadiansToDegrees(headLength * 0.6 / radius);
    QPainterPath arc;
    arc.arcMoveTo(circle, startDeg);
    arc.arcTo(circle, startDeg, sweepDeg - direction * trimDeg);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(color, penWidth, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.drawPath(arc);
    painter.restore();

    const qreal endRad = qDegreesToRadians(startDeg + sweepDeg - direction * trimDeg);
    const QPointF end(center.x() + radius * std::cos(endRad), center.y() - radius * std::sin(endRad));
    const QPointF tangent(-std::sin(endRad) * direction, -std::cos(endRad) * direction);
    arrowHead(painter, end + tangent * (headLength * 0.75), tangent, headLength, headHalfWidth, color);
}

OutputFolder::OutputFolder(const QString &root)
    : m_root(QDir::cleanPath(root))
{}

bool OutputFolder::prepareFolder(const QString &absolutePath)
{
    const QString folder = QFileInfo(absolutePath).absolutePath();
    if (QDir().mkpath(folder))
        return true;
    m_errors << QStringLiteral("cannot create folder %1").arg(folder);
    return false;
}

void OutputFolder::saveImage(const QImage &image, const QString &relativePath)
{
    const QString path = m_root + QLatin1Char('/') + relativePath;
    if (!prepareFolder(path))
        return;
    // Stored as straight alpha: premultiplied data would be converted anyway
    // and this keeps the written file independent of the drawing format.
    if (!image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
        m_errors << QStringLiteral("cannot write %1").arg(path);
        return;
    }
    ++m_written;
}

void OutputFolder::saveBytes(const QByteArray &bytes, const QString &relativePath)
{
    const QString path = m_root + QLatin1Char('/') + relativePath;
    if (!prepareFolder(path))
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        m_errors << QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return;
    }
    ++m_written;
}
