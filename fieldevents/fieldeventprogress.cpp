#include "fieldevents/fieldeventprogress.h"

#include <QLoggingCategory>

#include <algorithm>
#include <climits>

#include "fieldevents/fieldeventranking.h"
#include "fieldevents/verticalheights.h"
#include "fieldevents/fieldeventslogging.h"
#include "records/participation.h"

namespace {

QList<Participation *> activeInStartOrder(const QList<Participation *> &heat)
{
    QList<Participation *> active;
    for (Participation *p : heat) {
        if (p->isActive())
            active.append(p);
    }
    return FieldEventRanking::byStartOrder(active);
}

} // namespace

Participation *FieldEventProgress::nextHorizontal(const QList<Participation *> &heat, unsigned numberOfAttempts,
                                                  unsigned *attempt)
{
    const QList<Participation *> active = activeInStartOrder(heat);
    for (unsigned n = 1; n <= numberOfAttempts; ++n) {
        if (FieldEventRanking::isAttemptFinished(heat, n))
            continue;
        for (Participation *p : std::as_const(active)) {
            if (p->resultTextOfAttempt(n).isEmpty()) {
                if (attempt)
                    *attempt = n;
                return p;
            }
        }
    }
    return nullptr;
}

Participation *FieldEventProgress::nextVertical(const QList<Participation *> &heat, const HeightColumn &bar)
{
    VerticalHeights::rebuildStartOrder(heat, bar);
    for (Participation *p : heat) {
        if (p->working_order == 1)
            return p;
    }
    return nullptr;
}

QList<FieldEventProgress::Turn> FieldEventProgress::upNextHorizontal(const QList<Participation *> &heat,
                                                                     unsigned numberOfAttempts,
                                                                     const Participation *current,
                                                                     unsigned currentAttempt, int count)
{
    const QList<Participation *> active = activeInStartOrder(heat);
    QList<Turn> turns;
    for (unsigned n = 1; n <= numberOfAttempts && turns.size() < count; ++n) {
        for (Participation *p : std::as_const(active)) {
            if (turns.size() >= count)
                break;
            if ((p == current && n == currentAttempt) || !p->resultTextOfAttempt(n).isEmpty())
                continue;
            turns.append({p, n});
        }
    }
    return turns;
}

QList<FieldEventProgress::Turn> FieldEventProgress::upNextVertical(const QList<Participation *> &heat,
                                                                   const HeightColumn &bar,
                                                                   const Participation *current, int count)
{
    QList<Participation *> waiting;
    for (Participation *p : heat) {
        if (p != current && p->isActive() && !VerticalHeights::startsAbove(p, bar.height) &&
            !VerticalHeights::isDoneAt(p, bar) && (!bar.isJumpOff() || p->in_jumpoff))
            waiting.append(p);
    }
    std::stable_sort(waiting.begin(), waiting.end(), [](const Participation *a, const Participation *b) {
        return a->working_order < b->working_order;
    });
    QList<Turn> turns;
    for (Participation *p : std::as_const(waiting)) {
        if (turns.size() >= count)
            break;
        turns.append({p, 0});
    }
    return turns;
}

bool FieldEventProgress::isJumpOffRunning(const QList<Participation *> &heat)
{
    return std::any_of(heat.cbegin(), heat.cend(), [](const Participation *p) { return p->in_jumpoff; });
}

int FieldEventProgress::countOnFirstRank(const QList<Participation *> &heat)
{
    return int(std::count_if(heat.cbegin(), heat.cend(), [](const Participation *p) { return p->current_order == 1; }));
}

bool FieldEventProgress::isJumpOffDecided(const QList<Participation *> &heat, unsigned jumpOff)
{
    const bool anyResults =
        std::any_of(heat.cbegin(), heat.cend(), [](const Participation *p) { return p->hasJumpOffResults(); });
    if (!anyResults || countOnFirstRank(heat) != 1)
        return false;
    int stillToJump = 0;
    bool cleared = false;
    bool failed = false;
    for (const Participation *p : heat) {
        if (!p->in_jumpoff)
            continue;
        cleared = cleared || p->isJumpOffCleared(jumpOff);
        failed = failed || p->isJumpOffFailed(jumpOff);
        if (!p->out_of_competition && p->jumpOffMark(jumpOff).isEmpty())
            ++stillToJump;
    }
    return stillToJump == 0 || (stillToJump == 1 && !cleared && !failed);
}

FieldEventProgress::VerticalStep FieldEventProgress::verticalStep(const QList<Participation *> &heat,
                                                                  bool hasHeightColumns, const HeightColumn &bar)
{
    const bool anyResults = std::any_of(heat.cbegin(), heat.cend(), [](const Participation *p) {
        return !p->abandon && !p->out_of_competition_combined_event && !p->results().isEmpty();
    });
    if (!hasHeightColumns || !anyResults)
        return VerticalStep::OpenStartingHeights;

    const bool running = isJumpOffRunning(heat);
    if (FieldEventRanking::isEventFinished(heat, QLatin1Char('V'), 0)) {
        if (running) {
            qCDebug(lcFieldEvents) << "event is finished, jumpoff done";
            return VerticalStep::EndJumpOffDone;
        }
        if (countOnFirstRank(heat) < 2) {
            qCDebug(lcFieldEvents) << "event is finished, only 1 participant on first rank, no jumpoff to be done";
            return VerticalStep::EndSingleLeader;
        }
        return VerticalStep::AskForJumpOff;
    }
    if (running) {
        const unsigned n = bar.jumpOff;
        bool someoneStillToJump = false;
        for (const Participation *p : heat) {
            if (p->in_jumpoff && p->isActive() && p->jumpOffMark(n).isEmpty())
                someoneStillToJump = true;
        }
        const bool anyJumpOffAttempt =
            std::any_of(heat.cbegin(), heat.cend(), [](const Participation *p) { return p->hasJumpOffResults(); });
        if (someoneStillToJump) {
            if (!anyJumpOffAttempt && n == 0)
                return VerticalStep::NewHeightThenNext;
            return isJumpOffDecided(heat, n) ? VerticalStep::EndDecided : VerticalStep::Next;
        }
        return isJumpOffDecided(heat, n) ? VerticalStep::EndDecided : VerticalStep::NewHeightThenNext;
    }
    const bool completed = VerticalHeights::isHeightCompleted(heat, bar.height);
    qCDebug(lcFieldEvents) << "event not finished " << completed;
    return completed ? VerticalStep::NewHeightThenNext : VerticalStep::Next;
}

QList<Participation *> FieldEventProgress::applyJumpOffOutcome(const QList<Participation *> &heat,
                                                               Participation *jumped, unsigned jumpOff)
{
    QList<Participation *> out;
    if (!jumped || jumpOff == 0)
        return out;
    const bool someoneCleared = std::any_of(heat.cbegin(), heat.cend(),
                                            [jumpOff](const Participation *p) { return p->isJumpOffCleared(jumpOff); });
    if (!someoneCleared) {
        if (jumped->isJumpOffSkipped(jumpOff) && !jumped->out_of_competition) {
            jumped->out_of_competition = true;
            out.append(jumped);
        }
        return out;
    }
    if (jumped->isJumpOffCleared(jumpOff))
        return out;
    for (Participation *p : heat) {
        if (p->in_jumpoff && !p->out_of_competition && !p->isJumpOffCleared(jumpOff) &&
            !p->jumpOffMark(jumpOff).isEmpty()) {
            p->out_of_competition = true;
            out.append(p);
        }
    }
    return out;
}

QList<Participation *> FieldEventProgress::rankingOrder(const QList<Participation *> &heat)
{
    QList<Participation *> list = heat;
    std::stable_sort(list.begin(), list.end(), [](const Participation *a, const Participation *b) {
        const unsigned ra = a->current_order == 0 ? UINT_MAX : a->current_order;
        const unsigned rb = b->current_order == 0 ? UINT_MAX : b->current_order;
        if (ra != rb)
            return ra < rb;
        return a->initial_order < b->initial_order;
    });
    return list;
}

QString FieldEventProgress::eventTitle(const QVariantMap &eventValues)
{
    const QString round = eventValues.value(QStringLiteral("event.roundName")).toString().trimmed();
    if (round.isEmpty())
        return QString();
    const QString name = eventValues.value(QStringLiteral("event.eventName")).toString().trimmed();
    const QString seqno = eventValues.value(QStringLiteral("event.seqno")).toString();
    if (round == QLatin1String("*"))
        return QStringLiteral("%1 - %2").arg(name, seqno);
    return QStringLiteral("%1 - %2 - %3").arg(name, round, seqno);
}
