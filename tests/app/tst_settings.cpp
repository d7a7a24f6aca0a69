#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <thread>
#include <QtTest>

#include "app/settings.h"
#include "support/testsupport.h"

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void neverWritten_givesCallersDefault();
    void programDefaults_data();
    void programDefaults();
    void written_readBackFromUsersIniFile();
    void sportGroup_isReadOnly();
    void sportGroup_followsChosenSportFile();

private:
    void writeSportFile(const QString &sport, const QString &key, const QVariant &value);
};

// Runs before anything else touches the settings: eight threads race for the
// first use and must all get the one object.
void TestSettings::initTestCase()
{
    Settings *seen[8] = {};
    std::vector<std::thread> threads;
    for (auto &slot : seen)
        threads.emplace_back([&slot] { slot = Settings::instance(); });
    for (std::thread &thread : threads)
        thread.join();
    for (Settings *settings : seen)
        QCOMPARE(settings, Settings::instance());
}

void TestSettings::init()
{
    TestSupport::failOnUnexpectedWarnings();
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings().clear();
    Settings::instance()->setValue(QStringLiteral("general"), QStringLiteral("sport"), QString());
}

void TestSettings::writeSportFile(const QString &sport, const QString &key, const QVariant &value)
{
    const QString path = Settings::sportFilePath(sport);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings file(path, QSettings::IniFormat);
    file.setValue(key, value);
    file.sync();
}

void TestSettings::neverWritten_givesCallersDefault()
{
    QCOMPARE(Settings::instance()->value("scoreboard", "clear_timeout", 12).toInt(), 12);
    QCOMPARE(Settings::instance()->value("nosuchgroup", "nosuchkey", "fallback").toString(),
             QStringLiteral("fallback"));
    QVERIFY(!Settings::instance()->value("nosuchgroup", "nosuchkey").isValid());
}

void TestSettings::programDefaults_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("language") << "general"
                              << "language" << QVariant("en");
    QTest::newRow("server kind none") << "communication"
                                      << "database" << QVariant(3);
    QTest::newRow("track filter shown") << "schedule"
                                        << "filter_track" << QVariant(2);
    QTest::newRow("field filter shown") << "schedule"
                                        << "filter_field" << QVariant(2);
    QTest::newRow("scoreboard port type") << "scoreboard"
                                          << "type" << QVariant(0);
    QTest::newRow("scoreboard clear after result") << "scoreboard"
                                                   << "clear_after_result" << QVariant(false);
    QTest::newRow("scoreboard clear timeout") << "scoreboard"
                                              << "clear_timeout" << QVariant(5);
    QTest::newRow("countdown value") << "countdown"
                                     << "value" << QVariant(60);
    QTest::newRow("countdown after call") << "countdown"
                                          << "start_countdown_after_call" << QVariant(false);
    QTest::newRow("wind gauge port") << "windspeed"
                                     << "port" << QVariant(QString());
    QTest::newRow("video scoreboard ip") << "videoscoreboard"
                                         << "ip" << QVariant(QString());
    QTest::newRow("result output type") << "thirdpartyresult"
                                        << "type" << QVariant(0);
    QTest::newRow("edm baud") << "edm"
                              << "baud" << QVariant(9600);
    QTest::newRow("edm data bits") << "edm"
                                   << "databits" << QVariant(8);
    QTest::newRow("edm parity") << "edm"
                                << "parity" << QVariant(0);
    QTest::newRow("edm stop bits") << "edm"
                                   << "stopbits" << QVariant(1);
    QTest::newRow("edm event type") << "edm"
                                    << "event_type" << QVariant(0);
    QTest::newRow("edm boards") << "edm"
                                << "number_boards" << QVariant(1);
    QTest::newRow("edm udp enabled") << "edm"
                                     << "udp_enabled" << QVariant(false);
    QTest::newRow("edm udp address") << "edm"
                                     << "udp_ip" << QVariant("127.0.0.1");
    QTest::newRow("edm udp port") << "edm"
                                  << "udp_port" << QVariant(55550);
}

void TestSettings::programDefaults()
{
    QFETCH(QString, group);
    QFETCH(QString, key);
    QFETCH(QVariant, expected);
    const QVariant value = Settings::instance()->value(group, key);
    QCOMPARE(value.toString(), expected.toString());
}

void TestSettings::written_readBackFromUsersIniFile()
{
    Settings::instance()->setValue("scoreboard", "layout", "Two lines");
    Settings::instance()->setValue("edm", "baud", 19200);
    QCOMPARE(Settings::instance()->value("scoreboard", "layout").toString(), QStringLiteral("Two lines"));
    QCOMPARE(Settings::instance()->value("edm", "baud", 9600).toInt(), 19200);

    // It went to the user's INI file at once, keyed by organisation and
    // application, inside the test-mode folder.
    QSettings file;
    QCOMPARE(file.format(), QSettings::IniFormat);
    QVERIFY(file.fileName().contains(QStringLiteral("Chronavel")));
    QVERIFY(file.fileName().contains(QStringLiteral("qttest")));
    QSettings reader(file.fileName(), QSettings::IniFormat);
    QCOMPARE(reader.value("scoreboard/layout").toString(), QStringLiteral("Two lines"));
}

void TestSettings::sportGroup_isReadOnly()
{
    Settings::instance()->setValue("sport", "attempts", 4);
    QCOMPARE(Settings::instance()->value("sport", "attempts", 6).toInt(), 6);
    QVERIFY(!QSettings().childGroups().contains(QStringLiteral("sport")));
}

void TestSettings::sportGroup_followsChosenSportFile()
{
    writeSportFile("athletics", "board_lines", 3);
    writeSportFile("athletics_indoor", "board_lines", 2);
    Settings *settings = Settings::instance();
    QCOMPARE(settings->value("sport", "board_lines", 9).toInt(), 9); // no sport chosen
    settings->setValue("general", "sport", "athletics");
    QCOMPARE(settings->value("sport", "board_lines", 9).toInt(), 3);
    // Cached: a change of the file is not seen until the sport changes.
    writeSportFile("athletics", "board_lines", 4);
    QCOMPARE(settings->value("sport", "board_lines", 9).toInt(), 3);
    settings->setValue("general", "sport", "athletics_indoor");
    QCOMPARE(settings->value("sport", "board_lines", 9).toInt(), 2);
}

STADIONIX_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
