#include "devices/edmresultmeasurement.h"

#include "store/localdatabase.h"

EDMResultMeasurement::EDMResultMeasurement(LocalDatabase *store, QObject *parent)
    : QObject(parent)
    , store(store)
{}

void EDMResultMeasurement::save()
{
    if (!store)
        return;
    if (deleted) {
        if (id != 0)
            store->deleteEDMResultMeasurement(id);
        deleteLater();
        return;
    }
    store->storeEDMResultMeasurement(this);
}
