#pragma once

#include <QList>

#include "records/participation.h"
#include "store/localdatabase.h"
#include "sync/databaseconnection.h"
#include "sync/databasesynchronizationinterface.h"

// A heat as the store holds it after the server sent it, opened in a
// connection from the store; the connection then has no server, so that a
// judge's changes are stored and queued and nothing is posted.
namespace HeldHeat {

constexpr unsigned HeatId = 1;

// size participations in start order; fill gives them their results
// before the heat is stored.
template <typename Fill> bool open(DatabaseConnection &connection, int size, QChar fieldType, Fill fill)
{
    QList<Participation *> heat;
    for (int i = 0; i < size; ++i) {
        auto *p = new Participation;
        p->participation_id = unsigned(i + 1);
        p->heat_id = HeatId;
        p->field_type = fieldType;
        p->initial_order = p->working_order = unsigned(i + 1);
        p->addParticipant(new Participant);
        heat.append(p);
    }
    fill(heat);
    connection.store()->replaceCachedHeat(heat);
    connection.store()->markCachedHeat(HeatId);
    qDeleteAll(heat);

    // An address on which nothing listens (docs/testing.md).
    connection.onSetDatabaseConnectionData(QStringLiteral("meetwise"), {{QStringLiteral("ip"), "127.0.21.254"}});
    DatabaseSynchronizationInterface listener;
    connection.loadHeat({{QStringLiteral("event.id"), HeatId},
                         {QStringLiteral("event.fieldType"), QString(fieldType)},
                         {QStringLiteral("event.participantsCached"), 1}},
                        &listener);
    connection.onSetDatabaseConnectionData(QString(), {});
    return connection.participations().size() == size;
}

} // namespace HeldHeat
