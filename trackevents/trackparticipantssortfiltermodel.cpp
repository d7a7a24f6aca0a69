#include "trackevents/trackparticipantssortfiltermodel.h"

#include <QMimeData>

#include <algorithm>

#include "records/participation.h"
#include "trackevents/trackparticipantsmodel.h"

const QString TrackParticipantsSortFilterModel::RowFormat = QStringLiteral("row");
const QString TrackParticipantsSortFilterModel::ColumnFormat = QStringLiteral("col");

TrackParticipantsSortFilterModel::TrackParticipantsSortFilterModel(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    // lessThan() is inverted, so a descending sort (the table header's default
    // indicator) lists the lowest lane first; sorting here already makes the
    // proxy usable in lane order without a view.
    setDynamicSortFilter(true);
    sort(TrackParticipantsModel::LaneColumn, Qt::DescendingOrder);
}

void TrackParticipantsSortFilterModel::setSourceModel(QAbstractItemModel *sourceModel)
{
    m_model = qobject_cast<TrackParticipantsModel *>(sourceModel);
    QSortFilterProxyModel::setSourceModel(sourceModel);
}

bool TrackParticipantsSortFilterModel::lessThan(const QModelIndex &sourceLeft, const QModelIndex &sourceRight) const
{
    const QAbstractItemModel *source = sourceModel();
    const unsigned left = source->index(sourceLeft.row(), TrackParticipantsModel::LaneColumn).data().toUInt();
    const unsigned right = source->index(sourceRight.row(), TrackParticipantsModel::LaneColumn).data().toUInt();
    return right < left;
}

Qt::ItemFlags TrackParticipantsSortFilterModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QSortFilterProxyModel::flags(index);
    if (index.isValid())
        flags |= Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    return flags;
}

Qt::DropActions TrackParticipantsSortFilterModel::supportedDragActions() const
{
    return Qt::MoveAction;
}

Qt::DropActions TrackParticipantsSortFilterModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

QStringList TrackParticipantsSortFilterModel::mimeTypes() const
{
    return {RowFormat, ColumnFormat};
}

QMimeData *TrackParticipantsSortFilterModel::mimeData(const QModelIndexList &indexes) const
{
    if (indexes.isEmpty() || !indexes.first().isValid())
        return nullptr;
    auto *data = new QMimeData;
    data->setData(RowFormat, QByteArray::number(indexes.first().row()));
    data->setData(ColumnFormat, QByteArray::number(indexes.first().column()));
    return data;
}

int TrackParticipantsSortFilterModel::draggedRow(const QMimeData *data) const
{
    if (!data || !data->hasFormat(RowFormat))
        return -1;
    bool ok = false;
    const int row = data->data(RowFormat).trimmed().toInt(&ok);
    return ok && row >= 0 && row < rowCount() ? row : -1;
}

int TrackParticipantsSortFilterModel::targetRow(int row, const QModelIndex &parent) const
{
    if (parent.isValid())
        return parent.model() == this ? parent.row() : -1;
    if (row < 0 || rowCount() == 0)
        return -1;
    // Dropped between rows or below the last one: the row it touches.
    return std::min(row, rowCount() - 1);
}

bool TrackParticipantsSortFilterModel::canDropMimeData(const QMimeData *data, Qt::DropAction action, int row,
                                                       int column, const QModelIndex &parent) const
{
    Q_UNUSED(column)
    return action == Qt::MoveAction && draggedRow(data) >= 0 && targetRow(row, parent) >= 0;
}

Participation *TrackParticipantsSortFilterModel::participationAt(int proxyRow) const
{
    if (!m_model || proxyRow < 0 || proxyRow >= rowCount())
        return nullptr;
    return m_model->participationAt(mapToSource(index(proxyRow, 0)).row());
}

bool TrackParticipantsSortFilterModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                                    const QModelIndex &parent)
{
    if (action == Qt::IgnoreAction)
        return true;
    if (!canDropMimeData(data, action, row, column, parent) || !m_model)
        return false;
    const int source = draggedRow(data);
    const int target = targetRow(row, parent);
    if (source == target)
        return false;

    // Read the whole order first: setting a lane re-sorts the proxy.
    const int first = std::min(source, target);
    const int last = std::max(source, target);
    QList<Participation *> rows;
    for (int r = first; r <= last; ++r) {
        Participation *participation = participationAt(r);
        if (!participation)
            return false;
        rows.append(participation);
    }
    Participation *dragged = source < target ? rows.first() : rows.last();
    const unsigned targetLane = (source < target ? rows.last() : rows.first())->initial_order;

    QList<QPair<Participation *, unsigned>> lanes;
    lanes.append({dragged, targetLane});
    for (Participation *participation : std::as_const(rows)) {
        if (participation == dragged)
            continue;
        // Everybody between the two rows shifts one lane towards the gap
        // the dragged participant leaves behind.
        // Lanes of a heat without a draw may be 0; never wrap below it.
        const unsigned lane = participation->initial_order;
        const unsigned moved = source < target ? (lane > 0 ? lane - 1 : 0) : lane + 1;
        if (moved != lane)
            lanes.append({participation, moved});
    }

    QVariantList changes;
    for (const auto &[participation, lane] : std::as_const(lanes)) {
        participation->initial_order = lane;
        changes.append(QVariantMap{{QStringLiteral("id"), participation->participation_id},
                                   {QStringLiteral("localID"), participation->id},
                                   {QStringLiteral("initial_order"), lane}});
    }
    m_model->refresh();
    emit lanes_moved(changes);
    return true;
}
