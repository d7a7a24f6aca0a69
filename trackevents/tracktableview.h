#pragma once

#include <QPoint>
#include <QTableView>

// The participants table of a track heat. It reports the raw mouse positions
// so that the screen can scroll it by dragging a finger.
class TrackTableView : public QTableView
{
    Q_OBJECT

public:
    explicit TrackTableView(QWidget *parent = nullptr);

signals:
    void mousePress(QPoint position);
    void mouseRelease(QPoint position);
    void mouseMove(QPoint position);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
};
