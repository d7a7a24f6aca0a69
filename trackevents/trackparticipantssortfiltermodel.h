#pragma once

#include <QSortFilterProxyModel>
#include <QStringList>
#include <QVariantList>

class Participation;
class TrackParticipantsModel;

// The heat in lane order, with lane moves by dragging a row onto another one.
// The dragged index travels as the mime formats "row" and "col" (decimal
// text, rows of this proxy).
class TrackParticipantsSortFilterModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    static const QString RowFormat;
    static const QString ColumnFormat;

    explicit TrackParticipantsSortFilterModel(QObject *parent = nullptr);

    void setSourceModel(QAbstractItemModel *sourceModel) override;

    Qt::ItemFlags flags(const QModelIndex &index) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;

    Participation *participationAt(int proxyRow) const;

signals:
    // Each change: {"id": server id, "localID": local id, "initial_order": new lane}.
    void lanes_moved(QVariantList changes);

protected:
    bool lessThan(const QModelIndex &sourceLeft, const QModelIndex &sourceRight) const override;

private:
    // The proxy row a drop lands on, -1 when it lands on no row.
    int targetRow(int row, const QModelIndex &parent) const;
    // The dragged proxy row carried by the mime data, -1 when there is none.
    int draggedRow(const QMimeData *data) const;

    TrackParticipantsModel *m_model = nullptr;
};
