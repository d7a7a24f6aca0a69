#pragma once

#include <QList>
#include <QString>
#include <QVariantMap>
#include <QtGlobal>

// Listener of AtletiekNuRESTService: it receives each reply of the results
// service. Every operation does nothing by default.
class AtletiekNuInterface
{
public:
    virtual ~AtletiekNuInterface() = default;

    // success: the service took the code; text: what it said (or the network
    // error) for the user to see.
    virtual void loginFinished(bool success, const QString &text)
    {
        Q_UNUSED(success)
        Q_UNUSED(text)
    }
    // The service's clock minus the local clock, in ms.
    virtual void serverTimeOffsetReceived(qint64 offset) { Q_UNUSED(offset) }
    virtual void eventsLoaded(const QList<QVariantMap> &events) { Q_UNUSED(events) }
    virtual void participantsLoaded(const QList<QVariantMap> &participants, const QString &eventId)
    {
        Q_UNUSED(participants)
        Q_UNUSED(eventId)
    }
    virtual void reserved() {}
};
