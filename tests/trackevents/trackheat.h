#pragma once

#include <QList>
#include <QString>

#include "records/participant.h"
#include "records/participation.h"
#include "records/result.h"

// Track heats held in memory, the way the connection hands them to the screen.
namespace TrackHeat {

// Participation with local id 10 + n and server id 1000 + n, drawn in the
// given lane.
inline Participation *runner(unsigned n, unsigned lane, const QString &name = QString())
{
    auto *p = new Participation;
    p->id = 10 + n;
    p->participation_id = 1000 + n;
    p->initial_order = p->initial_order_loaded = lane;
    auto *person = new Participant;
    person->competitor()->bib = QString::number(100 + n);
    person->competitor()->displayname = name.isEmpty() ? QStringLiteral("Runner %1").arg(n) : name;
    p->addParticipant(person);
    return p;
}

inline Result *addTime(Participation *p, double value, const QString &type = QStringLiteral("FST"),
                       const QString &info = QString())
{
    auto *r = new Result(nullptr, p);
    r->value = value;
    r->type = type;
    r->setInfo(info);
    r->result_id = 500 + p->id;
    r->id = 200 + p->id;
    p->addResult(r);
    return r;
}

// Runners 1..count in lanes firstLane, firstLane + 1, ...
inline QList<Participation *> heat(int count, unsigned firstLane = 1)
{
    QList<Participation *> list;
    for (int i = 0; i < count; ++i)
        list.append(runner(unsigned(i + 1), firstLane + unsigned(i)));
    return list;
}

} // namespace TrackHeat
