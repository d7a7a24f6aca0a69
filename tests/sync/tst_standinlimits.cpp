// The stand-in is run by the demo and reachable from the network: its
// control channel, its request limits and its checks of what it stores must
// hold against whoever reaches it.
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include "support/testsupport.h"
#include "tools/meetwise-standin/standinserver.h"

namespace {

constexpr unsigned LongJumpHeat = 106;
// This test's own loopback address: it takes no lock on the port.
const QString OwnHost = QStringLiteral("127.0.12.2");

// The demo competition served on this test's own address, with a control
// channel on port 8091 and the state file given. The error, or nothing.
QString startOwnServer(StandinServer &server, const QString &stateFile)
{
    QString error;
    if (!server.loadCompetition(StandinServer::demoCompetitionPath(), &error))
        return error;
    StandinServer::Settings settings;
    settings.address = QHostAddress(OwnHost);
    settings.controlPort = 8091;
    settings.stateFile = stateFile;
    server.start(settings, &error);
    return error;
}

// Status code of a request to the control channel.
int controlStatus(const QString &host, quint16 port, const QByteArray &method, const QString &pathAndQuery)
{
    QNetworkAccessManager network;
    QNetworkRequest request(QUrl(QStringLiteral("http://%1:%2%3").arg(host).arg(port).arg(pathAndQuery)));
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
    QNetworkReply *reply = method == "POST" ? network.post(request, QByteArray()) : network.get(request);
    QSignalSpy done(reply, &QNetworkReply::finished);
    const int status = done.wait(5000) ? reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() : -1;
    delete reply;
    return status;
}

} // namespace

class TestStandinLimits : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }
    void controlChannel_changesOnlyOnPost_data();
    void controlChannel_changesOnlyOnPost();
    void controlChannel_savesOnlyInStateFolder_data();
    void controlChannel_savesOnlyInStateFolder();
    void controlChannel_onLoopbackWhateverServiceListensOn();
    void requestLimits_bigBodyRefusedIdleConnectionClosed();
    void nonNumbersAndIncompleteResults_refused_data();
    void nonNumbersAndIncompleteResults_refused();
};

void TestStandinLimits::controlChannel_changesOnlyOnPost_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("down");
    QTest::newRow("status is read with GET") << QByteArray("GET") << "/status" << 200 << false;
    QTest::newRow("the log is read with GET") << QByteArray("GET") << "/log" << 200 << false;
    QTest::newRow("set with GET") << QByteArray("GET") << "/set?down=1" << 405 << false;
    QTest::newRow("save with GET") << QByteArray("GET") << "/save" << 405 << false;
    QTest::newRow("reload with GET") << QByteArray("GET") << "/reload" << 405 << false;
    QTest::newRow("clearlog with GET") << QByteArray("GET") << "/clearlog" << 405 << false;
    QTest::newRow("quit with GET") << QByteArray("GET") << "/quit" << 405 << false;
    QTest::newRow("set with POST") << QByteArray("POST") << "/set?down=1" << 200 << true;
}

void TestStandinLimits::controlChannel_changesOnlyOnPost()
{
    QFETCH(QByteArray, method);
    QFETCH(QString, path);
    QFETCH(int, status);
    QFETCH(bool, down);
    QTemporaryDir dir;
    StandinServer server;
    const QString error = startOwnServer(server, dir.filePath("state.json"));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QSignalSpy quit(&server, &StandinServer::quitRequested);

    QCOMPARE(controlStatus(OwnHost, 8091, method, path), status);
    QCOMPARE(server.isDown(), down);
    QCOMPARE(quit.size(), 0);
    QCOMPARE(QFileInfo::exists(dir.filePath("state.json")), false);
}

void TestStandinLimits::controlChannel_savesOnlyInStateFolder_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("written"); // below the test's folder
    QTest::newRow("the state file") << "" << 200 << "state/state.json";
    QTest::newRow("a name in its folder") << "copy.json" << 200 << "state/copy.json";
    QTest::newRow("up and out") << "../outside.json" << 403 << "outside.json";
    QTest::newRow("a path elsewhere") << "@/elsewhere.json" << 403 << "elsewhere.json";
    QTest::newRow("through a link out of it") << "link/evil.json" << 403 << "evil.json";
    QTest::newRow("a folder") << "." << 403 << "";
}

void TestStandinLimits::controlChannel_savesOnlyInStateFolder()
{
    QFETCH(QString, file);
    QFETCH(int, status);
    QFETCH(QString, written);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("state"));
    QVERIFY(QFile::link(dir.path(), dir.filePath("state/link")));
    file.replace(QLatin1Char('@'), dir.path());
    StandinServer server;
    const QString error = startOwnServer(server, dir.filePath("state/state.json"));
    QVERIFY2(error.isEmpty(), qPrintable(error));

    const QString query = file.isEmpty() ? QString() : "?file=" + QString::fromLatin1(QUrl::toPercentEncoding(file));
    QCOMPARE(controlStatus(OwnHost, 8091, "POST", "/save" + query), status);
    if (!written.isEmpty())
        QCOMPARE(QFileInfo::exists(dir.filePath(written)), status == 200);
}

void TestStandinLimits::controlChannel_onLoopbackWhateverServiceListensOn()
{
    // A control port free on this machine's loopback.
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 controlPort = probe.serverPort();
    probe.close();
    StandinServer server;
    QString error;
    QVERIFY(server.loadCompetition(StandinServer::demoCompetitionPath(), &error));
    StandinServer::Settings settings;
    settings.address = QHostAddress(QHostAddress::AnyIPv4);
    settings.port = 0;
    settings.controlPort = controlPort;
    QVERIFY2(server.start(settings, &error), qPrintable(error));
    QCOMPARE(server.status().value("controladdress").toString(), QStringLiteral("127.0.0.1"));
    QCOMPARE(controlStatus("127.0.0.1", controlPort, "GET", "/status"), 200);
}

void TestStandinLimits::requestLimits_bigBodyRefusedIdleConnectionClosed()
{
    StandinServer server;
    QString error;
    QVERIFY(server.loadCompetition(StandinServer::demoCompetitionPath(), &error));
    StandinServer::Settings settings;
    settings.address = QHostAddress(OwnHost);
    settings.maxRequestBytes = 64 * 1024;
    settings.idleTimeoutMs = 300;
    QVERIFY2(server.start(settings, &error), qPrintable(error));

    // 32 MiB announced and sent: refused long before, and not kept.
    const qint64 memoryBefore = TestSupport::residentKiB();
    QTcpSocket big;
    big.connectToHost(OwnHost, 8090);
    QVERIFY(big.waitForConnected(3000));
    big.write("POST /new_result HTTP/1.1\r\nHost: x\r\nContent-Type: application/x-www-form-urlencoded\r\n"
              "Content-Length: 33554432\r\n\r\n");
    const QByteArray chunk(1024 * 1024, 'a');
    for (int i = 0; i < 32 && big.state() == QAbstractSocket::ConnectedState; ++i) {
        big.write(chunk);
        [[maybe_unused]] const bool sent = QTest::qWaitFor(
            [&] { return big.bytesToWrite() == 0 || big.state() != QAbstractSocket::ConnectedState; }, 1000);
    }
    QVERIFY(QTest::qWaitFor([&] { return big.state() == QAbstractSocket::UnconnectedState; }, 3000));
    QCOMPARE(server.requestCount(), 0);
    const qint64 growth = TestSupport::residentKiB() - memoryBefore;
    QVERIFY2(growth < 8 * 1024, qPrintable(QString::number(growth)));

    // Connected and silent: closed after the idle time.
    QTcpSocket idle;
    idle.connectToHost(OwnHost, 8090);
    QVERIFY(idle.waitForConnected(3000));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(QTest::qWaitFor([&] { return idle.state() == QAbstractSocket::UnconnectedState; }, 3000));
    QVERIFY2(clock.elapsed() >= 250, qPrintable(QString::number(clock.elapsed())));
}

void TestStandinLimits::nonNumbersAndIncompleteResults_refused_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<StandinFields>("fields");
    const StandinFields attempt{{"seqno", "2"}, {"value", "6.10"}, {"wind", "0.5"}, {"metavalue", "0"}};
    const auto with = [&attempt](const QString &name, const QString &value) {
        StandinFields fields = attempt;
        for (auto &field : fields) {
            if (field.first == name)
                field.second = value;
        }
        return fields;
    };
    QTest::newRow("value nan") << "new_result" << with("value", "nan");
    QTest::newRow("value inf") << "new_result" << with("value", "inf");
    QTest::newRow("wind nan") << "new_result" << with("wind", "NaN");
    QTest::newRow("height -inf") << "new_result" << with("metavalue", "-inf");
    QTest::newRow("only the athlete") << "new_result" << StandinFields();
    QTest::newRow("no mark") << "new_result" << StandinFields{{"seqno", "2"}};
    QTest::newRow("no attempt") << "new_result" << StandinFields{{"value", "6.10"}};
    QTest::newRow("changed to nan") << "update_result" << with("value", "nan");
    QTest::newRow("start height nan") << "update_participation" << StandinFields{{"startheight", "nan"}};
}

void TestStandinLimits::nonNumbersAndIncompleteResults_refused()
{
    QFETCH(QString, path);
    QFETCH(StandinFields, fields);
    StandinCompetition competition;
    QVERIFY(competition.loadFile(StandinServer::demoCompetitionPath()));
    const unsigned participation = competition.heatParticipations(LongJumpHeat).first();
    const StandinCompetition::StoredParticipation before = *competition.participation(participation);
    StandinCompetition::Reply reply;
    if (path == QLatin1String("new_result")) {
        fields.prepend({"participation", QString::number(participation)});
        reply = competition.newResult(fields, QStringLiteral("client"));
    } else if (path == QLatin1String("update_result")) {
        fields.prepend({"id", QString::number(before.results.first().id)});
        reply = competition.updateResult(fields);
    } else {
        fields.prepend({"id", QString::number(participation)});
        reply = competition.updateParticipation(fields);
    }
    QCOMPARE(reply.status, 400);
    const StandinCompetition::StoredParticipation *after = competition.participation(participation);
    QCOMPARE(after->results.size(), before.results.size());
    QCOMPARE(after->results.first().value, before.results.first().value);
    QCOMPARE(after->data, before.data);
}

STADIONIX_TEST_MAIN(TestStandinLimits)
#include "tst_standinlimits.moc"
