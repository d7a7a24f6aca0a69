#include "sync/meetwisesessionsmodel.h"

#include <QVariantMap>

void MeetwiseSessionsModel::setSessions(const QVariantList &sessions)
{
    QList<Row> rows;
    for (const QVariant &session : sessions) {
        const QVariantMap map = session.toMap();
        bool isNumber = false;
        const unsigned id = map.value(QStringLiteral("id")).toUInt(&isNumber);
        // Only an id the connection can read back selects anything.
        if (!isNumber)
            continue;
        QString name = map.value(QStringLiteral("name")).toString();
        if (name.isEmpty())
            name = QString::number(id);
        rows.append({name, QString::number(id), false});
    }
    setRows(rows);
}
