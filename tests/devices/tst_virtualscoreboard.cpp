#include <QImage>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "app/settings.h"
#include "devices/boardpainter.h"
#include "devices/scoreboard.h"
#include "devices/thirdpartyresult.h"
#include "devices/videoscoreboard.h"
#include "recordingdevice.h"
#include "scoreboardtesting.h"
#include "support/socatpair.h"
#include "tools/virtual-scoreboard/virtualscoreboard.h"

using namespace ScoreboardTesting;

// The virtual scoreboard as a program on a pty (started as its README says)
// and in-process as a Wi-Fi bridge, fed by the scoreboard device; and the
// picture it draws.
class TestVirtualScoreboard : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }
    void program_onAPty_showsAndSavesTheBoard();
    void program_printsEveryVideoMessageAndResultFrame();
    void inProcess_asABridge_showsARankingPage();
    void picture_litOnlyInsideTheTextBoxes();
};

namespace {

// The stand-in bridge's fixed port is bound here.
const QString Host = QStringLiteral("127.0.14.20");

QString layoutFile(const QString &product)
{
    return TestSupport::buildDir() + "/scoreboardlayouts/" + product.toLower() + "-field-events.json";
}

void chooseBoard(const QString &product, const QVariantMap &port)
{
    Settings *settings = Settings::instance();
    settings->setValue("scoreboard", "product", product);
    settings->setValue("scoreboard", "layout", "Field events 192x64");
    settings->setValue("scoreboard", "type", port["type"]);
    settings->setValue("scoreboard", "port", port["name"]);
    settings->setValue("scoreboard", "ip", port["ip"]);
}

} // namespace

void TestVirtualScoreboard::program_onAPty_showsAndSavesTheBoard()
{
    SocatPair pair;
    QVERIFY2(pair.start(), qPrintable(pair.error()));
    QTemporaryDir folder;
    QProcess viewer;
    viewer.setProgram(TestSupport::buildDir() + "/tools/virtual-scoreboard");
    viewer.setArguments({"--layout", layoutFile("K-3312"), "--pty", pair.second(), "--png",
                         folder.filePath("board.png"), "--no-window"});
    viewer.start();
    QVERIFY(viewer.waitForStarted());
    QVERIFY(QTest::qWaitFor([&] { return viewer.canReadLine(); }, 10000));
    QCOMPARE(QString(viewer.readLine()).trimmed(),
             "virtual-scoreboard ready: C-Power board 192x64 on " + pair.second());

    chooseBoard("K-3312", serialPortDescriptor(pair.first()));
    Scoreboard scoreboard(TestSupport::buildDir());
    // Without an athlete the board shows made-up values: Jeff Thompson.
    scoreboard.sendHorizontalParticipant();
    QByteArray output;
    QVERIFY(QTest::qWaitFor(
        [&] {
            output += viewer.readAll();
            return output.contains("J. THOMPSON") && output.contains("Belgium");
        },
        5000));
    // One line per change; the last one shows the whole section.
    const QList<QByteArray> lines = output.trimmed().split('\n');
    QVERIFY(lines.last().startsWith("board "));
    QVERIFY(QTest::qWaitFor([&] { return QFile::exists(folder.filePath("board.png")); }, 2000));
    const QImage png(folder.filePath("board.png"));
    QCOMPARE(png.size(), QSize(192 * 4, 64 * 4));

    viewer.write("state\n");
    QVERIFY(QTest::qWaitFor([&] { return viewer.canReadLine() || viewer.waitForReadyRead(100); }, 5000));
    QByteArray stateLine;
    QVERIFY(QTest::qWaitFor(
        [&] {
            stateLine += viewer.readAll();
            return stateLine.contains("\"items\"") && stateLine.endsWith('\n');
        },
        5000));
    const QJsonObject state = QJsonDocument::fromJson(stateLine.mid(stateLine.lastIndexOf("{\"brightness"))).object();
    QCOMPARE(state["width"].toInt(), 192);
    QCOMPARE(state["rejected"].toInt(), 0);
    QCOMPARE(state["clears"].toInt(), 1);

    viewer.write("quit\n");
    QVERIFY(viewer.waitForFinished(5000));
    QCOMPARE(viewer.exitCode(), 0);
}

void TestVirtualScoreboard::program_printsEveryVideoMessageAndResultFrame()
{
    SocatPair wallLine, resultLine;
    QVERIFY2(wallLine.start(), qPrintable(wallLine.error()));
    QVERIFY2(resultLine.start(), qPrintable(resultLine.error()));
    QProcess standin;
    standin.setProgram(TestSupport::buildDir() + "/tools/virtual-scoreboard");
    standin.setArguments({"--video-pty", wallLine.second(), "--result-pty", resultLine.second(), "--no-window"});
    standin.start();
    QVERIFY(standin.waitForStarted());
    QVERIFY(QTest::qWaitFor([&] { return standin.canReadLine(); }, 10000));
    QCOMPARE(QString(standin.readLine()).trimmed(), "virtual-scoreboard ready: C-Power board 192x64 on nothing, "
                                                    "video wall on " +
                                                        wallLine.second() + ", result frames on " +
                                                        resultLine.second());

    Settings *settings = Settings::instance();
    settings->setValue("videoscoreboard", "type", 1);
    settings->setValue("videoscoreboard", "port", wallLine.first());
    settings->setValue("thirdpartyresult", "type", 1);
    settings->setValue("thirdpartyresult", "port", resultLine.first());
    VideoScoreboard wall;
    ThirdPartyResult output;
    // Without an athlete the wall gets made-up content.
    wall.sendVerticalResult();
    wall.clearBoard();
    output.sendResult("7.89");
    output.sendResult("X");
    output.sendResult("");
    QStringList lines;
    QVERIFY(QTest::qWaitFor(
        [&] {
            while (standin.canReadLine())
                lines << QString(standin.readLine()).trimmed();
            return lines.size() >= 5;
        },
        5000));
    // One line a message, each kind in the order sent.
    QCOMPARE(lines.filter("result: "), QStringList({"result: 7.89", "result: X", "result: (nothing)"}));
    const QStringList video = lines.filter("video ");
    QCOMPARE(video.size(), 2);
    QVERIFY2(video[0].startsWith(R"(video 7: {"AT":")"), qPrintable(video[0]));
    QVERIFY(video[0].contains(R"("E":"Demo result","H":")"));
    QCOMPARE(video[1], QString(R"(video a: {"D":0,"L":7,"T":"a"})"));

    standin.write("state\n");
    QByteArray stateLine;
    QVERIFY(QTest::qWaitFor(
        [&] {
            stateLine += standin.readAll();
            return stateLine.endsWith('\n');
        },
        5000));
    const QJsonObject state = QJsonDocument::fromJson(stateLine).object();
    QCOMPARE(state["video"]["messages"].toInt(), 2);
    QCOMPARE(state["video"]["rejected"].toInt(), 0);
    QCOMPARE(state["video"]["last"]["a"]["L"].toInt(), 7);
    QCOMPARE(state["results"]["frames"].toInt(), 3);
    QCOMPARE(state["results"]["rejected"].toInt(), 0);
    standin.write("quit\n");
    QVERIFY(standin.waitForFinished(5000));
    QCOMPARE(standin.exitCode(), 0);
}

void TestVirtualScoreboard::inProcess_asABridge_showsARankingPage()
{
    const QHostAddress address(Host);
    VirtualScoreboard board;
    VirtualScoreboard::Settings settings;
    QString error;
    QVERIFY(VirtualScoreboard::readLayout(layoutFile("K-2144"), &settings, &error));
    settings.bridge = true;
    settings.bridgeAddress = address;
    settings.announceTo = address;
    QVERIFY2(board.start(settings, &error), qPrintable(error));
    QCOMPARE(board.state().size(), QSize(192, 64));

    chooseBoard("K-2144", bridgeDescriptor("6/1/314", address));
    Scoreboard scoreboard(TestSupport::buildDir());
    QSignalSpy opened(&scoreboard, &Scoreboard::port_opened);
    QVERIFY(opened.wait(5000));
    QVERIFY(opened.first().first().toBool());
    scoreboard.showRanking('H', "Women's Long Jump - Final - 1", {});
    QVERIFY(QTest::qWaitFor([&] { return !board.state().texts().isEmpty(); }, 5000));
    // The event line: cut to the 17 characters it holds (11 pixels each).
    QCOMPARE(board.state().texts(), QStringList({"Women's Long Jump"}));
    QCOMPARE(board.state().clearCount(), 1);
    scoreboard.stepBrightness();
    QVERIFY(QTest::qWaitFor([&] { return board.state().brightnessLevel() == "1"; }, 5000));
}

void TestVirtualScoreboard::picture_litOnlyInsideTheTextBoxes()
{
    ScoreboardDriverInterface *d = driver("C-Power");
    const QByteArray bytes = d->clearCommand(1, 96, 32) +
                             d->textCommand(textItem(0, 0, 96, 16, 16, "#FFFF00", "center", "7.45"), 1) +
                             d->textCommand(textItem(48, 16, 48, 16, 12, "#00FFFF", "right", "#3"), 1);
    const BoardState state = decoded("C-Power", bytes);
    const QImage leds = BoardPainter::ledImage(state);
    QCOMPARE(leds.size(), QSize(96, 32));
    int yellow = 0, cyan = 0;
    for (int y = 0; y < leds.height(); ++y) {
        for (int x = 0; x < leds.width(); ++x) {
            const QRgb pixel = leds.pixel(x, y) & 0xFFFFFF;
            if (pixel == 0)
                continue;
            QVERIFY2(pixel == 0xFFFF00 || pixel == 0x00FFFF, qPrintable(QString::number(pixel, 16)));
            if (pixel == 0xFFFF00) {
                QVERIFY(y < 16);
                // Centred: four characters of 9 pixels in the middle of 96.
                QVERIFY2(x >= 30 && x < 66, qPrintable(QString::number(x)));
                ++yellow;
            } else {
                // Right-aligned: two characters of 6 pixels at the end.
                QVERIFY(y >= 16 && x >= 84);
                ++cyan;
            }
        }
    }
    QVERIFY(yellow > 20);
    QVERIFY(cyan > 10);
    // Each LED a dot: lit ones at the board's brightness, the rest dark.
    const QImage picture = BoardPainter::render(state, 4);
    QCOMPARE(picture.size(), QSize(96 * 4, 32 * 4));
    QCOMPARE(picture.pixel(2, 2) & 0xFFFFFF, BoardPainter::unlitColor().rgb() & 0xFFFFFF);
}

STADIONIX_TEST_MAIN(TestVirtualScoreboard)
#include "tst_virtualscoreboard.moc"
