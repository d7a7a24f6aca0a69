#pragma once

#include <QChar>
#include <QDate>
#include <QList>
#include <QObject>
#include <QString>

#include "records/participant.h"
#include "records/result.h"

class LocalDatabase;

// A result touched by an operation on a participation. A result that comes back
// marked deleted has been taken out of the participation; the caller owns it.
struct ResultChange
{
    Result *result = nullptr;
    bool isNew = false;
};

// One entry of an athlete or a team in a heat. Plain record: no signals. It owns
// its participants and results.
class Participation : public QObject
{
public:
    explicit Participation(LocalDatabase *store = nullptr, QObject *parent = nullptr);

    LocalDatabase *store = nullptr;
    bool isNew = false;
    bool deleted = false;

    unsigned participation_id = 0;
    unsigned id = 0;
    QString category;
    unsigned current_order = 0;
    unsigned current_order_combined_event = 0;
    unsigned current_order_round = 0;
    unsigned initial_order = 0;
    unsigned initial_order_loaded = 0; // as it came from the store or the server
    unsigned working_order = 0;
    unsigned working_order_loaded = 0;
    bool out_of_competition_combined_event = false;
    bool out_of_competition = false;
    bool abandon = false;
    bool in_jumpoff = false;
    unsigned points = 0;
    bool qualified = false;
    QString teamname;
    unsigned event_id = 0;
    unsigned round_id = 0;
    unsigned heat_id = 0;
    double startheight = 0;
    unsigned failed_attempts = 0;
    unsigned best_result = 0;
    QChar field_type;
    QChar windmode;

    // Set by the field event screen before the scoreboards are called.
    unsigned shownAttemptNumber = 0;
    double shownHeight = 0;
    unsigned shownJumpOffNumber = 0;
    // Vertical: waits for a starting height above the current bar.
    bool waitingForStartHeight = false;

    const QList<Participant *> &participants() const { return m_participants; }
    const QList<Result *> &results() const { return m_results; }
    // Takes ownership.
    void addParticipant(Participant *participant);
    void addResult(Result *result);
    // Gives up ownership of a result; the caller deletes it.
    void takeResult(Result *result);

    static QChar typeCharacter(const QString &text);

    // Values of the first participant (empty texts, today, without one).
    QString bib() const;
    QString clubName() const;
    QString clubAbbreviation() const;
    QString firstName() const;
    QString lastName() const;
    QString displayName() const;
    QString gender() const;
    QString nationality() const;
    QDate birthDate() const;
    QString orderText() const;

    bool isActive() const;
    bool isStillCompeting() const;

    // The best result: the flagged one, or the one the rules choose when none is
    // flagged or the flagged one is no valid mark.
    Result *bestResult();
    double bestHeight();
    // Chooses the best result by the rules of the field type, without writing.
    Result *chooseBestResult() const;
    // Re-chooses the best result, sets the flags and writes what changed.
    Result *updateBestResult();

    QString resultText(const Result *result) const;
    QString resultTextOfAttempt(unsigned attempt) const;
    Result *resultOfAttempt(unsigned attempt) const;

    // Vertical events.
    QList<Result *> resultsAtHeight(double height) const;
    // The tries at a height, one character each ("X", "-", "0", " " for a
    // try not there); tries numbered above MostTriesAtHeight are left out.
    QString attemptString(double height) const;
    static constexpr unsigned MostTriesAtHeight = 99;
    Result *jumpOffResult(unsigned number) const;
    QString jumpOffMark(unsigned number) const;
    bool isJumpOffCleared(unsigned number) const { return jumpOffMark(number) == QLatin1String("0"); }
    bool isJumpOffFailed(unsigned number) const { return jumpOffMark(number) == QLatin1String("X"); }
    bool isJumpOffSkipped(unsigned number) const { return jumpOffMark(number) == QLatin1String("-"); }
    bool hasClearedOrSkipped(double height) const;
    bool hasSkipped(double height) const;
    unsigned highestJumpOffNumber() const;
    bool hasJumpOffResults() const;
    unsigned consecutiveFailures() const;
    // Sets out_of_competition after three consecutive failures (skips do not
    // break the run, a clearance does) and writes it.
    void applyElimination();

    // Operations of the screens. Each returns the results it touched.
    QList<ResultChange> setFieldResult(unsigned attempt, double value, double wind, double metavalue);
    QList<ResultChange> applyAttemptString(double height, const QString &attempts, unsigned jumpOffNumber);
    // A track mark sets the best result, or a new one; "NR" (the removal
    // value) removes the best result and, without one, changes nothing.
    QList<ResultChange> setTrackResult(double value, const QString &info);

    void save();
    void saveBestResult();

    static bool sameHeight(double a, double b);

private:
    Result *newResult(double value, double wind, double metavalue, unsigned seqno, const QString &type);
    Participant *first() const { return m_participants.isEmpty() ? nullptr : m_participants.first(); }

    QList<Participant *> m_participants;
    QList<Result *> m_results;
};
