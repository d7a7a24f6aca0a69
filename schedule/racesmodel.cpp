#include "schedule/racesmodel.h"

#include <QSet>

#include "records/heatevent.h"
#include "schedule/schedulelogging.h"

RacesModel::RacesModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_headers({QStringLiteral("ID"), QStringLiteral("Name"), QStringLiteral("Time"), QStringLiteral("Participants"),
                 QStringLiteral("FieldType"), QStringLiteral("DateTime"), QStringLiteral("Status"),
                 QStringLiteral("Participants cached"), QStringLiteral("DateTime object")})
{}

RacesModel::~RacesModel()
{
    qDeleteAll(m_heatEvents);
}

int RacesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_heatEvents.size());
}

int RacesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant RacesModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !isRowIndex(index))
        return {};
    const HeatEvent *event = m_heatEvents.at(index.row());
    switch (index.column()) {
    case IdColumn:
        return event->id();
    case NameColumn:
        return event->name();
    case TimeColumn:
        return event->time().toString(QStringLiteral("HH:mm"));
    case ParticipantsColumn:
        return event->numberOfParticipants();
    case FieldTypeColumn:
        return event->fieldType();
    case DateTimeTextColumn:
        return event->timeText();
    case StatusColumn:
        return event->status();
    case ParticipantsCachedColumn:
        return event->participantsCached();
    case DateTimeColumn:
        return event->time();
    default:
        return {};
    }
}

QVariant RacesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_headers.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags RacesModel::flags(const QModelIndex &index) const
{
    if (!isRowIndex(index))
        return Qt::NoItemFlags;
    // A heat without participants is listed for information but cannot be
    // opened: there is nothing to enter.
    bool isNumber = false;
    const uint participants = m_heatEvents.at(index.row())->numberOfParticipants().toUInt(&isNumber, 10);
    if (isNumber && participants != 0)
        return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    return Qt::NoItemFlags;
}

bool RacesModel::isRowIndex(const QModelIndex &index) const
{
    // Quietly: views and proxies ask with invalid indexes as a matter of course.
    return index.isValid() && index.model() == this && index.row() < m_heatEvents.size() &&
           index.column() < m_headers.size();
}

HeatEvent *RacesModel::heatEvent(int row) const
{
    return row >= 0 && row < m_heatEvents.size() ? m_heatEvents.at(row) : nullptr;
}

int RacesModel::rowOfId(const QString &id) const
{
    for (int row = 0; row < m_heatEvents.size(); ++row) {
        if (m_heatEvents.at(row)->id() == id)
            return row;
    }
    return -1;
}

void RacesModel::heatEventsReceived(const QList<QVariantMap> &heatEvents)
{
    QSet<QString> receivedIds;
    for (const QVariantMap &map : heatEvents) {
        const QString id = map.value(QStringLiteral("id")).toString();
        const QString name = map.value(QStringLiteral("name")).toString();
        if (id.isEmpty())
            continue;
        const int row = rowOfId(id);
        if (row >= 0) {
            m_heatEvents.at(row)->update(name, map);
            // The whole row: name, time, count and status may all have changed.
            emit dataChanged(index(row, 0), index(row, ColumnCount - 1), {Qt::DisplayRole});
        } else {
            const int newRow = int(m_heatEvents.size());
            beginInsertRows(QModelIndex(), newRow, newRow);
            m_heatEvents.append(new HeatEvent(name, map));
            endInsertRows();
        }
        receivedIds.insert(id);
    }

    // From the end, so the rows still to be checked keep their numbers.
    for (int row = int(m_heatEvents.size()) - 1; row >= 0; --row) {
        if (receivedIds.contains(m_heatEvents.at(row)->id()))
            continue;
        beginRemoveRows(QModelIndex(), row, row);
        delete m_heatEvents.takeAt(row);
        endRemoveRows();
    }
    qCDebug(lcSchedule) << "Races received";
}
