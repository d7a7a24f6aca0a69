#include <QtTest>

#include "records/participation.h"
#include "records/resultmarks.h"
#include "support/tempstore.h"
#include "support/testsupport.h"

namespace {

Participation *makeParticipation(LocalDatabase *store, QChar fieldType, unsigned serverId = 100)
{
    auto *p = new Participation(store);
    p->participation_id = serverId;
    p->heat_id = 7;
    p->field_type = fieldType;
    p->initial_order = p->working_order = 1;
    auto *participant = new Participant;
    participant->competitor()->bib = QStringLiteral("101");
    participant->competitor()->displayname = QStringLiteral("Ilse Varnholt");
    participant->athlete()->firstname = QStringLiteral("Ilse");
    participant->athlete()->lastname = QStringLiteral("Varnholt");
    p->addParticipant(participant);
    p->isNew = true;
    if (store)
        p->save();
    return p;
}

// Results typed as an official writes them on a card: "1.80:X0 1.85:-" means
// failed then cleared at 1.80 and passed 1.85.
void applyCard(Participation *p, const QString &card)
{
    for (const QString &entry : card.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList parts = entry.split(QLatin1Char(':'));
        const QList<ResultChange> changes = p->applyAttemptString(parts.at(0).toDouble(), parts.at(1), 0);
        for (const ResultChange &change : changes) {
            if (change.result->deleted)
                delete change.result;
        }
    }
}

} // namespace

class TestParticipation : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void names_teamAndEmpty();
    void orderText_data();
    void orderText();
    void attemptString_data();
    void attemptString();
    void fieldResult_insertUpdateRemove_queuesAndKeepsBest();
    void fieldResult_removingUnknownAttempt_storesNothing();
    void fieldResult_onVerticalEvent_doesNothing();
    void verticalCard_data();
    void verticalCard();
    void attemptString_shortened_deletesTries();
    void attemptString_typedOverStrayTry_storesTypedTries_data();
    void attemptString_typedOverStrayTry_storesTypedTries();
    void jumpOff_createsTokenResult();
    void trackResult_newThenChangedThenRemoved();
    void trackBest_photoFinishFirst();
};

void TestParticipation::names_teamAndEmpty()
{
    Participation team;
    team.teamname = QStringLiteral("AV Kestrel");
    auto *a = new Participant;
    a->athlete()->firstname = QStringLiteral("Mara");
    a->competitor()->bib = QStringLiteral("12");
    team.addParticipant(a);
    team.addParticipant(new Participant);
    QCOMPARE(team.firstName(), QStringLiteral("AV Kestrel"));
    QCOMPARE(team.lastName(), QStringLiteral("AV Kestrel"));
    QCOMPARE(team.displayName(), QStringLiteral("AV Kestrel"));
    QCOMPARE(team.bib(), QStringLiteral("12"));

    Participation empty;
    QCOMPARE(empty.firstName(), QString());
    QCOMPARE(empty.displayName(), QString());
    QCOMPARE(empty.bib(), QString());
    QCOMPARE(empty.clubName(), QString());
    QCOMPARE(empty.birthDate(), QDate::currentDate());
}

void TestParticipation::orderText_data()
{
    QTest::addColumn<uint>("working");
    QTest::addColumn<uint>("initial");
    QTest::addColumn<QString>("expected");
    QTest::newRow("unchanged order") << 4u << 4u << "4";
    QTest::newRow("re-sorted order") << 1u << 8u << "1 (8)";
}

void TestParticipation::orderText()
{
    QFETCH(uint, working);
    QFETCH(uint, initial);
    QFETCH(QString, expected);
    Participation p;
    p.working_order = working;
    p.initial_order = initial;
    QCOMPARE(p.orderText(), expected);
}

void TestParticipation::attemptString_data()
{
    QTest::addColumn<QList<QVariantList>>("results"); // seqno, value, height, info
    QTest::addColumn<double>("height");
    QTest::addColumn<QString>("expected");

    QTest::newRow("failed then cleared") << QList<QVariantList>{{1, -1.0, 1.80, ""}, {2, 1.0, 1.80, ""}} << 1.80
                                         << "X0";
    QTest::newRow("third try alone gives two blanks") << QList<QVariantList>{{3, -1.0, 1.80, ""}} << 1.80 << "  X";
    QTest::newRow("other heights are not mixed in")
        << QList<QVariantList>{{1, 1.0, 1.75, ""}, {1, -1.0, 1.80, ""}, {2, -2.0, 1.80, ""}} << 1.80 << "X-";
    QTest::newRow("jump-off attempts are not part of the height")
        << QList<QVariantList>{{1, -1.0, 1.80, ""}, {1, 1.0, 1.80, "JO1"}} << 1.80 << "X";
    QTest::newRow("nothing at that height") << QList<QVariantList>{{1, 1.0, 1.75, ""}} << 1.80 << "";
    // A number no height has tries for must not size the string (2^31 wrapped
    // to a negative index before).
    QTest::newRow("a try numbered beyond any height is left out")
        << QList<QVariantList>{{2147483648u, -1.0, 1.80, ""}, {1, 1.0, 1.80, ""}} << 1.80 << "0";
}

void TestParticipation::attemptString()
{
    QFETCH(QList<QVariantList>, results);
    QFETCH(double, height);
    QFETCH(QString, expected);
    Participation p;
    p.field_type = QLatin1Char('V');
    for (const QVariantList &row : results) {
        auto *r = new Result;
        r->seqno = row.at(0).toUInt();
        r->value = row.at(1).toDouble();
        r->metavalue = row.at(2).toDouble();
        r->setInfo(row.at(3).toString());
        p.addResult(r);
    }
    QCOMPARE(p.attemptString(height), expected);
}

void TestParticipation::fieldResult_insertUpdateRemove_queuesAndKeepsBest()
{
    TempStore store;
    std::unique_ptr<Participation> p(makeParticipation(store.get(), QLatin1Char('H')));

    auto changes = p->setFieldResult(1, 7.10, 1.2, 0);
    QCOMPARE(changes.size(), 1);
    QVERIFY(changes.first().isNew);
    Result *first = changes.first().result;
    QVERIFY(first->id != 0);
    QVERIFY(!first->isNew);
    QCOMPARE(store.scalar(QStringLiteral("SELECT value FROM results WHERE id = %1").arg(first->id)).toDouble(), 7.10);
    QCOMPARE(store.rows(QStringLiteral("SELECT table_name, action, local_id FROM unconfirmedactions")),
             (QList<QVariantList>{{"results", 0, first->id}}));

    Result *second = p->setFieldResult(2, 7.50, 0.4, 0).first().result;
    p->setFieldResult(3, ResultMarks::Failed, 0, 0);
    QCOMPARE(p->bestResult(), second);
    QCOMPARE(p->best_result, second->id);
    QCOMPARE(store.scalar(QStringLiteral("SELECT best_result FROM participations WHERE id = %1").arg(p->id)).toUInt(),
             second->id);
    QCOMPARE(store.scalar(QStringLiteral("SELECT count(*) FROM results WHERE best_result = 1")).toInt(), 1);

    // A correction of attempt 1 before the server answered: queued as update.
    changes = p->setFieldResult(1, 7.80, 1.2, 0);
    QVERIFY(!changes.first().isNew);
    QCOMPARE(changes.first().result, first);
    QCOMPARE(store
                 .scalar(QStringLiteral("SELECT count(*) FROM unconfirmedactions WHERE local_id = %1 AND action = 1")
                             .arg(first->id))
                 .toInt(),
             1);
    QCOMPARE(p->bestResult(), first);

    // Once the server knows the result, storing it queues nothing more.
    first->result_id = 555;
    const int queued = store->pendingActionCount();
    p->setFieldResult(1, 7.81, 1.2, 0);
    QCOMPARE(int(store->pendingActionCount()), queued);

    // Removal takes the result out and hands it over marked deleted.
    changes = p->setFieldResult(1, ResultMarks::Removal, 0, 0);
    QCOMPARE(changes.size(), 1);
    QVERIFY(changes.first().result->deleted);
    QVERIFY(!p->results().contains(first));
    QCOMPARE(p->bestResult(), second);
    delete first;
}

void TestParticipation::fieldResult_removingUnknownAttempt_storesNothing()
{
    TempStore store;
    std::unique_ptr<Participation> p(makeParticipation(store.get(), QLatin1Char('H')));
    QVERIFY(p->setFieldResult(4, ResultMarks::Removal, 0, 0).isEmpty());
    QCOMPARE(store.scalar(QStringLiteral("SELECT count(*) FROM results")).toInt(), 0);
    QCOMPARE(store->pendingActionCount(), 0u);
}

void TestParticipation::fieldResult_onVerticalEvent_doesNothing()
{
    Participation p;
    p.field_type = QLatin1Char('V');
    QVERIFY(p.setFieldResult(1, 7.0, 0, 0).isEmpty());
    QVERIFY(p.results().isEmpty());
    Participation h;
    h.field_type = QLatin1Char('H');
    QVERIFY(h.applyAttemptString(1.80, QStringLiteral("X0"), 0).isEmpty());
}

void TestParticipation::verticalCard_data()
{
    QTest::addColumn<QString>("card");
    QTest::addColumn<bool>("eliminated");
    QTest::addColumn<double>("bestHeight");
    QTest::addColumn<uint>("failures");

    QTest::newRow("skip does not break three failures") << "1.80:X 1.85:- 1.90:XX" << true << 0.0 << 3u;
    QTest::newRow("clearance breaks the run") << "1.80:X0 1.85:XX" << false << 1.80 << 2u;
    QTest::newRow("three at one height") << "1.80:0 1.85:XXX" << true << 1.80 << 3u;
    QTest::newRow("failures across heights") << "1.80:0 1.85:XX 1.90:X" << true << 1.80 << 3u;
    QTest::newRow("pass after two failures then one") << "1.80:0 1.85:XX- 1.90:X" << true << 1.80 << 3u;
    QTest::newRow("first clearance at greatest height") << "1.80:0 1.85:X0 1.90:XX0" << false << 1.90 << 0u;
    QTest::newRow("all skipped") << "1.80:- 1.85:-" << false << 0.0 << 0u;
}

void TestParticipation::verticalCard()
{
    QFETCH(QString, card);
    QFETCH(bool, eliminated);
    QFETCH(double, bestHeight);
    QFETCH(uint, failures);

    TempStore store;
    std::unique_ptr<Participation> p(makeParticipation(store.get(), QLatin1Char('V')));
    applyCard(p.get(), card);
    QCOMPARE(p->consecutiveFailures(), failures);
    QCOMPARE(p->out_of_competition, eliminated);
    QCOMPARE(p->bestHeight(), bestHeight);
    QCOMPARE(
        store.scalar(QStringLiteral("SELECT out_of_competition FROM participations WHERE id = %1").arg(p->id)).toInt(),
        eliminated ? 1 : 0);

    // Reading the store back gives the same card.
    std::unique_ptr<Participation> loaded(store->loadParticipations(7).value(0));
    QVERIFY(loaded);
    for (const QString &entry : card.split(QLatin1Char(' '))) {
        const QStringList parts = entry.split(QLatin1Char(':'));
        QCOMPARE(loaded->attemptString(parts.at(0).toDouble()), parts.at(1));
    }
    QCOMPARE(loaded->bestHeight(), bestHeight);
}

void TestParticipation::attemptString_shortened_deletesTries()
{
    TempStore store;
    std::unique_ptr<Participation> p(makeParticipation(store.get(), QLatin1Char('V')));
    applyCard(p.get(), QStringLiteral("1.80:0 1.85:XXX"));
    QVERIFY(p->out_of_competition);

    // The judge corrects the third failure away: two tries are left, the
    // elimination is lifted, and the taken-out result comes back deleted.
    const QList<ResultChange> changes = p->applyAttemptString(1.85, QStringLiteral("XX"), 0);
    int deleted = 0;
    for (const ResultChange &change : changes) {
        if (change.result->deleted) {
            ++deleted;
            QCOMPARE(change.result->seqno, 3u);
            delete change.result;
        }
    }
    QCOMPARE(deleted, 1);
    QCOMPARE(p->attemptString(1.85), QStringLiteral("XX"));
    QVERIFY(!p->out_of_competition);
}

void TestParticipation::attemptString_typedOverStrayTry_storesTypedTries_data()
{
    QTest::addColumn<uint>("strayTry");
    QTest::newRow("a fifth try from the server") << 5u;
    // The next number after it wrapped to 0 before, and try 0 was read from
    // before the start of the string.
    QTest::newRow("the highest try number there is") << 4294967295u;
}

void TestParticipation::attemptString_typedOverStrayTry_storesTypedTries()
{
    QFETCH(uint, strayTry);
    Participation p;
    p.field_type = QLatin1Char('V');
    auto *stray = new Result;
    stray->seqno = strayTry;
    stray->value = ResultMarks::Failed;
    stray->metavalue = 1.80;
    p.addResult(stray);

    int deleted = 0;
    for (const ResultChange &change : p.applyAttemptString(1.80, QStringLiteral("X0"), 0)) {
        if (change.result->deleted) {
            ++deleted;
            delete change.result;
        }
    }
    QCOMPARE(deleted, 1);
    QCOMPARE(p.attemptString(1.80), QStringLiteral("X0"));
    QCOMPARE(p.bestHeight(), 1.80);
}

void TestParticipation::jumpOff_createsTokenResult()
{
    TempStore store;
    std::unique_ptr<Participation> p(makeParticipation(store.get(), QLatin1Char('V')));
    applyCard(p.get(), QStringLiteral("1.90:0 1.95:XXX"));
    QVERIFY(p->out_of_competition);
    p->in_jumpoff = true;
    p->out_of_competition = false;

    const auto changes = p->applyAttemptString(1.95, QStringLiteral("0"), 1);
    QCOMPARE(changes.size(), 1);
    QVERIFY(changes.first().isNew);
    QCOMPARE(changes.first().result->info(), QStringLiteral("JO1"));
    QCOMPARE(changes.first().result->seqno, 1u);
    QVERIFY(p->isJumpOffCleared(1));
    QCOMPARE(p->highestJumpOffNumber(), 1u);
    QVERIFY(!p->out_of_competition); // no elimination while in the jump-off
    QCOMPARE(p->bestHeight(), 1.95);

    p->applyAttemptString(1.93, QStringLiteral("X"), 2);
    QVERIFY(p->isJumpOffFailed(2));
    std::unique_ptr<Participation> loaded(store->loadParticipations(7).value(0));
    QVERIFY(loaded->in_jumpoff);
    QCOMPARE(loaded->jumpOffMark(1), QStringLiteral("0"));
    QCOMPARE(loaded->jumpOffMark(2), QStringLiteral("X"));
}

void TestParticipation::trackResult_newThenChangedThenRemoved()
{
    TempStore store;
    std::unique_ptr<Participation> p(makeParticipation(store.get(), QChar()));
    // "NR" without a result: nothing to remove, and nothing stored either.
    QVERIFY(p->setTrackResult(ResultMarks::NoResult, QString()).isEmpty());
    QVERIFY(p->results().isEmpty());
    QCOMPARE(store.scalar(QStringLiteral("SELECT count(*) FROM results")).toInt(), 0);

    auto changes = p->setTrackResult(10.52, QString());
    QCOMPARE(changes.size(), 1);
    Result *result = changes.first().result;
    QVERIFY(changes.first().isNew);
    QCOMPARE(result->type, QStringLiteral("TTB"));
    QCOMPARE(result->seqno, 0u);

    changes = p->setTrackResult(ResultMarks::DidNotStart, QStringLiteral("DNS"));
    QCOMPARE(changes.first().result, result);
    QVERIFY(!changes.first().isNew);
    QCOMPARE(p->resultText(result), QStringLiteral("DNS"));
    QCOMPARE(p->results().size(), 1);
    QVERIFY(!p->isStillCompeting());

    changes = p->setTrackResult(ResultMarks::Removal, QString());
    QVERIFY(changes.first().result->deleted);
    QVERIFY(p->results().isEmpty());
    delete result;
}

void TestParticipation::trackBest_photoFinishFirst()
{
    Participation p;
    const QStringList types{QStringLiteral("MNL"), QStringLiteral("PHF"), QStringLiteral("TTB")};
    double time = 10.9;
    for (const QString &type : types) {
        auto *r = new Result;
        r->type = type;
        r->value = time;
        time -= 0.1;
        p.addResult(r);
    }
    QCOMPARE(p.bestResult()->type, QStringLiteral("PHF"));
}

STADIONIX_TEST_MAIN(TestParticipation)
#include "tst_participation.moc"
