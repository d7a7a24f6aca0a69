// Finding competition servers: the answers as they come over the network,
// and the pings and answers over real UDP on loopback with the stand-in.
#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QUdpSocket>
#include <QtTest>

#include "discoverablestandin.h"
#include "support/testsupport.h"
#include "sync/meetwisecipher.h"
#include "sync/meetwisediscovery.h"

namespace {

const QHostAddress ServerAddress(QStringLiteral("127.0.18.1"));
const QHostAddress ProgramAddress(QStringLiteral("127.0.18.2"));

QByteArray answer(quint64 key, const QString &plain)
{
    return "MWSTADIONIXPINGANSWER;" + QByteArray::number(key) + ';' + MeetwiseCipher::encipher(plain, key).toLatin1();
}

} // namespace

class TestMeetwiseDiscovery : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }

    void parseAnswer_data();
    void parseAnswer();
    void pingNumber_isAPowerOfEightModulo863();
    void standin_answersPing_serverFoundWithItsIdentity();
    void unsendablePing_loggedOnceAndOtherTargetsStillPinged();
    void answerPortUnavailable_startFailsAndSaysSo();
};

void TestMeetwiseDiscovery::parseAnswer_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QStringList>("identity");

    const QString noWarning;
    QTest::newRow("stand-in's answer") << answer(271828, "Stadionix stand-in;official;lap&time=42;standin;")
                                       << noWarning << true
                                       << QStringList{"Stadionix stand-in", "official", "lap&time=42"};
    QTest::newRow("empty fields are dropped before counting")
        << answer(99, ";;Hall B;judge;pw;x") << noWarning << true << QStringList{"Hall B", "judge", "pw"};
    QTest::newRow("separators around the key")
        << "MWSTADIONIXPINGANSWER;;5;;" + MeetwiseCipher::encipher("N;U;P;E", 5).toLatin1() + ";" << noWarning << true
        << QStringList{"N", "U", "P"};
    QTest::newRow("only the key field") << QByteArray("MWSTADIONIXPINGANSWER;271828;") << noWarning << false
                                        << QStringList();
    QTest::newRow("prefix alone") << QByteArray("MWSTADIONIXPINGANSWER") << noWarning << false << QStringList();
    QTest::newRow("three fields are too few") << answer(7, "Hall B;judge;pw;") << noWarning << false << QStringList();
    QByteArray wrongVersion = QByteArray::fromBase64(MeetwiseCipher::encipher("N;U;P;E;", 7).toLatin1());
    wrongVersion[0] = 2;
    QTest::newRow("wrong cipher version") << "MWSTADIONIXPINGANSWER;7;" + wrongVersion.toBase64()
                                          << "Invalid version or not a cyphertext." << false << QStringList();
    QTest::newRow("deciphered with another key")
        << "MWSTADIONIXPINGANSWER;8;" + MeetwiseCipher::encipher("N;U;P;E;", 7).toLatin1() << "Integrity check failed."
        << false << QStringList();
    QTest::newRow("key is no number") << "MWSTADIONIXPINGANSWER;x7;" +
                                             MeetwiseCipher::encipher("N;U;P;E;", 7).toLatin1()
                                      << noWarning << false << QStringList();
    QTest::newRow("a ping is no answer") << QByteArray("MWSTADIONIXPING;64;") << noWarning << false << QStringList();
    QTest::newRow("prefix not at the start") << " " + answer(7, "N;U;P;E;") << noWarning << false << QStringList();
}

void TestMeetwiseDiscovery::parseAnswer()
{
    QFETCH(QByteArray, datagram);
    QFETCH(QString, warning);
    QFETCH(bool, found);
    QFETCH(QStringList, identity);

    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    MeetwiseDiscoveryAnswer parsed;
    QCOMPARE(MeetwiseDiscovery::parseAnswer(datagram, &parsed), found);
    if (found)
        QCOMPARE((QStringList{parsed.name, parsed.user, parsed.password}), identity);
}

void TestMeetwiseDiscovery::pingNumber_isAPowerOfEightModulo863()
{
    const QList<int> powers{8, 64, 512, 644, 837, 655};
    QSet<int> seen;
    for (int i = 0; i < 200; ++i) {
        MeetwiseDiscovery discovery;
        QVERIFY2(powers.contains(discovery.pingNumber()), qPrintable(QString::number(discovery.pingNumber())));
        QCOMPARE(discovery.pingDatagram(), "MWSTADIONIXPING;" + QByteArray::number(discovery.pingNumber()) + ';');
        seen.insert(discovery.pingNumber());
    }
    // Drawn, not fixed.
    QVERIFY(seen.size() > 1);
}

void TestMeetwiseDiscovery::standin_answersPing_serverFoundWithItsIdentity()
{
    StandinServer server;
    QString error;
    QVERIFY2(startDiscoverableStandin(server, ServerAddress, &error), qPrintable(error));

    MeetwiseDiscovery discovery;
    discovery.setPingTargets({ServerAddress});
    discovery.setListenAddress(ProgramAddress);
    QSignalSpy found(&discovery, &MeetwiseDiscovery::new_server);
    QVERIFY(discovery.start());
    QVERIFY(found.wait(3000));
    QCOMPARE(found.first(), (QVariantList{"127.0.18.1", "Stadionix stand-in", "official", "lap&time=42"}));

    // The echo timer pings again, with the same number.
    QTRY_COMPARE_WITH_TIMEOUT(found.size(), 2, MeetwiseDiscovery::EchoInterval + 2000);
    const QList<QJsonObject> log = server.requestLog();
    QCOMPARE(log.size(), 2);
    for (const QJsonObject &entry : log) {
        QCOMPARE(entry.value("method").toString(), QStringLiteral("PING"));
        QCOMPARE(entry.value("from").toString(), QStringLiteral("127.0.18.2"));
        QCOMPARE(entry.value("fields").toArray().at(0).toArray().at(1).toString(),
                 QString::number(discovery.pingNumber()));
    }
}

void TestMeetwiseDiscovery::unsendablePing_loggedOnceAndOtherTargetsStillPinged()
{
    QUdpSocket server;
    QVERIFY(server.bind(ServerAddress, MeetwiseDiscovery::PingPort,
                        QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint));

    MeetwiseDiscovery discovery;
    // An IPv6 target cannot be reached from a socket bound to an IPv4
    // address: the write fails at once.
    discovery.setPingTargets({QHostAddress(QStringLiteral("::1")), ServerAddress});
    discovery.setListenAddress(ProgramAddress);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Discovery ping to \"::1\" not sent")));
    QVERIFY(discovery.start());
    QTRY_VERIFY(server.hasPendingDatagrams());
    QCOMPARE(server.receiveDatagram().data(), discovery.pingDatagram());
    // The next tick fails again, silently, and still reaches the other.
    QVERIFY(QTest::qWaitFor([&] { return server.hasPendingDatagrams(); }, MeetwiseDiscovery::EchoInterval + 2000));
    QCOMPARE(server.receiveDatagram().data(), discovery.pingDatagram());
}

void TestMeetwiseDiscovery::answerPortUnavailable_startFailsAndSaysSo()
{
    MeetwiseDiscovery discovery;
    discovery.setPingTargets({ServerAddress});
    // An address of no interface of this machine (a documentation network).
    discovery.setListenAddress(QHostAddress(QStringLiteral("192.0.2.1")));
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("^Cannot listen for discovery answers on \"192.0.2.1\"")));
    QVERIFY(!discovery.start());
    QVERIFY(!discovery.isRunning());
}

STADIONIX_TEST_MAIN(TestMeetwiseDiscovery)
#include "tst_meetwisediscovery.moc"
