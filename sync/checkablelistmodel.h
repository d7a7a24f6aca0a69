#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QString>

// A list of rows the user ticks on and off. Each row shows a text and has a
// key; the ticked rows are given as their keys joined with ",", the form the
// "sync" file stores lists in.
class CheckableListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    QString key(int row) const;
    QString checkedText() const;
    // Ticks exactly the rows whose keys the text lists.
    void setCheckedText(const QString &text);

protected:
    struct Row
    {
        QString text;
        QString key;
        bool checked = false;
    };
    // Replaces every row (unticked).
    void setRows(const QList<Row> &rows);

private:
    QList<Row> m_rows;
};
