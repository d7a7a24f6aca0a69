// A server that answers wrongly, slowly, without end or in the wrong shape,
// and a store that refuses to write, must never cost a result: what the
// server has not confirmed stays queued and goes out again, and what the
// store has not taken is not shown as taken.
#include <QSignalSpy>
#include <QtTest>

#include "connectionfixture.h"
#include "records/resultmarks.h"
#include "support/storefaults.h"
#include "support/testsupport.h"

namespace {

// This test's own loopback address: it takes no lock on the port.
const QString Host = QStringLiteral("127.0.12.1");
constexpr unsigned Heat = 109; // long jump, twelve athletes

QVariantMap heat109(int cached = 0)
{
    return ConnectionFixture::heatData(Heat, "H", 15, 27, cached);
}

} // namespace

class TestConnectionFaults : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void answerToNewResult_countsOnlyWhenItConfirms_data();
    void answerToNewResult_countsOnlyWhenItConfirms();
    void tricklingAnswer_endsAtTimeOut_andResultGoesAgain();
    void statusMessages_neverHoldAConnectionAResultNeeds();
    void endlessAnswer_cutOffAtItsCap_data();
    void endlessAnswer_cutOffAtItsCap();
    void malformedSchedule_heldHeatStaysOpenable_data();
    void malformedSchedule_heldHeatStaysOpenable();
    void malformedHeat_heldHeatOpensFromStore_data();
    void malformedHeat_heldHeatOpensFromStore();
    void fullStore_refusedChangeTakenBackAndNotPosted_data();
    void fullStore_refusedChangeTakenBackAndNotPosted();
    void readOnlyStore_nothingPostedOverAndOver();

private:
    static StandinServer::Faults faults(const QString &path)
    {
        StandinServer::Faults faults;
        faults.path = path;
        return faults;
    }
};

void TestConnectionFaults::answerToNewResult_countsOnlyWhenItConfirms_data()
{
    QTest::addColumn<QByteArray>("rewrite");
    QTest::addColumn<bool>("confirms");
    QTest::newRow("no id") << QByteArray(R"({"id": null})") << false;
    QTest::newRow("id 0") << QByteArray(R"({"id": 0})") << false;
    QTest::newRow("id as text") << QByteArray(R"({"id": "abc"})") << false;
    QTest::newRow("negative id") << QByteArray(R"({"id": -7})") << false;
    QTest::newRow("broken id") << QByteArray(R"({"id": 12.5})") << false;
    QTest::newRow("no unique") << QByteArray(R"({"unique": null})") << false;
    QTest::newRow("unique of another result") << QByteArray(R"({"unique": 999999})") << false;
    QTest::newRow("another athlete") << QByteArray(R"({"participation": 4242})") << false;
    QTest::newRow("no athlete named") << QByteArray(R"({"participation": null})") << true;
}

void TestConnectionFaults::answerToNewResult_countsOnlyWhenItConfirms()
{
    QFETCH(QByteArray, rewrite);
    QFETCH(bool, confirms);
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    const QList<Participation *> heat = f.openHeat(Heat, "H", 15, 27);
    QVERIFY(!heat.isEmpty());
    Participation *athlete = heat.first();
    StandinServer::Faults answers = faults(QStringLiteral("/new_result"));
    answers.rewrite = QJsonDocument::fromJson(rewrite).object();
    f.server.setFaults(answers);

    Result *result = f.connection->setFieldResult(athlete, 1, 15.12, 0, 0).first().result;
    const unsigned localId = result->id;
    if (confirms) {
        QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 3000));
    } else {
        // Three ticks: posted again each time, never taken as confirmed.
        QVERIFY(QTest::qWaitFor([&] { return f.requestsTo("/new_result") >= 3; }, 3000));
        QCOMPARE(f.connection->pendingActionCount(), 1u);
        QCOMPARE(result->result_id, 0u);
        QCOMPARE(f.connection->store()->resultRow(localId).value("result_id").toUInt(), 0u);
        f.server.setFaults({});
        QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 3000));
    }

    // The server holds it once, and the store knows its id and its athlete.
    const QList<StandinCompetition::StoredResult> onServer = f.serverResults(athlete->participation_id);
    QCOMPARE(onServer.size(), 1);
    QCOMPARE(result->result_id, onServer.first().id);
    const QVariantMap row = f.connection->store()->resultRow(localId);
    QCOMPARE(row.value("result_id").toUInt(), onServer.first().id);
    QCOMPARE(row.value("participation").toUInt(), athlete->participation_id);
    // Opened again from the store, the mark is still the athlete's.
    f.listener.participations.clear();
    f.connection->loadHeat(heat109(1), &f.listener);
    Participation *again = f.connection->participationByServerId(athlete->participation_id);
    QVERIFY(again);
    QCOMPARE(again->resultTextOfAttempt(1), QStringLiteral("15.12"));
}

void TestConnectionFaults::tricklingAnswer_endsAtTimeOut_andResultGoesAgain()
{
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    f.connection->setRetransmitInterval(DatabaseConnection::RetransmitInterval);
    const QList<Participation *> heat = f.openHeat(Heat, "H", 15, 27);
    QVERIFY(!heat.isEmpty());
    // A byte every half second, as over a link that barely holds: Qt's own
    // time-out, which waits for silence, would never end the request.
    StandinServer::Faults trickle = faults(QString());
    trickle.trickleMs = 500;
    f.server.setFaults(trickle);

    QElapsedTimer clock;
    clock.start();
    f.connection->setFieldResult(heat.first(), 1, 15.12, 0, 0);
    QCOMPARE(f.connection->requestsInFlight(), 1);
    QVERIFY(QTest::qWaitFor([&] { return f.connection->requestsInFlight() == 0; }, 5000));
    const qint64 ended = clock.elapsed();
    QVERIFY2(ended >= DatabaseConnection::RequestTimeout - 100 && ended < DatabaseConnection::RequestTimeout + 500,
             qPrintable(QString::number(ended)));
    QCOMPARE(f.connection->pendingActionCount(), 1u);

    // Sound again: the result goes within three ticks, and only once.
    f.server.setFaults({});
    clock.restart();
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; },
                            3 * DatabaseConnection::RetransmitInterval));
    QCOMPARE(f.serverResults(heat.first()->participation_id).size(), 1);
}

void TestConnectionFaults::statusMessages_neverHoldAConnectionAResultNeeds()
{
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    f.connection->setRetransmitInterval(DatabaseConnection::RetransmitInterval);
    const QList<Participation *> heat = f.openHeat(Heat, "H", 15, 27);
    QCOMPARE(heat.size(), 12);
    // Every confirmed result is told to the server's screens; those answers
    // trickle and each message holds its connection until its time-out.
    StandinServer::Faults trickle = faults(QStringLiteral("/new_whatishappening"));
    trickle.trickleMs = 500;
    f.server.setFaults(trickle);
    for (int i = 0; i < 8; ++i)
        f.connection->setFieldResult(heat.at(i), 1, 15 + i / 100.0, 0, 0);
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 3000));
    QVERIFY(QTest::qWaitFor([&] { return f.requestsTo("/new_whatishappening") >= 6; }, 3000));

    // A result entered now gets a connection at once, not when the messages
    // give theirs up.
    QElapsedTimer clock;
    clock.start();
    f.connection->setFieldResult(heat.at(8), 1, 15.5, 0, 0);
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 5000));
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
}

void TestConnectionFaults::endlessAnswer_cutOffAtItsCap_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("answer to a result") << "/new_result";
    QTest::newRow("answer with a heat") << "/results/";
}

void TestConnectionFaults::endlessAnswer_cutOffAtItsCap()
{
    QFETCH(QString, path);
    const bool toResult = path == QLatin1String("/new_result");
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    f.connection->setRetransmitInterval(DatabaseConnection::RetransmitInterval);
    QList<Participation *> heat = f.openHeat(Heat, "H", 15, 27);
    QVERIFY(!heat.isEmpty());
    const unsigned athlete = heat.first()->participation_id;
    StandinServer::Faults endless = faults(path);
    endless.endless = true;
    f.server.setFaults(endless);
    QSignalSpy finished(f.connection->restService(), &MeetwiseRESTService::requestFinished);
    const qint64 memoryBefore = TestSupport::residentKiB();

    QElapsedTimer clock;
    clock.start();
    if (toResult) {
        f.connection->setFieldResult(heat.first(), 1, 15.12, 0, 0);
    } else {
        f.listener.participations.clear();
        f.listener.heats.clear();
        f.connection->loadHeat(heat109(), &f.listener);
    }
    // Cut off at the cap, long before the time-out would end it.
    QVERIFY(finished.wait(DatabaseConnection::RequestTimeout));
    const qint64 cutOff = clock.elapsed();
    const qint64 growth = TestSupport::residentKiB() - memoryBefore;
    QVERIFY2(cutOff < DatabaseConnection::RequestTimeout / 2, qPrintable(QString::number(cutOff)));
    QVERIFY2(growth < 24 * 1024, qPrintable(QString::number(growth)));
    if (toResult) {
        QCOMPARE(f.connection->pendingActionCount(), 1u);
    } else {
        // Nothing came for the heat: it opens from the store instead.
        QVERIFY(QTest::qWaitFor([&] { return !f.listener.heats.isEmpty(); }, 1000));
    }

    f.server.setFaults({});
    if (toResult) {
        QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; },
                                3 * DatabaseConnection::RetransmitInterval));
        QCOMPARE(f.serverResults(athlete).size(), 1);
    } else {
        heat = f.openHeat(Heat, "H", 15, 27);
        QCOMPARE(heat.size(), 12);
    }
    // The replies that ended are deleted later: gone before measuring.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const qint64 left = TestSupport::residentKiB() - memoryBefore;
    qInfo().noquote() << QStringLiteral("endless answer (%1): cut off after %2 ms, memory grown %3 KiB, %4 KiB "
                                        "after it ended")
                             .arg(path)
                             .arg(cutOff)
                             .arg(growth)
                             .arg(left);
    QVERIFY2(left < 24 * 1024, qPrintable(QString::number(left)));
}

void TestConnectionFaults::malformedSchedule_heldHeatStaysOpenable_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("delivered");
    QTest::newRow("empty object") << QByteArray(R"([{}])") << false;
    QTest::newRow("object where the list belongs") << QByteArray(R"([{"events": {"id": 15}}])") << false;
    QTest::newRow("lists where objects belong") << QByteArray(R"([{"events": [[15, "Shot put"]]}])") << false;
    QTest::newRow("heat id as text")
        << QByteArray(
               R"([{"events": [{"id": 15, "name": "Shot put", "rounds": [{"id": 27, "heats": [{"id": "109"}]}]}]}])")
        << false;
    QTest::newRow("well formed, without the heat") << QByteArray(R"([{"events": []}])") << true;
}

void TestConnectionFaults::malformedSchedule_heldHeatStaysOpenable()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, delivered);
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    QList<Participation *> heat = f.openHeat(Heat, "H", 15, 27);
    QVERIFY(!heat.isEmpty());
    const unsigned athlete = heat.first()->participation_id;
    f.connection->registerListener(&f.listener);
    QVERIFY(QTest::qWaitFor([&] { return f.listener.schedules.size() == 2; }, 3000));
    // A result the server has not got yet.
    QVERIFY(f.server.setDown(true));
    f.connection->setFieldResult(heat.first(), 1, 15.12, 0, 0);
    f.connection->setRetransmitInterval(60000);
    QVERIFY(QTest::qWaitFor([&] { return f.connection->requestsInFlight() == 0; }, 3000));
    QVERIFY(f.server.setDown(false));

    StandinServer::Faults schedule = faults(QStringLiteral("/events/"));
    schedule.body = answer;
    f.server.setFaults(schedule);
    f.listener.schedules.clear();
    const int schedulesAsked = f.finishedTo("/events/");
    f.connection->registerListener(&f.listener);
    QTRY_COMPARE(f.finishedTo("/events/"), schedulesAsked + 1);
    QCOMPARE(f.listener.schedules.size(), delivered ? 2 : 1);
    const auto lists = [](const QList<QVariantMap> &events, unsigned heatId) {
        return std::any_of(events.cbegin(), events.cend(),
                           [heatId](const QVariantMap &event) { return event.value("id").toUInt() == heatId; });
    };
    QVERIFY(lists(f.listener.schedules.last(), Heat));

    // After a restart without the server the heat is listed and opens with
    // the mark that waits for the server.
    QVERIFY(f.server.setDown(true));
    f.makeConnection();
    f.listener.schedules.clear();
    f.connection->registerListener(&f.listener);
    QVERIFY(!f.listener.schedules.isEmpty());
    QVERIFY(lists(f.listener.schedules.first(), Heat));
    f.listener.participations.clear();
    f.connection->loadHeat(heat109(1), &f.listener);
    Participation *again = f.connection->participationByServerId(athlete);
    QVERIFY(again);
    QCOMPARE(again->resultTextOfAttempt(1), QStringLiteral("15.12"));
    QCOMPARE(f.connection->pendingActionCount(), 1u);
}

void TestConnectionFaults::malformedHeat_heldHeatOpensFromStore_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("empty object") << QByteArray(R"([{}])");
    QTest::newRow("object where the list belongs") << QByteArray(R"([{"participations": {"id": 1063}}])");
    QTest::newRow("participation id as text") << QByteArray(R"([{"participations": [{"id": "1063"}]}])");
    QTest::newRow("results not a list") << QByteArray(R"([{"participations": [{"id": 1063, "results": 3}]}])");
}

void TestConnectionFaults::malformedHeat_heldHeatOpensFromStore()
{
    QFETCH(QByteArray, answer);
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    QList<Participation *> heat = f.openHeat(Heat, "H", 15, 27);
    QCOMPARE(heat.size(), 12);
    const unsigned athlete = heat.first()->participation_id;
    f.connection->setFieldResult(heat.first(), 1, 15.12, 0, 0);

    StandinServer::Faults results = faults(QStringLiteral("/results/"));
    results.body = answer;
    f.server.setFaults(results);
    heat = f.openHeat(Heat, "H", 15, 27);
    QCOMPARE(heat.size(), 12);
    QCOMPARE(f.connection->participationByServerId(athlete)->resultTextOfAttempt(1), QStringLiteral("15.12"));
    QVERIFY(f.connection->store()->holdsHeat(Heat));
}

void TestConnectionFaults::fullStore_refusedChangeTakenBackAndNotPosted_data()
{
    QTest::addColumn<bool>("vertical");
    QTest::newRow("a distance") << false;
    QTest::newRow("tries at a height") << true;
}

void TestConnectionFaults::fullStore_refusedChangeTakenBackAndNotPosted()
{
    QFETCH(bool, vertical);
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    // Long jump, or high jump (heat 110).
    const QList<Participation *> heat = vertical ? f.openHeat(110, "V", 16, 28) : f.openHeat(Heat, "H", 15, 27);
    QVERIFY(heat.size() >= 2);
    Participation *athlete = heat.first();
    const auto enter = [&](Participation *p, bool second) {
        if (vertical)
            return f.connection->applyAttemptString(p, second ? 1.63 : 1.60, second ? "XXX" : "XO", 0);
        return f.connection->setFieldResult(p, second ? 2 : 1, second ? 15.40 : 15.12, 0, 0);
    };
    enter(athlete, false);
    enter(heat.at(1), false);
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 3000));
    // Until the status messages for the two are in too.
    QVERIFY(QTest::qWaitFor([&] { return f.requestsTo("/new_whatishappening") == (vertical ? 4 : 2); }, 3000));
    const unsigned rankBefore = athlete->current_order;
    const QString shownBefore = vertical ? athlete->attemptString(1.60) : athlete->resultTextOfAttempt(1);
    const qsizetype resultsBefore = athlete->results().size();
    const int requests = int(f.server.requestLog().size());

    QVERIFY(StoreFaults::fill(f.connection->store()));
    QSignalSpy refused(f.connection.get(), &DatabaseConnection::changeNotStored);
    // Each try refused on its own.
    for (int i = 0; i < (vertical ? 3 : 1); ++i)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Statement failed.*disk is full")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("A change could not be stored")));
    const QList<ResultChange> changes = enter(athlete, true);
    QVERIFY(!f.connection->lastChangeStored());
    QVERIFY(changes.isEmpty());
    QCOMPARE(refused.size(), 1);
    // As stored: what was there before, and the rank it had; three failures
    // have not put the athlete out.
    QCOMPARE(athlete->results().size(), resultsBefore);
    QCOMPARE(vertical ? athlete->attemptString(1.60) : athlete->resultTextOfAttempt(1), shownBefore);
    QCOMPARE(vertical ? athlete->attemptString(1.63) : athlete->resultTextOfAttempt(2), QString());
    QCOMPARE(athlete->current_order, rankBefore);
    QVERIFY(!athlete->out_of_competition);
    QCOMPARE(f.connection->pendingActionCount(), 0u);
    // A post would be on its way from the moment of the change.
    QCOMPARE(f.connection->requestsInFlight(), 0);
    QCOMPARE(int(f.server.requestLog().size()), requests);

    // Room again: the same entry is stored and goes to the server.
    StoreFaults::makeRoom(f.connection->store());
    enter(athlete, true);
    QVERIFY(f.connection->lastChangeStored());
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 3000));
    QCOMPARE(f.serverResults(athlete->participation_id).size(), vertical ? 5 : 2);
    QCOMPARE(vertical ? athlete->attemptString(1.63) : athlete->resultTextOfAttempt(2),
             vertical ? QStringLiteral("XXX") : QStringLiteral("15.40"));
}

void TestConnectionFaults::readOnlyStore_nothingPostedOverAndOver()
{
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    const QList<Participation *> heat = f.openHeat(Heat, "H", 15, 27);
    const unsigned athlete = heat.first()->participation_id;
    QVERIFY(f.server.setDown(true));
    f.connection->setFieldResult(heat.first(), 1, 15.12, 0, 0);
    f.connection.reset();
    QVERIFY(f.server.setDown(false));
    f.server.clearRequestLog();

    // Its confirmations could not be written: every tick would post it again.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot be written")));
    DatabaseConnection readOnly(nullptr, f.folder.path(),
                                StoreFaults::readOnly(f.folder.filePath(QStringLiteral("stadionix.db"))));
    readOnly.setRetransmitInterval(300);
    QVERIFY(!readOnly.store()->isUsable());
    QCOMPARE(readOnly.store()->problem(), LocalDatabase::Problem::NotWritable);
    readOnly.registerListener(&f.listener);
    // What the ticks of the retransmit timer do: a post would be on its way
    // at once.
    for (int tick = 0; tick < 3; ++tick)
        readOnly.onRetransmitTimeout();
    QCOMPARE(readOnly.requestsInFlight(), 0);
    QCOMPARE(f.requestsTo("/new_result"), 0);

    // Writable again, the result goes once.
    DatabaseConnection writable(nullptr, f.folder.path(), f.folder.filePath(QStringLiteral("stadionix.db")));
    writable.setRetransmitInterval(300);
    writable.registerListener(&f.listener);
    QVERIFY(QTest::qWaitFor([&] { return writable.pendingActionCount() == 0; }, 3000));
    QCOMPARE(f.serverResults(athlete).size(), 1);
}

STADIONIX_TEST_MAIN(TestConnectionFaults)
#include "tst_connectionfaults.moc"
