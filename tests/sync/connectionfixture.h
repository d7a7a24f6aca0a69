#pragma once

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "records/participation.h"
#include "store/localdatabase.h"
#include "sync/databaseconnection.h"
#include "sync/databasesynchronizationinterface.h"
#include "tools/meetwise-standin/standinserver.h"

// A listener that records what the connection hands to it.
class RecordingListener : public DatabaseSynchronizationInterface
{
public:
    void heatEventsReceived(const QList<QVariantMap> &heatEvents) override { schedules.append(heatEvents); }
    void disqualificationRulesReceived(const QList<QVariantMap> &list) override { rules = list; }
    void participationsReceived(const QString &heatId, const QList<Participation *> &list) override
    {
        heats.append(heatId);
        participations = list;
    }

    QList<QList<QVariantMap>> schedules;
    QList<QVariantMap> rules;
    QStringList heats;
    QList<Participation *> participations;
};

// The stand-in competition server on port 8090 of the test's own loopback
// address (docs/testing.md) with the demo competition, and a connection bound
// to it with its own data folder and store file.
class ConnectionFixture
{
public:
    explicit ConnectionFixture(const QString &address)
        : host(address)
    {
        QString error;
        server.loadCompetition(StandinServer::demoCompetitionPath(), &error);
        StandinServer::Settings settings;
        settings.address = QHostAddress(address);
        settings.port = 8090;
        started = server.start(settings, &error);
        if (!started)
            qWarning() << "stand-in not started:" << error;
        makeConnection();
    }

    void makeConnection()
    {
        connection.reset();
        connection = std::make_unique<DatabaseConnection>(nullptr, folder.path(), folder.filePath("stadionix.db"));
        connection->onSetDatabaseConnectionData(
            QStringLiteral("meetwise"),
            {{"ip", host}, {"user", "official"}, {"pass", "lap&time=42"}, {"competition", 1}});
        connection->setRetransmitInterval(300);
        finished.clear();
        QObject::connect(connection->restService(), &MeetwiseRESTService::requestFinished, connection.get(),
                         [this](QNetworkReply *reply) { finished.append(reply->url().path()); });
    }

    // The heat map as the schedule hands it to a screen.
    static QVariantMap heatData(unsigned heatId, const QString &fieldType, unsigned eventId, unsigned roundId,
                                int cached = 0)
    {
        return {{"event.id", heatId},         {"event.fieldType", fieldType}, {"event.eventID", eventId},
                {"event.roundID", roundId},   {"event.windMode", ""},         {"event.participantsCached", cached},
                {"event.numberOfAttempts", 6}};
    }

    // Opens a heat from the server and waits for its participations.
    QList<Participation *> openHeat(unsigned heatId, const QString &fieldType, unsigned eventId, unsigned roundId)
    {
        listener.participations.clear();
        connection->loadHeat(heatData(heatId, fieldType, eventId, roundId), &listener);
        // An empty list tells the caller that nothing came.
        [[maybe_unused]] const bool received =
            QTest::qWaitFor([this] { return !listener.participations.isEmpty(); }, 5000);
        return listener.participations;
    }

    // Results the server holds for a participation.
    QList<StandinCompetition::StoredResult> serverResults(unsigned participationId)
    {
        const StandinCompetition::StoredParticipation *p = server.competition().participation(participationId);
        return p ? p->results : QList<StandinCompetition::StoredResult>{};
    }

    int requestsTo(const QString &path)
    {
        int count = 0;
        for (const QJsonObject &entry : server.requestLog()) {
            if (entry.value(QStringLiteral("path")).toString().contains(path))
                ++count;
        }
        return count;
    }

    // Requests of the connection that have ended and been handled (answered,
    // failed or refused), by path.
    int finishedTo(const QString &path) const { return int(finished.filter(path).size()); }

    QString host;
    QTemporaryDir folder;
    StandinServer server;
    bool started = false;
    RecordingListener listener;
    std::unique_ptr<DatabaseConnection> connection;
    QStringList finished;
};
