#pragma once

#include <QPersistentModelIndex>
#include <QPoint>
#include <QPointer>
#include <QTableView>
#include <QTimer>

class HighlightDelegate;

// The attempt grid: a table whose five fixed columns (name, bib, start order,
// rank, best) stay at the left edge while the attempt columns scroll beneath
// them. The fixed part is a second table view laid over this one that shares
// its model and selection; touches on it are reported as press, move and
// release, and a finger resting 500 ms on it as a long press.
class HorizontalFieldEventParticipationViewWithFrozenColumns : public QTableView
{
    Q_OBJECT

public:
    static constexpr int FrozenColumns = 5;
    static constexpr int LongPressDelay = 500;
    // Manhattan distance from the press at which a resting finger becomes a
    // drag and the long press is called off.
    static constexpr int LongPressSlop = 9;

    explicit HorizontalFieldEventParticipationViewWithFrozenColumns(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;

    QTableView *frozenView() const { return m_frozenView; }
    HighlightDelegate *highlightDelegate() const { return m_highlightDelegate; }
    // The sum of the widths of the fixed columns.
    int frozenWidth() const;

signals:
    // Positions are in viewport coordinates; the frozen part's viewport has
    // the same origin as this view's.
    void mousePress(QPoint pos);
    void mouseRelease(QPoint pos);
    void mouseMove(QPoint pos);
    // index may be invalid when the finger rests below the last row.
    void longPressStarted(QModelIndex index, QPoint pos);
    void longPressReleased(QModelIndex index, QPoint pos);

public slots:
    void updateHiddenFrozenColumns();
    void onParticipantCellPressed(const QModelIndex &index);
    void onParticipantCellDoubleClicked(const QModelIndex &index);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void updateGeometries() override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private slots:
    void updateSectionWidth(int logicalIndex, int oldSize, int newSize);
    void updateSectionHeight(int logicalIndex, int oldSize, int newSize);

private:
    void initFrozenView();
    void updateFrozenGeometry();
    void onLongPressTimeout();
    void switchHighlightOff();

    QTableView *m_frozenView;
    HighlightDelegate *m_highlightDelegate;
    QPointer<QAbstractItemModel> m_model;
    QTimer m_longPressTimer;
    bool m_longPressed = false;
    QPoint m_pressPosition;
    QPersistentModelIndex m_pressedIndex;
};
