#pragma once

#include <QList>
#include <QString>
#include <QTime>

class Participation;
class Result;

// What a participation and its results were before a change, to put back
// when the change cannot be stored: the screens then show what the store
// holds, not a mark that a restart would lose.
class ParticipationSnapshot
{
public:
    explicit ParticipationSnapshot(Participation *participation);

    // Results added since are deleted; results taken out since are the
    // participation's again, so whoever took them must not delete them.
    void restore();
    bool holds(const Result *result) const;

private:
    struct ResultState
    {
        Result *result;
        bool isNew;
        unsigned id;
        unsigned resultId;
        unsigned seqno;
        bool best;
        bool bestValid;
        double value;
        double wind;
        double metavalue;
        QString type;
        QString info;
        QTime timePerformed;
        bool official;
    };

    Participation *m_participation;
    bool m_outOfCompetition = false;
    bool m_inJumpOff = false;
    unsigned m_bestResult = 0;
    unsigned m_failedAttempts = 0;
    QList<ResultState> m_results;
};
