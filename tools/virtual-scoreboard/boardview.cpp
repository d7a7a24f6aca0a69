#include "tools/virtual-scoreboard/boardview.h"

#include <QJsonObject>
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
    connect(board, &VirtualScoreboard::videoMessageReceived, this, qOverload<>(&QWidget::update));
    connect(board, &VirtualScoreboard::resultReceived, this, qOverload<>(&QWidget::update));
    updateTitle();
}

QSize BoardView::sizeHint() const
{
    const QSize board = m_board->state().size();
    return board.isEmpty() ? QSize(768, 256) : (board * m_board->settings().pitch).expandedTo(QSize(480, 160));
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
    paintOverlay(painter);
}

void BoardView::paintOverlay(QPainter &painter)
{
    // The last message of each kind the video wall and the result output
    // took, over the board's top left.
    QStringList lines;
    const QMap<QString, QJsonObject> video = m_board->lastVideoMessages();
    for (auto it = video.cbegin(); it != video.cend(); ++it)
        lines << VirtualScoreboard::videoLine(it.value());
    if (m_board->resultCount() > 0)
        lines << VirtualScoreboard::resultLine(m_board->lastResult());
    if (lines.isEmpty())
        return;
    const QFontMetrics metrics(font());
    int textWidth = 0;
    for (const QString &line : std::as_const(lines))
        textWidth = qMax(textWidth, metrics.horizontalAdvance(line));
    const int margin = 6;
    const QRect box(margin, margin, qMin(width() - 2 * margin, textWidth + 2 * margin),
                    int(lines.size()) * metrics.height() + 2 * margin);
    painter.fillRect(box, QColor(0, 0, 0, 190));
    painter.setPen(Qt::white);
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(box.x() + margin, box.y() + margin + metrics.ascent() + i * metrics.height(),
                         metrics.elidedText(lines.at(i), Qt::ElideRight, box.width() - 2 * margin));
}
