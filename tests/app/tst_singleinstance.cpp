#include <QProcess>
#include <QtTest>

#include <csignal>

#include "app/singleinstanceguard.h"
#include "support/testsupport.h"

// Runs the real program as separate processes, as a user would start it twice.
class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        TestSupport::failOnUnexpectedWarnings();
        cleanup();
    }
    void cleanup();

    void secondStart_refusedWithMessageAndCodeZero();
    void afterFirstCloses_nextStartIsPrimary();
    void afterFirstIsKilled_staleClaimTakenOver();
    void guard_sameKeySecondIsSecondaryWithNumber();
    void guard_noClaimPossible_runsRatherThanRefused();

private:
    QProcess *startProgram(bool unattended = true);
    bool waitUntilPrimary(QProcess *process);
    QList<QProcess *> m_processes;
};

QProcess *TestSingleInstance::startProgram(bool unattended)
{
    auto *process = new QProcess(this);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (unattended)
        env.insert(QStringLiteral("STADIONIX_UNATTENDED"), QStringLiteral("1"));
    process->setProcessEnvironment(env);
    process->setProgram(TestSupport::programPath());
    process->start();
    m_processes.append(process);
    return process;
}

// The primary has claimed the instance once a lock file names its process.
bool TestSingleInstance::waitUntilPrimary(QProcess *process)
{
    if (!process->waitForStarted(5000))
        return false;
    const QByteArray pid = QByteArray::number(process->processId());
    const QDir temp(QDir::tempPath());
    const bool claimed = QTest::qWaitFor(
        [&] {
            for (const QString &name : temp.entryList({QStringLiteral("*.lock")}, QDir::Files | QDir::Hidden)) {
                QFile lock(temp.filePath(name));
                if (lock.open(QIODevice::ReadOnly) && lock.readLine().trimmed() == pid)
                    return true;
            }
            return process->state() != QProcess::Running;
        },
        10000);
    return claimed && process->state() == QProcess::Running;
}

void TestSingleInstance::cleanup()
{
    for (QProcess *process : std::as_const(m_processes)) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(3000);
        }
    }
    qDeleteAll(m_processes);
    m_processes.clear();
    // A killed primary leaves its lock behind; the next start copes, but the
    // next test should start clean.
    QDir temp(QDir::tempPath());
    for (const QString &name : temp.entryList({QStringLiteral("*.lock"), QStringLiteral("*.instances")}))
        temp.remove(name);
}

void TestSingleInstance::secondStart_refusedWithMessageAndCodeZero()
{
    QProcess *first = startProgram();
    QVERIFY(waitUntilPrimary(first));

    QProcess *second = startProgram();
    QVERIFY(second->waitForFinished(15000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QVERIFY(second->readAllStandardError().contains(
        "Already an instance of Stadionix is running, this one will be closed"));

    // The first goes on undisturbed, still holding the claim.
    QVERIFY(waitUntilPrimary(first));
}

void TestSingleInstance::afterFirstCloses_nextStartIsPrimary()
{
    QProcess *first = startProgram();
    QVERIFY(waitUntilPrimary(first));
    first->terminate();
    QVERIFY(first->waitForFinished(10000));
    QCOMPARE(first->exitStatus(), QProcess::NormalExit);
    QCOMPARE(first->exitCode(), 0);

    QProcess *next = startProgram();
    QVERIFY2(waitUntilPrimary(next), next->readAllStandardError().constData());
}

void TestSingleInstance::afterFirstIsKilled_staleClaimTakenOver()
{
    QProcess *first = startProgram();
    QVERIFY(waitUntilPrimary(first));
    ::kill(static_cast<pid_t>(first->processId()), SIGKILL);
    QVERIFY(first->waitForFinished(5000));

    QProcess *next = startProgram();
    QVERIFY(waitUntilPrimary(next));
    QVERIFY(!next->readAllStandardError().contains("Already an instance"));
}

void TestSingleInstance::guard_sameKeySecondIsSecondaryWithNumber()
{
    const QString key = SingleInstanceGuard::claimKey() + QStringLiteral("-guardtest");
    SingleInstanceGuard primary(key);
    QVERIFY(primary.isPrimary());
    QCOMPARE(primary.instanceNumber(), 0u);
    {
        SingleInstanceGuard second(key);
        QVERIFY(!second.isPrimary());
        QCOMPARE(second.instanceNumber(), 1u);
        SingleInstanceGuard third(key);
        QCOMPARE(third.instanceNumber(), 2u);
    }
    primary.release();
    SingleInstanceGuard again(key);
    QVERIFY(again.isPrimary());
}

void TestSingleInstance::guard_noClaimPossible_runsRatherThanRefused()
{
    // A temporary folder that cannot hold the claim: nothing shows that
    // another instance runs, so this one is not told that one does.
    QTemporaryFile notAFolder;
    QVERIFY(notAFolder.open());
    const QByteArray saved = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(notAFolder.fileName()));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("claim not possible")));
    SingleInstanceGuard guard(SingleInstanceGuard::claimKey() + QStringLiteral("-noclaim"));
    qputenv("TMPDIR", saved);
    QVERIFY(guard.isPrimary());
}

STADIONIX_TEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
