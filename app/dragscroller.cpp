#include "app/dragscroller.h"

#include <QScrollBar>

bool DragScroller::move(QPoint position, int rowHeight, bool hasRows, QScrollBar *scrollBar)
{
    if (m_lastPoint.isNull() || !hasRows || rowHeight <= 0 || !scrollBar)
        return false;
    const int delta = m_lastPoint.y() - position.y();
    const int rows = delta / rowHeight;
    if (rows == 0 || scrollBar->maximum() == 0)
        return false;
    const int value = scrollBar->value() + rows;
    const bool inRange = delta < 0 ? value >= scrollBar->minimum() : value <= scrollBar->maximum();
    if (!inRange)
        return false;
    scrollBar->setValue(value);
    m_lastPoint = position;
    return true;
}
