#pragma once

#include <QList>
#include <QStringList>
#include <QVariantMap>

#include "records/participation.h"
#include "sync/meetwiseinterface.h"

// Notes every listener call the client makes, with what it was given; owns
// the participations handed to it, as a listener must.
class MeetwiseListenerRecorder : public MeetwiseInterface
{
public:
    ~MeetwiseListenerRecorder() override { clear(); }

    void clear()
    {
        calls.clear();
        maps.clear();
        id = 0;
        qDeleteAll(participations);
        participations.clear();
    }

    void competitionsReceived(const QList<QVariantMap> &competitions) override
    {
        record(QStringLiteral("competitionsReceived"), competitions, 0);
    }
    void disqualificationRulesReceived(const QList<QVariantMap> &rules) override
    {
        record(QStringLiteral("disqualificationRulesReceived"), rules, 0);
    }
    void eventsReceived(const QList<QVariantMap> &heatEvents, unsigned competitionId) override
    {
        record(QStringLiteral("eventsReceived"), heatEvents, competitionId);
    }
    void participationsReceived(const QList<QVariantMap> &list, unsigned heatId) override
    {
        record(QStringLiteral("participationsReceived"), list, heatId);
    }
    void heatResultsReceived(const QList<Participation *> &list, unsigned heatId) override
    {
        qDeleteAll(participations);
        participations = list;
        record(QStringLiteral("heatResultsReceived"), {}, heatId);
    }
    void participationUpdated(const QVariantMap &reply) override
    {
        record(QStringLiteral("participationUpdated"), {reply}, 0);
    }
    void resultInserted(const QVariantMap &reply) override { record(QStringLiteral("resultInserted"), {reply}, 0); }
    void resultUpdated(const QVariantMap &reply) override { record(QStringLiteral("resultUpdated"), {reply}, 0); }
    void resultDeleted(const QVariantMap &reply) override { record(QStringLiteral("resultDeleted"), {reply}, 0); }

    QStringList calls;
    QList<QVariantMap> maps; // of the last call
    unsigned id = 0;         // competition or heat id of the last call
    QList<Participation *> participations;

private:
    void record(const QString &call, const QList<QVariantMap> &given, unsigned givenId)
    {
        calls.append(call);
        maps = given;
        id = givenId;
    }
};
