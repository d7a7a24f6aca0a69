// Evidence that the connection neither loses nor doubles a result, and never
// piles up requests, when the program is killed at random moments and the
// server goes away for a while.
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <csignal>

#include "connectionfixture.h"
#include "support/testsupport.h"

namespace {

// This test's own loopback address (docs/testing.md).
const QString Host = QStringLiteral("127.0.20.7");

} // namespace

class TestReliability : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void killedAndRestarted_serverHoldsExactlyTheStoredResults();
    void outage_data();
    void outage();

private:
    QProcess *startDriver(const QString &folder, const QStringList &arguments);
};

QProcess *TestReliability::startDriver(const QString &folder, const QStringList &arguments)
{
    auto *process = new QProcess(this);
    process->setProgram(TestSupport::buildDir() + QStringLiteral("/tools/connection-driver"));
    process->setArguments(QStringList{folder, folder + QStringLiteral("/stadionix.db")} + arguments);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start();
    process->waitForStarted(5000);
    return process;
}

void TestReliability::killedAndRestarted_serverHoldsExactlyTheStoredResults()
{
    ConnectionFixture f(Host);
    QVERIFY(f.started);
    QTemporaryDir folder;
    {
        QFile sync(folder.filePath(QStringLiteral("sync")));
        QVERIFY(sync.open(QIODevice::WriteOnly));
        sync.write("[general]\ntype=meetwise\nip=" + Host.toLatin1() +
                   "\nuser=official\npass=lap&time=42\ncompetition=1\n");
    }
    const unsigned heat = 109;
    const QString attempts = QStringLiteral("30"); // 12 athletes x 30 = 360 results
    QRandomGenerator random(20261207);
    QSet<QString> reported;
    int kills = 0;
    bool done = false;

    for (int run = 0; run < 12 && !done; ++run) {
        // The server is away for part of the run.
        QVERIFY(f.server.setDown(run == 4 || run == 5 || run == 8));
        QProcess *driver = startDriver(folder.path(), {QStringLiteral("enter"), QString::number(heat), attempts});
        QElapsedTimer clock;
        clock.start();
        const int lifetime = 300 + int(random.bounded(1200));
        while (clock.elapsed() < lifetime && driver->state() == QProcess::Running) {
            driver->waitForReadyRead(20);
            QCoreApplication::processEvents();
        }
        if (driver->state() == QProcess::Running) {
            ::kill(pid_t(driver->processId()), SIGKILL);
            ++kills;
        }
        driver->waitForFinished(5000);
        for (const QByteArray &line : driver->readAllStandardOutput().split('\n')) {
            if (line.startsWith("entered "))
                reported.insert(QString::fromLatin1(line.mid(8)));
            if (line == "done")
                done = true;
        }
        delete driver;
    }
    QVERIFY(f.server.setDown(false));
    // Finish the entries, then let the queue drain.
    for (const QString &mode : {QStringLiteral("enter"), QStringLiteral("drain")}) {
        QProcess *driver = startDriver(folder.path(), {mode, QString::number(heat), attempts});
        QVERIFY(QTest::qWaitFor([driver] { return driver->state() == QProcess::NotRunning; }, 60000));
        QCOMPARE(driver->exitCode(), 0);
        for (const QByteArray &line : driver->readAllStandardOutput().split('\n')) {
            if (line.startsWith("entered "))
                reported.insert(QString::fromLatin1(line.mid(8)));
        }
        delete driver;
    }

    // The store is the truth of what was entered.
    LocalDatabase store(folder.filePath(QStringLiteral("stadionix.db")), nullptr);
    QCOMPARE(store.pendingActionCount(), 0u);
    QMap<QString, double> local;
    for (Participation *p : store.loadParticipations(heat)) {
        for (const Result *r : p->results())
            local.insert(QStringLiteral("%1 %2").arg(p->participation_id).arg(r->seqno), r->value);
        delete p;
    }
    QMap<QString, int> onServer;
    int lost = 0;
    int duplicated = 0;
    int wrong = 0;
    for (unsigned id : f.server.competition().heatParticipations(heat)) {
        for (const auto &r : f.serverResults(id)) {
            const QString key = QStringLiteral("%1 %2").arg(id).arg(r.seqno);
            if (++onServer[key] > 1) {
                ++duplicated;
                if (duplicated < 4)
                    for (const auto &x : f.serverResults(id))
                        if (x.seqno == r.seqno)
                            qInfo() << "duplicate" << key << x.id << x.unique << x.value << x.timeperformed;
            }
            if (!local.contains(key) || !qFuzzyCompare(local.value(key), r.value))
                ++wrong;
        }
    }
    for (const QString &key : local.keys()) {
        if (!onServer.contains(key))
            ++lost;
    }
    int reportedMissing = 0;
    for (const QString &key : std::as_const(reported)) {
        if (!local.contains(key))
            ++reportedMissing;
    }
    qInfo().noquote() << QStringLiteral("kill test: results entered %1 (reported %2), kills %3, lost %4, "
                                        "duplicated %5, not matching %6, pending at the end %7")
                             .arg(local.size())
                             .arg(reported.size())
                             .arg(kills)
                             .arg(lost)
                             .arg(duplicated)
                             .arg(wrong)
                             .arg(store.pendingActionCount());
    QCOMPARE(local.size(), 360);
    QVERIFY(kills >= 3);
    QCOMPARE(reportedMissing, 0);
    QCOMPARE(lost, 0);
    QCOMPARE(duplicated, 0);
    QCOMPARE(wrong, 0);
}

void TestReliability::outage_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("server refuses connections") << "refused";
    QTest::newRow("server takes connections but never answers") << "silent";
    QTest::newRow("server answers a byte every half second") << "trickle";
    QTest::newRow("server answers without ids") << "no ids";
}

void TestReliability::outage()
{
    QFETCH(QString, mode);
    ConnectionFixture f(QStringLiteral("127.0.12.4"));
    QVERIFY(f.started);
    // The real rhythm: 2500 ms ticks, requests timing out after 2000 ms.
    const int tick = DatabaseConnection::RetransmitInterval;
    f.connection->setRetransmitInterval(tick);
    const QList<Participation *> heat = f.openHeat(109, "H", 15, 27);
    StandinServer::Faults faults;
    if (mode == QLatin1String("silent")) {
        f.server.setDelay(600000);
    } else if (mode == QLatin1String("refused")) {
        QVERIFY(f.server.setDown(true));
    } else if (mode == QLatin1String("trickle")) {
        faults.trickleMs = 500;
    } else {
        faults.path = QStringLiteral("/new_result");
        faults.rewrite = {{QStringLiteral("id"), QJsonValue::Null}};
    }
    f.server.setFaults(faults);
    for (unsigned attempt = 1; attempt <= 25; ++attempt) {
        for (Participation *p : heat)
            f.connection->setFieldResult(p, attempt, 10 + attempt / 100.0, 0, 0);
    }
    const unsigned pending = f.connection->pendingActionCount();
    QCOMPARE(pending, 300u);

    // Four ticks of outage.
    int mostInFlight = 0;
    qint64 memoryAfterTwoTicks = 0;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 4 * tick) {
        QTest::qWait(50);
        mostInFlight = std::max(mostInFlight, f.connection->requestsInFlight());
        if (memoryAfterTwoTicks == 0 && clock.elapsed() > 2 * tick)
            memoryAfterTwoTicks = TestSupport::residentKiB();
    }
    const qint64 memoryGrowth = TestSupport::residentKiB() - memoryAfterTwoTicks;
    QCOMPARE(f.connection->pendingActionCount(), pending);

    // The server is sound again; count the ticks the queue needs to drain.
    f.server.setDelay(0);
    f.server.setFaults({});
    QVERIFY(f.server.setDown(false));
    clock.restart();
    QVERIFY(QTest::qWaitFor([&] { return f.connection->pendingActionCount() == 0; }, 6 * tick));
    const double ticks = clock.elapsed() / double(tick);
    qInfo().noquote() << QStringLiteral("outage (%1): pending %2, most requests in flight %3, memory growth over the "
                                        "last two ticks %4 KiB, drained in %5 ticks")
                             .arg(mode)
                             .arg(pending)
                             .arg(mostInFlight)
                             .arg(memoryGrowth)
                             .arg(ticks, 0, 'f', 1);
    QVERIFY(mostInFlight <= int(pending));
    if (!TestSupport::AddressSanitizer)
        QVERIFY2(memoryGrowth < 8 * 1024, qPrintable(QString::number(memoryGrowth)));
    QVERIFY(ticks <= 4);
    // Every result once, with its mark: none lost, none twice.
    int lost = 0;
    int duplicated = 0;
    for (const Participation *p : heat) {
        const QList<StandinCompetition::StoredResult> onServer = f.serverResults(p->participation_id);
        for (unsigned attempt = 1; attempt <= 25; ++attempt) {
            const auto copies = std::count_if(onServer.cbegin(), onServer.cend(), [attempt](const auto &result) {
                return result.seqno == attempt && qFuzzyCompare(result.value, 10 + attempt / 100.0);
            });
            lost += copies == 0 ? 1 : 0;
            duplicated += copies > 1 ? int(copies) - 1 : 0;
        }
    }
    qInfo().noquote() << QStringLiteral("outage (%1): lost %2, duplicated %3").arg(mode).arg(lost).arg(duplicated);
    QCOMPARE(lost, 0);
    QCOMPARE(duplicated, 0);
}

STADIONIX_TEST_MAIN(TestReliability)
#include "tst_reliability.moc"
