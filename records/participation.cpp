#include "records/participation.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

#include "records/resultmarks.h"
#include "store/localdatabase.h"

Participation::Participation(LocalDatabase *store, QObject *parent)
    : QObject(parent)
    , store(store)
{}

void Participation::addParticipant(Participant *participant)
{
    participant->setParent(this);
    m_participants.append(participant);
}

void Participation::addResult(Result *result)
{
    result->setParent(this);
    result->participation = this;
    m_results.append(result);
}

void Participation::takeResult(Result *result)
{
    m_results.removeAll(result);
    result->setParent(nullptr);
}

QChar Participation::typeCharacter(const QString &text)
{
    return text.isEmpty() ? QChar() : text.at(0);
}

QString Participation::bib() const
{
    return first() ? first()->competitor()->bib : QString();
}

QString Participation::clubName() const
{
    return first() ? first()->club()->name : QString();
}

QString Participation::clubAbbreviation() const
{
    return first() ? first()->club()->abbreviation : QString();
}

QString Participation::firstName() const
{
    if (m_participants.size() > 1)
        return teamname;
    return first() ? first()->athlete()->firstname : QString();
}

QString Participation::lastName() const
{
    if (m_participants.size() > 1)
        return teamname;
    return first() ? first()->athlete()->lastname : QString();
}

QString Participation::displayName() const
{
    if (m_participants.size() > 1)
        return teamname;
    return first() ? first()->competitor()->displayname : QString();
}

QString Participation::gender() const
{
    return first() ? first()->athlete()->gender : QString();
}

QString Participation::nationality() const
{
    return first() ? first()->athlete()->nationality : QString();
}

QDate Participation::birthDate() const
{
    return first() ? first()->athlete()->birthdate : QDate::currentDate();
}

QString Participation::orderText() const
{
    if (working_order == initial_order)
        return QString::number(working_order);
    return QStringLiteral("%1 (%2)").arg(working_order).arg(initial_order);
}

bool Participation::isActive() const
{
    return !abandon && !out_of_competition && !out_of_competition_combined_event;
}

bool Participation::isStillCompeting() const
{
    if (out_of_competition)
        return false;
    if (field_type == QLatin1Char('H'))
        return true;
    if (field_type == QLatin1Char('V'))
        return in_jumpoff || consecutiveFailures() < 3;
    for (const Result *result : m_results) {
        if (result->value == ResultMarks::DidNotFinish || result->value == ResultMarks::DidNotStart ||
            result->value == ResultMarks::Disqualified)
            return false;
    }
    return true;
}

Result *Participation::chooseBestResult() const
{
    Result *best = nullptr;
    if (field_type == QLatin1Char('H')) {
        for (Result *result : m_results) {
            if (result->value > 0 && (!best || result->value > best->value))
                best = result;
        }
    } else if (field_type == QLatin1Char('V')) {
        // The first clearance at the greatest cleared height.
        for (Result *result : m_results) {
            if (result->value <= 0)
                continue;
            if (!best || best->value != ResultMarks::Cleared || result->metavalue > best->metavalue)
                best = result;
        }
    } else {
        for (Result *result : m_results) {
            if (result->value > 0 && (!best || result->value < best->value))
                best = result;
        }
    }
    return best;
}

Result *Participation::bestResult()
{
    for (Result *result : std::as_const(m_results)) {
        if (result->best_result) {
            if (result->value >= 0)
                return result;
            break;
        }
    }
    Result *best = nullptr;
    if (field_type.isNull()) {
        // A track result not flagged yet: photo-finish times before any other.
        const auto firstOfTypes = [this](const QStringList &types) -> Result * {
            for (Result *result : m_results) {
                if (types.contains(result->type))
                    return result;
            }
            return nullptr;
        };
        best = firstOfTypes({QStringLiteral("PHF"), QStringLiteral("PHM")});
        if (!best)
            best = firstOfTypes(
                {QStringLiteral("MNL"), QStringLiteral("TTB"), QStringLiteral("FST"), QStringLiteral("USR")});
    } else {
        best = chooseBestResult();
    }
    best_result = best ? best->id : 0;
    return best;
}

double Participation::bestHeight()
{
    const Result *best = bestResult();
    return best ? best->metavalue : 0.0;
}

Result *Participation::updateBestResult()
{
    Result *best = chooseBestResult();
    for (Result *result : std::as_const(m_results)) {
        const bool flag = result == best;
        if (result->best_result != flag) {
            result->best_result = flag;
            result->saveBestFlag();
        }
    }
    const unsigned bestId = best ? best->id : 0;
    if (best_result != bestId) {
        best_result = bestId;
        saveBestResult();
    }
    return best;
}

QString Participation::resultText(const Result *result) const
{
    return result ? result->text(field_type) : QString();
}

Result *Participation::resultOfAttempt(unsigned attempt) const
{
    for (Result *result : m_results) {
        if (result->seqno == attempt)
            return result;
    }
    return nullptr;
}

QString Participation::resultTextOfAttempt(unsigned attempt) const
{
    return resultText(resultOfAttempt(attempt));
}

bool Participation::sameHeight(double a, double b)
{
    return std::fabs(a - b) < 0.0005;
}

QList<Result *> Participation::resultsAtHeight(double height) const
{
    QList<Result *> list;
    for (Result *result : m_results) {
        if (!result->isJumpOff() && sameHeight(result->metavalue, height))
            list.append(result);
    }
    return list;
}

static QChar markCharacter(double value)
{
    if (value == ResultMarks::Failed)
        return QLatin1Char('X');
    if (value == ResultMarks::Skipped)
        return QLatin1Char('-');
    if (value > 0)
        return QLatin1Char('0');
    return QLatin1Char(' ');
}

QString Participation::attemptString(double height) const
{
    QString text;
    for (const Result *result : resultsAtHeight(height)) {
        // Tries count from 1; a number far beyond any height's tries (from a
        // damaged reply) has no place in a string of tries.
        if (result->seqno == 0 || result->seqno > MostTriesAtHeight)
            continue;
        const int position = static_cast<int>(result->seqno) - 1;
        if (text.size() <= position)
            text = text.leftJustified(position + 1, QLatin1Char(' '));
        text[position] = markCharacter(result->value);
    }
    return text;
}

Result *Participation::jumpOffResult(unsigned number) const
{
    for (Result *result : m_results) {
        if (result->isJumpOff() && result->jumpOffNumber() == number)
            return result;
    }
    return nullptr;
}

QString Participation::jumpOffMark(unsigned number) const
{
    const Result *result = jumpOffResult(number);
    if (!result)
        return QString();
    if (result->value > 0)
        return ResultMarks::Zero;
    if (result->value == ResultMarks::Failed)
        return ResultMarks::X;
    if (result->value == ResultMarks::Skipped)
        return ResultMarks::Dash;
    return QString();
}

bool Participation::hasClearedOrSkipped(double height) const
{
    const QString attempts = attemptString(height);
    return attempts.contains(QLatin1Char('0')) || attempts.contains(QLatin1Char('-'));
}

bool Participation::hasSkipped(double height) const
{
    return attemptString(height).contains(QLatin1Char('-'));
}

unsigned Participation::highestJumpOffNumber() const
{
    unsigned highest = 0;
    for (const Result *result : m_results)
        highest = std::max(highest, result->jumpOffNumber());
    return highest;
}

bool Participation::hasJumpOffResults() const
{
    return std::any_of(m_results.cbegin(), m_results.cend(), [](const Result *r) { return r->isJumpOff(); });
}

unsigned Participation::consecutiveFailures() const
{
    // Newest first: jump-off attempts (highest number first), then the
    // regular tries from the highest bar down, last try first.
    QList<Result *> ordered = m_results;
    std::stable_sort(ordered.begin(), ordered.end(), [](const Result *a, const Result *b) {
        if (a->isJumpOff() != b->isJumpOff())
            return a->isJumpOff();
        if (a->isJumpOff())
            return a->jumpOffNumber() > b->jumpOffNumber();
        if (!sameHeight(a->metavalue, b->metavalue))
            return a->metavalue > b->metavalue;
        return a->seqno > b->seqno;
    });
    unsigned failures = 0;
    for (const Result *result : std::as_const(ordered)) {
        if (result->value == ResultMarks::Cleared)
            break;
        if (result->value == ResultMarks::Failed)
            ++failures;
    }
    return failures;
}

void Participation::applyElimination()
{
    if (in_jumpoff)
        return;
    out_of_competition = consecutiveFailures() > 2;
    save();
}

Result *Participation::newResult(double value, double wind, double metavalue, unsigned seqno, const QString &type)
{
    auto *result = new Result(store, this, this);
    result->isNew = true;
    result->value = value;
    result->wind = wind;
    result->metavalue = metavalue;
    result->seqno = seqno;
    result->type = type;
    return result;
}

QList<ResultChange> Participation::setFieldResult(unsigned attempt, double value, double wind, double metavalue)
{
    QList<ResultChange> changes;
    if (field_type != QLatin1Char('H'))
        return changes;
    if (Result *result = resultOfAttempt(attempt)) {
        if (value == ResultMarks::Removal) {
            result->deleted = true;
            takeResult(result);
        } else {
            result->value = value;
            result->wind = wind;
            result->metavalue = metavalue;
            result->save();
        }
        changes.append({result, false});
    } else if (value != ResultMarks::Removal) {
        // Removing an attempt that was never entered leaves nothing to store.
        Result *added = newResult(value, wind, metavalue, attempt, QStringLiteral("FTB"));
        added->save();
        addResult(added);
        changes.append({added, true});
    }
    updateBestResult();
    return changes;
}

QList<ResultChange> Participation::applyAttemptString(double height, const QString &attempts, unsigned jumpOffNumber)
{
    QList<ResultChange> changes;
    if (field_type != QLatin1Char('V'))
        return changes;
    if (jumpOffNumber == 0) {
        // The highest try kept: a try the string no longer holds (or a stray
        // number beyond it) must not keep the typed tries from being stored.
        unsigned highestSeqno = 0;
        for (Result *result : resultsAtHeight(height)) {
            if (static_cast<unsigned>(attempts.size()) < result->seqno || result->seqno == 0) {
                result->deleted = true;
                takeResult(result);
            } else {
                highestSeqno = std::max(highestSeqno, result->seqno);
                result->value = ResultMarks::fromAttemptCharacter(attempts.at(result->seqno - 1));
                result->save();
            }
            changes.append({result, false});
        }
        for (unsigned seqno = highestSeqno + 1; seqno <= static_cast<unsigned>(attempts.size()); ++seqno) {
            Result *result = newResult(ResultMarks::fromAttemptCharacter(attempts.at(seqno - 1)), 0, height, seqno,
                                       QStringLiteral("FTB"));
            result->save();
            addResult(result);
            changes.append({result, true});
        }
    } else {
        if (Result *result = jumpOffResult(jumpOffNumber)) {
            if (attempts.isEmpty()) {
                result->deleted = true;
                takeResult(result);
            } else {
                result->value = ResultMarks::fromAttemptCharacter(attempts.at(0));
                result->save();
            }
            changes.append({result, false});
        } else if (!attempts.isEmpty()) {
            Result *added =
                newResult(ResultMarks::fromAttemptCharacter(attempts.at(0)), 0, height, 1, QStringLiteral("FTB"));
            added->setInfo(ResultMarks::jumpOffToken(jumpOffNumber));
            added->save();
            addResult(added);
            changes.append({added, true});
        }
    }
    applyElimination();
    updateBestResult();
    return changes;
}

QList<ResultChange> Participation::setTrackResult(double value, const QString &info)
{
    QList<ResultChange> changes;
    if (!field_type.isNull())
        return changes;
    if (Result *best = bestResult()) {
        if (value == ResultMarks::Removal) {
            best->deleted = true;
            takeResult(best);
        } else {
            best->value = value;
            best->metavalue = 0;
            best->setInfo(info);
            best->save();
        }
        changes.append({best, false});
    } else if (value != ResultMarks::Removal) {
        // "NR" for a runner without a result removes nothing and stores nothing.
        Result *result = newResult(value, 0, 0, static_cast<unsigned>(m_results.size()), QStringLiteral("TTB"));
        result->setInfo(info);
        result->best_result = true;
        result->best_valid_result = true;
        result->save();
        addResult(result);
        changes.append({result, true});
    }
    updateBestResult();
    return changes;
}

void Participation::save()
{
    if (!store)
        return;
    if (isNew) {
        if (store->insertParticipation(this))
            isNew = false;
        return;
    }
    store->updateParticipation(this);
}

void Participation::saveBestResult()
{
    if (store && id != 0)
        store->setParticipationBestResult(id, best_result);
}
