#pragma once

#include <QChar>
#include <QHash>
#include <QList>

class Participation;

// Who leads a heat of a field event: ranks with their countbacks, the
// finished-attempt and finished-event tests, and the re-sort of the start
// order for the final attempts. Plain code over the participations; the ranks
// are written through each participation's store.
class FieldEventRanking
{
public:
    // Ranks every participation (current_order; 0 = no valid mark) and writes
    // the ranks that changed, in one transaction.
    static void rankHeat(const QList<Participation *> &participations, QChar fieldType);

    // Attempt n is finished when every active participation has a result
    // for it, begun when one has.
    static bool isAttemptFinished(const QList<Participation *> &participations, unsigned attempt);
    static bool isAttemptBegun(const QList<Participation *> &participations, unsigned attempt);
    // Horizontal: attempts 1..numberOfAttempts all finished; vertical: nobody
    // active; track: always.
    static bool isEventFinished(const QList<Participation *> &participations, QChar fieldType,
                                unsigned numberOfAttempts);
    static bool hasNotStarted(const QList<Participation *> &participations);
    // Attempts 1 to min(numberOfAttempts, 3) finished and attempt 4 not begun.
    static bool shouldAskForResort(const QList<Participation *> &participations, unsigned numberOfAttempts);

    // Rebuilds the start order for the final attempts: the best N (0 = all)
    // in reverse order of ranking, everyone tied with the N-th included; the
    // rest leave the competition, and with more athletes than N so does
    // everyone without a valid mark. Sorts the list by working order
    // descending.
    static void resort(QList<Participation *> &participations, unsigned maximumRank);

    // Start order (working_order ascending) or rank order (current_order
    // ascending, unranked last); both stable.
    static QList<Participation *> byStartOrder(QList<Participation *> participations);
    static QList<Participation *> byRank(QList<Participation *> participations);

    // Keys of the vertical countback, exposed for tests and the screen.
    struct VerticalKeys
    {
        double highestCleared = 0;
        int triesAtHighest = 0;
        int failuresAtHighest = 0;
        int totalFailures = 0; // up to and including the highest cleared height
        int jumpOffClearance = -1;
        bool jumpOffSkip = false;
    };
    static VerticalKeys verticalKeys(const Participation *participation);

private:
    static void horizontalCountback(const QList<Participation *> &group, unsigned firstRank, int level,
                                    QHash<Participation *, unsigned> &ranks);
    static void verticalCountback(const QList<Participation *> &group, unsigned firstRank,
                                  QHash<Participation *, unsigned> &ranks);
};
