#include "devices/edmmodel.h"

#include "devices/edm.h"

EDMModel::EDMModel(QObject *parent)
    : QObject(parent)
{}

void EDMModel::setEDM(EDM *edm)
{
    if (m_edm)
        disconnect(m_edm, nullptr, this, nullptr);
    m_edm = edm;
    if (!m_edm)
        return;
    connect(m_edm, &EDM::measurement, this, &EDMModel::onEDMMeasurement);
    connect(m_edm, &EDM::port_opened, this, &EDMModel::port_opened);
}

void EDMModel::onEDMMeasurement(double distance, double verticalAngle, double horizontalAngle,
                                double horizontalDistance)
{
    Q_UNUSED(distance)
    Q_UNUSED(verticalAngle)
    Q_UNUSED(horizontalAngle)
    Q_UNUSED(horizontalDistance)
}

void EDMModel::requestMeasurement() {}

double EDMModel::recalculateResult(int board, double result)
{
    Q_UNUSED(board)
    return result;
}

void EDMModel::closeDevice()
{
    if (m_edm)
        m_edm->closePort();
}
