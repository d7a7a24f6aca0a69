#include "schedule/raceslistview.h"

#include <QMouseEvent>

RacesListView::RacesListView(QWidget *parent)
    : QListView(parent)
{
    QPalette palette = this->palette();
    const auto set = [&palette](QPalette::ColorRole role, const QColor &colour) {
        palette.setColor(QPalette::All, role, colour);
    };
    set(QPalette::WindowText, QColor(48, 48, 48));
    set(QPalette::Base, QColor(240, 241, 242));
    set(QPalette::Light, QColor(255, 255, 255));
    set(QPalette::Midlight, QColor(211, 214, 216));
    set(QPalette::Mid, QColor(197, 201, 203));
    set(QPalette::Dark, QColor(154, 160, 164));
    set(QPalette::Text, QColor(97, 107, 113));
    set(QPalette::Highlight, QColor(226, 228, 229));
    setPalette(palette);

    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // Cards take the width of the view; sideways there is nothing to scroll to.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void RacesListView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit mousePress(event->position().toPoint());
    QListView::mousePressEvent(event);
}

void RacesListView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit mouseRelease(event->position().toPoint());
    QListView::mouseReleaseEvent(event);
}

void RacesListView::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMove(event->position().toPoint());
    QListView::mouseMoveEvent(event);
}
