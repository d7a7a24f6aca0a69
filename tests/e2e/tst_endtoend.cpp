// The program as a user meets it: the real stadionix and the stand-in
// competition server run as separate processes, and the test drives the
// program through its user interface.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

#include "support/socatpair.h"
#include "support/testsupport.h"
#include "support/uiremoteclient.h"

// This test's own loopback address for the competition server (docs/testing.md).
static const QString Host = QStringLiteral("127.0.20.2");

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void judgeAndTrackOfficial_changesReachServerThroughOutage();
    void secondStart_refusedWhileFirstWorks();
    void folderWithoutSyncFile_boundToDiscoveredServer_scheduleFills();
    void standalone_statusesReachBoardResultOutputAndUdp();

private:
    bool startServer(bool fromState, const QStringList &moreArguments = {});
    bool stopServer();
    bool startProgram(const QProcessEnvironment &moreEnvironment = {});
    void waitForTaps();
    void waitForFieldHeat();
    void enterFieldResult(const QString &keys);
    void upNextAndOverwriteQuestion(const QString &language);
    void chooseDutch();
    bool openFromSchedule(const QString &name);
    QList<QJsonObject> serverLog() const;
    QByteArray programErrors() const;
    void standalonePage(const QString &language);
    void screenshot(const QString &name, const QString &object = QString());

    QTemporaryDir *m_folder = nullptr;
    QProcess *m_server = nullptr;
    QProcess *m_program = nullptr;
    UiRemoteClient m_remote;
};

void TestEndToEnd::init()
{
    m_folder = new QTemporaryDir;
    QVERIFY(m_folder->isValid());
    QVERIFY(TestSupport::prepareProgramFolder(m_folder->path(), Host));
    QDir folder(m_folder->path());
    QFile settings(folder.filePath(QStringLiteral("config/Chronavel/Stadionix.ini")));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write("[communication]\ndatabase=1\n\n[general]\nlanguage=en\n");
}

void TestEndToEnd::cleanup()
{
    if (QTest::currentTestFailed())
        qInfo().noquote() << "The program's standard error:\n" << programErrors();
    for (QProcess *process : {m_program, m_server}) {
        if (process && process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(5000);
        }
        delete process;
    }
    m_program = m_server = nullptr;
    delete m_folder;
    m_folder = nullptr;
}

bool TestEndToEnd::startServer(bool fromState, const QStringList &moreArguments)
{
    delete m_server;
    m_server = new QProcess;
    const QString state = m_folder->filePath(QStringLiteral("server-state.json"));
    QStringList arguments{QStringLiteral("--listen"),
                          Host,
                          QStringLiteral("--port"),
                          QStringLiteral("8090"),
                          QStringLiteral("--control-port"),
                          QStringLiteral("0"),
                          QStringLiteral("--discovery-port"),
                          QStringLiteral("0"),
                          QStringLiteral("--log"),
                          m_folder->filePath(QStringLiteral("requests.jsonl")),
                          QStringLiteral("--state"),
                          state};
    if (fromState)
        arguments << QStringLiteral("--competition") << state;
    // Later options win: the test's own address and discovery.
    arguments << moreArguments;
    m_server->start(TestSupport::buildDir() + QStringLiteral("/tools/meetwise-standin"), arguments);
    if (!m_server->waitForStarted(5000))
        return false;
    QElapsedTimer clock;
    clock.start();
    QByteArray output;
    while (clock.elapsed() < 10000 && !output.contains("ready")) {
        m_server->waitForReadyRead(100);
        output += m_server->readAllStandardOutput();
    }
    return output.contains("ready");
}

bool TestEndToEnd::stopServer()
{
    m_server->terminate(); // writes its state, as at the end of a day
    return m_server->waitForFinished(10000);
}

bool TestEndToEnd::startProgram(const QProcessEnvironment &moreEnvironment)
{
    m_program = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // A tablet-sized screen, so the pictures show what an official sees.
    QFile screens(m_folder->filePath(QStringLiteral("offscreen.json")));
    if (screens.open(QIODevice::WriteOnly))
        screens.write(R"({"screens": [{"name": "tablet", "x": 0, "y": 0, "width": 1280, "height": 800,
                          "logicalDpi": 96, "logicalBpi": 96, "dpr": 1}]})");
    screens.close();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + screens.fileName());
    env.insert(QStringLiteral("STADIONIX_REMOTE"), m_folder->filePath(QStringLiteral("remote")));
    // The pictures for the documentation, when asked for, are the only ones
    // the program may write.
    if (qEnvironmentVariableIsSet("STADIONIX_DOCS_DIR"))
        env.insert(QStringLiteral("STADIONIX_REMOTE_PICTURES"), qEnvironmentVariable("STADIONIX_DOCS_DIR"));
    env.insert(QStringLiteral("STADIONIX_DATA_FOLDER"), m_folder->path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_folder->filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_folder->filePath(QStringLiteral("data")));
    // Every line the program logs says its kind; the program's own defaults
    // decide which are written.
    env.remove(QStringLiteral("QT_LOGGING_RULES"));
    env.insert(QStringLiteral("QT_MESSAGE_PATTERN"), QStringLiteral("%{type} %{category}: %{message}"));
    env.insert(moreEnvironment);
    m_program->setProcessEnvironment(env);
    m_program->setStandardErrorFile(m_folder->filePath(QStringLiteral("stderr.txt")));
    m_program->start(TestSupport::programPath(), {});
    return m_program->waitForStarted(5000) &&
           m_remote.connectToServer(m_folder->filePath(QStringLiteral("remote")), 20000);
}

// The field screen swallows taps for a moment after its page changed under
// the finger; the test waits for it as a judge's hand does.
void TestEndToEnd::waitForTaps()
{
    QVERIFY(m_remote.waitFor(QStringLiteral("wgtTapShield"), QStringLiteral("visible"), false, 5000));
}

// A field event screen opened from the schedule shows its heat once the
// server has sent it, a moment after the screen itself; until then calling
// the athlete who is up calls nobody.
void TestEndToEnd::waitForFieldHeat()
{
    QVERIFY(m_remote.waitFor(QStringLiteral("FieldEventWidget"), QStringLiteral("visible"), true, 10000));
    QVERIFY(m_remote.waitFor([this] { return !m_remote.modelRows(QStringLiteral("tblParticipantsView"), 1).isEmpty(); },
                             10000));
}

// Calls the athlete who is up, types the mark and confirms it; the long jump
// measures wind per attempt, typed on the wind keypad.
void TestEndToEnd::enterFieldResult(const QString &keys)
{
    waitForTaps();
    QVERIFY2(m_remote.click(QStringLiteral("btnCallParticipant")), qPrintable(m_remote.lastError()));
    waitForTaps();
    for (const QChar key : keys) {
        const QString button =
            key == QLatin1Char(',') ? QStringLiteral("btnButtonComma") : QStringLiteral("btnButton%1").arg(key);
        // The keypad page comes up after the call; on a loaded machine that
        // can take longer than the remote's next request.
        QVERIFY(m_remote.waitFor(button, QStringLiteral("visible"), true, 5000));
        QVERIFY2(m_remote.click(button), qPrintable(m_remote.lastError()));
    }
    QVERIFY2(m_remote.click(QStringLiteral("btnEnter")), qPrintable(m_remote.lastError()));
    QVERIFY(m_remote.waitForModal(5000));
    QCOMPARE(m_remote.modal().value(QStringLiteral("windowTitle")).toString(),
             QStringLiteral("Manual windspeed result"));
    for (const char *key : {"btnButton1", "btnButtonComma", "btnButton2", "btnOK"})
        QVERIFY2(m_remote.click(QString::fromLatin1(key)), qPrintable(m_remote.lastError()));
    QVERIFY(m_remote.waitForNoModal(5000));
}

// The input page names who comes next; a mark typed over a stored one asks
// first (answered No). Pictures of both for the documentation.
void TestEndToEnd::upNextAndOverwriteQuestion(const QString &language)
{
    waitForTaps();
    QVERIFY2(m_remote.click(QStringLiteral("btnCallParticipant")), qPrintable(m_remote.lastError()));
    QVERIFY(m_remote.waitFor(QStringLiteral("lblUpNext"), QStringLiteral("visible"), true, 5000));
    waitForTaps();
    screenshot(QStringLiteral("upnext-") + language);
    QVERIFY2(m_remote.click(QStringLiteral("btnPageBack")), qPrintable(m_remote.lastError()));
    waitForTaps();
    // The first athlete's first attempt holds a mark already.
    QVERIFY2(m_remote.clickCell(QStringLiteral("tblParticipantsView"), 0, 5), qPrintable(m_remote.lastError()));
    waitForTaps();
    QVERIFY2(m_remote.click(QStringLiteral("btnCallParticipant")), qPrintable(m_remote.lastError()));
    waitForTaps();
    for (const char *key : {"btnButtonBack", "btnButtonBack", "btnButtonBack", "btnButtonBack", "btnButton6",
                            "btnButtonComma", "btnButton2", "btnButton1", "btnEnter"})
        QVERIFY2(m_remote.click(QString::fromLatin1(key)), qPrintable(m_remote.lastError()));
    QVERIFY(m_remote.waitForModal(5000));
    screenshot(QStringLiteral("overwrite-") + language, QStringLiteral("msgOverwriteMark"));
    QVERIFY(m_remote.answerObject(QStringLiteral("btnNo")));
    QVERIFY(m_remote.waitForNoModal(5000));
    QVERIFY2(m_remote.click(QStringLiteral("btnPageBack")), qPrintable(m_remote.lastError()));
}

// In the settings dialog, as an official would.
void TestEndToEnd::chooseDutch()
{
    QVERIFY(m_remote.send({{"cmd", "trigger"}, {"object", "actionSettings"}}).value("ok").toBool());
    QVERIFY(m_remote.waitForModal(5000));
    QVERIFY2(m_remote.set(QStringLiteral("cmbLanguage"), QStringLiteral("currentIndex"), 3),
             qPrintable(m_remote.lastError()));
    QVERIFY(m_remote.answerObject(QStringLiteral("btnOK")));
    QVERIFY(m_remote.waitForNoModal(5000));
}

// A double tap on the first card whose event name contains the text (the
// list shows the cards of its first column).
bool TestEndToEnd::openFromSchedule(const QString &name)
{
    const QString view = QStringLiteral("tblTimeSchedulesListView");
    const QStringList names = m_remote.modelRows(view, 1);
    for (int row = 0; row < names.size(); ++row) {
        if (names.at(row).contains(name))
            return m_remote.clickCell(view, row, 0, true);
    }
    return false;
}

QList<QJsonObject> TestEndToEnd::serverLog() const
{
    QList<QJsonObject> entries;
    QFile file(m_folder->filePath(QStringLiteral("requests.jsonl")));
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (!line.trimmed().isEmpty())
            entries.append(QJsonDocument::fromJson(line).object());
    }
    return entries;
}

QByteArray TestEndToEnd::programErrors() const
{
    QFile file(m_folder->filePath(QStringLiteral("stderr.txt")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The menu's "Standalone" opens the measuring page in place of the event;
// its picture for the documentation.
void TestEndToEnd::standalonePage(const QString &language)
{
    QVERIFY(m_remote.send({{"cmd", "trigger"}, {"object", "actionStandalone"}}).value("ok").toBool());
    QVERIFY(m_remote.waitFor(QStringLiteral("EDMPerformanceWidget"), QStringLiteral("visible"), true, 5000));
    QCOMPARE(m_remote.get(QStringLiteral("chkUDPOutputEnabled"), QStringLiteral("text")).toString(),
             language == QLatin1String("nl") ? QStringLiteral("Resultaten via UDP versturen")
                                             : QStringLiteral("Send results over UDP"));
    // No meter in this run: a failure tapped in shows as the page's result.
    QVERIFY2(m_remote.click(QStringLiteral("btnFail")), qPrintable(m_remote.lastError()));
    QVERIFY(m_remote.waitFor(QStringLiteral("lblResult"), QStringLiteral("text"), QStringLiteral("X"), 5000));
    screenshot(QStringLiteral("standalone-") + language);
}

void TestEndToEnd::screenshot(const QString &name, const QString &object)
{
    const QString folder = qEnvironmentVariable("STADIONIX_DOCS_DIR");
    if (!folder.isEmpty())
        m_remote.grab(QDir(folder).filePath(name + QStringLiteral(".png")), object);
}

static QString field(const QJsonObject &entry, const QString &name)
{
    for (const QJsonValue &pair : entry.value(QStringLiteral("fields")).toArray()) {
        if (pair.toArray().at(0).toString() == name)
            return pair.toArray().at(1).toString();
    }
    return QString();
}

void TestEndToEnd::judgeAndTrackOfficial_changesReachServerThroughOutage()
{
    QElapsedTimer clock;
    clock.start();
    QVERIFY(startServer(false));
    QVERIFY(startProgram());

    // The schedule comes from the server; the long jump opens from it.
    QVERIFY(m_remote.waitFor(
        [&] {
            return m_remote.modelRows(QStringLiteral("tblTimeSchedulesListView"), 1).join('|').contains("Long Jump");
        },
        15000));
    screenshot(QStringLiteral("schedule-en"));
    QVERIFY2(openFromSchedule(QStringLiteral("Long Jump")), qPrintable(m_remote.lastError()));
    waitForFieldHeat();

    enterFieldResult(QStringLiteral("6,12"));
    enterFieldResult(QStringLiteral("5,98"));
    QVERIFY(m_remote.waitFor(QStringLiteral("lblUnconfirmedActions"), QStringLiteral("text"), QString(), 10000));

    // The server goes away; the judge goes on.
    QVERIFY(stopServer());
    enterFieldResult(QStringLiteral("6,40"));
    enterFieldResult(QStringLiteral("6,03"));
    QVERIFY(m_remote.waitFor(QStringLiteral("lblUnconfirmedActions"), QStringLiteral("text"),
                             QStringLiteral("Unposted results: 2"), 5000));
    QCOMPARE(m_remote.get(QStringLiteral("lblUnconfirmedActions"), QStringLiteral("code")).toInt(), 1);
    screenshot(QStringLiteral("fieldevent-en"));
    upNextAndOverwriteQuestion(QStringLiteral("en"));

    // Back again: the line clears once the server has confirmed both.
    QVERIFY(startServer(true));
    QVERIFY(m_remote.waitFor(QStringLiteral("lblUnconfirmedActions"), QStringLiteral("text"), QString(), 20000));
    QCOMPARE(m_remote.get(QStringLiteral("lblUnconfirmedActions"), QStringLiteral("code")).toInt(), 0);

    standalonePage(QStringLiteral("en"));

    // A track heat: one lane moved, a DNS and a DQ with a rule.
    QVERIFY(m_remote.send({{"cmd", "trigger"}, {"object", "actionSchedule"}}).value("ok").toBool());
    QVERIFY(m_remote.waitFor(QStringLiteral("ScheduleTableWidget"), QStringLiteral("visible"), true, 5000));
    QVERIFY2(openFromSchedule(QStringLiteral("100 m")), qPrintable(m_remote.lastError()));
    QVERIFY(m_remote.waitFor(QStringLiteral("TrackEventWidget"), QStringLiteral("visible"), true, 10000));
    const QString table = QStringLiteral("tblTrackParticipantsView");
    QVERIFY(m_remote.waitFor([&] { return m_remote.modelRows(table, 4).size() == 7; }, 10000));

    QVERIFY2(m_remote.clickCell(table, 0, 2), qPrintable(m_remote.lastError()));
    QVERIFY(m_remote.waitForModal(5000));
    QCOMPARE(m_remote.modal().value(QStringLiteral("windowTitle")).toString(), QStringLiteral("Lane selection"));
    QVERIFY2(m_remote.click(QStringLiteral("btnLane9")), qPrintable(m_remote.lastError()));
    QVERIFY(m_remote.waitForNoModal(5000));

    QVERIFY2(m_remote.clickCell(table, 0, 6), qPrintable(m_remote.lastError()));
    QVERIFY(m_remote.waitForModal(5000));
    QCOMPARE(m_remote.modal().value(QStringLiteral("windowTitle")).toString(), QStringLiteral("Result selection"));
    QVERIFY2(m_remote.click(QStringLiteral("buttonDNS")), qPrintable(m_remote.lastError()));
    QVERIFY(m_remote.waitForNoModal(5000));

    QVERIFY2(m_remote.clickCell(table, 1, 6), qPrintable(m_remote.lastError()));
    QVERIFY(m_remote.waitForModal(5000));
    QVERIFY2(m_remote.click(QStringLiteral("buttonDQ")), qPrintable(m_remote.lastError()));
    QVERIFY2(m_remote.set(QStringLiteral("cmbDisqualificationRule"), QStringLiteral("currentIndex"), 1),
             qPrintable(m_remote.lastError()));
    QVERIFY(m_remote.waitForNoModal(5000));
    QVERIFY(m_remote.waitFor(QStringLiteral("lblUnconfirmedActions"), QStringLiteral("text"), QString(), 10000));
    screenshot(QStringLiteral("trackheat-en"));

    QVERIFY(m_remote.send({{"cmd", "trigger"}, {"object", "actionInfo"}}).value("ok").toBool());
    QVERIFY(m_remote.waitForModal(5000));
    screenshot(QStringLiteral("about-en"));
    QVERIFY(m_remote.answerObject(QStringLiteral("btnOK")));
    QVERIFY(m_remote.waitForNoModal(5000));

    // Dutch, chosen in the settings dialog, re-labels the open track screen
    // at once; then the same screens once more.
    chooseDutch();
    QCOMPARE(m_remote.get(QStringLiteral("btnPrevious"), QStringLiteral("toolTip")).toString(),
             QStringLiteral("Naar de vorige serie"));
    screenshot(QStringLiteral("trackheat-nl"));
    QVERIFY(m_remote.send({{"cmd", "trigger"}, {"object", "actionSchedule"}}).value("ok").toBool());
    QVERIFY(m_remote.waitFor(QStringLiteral("txtSearch"), QStringLiteral("placeholderText"),
                             QStringLiteral("Zoeken..."), 5000));
    screenshot(QStringLiteral("schedule-nl"));
    QVERIFY2(openFromSchedule(QStringLiteral("Long Jump")), qPrintable(m_remote.lastError()));
    waitForFieldHeat();
    QCOMPARE(m_remote.get(QStringLiteral("txtSearch"), QStringLiteral("placeholderText")).toString(),
             QStringLiteral("Deelnemer zoeken..."));
    screenshot(QStringLiteral("fieldevent-nl"));
    upNextAndOverwriteQuestion(QStringLiteral("nl"));
    QVERIFY(m_remote.send({{"cmd", "trigger"}, {"object", "actionInfo"}}).value("ok").toBool());
    QVERIFY(m_remote.waitForModal(5000));
    screenshot(QStringLiteral("about-nl"));
    QVERIFY(m_remote.answerObject(QStringLiteral("btnOK")));
    QVERIFY(m_remote.waitForNoModal(5000));
    standalonePage(QStringLiteral("nl"));

    QVERIFY(m_remote.quit());
    QVERIFY(m_program->waitForFinished(15000));
    QCOMPARE(m_program->exitCode(), 0);
    QVERIFY(stopServer());

    // The server received exactly these changes (a change posted again is
    // the same change: same local id).
    QMap<QString, QJsonObject> changes;
    QStringList kinds;
    for (const QJsonObject &entry : serverLog()) {
        const QString path = entry.value(QStringLiteral("path")).toString();
        if (path == QLatin1String("/new_result") || path == QLatin1String("/update_result") ||
            path == QLatin1String("/delete_result") || path == QLatin1String("/update_participation"))
            changes.insert(path + QLatin1Char(' ') + field(entry, QStringLiteral("unique")), entry);
    }
    QStringList values;
    for (const QJsonObject &entry : std::as_const(changes)) {
        const QString path = entry.value(QStringLiteral("path")).toString();
        if (path == QLatin1String("/update_participation"))
            values << path.mid(1) + QLatin1Char(' ') + field(entry, QStringLiteral("initialorder"));
        else
            values << path.mid(1) + QLatin1Char(' ') + field(entry, QStringLiteral("value")) + QLatin1Char(' ') +
                          field(entry, QStringLiteral("info"));
    }
    values.sort();
    // The sprinters had times already: their DNS and DQ replace them.
    QCOMPARE(values, (QStringList{"new_result 5.98 ", "new_result 6.03 ", "new_result 6.12 ", "new_result 6.4 ",
                                  "update_participation 9", "update_result -3 ",
                                  "update_result -4 DQ:R-12 Stepped on or over the lane line"}));
    // Every mark was ranked, every change posted: not one debug line for it.
    const QByteArray errors = programErrors();
    for (const QByteArray &line : errors.split('\n'))
        QVERIFY2(!line.startsWith("debug "), line.constData());
    qInfo().noquote() << QStringLiteral("end-to-end run took %1 s").arg(clock.elapsed() / 1000.0, 0, 'f', 1);
}

void TestEndToEnd::secondStart_refusedWhileFirstWorks()
{
    QVERIFY(startServer(false));
    QVERIFY(startProgram());
    QProcess second;
    QProcessEnvironment env = m_program->processEnvironment();
    env.remove(QStringLiteral("STADIONIX_REMOTE"));
    env.insert(QStringLiteral("STADIONIX_UNATTENDED"), QStringLiteral("1"));
    second.setProcessEnvironment(env);
    second.start(TestSupport::programPath(), {});
    QVERIFY(second.waitForFinished(15000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QVERIFY(
        second.readAllStandardError().contains("Already an instance of Stadionix is running, this one will be closed"));
    // The first goes on serving its official.
    QVERIFY(m_remote.waitFor(
        [&] { return !m_remote.modelRows(QStringLiteral("tblTimeSchedulesListView"), 1).isEmpty(); }, 15000));
    QVERIFY(m_remote.quit());
    QVERIFY(m_program->waitForFinished(15000));
    QCOMPARE(m_program->exitCode(), 0);
}

void TestEndToEnd::folderWithoutSyncFile_boundToDiscoveredServer_scheduleFills()
{
    // A fresh folder: no "sync" file, no server kind chosen.
    QVERIFY(QFile::remove(m_folder->filePath(QStringLiteral("sync"))));
    QFile settings(m_folder->filePath(QStringLiteral("config/Chronavel/Stadionix.ini")));
    QVERIFY(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
    settings.write("[general]\nlanguage=en\n");
    settings.close();

    // The server and the program's discovery each on an address of this test.
    QVERIFY(startServer(false,
                        {QStringLiteral("--listen"), QStringLiteral("127.0.18.31"), QStringLiteral("--discovery-port"),
                         QStringLiteral("1217"), QStringLiteral("--discovery-listen"), QStringLiteral("127.0.18.31")}));
    QProcessEnvironment discovery;
    discovery.insert(QStringLiteral("STADIONIX_DISCOVERY_PING"), QStringLiteral("127.0.18.31"));
    discovery.insert(QStringLiteral("STADIONIX_DISCOVERY_LISTEN"), QStringLiteral("127.0.18.32"));
    QVERIFY(startProgram(discovery));
    const QString schedule = QStringLiteral("tblTimeSchedulesListView");
    QVERIFY(m_remote.waitFor(QStringLiteral("ScheduleTableWidget"), QStringLiteral("visible"), true, 15000));
    QCOMPARE(m_remote.modelRows(schedule, 1), QStringList());

    QVERIFY2(m_remote.click(QStringLiteral("btnDatabaseLink")), qPrintable(m_remote.lastError()));
    QVERIFY(m_remote.waitForModal(5000));
    QCOMPARE(m_remote.modal().value(QStringLiteral("objectName")).toString(), QStringLiteral("FolderInfoDialog"));
    QCOMPARE(m_remote.get(QStringLiteral("btnOK"), QStringLiteral("enabled")).toBool(), false);
    QVERIFY2(m_remote.click(QStringLiteral("btnMeetwise")), qPrintable(m_remote.lastError()));
    QVERIFY(m_remote.waitFor(QStringLiteral("cmbServer"), QStringLiteral("currentText"),
                             QStringLiteral("Stadionix stand-in - 127.0.18.31"), 10000));
    QVERIFY(m_remote.waitFor(QStringLiteral("cmbCompetition"), QStringLiteral("currentText"),
                             QStringLiteral("Northern Lakes Open 2026"), 10000));
    QVERIFY(m_remote.waitFor([&] { return m_remote.modelRows(QStringLiteral("lstDays")).size() == 2; }, 5000));
    QVERIFY2(m_remote.clickItem(QStringLiteral("lstSessions"), QStringLiteral("Saturday morning")),
             qPrintable(m_remote.lastError()));
    QVERIFY2(m_remote.clickItem(QStringLiteral("lstDays"), QStringLiteral("13 June 2026")),
             qPrintable(m_remote.lastError()));
    QCOMPARE(m_remote.get(QStringLiteral("cmbServer"), QStringLiteral("count")).toInt(), 1);
    screenshot(QStringLiteral("folderinfo-en"), QStringLiteral("FolderInfoDialog"));
    QVERIFY2(m_remote.click(QStringLiteral("btnOK")), qPrintable(m_remote.lastError()));
    QVERIFY(m_remote.waitForNoModal(5000));

    // The morning of the first day: the 100 m heats and the shot put flights.
    QVERIFY(m_remote.waitFor([&] { return m_remote.modelRows(schedule, 1).size() == 4; }, 15000));
    QStringList names = m_remote.modelRows(schedule, 1);
    QCOMPARE(names.filter(QStringLiteral("100 m")).size(), 2);
    QCOMPARE(names.filter(QStringLiteral("Shot Put")).size(), 2);
    QSettings sync(m_folder->filePath(QStringLiteral("sync")), QSettings::IniFormat);
    QCOMPARE(sync.value(QStringLiteral("type")).toString(), QStringLiteral("meetwise"));
    QCOMPARE(sync.value(QStringLiteral("ip")).toString(), QStringLiteral("127.0.18.31"));
    QCOMPARE(sync.value(QStringLiteral("competition")).toString(), QStringLiteral("1"));
    QCOMPARE(sync.value(QStringLiteral("sessions")).toString(), QStringLiteral("1"));
    QCOMPARE(sync.value(QStringLiteral("dates")).toString(), QStringLiteral("20260613"));

    // In Dutch, the dialog opens again on the choice just made.
    chooseDutch();
    QVERIFY2(m_remote.click(QStringLiteral("btnDatabaseLink")), qPrintable(m_remote.lastError()));
    QVERIFY(m_remote.waitForModal(5000));
    QCOMPARE(m_remote.get(QStringLiteral("btnMeetwise"), QStringLiteral("checked")).toBool(), true);
    QVERIFY(m_remote.waitFor(QStringLiteral("cmbServer"), QStringLiteral("currentText"),
                             QStringLiteral("Stadionix stand-in - 127.0.18.31"), 10000));
    QVERIFY(m_remote.waitFor(QStringLiteral("cmbCompetition"), QStringLiteral("currentText"),
                             QStringLiteral("Northern Lakes Open 2026"), 10000));
    QCOMPARE(m_remote.get(QStringLiteral("btnCancel"), QStringLiteral("text")).toString(), QStringLiteral("Annuleren"));
    screenshot(QStringLiteral("folderinfo-nl"), QStringLiteral("FolderInfoDialog"));
    QVERIFY(m_remote.answerObject(QStringLiteral("btnCancel")));
    QVERIFY(m_remote.waitForNoModal(5000));

    QVERIFY(m_remote.quit());
    QVERIFY(m_program->waitForFinished(15000));
    QCOMPARE(m_program->exitCode(), 0);
}

// The standalone page of the real program, with the virtual scoreboard as a
// process of its own on the board's and the result output's cables and a
// UDP listener: every status tapped reaches all three, once.
void TestEndToEnd::standalone_statusesReachBoardResultOutputAndUdp()
{
    SocatPair boardCable, resultCable;
    QVERIFY2(boardCable.start() && resultCable.start(), qPrintable(boardCable.error() + resultCable.error()));
    QProcess board;
    board.start(TestSupport::buildDir() + QStringLiteral("/tools/virtual-scoreboard"),
                {QStringLiteral("--layout"), TestSupport::buildDir() + "/scoreboardlayouts/k-3312-field-events.json",
                 QStringLiteral("--pty"), boardCable.second(), QStringLiteral("--result-pty"), resultCable.second()});
    QByteArray boardOutput;
    const auto boardSaid = [&board, &boardOutput](const QByteArray &what) {
        return QTest::qWaitFor(
            [&] {
                boardOutput += board.readAllStandardOutput();
                return boardOutput.contains(what);
            },
            10000);
    };
    QVERIFY(boardSaid("ready"));
    QUdpSocket listener;
    // This test's listener (docs/testing.md).
    QVERIFY(listener.bind(QHostAddress(QStringLiteral("127.0.17.102")), 0));
    QFile settings(m_folder->filePath(QStringLiteral("config/Chronavel/Stadionix.ini")));
    QVERIFY(settings.open(QIODevice::Append));
    settings.write(QStringLiteral("\n[scoreboard]\ntype=1\nport=%1\nproduct=K-3312\nlayout=Field events 192x64\n"
                                  "\n[thirdpartyresult]\ntype=1\nport=%2\n"
                                  "\n[edm]\nudp_enabled=true\nudp_ip=127.0.17.102\nudp_port=%3\n")
                       .arg(boardCable.first(), resultCable.first())
                       .arg(listener.localPort())
                       .toUtf8());
    settings.close();
    QVERIFY(startProgram());

    QVERIFY(m_remote.send({{"cmd", "trigger"}, {"object", "actionStandalone"}}).value("ok").toBool());
    QVERIFY(m_remote.waitFor(QStringLiteral("EDMPerformanceWidget"), QStringLiteral("visible"), true, 5000));
    QVERIFY(m_remote.waitFor(QStringLiteral("cmbThirdPartySerialPort"), QStringLiteral("code"), 0, 5000));
    const QStringList buttons{"btnFail", "btnPass", "btnSkip", "btnRelegated", "btnNoValidTrial"};
    for (const QString &button : buttons)
        QVERIFY2(m_remote.click(button), qPrintable(m_remote.lastError()));
    QVERIFY(boardSaid("result: (nothing)"));
    QStringList frames;
    for (const QByteArray &line : boardOutput.split('\n')) {
        if (line.startsWith("result: "))
            frames << QString::fromUtf8(line.mid(8));
    }
    QCOMPARE(frames, QStringList({"X", "0", "-", "r", "(nothing)"}));
    QStringList datagrams;
    QVERIFY(QTest::qWaitFor(
        [&] {
            while (listener.hasPendingDatagrams()) {
                QByteArray datagram(int(listener.pendingDatagramSize()), '\0');
                listener.readDatagram(datagram.data(), datagram.size());
                datagrams << QString::fromLatin1(datagram);
            }
            return datagrams.size() >= buttons.size();
        },
        5000));
    QCOMPARE(datagrams, QStringList({"      x ", "      o ", "      - ", "      a ", "        "}));
    // The board took each: a clear and the text, and for no result only the
    // clear, so it ends empty.
    QJsonObject state;
    QVERIFY(QTest::qWaitFor(
        [&] {
            board.write("state\n");
            board.waitForReadyRead(200);
            boardOutput += board.readAllStandardOutput();
            const QList<QByteArray> lines = boardOutput.trimmed().split('\n');
            state = QJsonDocument::fromJson(lines.last()).object();
            return state.value(QStringLiteral("clears")).toInt() == buttons.size();
        },
        10000));
    QCOMPARE(state.value(QStringLiteral("rejected")).toInt(), 0);
    QCOMPARE(state.value(QStringLiteral("items")).toArray().size(), 0);
    QCOMPARE(state.value(QStringLiteral("results")).toObject().value(QStringLiteral("frames")).toInt(),
             int(buttons.size()));
    QCOMPARE(state.value(QStringLiteral("results")).toObject().value(QStringLiteral("rejected")).toInt(), 0);
    QVERIFY(m_remote.quit());
    QVERIFY(m_program->waitForFinished(15000));
    QCOMPARE(m_program->exitCode(), 0);
    board.write("quit\n");
    QVERIFY(board.waitForFinished(5000));
}

STADIONIX_TEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
