#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkDatagram>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

#include <memory>

#include "records/result.h"
#include "standintestclient.h"
#include "support/testsupport.h"
#include "sync/meetwisecipher.h"
#include "tools/meetwise-standin/standinserver.h"

namespace {

// This test's own loopback address (docs/testing.md): HTTP, discovery and
// the answers to its pings.
const QString Host = QStringLiteral("127.0.20.4");
constexpr unsigned LongJumpHeat = 106;

std::unique_ptr<Result> makeResult(unsigned seqno, double value, const QString &info)
{
    auto result = std::make_unique<Result>();
    result->seqno = seqno;
    result->value = value;
    result->wind = 1.2;
    result->type = QStringLiteral("FTB");
    result->setInfo(info);
    result->time_performed = QTime(14, 12, 30);
    return result;
}

QString fieldValue(const QJsonObject &entry, const QString &name)
{
    for (const QJsonValue &field : entry.value("fields").toArray()) {
        if (field.toArray().at(0).toString() == name)
            return field.toArray().at(1).toString();
    }
    return QString();
}

int fieldCount(const QJsonObject &entry, const QString &name)
{
    int count = 0;
    for (const QJsonValue &field : entry.value("fields").toArray())
        count += field.toArray().at(0).toString() == name ? 1 : 0;
    return count;
}

} // namespace

class TestMeetwiseStandin : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyRequest_reachesServerAndListener_data();
    void everyRequest_reachesServerAndListener();
    void sessionHeader_emptyWithoutUser_builtWithUser();
    void formValues_withAmpersandAndEquals_arriveIntact();
    void newResult_isReturnedByReloadOfTheHeat();
    void repeatedUnique_givesSameIdAndStoresOnce();
    void serverDown_refusesAndCutsOpenConnections_thenComesBack();
    void slowServer_timeOutEndsAsCanceledWithoutListenerCall();
    void droppedReply_callsNoListener_andQtResendIsNotStoredTwice();
    void dropEvery_dropsExactlyEveryNthRequest();
    void savedState_loadsWithChangesAndKnownUniques();
    void demoCompetition_hasWhatTheDemoNeeds();
    void discoveryPing_answerDeciphersToIdentity();
    void discovery_ignoresOtherDatagramsAndIsSilentWhenDown();

private:
    unsigned longJumpParticipation(int index = 0) const
    {
        return m_server->competition().heatParticipations(LongJumpHeat).at(index);
    }
    unsigned existingResult() const
    {
        return m_server->competition().participation(longJumpParticipation())->results.first().id;
    }

    std::unique_ptr<StandinServer> m_server;
    std::unique_ptr<StandinTestClient> m_client;
};

void TestMeetwiseStandin::init()
{
    TestSupport::failOnUnexpectedWarnings();
    m_server = std::make_unique<StandinServer>();
    QString error;
    QVERIFY2(m_server->loadCompetition(StandinServer::demoCompetitionPath(), &error), qPrintable(error));
    StandinServer::Settings settings;
    settings.address = QHostAddress(Host);
    settings.port = 8090;
    QVERIFY2(m_server->start(settings, &error), qPrintable(error));
    m_client = std::make_unique<StandinTestClient>(Host);
}

void TestMeetwiseStandin::cleanup()
{
    m_client.reset();
    m_server.reset();
}

enum class Request {
    Competitions,
    Rules,
    Events,
    Results,
    Participations,
    Order,
    StartHeight,
    Status,
    NewLive,
    NewQueued,
    Update,
    Delete,
    WhatIsHappening
};
Q_DECLARE_METATYPE(Request)

void TestMeetwiseStandin::everyRequest_reachesServerAndListener_data()
{
    QTest::addColumn<Request>("request");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("call");
    QTest::newRow("competitions") << Request::Competitions << "GET"
                                  << "/competitions"
                                  << "competitionsReceived";
    QTest::newRow("disqualification rules") << Request::Rules << "GET"
                                            << "/disqualificationrules"
                                            << "disqualificationRulesReceived";
    QTest::newRow("events") << Request::Events << "GET"
                            << "/events/1"
                            << "eventsReceived";
    QTest::newRow("results") << Request::Results << "GET"
                             << "/results/106"
                             << "heatResultsReceived";
    QTest::newRow("participations") << Request::Participations << "GET"
                                    << "/participations/105"
                                    << "participationsReceived";
    QTest::newRow("order") << Request::Order << "POST"
                           << "/update_participation"
                           << "participationUpdated";
    QTest::newRow("start height") << Request::StartHeight << "POST"
                                  << "/update_participation"
                                  << "participationUpdated";
    QTest::newRow("out of competition, abandoned") << Request::Status << "POST"
                                                   << "/update_participation"
                                                   << "participationUpdated";
    QTest::newRow("new result, live") << Request::NewLive << "POST"
                                      << "/new_result"
                                      << "resultInserted";
    QTest::newRow("new result, from the queue") << Request::NewQueued << "POST"
                                                << "/new_result"
                                                << "resultInserted";
    QTest::newRow("update result") << Request::Update << "POST"
                                   << "/update_result"
                                   << "resultUpdated";
    QTest::newRow("delete result") << Request::Delete << "POST"
                                   << "/delete_result"
                                   << "resultDeleted";
    QTest::newRow("what is happening") << Request::WhatIsHappening << "POST"
                                       << "/new_whatishappening" << QString();
}

void TestMeetwiseStandin::everyRequest_reachesServerAndListener()
{
    QFETCH(Request, request);
    QFETCH(QString, method);
    QFETCH(QString, path);
    QFETCH(QString, call);

    MeetwiseRESTService &service = m_client->service;
    MeetwiseListenerRecorder &listener = m_client->listener;
    const unsigned participation = longJumpParticipation();
    const unsigned result = existingResult();
    const int storedBefore = m_server->competition().resultCount();
    QNetworkReply *reply = nullptr;
    switch (request) {
    case Request::Competitions:
        reply = service.requestCompetitions();
        break;
    case Request::Rules:
        reply = service.requestDisqualificationRules(QStringLiteral("de"));
        break;
    case Request::Events:
        reply = service.requestEvents();
        break;
    case Request::Results:
        reply = service.requestHeatResults(LongJumpHeat);
        break;
    case Request::Participations:
        reply = service.requestParticipations(105);
        break;
    case Request::Order:
        reply = service.updateParticipationOrder(participation, 9, 31);
        break;
    case Request::StartHeight:
        reply = service.updateParticipationStartHeight(participation, 1.58, 31);
        break;
    case Request::Status:
        reply = service.updateParticipationStatus(participation, true, true, 31);
        break;
    case Request::NewLive:
        reply = service.newResult(participation, *makeResult(2, 6.12, QStringLiteral("Q")), 44, true);
        break;
    case Request::NewQueued:
        reply = service.newResult(participation, *makeResult(2, 6.12, QStringLiteral("Q")), 44, false);
        break;
    case Request::Update:
        reply = service.updateResult(result, *makeResult(1, 6.33, QString()), 12);
        break;
    case Request::Delete:
        reply = service.deleteResult(result, 12);
        break;
    case Request::WhatIsHappening:
        reply = service.postWhatIsHappening(QStringLiteral("field participation update"),
                                            QStringLiteral("%1;%2;14;25;106").arg(participation).arg(result));
        break;
    }
    QCOMPARE(m_client->wait(reply), int(QNetworkReply::NoError));

    const QList<QJsonObject> log = m_server->requestLog();
    QCOMPARE(log.size(), 1);
    QCOMPARE(log.first().value("method").toString(), method);
    QCOMPARE(log.first().value("path").toString(), path);
    QCOMPARE(log.first().value("status").toInt(), 200);
    QCOMPARE(listener.calls, call.isEmpty() ? QStringList() : QStringList{call});

    // What the server did and what the listener was told.
    const auto *stored = m_server->competition().participation(participation);
    switch (request) {
    case Request::Competitions:
        QCOMPARE(listener.maps.size(), 2);
        QCOMPARE(listener.maps.first().value("name").toString(), QStringLiteral("Northern Lakes Open 2026"));
        break;
    case Request::Rules:
        QCOMPARE(listener.maps.size(), 3);
        QCOMPARE(listener.maps.first().value("language").toString(), QStringLiteral("de"));
        QCOMPARE(fieldValue(log.first(), "language"), QStringLiteral("de"));
        break;
    case Request::Events:
        QCOMPARE(listener.id, 1u);
        QCOMPARE(listener.maps.size(), 11);
        break;
    case Request::Results:
        QCOMPARE(listener.id, LongJumpHeat);
        QCOMPARE(listener.participations.size(), 13);
        break;
    case Request::Participations:
        QCOMPARE(listener.id, 105u);
        QCOMPARE(listener.maps.size(), 6);
        QVERIFY(!listener.maps.first().value("name").toString().isEmpty());
        break;
    case Request::Order:
        QCOMPARE(stored->data.value("initialorder").toInt(), 9);
        QCOMPARE(listener.maps.first().value("unique").toUInt(), 31u);
        QCOMPARE(listener.maps.first().value("initialorder").toUInt(), 9u);
        QVERIFY(listener.maps.first().contains("currentorder"));
        break;
    case Request::StartHeight:
        QCOMPARE(stored->data.value("startheight").toDouble(), 1.58);
        QCOMPARE(listener.maps.first().value("unique").toUInt(), 31u);
        break;
    case Request::Status:
        QCOMPARE(stored->data.value("outofcompetition_combinedevent").toBool(), true);
        QCOMPARE(stored->data.value("abandoned").toBool(), true);
        break;
    case Request::NewLive:
    case Request::NewQueued:
        QCOMPARE(m_server->competition().resultCount(), storedBefore + 1);
        QCOMPARE(stored->results.last().value, 6.12);
        QCOMPARE(stored->results.last().info, QStringLiteral("Q"));
        QCOMPARE(fieldCount(log.first(), "info"), request == Request::NewLive ? 2 : 1);
        QCOMPARE(listener.maps.first().value("unique").toUInt(), 44u);
        QCOMPARE(listener.maps.first().value("participation").toUInt(), participation);
        QCOMPARE(listener.maps.first().value("id").toUInt(), stored->results.last().id);
        break;
    case Request::Update:
        QCOMPARE(stored->results.first().value, 6.33);
        QCOMPARE(listener.maps.first().value("id").toUInt(), result);
        QCOMPARE(listener.maps.first().value("unique").toUInt(), 12u);
        break;
    case Request::Delete:
        QCOMPARE(m_server->competition().resultCount(), storedBefore - 1);
        QCOMPARE(listener.maps.first().value("unique").toUInt(), 12u);
        break;
    case Request::WhatIsHappening: {
        const QJsonArray happening = m_server->competition().whatIsHappeningLog();
        QCOMPARE(happening.size(), 1);
        QCOMPARE(happening.first().toObject().value("type").toString(), QStringLiteral("field participation update"));
        QCOMPARE(log.first().value("json").toObject().value("format").toString(), QStringLiteral("json"));
        break;
    }
    }
}

void TestMeetwiseStandin::sessionHeader_emptyWithoutUser_builtWithUser()
{
    MeetwiseRESTService &service = m_client->service;
    service.setUser(QString());
    QCOMPARE(m_client->wait(service.requestCompetitions()), int(QNetworkReply::NoError));
    // Sent, and empty: not left out.
    QCOMPARE(m_server->requestLog().last().value("sessionid"), QJsonValue(QString()));

    service.setUser(QStringLiteral("official"));
    QCOMPARE(m_client->wait(service.requestCompetitions()), int(QNetworkReply::NoError));
    QCOMPARE(m_client->wait(service.requestEvents()), int(QNetworkReply::NoError));
    const QList<QJsonObject> log = m_server->requestLog();
    const QString header = log.at(1).value("sessionid").toString();
    QCOMPARE(log.at(2).value("sessionid").toString(), header);
    const QStringList parts = header.split(QLatin1Char(':'));
    QCOMPARE(parts.size(), 6);
    QCOMPARE(parts.mid(0, 4), (QStringList{"SID", "MW", Host, "official"}));
    QCOMPARE(MeetwiseCipher::decipher(parts.at(4), 65), QStringLiteral("lap&time=42"));
    QCOMPARE(parts.at(5), QString::fromLatin1(StandinTestClient::MachineId));
}

void TestMeetwiseStandin::formValues_withAmpersandAndEquals_arriveIntact()
{
    const unsigned participation = longJumpParticipation(2);
    const QString reason = QStringLiteral("R-17 push & pull=DQ; Übertritt+1 %20");
    QCOMPARE(m_client->wait(m_client->service.newResult(participation, *makeResult(1, -4, reason), 51, true)),
             int(QNetworkReply::NoError));
    const auto *stored = m_server->competition().participation(participation);
    QCOMPARE(stored->results.last().info, reason);
    QCOMPARE(stored->results.last().timeperformed, QStringLiteral("14:12:30"));
    // No field was split off or added by the text.
    const QJsonObject entry = m_server->requestLog().last();
    QStringList names;
    for (const QJsonValue &field : entry.value("fields").toArray())
        names.append(field.toArray().at(0).toString());
    QCOMPARE(names, (QStringList{"participation", "seqno", "value", "wind", "metavalue", "type", "info",
                                 "timeperformed", "info", "unique", "format"}));

    const unsigned id = stored->results.last().id;
    QCOMPARE(m_client->wait(m_client->service.updateResult(id, *makeResult(1, -4, reason + QStringLiteral("=2")), 51)),
             int(QNetworkReply::NoError));
    QCOMPARE(m_server->competition().participation(participation)->results.last().info, reason + QStringLiteral("=2"));
}

void TestMeetwiseStandin::newResult_isReturnedByReloadOfTheHeat()
{
    const unsigned participation = longJumpParticipation(7);
    QCOMPARE(m_client->wait(
                 m_client->service.newResult(participation, *makeResult(1, 6.47, QStringLiteral("PB")), 61, true)),
             int(QNetworkReply::NoError));
    const unsigned id = m_client->listener.maps.first().value("id").toUInt();
    QVERIFY(id != 0);

    m_client->listener.clear();
    QCOMPARE(m_client->wait(m_client->service.requestHeatResults(LongJumpHeat)), int(QNetworkReply::NoError));
    const QList<Participation *> &list = m_client->listener.participations;
    const auto it = std::find_if(list.cbegin(), list.cend(), [participation](const Participation *p) {
        return p->participation_id == participation;
    });
    QVERIFY(it != list.cend());
    QCOMPARE((*it)->results().size(), 1);
    const Result *result = (*it)->results().first();
    QCOMPARE(result->result_id, id);
    QCOMPARE(result->seqno, 1u);
    QCOMPARE(result->value, 6.47);
    QCOMPARE(result->wind, 1.2);
    QCOMPARE(result->info(), QStringLiteral("PB"));
    QCOMPARE(result->time_performed, QTime(14, 12, 30));
    QCOMPARE(result->display, QStringLiteral("6.47"));
    QVERIFY(result->best_result);
}

void TestMeetwiseStandin::repeatedUnique_givesSameIdAndStoresOnce()
{
    MeetwiseRESTService &service = m_client->service;
    const unsigned participation = longJumpParticipation(8);
    const unsigned other = longJumpParticipation(9);
    const int before = m_server->competition().resultCount();

    auto post = [&](unsigned to, unsigned unique, bool live) {
        m_client->listener.clear();
        if (m_client->wait(service.newResult(to, *makeResult(1, 5.91, QString()), unique, live)) !=
            QNetworkReply::NoError)
            return 0u;
        return m_client->listener.maps.first().value("id").toUInt();
    };
    const unsigned first = post(participation, 71, true);
    QVERIFY(first != 0);
    QCOMPARE(post(participation, 71, true), first);
    QCOMPARE(post(participation, 71, false), first);
    QCOMPARE(m_server->competition().resultCount(), before + 1);

    // Another local id, or the same local id for another athlete, is another result.
    const unsigned second = post(participation, 72, true);
    const unsigned third = post(other, 71, true);
    QVERIFY(second != first && third != first && second != third);
    QCOMPARE(m_server->competition().resultCount(), before + 3);

    // A client restarted builds a new header (new random byte); it is still
    // the same machine.
    StandinTestClient restarted(Host);
    QVERIFY(restarted.service.sessionId() != service.sessionId());
    QCOMPARE(restarted.wait(restarted.service.newResult(participation, *makeResult(1, 5.91, QString()), 71, false)),
             int(QNetworkReply::NoError));
    QCOMPARE(restarted.listener.maps.first().value("id").toUInt(), first);
    QCOMPARE(m_server->competition().resultCount(), before + 3);
}

void TestMeetwiseStandin::serverDown_refusesAndCutsOpenConnections_thenComesBack()
{
    MeetwiseRESTService &service = m_client->service;
    // An open keep-alive connection first: down must cut it too.
    QCOMPARE(m_client->wait(service.requestCompetitions()), int(QNetworkReply::NoError));
    m_client->listener.clear();
    const int logged = m_server->requestLog().size();

    QVERIFY(m_server->setDown(true));
    const int before = m_server->competition().resultCount();
    const int error =
        m_client->wait(service.newResult(longJumpParticipation(), *makeResult(2, 6.0, QString()), 81, true));
    QVERIFY2(error == QNetworkReply::ConnectionRefusedError || error == QNetworkReply::RemoteHostClosedError,
             qPrintable(QString::number(error)));
    QCOMPARE(m_client->wait(service.requestEvents()), int(QNetworkReply::ConnectionRefusedError));
    QCOMPARE(m_client->listener.calls, QStringList());
    QCOMPARE(m_server->requestLog().size(), logged);
    QCOMPARE(m_server->competition().resultCount(), before);

    QString problem;
    QVERIFY2(m_server->setDown(false, &problem), qPrintable(problem));
    QCOMPARE(m_client->wait(service.newResult(longJumpParticipation(), *makeResult(2, 6.0, QString()), 81, true)),
             int(QNetworkReply::NoError));
    QCOMPARE(m_client->listener.calls, QStringList{"resultInserted"});
    QCOMPARE(m_server->competition().resultCount(), before + 1);
}

void TestMeetwiseStandin::slowServer_timeOutEndsAsCanceledWithoutListenerCall()
{
    MeetwiseRESTService &service = m_client->service;
    service.setTransferTimeout(300);
    m_server->setDelay(1500);
    const int before = m_server->competition().resultCount();
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(m_client->wait(service.newResult(longJumpParticipation(3), *makeResult(2, 5.5, QString()), 91, true)),
             int(QNetworkReply::OperationCanceledError));
    QVERIFY2(clock.elapsed() < 1400, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(m_client->listener.calls, QStringList());
    // It reached the server and was stored; only the answer was too late.
    QCOMPARE(m_server->requestLog().size(), 1);
    QCOMPARE(m_server->competition().resultCount(), before + 1);
    const unsigned id = m_server->competition().participation(longJumpParticipation(3))->results.last().id;

    // The late answer to the canceled request must reach no one: the answer
    // to the same request sent again, as slow, comes after it would have.
    service.setTransferTimeout(5000);
    QCOMPARE(m_client->wait(service.newResult(longJumpParticipation(3), *makeResult(2, 5.5, QString()), 91, false)),
             int(QNetworkReply::NoError));
    QCOMPARE(m_client->listener.calls, QStringList{"resultInserted"});
    QCOMPARE(m_client->listener.maps.first().value("id").toUInt(), id);
    QCOMPARE(m_server->competition().resultCount(), before + 1);
}

void TestMeetwiseStandin::droppedReply_callsNoListener_andQtResendIsNotStoredTwice()
{
    m_server->setDropEvery(1);
    const int before = m_server->competition().resultCount();
    const int error =
        m_client->wait(m_client->service.newResult(longJumpParticipation(4), *makeResult(2, 5.2, QString()), 95, true));
    QCOMPARE(error, int(QNetworkReply::RemoteHostClosedError));
    QCOMPARE(m_client->listener.calls, QStringList());
    const QList<QJsonObject> log = m_server->requestLog();
    QVERIFY(!log.isEmpty());
    for (const QJsonObject &entry : log) {
        QCOMPARE(entry.value("path").toString(), QStringLiteral("/new_result"));
        QCOMPARE(entry.value("outcome").toString(), QStringLiteral("dropped"));
    }
    // Whether the network stack posted it once or again by itself, the
    // server holds it once.
    QCOMPARE(m_server->competition().resultCount(), before + 1);

    QCOMPARE(m_client->wait(m_client->service.requestEvents()), int(QNetworkReply::RemoteHostClosedError));
    QCOMPARE(m_client->listener.calls, QStringList());
}

void TestMeetwiseStandin::dropEvery_dropsExactlyEveryNthRequest()
{
    m_server->setDropEvery(3);
    int ok = 0;
    for (int i = 0; i < 6; ++i)
        ok += m_client->wait(m_client->service.requestCompetitions()) == QNetworkReply::NoError ? 1 : 0;
    const QList<QJsonObject> log = m_server->requestLog();
    QVERIFY(log.size() >= 6);
    for (int i = 0; i < log.size(); ++i)
        QCOMPARE(log.at(i).value("outcome").toString(),
                 (i + 1) % 3 == 0 ? QStringLiteral("dropped") : QStringLiteral("answered"));
    // Every answered request reached the listener exactly once.
    QCOMPARE(m_client->listener.calls.size(), ok);
    QCOMPARE(log.size() - log.size() / 3, ok);
}

void TestMeetwiseStandin::savedState_loadsWithChangesAndKnownUniques()
{
    MeetwiseRESTService &service = m_client->service;
    const unsigned participation = longJumpParticipation(10);
    QCOMPARE(m_client->wait(service.newResult(participation, *makeResult(1, 6.01, QStringLiteral("Ø")), 101, true)),
             int(QNetworkReply::NoError));
    const unsigned id = m_client->listener.maps.first().value("id").toUInt();
    QCOMPARE(m_client->wait(service.updateParticipationOrder(participation, 2, 55)), int(QNetworkReply::NoError));
    QCOMPARE(m_client->wait(service.deleteResult(existingResult(), 7)), int(QNetworkReply::NoError));
    const int count = m_server->competition().resultCount();

    QTemporaryDir dir;
    const QString file = dir.filePath("state.json");
    QString error;
    QVERIFY2(m_server->saveState(file, &error), qPrintable(error));

    StandinCompetition reloaded;
    QVERIFY2(reloaded.loadFile(file, &error), qPrintable(error));
    QCOMPARE(reloaded.toJson(), m_server->competition().toJson());
    QCOMPARE(reloaded.resultCount(), count);
    QCOMPARE(reloaded.participation(participation)->data.value("initialorder").toInt(), 2);
    QCOMPARE(reloaded.participation(participation)->results.last().info, QStringLiteral("Ø"));

    // After a restart the server still knows the unique and the deletion.
    const StandinFields again{
        {"participation", QString::number(participation)}, {"seqno", "1"}, {"value", "6.01"}, {"unique", "101"}};
    const StandinCompetition::Reply reply =
        reloaded.newResult(again, QString::fromLatin1(StandinTestClient::MachineId));
    QCOMPARE(reply.body.first().toObject().value("result").toObject().value("id").toInt(), int(id));
    QCOMPARE(reloaded.resultCount(), count);
    const StandinCompetition::Reply deleted = reloaded.deleteResult({{"id", QString::number(existingResult())}});
    QCOMPARE(deleted.status, 200);
    // New ids never repeat one given before the restart.
    const StandinCompetition::Reply fresh = reloaded.newResult(
        {{"participation", QString::number(participation)}, {"seqno", "2"}, {"value", "6.2"}, {"unique", "102"}},
        QStringLiteral("x"));
    QVERIFY(fresh.body.first().toObject().value("result").toObject().value("id").toInt() > int(id));
}

void TestMeetwiseStandin::demoCompetition_hasWhatTheDemoNeeds()
{
    MeetwiseRESTService &service = m_client->service;
    MeetwiseListenerRecorder &listener = m_client->listener;
    QCOMPARE(m_client->wait(service.requestCompetitions()), int(QNetworkReply::NoError));
    const QVariantMap competition = listener.maps.first();
    QVERIFY(competition.value("sessions").toList().size() >= 3);
    QVERIFY(competition.value("startdate").toString() != competition.value("enddate").toString());

    QCOMPARE(m_client->wait(service.requestEvents()), int(QNetworkReply::NoError));
    const QList<QVariantMap> heats = listener.maps;
    QSet<QString> days;
    bool relay = false;
    bool threeAttemptRound = false;
    QHash<QString, int> largestField;
    for (const QVariantMap &heat : heats) {
        days.insert(heat.value("time").toString().left(8));
        relay = relay || heat.value("athletesQuantity").toInt() > 1;
        const QString type = heat.value("fieldType").toString();
        if (type == QLatin1String("H") && heat.value("numberOfAttempts").toInt() == 3)
            threeAttemptRound = true;
        if (type == QLatin1String("V")) {
            QVERIFY(heat.value("startHeight").toDouble() > 1);
            QVERIFY(heat.value("intervalHeight").toDouble() > 0);
        }
        const QString event = heat.value("eventName").toString();
        largestField[event] = qMax(largestField.value(event), heat.value("numberOfParticipants").toInt());
    }
    QVERIFY(days.size() >= 2);
    QVERIFY(relay);
    QVERIFY(threeAttemptRound);
    QVERIFY(largestField.value("Long Jump") >= 12);
    QVERIFY(largestField.value("Shot Put") >= 12);
    QVERIFY(largestField.value("High Jump") >= 10);
    QVERIFY(largestField.value("Pole Vault") >= 10);

    // Names that exercise the scoreboard's character transformations.
    QString allNames;
    for (unsigned heat : {106u, 109u, 110u, 111u}) {
        QCOMPARE(m_client->wait(service.requestHeatResults(heat)), int(QNetworkReply::NoError));
        for (const Participation *p : std::as_const(listener.participations)) {
            QVERIFY(!p->bib().isEmpty());
            QVERIFY(!p->clubName().isEmpty());
            QVERIFY(!p->category.isEmpty());
            allNames += p->firstName() + p->lastName();
        }
    }
    for (const QChar c : QStringLiteral("ÄØßŁéñ"))
        QVERIFY2(allNames.contains(c, Qt::CaseInsensitive), qPrintable(QString(c)));

    QCOMPARE(m_client->wait(service.requestDisqualificationRules(QStringLiteral("en"))), int(QNetworkReply::NoError));
    QVERIFY(listener.maps.size() >= 3);
}

void TestMeetwiseStandin::discoveryPing_answerDeciphersToIdentity()
{
    m_server.reset();
    m_server = std::make_unique<StandinServer>();
    QVERIFY(m_server->loadCompetition(StandinServer::demoCompetitionPath()));
    StandinServer::Settings settings;
    settings.address = QHostAddress(Host);
    settings.port = 8090;
    settings.discoveryAddress = QHostAddress(Host);
    settings.discoveryPort = 1217;
    settings.discoveryAnswerPort = 1218;
    QString error;
    QVERIFY2(m_server->start(settings, &error), qPrintable(error));

    QUdpSocket program;
    QVERIFY(program.bind(QHostAddress(Host), 1218, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint));
    program.writeDatagram("MWSTADIONIXPING;512;", QHostAddress(Host), 1217);
    QVERIFY(QTest::qWaitFor([&] { return program.hasPendingDatagrams(); }, 5000));
    const QNetworkDatagram datagram = program.receiveDatagram();
    QCOMPARE(datagram.senderAddress(), QHostAddress(Host));

    // Read as the program reads it.
    const QByteArray payload = datagram.data();
    QVERIFY(payload.startsWith("MWSTADIONIXPINGANSWER"));
    const QStringList parts = QString::fromLatin1(payload).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    QVERIFY(parts.size() > 2);
    const quint64 key = parts.at(1).toULongLong();
    QCOMPARE(key, quint64(271828));
    const QStringList fields = MeetwiseCipher::decipher(parts.at(2), key).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    QVERIFY(fields.size() > 3);
    QCOMPARE(fields.mid(0, 3), (QStringList{"Stadionix stand-in", "official", "lap&time=42"}));

    const QJsonObject entry = m_server->requestLog().last();
    QCOMPARE(entry.value("method").toString(), QStringLiteral("PING"));
    QCOMPARE(fieldValue(entry, "ping"), QStringLiteral("512"));
}

void TestMeetwiseStandin::discovery_ignoresOtherDatagramsAndIsSilentWhenDown()
{
    m_server.reset();
    m_server = std::make_unique<StandinServer>();
    QVERIFY(m_server->loadCompetition(StandinServer::demoCompetitionPath()));
    StandinServer::Settings settings;
    settings.address = QHostAddress(Host);
    settings.port = 8090;
    settings.discoveryAddress = QHostAddress(Host);
    settings.discoveryPort = 1217;
    QVERIFY(m_server->start(settings));

    QUdpSocket program;
    QVERIFY(program.bind(QHostAddress(Host), 1218, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint));
    program.writeDatagram("MWSTADIONIXPINGANSWER;1;x", QHostAddress(Host), 1217);
    program.writeDatagram("HELLO", QHostAddress(Host), 1217);
    QVERIFY(m_server->setDown(true));
    program.writeDatagram("MWSTADIONIXPING;64;", QHostAddress(Host), 1217);
    // An answer goes out as the ping is logged, and lands at once on loopback.
    QTRY_COMPARE(m_server->requestLog().size(), 1);
    QVERIFY(!program.hasPendingDatagrams());
    QCOMPARE(m_server->requestLog().size(), 1);
    QCOMPARE(m_server->requestLog().first().value("outcome").toString(), QStringLiteral("ignored"));

    QVERIFY(m_server->setDown(false));
    program.writeDatagram("MWSTADIONIXPING;64;", QHostAddress(Host), 1217);
    QVERIFY(QTest::qWaitFor([&] { return program.hasPendingDatagrams(); }, 5000));
}

STADIONIX_TEST_MAIN(TestMeetwiseStandin)
#include "tst_meetwisestandin.moc"
