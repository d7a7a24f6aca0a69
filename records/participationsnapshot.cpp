#include "records/participationsnapshot.h"

#include <algorithm>

#include "records/participation.h"
#include "records/result.h"

ParticipationSnapshot::ParticipationSnapshot(Participation *participation)
    : m_participation(participation)
{
    if (!participation)
        return;
    m_outOfCompetition = participation->out_of_competition;
    m_inJumpOff = participation->in_jumpoff;
    m_bestResult = participation->best_result;
    m_failedAttempts = participation->failed_attempts;
    for (Result *r : participation->results())
        m_results.append({r, r->isNew, r->id, r->result_id, r->seqno, r->best_result, r->best_valid_result, r->value,
                          r->wind, r->metavalue, r->type, r->info(), r->time_performed, r->official});
}

bool ParticipationSnapshot::holds(const Result *result) const
{
    return std::any_of(m_results.cbegin(), m_results.cend(),
                       [result](const ResultState &state) { return state.result == result; });
}

void ParticipationSnapshot::restore()
{
    if (!m_participation)
        return;
    const QList<Result *> now = m_participation->results();
    for (Result *r : now) {
        m_participation->takeResult(r);
        if (!holds(r))
            delete r;
    }
    // In their old order, which attempt lookups rely on.
    for (const ResultState &state : std::as_const(m_results)) {
        Result *r = state.result;
        r->deleted = false;
        r->isNew = state.isNew;
        r->id = state.id;
        r->result_id = state.resultId;
        r->seqno = state.seqno;
        r->best_result = state.best;
        r->best_valid_result = state.bestValid;
        r->value = state.value;
        r->wind = state.wind;
        r->metavalue = state.metavalue;
        r->type = state.type;
        r->setInfo(state.info);
        r->time_performed = state.timePerformed;
        r->official = state.official;
        m_participation->addResult(r);
    }
    m_participation->out_of_competition = m_outOfCompetition;
    m_participation->in_jumpoff = m_inJumpOff;
    m_participation->best_result = m_bestResult;
    m_participation->failed_attempts = m_failedAttempts;
}
