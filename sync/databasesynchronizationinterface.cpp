#include "sync/databasesynchronizationinterface.h"

#include <QDebug>

void DatabaseSynchronizationInterface::participationsReceived(const QString &heatId,
                                                              const QList<Participation *> &participations)
{
    qDebug() << "Participations received for heat" << heatId << ":" << participations.size();
}
