#pragma once

#include <QColor>
#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

// Shades the row under a resting finger in the frozen part of the attempt
// grid, so the judge sees which athlete the long press acts on.
class HighlightDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static const QColor Shade;

    explicit HighlightDelegate(QObject *parent = nullptr);

    void setHighlightedIndex(const QModelIndex &index) { m_index = index; }
    QModelIndex highlightedIndex() const { return m_index; }
    int highlightedRow() const { return m_index.row(); }
    void setHighlightOn(bool on) { m_on = on; }
    bool isHighlightOn() const { return m_on; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    // Persistent, so the shade stays on the athlete when the rows re-sort
    // while the finger rests.
    QPersistentModelIndex m_index;
    bool m_on = false;
};
