#include "devices/edmresultmeasurement.h"

#include "devices/edmstore.h"

EDMResultMeasurement::EDMResultMeasurement(EDMStore *store, QObject *parent)
    : QObject(parent)
    , store(store)
{}

void EDMResultMeasurement::save()
{
    if (!store)
        return;
    if (deleted) {
        if (id != 0)
            store->deleteResultMeasurement(id);
        deleteLater();
        return;
    }
    store->storeResultMeasurement(this);
}
