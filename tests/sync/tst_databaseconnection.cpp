#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include "connectionfixture.h"
#include "records/resultmarks.h"
#include "support/testsupport.h"

namespace {

// This test's own loopback address (docs/testing.md).
const QString Host = QStringLiteral("127.0.20.6");

} // namespace

class TestDatabaseConnection : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void configuration_writtenInKeyOrderAndReadBack();
    void atletieknu_postsNothing();
    void schedule_fromStoreThenServer();
    void heat_fromServerThenFromStore();
    void resultsWhileServerDown_queuedThenDrained();
    void unconfirmedResultDeleted_goesLocallyOnly();
    void confirmedResultDeleted_waitsForServer();
    void correctionBeforeConfirmation_reachesServer();
    void correctionOfKnownResultWhileDown_reachesServer();
    void laneChange_queuedUntilConfirmed();
    void pendingList_listsWhatCanBeSent();
    void heatIsRankedAfterEveryChange();
    void staleCachedFlag_heatComesFromServer();
};

void TestDatabaseConnection::configuration_writtenInKeyOrderAndReadBack()
{
    QTemporaryDir folder;
    DatabaseConnection connection(nullptr, folder.path(), folder.filePath("stadionix.db"));
    QCOMPARE(connection.serverKind(), int(DatabaseConnection::NoServer));
    connection.onSetDatabaseConnectionData("meetwise", {{"ip", "192.168.1.20"},
                                                        {"competition", 12},
                                                        {"sessions", "1,3"},
                                                        {"dates", "20260613,20260614"},
                                                        {"user", "official"}});
    QFile file(connection.configurationFilePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.value(0), QStringLiteral("[general]"));
    QCOMPARE(lines.value(1), QStringLiteral("type=meetwise"));
    QCOMPARE(lines.value(2), QStringLiteral("competition=12"));
    QVERIFY(lines.indexOf("competition=12") < lines.indexOf("ip=192.168.1.20"));

    // A new connection reads it back: comma lists included.
    DatabaseConnection reread(nullptr, folder.path(), folder.filePath("other.db"));
    QCOMPARE(reread.serverKind(), int(DatabaseConnection::MeetwiseServer));
    QCOMPARE(reread.restService()->host(), QStringLiteral("192.168.1.20"));
    QCOMPARE(reread.restService()->competition(), 12u);
    QCOMPARE(reread.restService()->sessions(), (QList<unsigned>{1, 3}));
    QCOMPARE(reread.restService()->dates(), (QList<QDate>{QDate(2026, 6, 13), QDate(2026, 6, 14)}));

    // An unknown kind leaves the file alone.
    reread.onSetDatabaseConnectionData("", {});
    QCOMPARE(reread.serverKind(), int(DatabaseConnection::NoServer));
    QVERIFY(QFile::exists(connection.configurationFilePath()));
}

void TestDatabaseConnection::atletieknu_postsNothing()
{
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    f.connection->onSetDatabaseConnectionData("atletieknu", {{"code", "K7Q2"}});
    QCOMPARE(f.connection->serverKind(), int(DatabaseConnection::AtletiekNuService));
    QCOMPARE(f.connection->synchronisationCode(), QStringLiteral("K7Q2"));
    f.connection->store()->appendPendingAction("results", 0, 1);
    f.connection->registerListener(&f.listener);
    // What a tick of the retransmit timer does, twice: a request would be in
    // flight at once.
    f.connection->onRetransmitTimeout();
    f.connection->onRetransmitTimeout();
    QCOMPARE(f.connection->requestsInFlight(), 0);
    QCOMPARE(f.server.requestCount(), 0);
    QCOMPARE(f.connection->pendingActionCount(), 1u);
}

void TestDatabaseConnection::schedule_fromStoreThenServer()
{
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    f.connection->registerListener(&f.listener);
    QCOMPARE(f.listener.schedules.size(), 1); // the store's answer, at once
    QVERIFY(f.listener.schedules.first().isEmpty());
    QVERIFY(QTest::qWaitFor([&] { return f.listener.schedules.size() == 2; }, 5000));
    const QList<QVariantMap> events = f.listener.schedules.last();
    QVERIFY(events.size() >= 10);
    QCOMPARE(f.requestsTo("/events/1"), 1);

    // The heat that gets cached is what the store answers next time.
    f.openHeat(109, "H", 15, 27);
    f.makeConnection();
    RecordingListener second;
    f.connection->registerListener(&second);
    QCOMPARE(second.schedules.first().size(), 1);
    QCOMPARE(second.schedules.first().first().value("id").toUInt(), 109u);
}

void TestDatabaseConnection::heat_fromServerThenFromStore()
{
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    f.connection->registerListener(&f.listener);
    const QList<Participation *> heat = f.openHeat(106, "H", 14, 25);
    QCOMPARE(heat.size(), 13);
    for (const Participation *p : heat) {
        QVERIFY(p->id != 0);
        QCOMPARE(p->store, f.connection->store());
        QCOMPARE(p->event_id, 14u);
        QCOMPARE(p->heat_id, 106u);
        QCOMPARE(p->field_type, QLatin1Char('H'));
    }
    QCOMPARE(f.listener.heats.last(), QStringLiteral("106"));

    // Opened again as cached: from the store, without asking the server.
    const int asked = f.requestsTo("/results/106");
    f.listener.participations.clear();
    f.connection->loadHeat(ConnectionFixture::heatData(106, "H", 14, 25, 1), &f.listener);
    QCOMPARE(f.listener.participations.size(), 13);
    QCOMPARE(f.requestsTo("/results/106"), asked);
    int results = 0;
    for (const Participation *p : std::as_const(f.listener.participations))
        results += int(p->results().size());
    QVERIFY(results > 0);
}

void TestDatabaseConnection::resultsWhileServerDown_queuedThenDrained()
{
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    const QList<Participation *> heat = f.openHeat(109, "H", 15, 27);
    QVERIFY(heat.size() >= 3);
    QSignalSpy counts(f.connection.get(), &DatabaseConnection::updateUnconfirmedActions);
    QSignalSpy refused(f.connection->restService(), &MeetwiseRESTService::requestFinished);

    QVERIFY(f.server.setDown(true));
    f.connection->setFieldResult(heat[0], 1, 15.12, 0, 0);
    f.connection->setFieldResult(heat[1], 1, ResultMarks::Failed, 0, 0);
    f.connection->setFieldResult(heat[2], 1, 14.87, 0, 0);
    QCOMPARE(f.connection->pendingActionCount(), 3u);
    QCOMPARE(counts.last().first().toUInt(), 3u);
    QVERIFY(f.connection->isRetransmitting());

    // Down through a couple of ticks (each posts the three again): nothing
    // lost, nothing piled up.
    QTRY_VERIFY(refused.count() >= 3 + 2 * 3);
    QCOMPARE(f.connection->pendingActionCount(), 3u);
    QVERIFY(f.connection->requestsInFlight() <= 3);

    QVERIFY(f.server.setDown(false));
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 8000));
    QCOMPARE(counts.last().first().toUInt(), 0u);
    // The first tick that finds the queue empty stops the timer.
    QVERIFY(QTest::qWaitFor([&] { return !f.connection->isRetransmitting(); }, 3000));

    QCOMPARE(f.serverResults(heat[0]->participation_id).size(), 1);
    QCOMPARE(f.serverResults(heat[0]->participation_id).first().value, 15.12);
    QCOMPARE(f.serverResults(heat[1]->participation_id).first().value, -1.0);
    QCOMPARE(f.serverResults(heat[2]->participation_id).first().value, 14.87);
    // Each local result now knows its server id, in the store too.
    for (int i = 0; i < 3; ++i) {
        const Result *r = heat[i]->results().first();
        QVERIFY(r->result_id != 0);
        QCOMPARE(f.connection->store()->resultRow(r->id).value("result_id").toUInt(), r->result_id);
    }
}

void TestDatabaseConnection::unconfirmedResultDeleted_goesLocallyOnly()
{
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    const QList<Participation *> heat = f.openHeat(109, "H", 15, 27);
    QVERIFY(f.server.setDown(true));
    const unsigned localId = f.connection->setFieldResult(heat[0], 1, 15.12, 0, 0).first().result->id;
    QCOMPARE(f.connection->pendingActionCount(), 1u);
    // Its insert has been refused: nothing of it is on the way.
    QTRY_COMPARE(f.connection->requestsInFlight(), 0);
    const int inserts = f.requestsTo("new_result");
    f.connection->setFieldResult(heat[0], 1, ResultMarks::Removal, 0, 0);
    QVERIFY(f.connection->store()->resultRow(localId).isEmpty());
    QCOMPARE(f.connection->pendingActionCount(), 0u);
    QVERIFY(f.server.setDown(false));
    // The next tick finds the queue empty and stops the timer; nothing more
    // goes out for it, and the server keeps nothing of it.
    QTRY_VERIFY(!f.connection->isRetransmitting());
    QCOMPARE(f.connection->requestsInFlight(), 0);
    QCOMPARE(f.requestsTo("new_result"), inserts);
    QVERIFY(f.serverResults(heat[0]->participation_id).isEmpty());
}

void TestDatabaseConnection::confirmedResultDeleted_waitsForServer()
{
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    const QList<Participation *> heat = f.openHeat(109, "H", 15, 27);
    Result *result = f.connection->setFieldResult(heat[0], 1, 15.12, 0, 0).first().result;
    QVERIFY(QTest::qWaitFor([&] { return result->result_id != 0; }, 5000));
    const unsigned localId = result->id;

    f.server.setDelay(150);
    f.connection->setFieldResult(heat[0], 1, ResultMarks::Removal, 0, 0);
    // Queued as a delete; the row stays until the server confirms.
    QCOMPARE(f.connection->store()->pendingActions().value(0).action, 2);
    QVERIFY(!f.connection->store()->resultRow(localId).isEmpty());
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 5000));
    QVERIFY(f.connection->store()->resultRow(localId).isEmpty());
    QVERIFY(f.serverResults(heat[0]->participation_id).isEmpty());
}

void TestDatabaseConnection::correctionBeforeConfirmation_reachesServer()
{
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    const QList<Participation *> heat = f.openHeat(109, "H", 15, 27);
    // The first post is slow to answer (it times out, but the server has
    // kept it); the judge corrects in the meantime.
    f.server.setDelay(500);
    f.connection->setFieldResult(heat[0], 1, 15.12, 0, 0);
    QTRY_COMPARE(f.requestsTo("new_result"), 1);
    f.connection->setFieldResult(heat[0], 1, 15.21, 0, 0);
    f.server.setDelay(0);
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 8000));
    QCOMPARE(f.serverResults(heat[0]->participation_id).size(), 1);
    QCOMPARE(f.serverResults(heat[0]->participation_id).first().value, 15.21);
}

void TestDatabaseConnection::correctionOfKnownResultWhileDown_reachesServer()
{
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    const QList<Participation *> heat = f.openHeat(109, "H", 15, 27);
    Result *result = f.connection->setFieldResult(heat[0], 1, 15.12, 0, 0).first().result;
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0 && result->result_id != 0; }, 5000));

    QVERIFY(f.server.setDown(true));
    QSignalSpy refused(f.connection->restService(), &MeetwiseRESTService::requestFinished);
    f.connection->setFieldResult(heat[0], 1, 15.40, 0, 0);
    QCOMPARE(f.connection->pendingActionCount(), 1u);
    // Refused when posted and once more from the queue.
    QTRY_VERIFY(refused.count() >= 2);
    QVERIFY(f.server.setDown(false));
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 8000));
    QCOMPARE(f.serverResults(heat[0]->participation_id).size(), 1);
    QCOMPARE(f.serverResults(heat[0]->participation_id).first().value, 15.40);
}

void TestDatabaseConnection::laneChange_queuedUntilConfirmed()
{
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    const QList<Participation *> heat = f.openHeat(101, "", 11, 21);
    QVERIFY(f.server.setDown(true));
    f.connection->setParticipationOrder(heat[0], 8);
    QCOMPARE(f.connection->pendingActionCount(), 1u);
    QCOMPARE(f.connection->pendingActionList().first().value("initial_order").toUInt(), 8u);
    QVERIFY(f.server.setDown(false));
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 8000));
    const auto *stored = f.server.competition().participation(heat[0]->participation_id);
    QCOMPARE(stored->data.value("initialorder").toInt(), 8);
}

void TestDatabaseConnection::pendingList_listsWhatCanBeSent()
{
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    const QList<Participation *> heat = f.openHeat(109, "H", 15, 27);
    QVERIFY(f.server.setDown(true));
    Result *result = f.connection->setFieldResult(heat[0], 2, 14.5, 0.3, 0).first().result;
    f.connection->setFieldResult(heat[0], 2, 14.6, 0.3, 0);
    // A participation without a server id: queued, never listed or sent.
    LocalDatabase *store = f.connection->store();
    store->appendPendingAction("participations", 1, 99999);

    const QList<QVariantMap> list = f.connection->pendingActionList();
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.at(0).value("action").toInt(), 0);
    QCOMPARE(list.at(1).value("action").toInt(), 1);
    for (const QVariantMap &map : list) {
        QCOMPARE(map.value("local_id").toUInt(), result->id);
        QCOMPARE(map.value("participation_id").toUInt(), heat[0]->participation_id);
        QCOMPARE(map.value("participation_bib").toString(), heat[0]->bib());
        QCOMPARE(map.value("participation_displayname").toString(), heat[0]->displayName());
        QCOMPARE(map.value("value").toDouble(), 14.6);
        QCOMPARE(map.value("seqno").toUInt(), 2u);
    }
    QCOMPARE(f.connection->pendingActionCount(), 3u);
    QSignalSpy counts(f.connection.get(), &DatabaseConnection::updateUnconfirmedActions);
    f.connection->removeAllPendingActions();
    QCOMPARE(counts.last().first().toUInt(), 0u);
}

void TestDatabaseConnection::heatIsRankedAfterEveryChange()
{
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    const QList<Participation *> heat = f.openHeat(109, "H", 15, 27);
    f.connection->setFieldResult(heat[0], 1, 15.00, 0, 0);
    f.connection->setFieldResult(heat[1], 1, 16.00, 0, 0);
    QCOMPARE(heat[1]->current_order, 1u);
    QCOMPARE(heat[0]->current_order, 2u);
    QCOMPARE(f.connection->store()->participationRow(heat[0]->id).value("current_order").toUInt(), 2u);
    f.connection->setFieldResult(heat[1], 1, ResultMarks::Removal, 0, 0);
    QCOMPARE(heat[0]->current_order, 1u);
    QCOMPARE(heat[1]->current_order, 0u);
}

void TestDatabaseConnection::staleCachedFlag_heatComesFromServer()
{
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    f.openHeat(106, "H", 14, 25);
    f.openHeat(109, "H", 15, 27); // the store now keeps heat 109 only
    // A schedule entry that still says heat 106 is cached.
    f.listener.participations.clear();
    f.connection->loadHeat(ConnectionFixture::heatData(106, "H", 14, 25, 1), &f.listener);
    QVERIFY(QTest::qWaitFor([&] { return !f.listener.participations.isEmpty(); }, 5000));
    QCOMPARE(f.listener.participations.size(), 13);
}

STADIONIX_TEST_MAIN(TestDatabaseConnection)
#include "tst_databaseconnection.moc"
