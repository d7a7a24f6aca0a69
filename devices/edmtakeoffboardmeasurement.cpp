#include "devices/edmtakeoffboardmeasurement.h"

#include "devices/edmmeasurement.h"
#include "store/localdatabase.h"

EDMTakeOffBoardMeasurement::EDMTakeOffBoardMeasurement(LocalDatabase *store, QObject *parent)
    : QObject(parent)
    , store(store)
{}

void EDMTakeOffBoardMeasurement::setMeasurementId(unsigned id)
{
    if (id == m_measurementId && m_measurement)
        return;
    m_measurementId = id;
    delete m_measurement;
    m_measurement = store ? store->edmMeasurement(id, this) : nullptr;
}

void EDMTakeOffBoardMeasurement::save()
{
    if (!store)
        return;
    if (deleted) {
        if (id != 0)
            store->deleteEDMTakeOffBoardMeasurement(id);
        deleteLater();
        return;
    }
    store->storeEDMTakeOffBoardMeasurement(this);
}
