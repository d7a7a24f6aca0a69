#include "fieldevents/fieldeventparticipantsdelegate.h"

#include <QAbstractProxyModel>
#include <QPainter>
#include <QSvgRenderer>

#include "fieldevents/fieldeventparticipantsmodel.h"
#include "records/participation.h"

FieldEventParticipantsDelegate::FieldEventParticipantsDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
    , m_renderer(new QSvgRenderer(QStringLiteral(":/custom/icons/custom/location.svg"), this))
{}

bool FieldEventParticipantsDelegate::showsStartMarker(const QModelIndex &index)
{
    QModelIndex source = index;
    const QAbstractItemModel *model = index.model();
    while (const auto *proxy = qobject_cast<const QAbstractProxyModel *>(model)) {
        source = proxy->mapToSource(source);
        model = proxy->sourceModel();
    }
    const auto *grid = qobject_cast<const FieldEventParticipantsModel *>(model);
    if (!grid || !grid->isVertical() || !source.isValid())
        return false;
    HeightColumn column;
    if (!grid->heightAtColumn(source.column(), &column) || column.isJumpOff())
        return false;
    const double start = source.data(FieldEventParticipantsModel::StartHeightRole).toDouble();
    // The grid tells heights apart by the same rule, so the marker sits in
    // the column the athlete's starting height belongs to.
    return start > 0 && Participation::sameHeight(start, column.height);
}

QRect FieldEventParticipantsDelegate::markerRect(const QRect &cell)
{
    return QRect(cell.left() + MarkerInset, cell.top() + (cell.height() - MarkerSize) / 2, MarkerSize, MarkerSize);
}

QPixmap FieldEventParticipantsDelegate::marker(qreal devicePixelRatio) const
{
    // Rendered once per pixel ratio: the grid repaints every cell after each
    // attempt, and drawing the vector image each time would cost frames.
    if (m_marker.isNull() || !qFuzzyCompare(m_marker.devicePixelRatio(), devicePixelRatio)) {
        const int side = qRound(MarkerSize * devicePixelRatio);
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        m_renderer->render(&painter, QRectF(0, 0, side, side));
        painter.end();
        pixmap.setDevicePixelRatio(devicePixelRatio);
        m_marker = pixmap;
    }
    return m_marker;
}

void FieldEventParticipantsDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                           const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (!m_renderer->isValid() || !showsStartMarker(index))
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawPixmap(markerRect(option.rect), marker(painter->device()->devicePixelRatio()));
    painter->restore();
}
