#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

class QSvgRenderer;
class FieldEventParticipantsModel;

// Paints the attempt grid's cells and, in a vertical grid, a location pin in
// the height column at which each athlete starts.
class FieldEventParticipantsDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int MarkerSize = 20;
    static constexpr int MarkerInset = 6;

    explicit FieldEventParticipantsDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // Whether the cell shows the starting-height marker; index may come
    // through any number of proxies.
    static bool showsStartMarker(const QModelIndex &index);
    // Where the marker goes in a cell.
    static QRect markerRect(const QRect &cell);

private:
    QPixmap marker(qreal devicePixelRatio) const;

    QSvgRenderer *m_renderer;
    mutable QPixmap m_marker;
};
