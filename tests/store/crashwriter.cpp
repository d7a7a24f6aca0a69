// Writes to the store file given as argument until it is killed, printing the
// number of finished writes after each one. Without a second argument each
// write is a new result on its own; with "changes", each is a judge's change
// through the server connection on a heat of 12 long jumpers (a new mark, a
// correction or a removal, with its pending action, best flags and ranks).
#include <QCoreApplication>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cstdio>

#include "records/participation.h"
#include "records/resultmarks.h"
#include "store/localdatabase.h"
#include "support/heldheat.h"
#include "sync/databaseconnection.h"

namespace {

void report(unsigned n)
{
    std::printf("%u\n", n);
    std::fflush(stdout);
}

int writeResults(const QString &path)
{
    LocalDatabase store(path, nullptr);
    if (!store.isUsable())
        return 3;
    Participation participation(&store);
    participation.participation_id = 42;
    participation.field_type = QLatin1Char('H');
    for (unsigned n = 1;; ++n) {
        auto *result = new Result(&store, &participation, &participation);
        result->isNew = true;
        result->seqno = n;
        result->value = 5 + (n % 300) / 100.0;
        result->save();
        delete result;
        report(n);
    }
}

int makeChanges(const QString &path)
{
    DatabaseConnection connection(nullptr, QFileInfo(path).path(), path);
    if (!connection.store()->isUsable() ||
        !HeldHeat::open(connection, 12, QLatin1Char('H'), [](const QList<Participation *> &) {}))
        return 3;
    const QList<Participation *> heat = connection.participations();
    QRandomGenerator random(QRandomGenerator::global()->generate());
    for (unsigned n = 1;; ++n) {
        Participation *p = heat.at(int(random.bounded(heat.size())));
        const unsigned attempt = 1 + random.bounded(6u);
        // Mostly marks, some failures, now and then the attempt removed.
        const unsigned pick = random.bounded(10u);
        const double mark = pick == 0   ? ResultMarks::Removal
                            : pick == 1 ? ResultMarks::Failed
                                        : 5.0 + random.bounded(300) / 100.0;
        connection.setFieldResult(p, attempt, mark, 0, 0);
        if (!connection.lastChangeStored())
            return 4;
        report(n);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (argc > 2 && qstrcmp(argv[2], "changes") == 0)
        return makeChanges(path);
    return writeResults(path);
}
