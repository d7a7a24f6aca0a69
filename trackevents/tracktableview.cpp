#include "trackevents/tracktableview.h"

#include <QMouseEvent>

TrackTableView::TrackTableView(QWidget *parent)
    : QTableView(parent)
{}

void TrackTableView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit mousePress(event->position().toPoint());
    QTableView::mousePressEvent(event);
}

void TrackTableView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit mouseRelease(event->position().toPoint());
    QTableView::mouseReleaseEvent(event);
}

void TrackTableView::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMove(event->position().toPoint());
    QTableView::mouseMoveEvent(event);
}
