// Enters results through the server connection the way the field event
// screen does, for the reliability tests: it may be killed at any moment and
// started again on the same store.
//
//   connection-driver <data folder> <store file> enter <heat> <attempts>
//       opens the heat (from the store once it is cached), then enters a
//       result for every participation and attempt 1..<attempts> that the
//       store does not hold yet, printing "entered <participation> <attempt>"
//       after each entry has returned;
//   connection-driver <data folder> <store file> drain <heat>
//       waits until the server has confirmed every pending action, then
//       prints "drained" and exits.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

#include "records/participation.h"
#include "store/localdatabase.h"
#include "sync/databaseconnection.h"
#include "sync/databasesynchronizationinterface.h"

namespace {

class HeatListener : public DatabaseSynchronizationInterface
{
public:
    void participationsReceived(const QString &, const QList<Participation *> &list) override
    {
        participations = list;
        received = true;
    }
    QList<Participation *> participations;
    bool received = false;
};

bool storeHasHeat(LocalDatabase *store, unsigned heatId)
{
    for (const QVariantMap &heat : store->loadCachedHeatEvents()) {
        if (heat.value(QStringLiteral("id")).toUInt() == heatId)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5)
        return 2;
    const QString mode = args.at(3);
    const unsigned heatId = args.at(4).toUInt();
    const unsigned attempts = args.value(5).toUInt();

    DatabaseConnection connection(nullptr, args.at(1), args.at(2));
    if (!connection.store()->isUsable())
        return 3;
    connection.setRetransmitInterval(400);

    HeatListener listener;
    QVariantMap heat{{"event.id", heatId},
                     {"event.fieldType", "H"},
                     {"event.eventID", 15},
                     {"event.roundID", 27},
                     {"event.windMode", ""},
                     {"event.numberOfAttempts", 6},
                     {"event.participantsCached", storeHasHeat(connection.store(), heatId) ? 1 : 0}};
    // The schedule must exist in the store for the heat to be marked cached.
    if (!storeHasHeat(connection.store(), heatId))
        connection.store()->storeHeatEvents({{{"id", heatId},
                                              {"eventID", 15},
                                              {"eventName", "Shot Put"},
                                              {"roundID", 27},
                                              {"windMode", ""},
                                              {"seqno", 1},
                                              {"numberOfAttempts", 6}}});
    connection.loadHeat(heat, &listener);
    while (!listener.received)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

    if (mode == QLatin1String("drain")) {
        // Registering a listener starts the retransmission of what is left.
        HeatListener schedule;
        connection.registerListener(&schedule);
        while (connection.pendingActionCount() > 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        std::printf("drained\n");
        std::fflush(stdout);
        return 0;
    }

    HeatListener schedule;
    connection.registerListener(&schedule);
    for (unsigned attempt = 1; attempt <= attempts; ++attempt) {
        for (Participation *p : std::as_const(listener.participations)) {
            if (p->resultOfAttempt(attempt))
                continue;
            const double value = 10.0 + (p->participation_id % 100) / 10.0 + attempt / 100.0;
            connection.setFieldResult(p, attempt, value, 0, 0);
            std::printf("entered %u %u\n", p->participation_id, attempt);
            std::fflush(stdout);
            // Let replies and ticks run between entries, as between attempts.
            QElapsedTimer pause;
            pause.start();
            while (pause.elapsed() < 15)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
    }
    std::printf("done\n");
    std::fflush(stdout);
    return 0;
}
