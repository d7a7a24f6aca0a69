#include <QProcess>
#include <QSqlQuery>
#include <QtTest>

#include <csignal>

#include "fieldevents/fieldeventranking.h"
#include "records/participation.h"
#include "support/storefaults.h"
#include "support/tempstore.h"
#include "support/testsupport.h"

namespace {

QVariantMap heatMap(int heatId, const QString &name)
{
    return {{"eventID", 11},
            {"eventName", "Long Jump Women"},
            {"roundID", 21},
            {"roundName", "Final"},
            {"id", heatId},
            {"name", name},
            {"displayname", name},
            {"athletesQuantity", 1},
            {"combinedEventsQuantity", 0},
            {"distance", 0},
            {"fieldType", "H"},
            {"windMode", "I"},
            {"windspeed", 0},
            {"seqno", 1},
            {"time", "20261207 143000"},
            {"status", 1},
            {"numberOfParticipants", 12},
            {"numberOfAttempts", 6}};
}

Participation *participationWithResults(LocalDatabase *store, unsigned serverId, const QList<double> &marks)
{
    auto *p = new Participation(store);
    p->participation_id = serverId;
    p->heat_id = 31;
    p->round_id = 21;
    p->event_id = 11;
    p->category = QStringLiteral("W");
    p->initial_order = p->working_order = serverId % 10;
    p->field_type = QLatin1Char('H');
    p->windmode = QLatin1Char('I');
    p->startheight = 0;
    auto *participant = new Participant;
    participant->competitor()->bib = QString::number(serverId);
    participant->competitor()->displayname = QStringLiteral("Zoë Øvergård");
    participant->athlete()->firstname = QStringLiteral("Zoë");
    participant->athlete()->lastname = QStringLiteral("Øvergård");
    participant->athlete()->birthdate = QDate(2001, 3, 14);
    participant->athlete()->gender = QStringLiteral("F");
    participant->athlete()->nationality = QStringLiteral("NOR");
    participant->club()->name = QStringLiteral("IL Fjellrev");
    participant->club()->abbreviation = QStringLiteral("ILF");
    p->addParticipant(participant);
    unsigned seqno = 1;
    for (double mark : marks) {
        auto *r = new Result(store);
        r->result_id = 900 + seqno;
        r->seqno = seqno++;
        r->value = mark;
        r->wind = 0.3;
        r->type = QStringLiteral("FTB");
        r->setInfo(QStringLiteral("Q"));
        r->time_performed = QTime(14, 31, 5);
        p->addResult(r);
    }
    return p;
}

} // namespace

class TestLocalDatabase : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void freshFile_tablesAndSeedRows();
    void reopen_keepsDataAndAddsNoSeedRows();
    void durability_walWithFullSync();
    void unopenableFile_reportsUnusable();
    void startCheck_findsStoreUnfitForResults_data();
    void startCheck_findsStoreUnfitForResults();
    void fullStore_resultAndItsActionBothRefused();
    void schedule_secondListReplacesFirst();
    void heatHeights_keptWhileScheduled();
    void schedule_numberOfAttemptsKept_data();
    void schedule_numberOfAttemptsKept();
    void schedule_missingTextStillStored();
    void cachedHeat_roundTrip();
    void cachedHeat_replaceKeepsUnsentResults();
    void storeResult_queueRows();
    void storeResult_failingQueue_rollsBackResult();
    void removePendingActions_bothTables();
    void participationOrder_queuesUpdate();
    void killedWriter_everyCommittedResultHasItsAction();
    void killedWriter_judgesChangesWholeOrNone_data();
    void killedWriter_judgesChangesWholeOrNone();
};

void TestLocalDatabase::freshFile_tablesAndSeedRows()
{
    TempStore store;
    QVERIFY(store->isUsable());
    const QList<QVariantList> tables =
        store.rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' "
                                  "ORDER BY name"));
    QStringList names;
    for (const QVariantList &row : tables)
        names << row.first().toString();
    QCOMPARE(names, (QStringList{"charactertransformings", "edmeventmeasurements", "edmeventresults", "edmmeasurements",
                                 "edmtakeoffboardmeasurements", "heatevents", "heatheights", "participations",
                                 "results", "unconfirmedactions"}));
    QCOMPARE(store.scalar(QStringLiteral("SELECT count(*) FROM charactertransformings WHERE driver_name = 'C-Power'"))
                 .toInt(),
             132);

    const QList<CharacterTransformation> &list = store->characterTransformations();
    QCOMPARE(list.size(), 132);
    QCOMPARE(list.first().source, QStringLiteral("Ä"));
    QCOMPARE(list.first().transformed, QStringLiteral("AE"));
    QCOMPARE(list.last().source, QStringLiteral("ż"));
    QStringList sharp;
    for (const CharacterTransformation &t : list) {
        if (t.source == QStringLiteral("ß"))
            sharp << t.transformed;
        if (t.source == QStringLiteral("Ø"))
            QCOMPARE(t.transformed, QStringLiteral("o"));
    }
    QCOMPARE(sharp, (QStringList{"ss", "SZ"}));
}

void TestLocalDatabase::reopen_keepsDataAndAddsNoSeedRows()
{
    TempStore store;
    store->storeHeatEvents({heatMap(31, "LJ W")});
    store.reopen();
    QCOMPARE(store.scalar(QStringLiteral("SELECT count(*) FROM charactertransformings")).toInt(), 132);
    QCOMPARE(store.scalar(QStringLiteral("SELECT count(*) FROM heatevents")).toInt(), 1);
    QCOMPARE(store->characterTransformations().size(), 132);
}

void TestLocalDatabase::durability_walWithFullSync()
{
    TempStore store;
    QCOMPARE(store.scalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
    QCOMPARE(store.scalar(QStringLiteral("PRAGMA synchronous")).toInt(), 2); // FULL
}

void TestLocalDatabase::unopenableFile_reportsUnusable()
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("notafolder")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Cannot open the local database")));
    LocalDatabase store(dir.filePath(QStringLiteral("notafolder/stadionix.db")), nullptr);
    QVERIFY(!store.isUsable());
    QVERIFY(store.errorText().contains(QStringLiteral("Cannot open the local database")));
    // Everything else answers empty instead of failing silently half way.
    QCOMPARE(store.pendingActionCount(), 0u);
    QVERIFY(store.loadCachedHeatEvents().isEmpty());
    Result result;
    QCOMPARE(store.storeResult(1, &result), 0u);
}

void TestLocalDatabase::startCheck_findsStoreUnfitForResults_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("problem");
    QTest::addColumn<QString>("message");
    QTest::newRow("read-only file") << "read-only" << int(LocalDatabase::Problem::NotWritable)
                                    << "The local database cannot be written";
    QTest::newRow("damaged pages") << "pages" << int(LocalDatabase::Problem::Damaged)
                                   << "The local database is damaged";
    QTest::newRow("no database at all") << "header" << int(LocalDatabase::Problem::Damaged)
                                        << "The local database is damaged: file is not a database";
}

void TestLocalDatabase::startCheck_findsStoreUnfitForResults()
{
    QFETCH(QString, fault);
    QFETCH(int, problem);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stadionix.db"));
    unsigned unposted = 0;
    {
        LocalDatabase store(path, nullptr);
        store.storeHeatEvents({heatMap(31, "LJ W"), heatMap(32, "SP M")});
        Result result;
        result.seqno = 1;
        result.value = 7.12;
        unposted = store.storeResult(501, &result);
        QVERIFY(unposted != 0);
    }
    if (fault == QLatin1String("pages"))
        QVERIFY(StoreFaults::damagePages(path, 2, 3));
    else if (fault == QLatin1String("header"))
        QVERIFY(StoreFaults::damagePages(path, 1, 1));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(message)));
    LocalDatabase store(fault == QLatin1String("read-only") ? StoreFaults::readOnly(path) : path, nullptr);
    QVERIFY(!store.isUsable());
    QCOMPARE(int(store.problem()), problem);
    QVERIFY2(store.errorText().startsWith(message), qPrintable(store.errorText()));
    QCOMPARE(store.pendingActionCount(), 0u);

    if (store.problem() != LocalDatabase::Problem::Damaged) {
        QCOMPARE(store.startNewBesideDamaged(), QString());
        return;
    }
    // Set aside untouched, and a new store in its place.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("kept as")));
    const QString kept = store.startNewBesideDamaged();
    QVERIFY(!kept.isEmpty());
    QCOMPARE(QFileInfo(kept).absolutePath(), QFileInfo(path).absolutePath());
    QFile keptFile(kept);
    QVERIFY(keptFile.open(QIODevice::ReadOnly));
    QVERIFY(keptFile.readAll() == before);
    QVERIFY(store.isUsable());
    QCOMPARE(store.problem(), LocalDatabase::Problem::None);
    QCOMPARE(store.filePath(), path);
    QCOMPARE(store.pendingActionCount(), 0u);
    QCOMPARE(store.characterTransformations().size(), 132);
}

void TestLocalDatabase::fullStore_resultAndItsActionBothRefused()
{
    TempStore store;
    Result first;
    first.seqno = 1;
    first.value = 7.12;
    QVERIFY(store->storeResult(501, &first) != 0);
    QVERIFY(StoreFaults::fill(store.get()));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("full")));
    Result second;
    second.seqno = 2;
    second.value = 7.30;
    QCOMPARE(store->storeResult(501, &second), 0u);
    QCOMPARE(store->pendingActionCount(), 1u);
    QCOMPARE(store.scalar(QStringLiteral("SELECT count(*) FROM results WHERE participation = 501")).toInt(), 1);

    StoreFaults::makeRoom(store.get());
    QVERIFY(store->storeResult(501, &second) != 0);
    QCOMPARE(store->pendingActionCount(), 2u);
}

void TestLocalDatabase::schedule_secondListReplacesFirst()
{
    TempStore store;
    store->storeHeatEvents({heatMap(31, "LJ W"), heatMap(32, "SP M")});
    store->markCachedHeat(31);
    QCOMPARE(store->loadCachedHeatEvents().size(), 1);
    QCOMPARE(store->loadCachedHeatEvents().first().value("id").toInt(), 31);
    QCOMPARE(store->loadCachedHeatEvents().first().value("localID").toInt() > 0, true);

    store->storeHeatEvents({heatMap(40, "HJ W"), heatMap(41, "PV M"), heatMap(42, "100m")});
    QCOMPARE(store.rows(QStringLiteral("SELECT heat_id, participants_cached FROM heatevents ORDER BY heat_id")),
             (QList<QVariantList>{{40, 0}, {41, 0}, {42, 0}}));
    QVERIFY(store->loadCachedHeatEvents().isEmpty());
}

void TestLocalDatabase::heatHeights_keptWhileScheduled()
{
    TempStore store;
    store->storeHeatEvents({heatMap(31, "HJ W"), heatMap(32, "PV M")});
    const QList<LocalDatabase::HeatHeight> high{{1.60, 0, false}, {1.66, 0, true}, {1.63, 1, false}};
    store->storeHeatHeights(31, high);
    store->storeHeatHeights(32, {{4.10, 0, true}});
    store->storeHeatHeights(31, high); // replaced, not added to
    store.reopen();
    const auto read = store->heatHeights(31);
    QCOMPARE(read.size(), high.size());
    for (int i = 0; i < high.size(); ++i) {
        QCOMPARE(read.at(i).height, high.at(i).height);
        QCOMPARE(read.at(i).jumpOff, high.at(i).jumpOff);
        QCOMPARE(read.at(i).bar, high.at(i).bar);
    }
    // A new schedule without heat 32 takes its heights along.
    store->storeHeatEvents({heatMap(31, "HJ W")});
    QCOMPARE(store->heatHeights(31).size(), 3);
    QVERIFY(store->heatHeights(32).isEmpty());
}

void TestLocalDatabase::schedule_numberOfAttemptsKept_data()
{
    QTest::addColumn<QVariant>("sent");
    QTest::addColumn<int>("stored");
    QTest::newRow("qualification with 3") << QVariant(3) << 3;
    QTest::newRow("four attempts") << QVariant(4) << 4;
    QTest::newRow("six attempts") << QVariant(6) << 6;
    QTest::newRow("none sent") << QVariant() << 6;
}

void TestLocalDatabase::schedule_numberOfAttemptsKept()
{
    QFETCH(QVariant, sent);
    QFETCH(int, stored);
    TempStore store;
    QVariantMap map = heatMap(31, "LJ W");
    if (sent.isValid())
        map.insert("numberOfAttempts", sent);
    else
        map.remove("numberOfAttempts");
    store->storeHeatEvents({map});
    store->markCachedHeat(31);
    QCOMPARE(store->loadCachedHeatEvents().first().value("numberOfAttempts").toInt(), stored);
}

void TestLocalDatabase::schedule_missingTextStillStored()
{
    TempStore store;
    QVariantMap map = heatMap(31, "100m");
    map.remove("windMode");
    map.remove("roundName");
    map.insert("fieldType", "");
    store->storeHeatEvents({map});
    QCOMPARE(store.scalar(QStringLiteral("SELECT count(*) FROM heatevents")).toInt(), 1);
    QVERIFY(store.scalar(QStringLiteral("SELECT round_name FROM heatevents")).isNull());
}

void TestLocalDatabase::cachedHeat_roundTrip()
{
    TempStore store;
    QList<Participation *> heat{participationWithResults(store.get(), 501, {7.12, -1, 7.45}),
                                participationWithResults(store.get(), 502, {})};
    heat.first()->current_order = 1;
    heat.first()->abandon = true;
    heat.last()->working_order = 3;
    store->replaceCachedHeat(heat);
    for (Participation *p : std::as_const(heat))
        QVERIFY(p->id != 0);
    QVERIFY(heat.first()->results().first()->id != 0);

    QList<Participation *> loaded = store->loadParticipations(31);
    QCOMPARE(loaded.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const Participation *a = heat.at(i);
        const Participation *b = loaded.at(i);
        QCOMPARE(b->id, a->id);
        QCOMPARE(b->participation_id, a->participation_id);
        QCOMPARE(b->category, a->category);
        QCOMPARE(b->initial_order, a->initial_order);
        QCOMPARE(b->initial_order_loaded, a->initial_order);
        QCOMPARE(b->working_order, a->working_order);
        QCOMPARE(b->current_order, a->current_order);
        QCOMPARE(b->abandon, a->abandon);
        QCOMPARE(b->field_type, a->field_type);
        QCOMPARE(b->windmode, a->windmode);
        QCOMPARE(b->bib(), a->bib());
        QCOMPARE(b->displayName(), a->displayName());
        QCOMPARE(b->lastName(), a->lastName());
        QCOMPARE(b->birthDate(), a->birthDate());
        QCOMPARE(b->clubAbbreviation(), a->clubAbbreviation());
        QCOMPARE(b->nationality(), a->nationality());
        QCOMPARE(b->results().size(), a->results().size());
        for (int r = 0; r < a->results().size(); ++r) {
            const Result *x = a->results().at(r);
            const Result *y = b->results().at(r);
            QCOMPARE(y->id, x->id);
            QCOMPARE(y->result_id, x->result_id);
            QCOMPARE(y->seqno, x->seqno);
            QCOMPARE(y->value, x->value);
            QCOMPARE(y->wind, x->wind);
            QCOMPARE(y->info(), x->info());
            QCOMPARE(y->time_performed, x->time_performed);
            QCOMPARE(y->participation, b);
        }
    }
    // Only one heat is cached: another heat's list is empty.
    QVERIFY(store->loadParticipations(99).isEmpty());
    qDeleteAll(heat);
    qDeleteAll(loaded);
}

void TestLocalDatabase::cachedHeat_replaceKeepsUnsentResults()
{
    TempStore store;
    QList<Participation *> first{participationWithResults(store.get(), 501, {7.12})};
    store->replaceCachedHeat(first);
    // A judge enters a result that the server has not confirmed yet.
    auto changes = first.first()->setFieldResult(2, 7.30, 0, 0);
    const unsigned unsent = changes.first().result->id;

    QList<Participation *> other{participationWithResults(store.get(), 777, {15.2})};
    other.first()->heat_id = 32;
    store->replaceCachedHeat(other);
    // The first heat stays whole while its result waits: it opens here
    // without the server.
    QVERIFY(store->holdsHeat(31));
    QVERIFY(store->holdsHeat(32));
    QCOMPARE(store.scalar(QStringLiteral("SELECT value FROM results WHERE id = %1").arg(unsent)).toDouble(), 7.30);
    QCOMPARE(store.scalar(QStringLiteral("SELECT count(*) FROM results WHERE participation = 501")).toInt(), 2);
    QCOMPARE(store->resultRow(unsent).value("participation").toUInt(), 501u);
    QCOMPARE(store->heatsWithUnpostedChanges(), QSet<unsigned>{31});

    // Once the server has it, the next heat replaces it.
    store->removePendingActions(unsent);
    QList<Participation *> third{participationWithResults(store.get(), 888, {16.1})};
    third.first()->heat_id = 33;
    store->replaceCachedHeat(third);
    QCOMPARE(store.scalar(QStringLiteral("SELECT count(*) FROM participations")).toInt(), 1);
    QCOMPARE(store.scalar(QStringLiteral("SELECT count(*) FROM results")).toInt(), 1);
    qDeleteAll(first);
    qDeleteAll(other);
    qDeleteAll(third);
}

void TestLocalDatabase::storeResult_queueRows()
{
    TempStore store;
    Result result;
    result.value = 6.5;
    result.seqno = 1;
    const unsigned id = store->storeResult(501, &result);
    QVERIFY(id != 0);
    result.id = id;
    QCOMPARE(store.rows(QStringLiteral("SELECT table_name, action, local_id FROM unconfirmedactions")),
             (QList<QVariantList>{{"results", 0, id}}));
    QCOMPARE(store->storeResult(501, &result), id);
    QCOMPARE(store.rows(QStringLiteral("SELECT action FROM unconfirmedactions ORDER BY id")),
             (QList<QVariantList>{{0}, {1}}));
    result.result_id = 4711;
    QCOMPARE(store->storeResult(501, &result), id);
    QCOMPARE(store->pendingActionCount(), 2u);
    QCOMPARE(store.scalar(QStringLiteral("SELECT result_id FROM results WHERE id = %1").arg(id)).toInt(), 4711);
}

void TestLocalDatabase::storeResult_failingQueue_rollsBackResult()
{
    TempStore store;
    QSqlQuery(store->database()).exec(QStringLiteral("DROP TABLE unconfirmedactions"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Statement failed:.*unconfirmedactions")));
    Result result;
    result.value = 6.5;
    result.seqno = 1;
    // Without its pending action the result would never reach the server:
    // neither is written.
    QCOMPARE(store->storeResult(501, &result), 0u);
    QCOMPARE(store.scalar(QStringLiteral("SELECT count(*) FROM results")).toInt(), 0);
}

void TestLocalDatabase::removePendingActions_bothTables()
{
    TempStore store;
    store->appendPendingAction(QStringLiteral("results"), 0, 7);
    store->appendPendingAction(QStringLiteral("participations"), 1, 7);
    store->appendPendingAction(QStringLiteral("results"), 1, 8);
    store->appendPendingAction(QStringLiteral("results"), 1, 7);
    store->removePendingActions(7);
    const QList<PendingAction> left = store->pendingActions();
    QCOMPARE(left.size(), 1);
    QCOMPARE(left.first().local_id, 8u);
    QCOMPARE(left.first().action, 1);
    store->removeAllPendingActions();
    QCOMPARE(store->pendingActionCount(), 0u);
}

void TestLocalDatabase::participationOrder_queuesUpdate()
{
    TempStore store;
    QList<Participation *> heat{participationWithResults(store.get(), 501, {})};
    store->replaceCachedHeat(heat);
    store->setParticipationOrder(heat.first()->id, 6);
    QCOMPARE(store.scalar(QStringLiteral("SELECT initial_order FROM participations")).toInt(), 6);
    QCOMPARE(store.rows(QStringLiteral("SELECT table_name, action, local_id FROM unconfirmedactions")),
             (QList<QVariantList>{{"participations", 1, heat.first()->id}}));
    qDeleteAll(heat);
}

namespace {

// Starts the crash writer on a store file, lets it report at least the given
// number of finished writes and kills it; returns the last one reported.
unsigned killWriterAfter(const QString &path, const QStringList &mode, unsigned writes)
{
    QProcess writer;
    writer.setProgram(TestSupport::buildDir() + QStringLiteral("/tests/bin/store_crashwriter"));
    writer.setArguments(QStringList{path} + mode);
    writer.start();
    if (!writer.waitForStarted())
        return 0;
    unsigned reported = 0;
    QElapsedTimer timer;
    timer.start();
    while (reported < writes && timer.elapsed() < 20000 && writer.state() == QProcess::Running) {
        writer.waitForReadyRead(200);
        const QList<QByteArray> lines = writer.readAllStandardOutput().split('\n');
        for (const QByteArray &line : lines) {
            if (!line.trimmed().isEmpty())
                reported = line.trimmed().toUInt();
        }
    }
    ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
    writer.waitForFinished(5000);
    return reported;
}

// No result without the pending action that inserts it, and no action
// without its result (a removed result takes its actions along).
void checkResultsMatchActions(const TempStore &store)
{
    QCOMPARE(store
                 .scalar(QStringLiteral("SELECT count(*) FROM results WHERE id NOT IN (SELECT local_id FROM "
                                        "unconfirmedactions WHERE action = 0)"))
                 .toInt(),
             0);
    QCOMPARE(store
                 .scalar(QStringLiteral("SELECT count(*) FROM unconfirmedactions WHERE local_id NOT IN (SELECT id "
                                        "FROM results)"))
                 .toInt(),
             0);
}

} // namespace

void TestLocalDatabase::killedWriter_everyCommittedResultHasItsAction()
{
    TempStore store;
    const unsigned reported = killWriterAfter(store.path(), {}, 60);
    QVERIFY2(reported >= 60, "the writer did not get going");

    store.reopen();
    // Everything the writer had reported as written is there, and no result
    // exists without the pending action that sends it, nor the other way.
    const unsigned results = store.scalar(QStringLiteral("SELECT count(*) FROM results")).toUInt();
    QVERIFY2(results >= reported, qPrintable(QStringLiteral("%1 < %2").arg(results).arg(reported)));
    checkResultsMatchActions(store);
    QCOMPARE(store.scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
}

void TestLocalDatabase::killedWriter_judgesChangesWholeOrNone_data()
{
    QTest::addColumn<unsigned>("changes");
    QTest::newRow("killed early in the heat") << 25u;
    QTest::newRow("killed mid-heat") << 60u;
    QTest::newRow("killed late in the heat") << 110u;
}

void TestLocalDatabase::killedWriter_judgesChangesWholeOrNone()
{
    QFETCH(unsigned, changes);
    TempStore store;
    const unsigned reported = killWriterAfter(store.path(), {QStringLiteral("changes")}, changes);
    QVERIFY2(reported >= changes, "the writer did not get going");

    store.reopen();
    QCOMPARE(store.scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    checkResultsMatchActions(store);
    // The best flags and the ranks are those of the results stored.
    const QList<Participation *> heat = store->loadParticipations(1);
    QCOMPARE(heat.size(), 12);
    QHash<Participation *, unsigned> storedRanks;
    int results = 0;
    for (Participation *p : heat) {
        results += int(p->results().size());
        const Result *best = p->chooseBestResult();
        QCOMPARE(p->best_result, best ? best->id : 0u);
        for (const Result *r : p->results())
            QCOMPARE(r->best_result, r == best);
        storedRanks.insert(p, p->current_order);
        p->store = nullptr;
    }
    QVERIFY(results > 0);
    FieldEventRanking::rankHeat(heat, QLatin1Char('H'));
    for (Participation *p : heat)
        QCOMPARE(storedRanks.value(p), p->current_order);
    qDeleteAll(heat);
}

STADIONIX_TEST_MAIN(TestLocalDatabase)
#include "tst_localdatabase.moc"
