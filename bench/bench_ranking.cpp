// Ranking a heat after one judge's change, for heats of 12, 40 and 500
// participations with six attempts each: the computation alone, and the
// whole change through the server connection on a real store file (result,
// pending action, best flags, ranks and orders), with the number of commits
// each change costs.
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "fieldevents/fieldeventranking.h"
#include "records/participation.h"
#include "records/resultmarks.h"
#include "store/localdatabase.h"
#include "support/commitcounter.h"
#include "support/heldheat.h"
#include "sync/databaseconnection.h"

namespace {

// Six marks (one in ten a failure), or six heights with one to three tries.
void fillHeat(const QList<Participation *> &heat, QChar fieldType)
{
    QRandomGenerator random(4711);
    for (Participation *p : heat) {
        if (fieldType == QLatin1Char('H')) {
            for (unsigned attempt = 1; attempt <= 6; ++attempt) {
                const double mark = random.bounded(10) == 0 ? ResultMarks::Failed : 6.0 + random.bounded(200) / 100.0;
                p->setFieldResult(attempt, mark, 0, 0);
            }
        } else {
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
}

QList<Participation *> makeHeat(int size, QChar fieldType)
{
    QList<Participation *> heat;
    for (int i = 0; i < size; ++i) {
        auto *p = new Participation;
        p->participation_id = unsigned(i + 1);
        p->field_type = fieldType;
        p->initial_order = p->working_order = unsigned(i + 1);
        heat.append(p);
    }
    return heat;
}

} // namespace

class BenchRanking : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // Quiet: the debug lines of thousands of changes would hide the figures.
        QLoggingCategory::setFilterRules(QStringLiteral("stadionix.*.debug=false"));
    }
    void horizontal_data() { sizes(); }
    void horizontal() { computation(QLatin1Char('H')); }
    void vertical_data() { sizes(); }
    void vertical() { computation(QLatin1Char('V')); }
    // A correction of attempt 6 (horizontal) or of the tries at 1.95 m
    // (vertical), as before, now through the connection.
    void horizontalWithStore_data() { sizes(); }
    void horizontalWithStore() { change(QStringLiteral("correction")); }
    void verticalWithStore_data() { sizes(); }
    void verticalWithStore() { change(QStringLiteral("height")); }
    // Every kind of change a judge makes.
    void changesWithStore_data();
    void changesWithStore();
    void cleanupTestCase();

private:
    void sizes();
    void computation(QChar fieldType);
    void change(const QString &kind);

    // Commits per change of the last run of each row.
    QMap<QString, double> m_commitsPerChange;
};

void BenchRanking::sizes()
{
    QTest::addColumn<int>("participations");
    QTest::newRow("12") << 12;
    QTest::newRow("40") << 40;
    QTest::newRow("500") << 500;
}

void BenchRanking::computation(QChar fieldType)
{
    QFETCH(int, participations);
    const QList<Participation *> heat = makeHeat(participations, fieldType);
    fillHeat(heat, fieldType);
    FieldEventRanking::rankHeat(heat, fieldType);
    int round = 0;
    QBENCHMARK
    {
        Participation *p = heat.at(round % heat.size());
        if (fieldType == QLatin1Char('H')) {
            p->setFieldResult(6, 6.0 + (round % 200) / 100.0, 0, 0);
        } else {
            for (const ResultChange &change :
                 p->applyAttemptString(1.95, round % 2 ? QStringLiteral("X0") : QStringLiteral("0"), 0)) {
                if (change.result->deleted)
                    delete change.result;
            }
        }
        FieldEventRanking::rankHeat(heat, fieldType);
        ++round;
    }
    qDeleteAll(heat);
}

void BenchRanking::changesWithStore_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("participations");
    for (const QString kind : {"mark", "correction", "retirement", "lane move", "resort", "height", "jump-off mark"}) {
        for (const int size : {12, 40, 500})
            QTest::newRow(qPrintable(QStringLiteral("%1:%2").arg(kind).arg(size))) << kind << size;
    }
}

void BenchRanking::changesWithStore()
{
    QFETCH(QString, kind);
    change(kind);
}

// kind: "mark" (a new mark in attempt 6, then its removal, in turn),
// "correction" (attempt 6 changed), "retirement" (retired and back, as the
// screen does it), "lane move", "resort" (the final-round order for the
// best 8), "height" (the tries at 1.95 m: "0" and "X0" in turn) or
// "jump-off mark" (a clearance or a failure in the first jump-off attempt).
void BenchRanking::change(const QString &kind)
{
    QFETCH(int, participations);
    const QChar fieldType =
        kind == QLatin1String("height") || kind == QLatin1String("jump-off mark") ? QLatin1Char('V') : QLatin1Char('H');
    QTemporaryDir dir;
    DatabaseConnection connection(nullptr, dir.path(), dir.filePath(QStringLiteral("bench.db")));
    QVERIFY(HeldHeat::open(connection, participations, fieldType, [&](const QList<Participation *> &heat) {
        fillHeat(heat, fieldType);
        for (Participation *p : heat) {
            if (kind == QLatin1String("mark"))
                delete p->setFieldResult(6, ResultMarks::Removal, 0, 0).value(0).result;
            // Everyone is in the jump-off at 2.00 m.
            if (kind == QLatin1String("jump-off mark"))
                p->in_jumpoff = true;
        }
    }));
    const QList<Participation *> heat = connection.participations();

    CommitCounter counter(connection.store()->database());
    QVERIFY(counter.isHooked());
    int round = 0;
    QBENCHMARK
    {
        Participation *p = heat.at(round % heat.size());
        if (kind == QLatin1String("mark")) {
            const bool entered = p->resultOfAttempt(6);
            connection.setFieldResult(p, 6, entered ? ResultMarks::Removal : 6.0 + (round % 200) / 100.0, 0, 0);
        } else if (kind == QLatin1String("correction")) {
            connection.setFieldResult(p, 6, 6.0 + (round % 200) / 100.0, 0, 0);
        } else if (kind == QLatin1String("retirement")) {
            p->abandon = !p->abandon;
            p->save();
            connection.setParticipationStatus(p);
        } else if (kind == QLatin1String("lane move")) {
            connection.setParticipationOrder(p, unsigned(round % heat.size() + 1));
        } else if (kind == QLatin1String("resort")) {
            connection.resortParticipations(8);
        } else if (kind == QLatin1String("height")) {
            // Removed results are the connection's to dispose of.
            connection.applyAttemptString(p, 1.95, round % 2 ? QStringLiteral("X0") : QStringLiteral("0"), 0);
        } else {
            connection.applyAttemptString(p, 2.00, round % 3 ? QStringLiteral("X") : QStringLiteral("0"), 1);
        }
        ++round;
    }
    QVERIFY(connection.lastChangeStored());
    m_commitsPerChange.insert(QStringLiteral("%1(%2)").arg(QString::fromLatin1(QTest::currentTestFunction()),
                                                           QString::fromLatin1(QTest::currentDataTag())),
                              double(counter.commits()) / round);
}

void BenchRanking::cleanupTestCase()
{
    for (auto it = m_commitsPerChange.cbegin(); it != m_commitsPerChange.cend(); ++it)
        qInfo("RESULT : %s commits per change: %.2f", qPrintable(it.key()), it.value());
}

QTEST_GUILESS_MAIN(BenchRanking)
#include "bench_ranking.moc"
