#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QUdpSocket>
#include <QtTest>

#include "app/settings.h"
#include "devices/edmperformancewidget.h"
#include "devices/scoreboard.h"
#include "devices/standaloneresult.h"
#include "devices/thirdpartyresult.h"
#include "devices/udpresultoutput.h"
#include "devices/windspeed.h"
#include "edmfixture.h"
#include "schedule/modalanswerer.h"
#include "support/socatpair.h"
#include "support/standincable.h"
#include "support/testsupport.h"
#include "tools/total-station-standin/totalstationstandin.h"
#include "tools/virtual-scoreboard/virtualscoreboard.h"
#include "tools/wind-gauge-standin/windgaugestandin.h"

// The standalone measuring page against the stand-in total station and wind
// gauge on ptys, the virtual scoreboard reading the board and the result
// frames on ptys, and UDP listeners on loopback.
class TestEDMPerformanceWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void texts_andUdpPayloads_data();
    void texts_andUdpPayloads();
    void address_onlyACompleteDottedAddressIsTaken_data();
    void address_onlyACompleteDottedAddressIsTaken();
    void longJump_marksAndStatuses_reachBoardFramesAndUdpOnce();
    void outputPortChoice_followsThePortState();
    void pageReplacedByAnother_newPageKeepsUnrequestedReadings();
};

namespace {

// This test's loopback addresses.
const QString ListenerA = QStringLiteral("127.0.17.100");
const QString ListenerB = QStringLiteral("127.0.17.101");

// Every datagram that reaches an address, as text.
class UdpListener
{
public:
    bool bind(const QString &address, quint16 port = 0)
    {
        QObject::connect(&socket, &QUdpSocket::readyRead, &socket, [this] {
            while (socket.hasPendingDatagrams()) {
                QByteArray datagram(int(socket.pendingDatagramSize()), '\0');
                socket.readDatagram(datagram.data(), datagram.size());
                received << QString::fromLatin1(datagram);
            }
        });
        return socket.bind(QHostAddress(address), port);
    }
    quint16 port() const { return socket.localPort(); }

    QUdpSocket socket;
    QStringList received;
};

void click(QWidget *page, const char *name)
{
    auto *button = page->findChild<QAbstractButton *>(name);
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

void TestEDMPerformanceWidget::init()
{
    TestSupport::failOnUnexpectedWarnings();
    Settings::instance();
    QSettings().clear();
}

void TestEDMPerformanceWidget::texts_andUdpPayloads_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("distance"); // -1: the text is a status
    QTest::addColumn<QByteArray>("payload");
    QTest::newRow("fail") << StandaloneResult::Fail << -1.0 << QByteArray("      x ");
    QTest::newRow("pass shows 0, sends o") << StandaloneResult::Pass << -1.0 << QByteArray("      o ");
    QTest::newRow("skip") << StandaloneResult::Skip << -1.0 << QByteArray("      - ");
    QTest::newRow("retired sends a") << StandaloneResult::Retired << -1.0 << QByteArray("      a ");
    QTest::newRow("no result") << StandaloneResult::NoResult << -1.0 << QByteArray("        ");
    QTest::newRow("8.999 cut to 8.99") << "8.99" << 8.999 << QByteArray("8.99");
    QTest::newRow("12.345 cut to 12.34") << "12.34" << 12.345 << QByteArray("12.34");
    QTest::newRow("7.90 as a double stays 7.90") << "7.90" << 7.9 << QByteArray("7.90");
    QTest::newRow("a throw of 85 m") << "85.06" << 85.0649 << QByteArray("85.06");
}

void TestEDMPerformanceWidget::texts_andUdpPayloads()
{
    QFETCH(QString, text);
    QFETCH(double, distance);
    QFETCH(QByteArray, payload);
    if (distance >= 0)
        QCOMPARE(StandaloneResult::textOfDistance(distance), text);
    QCOMPARE(StandaloneResult::isDistance(text), distance >= 0);
    QCOMPARE(StandaloneResult::udpPayload(text), payload);
}

void TestEDMPerformanceWidget::address_onlyACompleteDottedAddressIsTaken_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("address"); // empty: not complete
    QTest::newRow("loopback") << "127.0.0.1"
                              << "127.0.0.1";
    QTest::newRow("highest parts") << "255.255.255.254"
                                   << "255.255.255.254";
    QTest::newRow("leading zeros are decimal") << "010.001.000.009"
                                               << "10.1.0.9";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("typing: three parts and a dot") << "192.168.1."
                                                   << "";
    QTest::newRow("typing: three parts") << "192.168.1"
                                         << "";
    QTest::newRow("a part above 255") << "192.168.1.256"
                                      << "";
    QTest::newRow("five parts") << "1.2.3.4.5"
                                << "";
    QTest::newRow("a host name") << "localhost"
                                 << "";
    QTest::newRow("spaces") << " 1.2.3.4"
                            << "";
}

void TestEDMPerformanceWidget::address_onlyACompleteDottedAddressIsTaken()
{
    QFETCH(QString, text);
    QFETCH(QString, address);
    const std::optional<QHostAddress> parsed = UdpResultOutput::parseAddress(text);
    QCOMPARE(parsed ? parsed->toString() : QString(), address);
    // The output keeps its target and its stored address for a text that
    // is none.
    UdpResultOutput output;
    QCOMPARE(output.setAddressText(text), !address.isEmpty());
    QCOMPARE(output.address().toString(), address.isEmpty() ? QString("127.0.0.1") : address);
    QCOMPARE(Settings::instance()->value("edm", "udp_ip").toString(), address.isEmpty() ? QString("127.0.0.1") : text);
}

void TestEDMPerformanceWidget::longJump_marksAndStatuses_reachBoardFramesAndUdpOnce()
{
    // The cables: the meter, the gauge, the board and the result output.
    SocatPair edmPair, windPair, boardPair, resultPair;
    TotalStationStandin station;
    WindGaugeStandin gauge;
    QVERIFY(connectStandin(edmPair, station, "edm"));
    QVERIFY(connectStandin(windPair, gauge, "windspeed"));
    QVERIFY(boardPair.start() && resultPair.start());
    VirtualScoreboard receiver;
    VirtualScoreboard::Settings boardSettings;
    QString error;
    QVERIFY2(VirtualScoreboard::readLayout(TestSupport::buildDir() + "/scoreboardlayouts/k-3312-field-events.json",
                                           &boardSettings, &error),
             qPrintable(error));
    boardSettings.ptyPath = boardPair.second();
    boardSettings.resultPtyPath = resultPair.second();
    QVERIFY2(receiver.start(boardSettings, &error), qPrintable(error));
    Settings *settings = Settings::instance();
    settings->setValue("scoreboard", "product", "K-3312");
    settings->setValue("scoreboard", "layout", "Field events 192x64");
    settings->setValue("scoreboard", "type", 1);
    settings->setValue("scoreboard", "port", boardPair.first());
    settings->setValue("thirdpartyresult", "type", 1);
    settings->setValue("thirdpartyresult", "port", resultPair.first());
    settings->setValue("edm", "event_type", 3);
    settings->setValue("edm", "number_boards", 2);

    UdpListener a, b;
    QVERIFY(a.bind(ListenerA));
    QVERIFY(b.bind(ListenerB, a.port()));
    settings->setValue("edm", "udp_enabled", true);
    settings->setValue("edm", "udp_ip", ListenerA);
    settings->setValue("edm", "udp_port", a.port());

    EDMFixture f(LongOrTripleJump);
    Scoreboard scoreboard(TestSupport::buildDir());
    ThirdPartyResult output;
    Windspeed wind;
    QTRY_VERIFY(f.edm->isPortOpen() && scoreboard.isPortOpen() && output.isPortOpen() && wind.isPortOpen());
    // The take-off boards, as the devices dialog measures them.
    for (const auto &[type, board, point] :
         {std::tuple{Reference1Measurement, 1, "board1a"}, std::tuple{Reference2Measurement, 1, "board1b"},
          std::tuple{Reference1Measurement, 2, "board2a"}, std::tuple{Reference2Measurement, 2, "board2b"}}) {
        f.model->setPendingMeasurementType(type);
        f.model->setTakeOffBoard(board);
        f.model->requestMeasurement();
        station.measure(point);
        QTRY_VERIFY(!f.model->isWaiting());
    }
    station.field().setPoint("mark1", {-8.0, 27.123, 0});
    station.field().setPoint("mark2", {-8.1, 26.555, 0});
    station.field().setPoint("mark3", {-8.3, 25.907, 0});

    // What the board shows after each clear, and every result frame.
    QMap<int, QStringList> board;
    connect(&receiver, &VirtualScoreboard::changed, this,
            [&] { board[receiver.state().clearCount()] = receiver.state().texts(); });
    QStringList frames;
    connect(&receiver, &VirtualScoreboard::resultReceived, this, [&frames](const QString &text) { frames << text; });

    EDMPerformanceWidget page;
    ScreenDevices devices;
    devices.scoreboard = &scoreboard;
    devices.thirdPartyResult = &output;
    devices.windspeed = &wind;
    devices.edmModel = f.model.get();
    page.setDevices(devices);
    page.show();
    auto *result = page.findChild<QLabel *>("lblResult");
    auto *ip = page.findChild<QLineEdit *>("txtIP");
    auto *ipState = page.findChild<QLabel *>("lblIPState");
    QVERIFY(page.findChild<QWidget *>("frmTakeOffBoard")->isVisible());
    QCOMPARE(ip->text(), ListenerA);

    // A mark measured on the instrument without a tap here.
    station.measure("mark1");
    QTRY_COMPARE(result->text(), QString("7.12"));
    click(&page, "btnFail");
    QCOMPARE(result->text(), QString("X"));
    // Asked for here.
    click(&page, "btnEDM");
    QVERIFY(f.official.waiting);
    QCOMPARE(result->text(), QString());
    station.measure("mark2");
    QTRY_COMPARE(result->text(), QString("6.55"));

    // The address field on its way to another address: results keep going
    // to the last complete one, and the page says so.
    ip->selectAll();
    QTest::keyClick(ip, Qt::Key_Backspace);
    QTest::keyClicks(ip, "127.0.17.");
    QCOMPARE(ip->text(), QString("127.0.17."));
    QVERIFY(ipState->isVisible());
    QVERIFY(ipState->text().contains(ListenerA));
    QCOMPARE(ip->property("code").toInt(), 1);
    station.measure("mark3");
    QTRY_COMPARE(result->text(), QString("5.90"));
    QTest::keyClicks(ip, "101");
    QVERIFY(!ipState->isVisible());
    QCOMPARE(ip->property("code").toInt(), 0);
    QCOMPARE(settings->value("edm", "udp_ip").toString(), ListenerB);

    // The athlete took off from board 2: asked, then recalculated and sent.
    QString title;
    ModalAnswerer yes({[&title](QWidget *dialog) {
        title = dialog->windowTitle();
        QTest::mouseClick(qobject_cast<QMessageBox *>(dialog)->button(QMessageBox::Yes), Qt::LeftButton);
    }});
    click(&page, "rdbTakeOffBoard2");
    QCOMPARE(yes.answered(), 1);
    QCOMPARE(title, QString("Recalculate result"));
    QCOMPARE(result->text(), QString("2.90"));
    QCOMPARE(f.model->takeOffBoard(), 2);
    // Enter sends it again to the board and the output, not over UDP.
    click(&page, "btnEnter");
    // After a failure there is nothing to recalculate.
    click(&page, "btnFail");
    ModalAnswerer none({[](QWidget *dialog) { dialog->close(); }});
    click(&page, "rdbTakeOffBoard1");
    QTest::qWait(100);
    QCOMPARE(none.answered(), 0);
    QCOMPARE(f.model->takeOffBoard(), 1);
    // With UDP output off only the board and the output get it.
    page.findChild<QAbstractButton *>("chkUDPOutputEnabled")->click();
    QCOMPARE(settings->value("edm", "udp_enabled").toBool(), false);
    click(&page, "btnSkip");

    // While the devices dialog is open a stray reading is not a result.
    QSignalSpy readings(f.model.get(), &EDMModel::edmMeasurement);
    page.releaseEDM();
    station.measure("mark1");
    QTest::qWait(300);
    QCOMPARE(readings.size(), 0);
    QCOMPARE(result->text(), QString("-"));
    page.reloadEDMState();
    station.measure("mark1");
    QTRY_COMPARE(result->text(), QString("7.12"));

    const QStringList sent{"7.12", "X", "6.55", "5.90", "2.90", "2.90", "X", "-", "7.12"};
    QTRY_COMPARE_WITH_TIMEOUT(frames.size(), sent.size(), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(board.value(int(sent.size())), QStringList{sent.last()}, 5000);
    QCOMPARE(board.lastKey(), int(sent.size()));
    QCOMPARE(frames, sent);
    QCOMPARE(receiver.resultRejected(), 0);
    QStringList shown;
    for (int clear = 1; clear <= sent.size(); ++clear)
        shown << board.value(clear).join('|');
    QCOMPARE(shown, sent);
    QCOMPARE(receiver.rejected(), 0);
    QTest::qWait(100);
    QCOMPARE(a.received, QStringList({"7.12", "      x ", "6.55", "5.90"}));
    QCOMPARE(b.received, QStringList({"2.90", "      x "}));

    // The wind button of a jump starts the gauge's five seconds.
    click(&page, "btnWind");
    QTRY_COMPARE(gauge.starts(), 1);
    QCOMPARE(gauge.measuringSeconds(), 5);
}

void TestEDMPerformanceWidget::outputPortChoice_followsThePortState()
{
    SocatPair pair;
    QVERIFY(pair.start());
    Settings *settings = Settings::instance();
    settings->setValue("thirdpartyresult", "type", 1);
    settings->setValue("thirdpartyresult", "port", pair.first());
    ThirdPartyResult output;
    EDMPerformanceWidget page;
    ScreenDevices devices;
    devices.thirdPartyResult = &output;
    page.setDevices(devices);
    auto *choice = page.findChild<QComboBox *>("cmbThirdPartySerialPort");
    QCOMPARE(choice->itemText(0), QString("None"));
    // The pty is no port the machine lists, but it is the one in use.
    QCOMPARE(choice->currentText(), pair.first());
    QTRY_COMPARE(choice->property("code").toInt(), 0);

    choice->setCurrentIndex(0);
    QCOMPARE(choice->property("code").toInt(), 2);
    QCOMPARE(settings->value("thirdpartyresult", "type").toInt(), 3);
    QTRY_VERIFY(!output.isPortOpen());
    choice->setCurrentIndex(choice->findText(pair.first()));
    QCOMPARE(settings->value("thirdpartyresult", "type").toInt(), 1);
    QCOMPARE(settings->value("thirdpartyresult", "port").toString(), pair.first());
    QTRY_COMPARE(choice->property("code").toInt(), 0);
    // The cable is pulled: the next port the output opens fails.
    pair.stop();
    choice->setCurrentIndex(0);
    choice->setCurrentIndex(choice->findText(pair.first()));
    QTRY_COMPARE(choice->property("code").toInt(), 1);
}

void TestEDMPerformanceWidget::pageReplacedByAnother_newPageKeepsUnrequestedReadings()
{
    EDMFixture f(ShotPut);
    ScreenDevices devices;
    devices.edmModel = f.model.get();
    auto *first = new EDMPerformanceWidget;
    first->setDevices(devices);
    QVERIFY(f.edm->acceptsUnrequested());
    // "Standalone" tapped again: the old page is let go at once and deleted
    // later, after the new one has taken the meter.
    first->releaseEDM();
    EDMPerformanceWidget second;
    second.setDevices(devices);
    first->deleteLater();
    QTest::qWait(10);
    QVERIFY(f.edm->acceptsUnrequested());
    emit f.model->edmResult(12.345, 0);
    QCOMPARE(second.resultText(), QString("12.34"));
}

STADIONIX_TEST_MAIN(TestEDMPerformanceWidget)
#include "tst_edmperformancewidget.moc"
