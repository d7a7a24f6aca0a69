#include "fieldevents/fieldeventranking.h"

#include <QDebug>
#include <QHash>
#include <QLoggingCategory>

#include <algorithm>

#include "records/participation.h"
#include "records/resultmarks.h"
#include "store/localdatabase.h"

Q_LOGGING_CATEGORY(lcRanking, "stadionix.ranking", QtInfoMsg)

namespace {

// Valid marks of attempts 1 to 6, best first.
QList<double> validMarks(const Participation *participation)
{
    QList<double> marks;
    for (const Result *result : participation->results()) {
        if (result->seqno >= 1 && result->seqno <= 6 && result->value > 0)
            marks.append(result->value);
    }
    std::sort(marks.begin(), marks.end(), std::greater<double>());
    return marks;
}

LocalDatabase *storeOf(const QList<Participation *> &participations)
{
    for (const Participation *p : participations) {
        if (p->store)
            return p->store;
    }
    return nullptr;
}

} // namespace

FieldEventRanking::VerticalKeys FieldEventRanking::verticalKeys(const Participation *participation)
{
    VerticalKeys keys;
    const QList<Result *> &results = participation->results();
    for (const Result *r : results) {
        if (!r->isJumpOff() && r->value == ResultMarks::Cleared && r->metavalue > keys.highestCleared)
            keys.highestCleared = r->metavalue;
    }
    for (const Result *r : results) {
        if (r->isJumpOff())
            continue;
        const bool atHighest = keys.highestCleared > 0 && Participation::sameHeight(r->metavalue, keys.highestCleared);
        if (atHighest && (r->value == ResultMarks::Failed || r->value == ResultMarks::Cleared))
            ++keys.triesAtHighest;
        if (r->value != ResultMarks::Failed)
            continue;
        if (atHighest)
            ++keys.failuresAtHighest;
        // Failures above the last cleared height do not count in the
        // countback: an athlete who tried higher and retired is not worse
        // placed for it.
        if (r->metavalue < keys.highestCleared || atHighest)
            ++keys.totalFailures;
    }
    for (unsigned n = 1; const Result *r = participation->jumpOffResult(n); ++n) {
        if (r->value > 0)
            keys.jumpOffClearance = int(n);
        keys.jumpOffSkip = r->value == ResultMarks::Skipped;
    }
    return keys;
}

void FieldEventRanking::rankHeat(const QList<Participation *> &participations, QChar fieldType)
{
    const bool horizontal = fieldType == QLatin1Char('H');
    const bool vertical = fieldType == QLatin1Char('V');

    QHash<Participation *, unsigned> ranks;
    QHash<Participation *, double> key;
    QList<Participation *> unranked;
    for (Participation *p : participations) {
        const Result *best = p->bestResult();
        if (!best || best->value <= 0) {
            ranks.insert(p, 0);
            continue;
        }
        key.insert(p, vertical ? best->metavalue : best->value);
        unranked.append(p);
    }

    unsigned placed = 0;
    while (!unranked.isEmpty()) {
        double target = key.value(unranked.first());
        for (Participation *p : std::as_const(unranked)) {
            const double k = key.value(p);
            if ((horizontal || vertical) ? k > target : k < target)
                target = k;
        }
        QList<Participation *> group;
        for (auto it = unranked.begin(); it != unranked.end();) {
            const bool same = vertical ? Participation::sameHeight(key.value(*it), target) : key.value(*it) == target;
            if (same) {
                group.append(*it);
                it = unranked.erase(it);
            } else {
                ++it;
            }
        }
        if (vertical) {
            qCDebug(lcRanking) << "Participation for ranking " << group.size();
            qCDebug(lcRanking) << "Results to sort " << target;
        }
        const unsigned firstRank = placed + 1;
        if (group.size() == 1)
            ranks.insert(group.first(), firstRank);
        else if (horizontal)
            horizontalCountback(group, firstRank, 0, ranks);
        else if (vertical)
            verticalCountback(group, firstRank, ranks);
        else
            for (Participation *p : std::as_const(group))
                ranks.insert(p, firstRank);
        placed += unsigned(group.size());
    }

    // One transaction for the whole heat: one sync instead of one per row.
    LocalDatabase *store = storeOf(participations);
    if (store)
        store->beginTransaction();
    for (Participation *p : participations) {
        const unsigned rank = ranks.value(p);
        if (p->current_order == rank)
            continue;
        p->current_order = rank;
        if (p->store && p->id != 0)
            p->store->setCurrentOrder(p->id, rank);
    }
    if (store)
        store->endTransaction();
}

void FieldEventRanking::horizontalCountback(const QList<Participation *> &group, unsigned firstRank, int level,
                                            QHash<Participation *, unsigned> &ranks)
{
    QHash<Participation *, QList<double>> marks;
    double best = 0;
    for (Participation *p : group) {
        const QList<double> list = validMarks(p);
        marks.insert(p, list);
        ranks.insert(p, 0);
        if (list.size() > level && list.at(level) > best)
            best = list.at(level);
    }
    QList<Participation *> winners;
    QList<Participation *> rest;
    for (Participation *p : group) {
        const QList<double> &list = marks[p];
        if (best > 0 && list.size() > level && list.at(level) == best)
            winners.append(p);
        else
            rest.append(p);
    }
    const bool deeper = best > 0 && level < 5;
    const unsigned restRank = firstRank + unsigned(winners.size());
    if (rest.size() == 1) {
        ranks.insert(rest.first(), restRank);
    } else if (rest.size() > 1) {
        if (deeper)
            horizontalCountback(rest, restRank, level, ranks);
        else
            for (Participation *p : std::as_const(rest))
                ranks.insert(p, restRank);
    }
    if (winners.size() == 1) {
        ranks.insert(winners.first(), firstRank);
    } else if (winners.size() > 1) {
        if (deeper)
            horizontalCountback(winners, firstRank, level + 1, ranks);
        else
            for (Participation *p : std::as_const(winners))
                ranks.insert(p, firstRank);
    }
}

void FieldEventRanking::verticalCountback(const QList<Participation *> &group, unsigned firstRank,
                                          QHash<Participation *, unsigned> &ranks)
{
    struct Entry
    {
        Participation *participation;
        VerticalKeys keys;
    };
    QList<Entry> entries;
    for (Participation *p : group)
        entries.append({p, verticalKeys(p)});

    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        // A jump-off decides first: the later attempt cleared, then not
        // having skipped the last one.
        if (a.keys.jumpOffClearance != b.keys.jumpOffClearance)
            return a.keys.jumpOffClearance > b.keys.jumpOffClearance;
        if (a.keys.jumpOffSkip != b.keys.jumpOffSkip)
            return !a.keys.jumpOffSkip;
        if (!Participation::sameHeight(a.keys.highestCleared, b.keys.highestCleared))
            return a.keys.highestCleared > b.keys.highestCleared;
        if (a.keys.triesAtHighest != b.keys.triesAtHighest)
            return a.keys.triesAtHighest < b.keys.triesAtHighest;
        if (a.keys.totalFailures != b.keys.totalFailures)
            return a.keys.totalFailures < b.keys.totalFailures;
        return a.participation->participation_id < b.participation->participation_id;
    });

    unsigned rank = firstRank;
    for (int i = 0; i < entries.size(); ++i) {
        if (i > 0) {
            const VerticalKeys &a = entries.at(i - 1).keys;
            const VerticalKeys &b = entries.at(i).keys;
            const bool differs = !Participation::sameHeight(a.highestCleared, b.highestCleared) ||
                                 a.failuresAtHighest != b.failuresAtHighest || a.totalFailures != b.totalFailures ||
                                 a.jumpOffClearance != b.jumpOffClearance || a.jumpOffSkip != b.jumpOffSkip;
            if (differs)
                rank = firstRank + unsigned(i);
        }
        ranks.insert(entries.at(i).participation, rank);
    }
}

bool FieldEventRanking::isAttemptFinished(const QList<Participation *> &participations, unsigned attempt)
{
    return std::all_of(participations.cbegin(), participations.cend(), [attempt](const Participation *p) {
        return !p->isActive() || !p->resultTextOfAttempt(attempt).isEmpty();
    });
}

bool FieldEventRanking::isAttemptBegun(const QList<Participation *> &participations, unsigned attempt)
{
    return std::any_of(participations.cbegin(), participations.cend(), [attempt](const Participation *p) {
        return p->isActive() && !p->resultTextOfAttempt(attempt).isEmpty();
    });
}

bool FieldEventRanking::isEventFinished(const QList<Participation *> &participations, QChar fieldType,
                                        unsigned numberOfAttempts)
{
    if (fieldType == QLatin1Char('H')) {
        for (unsigned attempt = 1; attempt <= numberOfAttempts; ++attempt) {
            if (!isAttemptFinished(participations, attempt))
                return false;
        }
        return true;
    }
    if (fieldType == QLatin1Char('V'))
        return std::none_of(participations.cbegin(), participations.cend(),
                            [](const Participation *p) { return p->isActive(); });
    return true;
}

bool FieldEventRanking::hasNotStarted(const QList<Participation *> &participations)
{
    return std::none_of(participations.cbegin(), participations.cend(), [](const Participation *p) {
        return !p->abandon && !p->out_of_competition_combined_event && !p->results().isEmpty();
    });
}

bool FieldEventRanking::shouldAskForResort(const QList<Participation *> &participations, unsigned numberOfAttempts)
{
    const unsigned last = std::min(numberOfAttempts, 3u);
    bool finished = true;
    for (unsigned attempt = 1; attempt <= last; ++attempt)
        finished = finished && isAttemptFinished(participations, attempt);
    const bool begun = isAttemptBegun(participations, 4);
    qCDebug(lcRanking) << "ask for resort " << finished << " res for attempt 4 " << begun;
    return finished && !begun;
}

void FieldEventRanking::resort(QList<Participation *> &participations, unsigned maximumRank)
{
    constexpr unsigned Unranked = 999;
    unsigned eligible = 0;
    for (const Participation *p : std::as_const(participations)) {
        if (!p->abandon && !p->out_of_competition_combined_event)
            ++eligible;
    }
    unsigned keep = eligible;
    if (maximumRank > 0 && maximumRank < keep)
        keep = maximumRank;

    QList<Participation *> unranked;
    for (Participation *p : std::as_const(participations)) {
        if (p->current_order == 0) {
            p->current_order = Unranked;
            unranked.append(p);
        }
    }
    QList<Participation *> sorted = participations;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Participation *a, const Participation *b) {
        return a->current_order > b->current_order;
    });

    // Whoever shares the rank of the last place that earns the attempts is
    // kept in as well.
    const int count = int(sorted.size());
    if (keep > 0 && int(keep) < count) {
        const unsigned cutRank = sorted.at(count - int(keep))->current_order;
        if (cutRank != Unranked) {
            int first = count - int(keep);
            while (first > 0 && sorted.at(first - 1)->current_order == cutRank)
                --first;
            keep = unsigned(count - first);
        }
    }

    LocalDatabase *store = storeOf(participations);
    if (store)
        store->beginTransaction();
    for (Participation *p : std::as_const(unranked))
        p->current_order = 0;
    unsigned j = unsigned(count);
    for (Participation *p : std::as_const(sorted)) {
        const unsigned order = keep < j ? j : keep - j + 1;
        p->out_of_competition = keep < j;
        p->working_order = p->working_order_loaded = order;
        p->save();
        --j;
    }
    if (store)
        store->endTransaction();

    std::stable_sort(participations.begin(), participations.end(), [](const Participation *a, const Participation *b) {
        if (a->working_order != b->working_order)
            return a->working_order > b->working_order;
        return a->participation_id > b->participation_id;
    });
}

QList<Participation *> FieldEventRanking::byStartOrder(QList<Participation *> participations)
{
    std::stable_sort(participations.begin(), participations.end(), [](const Participation *a, const Participation *b) {
        return a->working_order < b->working_order;
    });
    return participations;
}

QList<Participation *> FieldEventRanking::byRank(QList<Participation *> participations)
{
    std::stable_sort(participations.begin(), participations.end(), [](const Participation *a, const Participation *b) {
        const unsigned ra = a->current_order == 0 ? UINT_MAX : a->current_order;
        const unsigned rb = b->current_order == 0 ? UINT_MAX : b->current_order;
        return ra < rb;
    });
    return participations;
}
