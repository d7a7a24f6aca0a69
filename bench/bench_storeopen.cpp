// Opening the store at start, with its check that the file is intact and
// can be written, for stores from empty to a heat of 500 with a week of
// distance meter readings; and the intact check on its own.
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "devices/edmmeasurement.h"
#include "devices/edmstore.h"
#include "records/participation.h"
#include "store/localdatabase.h"

class BenchStoreOpen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void open_data() { sizes(); }
    void open();
    void intactCheck_data() { sizes(); }
    void intactCheck();

private:
    void sizes();
    // A store file with a heat of that many participations (six results
    // each) and that many distance meter readings.
    QString makeStore(const QTemporaryDir &dir);
};

void BenchStoreOpen::sizes()
{
    QTest::addColumn<int>("participations");
    QTest::addColumn<int>("readings");
    QTest::newRow("empty") << 0 << 0;
    QTest::newRow("heat of 40, 2000 readings") << 40 << 2000;
    QTest::newRow("heat of 500, 20000 readings") << 500 << 20000;
}

QString BenchStoreOpen::makeStore(const QTemporaryDir &dir)
{
    QFETCH(int, participations);
    QFETCH(int, readings);
    const QString path = dir.filePath(QStringLiteral("bench.db"));
    LocalDatabase store(path, nullptr);
    QList<Participation *> heat;
    for (int i = 0; i < participations; ++i) {
        auto *p = new Participation(&store);
        p->participation_id = unsigned(i + 1);
        p->heat_id = 1;
        p->field_type = QLatin1Char('H');
        p->initial_order = p->working_order = unsigned(i + 1);
        p->addParticipant(new Participant);
        heat.append(p);
    }
    store.replaceCachedHeat(heat);
    store.beginTransaction();
    for (Participation *p : std::as_const(heat)) {
        for (unsigned attempt = 1; attempt <= 6; ++attempt)
            p->setFieldResult(attempt, 6 + attempt / 10.0, 0, 0);
    }
    EDMStore edmStore(&store);
    for (int i = 0; i < readings; ++i) {
        EDMMeasurement reading(&edmStore);
        reading.distance = 20 + i / 1000.0;
        reading.save();
    }
    store.endTransaction();
    qDeleteAll(heat);
    return path;
}

void BenchStoreOpen::open()
{
    QTemporaryDir dir;
    const QString path = makeStore(dir);
    QBENCHMARK
    {
        LocalDatabase store(path, nullptr);
        QVERIFY(store.isUsable());
    }
}

void BenchStoreOpen::intactCheck()
{
    QTemporaryDir dir;
    const QString path = makeStore(dir);
    LocalDatabase store(path, nullptr);
    QSqlQuery query(store.database());
    QBENCHMARK
    {
        QVERIFY(query.exec(QStringLiteral("PRAGMA quick_check")));
        QVERIFY(query.next());
        query.finish();
    }
}

QTEST_GUILESS_MAIN(BenchStoreOpen)
#include "bench_storeopen.moc"
