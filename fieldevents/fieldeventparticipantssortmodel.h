#pragma once

#include <QSortFilterProxyModel>

class FieldEventParticipantsModel;

// Search and the two display orders of the attempt grid: start order
// (working order) or ranking (current order, unranked last).
class FieldEventParticipantsSortModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    enum OrderMode { StartOrder = 0, Ranking = 1 };

    explicit FieldEventParticipantsSortModel(QObject *parent = nullptr);

    void setSearchText(const QString &text);
    QString searchText() const { return m_search; }
    void setOrderMode(int mode);
    int orderMode() const { return m_mode; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    FieldEventParticipantsModel *grid() const;

    QString m_search;
    int m_mode = StartOrder;
};
