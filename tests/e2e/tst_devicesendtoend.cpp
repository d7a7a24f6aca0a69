// The devices as an official meets them: the real stadionix, the stand-in
// Wi-Fi bridge, total station, wind gauge and virtual scoreboard run as
// separate processes on socat pairs, and the test drives the program only
// through its remote control.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

#include <memory>

#include "support/socatpair.h"
#include "support/testsupport.h"
#include "support/uiremoteclient.h"

namespace {
// This test's own loopback addresses (docs/testing.md): the competition
// server, the bridge (its fixed port 3210), where the program hears bridges
// (port 55555) and the UDP listener.
const QString ServerHost = QStringLiteral("127.0.17.200");
const QString BridgeHost = QStringLiteral("127.0.17.201");
const QString ProgramHost = QStringLiteral("127.0.17.202");
const QString ListenerHost = QStringLiteral("127.0.17.203");
const QString BoardSelector = QStringLiteral("cmbScoreboardPort");
const QString WindSelector = QStringLiteral("cmbWindspeedPort");
const QString EDMSelector = QStringLiteral("cmbEDMPort");
// The bridge's default name, as the port lists show it.
const QString BridgePort = QStringLiteral("6/1/123");

// The circle's radius, taken off every throw of the shot put.
constexpr double ShotPutRadius = 1.0675;
// The centre of the demo field's circle (metres; the station stands at 0, 0).
constexpr double CentreX = 3.0;
constexpr double CentreY = 0.0;

// A stand-in running as a process of its own, with everything it printed.
struct Standin
{
    QProcess process;
    QByteArray output;

    bool start(const QString &tool, const QStringList &arguments)
    {
        process.start(TestSupport::buildDir() + QStringLiteral("/tools/") + tool, arguments);
        return process.waitForStarted(5000) && said("ready");
    }
    // Waits for the text in what it printed from `from` on.
    bool said(const QByteArray &what, int timeoutMs = 10000, qsizetype from = 0)
    {
        return QTest::qWaitFor(
            [&] {
                output += process.readAllStandardOutput();
                return output.indexOf(what, from) >= 0;
            },
            timeoutMs);
    }
    // Where what it prints from now on begins.
    qsizetype mark()
    {
        output += process.readAllStandardOutput();
        return output.size();
    }
    // A command on its control channel, answered with one line.
    bool command(const QByteArray &line)
    {
        const qsizetype before = output.size();
        process.write(line + '\n');
        return QTest::qWaitFor(
            [&] {
                output += process.readAllStandardOutput();
                return output.indexOf('\n', before) >= 0;
            },
            5000);
    }
    QList<QByteArray> lines(const QByteArray &prefix) const
    {
        QList<QByteArray> found;
        for (const QByteArray &line : output.split('\n')) {
            if (line.startsWith(prefix))
                found << line.mid(prefix.size());
        }
        return found;
    }
    void stop()
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
};
} // namespace

class TestDevicesEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void devices_chosenCalibratedAndMeasured_throughABridgeOutage();
    void longJump_edmAndWindGauge_gridServerAndBoardAgree();

private:
    bool startServer();
    bool startBridge();
    bool startProgram();
    void startAndChoosePorts();
    void choosePort(const QString &selector, const QString &port);
    void waitForDevicesDialog();
    void stepEventType(int taps, const QString &shown);
    void takeReference(const QString &button, const QByteArray &point);
    void measureOnRequest(const QString &button, const QByteArray &point);
    QStringList takeDatagrams();
    // What the virtual scoreboard printed from `from` on: the result
    // output's frames, and the board's texts as each change left them.
    QStringList resultFrames(qsizetype from) const;
    QStringList boardTexts(qsizetype from) const;
    QJsonObject boardState();
    QByteArray programErrors() const;

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<SocatPair> m_boardCable, m_resultCable, m_edmCable, m_windCable;
    std::unique_ptr<Standin> m_server, m_bridge, m_board, m_station, m_gauge;
    std::unique_ptr<QProcess> m_program;
    std::unique_ptr<QUdpSocket> m_listener;
    UiRemoteClient m_remote;
};

void TestDevicesEndToEnd::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    QVERIFY(TestSupport::prepareProgramFolder(m_folder->path(), ServerHost));
    QDir folder(m_folder->path());
    for (auto *cable : {&m_boardCable, &m_resultCable, &m_edmCable, &m_windCable}) {
        *cable = std::make_unique<SocatPair>();
        QVERIFY2((*cable)->start(), qPrintable((*cable)->error()));
    }
    m_listener = std::make_unique<QUdpSocket>();
    QVERIFY(m_listener->bind(QHostAddress(ListenerHost), 0));
    // The board's kind and layout and the result output are set already;
    // the ports of the devices are chosen in the dialog.
    QFile settings(folder.filePath(QStringLiteral("config/Chronavel/Stadionix.ini")));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write(QStringLiteral("[communication]\ndatabase=1\n\n[general]\nlanguage=en\n"
                                  "\n[scoreboard]\nproduct=K-3312\nlayout=Field events 192x64\n"
                                  "\n[thirdpartyresult]\ntype=1\nport=%1\n"
                                  "\n[edm]\nudp_enabled=true\nudp_ip=%2\nudp_port=%3\n")
                       .arg(m_resultCable->first(), ListenerHost)
                       .arg(m_listener->localPort())
                       .toUtf8());
}

void TestDevicesEndToEnd::cleanup()
{
    if (QTest::currentTestFailed()) {
        qInfo().noquote() << "The program's standard error:\n" << programErrors();
        for (const auto *standin : {&m_bridge, &m_board, &m_station, &m_gauge}) {
            if (*standin)
                qInfo().noquote() << (*standin)->process.program() << "printed:\n" << (*standin)->output;
        }
    }
    if (m_program && m_program->state() != QProcess::NotRunning) {
        m_program->kill();
        m_program->waitForFinished(5000);
    }
    m_program.reset();
    for (auto *standin : {&m_gauge, &m_station, &m_board, &m_bridge, &m_server}) {
        if (*standin)
            (*standin)->stop();
        standin->reset();
    }
    for (auto *cable : {&m_boardCable, &m_resultCable, &m_edmCable, &m_windCable})
        cable->reset();
    m_listener.reset();
    m_folder.reset();
}

bool TestDevicesEndToEnd::startServer()
{
    m_server = std::make_unique<Standin>();
    return m_server->start(QStringLiteral("meetwise-standin"),
                           {QStringLiteral("--listen"), ServerHost, QStringLiteral("--port"), QStringLiteral("8090"),
                            QStringLiteral("--control-port"), QStringLiteral("0"), QStringLiteral("--discovery-port"),
                            QStringLiteral("0"), QStringLiteral("--log"),
                            m_folder->filePath(QStringLiteral("requests.jsonl")), QStringLiteral("--state"),
                            m_folder->filePath(QStringLiteral("server-state.json"))});
}

// The bridge carries the scoreboard's cable, announcing itself to the
// program's own address five times a second.
bool TestDevicesEndToEnd::startBridge()
{
    m_bridge = std::make_unique<Standin>();
    return m_bridge->start(QStringLiteral("wifi-bridge-standin"),
                           {QStringLiteral("--listen"), BridgeHost, QStringLiteral("--announce-to"), ProgramHost,
                            QStringLiteral("--interval"), QStringLiteral("200"), QStringLiteral("--serial"),
                            m_boardCable->first()});
}

bool TestDevicesEndToEnd::startProgram()
{
    m_program = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("STADIONIX_REMOTE"), m_folder->filePath(QStringLiteral("remote")));
    env.insert(QStringLiteral("STADIONIX_DATA_FOLDER"), m_folder->path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_folder->filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_folder->filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("STADIONIX_BRIDGE_LISTEN"), ProgramHost);
    // The program's ends of the cables that are no bridge, offered as ports.
    env.insert(QStringLiteral("STADIONIX_SERIAL_LINKS"),
               m_edmCable->first() + QDir::listSeparator() + m_windCable->first());
    env.remove(QStringLiteral("QT_LOGGING_RULES"));
    env.insert(QStringLiteral("QT_MESSAGE_PATTERN"), QStringLiteral("%{type} %{category}: %{message}"));
    m_program->setProcessEnvironment(env);
    m_program->setStandardErrorFile(m_folder->filePath(QStringLiteral("stderr.txt")));
    m_program->start(TestSupport::programPath(), {});
    return m_program->waitForStarted(5000) &&
           m_remote.connectToServer(m_folder->filePath(QStringLiteral("remote")), 20000);
}

// A tap opens the selector's list, a second one picks the port. The list
// takes no release within a double click's time of opening (a finger still
// on it from the first tap), so the second tap is held a little longer.
void TestDevicesEndToEnd::choosePort(const QString &selector, const QString &port)
{
    QVERIFY(m_remote.waitFor([&] { return m_remote.modelRows(selector).contains(port); }, 10000));
    QVERIFY2(m_remote.click(selector), qPrintable(m_remote.lastError()));
    const QJsonObject reply =
        m_remote.send({{"cmd", "clickItem"}, {"object", selector}, {"text", port}, {"hold", 600}});
    QVERIFY2(reply.value("ok").toBool(), qPrintable(reply.value("error").toString()));
    QVERIFY(m_remote.waitFor(selector, QStringLiteral("currentText"), port, 5000));
}

// The devices dialog is the open modal again (no waiting or question above it).
void TestDevicesEndToEnd::waitForDevicesDialog()
{
    QVERIFY(m_remote.waitFor(
        [&] { return m_remote.modal().value(QStringLiteral("objectName")).toString() == QLatin1String("dlgDevices"); },
        10000));
}

// The EDM tab's event type button steps from "No event chosen" through
// discus, long or triple jump, pole vault, javelin and shot put.
void TestDevicesEndToEnd::stepEventType(int taps, const QString &shown)
{
    for (int tap = 0; tap < taps; ++tap)
        QVERIFY2(m_remote.click(QStringLiteral("btnEventType")), qPrintable(m_remote.lastError()));
    QCOMPARE(m_remote.get(QStringLiteral("lblEventType"), QStringLiteral("text")).toString(), shown);
}

// A tap asks the meter; the official aims the instrument at the point.
void TestDevicesEndToEnd::measureOnRequest(const QString &button, const QByteArray &point)
{
    QVERIFY2(m_remote.click(button), qPrintable(m_remote.lastError()));
    QVERIFY(m_remote.waitFor(
        [&] {
            return m_remote.modal().value(QStringLiteral("objectName")).toString() == QLatin1String("dlgEDMWaiting");
        },
        5000));
    QVERIFY(m_station->command("aim " + point));
}

// A reference point of the calibration, back in the dialog once it is taken.
void TestDevicesEndToEnd::takeReference(const QString &button, const QByteArray &point)
{
    measureOnRequest(button, point);
    waitForDevicesDialog();
}

QStringList TestDevicesEndToEnd::takeDatagrams()
{
    QStringList datagrams;
    while (m_listener->hasPendingDatagrams()) {
        QByteArray datagram(int(m_listener->pendingDatagramSize()), '\0');
        m_listener->readDatagram(datagram.data(), datagram.size());
        datagrams << QString::fromLatin1(datagram);
    }
    return datagrams;
}

QStringList TestDevicesEndToEnd::resultFrames(qsizetype from) const
{
    QStringList frames;
    for (const QByteArray &line : m_board->output.mid(from).split('\n')) {
        if (line.startsWith("result: "))
            frames << QString::fromUtf8(line.mid(8));
    }
    return frames;
}

// Each result clears the board and writes it: the texts shown, empty ones
// (the clears) left out.
QStringList TestDevicesEndToEnd::boardTexts(qsizetype from) const
{
    QStringList texts;
    for (const QByteArray &line : m_board->output.mid(from).split('\n')) {
        if (!line.startsWith("board "))
            continue;
        const QString text = QString::fromUtf8(line.mid(line.indexOf(": ") + 2)).trimmed();
        if (!text.isEmpty() && line.contains(": "))
            texts << text;
    }
    return texts;
}

QJsonObject TestDevicesEndToEnd::boardState()
{
    const qsizetype before = m_board->output.size();
    m_board->process.write("state\n");
    if (!m_board->said("\n", 5000, before))
        return {};
    const QByteArray line = m_board->output.mid(before).split('\n').first();
    return QJsonDocument::fromJson(line).object();
}

QByteArray TestDevicesEndToEnd::programErrors() const
{
    QFile file(m_folder->filePath(QStringLiteral("stderr.txt")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every process started, and in the devices dialog (left open on the EDM
// tab) the board chosen over the bridge heard meanwhile, the meter and the
// wind gauge on their cables: all three selectors green.
void TestDevicesEndToEnd::startAndChoosePorts()
{
    QVERIFY(startServer());
    QVERIFY(startBridge());
    m_board = std::make_unique<Standin>();
    QVERIFY(m_board->start(
        QStringLiteral("virtual-scoreboard"),
        {QStringLiteral("--layout"), TestSupport::buildDir() + "/scoreboardlayouts/k-3312-field-events.json",
         QStringLiteral("--pty"), m_boardCable->second(), QStringLiteral("--result-pty"), m_resultCable->second()}));
    m_station = std::make_unique<Standin>();
    QVERIFY(
        m_station->start(QStringLiteral("total-station-standin"), {QStringLiteral("--serial"), m_edmCable->second()}));
    m_gauge = std::make_unique<Standin>();
    QVERIFY(m_gauge->start(QStringLiteral("wind-gauge-standin"), {QStringLiteral("--serial"), m_windCable->second(),
                                                                  QStringLiteral("--wind"), QStringLiteral("1.2")}));
    QVERIFY(startProgram());

    QVERIFY(m_remote.send({{"cmd", "trigger"}, {"object", "actionDevices"}}).value("ok").toBool());
    QVERIFY(m_remote.waitForModal(5000));
    waitForDevicesDialog();
    QCOMPARE(m_remote.get(BoardSelector, QStringLiteral("code")).toInt(), 2);
    choosePort(BoardSelector, BridgePort);
    QVERIFY(m_remote.waitFor(BoardSelector, QStringLiteral("code"), 0, 10000));
    QVERIFY(m_remote.set(QStringLiteral("tabDevices"), QStringLiteral("currentIndex"), 2));
    choosePort(WindSelector, m_windCable->first());
    QVERIFY(m_remote.waitFor(WindSelector, QStringLiteral("code"), 0, 10000));
    QVERIFY(m_remote.set(QStringLiteral("tabDevices"), QStringLiteral("currentIndex"), 3));
    choosePort(EDMSelector, m_edmCable->first());
    QVERIFY(m_remote.waitFor(EDMSelector, QStringLiteral("code"), 0, 10000));
    // All three at once: none of them lost its port to another.
    for (const QString &selector : {BoardSelector, WindSelector, EDMSelector})
        QCOMPARE(m_remote.get(selector, QStringLiteral("code")).toInt(), 0);
}

void TestDevicesEndToEnd::devices_chosenCalibratedAndMeasured_throughABridgeOutage()
{
    QElapsedTimer clock;
    clock.start();
    startAndChoosePorts();
    if (QTest::currentTestFailed())
        return;

    // 2. A shot put calibrated in the EDM tab: the event type, the centre of
    // the circle as the reference, and a test measurement against the tape.
    stepEventType(5, QStringLiteral("Shot Put"));
    takeReference(QStringLiteral("btnReference1"), "centre");
    QVERIFY(m_remote.waitFor(
        [&] { return !m_remote.get(QStringLiteral("lblReferences"), QStringLiteral("text")).toString().isEmpty(); },
        5000));
    // A mark 11 m from the circle, measured with the tape too.
    QVERIFY(m_station->command(QStringLiteral("point testput %1 %2 0")
                                   .arg(CentreX)
                                   .arg(CentreY + ShotPutRadius + 11.0, 0, 'f', 4)
                                   .toLatin1()));
    measureOnRequest(QStringLiteral("btnTestMeasurement"), "testput");
    QVERIFY(m_remote.waitFor(
        [&] {
            return m_remote.modal().value(QStringLiteral("windowTitle")).toString() ==
                   QLatin1String("Test measurements");
        },
        5000));
    for (const char *key : {"Ctrl+A", "1", "1", "Return"})
        QVERIFY2(m_remote.key(QString(), QString::fromLatin1(key)), qPrintable(m_remote.lastError()));
    waitForDevicesDialog();
    QStringList tests;
    QVERIFY(m_remote.waitFor(
        [&] {
            tests = m_remote.modelRows(QStringLiteral("lstTestResults"));
            return !tests.isEmpty();
        },
        5000));
    QCOMPARE(tests.size(), 1);
    // The instrument's frame carries millimetres and seconds of arc.
    const QString test = tests.first();
    QVERIFY2(test.contains(QStringLiteral(" m (EDM) - 11.000 m (tape) = ")), qPrintable(test));
    QVERIFY2(qAbs(test.section(QLatin1Char(' '), 0, 0).toDouble() - 11.0) < 0.002, qPrintable(test));
    QVERIFY(m_remote.answerObject(QStringLiteral("btnOK")));
    QVERIFY(m_remote.waitForNoModal(5000));

    // 3. The standalone page: three throws (two asked for, one measured on
    // the instrument alone) and a foul reach the board, the result output
    // and the UDP listener, each once.
    const QStringList marks{"13.45", "12.87", "14.01"};
    for (int i = 0; i < marks.size(); ++i) {
        // A few millimetres past the mark, so that cutting to centimetres
        // gives it whatever the frame's rounding.
        QVERIFY(m_station->command(QStringLiteral("point put%1 %2 %3 0")
                                       .arg(i + 1)
                                       .arg(CentreX)
                                       .arg(CentreY + ShotPutRadius + marks.at(i).toDouble() + 0.004, 0, 'f', 4)
                                       .toLatin1()));
    }
    QVERIFY(m_remote.send({{"cmd", "trigger"}, {"object", "actionStandalone"}}).value("ok").toBool());
    QVERIFY(m_remote.waitFor(QStringLiteral("EDMPerformanceWidget"), QStringLiteral("visible"), true, 5000));
    QVERIFY(m_remote.waitFor(QStringLiteral("cmbThirdPartySerialPort"), QStringLiteral("code"), 0, 5000));
    const qsizetype boardFrom = m_board->mark();
    const QString result = QStringLiteral("lblResult");
    measureOnRequest(QStringLiteral("btnEDM"), "put1");
    QVERIFY(m_remote.waitFor(result, QStringLiteral("text"), marks.at(0), 5000));
    QVERIFY(m_remote.waitForNoModal(5000));
    QVERIFY(m_station->command("aim put2"));
    QVERIFY(m_remote.waitFor(result, QStringLiteral("text"), marks.at(1), 5000));
    measureOnRequest(QStringLiteral("btnEDM"), "put3");
    QVERIFY(m_remote.waitFor(result, QStringLiteral("text"), marks.at(2), 5000));
    QVERIFY(m_remote.waitForNoModal(5000));
    QVERIFY2(m_remote.click(QStringLiteral("btnFail")), qPrintable(m_remote.lastError()));
    QVERIFY(m_remote.waitFor(result, QStringLiteral("text"), QStringLiteral("X"), 5000));

    const QStringList sent = marks + QStringList{"X"};
    QVERIFY(m_board->said("result: X", 10000, boardFrom));
    QCOMPARE(resultFrames(boardFrom), sent);
    QStringList datagrams;
    QVERIFY(QTest::qWaitFor(
        [&] {
            datagrams += takeDatagrams();
            return datagrams.size() >= sent.size();
        },
        5000));
    QCOMPARE(datagrams, (QStringList{"13.45", "12.87", "14.01", "      x "}));
    // The board's frames go the longer way, over the bridge.
    QVERIFY(QTest::qWaitFor(
        [&] {
            m_board->output += m_board->process.readAllStandardOutput();
            return boardTexts(boardFrom).size() >= sent.size();
        },
        10000));
    QCOMPARE(boardTexts(boardFrom), sent);
    QJsonObject state = boardState();
    QCOMPARE(state.value(QStringLiteral("rejected")).toInt(), 0);
    QCOMPARE(state.value(QStringLiteral("results")).toObject().value(QStringLiteral("frames")).toInt(),
             int(sent.size()));
    QCOMPARE(state.value(QStringLiteral("results")).toObject().value(QStringLiteral("rejected")).toInt(), 0);

    // 4. The bridge goes away while the dialog is open: its selector turns
    // orange once it has not been heard for 10 s, red when a write to the
    // board fails. Back again, the official taps "clear" until it is green,
    // and the next result reaches the board.
    QVERIFY(m_remote.send({{"cmd", "trigger"}, {"object", "actionDevices"}}).value("ok").toBool());
    QVERIFY(m_remote.waitForModal(5000));
    waitForDevicesDialog();
    QVERIFY(m_remote.set(QStringLiteral("tabDevices"), QStringLiteral("currentIndex"), 0));
    QVERIFY(m_remote.waitFor(BoardSelector, QStringLiteral("code"), 0, 5000));
    m_bridge->stop();
    QElapsedTimer outage;
    outage.start();
    QVERIFY(m_remote.waitFor(BoardSelector, QStringLiteral("code"), 3, 20000));
    // The last announcement came at most 0.2 s before the bridge stopped.
    QVERIFY2(outage.elapsed() >= 9000, qPrintable(QString::number(outage.elapsed())));
    const qint64 silentAfterMs = outage.elapsed();
    QVERIFY2(m_remote.click(QStringLiteral("btnClearScoreboard")), qPrintable(m_remote.lastError()));
    QVERIFY(m_remote.waitFor(BoardSelector, QStringLiteral("code"), 1, 10000));
    QVERIFY(startBridge());
    QVERIFY(m_remote.waitFor(
        [&] {
            if (m_remote.get(BoardSelector, QStringLiteral("code")).toInt() == 0)
                return true;
            m_remote.click(QStringLiteral("btnClearScoreboard"));
            return false;
        },
        15000, 500));
    QVERIFY(m_remote.answerObject(QStringLiteral("btnOK")));
    QVERIFY(m_remote.waitForNoModal(5000));
    const qsizetype boardAfter = m_board->mark();
    measureOnRequest(QStringLiteral("btnEDM"), "put1");
    QVERIFY(m_remote.waitFor(result, QStringLiteral("text"), marks.at(0), 5000));
    QVERIFY(m_remote.waitForNoModal(5000));
    QVERIFY(QTest::qWaitFor(
        [&] {
            m_board->output += m_board->process.readAllStandardOutput();
            return !boardTexts(boardAfter).isEmpty();
        },
        10000));
    QCOMPARE(boardTexts(boardAfter), QStringList{marks.at(0)});
    QCOMPARE(resultFrames(boardFrom), sent + QStringList{marks.at(0)});
    QVERIFY(QTest::qWaitFor(
        [&] {
            datagrams += takeDatagrams();
            return datagrams.size() > sent.size();
        },
        5000));
    QCOMPARE(datagrams.size(), sent.size() + 1);
    QCOMPARE(datagrams.last(), marks.at(0));
    state = boardState();
    QCOMPARE(state.value(QStringLiteral("rejected")).toInt(), 0);
    QCOMPARE(state.value(QStringLiteral("results")).toObject().value(QStringLiteral("frames")).toInt(),
             int(sent.size() + 1));
    // What each stand-in received, for the record.
    QVERIFY(m_station->command("status"));
    QVERIFY(m_gauge->command("status"));
    qInfo().noquote() << QStringLiteral("bridge shown silent after %1 s; board: %2 clears, %3 changes; result "
                                        "output: %4 frames; UDP: %5 datagrams; total station: %6; wind gauge: %7")
                             .arg(silentAfterMs / 1000.0, 0, 'f', 1)
                             .arg(state.value(QStringLiteral("clears")).toInt())
                             .arg(state.value(QStringLiteral("changes")).toInt())
                             .arg(state.value(QStringLiteral("results")).toObject().value("frames").toInt())
                             .arg(datagrams.size())
                             .arg(QString::fromUtf8(m_station->output.trimmed().split('\n').last()),
                                  QString::fromUtf8(m_gauge->output.trimmed().split('\n').last()));

    QVERIFY(m_remote.quit());
    QVERIFY(m_program->waitForFinished(15000));
    QCOMPARE(m_program->exitCode(), 0);
    qInfo().noquote() << QStringLiteral("devices end-to-end run took %1 s").arg(clock.elapsed() / 1000.0, 0, 'f', 1);
}

// A long jump in a field event: the take-off board calibrated in the
// dialog, the wind gauge started and the jump measured from the event's
// screen; the grid, the server and the board show the same mark.
void TestDevicesEndToEnd::longJump_edmAndWindGauge_gridServerAndBoardAgree()
{
    startAndChoosePorts();
    if (QTest::currentTestFailed())
        return;
    stepEventType(2, QStringLiteral("Long or Triple Jump"));
    takeReference(QStringLiteral("btnReference1"), "board1a");
    takeReference(QStringLiteral("btnReference2"), "board1b");
    QVERIFY(m_remote.answerObject(QStringLiteral("btnOK")));
    QVERIFY(m_remote.waitForNoModal(5000));

    // The long jump, opened from the schedule the server sent.
    const QString schedule = QStringLiteral("tblTimeSchedulesListView");
    int row = -1;
    QVERIFY(m_remote.waitFor(
        [&] {
            row = int(m_remote.modelRows(schedule, 1).indexOf(QRegularExpression(QStringLiteral(".*Long Jump.*"))));
            return row >= 0;
        },
        15000));
    QVERIFY2(m_remote.clickCell(schedule, row, 0, true), qPrintable(m_remote.lastError()));
    QVERIFY(m_remote.waitFor(QStringLiteral("FieldEventWidget"), QStringLiteral("visible"), true, 10000));
    const QString grid = QStringLiteral("tblParticipantsView");
    QVERIFY(m_remote.waitFor([&] { return !m_remote.modelRows(grid, 1).isEmpty(); }, 10000));
    const qsizetype boardFrom = m_board->mark();

    const QString shield = QStringLiteral("wgtTapShield");
    QVERIFY(m_remote.waitFor(shield, QStringLiteral("visible"), false, 5000));
    QVERIFY2(m_remote.click(QStringLiteral("btnCallParticipant")), qPrintable(m_remote.lastError()));
    QVERIFY(m_remote.waitFor(shield, QStringLiteral("visible"), false, 5000));
    QVERIFY2(m_remote.click(QStringLiteral("btnWind")), qPrintable(m_remote.lastError()));
    // The gauge measures for five seconds.
    QVERIFY(m_remote.waitFor(QStringLiteral("lblWind"), QStringLiteral("text"), QStringLiteral("1.2 m/s"), 10000));
    measureOnRequest(QStringLiteral("btnEDM"), "jump");
    QVERIFY(m_remote.waitForNoModal(5000));

    // 6.475 m from board 1: 6.47 in the grid, on the server and on the board.
    QVERIFY(
        m_remote.waitFor([&] { return !m_remote.modelRows(grid, 5).filter(QStringLiteral("6.47")).isEmpty(); }, 5000));
    QVERIFY(m_remote.waitFor(QStringLiteral("lblUnconfirmedActions"), QStringLiteral("text"), QString(), 10000));
    QStringList posted;
    QFile log(m_folder->filePath(QStringLiteral("requests.jsonl")));
    QVERIFY(log.open(QIODevice::ReadOnly));
    for (const QByteArray &line : log.readAll().split('\n')) {
        const QJsonObject entry = QJsonDocument::fromJson(line).object();
        if (entry.value(QStringLiteral("path")).toString() != QLatin1String("/new_result"))
            continue;
        QMap<QString, QString> fields;
        for (const QJsonValue &pair : entry.value(QStringLiteral("fields")).toArray())
            fields.insert(pair.toArray().at(0).toString(), pair.toArray().at(1).toString());
        posted << fields.value(QStringLiteral("value")) + QStringLiteral(" wind ") +
                      fields.value(QStringLiteral("wind"));
    }
    // The gauge's wind went with the measured mark.
    QCOMPARE(posted, QStringList{"6.47 wind 1.2"});
    QVERIFY(QTest::qWaitFor(
        [&] {
            m_board->output += m_board->process.readAllStandardOutput();
            return !boardTexts(boardFrom).filter(QStringLiteral("6.47")).isEmpty();
        },
        10000));
    QVERIFY(m_gauge->command("status"));
    QVERIFY2(m_gauge->output.trimmed().split('\n').last().contains("starts=1"), m_gauge->output.constData());

    QVERIFY(m_remote.quit());
    QVERIFY(m_program->waitForFinished(15000));
    QCOMPARE(m_program->exitCode(), 0);
}

STADIONIX_TEST_MAIN(TestDevicesEndToEnd)
#include "tst_devicesendtoend.moc"
