#include <QFile>
#include <QtTest>

#include "connectionfixture.h"
#include "records/resultmarks.h"
#include "store/pendingaction.h"
#include "support/testsupport.h"

namespace {

// This test's own loopback address (docs/testing.md).
const QString Host = QStringLiteral("127.0.20.8");

} // namespace

// What the judge did on this device must survive the heat being loaded
// again, from the store or from the server, while changes are still on
// their way; and a held heat must open without the server.
class TestConnectionRecovery : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }
    void removedResult_staysRemovedOnReopen_data();
    void removedResult_staysRemovedOnReopen();
    void removedWhileInsertOnItsWay_serverKeepsNothing();
    void unsentResultRemoved_laneChangeWithSameNumberStays();
    void confirmationAfterHeatChange_storedWithItsRow();
    void queuedLaneChange_survivesReloadFromServer();
    void heldHeat_opensWhenServerDoesNotAnswer();
    void eliminations_surviveReloadFromServer_data();
    void eliminations_surviveReloadFromServer();
    void syncFile_valuesReadBackUnchanged_data();
    void syncFile_valuesReadBackUnchanged();

private:
    static int serverResultCount(ConnectionFixture &f, const Participation *p)
    {
        return int(f.serverResults(p->participation_id).size());
    }
};

void TestConnectionRecovery::removedResult_staysRemovedOnReopen_data()
{
    QTest::addColumn<int>("cached");
    QTest::newRow("from the store") << 1;
    QTest::newRow("from the server") << 0;
}

void TestConnectionRecovery::removedResult_staysRemovedOnReopen()
{
    QFETCH(int, cached);
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    QList<Participation *> heat = f.openHeat(109, "H", 15, 27);
    const unsigned participationId = heat[0]->participation_id;
    Result *result = f.connection->setFieldResult(heat[0], 1, 15.12, 0, 0).first().result;
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0 && result->result_id != 0; }, 5000));
    const unsigned localId = result->id;

    // Removed while the server is away: the removal waits in the queue.
    QVERIFY(f.server.setDown(true));
    f.connection->setFieldResult(heat[0], 1, ResultMarks::Removal, 0, 0);
    QCOMPARE(f.connection->pendingActionCount(), 1u);
    // No more tries for a while, and none still on its way.
    f.connection->setRetransmitInterval(60000);
    QVERIFY(QTest::qWaitFor([&] { return f.connection->requestsInFlight() == 0; }, 3000));
    QVERIFY(f.server.setDown(false));
    QCOMPARE(serverResultCount(f, heat[0]), 1);

    f.listener.participations.clear();
    f.connection->loadHeat(ConnectionFixture::heatData(109, "H", 15, 27, cached), &f.listener);
    QVERIFY(QTest::qWaitFor([&] { return !f.listener.participations.isEmpty(); }, 5000));
    Participation *again = f.connection->participationByServerId(participationId);
    QVERIFY(again);
    QVERIFY2(again->results().isEmpty(), "the removed attempt came back");
    QCOMPARE(f.connection->pendingActionCount(), 1u);

    // The removal still reaches the server, and the row goes with it.
    f.connection->setRetransmitInterval(300);
    f.connection->onRetransmitTimeout();
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 8000));
    QCOMPARE(serverResultCount(f, again), 0);
    QVERIFY(f.connection->store()->resultRow(localId).isEmpty());
}

void TestConnectionRecovery::removedWhileInsertOnItsWay_serverKeepsNothing()
{
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    const QList<Participation *> heat = f.openHeat(109, "H", 15, 27);
    // The server takes its time: the insert is on its way when the judge
    // takes the attempt back.
    f.server.setDelay(600);
    const unsigned localId = f.connection->setFieldResult(heat[0], 1, 15.12, 0, 0).first().result->id;
    QTRY_COMPARE(f.requestsTo("new_result"), 1);
    QCOMPARE(f.connection->requestsInFlight(), 1);
    f.connection->setFieldResult(heat[0], 1, ResultMarks::Removal, 0, 0);
    QVERIFY(heat[0]->results().isEmpty());
    f.server.setDelay(0);
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 8000));
    QCOMPARE(serverResultCount(f, heat[0]), 0);
    QVERIFY(f.connection->store()->resultRow(localId).isEmpty());
    QVERIFY(f.requestsTo("delete_result") >= 1);
}

void TestConnectionRecovery::unsentResultRemoved_laneChangeWithSameNumberStays()
{
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    // A heat without times yet, so the time below is a new row.
    const QList<Participation *> heat = f.openHeat(102, "", 11, 21);
    QVERIFY(heat.size() >= 2);
    QVERIFY(f.server.setDown(true));
    Participation *runner = heat[0];
    Result *time = f.connection->setTrackResult(runner, 11.02, QString()).first().result;
    // Participations and results number their rows each from 1: find the
    // participation whose row number is that of the result.
    Participation *sameNumber = nullptr;
    for (Participation *p : heat) {
        if (p->id == time->id)
            sameNumber = p;
    }
    QVERIFY2(sameNumber, "no participation shares the result's row number");
    f.connection->setParticipationOrder(sameNumber, 8);
    QCOMPARE(f.connection->pendingActionCount(), 2u);
    // Nothing on its way any more: the result is only known here.
    f.connection->setRetransmitInterval(60000);
    QVERIFY(QTest::qWaitFor([&] { return f.connection->requestsInFlight() == 0; }, 3000));

    f.connection->deleteResult(runner, time);
    QCOMPARE(f.connection->pendingActionCount(), 1u);
    QCOMPARE(f.connection->store()->pendingActions().value(0).table_name, QStringLiteral("participations"));

    QVERIFY(f.server.setDown(false));
    f.connection->setRetransmitInterval(300);
    f.connection->onRetransmitTimeout();
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 8000));
    QCOMPARE(f.server.competition().participation(sameNumber->participation_id)->data.value("initialorder").toInt(), 8);
    QCOMPARE(serverResultCount(f, runner), 0);
}

void TestConnectionRecovery::confirmationAfterHeatChange_storedWithItsRow()
{
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    // Requests wait up to their usual time-out for the slow server.
    f.connection->setRetransmitInterval(DatabaseConnection::RetransmitInterval);
    QList<Participation *> heat = f.openHeat(109, "H", 15, 27);
    const unsigned participationId = heat[0]->participation_id;
    f.server.setDelay(800);
    const unsigned localId = f.connection->setFieldResult(heat[0], 1, 15.12, 0, 0).first().result->id;
    QTRY_COMPARE(f.requestsTo("new_result"), 1);
    // The judge moves on before the server has answered.
    f.connection->loadHeat(ConnectionFixture::heatData(110, "V", 16, 28), &f.listener);
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 8000));
    f.server.setDelay(0);

    // The row knows the server's id, so a later correction is an update.
    const unsigned serverId = f.connection->store()->resultRow(localId).value("result_id").toUInt();
    QVERIFY(serverId != 0);
    QCOMPARE(f.serverResults(participationId).value(0).id, serverId);
}

void TestConnectionRecovery::queuedLaneChange_survivesReloadFromServer()
{
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    QList<Participation *> heat = f.openHeat(101, "", 11, 21);
    const unsigned participationId = heat[1]->participation_id;
    QVERIFY(f.server.setDown(true));
    f.connection->setParticipationOrder(heat[1], 8);
    f.connection->setRetransmitInterval(60000);
    QVERIFY(QTest::qWaitFor([&] { return f.connection->requestsInFlight() == 0; }, 3000));
    QVERIFY(f.server.setDown(false));

    // The heat comes again from the server before the change went out.
    heat = f.openHeat(101, "", 11, 21);
    Participation *moved = f.connection->participationByServerId(participationId);
    QVERIFY(moved);
    QCOMPARE(moved->initial_order, 8u);
    QCOMPARE(f.connection->pendingActionCount(), 1u);
    const QVariantMap queued = f.connection->pendingActionList().value(0);
    QCOMPARE(queued.value("local_id").toUInt(), moved->id);
    QCOMPARE(queued.value("initial_order").toUInt(), 8u);

    f.connection->setRetransmitInterval(300);
    f.connection->onRetransmitTimeout();
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 8000));
    QCOMPARE(f.server.competition().participation(participationId)->data.value("initialorder").toInt(), 8);
}

void TestConnectionRecovery::heldHeat_opensWhenServerDoesNotAnswer()
{
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    QList<Participation *> heat = f.openHeat(109, "H", 15, 27);
    f.connection->setFieldResult(heat[0], 1, 15.12, 0, 0);
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 5000));
    // The schedule is fetched again (every heat arrives as not held here).
    f.connection->registerListener(&f.listener);
    QVERIFY(QTest::qWaitFor([&] { return !f.listener.schedules.isEmpty(); }, 5000));

    QVERIFY(f.server.setDown(true));
    f.connection->setFieldResult(heat[0], 2, 15.40, 0, 0);
    f.listener.participations.clear();
    f.connection->loadHeat(ConnectionFixture::heatData(109, "H", 15, 27, 0), &f.listener);
    QVERIFY2(QTest::qWaitFor([&] { return !f.listener.participations.isEmpty(); }, 6000),
             "the held heat did not open without the server");
    QCOMPARE(f.listener.heats.last(), QStringLiteral("109"));
    int marks = 0;
    for (const Participation *p : std::as_const(f.listener.participations))
        marks += int(p->results().size());
    QCOMPARE(marks, 2);

    // A heat the store does not hold has nothing to show, and nothing breaks.
    f.listener.participations.clear();
    f.connection->loadHeat(ConnectionFixture::heatData(106, "H", 14, 25, 0), &f.listener);
    QTRY_COMPARE(f.finishedTo("/results/106"), 1);
    QVERIFY(f.listener.participations.isEmpty());
}

void TestConnectionRecovery::eliminations_surviveReloadFromServer_data()
{
    QTest::addColumn<bool>("sameDevice");
    QTest::newRow("on the device that entered them") << true;
    QTest::newRow("on another device") << false;
}

void TestConnectionRecovery::eliminations_surviveReloadFromServer()
{
    QFETCH(bool, sameDevice);
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    QList<Participation *> heat = f.openHeat(110, "V", 16, 28);
    QVERIFY(heat.size() >= 2);
    const unsigned outId = heat[0]->participation_id;
    const unsigned inId = heat[1]->participation_id;
    f.connection->applyAttemptString(heat[0], 1.60, "XXX", 0);
    f.connection->applyAttemptString(heat[1], 1.60, "XO", 0);
    QVERIFY(heat[0]->out_of_competition);
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 8000));

    if (!sameDevice)
        f.makeConnection();
    heat = f.openHeat(110, "V", 16, 28);
    QVERIFY(!heat.isEmpty());
    QVERIFY(f.connection->participationByServerId(outId)->out_of_competition);
    QVERIFY(!f.connection->participationByServerId(inId)->out_of_competition);
    // Kept in the store as well, for the next opening from there.
    const QVariantMap row = f.connection->store()->participationRowByServerId(outId);
    QCOMPARE(row.value("out_of_competition").toInt(), 1);
}

void TestConnectionRecovery::syncFile_valuesReadBackUnchanged_data()
{
    QTest::addColumn<QString>("password");
    QTest::newRow("plain with & and =") << "lap&time=42";
    QTest::newRow("semicolon") << "run;fast";
    QTest::newRow("quotes") << "say \"go\"";
    QTest::newRow("backslashes") << "c:\\tmp\\new";
    QTest::newRow("comma") << "a, b";
    QTest::newRow("leading at") << "@Variant(x)";
    QTest::newRow("spaces around") << " spaced ";
    QTest::newRow("accents") << QString::fromUtf8("Zoë-Ærø");
    // A line break must not end the value and start a line of its own.
    QTest::newRow("line break that would start a key") << "one\ntype=atletieknu";
    QTest::newRow("carriage return") << "a\rb";
}

void TestConnectionRecovery::syncFile_valuesReadBackUnchanged()
{
    QFETCH(QString, password);
    QTemporaryDir folder;
    DatabaseConnection connection(nullptr, folder.path(), folder.filePath("stadionix.db"));
    connection.onSetDatabaseConnectionData(
        "meetwise", {{"ip", "127.0.0.1"}, {"user", password}, {"pass", password}, {"competition", 3}});
    QCOMPARE(connection.restService()->password(), password);
    DatabaseConnection reread(nullptr, folder.path(), folder.filePath("other.db"));
    QCOMPARE(reread.restService()->user(), password);
    QCOMPARE(reread.restService()->password(), password);
    QCOMPARE(reread.restService()->competition(), 3u);
    // The file keeps its plain lines where nothing needs quoting.
    QFile file(connection.configurationFilePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("ip=127.0.0.1\n"));
}

STADIONIX_TEST_MAIN(TestConnectionRecovery)
#include "tst_connectionrecovery.moc"
