// Ranking a heat after one changed result, for heats of 12, 40 and 500
// participations with six attempts each: the computation alone, and with the
// writes to a real store file (result, pending action, best flags, ranks).
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "fieldevents/fieldeventranking.h"
#include "records/participation.h"
#include "records/resultmarks.h"
#include "store/localdatabase.h"

class BenchRanking : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void horizontal_data() { sizes(); }
    void horizontal() { run(QLatin1Char('H'), false); }
    void horizontalWithStore_data() { sizes(); }
    void horizontalWithStore() { run(QLatin1Char('H'), true); }
    void vertical_data() { sizes(); }
    void vertical() { run(QLatin1Char('V'), false); }
    void verticalWithStore_data() { sizes(); }
    void verticalWithStore() { run(QLatin1Char('V'), true); }

private:
    void sizes();
    void run(QChar fieldType, bool withStore);
};

void BenchRanking::sizes()
{
    QTest::addColumn<int>("participations");
    QTest::newRow("12") << 12;
    QTest::newRow("40") << 40;
    QTest::newRow("500") << 500;
}

void BenchRanking::run(QChar fieldType, bool withStore)
{
    QFETCH(int, participations);
    QTemporaryDir dir;
    std::unique_ptr<LocalDatabase> store;
    if (withStore)
        store = std::make_unique<LocalDatabase>(dir.filePath(QStringLiteral("bench.db")), nullptr);
    QRandomGenerator random(4711);

    QList<Participation *> heat;
    for (int i = 0; i < participations; ++i) {
        auto *p = new Participation(store.get());
        p->participation_id = unsigned(i + 1);
        p->heat_id = 1;
        p->field_type = fieldType;
        p->initial_order = p->working_order = unsigned(i + 1);
        p->addParticipant(new Participant);
        heat.append(p);
    }
    if (store)
        store->replaceCachedHeat(heat);
    for (Participation *p : std::as_const(heat)) {
        if (fieldType == QLatin1Char('H')) {
            for (unsigned attempt = 1; attempt <= 6; ++attempt) {
                const double mark = random.bounded(10) == 0 ? ResultMarks::Failed : 6.0 + random.bounded(200) / 100.0;
                p->setFieldResult(attempt, mark, 0, 0);
            }
        } else {
            // Six heights, one to three tries each, as a high jump goes.
            for (int h = 0; h < 6; ++h) {
                const double height = 1.70 + 0.05 * h;
                const int fails = int(random.bounded(3));
                QString tries = QString(fails, QLatin1Char('X'));
                if (h < 5 || random.bounded(2) == 0)
                    tries += QLatin1Char('0');
                p->applyAttemptString(height, tries, 0);
            }
        }
    }
    FieldEventRanking::rankHeat(heat, fieldType);

    int round = 0;
    QBENCHMARK
    {
        // One judge's correction, then the heat is ranked again.
        Participation *p = heat.at(round % heat.size());
        if (fieldType == QLatin1Char('H')) {
            p->setFieldResult(6, 6.0 + (round % 200) / 100.0, 0, 0);
        } else {
            const QList<ResultChange> changes =
                p->applyAttemptString(1.95, round % 2 ? QStringLiteral("X0") : QStringLiteral("0"), 0);
            for (const ResultChange &change : changes) {
                if (change.result->deleted)
                    delete change.result;
            }
        }
        FieldEventRanking::rankHeat(heat, fieldType);
        ++round;
    }
    qDeleteAll(heat);
}

QTEST_GUILESS_MAIN(BenchRanking)
#include "bench_ranking.moc"
