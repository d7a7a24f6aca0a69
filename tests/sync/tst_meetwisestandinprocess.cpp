#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkDatagram>
#include <QProcess>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

#include <csignal>

#include "records/result.h"
#include "standintestclient.h"
#include "support/testsupport.h"
#include "sync/meetwisecipher.h"

// The program meetwise-standin as tests and people start it: command line,
// control channel, log file, state file at exit, discovery.
class TestMeetwiseStandinProcess : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void requests_areLoggedOnePerLine();
    void controlChannel_takesServerDownAndUpWithoutRestart();
    void controlChannel_slowAndDropSwitches();
    void terminate_writesStateWithChanges();
    void startedDown_refusesUntilSwitchedUp();
    void discoveryPing_isAnswered();
    void badCompetitionFile_endsWithMessage();

private:
    bool startStandin(const QStringList &extra = {});
    QJsonObject control(const QString &pathAndQuery);
    QList<QJsonObject> logLines() const;

    QTemporaryDir m_dir;
    QProcess m_process;
};

// This test's own loopback address (docs/testing.md): the service, the
// control channel, discovery and the answers to its pings.
static const QString Host = QStringLiteral("127.0.20.5");

static QString standinProgram()
{
    return TestSupport::buildDir() + QStringLiteral("/tools/meetwise-standin");
}

void TestMeetwiseStandinProcess::init()
{
    TestSupport::failOnUnexpectedWarnings();
    QVERIFY(m_dir.isValid());
    QFile::remove(m_dir.filePath("log.jsonl"));
    QFile::remove(m_dir.filePath("state.json"));
}

void TestMeetwiseStandinProcess::cleanup()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool TestMeetwiseStandinProcess::startStandin(const QStringList &extra)
{
    m_process.setProgram(standinProgram());
    m_process.setArguments(QStringList{"--listen", Host, "--port", "8090", "--control-port", "8091",
                                       "--discovery-listen", Host, "--discovery-port", "1217", "--log",
                                       m_dir.filePath("log.jsonl"), "--state", m_dir.filePath("state.json")} +
                           extra);
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start();
    if (!m_process.waitForStarted(5000))
        return false;
    // Ready once it says so: then every port is open.
    const bool ready = QTest::qWaitFor(
        [this] {
            m_process.waitForReadyRead(50);
            return m_process.peek(4096).contains("ready") || m_process.state() == QProcess::NotRunning;
        },
        10000);
    if (!ready || m_process.state() == QProcess::NotRunning) {
        // A port taken by something outside this test run shows here.
        qInfo() << "meetwise-standin did not start:" << m_process.readAllStandardError();
        return false;
    }
    return true;
}

QJsonObject TestMeetwiseStandinProcess::control(const QString &pathAndQuery)
{
    QNetworkAccessManager network;
    QNetworkRequest request(QUrl(QStringLiteral("http://%1:8091").arg(Host) + pathAndQuery));
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
    QNetworkReply *reply = network.post(request, QByteArray());
    QSignalSpy done(reply, &QNetworkReply::finished);
    if (!done.wait(5000))
        return {};
    const QJsonObject object = QJsonDocument::fromJson(reply->readAll()).object();
    delete reply;
    return object;
}

QList<QJsonObject> TestMeetwiseStandinProcess::logLines() const
{
    QList<QJsonObject> lines;
    QFile file(m_dir.filePath("log.jsonl"));
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (!line.isEmpty())
            lines.append(QJsonDocument::fromJson(line).object());
    }
    return lines;
}

void TestMeetwiseStandinProcess::requests_areLoggedOnePerLine()
{
    QVERIFY(startStandin());
    StandinTestClient client(Host);
    QCOMPARE(client.wait(client.service.requestEvents()), int(QNetworkReply::NoError));
    Result result;
    result.seqno = 1;
    result.value = 14.02;
    result.setInfo(QStringLiteral("a&b"));
    QCOMPARE(client.wait(client.service.newResult(1070, result, 3, true)), int(QNetworkReply::NoError));
    QCOMPARE(client.listener.calls, (QStringList{"eventsReceived", "resultInserted"}));

    const QList<QJsonObject> lines = logLines();
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0).value("method").toString(), QStringLiteral("GET"));
    QCOMPARE(lines.at(0).value("path").toString(), QStringLiteral("/events/1"));
    QCOMPARE(lines.at(1).value("path").toString(), QStringLiteral("/new_result"));
    QVERIFY(QDateTime::fromString(lines.at(1).value("time").toString(), Qt::ISODateWithMs).isValid());
    QCOMPARE(lines.at(1).value("fields").toArray().at(6).toArray(), (QJsonArray{"info", "a&b"}));
    QCOMPARE(lines.at(1).value("outcome").toString(), QStringLiteral("answered"));
    // The control channel is not the service: nothing of it is logged.
    QCOMPARE(control("/status").value("requests").toInt(), 2);
    QCOMPARE(logLines().size(), 2);
}

void TestMeetwiseStandinProcess::controlChannel_takesServerDownAndUpWithoutRestart()
{
    QVERIFY(startStandin());
    const qint64 pid = m_process.processId();
    StandinTestClient client(Host);
    QCOMPARE(client.wait(client.service.requestCompetitions()), int(QNetworkReply::NoError));

    QCOMPARE(control("/set?down=1").value("down").toBool(), true);
    QCOMPARE(client.wait(client.service.requestCompetitions()), int(QNetworkReply::ConnectionRefusedError));
    QCOMPARE(client.wait(client.service.requestEvents()), int(QNetworkReply::ConnectionRefusedError));
    QCOMPARE(logLines().size(), 1);

    QCOMPARE(control("/set?down=0").value("down").toBool(), false);
    QCOMPARE(client.wait(client.service.requestCompetitions()), int(QNetworkReply::NoError));
    QCOMPARE(m_process.processId(), pid);
    QCOMPARE(logLines().size(), 2);
    QCOMPARE(client.listener.calls, (QStringList{"competitionsReceived", "competitionsReceived"}));
}

void TestMeetwiseStandinProcess::controlChannel_slowAndDropSwitches()
{
    QVERIFY(startStandin({"--delay", "900"}));
    StandinTestClient client(Host);
    client.service.setTransferTimeout(200);
    QCOMPARE(client.wait(client.service.requestCompetitions()), int(QNetworkReply::OperationCanceledError));
    QCOMPARE(client.listener.calls, QStringList());

    const QJsonObject status = control("/set?delay=0&dropevery=2");
    QCOMPARE(status.value("delay").toInt(), 0);
    QCOMPARE(status.value("dropevery").toInt(), 2);
    QCOMPARE(control("/clearlog").value("logentries").toInt(), 0);
    QCOMPARE(client.wait(client.service.requestCompetitions()), int(QNetworkReply::NoError));
    QCOMPARE(client.wait(client.service.requestCompetitions()), int(QNetworkReply::NoError));
    const QList<QJsonObject> lines = logLines();
    QVERIFY(lines.size() >= 3);
    QCOMPARE(lines.at(0).value("outcome").toString(), QStringLiteral("answered"));
    QCOMPARE(lines.at(1).value("outcome").toString(), QStringLiteral("dropped"));
    QCOMPARE(lines.at(2).value("outcome").toString(), QStringLiteral("answered"));
}

void TestMeetwiseStandinProcess::terminate_writesStateWithChanges()
{
    QVERIFY(startStandin());
    StandinTestClient client(Host);
    Result result;
    result.seqno = 1;
    result.value = 4.1;
    result.metavalue = 4.1;
    QCOMPARE(client.wait(client.service.newResult(1095, result, 8, true)), int(QNetworkReply::NoError));
    const unsigned id = client.listener.maps.first().value("id").toUInt();

    ::kill(pid_t(m_process.processId()), SIGTERM);
    QVERIFY(m_process.waitForFinished(5000));
    QCOMPARE(m_process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_process.exitCode(), 0);

    QFile file(m_dir.filePath("state.json"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray state = file.readAll();
    QVERIFY(state.contains(QByteArray("\"unique\": 8")));
    // The state is a competition file: it serves again with the change.
    file.close();
    QVERIFY(startStandin({"--competition", m_dir.filePath("state.json")}));
    client.listener.clear();
    QCOMPARE(client.wait(client.service.requestHeatResults(111)), int(QNetworkReply::NoError));
    bool found = false;
    for (const Participation *p : std::as_const(client.listener.participations)) {
        for (const Result *r : p->results())
            found = found || (r->result_id == id && p->participation_id == 1095);
    }
    QVERIFY(found);
}

void TestMeetwiseStandinProcess::startedDown_refusesUntilSwitchedUp()
{
    QVERIFY(startStandin({"--down"}));
    StandinTestClient client(Host);
    QCOMPARE(client.wait(client.service.requestCompetitions()), int(QNetworkReply::ConnectionRefusedError));
    QCOMPARE(control("/set?down=0").value("down").toBool(), false);
    QCOMPARE(client.wait(client.service.requestCompetitions()), int(QNetworkReply::NoError));
}

void TestMeetwiseStandinProcess::discoveryPing_isAnswered()
{
    QVERIFY(startStandin());
    QUdpSocket program;
    QVERIFY(program.bind(QHostAddress(Host), 1218, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint));
    program.writeDatagram("MWSTADIONIXPING;64;", QHostAddress(Host), 1217);
    QVERIFY(QTest::qWaitFor([&] { return program.hasPendingDatagrams(); }, 5000));
    const QStringList parts =
        QString::fromLatin1(program.receiveDatagram().data()).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    QCOMPARE(parts.size(), 3);
    QCOMPARE(parts.first(), QStringLiteral("MWSTADIONIXPINGANSWER"));
    const QStringList fields =
        MeetwiseCipher::decipher(parts.at(2), parts.at(1).toULongLong()).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    QVERIFY(fields.size() > 3);
    QCOMPARE(fields.mid(0, 3), (QStringList{"Stadionix stand-in", "official", "lap&time=42"}));
    QCOMPARE(logLines().last().value("method").toString(), QStringLiteral("PING"));
}

void TestMeetwiseStandinProcess::badCompetitionFile_endsWithMessage()
{
    QFile bad(m_dir.filePath("bad.json"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("{ not json");
    bad.close();
    QProcess process;
    process.start(standinProgram(), {"--competition", bad.fileName(), "--listen", Host, "--port", "8090"});
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitCode(), 2);
    QVERIFY(process.readAllStandardError().contains("no competition file"));
}

STADIONIX_TEST_MAIN(TestMeetwiseStandinProcess)
#include "tst_meetwisestandinprocess.moc"
