#include "fieldevents/highlightdelegate.h"

#include <QPainter>

const QColor HighlightDelegate::Shade(207, 225, 236, 150);

HighlightDelegate::HighlightDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{}

void HighlightDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (m_on && m_index.isValid() && index.row() == m_index.row())
        painter->fillRect(option.rect, Shade);
}
