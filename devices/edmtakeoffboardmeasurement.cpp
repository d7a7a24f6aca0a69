#include "devices/edmtakeoffboardmeasurement.h"

#include "devices/edmmeasurement.h"
#include "devices/edmstore.h"

EDMTakeOffBoardMeasurement::EDMTakeOffBoardMeasurement(EDMStore *store, QObject *parent)
    : QObject(parent)
    , store(store)
{}

void EDMTakeOffBoardMeasurement::setMeasurementId(unsigned id)
{
    if (id == m_measurementId && m_measurement)
        return;
    m_measurementId = id;
    delete m_measurement;
    m_measurement = store ? store->measurement(id, this) : nullptr;
}

void EDMTakeOffBoardMeasurement::save()
{
    if (!store)
        return;
    if (deleted) {
        if (id != 0)
            store->deleteTakeOffBoardMeasurement(id);
        deleteLater();
        return;
    }
    store->storeTakeOffBoardMeasurement(this);
}
