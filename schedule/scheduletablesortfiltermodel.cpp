#include "schedule/scheduletablesortfiltermodel.h"

#include <QDateTime>

#include "records/searchtext.h"
#include "schedule/racesmodel.h"

ScheduleTableSortFilterModel::ScheduleTableSortFilterModel(QObject *parent)
    : QSortFilterProxyModel(parent)
{}

void ScheduleTableSortFilterModel::setShowTrackEvents(bool show)
{
    m_showTrackEvents = show;
    invalidateFilter();
}

void ScheduleTableSortFilterModel::setShowFieldEvents(bool show)
{
    m_showFieldEvents = show;
    invalidateFilter();
}

void ScheduleTableSortFilterModel::onSearchTextChanged(const QString &search)
{
    m_searchText = search;
    invalidateFilter();
}

bool ScheduleTableSortFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    const QAbstractItemModel *source = sourceModel();
    const QString fieldType = source->index(sourceRow, RacesModel::FieldTypeColumn, sourceParent).data().toString();
    const bool isFieldEvent = !fieldType.isEmpty() && (fieldType.contains(QLatin1Char('H'), Qt::CaseInsensitive) ||
                                                       fieldType.contains(QLatin1Char('V'), Qt::CaseInsensitive));
    // A field type that is neither empty nor H/V belongs to no kind, so
    // neither box can hide it.
    if (!m_showFieldEvents && isFieldEvent)
        return false;
    if (!m_showTrackEvents && fieldType.isEmpty())
        return false;
    if (m_searchText.isEmpty())
        return true;
    const QString name = source->index(sourceRow, RacesModel::NameColumn, sourceParent).data().toString();
    return SearchText::matches(name, m_searchText);
}

bool ScheduleTableSortFilterModel::lessThan(const QModelIndex &sourceLeft, const QModelIndex &sourceRight) const
{
    const QAbstractItemModel *source = sourceModel();
    const QDateTime left =
        source->index(sourceLeft.row(), RacesModel::DateTimeColumn, sourceLeft.parent()).data().toDateTime();
    const QDateTime right =
        source->index(sourceRight.row(), RacesModel::DateTimeColumn, sourceRight.parent()).data().toDateTime();
    if (left != right)
        return left < right;
    // Equal start times keep the order of arrival. A stable sort alone does
    // not guarantee it: when a row changes, the proxy re-inserts it behind its
    // equals.
    return sourceLeft.row() < sourceRight.row();
}

int ScheduleTableSortFilterModel::proxyRowOfId(const QString &id) const
{
    for (int row = 0; row < rowCount(); ++row) {
        if (index(row, RacesModel::IdColumn).data().toString() == id)
            return row;
    }
    return -1;
}

bool ScheduleTableSortFilterModel::isTrackRow(int proxyRow) const
{
    return index(proxyRow, RacesModel::FieldTypeColumn).data().toString().isEmpty();
}

QModelIndex ScheduleTableSortFilterModel::previousTrackEvent(const QString &id) const
{
    const int current = proxyRowOfId(id);
    if (current < 0)
        return {};
    for (int row = current - 1; row >= 0; --row) {
        if (isTrackRow(row))
            return index(row, RacesModel::FieldTypeColumn);
    }
    return {};
}

QModelIndex ScheduleTableSortFilterModel::nextTrackEvent(const QString &id) const
{
    const int current = proxyRowOfId(id);
    if (current < 0)
        return {};
    for (int row = current + 1; row < rowCount(); ++row) {
        if (isTrackRow(row))
            return index(row, RacesModel::FieldTypeColumn);
    }
    return {};
}

HeatEvent *ScheduleTableSortFilterModel::heatEventAt(const QModelIndex &proxyIndex) const
{
    if (!proxyIndex.isValid() || proxyIndex.model() != this)
        return nullptr;
    const auto *races = qobject_cast<const RacesModel *>(sourceModel());
    if (!races)
        return nullptr;
    return races->heatEvent(mapToSource(proxyIndex).row());
}
