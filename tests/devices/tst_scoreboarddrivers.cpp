#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QLibraryInfo>
#include <QPluginLoader>
#include <QTemporaryDir>
#include <QtTest>

#include "app/settings.h"
#include "devices/glowmatrixdecoder.h"
#include "devices/scoreboard.h"
#include "scoreboardtesting.h"

using namespace ScoreboardTesting;

// The two driver plug-ins, loaded from the build's "scoreboarddrivers" as the
// program loads them: their tables, the bytes of every command, and how the
// host finds and chooses them.
class TestScoreboardDrivers : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }
    void buildFolder_holdsBothDrivers();
    void tables_data();
    void tables();
    void changhongCommands_data();
    void changhongCommands();
    void changhongFitting_data();
    void changhongFitting();
    void cpowerCommands_data();
    void cpowerCommands();
    void brightnessLabels_giveTheirCodes_data();
    void brightnessLabels_giveTheirCodes();
    void loader_firstOfTwoNamesakesWins_andSkipsWhatIsNoDriver();
    void controllerType_isComparedExactly_data();
    void controllerType_isComparedExactly();
};

void TestScoreboardDrivers::buildFolder_holdsBothDrivers()
{
    const QList<ScoreboardDriverInterface *> drivers = ScoreboardDriverLoader::load(driverFolder());
    QStringList names;
    for (const ScoreboardDriverInterface *d : drivers)
        names << d->name();
    names.sort();
    QCOMPARE(names, QStringList({"C-Power", "Changhong"}));
    // One root object per library, whoever asks.
    QCOMPARE(driver("Changhong"), drivers.at(drivers.indexOf(driver("Changhong"))));
}

void TestScoreboardDrivers::tables_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("products");
    QTest::addColumn<QStringList>("fonts");
    QTest::addColumn<QStringList>("colors");
    QTest::addColumn<QStringList>("commandColors");
    QTest::addColumn<QStringList>("levels");
    QTest::addColumn<QList<int>>("range");  // minimum, maximum, step
    QTest::addColumn<QList<int>>("widths"); // of fonts 8, 12, 16, 7
    QTest::newRow("Changhong") << "Changhong" << QStringList{"K-315", "K-2106", "K-2144"}
                               << QStringList{"7", "8", "9", "11", "12"} << QStringList{"#FF0000", "#00FF00", "#FFFF00"}
                               << QStringList{"#FF0000", "#00FF00", "#FFFF00"}
                               << QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}
                               << QList<int>{0, 10, 1} << QList<int>{-1, -1, -1, -1};
    QTest::newRow("C-Power") << "C-Power" << QStringList{"K-3310", "K-3312", "K-3318", "K-3361"}
                             << QStringList{"8", "12", "16", "24", "32", "40", "48", "56"}
                             << QStringList{"#FF0000", "#00FF00", "#0000FF", "#FFFF00", "#00FFFF", "#FF00FF", "#FFFFFF"}
                             << QStringList{"#FF0000", "#00FF00", "#0000FF"}
                             << QStringList{"0", "20", "40", "60", "80", "100"} << QList<int>{0, 100, 20}
                             << QList<int>{6, 6, 9, -1};
}

void TestScoreboardDrivers::tables()
{
    QFETCH(QString, name);
    ScoreboardDriverInterface *d = driver(name);
    QVERIFY(d);
    QCOMPARE(d->version(), 20230321u);
    QTEST(d->products(), "products");
    QTEST(d->fontSizes(), "fonts");
    QTEST(d->textColors(), "colors");
    QTEST(d->colorCommandColors(), "commandColors");
    QCOMPARE(d->alignments(), QStringList({"left", "center", "right"}));
    QTEST(d->brightnessLevels(), "levels");
    QTEST((QList<int>{d->brightnessMinimum(), d->brightnessMaximum(), d->brightnessStep()}), "range");
    QTEST((QList<int>{d->characterWidth(8), d->characterWidth(12), d->characterWidth(16), d->characterWidth(7)}),
          "widths");
    QVERIFY(d->text5Command(textItem(0, 0, 60, 8, 8, "#FF0000", "left", "A"), 1).isEmpty());
    d->setProduct(d->products().last());
    QCOMPARE(d->product(), d->products().last());
}

void TestScoreboardDrivers::changhongCommands_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("expected");
    ScoreboardDriverInterface *d = driver("Changhong");
    QVERIFY(d);
    QTest::newRow("clear ignores address and size") << d->clearCommand(7, 192, 64) << QByteArray("C\r");
    QTest::newRow("red") << d->colorCommand(QColor(255, 0, 0), 1) << QByteArray("S901\r");
    QTest::newRow("green") << d->colorCommand(QColor(0, 255, 0), 1) << QByteArray("S902\r");
    QTest::newRow("yellow") << d->colorCommand(QColor(255, 255, 0), 1) << QByteArray("S903\r");
    QTest::newRow("blue has no digit") << d->colorCommand(QColor(0, 0, 255), 1) << QByteArray("S90\r");
    QTest::newRow("brightness 10 is twelve bytes") << d->brightnessCommand(1, "10") << QByteArray("S27f\rS47f7f\r");
    QTest::newRow("text at x 300 in font 8")
        << d->textCommand(textItem(300, 16, 60, 16, 8, "#FF0000", "center", "AB"), 1)
        << QByteArray("Tff0000012c0010003c0010B   AB   \r");
    QTest::newRow("lower-case colour is black")
        << d->textCommand(textItem(0, 0, 60, 8, 12, "#ff0000", "right", "AB"), 1)
        << QByteArray("T00000000000000003c0008E   AB\r");
    QTest::newRow("unlisted font: letter A") << d->textCommand(textItem(0, 0, 14, 8, 10, "#FFFF00", "left", "Zoë"), 1)
                                             << QByteArray("Tffff0000000000000e0008AZoë\r");
    QTest::newRow("a carriage return in the text is a space, not the end of the command")
        << d->textCommand(textItem(0, 0, 60, 8, 8, "#FF0000", "left", "A\rC\r"), 1)
        << QByteArray("Tff000000000000003c0008BA C      \r");
    QTest::newRow("data command is not offered") << d->dataCommand(QJsonObject(), "xy", 1) << QByteArray();
}

void TestScoreboardDrivers::changhongCommands()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, expected);
    QCOMPARE(bytes, expected);
}

void TestScoreboardDrivers::changhongFitting_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<QString>("alignment");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("sent");
    // 60 pixels in font 8 (7 wide) hold 8 characters.
    QTest::newRow("center pads both sides") << 60 << 8 << "center"
                                            << "AB"
                                            << "   AB   ";
    QTest::newRow("center drops the odd trailing space") << 60 << 8 << "center"
                                                         << "ABC"
                                                         << "   ABC  ";
    QTest::newRow("center cuts") << 60 << 8 << "center"
                                 << "ABCDEFGHIJ"
                                 << "ABCDEFGH";
    QTest::newRow("right cuts") << 60 << 8 << "right"
                                << "ABCDEFGHIJ"
                                << "ABCDEFGH";
    QTest::newRow("right pads on the left") << 60 << 8 << "right"
                                            << "AB"
                                            << "      AB";
    QTest::newRow("left pads to one more") << 60 << 8 << "left"
                                           << "AB"
                                           << "AB       ";
    QTest::newRow("left never cuts") << 60 << 8 << "left"
                                     << "ABCDEFGHIJ"
                                     << "ABCDEFGHIJ";
    QTest::newRow("unknown alignment acts as left") << 60 << 8 << "justify"
                                                    << "AB"
                                                    << "AB       ";
    QTest::newRow("center in no room is empty") << 5 << 8 << "center"
                                                << "AB"
                                                << "";
    QTest::newRow("right in no room is empty") << 5 << 8 << "right"
                                               << "AB"
                                               << "";
    QTest::newRow("font 12 is 11 wide") << 60 << 12 << "right"
                                        << "ABCDEFG"
                                        << "ABCDE";
    QTest::newRow("unlisted font is 7 wide") << 60 << 10 << "right"
                                             << "A"
                                             << "       A";
}

void TestScoreboardDrivers::changhongFitting()
{
    QFETCH(int, width);
    QFETCH(int, fontSize);
    QFETCH(QString, alignment);
    QFETCH(QString, text);
    QFETCH(QString, sent);
    const QByteArray bytes =
        driver("Changhong")->textCommand(textItem(0, 0, width, 8, fontSize, "#00FF00", alignment, text), 1);
    QVERIFY(bytes.endsWith('\r'));
    QCOMPARE(QString::fromUtf8(bytes.mid(24, bytes.size() - 25)), sent);
}

void TestScoreboardDrivers::cpowerCommands_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("expected");
    ScoreboardDriverInterface *d = driver("C-Power");
    QVERIFY(d);
    QTest::newRow("clear 192x64") << d->clearCommand(1, 192, 64)
                                  << hex("A5 68 32 01 7B 00 0A 00 00 00 01 01 00 00 00 00 00 C0 00 40 22 02 AE");
    QTest::newRow("address A5 is stuffed") << d->clearCommand(0xA5, 192, 64)
                                           << hex("A5 68 32 AA 05 7B 00 0A 00 00 00 01 01 00 00 00 00 00 C0 00 40 C6 "
                                                  "02 AE");
    QTest::newRow("text: right, font 16, yellow")
        << d->textCommand(textItem(0, 16, 192, 16, 16, "#FFFF00", "right", "AB"), 1)
        << hex("A5 68 32 01 7B 00 13 00 00 00 04 00 01 02 00 00 00 10 00 C0 00 10 02 FF FF 00 41 42 00 93 04 AE");
    // The length counts the data before stuffing.
    QTest::newRow("UTF-8 bytes AA, A5, AE stuffed; unlisted colour black; unknown alignment centred")
        << d->textCommand(textItem(8, 0, 100, 24, 24, "#123456", "middle", "ª¥®"), 1)
        << hex("A5 68 32 01 7B 00 17 00 00 00 04 00 01 01 00 08 00 00 00 64 00 18 03 00 00 00 C2 AA 0A C2 AA 05 C2 "
               "AA 0E 00 FD 05 AE");
    QTest::newRow("checksum byte AA stuffed; unlisted font code 0")
        << d->textCommand(textItem(0, 0, 60, 16, 10, "#FF0000", "left", "Tom"), 1)
        << hex("A5 68 32 01 7B 00 14 00 00 00 04 00 01 00 00 00 00 00 00 3C 00 10 00 FF 00 00 54 6F 6D 00 AA 0A 03 "
               "AE");
    QTest::newRow("colour red") << d->colorCommand(QColor(255, 0, 0), 1)
                                << hex("A5 68 32 01 7B 00 0D 00 00 00 02 00 00 05 08 00 FF 30 00 11 00 00 00 72 02 AE");
    QTest::newRow("data at 10,20 for 5 s")
        << d->dataCommand(QJsonObject{{"x", 10}, {"y", 20}, {"stayTime", 5}}, hex("01 A5"), 1)
        << hex("A5 68 32 01 7B 00 0D 00 00 00 03 00 00 01 00 05 01 00 0A 00 14 01 AA 05 F1 01 AE");
    QTest::newRow("brightness 100: code 31 for every hour")
        << d->brightnessCommand(1, "100")
        << hex("A5 68 32 01 46 01 00 1F 1F 1F 1F 1F 1F 1F 1F 1F 1F 1F 1F 1F 1F 1F 1F 1F 1F 1F 1F 1F 1F 1F 1F CA 03 AE");
    QTest::newRow("unlisted brightness label: darkest")
        << d->brightnessCommand(1, "55")
        << hex("A5 68 32 01 46 01 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 E2 00 AE");
}

void TestScoreboardDrivers::cpowerCommands()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, expected);
    QCOMPARE(bytes.toHex(' '), expected.toHex(' '));
}

void TestScoreboardDrivers::brightnessLabels_giveTheirCodes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("code");
    const QList<int> changhong{0, 13, 26, 38, 51, 63, 77, 90, 102, 115, 127};
    for (int level = 0; level <= 10; ++level)
        QTest::addRow("Changhong %d", level) << "Changhong" << QString::number(level) << changhong.at(level);
    QTest::newRow("Changhong unlisted") << "Changhong"
                                        << "11" << 0;
    const QList<int> cpower{0, 6, 12, 19, 25, 31};
    for (int level = 0; level < 6; ++level)
        QTest::addRow("C-Power %d", level * 20) << "C-Power" << QString::number(level * 20) << cpower.at(level);
    QTest::newRow("C-Power unlisted") << "C-Power"
                                      << "10" << 0;
}

void TestScoreboardDrivers::brightnessLabels_giveTheirCodes()
{
    QFETCH(QString, name);
    QFETCH(QString, label);
    QFETCH(int, code);
    const QByteArray bytes = driver(name)->brightnessCommand(1, label);
    if (name == "Changhong") {
        const QByteArray c = QByteArray::number(code, 16).rightJustified(2, '0');
        QCOMPARE(bytes, "S2" + c + "\rS4" + c + c + "\r");
    } else {
        QByteArray packet;
        QVERIFY(GlowmatrixDecoder::unstuff(bytes.mid(1, bytes.size() - 2), &packet));
        QCOMPARE(packet.size(), 32);
        QCOMPARE(packet.mid(6, 24), QByteArray(24, char(code)));
    }
    // And the boards read the level back.
    const QList<BoardCommand> commands = BoardDecoder::forController(name)->feed(bytes);
    QVERIFY(!commands.isEmpty());
    QCOMPARE(commands.last().brightnessCode, code);
    QCOMPARE(commands.last().brightnessLevel, code == 0 ? QString("0") : label);
}

namespace {

void writeLayout(const QString &folder, const QString &file, const QString &type, const QString &name,
                 const QString &controller)
{
    QDir().mkpath(folder);
    QFile out(folder + "/" + file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(QJsonDocument(QJsonObject{{"scoreboardlayout", QJsonObject{{"name", name},
                                                                         {"scoreboardtype", type},
                                                                         {"controllertype", controller},
                                                                         {"width", 96},
                                                                         {"height", 32}}}})
                  .toJson());
}

void chooseLayout(const QString &type, const QString &name)
{
    Settings::instance()->setValue("scoreboard", "product", type);
    Settings::instance()->setValue("scoreboard", "layout", name);
}

} // namespace

void TestScoreboardDrivers::loader_firstOfTwoNamesakesWins_andSkipsWhatIsNoDriver()
{
    QTemporaryDir program;
    const QString drivers = program.filePath("scoreboarddrivers");
    QVERIFY(QDir().mkpath(drivers));
    const QString lanternix = driverFolder() + "/libLanternixDriver.so";
    QVERIFY(QFile::copy(lanternix, drivers + "/a-first.so"));
    QVERIFY(QFile::copy(lanternix, drivers + "/b-second.so"));
    QFile broken(drivers + "/c-broken.so");
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a library");
    broken.close();
    // A Qt plug-in of another kind loads, but is no driver.
    const QString imageFormats = QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/imageformats";
    const QStringList plugins = QDir(imageFormats).entryList({"*.so"}, QDir::Files);
    if (!plugins.isEmpty())
        QVERIFY(QFile::copy(imageFormats + "/" + plugins.first(), drivers + "/d-imageformat.so"));
    QVERIFY(QDir().mkpath(drivers + "/e-folder.so"));
    writeLayout(program.filePath("scoreboardlayouts"), "layout.json", "K-315", "Small", "Changhong");
    chooseLayout("K-315", "Small");

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Unable to load driver c-broken.so: .+"));
    Scoreboard scoreboard(program.path());
    QCOMPARE(scoreboard.drivers().size(), 2);
    QPluginLoader first(drivers + "/a-first.so");
    QPluginLoader second(drivers + "/b-second.so");
    QVERIFY(first.isLoaded());
    QVERIFY(first.instance() != second.instance());
    QCOMPARE(scoreboard.currentDriver(), qobject_cast<ScoreboardDriverInterface *>(first.instance()));
    QCOMPARE(scoreboard.controllerName(), QString("Changhong"));
}

void TestScoreboardDrivers::controllerType_isComparedExactly_data()
{
    QTest::addColumn<QString>("controller");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("exact") << "C-Power"
                           << "K-3312"
                           << "Big"
                           << "C-Power";
    QTest::newRow("case differs: no driver") << "c-power"
                                             << "K-3312"
                                             << "Big"
                                             << "";
    QTest::newRow("no driver of that name") << "Lumina"
                                            << "K-3312"
                                            << "Big"
                                            << "";
    QTest::newRow("layout name differs: no layout") << "C-Power"
                                                    << "K-3312"
                                                    << "big"
                                                    << "";
    QTest::newRow("board type differs: no layout") << "C-Power"
                                                   << "K-3310"
                                                   << "Big"
                                                   << "";
}

void TestScoreboardDrivers::controllerType_isComparedExactly()
{
    QFETCH(QString, controller);
    QFETCH(QString, type);
    QFETCH(QString, name);
    QFETCH(QString, chosen);
    QTemporaryDir program;
    QVERIFY(QFile::link(driverFolder(), program.filePath("scoreboarddrivers")));
    writeLayout(program.filePath("scoreboardlayouts"), "big.json", "K-3312", "Big", controller);
    chooseLayout(type, name);
    Scoreboard scoreboard(program.path());
    QCOMPARE(scoreboard.controllerName(), chosen);
    QCOMPARE(scoreboard.currentLayout().isEmpty(), name != "Big" || type != "K-3312");
    QCOMPARE(scoreboard.layoutSummaries(),
             QList<QVariantMap>(
                 {{{"name", "Big"}, {"type", "K-3312"}, {"controller", controller}, {"filename", "big.json"}}}));
}

STADIONIX_TEST_MAIN(TestScoreboardDrivers)
#include "tst_scoreboarddrivers.moc"
