#include "trackevents/trackparticipantsmodel.h"

#include <QMap>
#include <QSet>

#include "records/result.h"
#include "records/resultformatter.h"
#include "trackevents/trackeventslogging.h"

TrackParticipantsModel::TrackParticipantsModel(QObject *parent)
    : QAbstractTableModel(parent)
{}

int TrackParticipantsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TrackParticipantsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(ColumnCount);
}

QVariant TrackParticipantsModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    Participation *participation = m_rows.at(index.row());
    if (!participation)
        return QVariant();
    switch (index.column()) {
    case LocalIdColumn:
        return participation->id;
    case IdColumn:
        return participation->participation_id;
    case LaneColumn:
        return participation->initial_order;
    case BibColumn:
        return participation->bib();
    case NameColumn: {
        const QString name = participation->displayName();
        if (!name.isEmpty())
            return name;
        return QStringLiteral("%1 %2").arg(participation->firstName(), participation->lastName()).trimmed();
    }
    case InfoColumn: {
        const Result *best = participation->bestResult();
        return best ? best->info() : QString();
    }
    case ResultColumn: {
        const Result *best = participation->bestResult();
        return best ? ResultFormatter::trackResult(best->value, best->type) : QString();
    }
    default:
        return QVariant();
    }
}

QVariant TrackParticipantsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case LocalIdColumn:
        return tr("LocalID");
    case IdColumn:
        return tr("ID");
    case LaneColumn:
        return tr("Lane");
    case BibColumn:
        return tr("Bib");
    case NameColumn:
        return tr("Name");
    case InfoColumn:
        return tr("Info");
    case ResultColumn:
        return tr("Result");
    default:
        return QVariant();
    }
}

void TrackParticipantsModel::participationsReceived(const QString &heatId, const QList<Participation *> &participations)
{
    Q_UNUSED(heatId)
    qCDebug(lcTrackEvents) << "resultsReceived" << participations.size();
    QSet<unsigned> received;
    for (Participation *participation : participations) {
        if (!participation)
            continue;
        received.insert(participation->participation_id);
        int row = -1;
        for (int i = 0; i < m_rows.size(); ++i) {
            if (m_rows.at(i) && m_rows.at(i)->participation_id == participation->participation_id) {
                row = i;
                break;
            }
        }
        if (row >= 0) {
            m_rows[row] = participation;
            emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
        } else {
            const int position = int(m_rows.size());
            beginInsertRows(QModelIndex(), position, position);
            m_rows.append(participation);
            endInsertRows();
        }
    }
    for (int row = int(m_rows.size()) - 1; row >= 0; --row) {
        const Participation *participation = m_rows.at(row);
        if (participation && received.contains(participation->participation_id))
            continue;
        beginRemoveRows(QModelIndex(), row, row);
        m_rows.removeAt(row);
        endRemoveRows();
    }
    emit results_received();
}

Participation *TrackParticipantsModel::participationAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).data() : nullptr;
}

Participation *TrackParticipantsModel::participationByLocalId(unsigned localId) const
{
    for (const QPointer<Participation> &participation : m_rows) {
        if (participation && participation->id == localId)
            return participation;
    }
    return nullptr;
}

QList<Participation *> TrackParticipantsModel::participations() const
{
    QList<Participation *> list;
    for (const QPointer<Participation> &participation : m_rows) {
        if (participation)
            list.append(participation);
    }
    return list;
}

bool TrackParticipantsModel::lanesUnchanged() const
{
    for (const QPointer<Participation> &participation : m_rows) {
        if (participation && participation->initial_order != participation->initial_order_loaded)
            return false;
    }
    return true;
}

QList<QList<Participation *>> TrackParticipantsModel::sharedLanes() const
{
    QMap<unsigned, QList<Participation *>> byLane;
    for (const QPointer<Participation> &participation : m_rows) {
        if (participation && participation->initial_order > 0)
            byLane[participation->initial_order].append(participation.data());
    }
    QList<QList<Participation *>> shared;
    for (const QList<Participation *> &lane : std::as_const(byLane)) {
        if (lane.size() > 1)
            shared.append(lane);
    }
    return shared;
}

void TrackParticipantsModel::resetLanes()
{
    for (const QPointer<Participation> &participation : std::as_const(m_rows)) {
        if (participation)
            participation->initial_order = participation->initial_order_loaded;
    }
    refresh();
}

void TrackParticipantsModel::refresh()
{
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(int(m_rows.size()) - 1, ColumnCount - 1));
}

void TrackParticipantsModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}
