#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QTimer>
#include <QVariantMap>

#include "sync/meetwiseinterface.h"
#include "records/participation.h"
#include "sync/meetwiserestservice.h"

class DatabaseSynchronizationInterface;
class LocalDatabase;
class Participation;
class ParticipationSnapshot;
class QNetworkReply;
class Result;

// The one object through which the program talks to the competition server.
// Everything a judge changes is written to the local store first, together
// with the pending action that carries it to the server, then posted; pending
// actions are posted again every 2500 ms until the server confirms them, so
// work goes on without a network and nothing entered is lost.
class DatabaseConnection : public QObject, public MeetwiseInterface
{
    Q_OBJECT

public:
    enum ServerKind { NoServer = 0, MeetwiseServer = 1, AtletiekNuService = 2 };

    static constexpr int RetransmitInterval = 2500;
    // Shorter than the rhythm: a request to a silent server ends before the
    // next tick would post the same action again.
    static constexpr int RequestTimeout = 2000;

    // dataFolder holds the "sync" file; the store opens its default file
    // unless storeFile names another (tests, tools).
    DatabaseConnection(QObject *parent, const QString &dataFolder, const QString &storeFile = QString());
    ~DatabaseConnection() override;

    LocalDatabase *store() const { return m_store; }
    MeetwiseRESTService *restService() { return &m_rest; }
    int serverKind() const { return m_kind; }
    QString dataFolder() const { return m_dataFolder; }
    QString configurationFilePath() const;
    QVariantMap configuration() const { return m_configuration; }
    QString synchronisationCode() const { return m_code; }
    // The competition's name as the connection settings recorded it (for
    // printed sheets); empty when they did not.
    QString competitionName() const { return m_competitionName; }
    // Reads a "sync" file and sets the client up as it says (or clears it);
    // returns the server kind, the results service's code in code and the
    // competition's name in competitionName when asked.
    static int readSyncFile(const QString &path, MeetwiseRESTService &rest, QString &code,
                            QString *competitionName = nullptr);

    // Listeners.
    void registerListener(DatabaseSynchronizationInterface *listener);
    void requestDisqualificationRules(DatabaseSynchronizationInterface *listener, const QString &language);
    // Loads a heat's participations from the store (cached heat) or the
    // server; eventData holds the heat's values under "event." keys.
    void loadHeat(const QVariantMap &eventData, DatabaseSynchronizationInterface *listener);
    const QList<Participation *> &participations() const { return m_participations; }
    Participation *participationByServerId(unsigned serverId) const;
    QVariantMap heatEventData() const { return m_heatEventData; }
    QChar heatFieldType() const;

    // A judge's changes: each writes the change and its pending action in one
    // transaction, posts it and ranks the heat again. Deleted results come
    // back to the connection, which disposes of them. A change the store
    // refuses is taken back (the records are as before, nothing is posted,
    // changeNotStored() is emitted) and gives no changes.
    QList<ResultChange> setFieldResult(Participation *participation, unsigned attempt, double value, double wind,
                                       double metavalue);
    QList<ResultChange> applyAttemptString(Participation *participation, double height, const QString &attempts,
                                           unsigned jumpOffNumber);
    QList<ResultChange> setTrackResult(Participation *participation, double value, const QString &info);
    // Whether the last of those changes was stored.
    bool lastChangeStored() const { return m_lastChangeStored; }
    // A result already written by its participation: posted or queued as
    // the server needs it, then the heat is ranked again.
    void resultChanged(Participation *participation, Result *result, bool isNew);
    // Takes ownership of the result.
    void deleteResult(Participation *participation, Result *result);

    void setParticipationOrder(Participation *participation, unsigned order);
    void setStartHeight(Participation *participation, double height);
    void setParticipationStatus(Participation *participation);
    // Tells the server which athlete is up now.
    void reportNextParticipation(Participation *participation);
    // Ranks the open heat (after every change of a result).
    void rankHeat();
    // Rebuilds the start order of the open heat for the final attempts: the
    // best N (0 = all) go on in reverse order of ranking.
    void resortParticipations(unsigned maximumRank);

    // Pending actions.
    unsigned pendingActionCount();
    QList<QVariantMap> pendingActionList();
    void removeAllPendingActions();
    // The retransmit rhythm (tests and tools use a faster one); requests
    // time out after four fifths of it.
    void setRetransmitInterval(int ms);
    // Requests posted but not answered yet (never more than one per action).
    int requestsInFlight() const { return int(m_inFlight.size()); }
    bool isRetransmitting() const { return m_retransmitTimer.isActive(); }

    // MeetwiseInterface.
    void disqualificationRulesReceived(const QList<QVariantMap> &rules) override;
    void eventsReceived(const QList<QVariantMap> &heatEvents, unsigned competitionId) override;
    void heatResultsReceived(const QList<Participation *> &participations, unsigned heatId) override;
    void participationUpdated(const QVariantMap &reply) override;
    void resultInserted(const QVariantMap &reply) override;
    void resultUpdated(const QVariantMap &reply) override;
    void resultDeleted(const QVariantMap &reply) override;

signals:
    void updateUnconfirmedActions(unsigned int count);
    // A judge's change could not be written to the local store.
    void changeNotStored();
    // A heat that is not in the store was asked for and the server did not
    // answer; it is asked for again at the retransmit rhythm until it comes.
    void heatWaitingForServer(unsigned heatId);

public slots:
    void onSetDatabaseConnectionData(QString database, QVariantMap data);
    void onRetransmitTimeout();

private:
    struct Request
    {
        QString table;
        unsigned localId = 0;
        // The newest pending action the request carries; its confirmation
        // removes the actions up to this one only.
        unsigned lastActionId = 0;
    };

    void readConfiguration();
    void emitCount();
    void changed();
    void track(QNetworkReply *reply, const QString &table, unsigned localId);
    bool inFlight(const QString &table, unsigned localId) const;
    unsigned confirmedUpTo(const QString &table, unsigned localId) const;
    void onRequestFinished(QNetworkReply *reply);
    void postNewResult(Participation *participation, Result *result, bool live);
    void postUpdateResult(Result *result);
    void queueAndPostKnownResult(Participation *participation, Result *result);
    QList<ResultChange> handleChanges(Participation *participation, const QList<ResultChange> &changes,
                                      ParticipationSnapshot &before);
    void clearHeat();
    // Tells the server's other screens that a result is in.
    void reportConfirmedResult(const Participation *participation, unsigned resultServerId);
    Result *findResult(unsigned localId, Participation **owner = nullptr) const;
    void storeServerIdOfRow(unsigned localId, unsigned serverId);
    static unsigned confirmedId(const QVariantMap &reply, const QString &key);
    void forgetResultRow(unsigned localId);
    void deliverHeat(unsigned heatId, const QList<DatabaseSynchronizationInterface *> &listeners);
    void onHeatRetryTimeout();

public:
    // A "sync" file value written so that the file reads it back unchanged.
    static QString iniValue(const QString &text);

private:
    QString m_dataFolder;
    int m_kind = NoServer;
    QVariantMap m_configuration;
    QString m_code;
    QString m_competitionName;
    LocalDatabase *m_store;
    MeetwiseRESTService m_rest;
    QTimer m_retransmitTimer;
    QList<Participation *> m_participations;
    QVariantMap m_heatEventData;

    QList<DatabaseSynchronizationInterface *> m_listeners;
    QList<DatabaseSynchronizationInterface *> m_scheduleListeners;
    QList<DatabaseSynchronizationInterface *> m_rulesListeners;
    QHash<unsigned, QList<DatabaseSynchronizationInterface *>> m_heatListeners;
    QHash<unsigned, QVariantMap> m_heatRequests;

    bool m_lastChangeStored = true;
    QHash<QNetworkReply *, Request> m_inFlight;
    // Outstanding heat requests, to open a held heat when one fails.
    QHash<QNetworkReply *, unsigned> m_heatReplies;
    // Asks again for the open heat that the server has not given yet.
    QTimer m_heatRetryTimer;
};
