#include "tools/virtual-scoreboard/boardview.h"

#include <QPainter>

#include "devices/boardpainter.h"
#include "tools/virtual-scoreboard/virtualscoreboard.h"

BoardView::BoardView(VirtualScoreboard *board, QWidget *parent)
    : QWidget(parent)
    , m_board(board)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(board, &VirtualScoreboard::changed, this, [this] {
        updateTitle();
        update();
    });
    updateTitle();
}

QSize BoardView::sizeHint() const
{
    const QSize board = m_board->state().size();
    return board.isEmpty() ? QSize(768, 256) : board * m_board->settings().pitch;
}

void BoardView::updateTitle()
{
    const BoardState &state = m_board->state();
    QString title = QStringLiteral("Virtual scoreboard: %1 %2x%3")
                        .arg(VirtualScoreboard::inputName(m_board->settings().input))
                        .arg(state.size().width())
                        .arg(state.size().height());
    if (!state.brightnessLevel().isEmpty())
        title += QStringLiteral(", brightness %1").arg(state.brightnessLevel());
    setWindowTitle(title);
}

void BoardView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), BoardPainter::backgroundColor());
    const BoardState &state = m_board->state();
    const int pitch = BoardPainter::pitchToFit(state.size(), size());
    const QImage image = BoardPainter::render(state, pitch);
    painter.drawImage((width() - image.width()) / 2, (height() - image.height()) / 2, image);
}
