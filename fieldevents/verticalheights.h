#pragma once

#include <QList>

#include "fieldevents/heightcolumn.h"

class Participation;

// The height-by-height logic of a vertical event over the heat's
// participations: start order at the bar, next-height proposal (jump-off bar
// moves included), "height completed", and the heights of a heat reopened
// with results. Plain code; the screen and the dialogs only show it.
class VerticalHeights
{
public:
    static constexpr double DefaultFirstHeight = 1.5;
    static constexpr double DefaultHeightStep = 0.05;

    // Numbers working_order from 1 at bar height h (jump-off attempt n):
    // those jumping at h (not done before done, fewer failures first, then
    // initial order), then those waiting for a higher starting height (marked
    // waiting), then those out of competition, then the retired.
    static void rebuildStartOrder(const QList<Participation *> &heat, const HeightColumn &bar);

    // The next bar: the next height already planned in the grid above h
    // when it lies less than two steps up, else h + step; the lower starting
    // height of someone who has not jumped yet comes first. In a jump-off up after a clearance, down after
    // a round without one (5 cm above 2.80 m, else 2 cm), as the next attempt.
    static HeightColumn proposeNextHeight(const QList<Participation *> &heat, const HeightColumn &bar, double step,
                                          const HeightColumns &planned = {});

    // The bar the screen goes on at: a completed regular bar gives way to the
    // next planned height above it that is not completed; otherwise the bar.
    static HeightColumn currentBar(const QList<Participation *> &heat, const HeightColumn &bar,
                                   const HeightColumns &planned);

    // Every active participation has cleared or skipped h, or starts higher.
    static bool isHeightCompleted(const QList<Participation *> &heat, double height);

    // The distinct non-zero starting heights of the active participations,
    // lowest first.
    static HeightColumns startingHeightColumns(const QList<Participation *> &heat);

    // Height columns and current bar of a heat that already has results.
    static HeightColumns columnsFromResults(const QList<Participation *> &heat);
    static HeightColumn currentFromResults(const QList<Participation *> &heat);

    // Whether a participation is done at the bar: cleared or skipped a
    // regular height, any mark for a jump-off attempt.
    static bool isDoneAt(const Participation *participation, const HeightColumn &bar);
    static bool startsAbove(const Participation *participation, double height);
};
