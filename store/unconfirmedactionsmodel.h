#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QVariantMap>

// The changes the server has not confirmed yet, one row per pending action:
// name, bib, action, table, value, attempt, height, performed.
class UnconfirmedActionsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit UnconfirmedActionsModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Replaces the rows.
    void setActions(const QList<QVariantMap> &actions);

    static QString actionName(int action);

private:
    QList<QVariantMap> m_actions;
};
