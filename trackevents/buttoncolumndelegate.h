#pragma once

#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

class QPushButton;
class QTableView;

// Draws the lane and result cells of the track table as buttons and reports
// a tap on one: a press and a release on the same cell, without leaving it.
class ButtonColumnDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int LaneColumn = 2;
    static constexpr int ResultColumn = 6;
    static const QString LaneButton;
    static const QString ResultButton;

    explicit ButtonColumnDelegate(QTableView *parent);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

signals:
    void button_clicked(QString text, uint id, uint lane, QString bib, QString name, QString info);

private:
    static bool isButtonColumn(int column) { return column == LaneColumn || column == ResultColumn; }

    QPushButton *m_button;
    QPersistentModelIndex m_pressed;
    QString m_pressedButton;
};
