#include "devices/edmresult.h"

#include "devices/edmstore.h"

EDMResult::EDMResult(EDMStore *store, QObject *parent)
    : QObject(parent)
    , store(store)
{}

QString EDMResult::text() const
{
    const QString time = since.toString(QStringLiteral("HH:mm:ss"));
    if (referenceResult != NoReference)
        return QStringLiteral("%1 m (EDM) - %2 m (tape) = %3 m (%4)")
            .arg(QString::number(calculatedResult, 'f', 3), QString::number(referenceResult, 'f', 3),
                 QString::number(calculatedResult - referenceResult, 'f', 3), time);
    return QStringLiteral("%1 m (EDM) (%2)").arg(QString::number(calculatedResult, 'f', 3), time);
}

void EDMResult::save()
{
    if (!store)
        return;
    if (deleted) {
        if (id != 0)
            store->deleteResult(id);
        deleteLater();
        return;
    }
    store->storeResult(this);
}
