#include "sync/databasesynchronizationinterface.h"

#include <QSet>

#include "sync/synclogging.h"

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
    qCDebug(lcSync) << "Participations received for heat" << heatId << ":" << participations.size();
}
