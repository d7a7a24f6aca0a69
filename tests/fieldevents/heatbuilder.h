#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "records/participation.h"
#include "records/resultmarks.h"

class LocalDatabase;

// Builds heats the way officials write them on their cards, so that a whole
// competition fits in one test row.
//
// Horizontal: "Name: 7.12 X 7.45 - r" gives one result per attempt in order
// (a blank attempt is written "."). Vertical: "Name: 1.80 O, 1.85 XO, 1.90
// XXX, JO1 1.92 O" gives the tries per height, "O" for a clearance.
namespace HeatBuilder {

inline Participation *participant(const QString &name, unsigned serverId, QChar fieldType, LocalDatabase *store)
{
    auto *p = new Participation(store);
    p->participation_id = serverId;
    p->heat_id = 1;
    p->field_type = fieldType;
    p->initial_order = p->initial_order_loaded = serverId;
    p->working_order = p->working_order_loaded = serverId;
    auto *person = new Participant;
    person->competitor()->displayname = name;
    person->competitor()->bib = QString::number(100 + serverId);
    p->addParticipant(person);
    p->isNew = true;
    if (store)
        p->save();
    return p;
}

inline void addResult(Participation *p, unsigned seqno, double value, double height, const QString &info = QString())
{
    auto *r = new Result(p->store, p);
    r->isNew = true;
    r->seqno = seqno;
    r->value = value;
    r->metavalue = height;
    r->setInfo(info);
    r->save();
    p->addResult(r);
}

inline double markValue(const QString &mark)
{
    if (mark == QLatin1String("O") || mark == QLatin1String("0"))
        return ResultMarks::Cleared;
    if (mark == QLatin1String("X"))
        return ResultMarks::Failed;
    if (mark == QLatin1String("-"))
        return ResultMarks::Skipped;
    if (mark == QLatin1String("r"))
        return ResultMarks::Retired;
    return mark.toDouble();
}

// One card per line; participation ids count from 1 in card order.
inline QList<Participation *> heat(const QStringList &cards, QChar fieldType, LocalDatabase *store = nullptr)
{
    QList<Participation *> list;
    unsigned id = 0;
    for (const QString &card : cards) {
        const int colon = card.indexOf(QLatin1Char(':'));
        Participation *p = participant(card.left(colon).trimmed(), ++id, fieldType, store);
        const QString body = card.mid(colon + 1).trimmed();
        if (fieldType == QLatin1Char('H')) {
            unsigned seqno = 0;
            for (const QString &mark : body.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                ++seqno;
                if (mark != QLatin1String("."))
                    addResult(p, seqno, markValue(mark), 0);
            }
        } else {
            for (const QString &entry : body.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                QStringList parts = entry.split(QLatin1Char(' '), Qt::SkipEmptyParts);
                if (parts.first().startsWith(QLatin1String("JO"))) {
                    const QString token = parts.takeFirst();
                    addResult(p, 1, markValue(parts.at(1)), parts.at(0).toDouble(), token);
                    p->in_jumpoff = true;
                    continue;
                }
                const double height = parts.at(0).toDouble();
                const QString tries = parts.value(1);
                for (int i = 0; i < tries.size(); ++i)
                    addResult(p, unsigned(i + 1), markValue(tries.mid(i, 1)), height);
            }
        }
        p->updateBestResult();
        list.append(p);
    }
    return list;
}

inline QString ranks(const QList<Participation *> &heat)
{
    QStringList list;
    for (const Participation *p : heat)
        list << QString::number(p->current_order);
    return list.join(QLatin1Char(' '));
}

} // namespace HeatBuilder
