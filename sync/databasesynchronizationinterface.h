#pragma once

#include <QList>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

class Participation;

// What the server connection hands to the models that registered with it: the
// schedule, the disqualification rules and the participations of a heat.
class DatabaseSynchronizationInterface
{
public:
    DatabaseSynchronizationInterface();
    virtual ~DatabaseSynchronizationInterface();

    // Whether a listener still exists: a screen may be closed before the
    // server's answer for it arrives.
    static bool isAlive(const DatabaseSynchronizationInterface *listener);

    virtual void disqualificationRulesReceived(const QList<QVariantMap> &rules) { Q_UNUSED(rules) }
    virtual void heatEventsReceived(const QList<QVariantMap> &heatEvents) { Q_UNUSED(heatEvents) }
    // Kept for listeners that take participations as plain lists; the
    // connection does not call it.
    virtual void participationListsReceived(const QVariantList &participations, const QString &heatId,
                                            const QVariantList &results)
    {
        Q_UNUSED(participations)
        Q_UNUSED(heatId)
        Q_UNUSED(results)
    }
    // The participations stay owned by the connection.
    virtual void participationsReceived(const QString &heatId, const QList<Participation *> &participations);
};
