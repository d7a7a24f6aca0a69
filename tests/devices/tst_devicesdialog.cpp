#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <memory>

#include "answeringofficial.h"
#include "app/settings.h"
#include "devices/boardpainter.h"
#include "devices/countdownclock.h"
#include "devices/deviceports.h"
#include "devices/devicesdialog.h"
#include "devices/deviceset.h"
#include "devices/edm.h"
#include "devices/edmmeasurement.h"
#include "devices/edmmodel.h"
#include "devices/scoreboard.h"
#include "devices/transport/dataportslistmodel.h"
#include "support/socatpair.h"
#include "support/testsupport.h"
#include "sync/databaseconnection.h"
#include "tools/total-station-standin/totalstationstandin.h"
#include "tools/virtual-scoreboard/virtualscoreboard.h"
#include "tools/wind-gauge-standin/windgaugestandin.h"
#include "tools/wifi-bridge-standin/wifibridgestandin.h"

// The devices dialog as an official uses it, under the offscreen platform,
// with the program's devices on real ptys (socat pairs), the stand-in bridge,
// the virtual scoreboard and the stand-in total station.
class TestDevicesDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void portSelectors_colourByPortState_andStoreEachChoice();
    void scoreboardTab_previewShowsWhatTheBoardDecodes();
    void edmTab_calibratesAShotPut_withTheTotalStation();
    void windspeedTab_showsTheGaugesResult_data();
    void windspeedTab_showsTheGaugesResult();
    void countdownTab_digitsStepAndWrap();
    void screenshots_ofEveryTab_inEnglishAndDutch();
};

namespace {

const QHostAddress ListenerAddress(QStringLiteral("127.0.17.10"));
const QHostAddress BridgeAddress(QStringLiteral("127.0.17.11"));

// A choice in a selector, as a tap in its list gives it.
void choose(QComboBox *combo, int row)
{
    QVERIFY(row >= 0 && row < combo->count());
    combo->setCurrentIndex(row);
    emit combo->activated(row);
}

int rowOf(QComboBox *combo, const QString &name)
{
    return combo->findText(name);
}

// The colour most of the selector is drawn with.
QColor drawnColour(QComboBox *combo)
{
    const QImage picture = combo->grab().toImage();
    QHash<QRgb, int> counts;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            ++counts[picture.pixel(x, y)];
    }
    QRgb most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > counts.value(most))
            most = it.key();
    }
    return QColor(most);
}

// The style shades the background; its hue is the colour's.
bool looksLike(const QColor &drawn, const QColor &colour)
{
    if (drawn.hsvSaturation() < 128)
        return false;
    const int difference = qAbs(drawn.hsvHue() - colour.hsvHue());
    return qMin(difference, 360 - difference) <= 8;
}

QVariant stored(const char *group, const char *key)
{
    return Settings::instance()->value(QString::fromLatin1(group), QString::fromLatin1(key));
}

template <typename T> T *child(QWidget *parent, const char *name)
{
    T *widget = parent->findChild<T *>(QString::fromLatin1(name));
    if (!widget)
        qWarning("No %s", name);
    return widget;
}

struct Program
{
    Program()
        : devices(TestSupport::buildDir())
    {}
    DeviceSet devices;
};

} // namespace

void TestDevicesDialog::initTestCase()
{
    qRegisterMetaType<QHostAddress>();
}

void TestDevicesDialog::init()
{
    TestSupport::failOnUnexpectedWarnings();
    QSettings().clear();
    qunsetenv("STADIONIX_SERIAL_LINKS");
}

void TestDevicesDialog::cleanup()
{
    QSettings().clear();
    qunsetenv("STADIONIX_SERIAL_LINKS");
}

void TestDevicesDialog::portSelectors_colourByPortState_andStoreEachChoice()
{
    SocatPair pair;
    QVERIFY2(pair.start(), qPrintable(pair.error()));
    const QString missing = pair.first() + QStringLiteral("-unplugged");
    qputenv("STADIONIX_SERIAL_LINKS", (pair.first() + QLatin1Char(':') + missing).toLocal8Bit());
    WifiBridgeStandin bridge;
    WifiBridgeStandin::Settings bridgeSettings;
    bridgeSettings.address = BridgeAddress;
    bridgeSettings.announceTo = ListenerAddress;
    bridgeSettings.announceIntervalMs = 200;
    QVERIFY(bridge.start(bridgeSettings));

    Program program;
    DevicesDialog dialog(&program.devices);
    qint64 now = QDateTime::currentSecsSinceEpoch();
    dialog.ports()->setClock([&now] { return now; });
    dialog.ports()->setListenAddress(ListenerAddress, 55555);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *scoreboard = child<QComboBox>(&dialog, "cmbScoreboardPort");
    auto *wind = child<QComboBox>(&dialog, "cmbWindspeedPort");
    auto *edm = child<QComboBox>(&dialog, "cmbEDMPort");
    auto *video = child<QComboBox>(&dialog, "cmbVideoscoreboardPort");
    QCOMPARE(scoreboard->currentText(), QStringLiteral("None"));
    QCOMPARE(scoreboard->property("code").toInt(), 2);
    const QColor plain = drawnColour(scoreboard);

    // An open pty: green; the EDM's serial settings show with a serial port.
    dialog.findChild<QTabWidget *>()->setCurrentIndex(3);
    QVERIFY(!child<QWidget>(&dialog, "cmbBaudrate")->isVisible());
    choose(edm, rowOf(edm, pair.first()));
    QTRY_COMPARE(edm->property("code").toInt(), 0);
    QVERIFY(looksLike(drawnColour(edm), QColor(0, 128, 0))); // "green"
    QCOMPARE(stored("edm", "type").toUInt(), 1u);
    QCOMPARE(stored("edm", "port").toString(), pair.first());
    QVERIFY(child<QWidget>(&dialog, "cmbBaudrate")->isVisible());
    auto *baud = child<QComboBox>(&dialog, "cmbBaudrate");
    baud->setCurrentIndex(baud->findText(QStringLiteral("19200")));
    QCOMPARE(stored("edm", "baud").toInt(), 19200);

    // The same pty for the wind gauge: refused, back to "None".
    choose(wind, rowOf(wind, pair.first()));
    QTRY_VERIFY(dialog.findChild<QMessageBox *>(QStringLiteral("msgPortAlreadyUsed")));
    auto *message = dialog.findChild<QMessageBox *>(QStringLiteral("msgPortAlreadyUsed"));
    QCOMPARE(message->windowTitle(), QStringLiteral("Port already used"));
    QCOMPARE(message->text(), QStringLiteral("The port is already in use by another device."));
    QCOMPARE(wind->currentIndex(), 0);
    QCOMPARE(wind->property("code").toInt(), 2);
    QCOMPARE(stored("windspeed", "type").toUInt(), 3u);
    message->accept();

    // A link with nothing behind it: red.
    choose(wind, rowOf(wind, missing));
    QTRY_COMPARE(wind->property("code").toInt(), 1);
    QVERIFY(looksLike(drawnColour(wind), QColor(Qt::red)));

    // The bridge is heard (not by the video scoreboard), chosen: green;
    // silent for more than 10 s: orange.
    QTRY_VERIFY(rowOf(scoreboard, QStringLiteral("6/1/123")) > 0);
    QCOMPARE(rowOf(video, QStringLiteral("6/1/123")), -1);
    choose(scoreboard, rowOf(scoreboard, QStringLiteral("6/1/123")));
    QTRY_COMPARE(scoreboard->property("code").toInt(), 0);
    QCOMPARE(stored("scoreboard", "type").toUInt(), 2u);
    QCOMPARE(stored("scoreboard", "ip").toString(), QString::number(BridgeAddress.toIPv4Address()));
    bridge.setSilent(true);
    QTest::qWait(400); // announcements on their way are heard
    now += DevicePorts::BridgeSilenceSeconds + 1;
    QTRY_COMPARE(scoreboard->property("code").toInt(), 3); // the dialog's own second-by-second look
    QVERIFY(looksLike(drawnColour(scoreboard), QColor(255, 128, 0)));

    // "None": no colour.
    choose(scoreboard, 0);
    QCOMPARE(scoreboard->property("code").toInt(), 2);
    QCOMPARE(drawnColour(scoreboard), plain);
    QVERIFY(plain.hsvSaturation() < 128);
    QCOMPARE(stored("scoreboard", "type").toUInt(), 3u);

    // Closing the dialog ends the listener.
    dialog.reject();
    QVERIFY(!dialog.ports()->isListening());
}

void TestDevicesDialog::scoreboardTab_previewShowsWhatTheBoardDecodes()
{
    SocatPair pair;
    QVERIFY2(pair.start(), qPrintable(pair.error()));
    qputenv("STADIONIX_SERIAL_LINKS", pair.first().toLocal8Bit());
    Program program;
    Scoreboard *board = program.devices.scoreboard();
    DevicesDialog dialog(&program.devices);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    auto *type = child<QComboBox>(&dialog, "cmbScoreboardType");
    type->setCurrentIndex(type->findText(QStringLiteral("K-315")));
    QCOMPARE(stored("scoreboard", "product").toString(), QStringLiteral("K-315"));
    QCOMPARE(stored("scoreboard", "layout").toString(), QStringLiteral("Field events 96x32"));
    QCOMPARE(board->controllerName(), QStringLiteral("Changhong"));
    child<QCheckBox>(&dialog, "chkClearAfterResult")->setChecked(true);
    child<QSpinBox>(&dialog, "spnClearTimeout")->setValue(8);
    QCOMPARE(stored("scoreboard", "clear_after_result").toBool(), true);
    QCOMPARE(stored("scoreboard", "clear_timeout").toInt(), 8);
    auto *port = child<QComboBox>(&dialog, "cmbScoreboardPort");
    choose(port, rowOf(port, pair.first()));
    QTRY_COMPARE(port->property("code").toInt(), 0);

    VirtualScoreboard standin;
    VirtualScoreboard::Settings settings;
    QString error;
    QVERIFY2(VirtualScoreboard::readLayout(TestSupport::sourceDir() + "/scoreboardlayouts/k-315-field-events.json",
                                           &settings, &error),
             qPrintable(error));
    settings.ptyPath = pair.second();
    QVERIFY2(standin.start(settings, &error), qPrintable(error));

    QTest::mouseClick(child<QPushButton>(&dialog, "btnHorizontalParticipant"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(&dialog, "btnHorizontalResult"), Qt::LeftButton);
    const QImage sent = BoardPainter::ledImage(board->preview());
    QVERIFY(!sent.isNull());
    QTRY_COMPARE_WITH_TIMEOUT(BoardPainter::ledImage(standin.state()), sent, 10000);
    const QPixmap shown = child<QLabel>(&dialog, "lblPreview")->pixmap();
    const BoardState &state = board->preview();
    QCOMPARE(shown.toImage().convertToFormat(QImage::Format_RGB32),
             BoardPainter::render(state, shown.width() / state.size().width()).convertToFormat(QImage::Format_RGB32));

    auto *brightness = child<QLabel>(&dialog, "lblScoreboardBrightness");
    QCOMPARE(brightness->maximumHeight(), 0);
    QSignalSpy stepped(board, &Scoreboard::brightnessUpdated);
    QTest::mouseClick(child<QPushButton>(&dialog, "btnScoreboardBrightness"), Qt::LeftButton);
    QCOMPARE(stepped.count(), 1);
    QCOMPARE(
        brightness->text(),
        QStringLiteral("Brightness %1/%2").arg(stepped.first().at(0).toUInt()).arg(stepped.first().at(1).toUInt()));
    QTRY_COMPARE(brightness->maximumHeight(), 200);
}

void TestDevicesDialog::edmTab_calibratesAShotPut_withTheTotalStation()
{
    SocatPair pair;
    QVERIFY2(pair.start(), qPrintable(pair.error()));
    qputenv("STADIONIX_SERIAL_LINKS", pair.first().toLocal8Bit());
    QTemporaryDir folder;
    AnsweringOfficial official;
    Program program;
    DatabaseConnection connection(nullptr, folder.path(), folder.filePath(QStringLiteral("stadionix.db")));
    EDMModel *model = program.devices.edmModel();
    model->setOfficial(&official);
    model->setDatabaseConnection(&connection);
    TotalStationStandin station;
    station.field() = TotalStationField::demo();
    QVERIFY(station.openSerial(pair.second()));

    DevicesDialog dialog(&program.devices);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *port = child<QComboBox>(&dialog, "cmbEDMPort");
    choose(port, rowOf(port, pair.first()));
    QTRY_COMPARE(port->property("code").toInt(), 0);

    // Discus, long or triple jump, pole vault, javelin, shot put.
    auto *eventType = child<QPushButton>(&dialog, "btnEventType");
    const QStringList steps{"Discus Throw", "Long or Triple Jump", "Pole Vault", "Javelin Throw", "Shot Put"};
    for (const QString &step : steps) {
        QTest::mouseClick(eventType, Qt::LeftButton);
        QCOMPARE(child<QLabel>(&dialog, "lblEventType")->text(), step);
    }
    QCOMPARE(model->eventType(), 5u);
    QCOMPARE(stored("edm", "event_type").toUInt(), 5u);

    // A test before the reference: refused.
    QTest::mouseClick(child<QPushButton>(&dialog, "btnTestMeasurement"), Qt::LeftButton);
    QCOMPARE(official.shown, QStringList{"missing references"});

    QTest::mouseClick(child<QPushButton>(&dialog, "btnReference1"), Qt::LeftButton);
    QVERIFY(official.waiting);
    QVERIFY(station.measure(QStringLiteral("centre")));
    QTRY_VERIFY(!official.waiting);
    QVERIFY(model->reference1());
    QVERIFY(child<QLabel>(&dialog, "lblReferences")->text().contains(model->reference1()->text()));

    official.tapeAnswers = {8.5};
    QTest::mouseClick(child<QPushButton>(&dialog, "btnTestMeasurement"), Qt::LeftButton);
    QVERIFY(station.measure(QStringLiteral("test")));
    auto *tests = child<QListWidget>(&dialog, "lstTestResults");
    QTRY_COMPARE(tests->count(), 1);
    const double expected =
        TotalStationField::planeDistance(station.field().point("test"), station.field().point("centre")) - 1.0675;
    QVERIFY2(
        tests->item(0)->text().startsWith(QStringLiteral("%1 m (EDM) - 8.500 m (tape) = ").arg(expected, 0, 'f', 3)),
        qPrintable(tests->item(0)->text()));

    // The device test shows the reading and stores nothing.
    QTest::mouseClick(child<QPushButton>(&dialog, "btnDeviceTest"), Qt::LeftButton);
    QVERIFY(station.measure(QStringLiteral("discus")));
    const TotalStationField::Sight sight = station.field().sight(QStringLiteral("discus"));
    QTRY_VERIFY(child<QLabel>(&dialog, "lblMeasurement")
                    ->text()
                    .startsWith(QStringLiteral("Distance %1 m").arg(sight.slopeDistance, 0, 'f', 3)));
    QCOMPARE(tests->count(), 1);

    auto *boards = child<QComboBox>(&dialog, "cmbNumberOfBoards");
    boards->setCurrentIndex(1);
    QCOMPARE(stored("edm", "number_boards").toInt(), 2);
    QCOMPARE(dialog.numberOfBoards(), 2);
    model->setOfficial(nullptr);
}

void TestDevicesDialog::windspeedTab_showsTheGaugesResult_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<double>("wind");
    QTest::addColumn<QString>("shown");
    QTest::newRow("tail wind") << int(WindGaugeStandin::Mode::Wind) << 1.7 << "Result: 1.7 m/s";
    QTest::newRow("head wind") << int(WindGaugeStandin::Mode::Wind) << -0.4 << "Result: -0.4 m/s";
    QTest::newRow("gauge silent") << int(WindGaugeStandin::Mode::Silent) << 0.0 << "Result: N/A";
}

void TestDevicesDialog::windspeedTab_showsTheGaugesResult()
{
    QFETCH(int, mode);
    QFETCH(double, wind);
    QFETCH(QString, shown);
    SocatPair pair;
    QVERIFY2(pair.start(), qPrintable(pair.error()));
    qputenv("STADIONIX_SERIAL_LINKS", pair.first().toLocal8Bit());
    WindGaugeStandin gauge;
    gauge.setWind(wind);
    gauge.setMode(WindGaugeStandin::Mode(mode));
    QVERIFY(gauge.openSerial(pair.second()));
    Program program;
    DevicesDialog dialog(&program.devices);
    auto *port = child<QComboBox>(&dialog, "cmbWindspeedPort");
    choose(port, rowOf(port, pair.first()));
    QTRY_COMPARE(port->property("code").toInt(), 0);
    auto *result = child<QLabel>(&dialog, "lblWindspeedResult");
    result->setText(QStringLiteral("before"));
    QTest::mouseClick(child<QPushButton>(&dialog, "btnWindspeedTest"), Qt::LeftButton);
    QCOMPARE(result->text(), QString());
    QTRY_COMPARE_WITH_TIMEOUT(result->text(), shown, 15000);
}

void TestDevicesDialog::countdownTab_digitsStepAndWrap()
{
    Settings::instance()->setValue(QStringLiteral("countdown"), QStringLiteral("value"), 59);
    Program program;
    DevicesDialog dialog(&program.devices);
    CountdownClock *clock = program.devices.countdownClock();
    QCOMPARE(clock->remainingSeconds(), 59u);
    auto *minutes = child<QPushButton>(&dialog, "btnMinutes");
    auto *tens = child<QPushButton>(&dialog, "btnTens");
    auto *seconds = child<QPushButton>(&dialog, "btnSeconds");
    // 0:59 -> tens 5 wraps to 0, seconds 9 to 0, minutes to 1; then 1:30.
    QTest::mouseClick(tens, Qt::LeftButton);
    QCOMPARE(tens->property("digit").toInt(), 0);
    QTest::mouseClick(seconds, Qt::LeftButton);
    QCOMPARE(seconds->property("digit").toInt(), 0);
    QTest::mouseClick(minutes, Qt::LeftButton);
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(tens, Qt::LeftButton);
    QCOMPARE(stored("countdown", "value").toInt(), 90);
    QCOMPARE(clock->remainingSeconds(), 90u);
    QCOMPARE(program.devices.scoreboard()->remainingSeconds(), 90u);

    // A countdown that runs is not reset by opening the dialog again.
    clock->startPauseCountdown(true);
    QVERIFY(clock->isCountdownRunning());
    {
        DevicesDialog again(&program.devices);
        QVERIFY(clock->isCountdownRunning());
    }
    clock->stopCountdown();

    auto *afterCall = child<QCheckBox>(&dialog, "chkStartAfterCall");
    afterCall->setChecked(true);
    QCOMPARE(stored("countdown", "start_countdown_after_call").toBool(), true);
    auto *layout = child<QComboBox>(&dialog, "cmbCountdownLayout");
    QVERIFY(layout->count() >= 2);
    layout->setCurrentIndex(1);
    QCOMPARE(stored("countdown", "layout").toString(), layout->currentText());
    QCOMPARE(clock->currentLayout().value("layoutname").toString(), layout->currentText());
}

void TestDevicesDialog::screenshots_ofEveryTab_inEnglishAndDutch()
{
    const QString folder = qEnvironmentVariable("STADIONIX_DOCS_DIR");
    if (folder.isEmpty())
        QSKIP("STADIONIX_DOCS_DIR names no folder for the pictures");
    // A board on a pty showing a demo athlete, and the EDM set up for a
    // shot put on a pty of its own.
    SocatPair boardLine, edmLine;
    QVERIFY2(boardLine.start(), qPrintable(boardLine.error()));
    QVERIFY2(edmLine.start(), qPrintable(edmLine.error()));
    for (const auto &[group, link] : {std::pair{"scoreboard", boardLine.first()}, std::pair{"edm", edmLine.first()}}) {
        Settings::instance()->setValue(QString::fromLatin1(group), QStringLiteral("type"), 1);
        Settings::instance()->setValue(QString::fromLatin1(group), QStringLiteral("port"), link);
    }
    Settings::instance()->setValue(QStringLiteral("scoreboard"), QStringLiteral("product"), QStringLiteral("K-3312"));
    Settings::instance()->setValue(QStringLiteral("scoreboard"), QStringLiteral("layout"),
                                   QStringLiteral("Field events 192x64"));
    Settings::instance()->setValue(QStringLiteral("edm"), QStringLiteral("event_type"), 5);
    Program program;
    DevicesDialog dialog(&program.devices);
    dialog.resize(900, 800);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTRY_COMPARE(child<QComboBox>(&dialog, "cmbScoreboardPort")->property("code").toInt(), 0);
    QTRY_COMPARE(child<QComboBox>(&dialog, "cmbEDMPort")->property("code").toInt(), 0);
    QTest::mouseClick(child<QPushButton>(&dialog, "btnHorizontalParticipant"), Qt::LeftButton);
    auto *tabs = dialog.findChild<QTabWidget *>();
    const QStringList names{"scoreboard", "videoscoreboard", "windspeed", "edm", "countdown"};
    QTranslator dutch;
    QVERIFY(dutch.load(QStringLiteral("stadionix_nl"), TestSupport::buildDir() + QStringLiteral("/translations")));
    for (const QString &language : {QStringLiteral("en"), QStringLiteral("nl")}) {
        if (language == QLatin1String("nl"))
            QCoreApplication::installTranslator(&dutch);
        QTRY_COMPARE(tabs->tabText(1), language == QLatin1String("en") ? "Videoscoreboard" : "Videoscorebord");
        for (int tab = 0; tab < names.size(); ++tab) {
            tabs->setCurrentIndex(tab);
            QTest::qWait(50);
            QVERIFY(dialog.grab().save(
                QDir(folder).filePath(QStringLiteral("devices-%1-%2.png").arg(names.at(tab), language))));
        }
    }
    QCoreApplication::removeTranslator(&dutch);
}

STADIONIX_TEST_MAIN(TestDevicesDialog)
#include "tst_devicesdialog.moc"
