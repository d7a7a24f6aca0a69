#pragma once

#include <QWidget>

class VirtualScoreboard;

// The window of the virtual scoreboard: the board's LEDs, scaled to the
// window in whole steps so every LED keeps its round dot.
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

    VirtualScoreboard *m_board;
};
