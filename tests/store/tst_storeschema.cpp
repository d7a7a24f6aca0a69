// A store file knows the version of its tables: older files are brought up
// to date with their data, in one transaction; a newer file or another
// program's is refused and left exactly as it was.
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "records/participation.h"
#include "store/localdatabase.h"
#include "store/storeschema.h"
#include "support/storefaults.h"
#include "support/testsupport.h"

namespace {

QString storeData(const QString &name)
{
    return TestSupport::sourceDir() + QStringLiteral("/tests/store/data/") + name;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int pragma(const QString &path, const char *name)
{
    int value = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("pragma"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("PRAGMA %1").arg(QLatin1String(name))) && query.next())
                value = query.value(0).toInt();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("pragma"));
    return value;
}

// Runs statements on a file through a connection of its own.
bool run(const QString &path, const QStringList &statements)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("writer"));
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery query(db);
        for (const QString &statement : statements)
            ok = ok && query.exec(statement);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("writer"));
    return ok;
}

} // namespace

class TestStoreSchema : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void newFile_getsTheCurrentVersion();
    void keptFile_opensUpToDateWithEverythingInIt_data();
    void keptFile_opensUpToDateWithEverythingInIt();
    void refusedFile_reportedAndLeftAsItWas_data();
    void refusedFile_reportedAndLeftAsItWas();
    void steps_runInOrder_andAllOrNothing_data();
    void steps_runInOrder_andAllOrNothing();
};

void TestStoreSchema::newFile_getsTheCurrentVersion()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stadionix.db"));
    {
        LocalDatabase store(path, nullptr);
        QVERIFY(store.isUsable());
        QCOMPARE(store.fileVersion(), 0);
    }
    QCOMPARE(pragma(path, "user_version"), StoreSchema::CurrentVersion);
    QCOMPARE(pragma(path, "application_id"), StoreSchema::ApplicationId);
    LocalDatabase again(path, nullptr);
    QVERIFY(again.isUsable());
    QCOMPARE(again.fileVersion(), StoreSchema::CurrentVersion);
}

void TestStoreSchema::keptFile_opensUpToDateWithEverythingInIt_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("version");
    QTest::newRow("written before the version was recorded") << "stadionix-unversioned.db" << 0;
    QTest::newRow("version 1") << "stadionix-v1.db" << 1;
}

void TestStoreSchema::keptFile_opensUpToDateWithEverythingInIt()
{
    QFETCH(QString, file);
    QFETCH(int, version);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stadionix.db"));
    QVERIFY(QFile::copy(storeData(file), path));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    QCOMPARE(pragma(path, "user_version"), version);

    for (int open = 0; open < 2; ++open) {
        LocalDatabase store(path, nullptr);
        QVERIFY2(store.isUsable(), qPrintable(store.errorText()));
        QCOMPARE(store.fileVersion(), open == 0 ? version : StoreSchema::CurrentVersion);

        // What the file holds: a schedule of two heats, the long jump held
        // with three athletes and their first attempts (confirmed), one second
        // attempt the server has not confirmed, an EDM reading, and the
        // scoreboard's character transformations once.
        const QList<QVariantMap> cached = store.loadCachedHeatEvents();
        QCOMPARE(cached.size(), 1);
        QCOMPARE(cached.first().value("id").toUInt(), 31u);
        QCOMPARE(cached.first().value("eventName").toString(), QStringLiteral("Long Jump Women"));
        QObject owner;
        const QList<Participation *> heat = store.loadParticipations(31, &owner);
        QCOMPARE(heat.size(), 3);
        QCOMPARE(heat.first()->lastName(), QString::fromUtf8("Øvergård"));
        QCOMPARE(heat.first()->results().size(), 2);
        QCOMPARE(heat.at(2)->results().first()->value, 5.92);
        const QList<PendingAction> pending = store.pendingActions();
        QCOMPARE(pending.size(), 1);
        QCOMPARE(pending.first().table_name, QStringLiteral("results"));
        QCOMPARE(store.resultRow(pending.first().local_id).value("value").toDouble(), 6.40);
        QSqlQuery readings(store.database());
        QVERIFY(readings.exec(QStringLiteral("SELECT distance FROM edmmeasurements")));
        QVERIFY(readings.next());
        QCOMPARE(readings.value(0).toDouble(), 12.345);
        QVERIFY(!readings.next());
        QCOMPARE(store.characterTransformations().size(), 132);
    }
    QCOMPARE(pragma(path, "user_version"), StoreSchema::CurrentVersion);
    QCOMPARE(pragma(path, "application_id"), StoreSchema::ApplicationId);
}

void TestStoreSchema::refusedFile_reportedAndLeftAsItWas_data()
{
    QTest::addColumn<QStringList>("make");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<int>("problem");
    QTest::addColumn<QString>("message");
    const QString newer = QStringLiteral("PRAGMA user_version = %1").arg(StoreSchema::CurrentVersion + 1);
    QTest::newRow("made by a newer version")
        << QStringList{QStringLiteral("CREATE TABLE results (id INTEGER PRIMARY KEY, value REAL, lane INTEGER)"),
                       QStringLiteral("PRAGMA application_id = %1").arg(StoreSchema::ApplicationId), newer}
        << false << int(LocalDatabase::Problem::NewerVersion)
        << QStringLiteral("The local database was made by a newer version of Stadionix and is left as it is: "
                          "version %1, this program knows up to %2")
               .arg(StoreSchema::CurrentVersion + 1)
               .arg(StoreSchema::CurrentVersion);
    QTest::newRow("another program's tables")
        << QStringList{QStringLiteral("CREATE TABLE results (id INTEGER PRIMARY KEY)"),
                       QStringLiteral("CREATE TABLE invoices (id INTEGER PRIMARY KEY, total REAL)"),
                       QStringLiteral("INSERT INTO invoices (total) VALUES (12.5)")}
        << false << int(LocalDatabase::Problem::Foreign)
        << QStringLiteral("The file is not a Stadionix database and is left as it is: tables invoices");
    QTest::newRow("another program's mark, Stadionix tables")
        << QStringList{QStringLiteral("CREATE TABLE results (id INTEGER PRIMARY KEY)"),
                       QStringLiteral("PRAGMA application_id = 1196444237"), QStringLiteral("PRAGMA user_version = 1")}
        << false << int(LocalDatabase::Problem::Foreign)
        << QStringLiteral("The file is not a Stadionix database and is left as it is: application id 1196444237");
    QTest::newRow("a version without the Stadionix mark")
        << QStringList{QStringLiteral("CREATE TABLE results (id INTEGER PRIMARY KEY)"),
                       QStringLiteral("PRAGMA user_version = 7")}
        << false << int(LocalDatabase::Problem::Foreign)
        << QStringLiteral("The file is not a Stadionix database and is left as it is: version 7 without the "
                          "Stadionix mark");
    QTest::newRow("older file that cannot be written")
        << QStringList{QStringLiteral("PRAGMA journal_mode = WAL"),
                       QStringLiteral("CREATE TABLE results (id INTEGER PRIMARY KEY, value REAL)")}
        << true << int(LocalDatabase::Problem::NotWritable)
        << QStringLiteral("Cannot bring the tables of the local database up to date:");
}

void TestStoreSchema::refusedFile_reportedAndLeftAsItWas()
{
    QFETCH(QStringList, make);
    QFETCH(bool, readOnly);
    QFETCH(int, problem);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stadionix.db"));
    QVERIFY(run(path, make));
    const QByteArray before = contents(path);
    QVERIFY(!before.isEmpty());

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^") + QRegularExpression::escape(message)));
    {
        LocalDatabase store(readOnly ? StoreFaults::readOnly(path) : path, nullptr);
        QVERIFY(!store.isUsable());
        QCOMPARE(int(store.problem()), problem);
        QVERIFY2(store.errorText().startsWith(message), qPrintable(store.errorText()));
        // Nothing goes into it either.
        Result result;
        result.seqno = 1;
        result.value = 7.12;
        QCOMPARE(store.storeResult(501, &result), 0u);
        QCOMPARE(store.startNewBesideDamaged(), QString());
    }
    QVERIFY(contents(path) == before);
    QVERIFY(contents(path + QStringLiteral("-wal")).isEmpty());
}

void TestStoreSchema::steps_runInOrder_andAllOrNothing_data()
{
    QTest::addColumn<QString>("thirdStep");
    QTest::addColumn<bool>("upgraded");
    QTest::newRow("every step sound") << "INSERT INTO lanes (lane) SELECT lane FROM heats" << true;
    QTest::newRow("the last step fails") << "INSERT INTO nowhere VALUES (1)" << false;
}

void TestStoreSchema::steps_runInOrder_andAllOrNothing()
{
    QFETCH(QString, thirdStep);
    QFETCH(bool, upgraded);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("store.db"));
    QVERIFY(run(path, {QStringLiteral("CREATE TABLE heats (id INTEGER PRIMARY KEY)"),
                       QStringLiteral("INSERT INTO heats (id) VALUES (31)"),
                       QStringLiteral("PRAGMA application_id = %1").arg(StoreSchema::ApplicationId),
                       QStringLiteral("PRAGMA user_version = 1")}));
    // Each step builds on the one before: run out of order, they fail.
    const QList<StoreSchema::Step> steps{
        {1, {QStringLiteral("DROP TABLE heats")}}, // below the file's version: not run
        {2, {QStringLiteral("ALTER TABLE heats ADD COLUMN lane INTEGER DEFAULT 4")}},
        {3, {QStringLiteral("CREATE TABLE lanes (lane INTEGER)"), thirdStep}},
        {4, {QStringLiteral("DROP TABLE heats")}}, // above the target: not run
    };
    QSqlError error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("upgrade"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QCOMPARE(StoreSchema::upgrade(db, 1, 3, steps, {QStringLiteral("CREATE TABLE IF NOT EXISTS notes (t TEXT)")},
                                      &error),
                 upgraded);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("upgrade"));
    QCOMPARE(pragma(path, "user_version"), upgraded ? 3 : 1);
    QCOMPARE(pragma(path, "application_id"), StoreSchema::ApplicationId);
    if (!upgraded) {
        QVERIFY2(error.text().contains(QLatin1String("the step to version 3 failed")), qPrintable(error.text()));
        QVERIFY2(error.text().contains(QLatin1String("nowhere")), qPrintable(error.text()));
    }
    // All of it, or the file as it was.
    QCOMPARE(run(path, {QStringLiteral("SELECT lane FROM heats")}), upgraded);
    QCOMPARE(run(path, {QStringLiteral("SELECT lane FROM lanes")}), upgraded);
    QCOMPARE(run(path, {QStringLiteral("SELECT t FROM notes")}), upgraded);
    QVERIFY(run(path, {QStringLiteral("SELECT id FROM heats WHERE id = 31")}));
}

STADIONIX_TEST_MAIN(TestStoreSchema)
#include "tst_storeschema.moc"
