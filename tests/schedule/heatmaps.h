#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// Heat-event maps as the server connection hands them to the schedule.
namespace HeatMaps {

inline QVariantMap heat(const QString &id, const QString &name, const QString &time = QStringLiteral("0900"),
                        const QVariant &participants = QStringLiteral("8"), const QString &fieldType = QString(),
                        unsigned status = 0, bool cached = false)
{
    QVariantMap map{
        {QStringLiteral("id"), id},
        {QStringLiteral("name"), name},
        {QStringLiteral("time"), QStringLiteral("20240615 %1%2").arg(time, QStringLiteral("00"))},
        {QStringLiteral("fieldType"), fieldType},
        {QStringLiteral("status"), status},
        {QStringLiteral("participantsCached"), cached ? 1 : 0},
    };
    if (participants.isValid())
        map.insert(QStringLiteral("numberOfParticipants"), participants);
    return map;
}

// Compact cases: "id:name@HHmm" per event; the time part is optional.
inline QList<QVariantMap> parse(const QStringList &events)
{
    QList<QVariantMap> maps;
    for (const QString &event : events) {
        const QString idAndName = event.section(QLatin1Char('@'), 0, 0);
        const QString time = event.contains(QLatin1Char('@')) ? event.section(QLatin1Char('@'), 1) : "0900";
        maps.append(heat(idAndName.section(QLatin1Char(':'), 0, 0), idAndName.section(QLatin1Char(':'), 1), time));
    }
    return maps;
}

} // namespace HeatMaps
