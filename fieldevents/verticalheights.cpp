#include "fieldevents/verticalheights.h"

#include <algorithm>
#include <cmath>

#include "records/participation.h"

namespace {

bool isActive(const Participation *p)
{
    return !p->abandon && !p->out_of_competition && !p->out_of_competition_combined_event;
}

QString marksAt(const Participation *p, const HeightColumn &bar)
{
    return bar.isJumpOff() ? p->jumpOffMark(bar.jumpOff) : p->attemptString(bar.height);
}

// Newest first, as the elimination rule walks the results.
const Result *newestResult(const Participation *p)
{
    const Result *newest = nullptr;
    for (const Result *r : p->results()) {
        if (!newest) {
            newest = r;
            continue;
        }
        if (r->isJumpOff() != newest->isJumpOff()) {
            if (r->isJumpOff())
                newest = r;
            continue;
        }
        if (r->isJumpOff()) {
            if (r->jumpOffNumber() > newest->jumpOffNumber())
                newest = r;
        } else if (!Participation::sameHeight(r->metavalue, newest->metavalue)) {
            if (r->metavalue > newest->metavalue)
                newest = r;
        } else if (r->seqno > newest->seqno) {
            newest = r;
        }
    }
    return newest;
}

} // namespace

bool VerticalHeights::startsAbove(const Participation *participation, double height)
{
    return participation->startheight > height && !Participation::sameHeight(participation->startheight, height);
}

bool VerticalHeights::isDoneAt(const Participation *participation, const HeightColumn &bar)
{
    const QString marks = marksAt(participation, bar);
    if (bar.isJumpOff())
        return !marks.trimmed().isEmpty();
    return marks.contains(QLatin1Char('0')) || marks.contains(QLatin1Char('-'));
}

void VerticalHeights::rebuildStartOrder(const QList<Participation *> &heat, const HeightColumn &bar)
{
    QList<Participation *> retired, out, competing;
    for (Participation *p : heat) {
        if (p->abandon || p->out_of_competition_combined_event)
            retired.append(p);
        else if (p->out_of_competition)
            out.append(p);
        else
            competing.append(p);
    }
    const double h = bar.height;
    std::stable_sort(competing.begin(), competing.end(), [&](const Participation *a, const Participation *b) {
        const bool aWaits = startsAbove(a, h);
        const bool bWaits = startsAbove(b, h);
        if (aWaits && bWaits)
            return a->initial_order < b->initial_order;
        if (aWaits != bWaits)
            return bWaits;
        const bool aDone = isDoneAt(a, bar);
        const bool bDone = isDoneAt(b, bar);
        if (aDone != bDone)
            return !aDone;
        if (!aDone) {
            const auto aFailures = marksAt(a, bar).count(QLatin1Char('X'));
            const auto bFailures = marksAt(b, bar).count(QLatin1Char('X'));
            if (aFailures != bFailures)
                return aFailures < bFailures;
        }
        return a->initial_order < b->initial_order;
    });

    unsigned order = 0;
    for (Participation *p : std::as_const(competing)) {
        if (!startsAbove(p, h)) {
            p->waitingForStartHeight = false;
            p->working_order = ++order;
        }
    }
    for (Participation *p : std::as_const(competing)) {
        if (startsAbove(p, h)) {
            p->waitingForStartHeight = true;
            p->working_order = ++order;
        }
    }
    for (Participation *p : std::as_const(out)) {
        p->waitingForStartHeight = false;
        p->working_order = ++order;
    }
    for (Participation *p : std::as_const(retired)) {
        p->waitingForStartHeight = false;
        p->working_order = ++order;
    }
}

namespace {

// The lowest regular height column above h.
const HeightColumn *nextPlanned(const HeightColumns &planned, double h)
{
    const HeightColumn *next = nullptr;
    for (const HeightColumn &column : planned) {
        if (column.isJumpOff() || !(column.height > h) || Participation::sameHeight(column.height, h))
            continue;
        if (!next || column.height < next->height)
            next = &column;
    }
    return next;
}

} // namespace

HeightColumn VerticalHeights::currentBar(const QList<Participation *> &heat, const HeightColumn &bar,
                                         const HeightColumns &planned)
{
    HeightColumn current = bar;
    while (!current.isJumpOff() && isHeightCompleted(heat, current.height)) {
        const HeightColumn *next = nextPlanned(planned, current.height);
        if (!next)
            break;
        current = *next;
    }
    return current;
}

HeightColumn VerticalHeights::proposeNextHeight(const QList<Participation *> &heat, const HeightColumn &bar,
                                                double step, const HeightColumns &planned)
{
    unsigned lastJumpOff = 0;
    double jumpOffHeight = 0;
    for (const Participation *p : heat) {
        for (const Result *r : p->results()) {
            if (r->isJumpOff() && r->jumpOffNumber() >= lastJumpOff && r->jumpOffNumber() > 0) {
                lastJumpOff = r->jumpOffNumber();
                jumpOffHeight = r->metavalue;
            }
        }
    }
    if (lastJumpOff > 0) {
        const bool cleared = std::any_of(heat.cbegin(), heat.cend(), [lastJumpOff](const Participation *p) {
            return p->isJumpOffCleared(lastJumpOff);
        });
        const double move = jumpOffHeight > 2.8 ? 0.05 : 0.02;
        // Whole centimetres, so the bar never drifts by rounding.
        const double next = std::round((cleared ? jumpOffHeight + move : jumpOffHeight - move) * 100.0) / 100.0;
        return {next, lastJumpOff + 1};
    }

    HeightColumn proposal{std::round((bar.height + step) * 100.0) / 100.0, bar.jumpOff};
    // A height planned in the grid close above the bar is the bar's next
    // height (1.61 rather than 1.60). One two steps away or more is a
    // waiting athlete's starting height: the bar goes up by the step first.
    if (!bar.isJumpOff()) {
        const HeightColumn *next = nextPlanned(planned, bar.height);
        if (next && next->height < bar.height + 2 * step - 1e-9)
            proposal.height = next->height;
    }
    // Someone who has not jumped yet and declared a lower starting height
    // gets that height first (the lowest of them).
    for (Participation *p : heat) {
        const double f = p->startheight;
        if (!isActive(p) || !(f > 0) || Participation::sameHeight(f, proposal.height) || f > proposal.height)
            continue;
        if (p->bestHeight() > 0 || p->hasSkipped(f))
            continue;
        if (f < proposal.height)
            proposal.height = f;
    }
    return proposal;
}

bool VerticalHeights::isHeightCompleted(const QList<Participation *> &heat, double height)
{
    if (!(height > 0))
        return false;
    return std::all_of(heat.cbegin(), heat.cend(), [height](const Participation *p) {
        return !isActive(p) || p->hasClearedOrSkipped(height) || startsAbove(p, height);
    });
}

HeightColumns VerticalHeights::startingHeightColumns(const QList<Participation *> &heat)
{
    HeightColumns columns;
    for (const Participation *p : heat) {
        if (!isActive(p) || !(p->startheight > 0))
            continue;
        const HeightColumn column{p->startheight, 0};
        if (!columns.contains(column))
            columns.append(column);
    }
    std::sort(columns.begin(), columns.end(),
              [](const HeightColumn &a, const HeightColumn &b) { return a.height < b.height; });
    return columns;
}

HeightColumns VerticalHeights::columnsFromResults(const QList<Participation *> &heat)
{
    HeightColumns columns;
    const auto add = [&columns](const HeightColumn &column) {
        if (!columns.contains(column))
            columns.append(column);
    };
    for (const Participation *p : heat) {
        for (const Result *r : p->results()) {
            if (r->metavalue == 0)
                continue;
            add({r->metavalue, r->isJumpOff() ? r->jumpOffNumber() : 0u});
        }
        if (p->results().isEmpty() && p->startheight > 0)
            add({p->startheight, 0});
    }
    std::stable_sort(columns.begin(), columns.end(), [](const HeightColumn &a, const HeightColumn &b) {
        if (a.isJumpOff() != b.isJumpOff())
            return !a.isJumpOff();
        if (a.isJumpOff())
            return a.jumpOff < b.jumpOff;
        return a.height < b.height;
    });
    return columns;
}

HeightColumn VerticalHeights::currentFromResults(const QList<Participation *> &heat)
{
    HeightColumn current;
    bool jumpOff = false;
    for (const Participation *p : heat) {
        const Result *newest = newestResult(p);
        if (!newest)
            continue;
        if (newest->isJumpOff()) {
            if (!jumpOff || newest->jumpOffNumber() > current.jumpOff)
                current = {newest->metavalue, newest->jumpOffNumber()};
            jumpOff = true;
        } else if (!jumpOff && newest->metavalue > current.height) {
            current = {newest->metavalue, 0};
        }
    }
    return current;
}
