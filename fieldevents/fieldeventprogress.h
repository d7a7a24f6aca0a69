#pragma once

#include <QList>
#include <QString>
#include <QVariantMap>

#include "fieldevents/heightcolumn.h"

class Participation;

// What comes next on the field event screen: the next athlete and attempt,
// the checks after each result of a vertical event (new height, jump-off,
// end of the event) and the jump-off eliminations. Plain decisions over the
// heat's participations; the screen carries them out.
class FieldEventProgress
{
public:
    // Horizontal: the first attempt not finished by everyone, and the first
    // active participation in start order without a result for it. Null
    // when every attempt up to numberOfAttempts is done.
    static Participation *nextHorizontal(const QList<Participation *> &heat, unsigned numberOfAttempts,
                                         unsigned *attempt);
    // Vertical: rebuilds the start order at the bar and returns working
    // order 1.
    static Participation *nextVertical(const QList<Participation *> &heat, const HeightColumn &bar);

    // Who comes after the athlete now up, in the order the screen will call
    // them once the current attempt is in: at most count turns.
    // Horizontal: attempt by attempt in start order; vertical: the working
    // order at the bar, those still to jump there.
    struct Turn
    {
        Participation *participation = nullptr;
        unsigned attempt = 0; // horizontal only
    };
    static QList<Turn> upNextHorizontal(const QList<Participation *> &heat, unsigned numberOfAttempts,
                                        const Participation *current, unsigned currentAttempt, int count);
    static QList<Turn> upNextVertical(const QList<Participation *> &heat, const HeightColumn &bar,
                                      const Participation *current, int count);

    enum class VerticalStep {
        OpenStartingHeights, // no heights yet or nobody has jumped
        EndJumpOffDone,      // finished after a jump-off
        EndSingleLeader,     // finished with one athlete on top
        AskForJumpOff,       // finished with a tie for first place
        EndDecided,          // the jump-off has a winner
        NewHeightThenNext,   // the bar goes up (or a new jump-off attempt)
        Next,                // the next athlete at this bar
    };
    // The check after each vertical result (and after going back to the
    // overview). Writes the log lines officials know.
    static VerticalStep verticalStep(const QList<Participation *> &heat, bool hasHeightColumns,
                                     const HeightColumn &bar);

    static bool isJumpOffRunning(const QList<Participation *> &heat);
    static bool isJumpOffDecided(const QList<Participation *> &heat, unsigned jumpOff);
    static int countOnFirstRank(const QList<Participation *> &heat);

    // After a participation's jump-off attempt n was entered: a skip before
    // anyone cleared takes it out; a clearance by someone takes out everyone
    // who did not clear. Returns the participations taken out.
    static QList<Participation *> applyJumpOffOutcome(const QList<Participation *> &heat, Participation *jumped,
                                                      unsigned jumpOff);

    // The heat's participations for the scoreboard's ranking: by rank,
    // unranked last, ties by initial order.
    static QList<Participation *> rankingOrder(const QList<Participation *> &heat);
    // "Event - Round - seqno" from the screen's "event." values; the round is
    // left out when it is "*", everything when it is empty.
    static QString eventTitle(const QVariantMap &eventValues);
};
