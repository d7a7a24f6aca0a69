#include "sync/meetwisedatesmodel.h"

#include <QLocale>

namespace {

QDate competitionDate(const QString &text)
{
    const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    return date.isValid() ? date : QDate(2020, 1, 1);
}

} // namespace

void MeetwiseDatesModel::setDates(const QDate &start, const QDate &end)
{
    QList<Row> rows;
    const QLocale locale;
    for (QDate day = start; day.isValid() && day <= end && rows.size() < MaximumDays; day = day.addDays(1))
        rows.append(
            {locale.toString(day, QStringLiteral("ddd d MMMM yyyy")), day.toString(QStringLiteral("yyyyMMdd")), false});
    setRows(rows);
}

void MeetwiseDatesModel::setDates(const QString &start, const QString &end)
{
    setDates(competitionDate(start), competitionDate(end));
}
