#pragma once

#include <QDate>

#include "sync/checkablelistmodel.h"

// The days of a competition, from its first to its last, to be ticked; the
// ticked ones are given as "yyyyMMdd".
class MeetwiseDatesModel : public CheckableListModel
{
    Q_OBJECT

public:
    // A competition longer than this has a date that is plainly wrong; the
    // list stops there rather than grow without end.
    static constexpr int MaximumDays = 3660;

    using CheckableListModel::CheckableListModel;

    // Every day from start to end, both included; none when end comes first.
    void setDates(const QDate &start, const QDate &end);
    // The same from the competition's texts ("yyyy-MM-dd"); a missing or
    // unreadable date counts as 2020-01-01.
    void setDates(const QString &start, const QString &end);
};
