#pragma once

#include <QListView>
#include <QPoint>

// The schedule list. It reports the raw mouse positions so that the page can
// scroll by dragging a finger, which a touch screen without a kinetic scroller
// needs.
class RacesListView : public QListView
{
    Q_OBJECT

public:
    explicit RacesListView(QWidget *parent = nullptr);

signals:
    void mousePress(QPoint position);
    void mouseRelease(QPoint position);
    void mouseMove(QPoint position);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
};
