#pragma once

#include <QPoint>

class QScrollBar;

// Scrolling a list by whole rows with a finger, for views that scroll per
// item: a drag shorter than a row does nothing, a long one scrolls several
// rows at once and never past the scroll bar's range. What is left of a
// partial row stays in the distance to the unchanged last point.
class DragScroller
{
public:
    void press(QPoint position) { m_lastPoint = position; }
    void release() { m_lastPoint = QPoint(0, 0); }
    // Returns whether the view scrolled.
    bool move(QPoint position, int rowHeight, bool hasRows, QScrollBar *scrollBar);

private:
    QPoint m_lastPoint;
};
