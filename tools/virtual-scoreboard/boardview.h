#pragma once

#include <QWidget>

class QPainter;
class VirtualScoreboard;

// The window of the virtual scoreboard: the board's LEDs, scaled to the
// window in whole steps so every LED keeps its round dot, and over them the
// last message of each kind that the video wall and the result output took.
class BoardView : public QWidget
{
    Q_OBJECT

public:
    explicit BoardView(VirtualScoreboard *board, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void updateTitle();
    void paintOverlay(QPainter &painter);

    VirtualScoreboard *m_board;
};
