// Keeps storing new results into the store file given as argument and prints
// the number of committed results after each one, until it is killed.
#include <QCoreApplication>

#include <cstdio>

#include "records/participation.h"
#include "store/localdatabase.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    LocalDatabase store(QString::fromLocal8Bit(argv[1]), nullptr);
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
        std::printf("%u\n", n);
        std::fflush(stdout);
    }
}
