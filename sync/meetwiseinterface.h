#pragma once

#include <QList>
#include <QVariantMap>

class Participation;

// Listener of MeetwiseRESTService: it receives each parsed reply of the
// competition server. Every operation does nothing by default, so a listener
// implements only what it asked for.
class MeetwiseInterface
{
public:
    virtual ~MeetwiseInterface() = default;

    // Competition maps as the server sends them (id, name, startdate, enddate,
    // sessions, ...).
    virtual void competitionsReceived(const QList<QVariantMap> &competitions) { Q_UNUSED(competitions) }
    // Maps with id, type, language and rule.
    virtual void disqualificationRulesReceived(const QList<QVariantMap> &rules) { Q_UNUSED(rules) }
    // Heat-event maps of the selected sessions and days.
    virtual void eventsReceived(const QList<QVariantMap> &heatEvents, unsigned competitionId)
    {
        Q_UNUSED(heatEvents)
        Q_UNUSED(competitionId)
    }
    // Track participation maps (name, displayname, lane, bib, transponder,
    // extra1..3).
    virtual void participationsReceived(const QList<QVariantMap> &participations, unsigned heatId)
    {
        Q_UNUSED(participations)
        Q_UNUSED(heatId)
    }
    // The receiver takes ownership of the participations (and so of their
    // results); they are bound to no store yet.
    virtual void heatResultsReceived(const QList<Participation *> &participations, unsigned heatId);
    virtual void participationUpdated(const QVariantMap &reply) { Q_UNUSED(reply) }
    virtual void resultInserted(const QVariantMap &reply) { Q_UNUSED(reply) }
    virtual void resultUpdated(const QVariantMap &reply) { Q_UNUSED(reply) }
    virtual void resultDeleted(const QVariantMap &reply) { Q_UNUSED(reply) }
};
