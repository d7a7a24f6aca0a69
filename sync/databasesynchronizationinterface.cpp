#include "sync/databasesynchronizationinterface.h"

#include <QDebug>
#include <QSet>

namespace {
QSet<const DatabaseSynchronizationInterface *> &liveListeners()
{
    static QSet<const DatabaseSynchronizationInterface *> listeners;
    return listeners;
}
} // namespace

DatabaseSynchronizationInterface::DatabaseSynchronizationInterface()
{
    liveListeners().insert(this);
}

DatabaseSynchronizationInterface::~DatabaseSynchronizationInterface()
{
    liveListeners().remove(this);
}

bool DatabaseSynchronizationInterface::isAlive(const DatabaseSynchronizationInterface *listener)
{
    return listener && liveListeners().contains(listener);
}

void DatabaseSynchronizationInterface::participationsReceived(const QString &heatId,
                                                              const QList<Participation *> &participations)
{
    qDebug() << "Participations received for heat" << heatId << ":" << participations.size();
}
