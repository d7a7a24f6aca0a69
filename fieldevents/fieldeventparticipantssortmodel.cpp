#include "fieldevents/fieldeventparticipantssortmodel.h"

#include <climits>

#include "fieldevents/fieldeventparticipantsmodel.h"
#include "records/participation.h"
#include "records/searchtext.h"

FieldEventParticipantsSortModel::FieldEventParticipantsSortModel(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    setDynamicSortFilter(true);
    sort(0, Qt::AscendingOrder);
}

FieldEventParticipantsModel *FieldEventParticipantsSortModel::grid() const
{
    return qobject_cast<FieldEventParticipantsModel *>(sourceModel());
}

void FieldEventParticipantsSortModel::setSearchText(const QString &text)
{
    m_search = text;
    invalidateFilter();
}

void FieldEventParticipantsSortModel::setOrderMode(int mode)
{
    m_mode = mode;
    invalidate();
    sort(0, Qt::AscendingOrder);
}

bool FieldEventParticipantsSortModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    if (m_search.isEmpty())
        return true;
    const QAbstractItemModel *model = sourceModel();
    const QString name = model->index(sourceRow, 0, sourceParent).data().toString();
    const QString bib = model->index(sourceRow, 1, sourceParent).data().toString();
    return SearchText::matches(name, m_search) || SearchText::matches(bib, m_search);
}

bool FieldEventParticipantsSortModel::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const FieldEventParticipantsModel *model = grid();
    const Participation *a = model ? model->participationAt(left.row()) : nullptr;
    const Participation *b = model ? model->participationAt(right.row()) : nullptr;
    if (!a || !b)
        return QSortFilterProxyModel::lessThan(left, right);
    if (m_mode == Ranking) {
        const unsigned ra = a->current_order == 0 ? UINT_MAX : a->current_order;
        const unsigned rb = b->current_order == 0 ? UINT_MAX : b->current_order;
        return ra < rb;
    }
    return a->working_order < b->working_order;
}
