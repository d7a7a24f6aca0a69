#include "sync/meetwiseinterface.h"

#include "records/participation.h"

void MeetwiseInterface::heatResultsReceived(const QList<Participation *> &participations, unsigned heatId)
{
    Q_UNUSED(heatId)
    // The listener owns what it is handed; one that does not want them frees them.
    qDeleteAll(participations);
}
