#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "app/settings.h"
#include "devices/scoreboard.h"
#include "devices/scoreboarditemfiller.h"
#include "fieldevents/heatbuilder.h"
#include "scoreboardtesting.h"

using namespace ScoreboardTesting;

// The scoreboard device with the real driver plug-ins and layout files: what
// each operation puts on the board (decoded from the bytes it sends), the
// pacing, ranking pages, the countdown, brightness, free text and the
// character transformations.
class TestScoreboard : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void deliveredLayouts_coverEveryProduct_data();
    void deliveredLayouts_coverEveryProduct();
    void sections_showTheAthlete_data();
    void sections_showTheAthlete();
    void rankingOf12_pagesFiveAtATime();
    void rankingOf4_isOnePage();
    void rankingOfAClosedHeat_stopsPaging();
    void namePatterns_data();
    void namePatterns();
    void countdownTexts_data();
    void countdownTexts();
    void characterTransformations_data();
    void characterTransformations();
    void brightness_stepsAndWraps_data();
    void brightness_stepsAndWraps();
    void countdown_showsStartsAlertsAndRearms();
    void freeText_splitsLines_andClearsLater();
    void brokenLayoutFile_isSkippedAndNamed_data();
    void brokenLayoutFile_isSkippedAndNamed();
    void withoutDriverOrPort_nothingIsSent();
};

namespace {

// Layouts for the cases the delivered ones do not make: a 120x64 C-Power
// board whose ranking holds five rows (event line 14, rows 10 high).
QJsonObject testLayout()
{
    const auto item = [](int x, int y, int w, int h, const QString &color) {
        QJsonObject o = textItem(x, y, w, h, 8, color, "left", "");
        o.insert("maximum_length", 0);
        return o;
    };
    QJsonObject seconds = item(90, 50, 30, 14, "#00FF00");
    seconds.insert("maximum_length", 5);
    QJsonObject alert = seconds;
    alert.insert("color", "#FF0000");
    QJsonObject name = item(20, 14, 70, 10, "#FFFFFF");
    name.insert("displayname", "[Lastname]");
    name.insert("alternating_row_color", "#00FFFF");
    QJsonObject rank = item(0, 14, 18, 10, "#FFFFFF");
    rank.insert("alternating_row_color", "#00FFFF");
    QJsonObject result = item(90, 14, 30, 10, "#FFFF00");
    result.insert("alternating_row_color", "#FF00FF");
    QJsonObject text = item(0, 0, 120, 16, "#FFFFFF");
    text.insert("clear", QJsonObject{{"before", true}});
    text.insert(
        "lines",
        QJsonObject{{"split", true}, {"paramforyinit", 2}, {"incrementparamfory", 20}, {"maximumnumberoflines", 2}});
    return QJsonObject{
        {"name", "Test"},
        {"scoreboardtype", "K-3310"},
        {"controllertype", "C-Power"},
        {"width", 120},
        {"height", 64},
        {"event_ranking", QJsonObject{{"clear", QJsonObject{{"before", true}}},
                                      {"event", item(0, 0, 120, 14, "#FFFF00")},
                                      {"rank", rank},
                                      {"name", name},
                                      {"result", result}}},
        {"countdown_clock",
         QJsonObject{{"alert", QJsonObject{{"value", 10}}}, {"seconds", seconds}, {"seconds_alert", alert}}},
        {"text", text}};
}

void writeJson(const QString &path, const QJsonObject &object)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(object).toJson());
}

// A program folder with the build's drivers and delivered layouts plus the
// test layout, a scoreboard on it with a port that takes anything, and what
// it sends.
struct Board
{
    explicit Board(const QString &type, const QString &layout, int portType = 3)
    {
        QDir().mkpath(folder.filePath("scoreboardlayouts"));
        QFile::link(driverFolder(), folder.filePath("scoreboarddrivers"));
        const QDir delivered(TestSupport::buildDir() + "/scoreboardlayouts");
        for (const QString &file : delivered.entryList({"*.json"}))
            QFile::copy(delivered.filePath(file), folder.filePath("scoreboardlayouts/" + file));
        writeJson(folder.filePath("scoreboardlayouts/test.json"), {{"scoreboardlayout", testLayout()}});
        Settings *settings = Settings::instance();
        settings->setValue("scoreboard", "product", type);
        settings->setValue("scoreboard", "layout", layout);
        settings->setValue("scoreboard", "type", portType);
        settings->setValue("scoreboard", "port", "None");
        scoreboard = std::make_unique<Scoreboard>(folder.path());
        writes = std::make_unique<QSignalSpy>(scoreboard.get(), &PortDevice::writeData);
    }

    QString controller() const { return scoreboard->controllerName(); }
    QSize size() const
    {
        return QSize(scoreboard->currentLayout()["width"].toInt(), scoreboard->currentLayout()["height"].toInt());
    }
    // What the board shows after the writes so far.
    BoardState shown(int *rejected = nullptr) const
    {
        return decoded(controller(), written(*writes), size(), rejected);
    }
    QList<int> pauses() const
    {
        QList<int> list;
        for (const QList<QVariant> &call : *writes)
            list << call.at(1).toInt();
        return list;
    }

    QTemporaryDir folder;
    std::unique_ptr<Scoreboard> scoreboard;
    std::unique_ptr<QSignalSpy> writes;
};

Participation *athlete(const QString &first, const QString &last, const QString &card, QChar fieldType, unsigned rank)
{
    QList<Participation *> heat = HeatBuilder::heat({first + " " + last + ": " + card}, fieldType);
    Participation *p = heat.first();
    p->participants().first()->athlete()->firstname = first;
    p->participants().first()->athlete()->lastname = last;
    p->current_order = rank;
    p->teamname = "Northern Lakes AC";
    return p;
}

} // namespace

void TestScoreboard::init()
{
    TestSupport::failOnUnexpectedWarnings();
}

void TestScoreboard::deliveredLayouts_coverEveryProduct_data()
{
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("controller");
    for (const QString &controller : QStringList{"Changhong", "C-Power"}) {
        for (const QString &product : driver(controller)->products())
            QTest::newRow(qPrintable(product)) << product << controller;
    }
}

void TestScoreboard::deliveredLayouts_coverEveryProduct()
{
    QFETCH(QString, product);
    QFETCH(QString, controller);
    const QDir delivered(TestSupport::buildDir() + "/scoreboardlayouts");
    QString name;
    for (const QString &file : delivered.entryList({"*.json"})) {
        QFile in(delivered.filePath(file));
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QJsonObject layout = QJsonDocument::fromJson(in.readAll()).object()["scoreboardlayout"].toObject();
        if (layout["scoreboardtype"].toString() == product)
            name = layout["name"].toString();
    }
    QVERIFY2(!name.isEmpty(), "no layout for this product");
    Board board(product, name);
    QCOMPARE(board.controller(), controller);
    QVERIFY(board.scoreboard->linesPerPage() >= 3);
    const QJsonObject layout = board.scoreboard->currentLayout();
    ScoreboardDriverInterface *d = driver(controller);
    const QRect area(QPoint(0, 0), board.size());
    // Every item on the board, in a font and colour its driver has.
    for (const QString &section :
         QStringList{"horizontal_event_participant", "horizontal_event_result", "vertical_event_participant",
                     "vertical_event_result", "event_ranking", "countdown_clock"}) {
        const QJsonObject items = layout[section].toObject();
        QVERIFY2(items.size() >= 3, qPrintable(section));
        for (auto it = items.begin(); it != items.end(); ++it) {
            const QJsonObject item = it.value().toObject();
            if (!item.contains("x"))
                continue;
            const QString where = QString("%1 %2").arg(section, it.key());
            QVERIFY2(area.contains(
                         QRect(item["x"].toInt(), item["y"].toInt(), item["width"].toInt(), item["height"].toInt())),
                     qPrintable(where));
            QVERIFY2(d->fontSizes().contains(QString::number(item["fontsize"].toInt())), qPrintable(where));
            QVERIFY2(d->textColors().contains(item["color"].toString()), qPrintable(where));
            QVERIFY2(item["enabled"].toBool(), qPrintable(where));
        }
    }
    QVERIFY(layout["event_ranking"]["rank"]["alternating_row_color"].isString());
    QVERIFY(layout["countdown_clock"]["alert"]["value"].toInt() > 0);
    QVERIFY(layout["text"]["lines"]["split"].toBool());

    // Made-up values through every section: each reaches the board whole.
    board.scoreboard->sendHorizontalParticipant();
    board.scoreboard->sendHorizontalResult();
    board.scoreboard->sendVerticalParticipant();
    board.scoreboard->sendVerticalResult();
    int rejected = -1;
    const BoardState shown = board.shown(&rejected);
    QCOMPARE(rejected, 0);
    // Cut to the room there is on the smallest boards.
    QVERIFY2(!shown.texts().filter(QRegularExpression("^(J. )?THOMPS")).isEmpty(), qPrintable(shown.texts().join('|')));
}

void TestScoreboard::sections_showTheAthlete_data()
{
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QStringList>("shown");
    // K-2144 (Changhong, 17 characters a line) and K-3312 (C-Power, 21).
    const QString changhong = "Field events 192x64", cpower = "Field events 192x64";
    QTest::newRow("Changhong: horizontal participant")
        << "K-2144" << changhong << "hp" << QStringList{"101", "J. THOMPSON", "Northern Lakes AC", "A2", "#3"};
    QTest::newRow("Changhong: horizontal result")
        << "K-2144" << changhong << "hr" << QStringList{"101", "J. THOMPSON", "Northern Lakes AC", "A2", "7.45", "#3"};
    QTest::newRow("C-Power: horizontal result")
        << "K-3312" << cpower << "hr"
        << QStringList{"101", "J. THOMPSON", "Northern Lakes AC", "Att 2", "7.45", "Rank 3"};
    QTest::newRow("C-Power: failed attempt has no affixes")
        << "K-3312" << cpower << "hr-fail"
        << QStringList{"101", "J. THOMPSON", "Northern Lakes AC", "Att 3", "X", "Rank 3"};
    QTest::newRow("C-Power: vertical result")
        << "K-3312" << cpower << "vr"
        << QStringList{"101", "J. THOMPSON", "Northern Lakes AC", "1.85 m", "X0", "Rank 3"};
    QTest::newRow("C-Power: unranked athlete shows no rank")
        << "K-3312" << cpower << "vp-unranked"
        << QStringList{"101", "J. THOMPSON", "Northern Lakes AC", "1.85 m", "Att 2"};
    QTest::newRow("C-Power: retired athlete, board cleared first")
        << "K-3312" << cpower << "retired"
        << QStringList{"101", "J. THOMPSON", "Northern Lakes AC", "Att 2", "r", "Rank 3"};
}

void TestScoreboard::sections_showTheAthlete()
{
    QFETCH(QString, product);
    QFETCH(QString, layout);
    QFETCH(QString, section);
    Board board(product, layout);
    QVERIFY(!board.controller().isEmpty());
    const bool vertical = section.startsWith('v');
    std::unique_ptr<Participation> p(vertical ? athlete("Jeff", "Thompson", "1.80 O, 1.85 XO", 'V', 3)
                                              : athlete("Jeff", "Thompson", "7.12 7.45 X", 'H', 3));
    p->shownAttemptNumber = section == "hr-fail" ? 3 : 2;
    p->shownHeight = 1.85;
    if (section == "vp-unranked")
        p->current_order = 0;
    if (section == "retired")
        p->abandon = true;
    // Something on the board before, which every section clears.
    board.scoreboard->sendText("OLD");
    board.writes->clear();
    board.scoreboard->setCurrentParticipation(p.get());
    if (section == "hp")
        board.scoreboard->sendHorizontalParticipant();
    else if (section.startsWith("hr"))
        board.scoreboard->sendHorizontalResult();
    else if (section == "vr")
        board.scoreboard->sendVerticalResult();
    else if (section.startsWith("vp"))
        board.scoreboard->sendVerticalParticipant();
    else
        board.scoreboard->sendResultAfterAttempt();
    const BoardState shown = board.shown();
    QTEST(shown.texts(), "shown");
    QCOMPARE(shown.clearCount(), 1);
    // The preview for the devices dialog: the same board.
    QCOMPARE(board.scoreboard->preview().texts(), shown.texts());
    QCOMPARE(board.scoreboard->preview().size(), board.size());
    // A clear, then one item after the other, paced for the board.
    const QList<int> pauses = board.pauses();
    QCOMPARE(pauses.first(), 150);
    QCOMPARE(pauses.mid(1), QList<int>(pauses.size() - 1, 75));
    QCOMPARE(board.writes->size(), 1 + shown.items().size());
}

void TestScoreboard::rankingOf12_pagesFiveAtATime()
{
    Board board("K-3310", "Test");
    QCOMPARE(board.scoreboard->linesPerPage(), 5);
    QList<Participation *> heat;
    for (int i = 0; i < 12; ++i)
        heat << athlete("A", QString("Athlete%1").arg(i), QString("%1").arg(8.0 - i * 0.1, 0, 'f', 2), 'H',
                        unsigned(i + 1));
    board.scoreboard->showRanking('H', "Long Jump", heat);
    QVERIFY(board.scoreboard->isPaging());
    const auto page = [&board]() {
        const BoardState shown = board.shown();
        board.writes->clear();
        return shown;
    };
    const auto rows = [](int first, int last) {
        QStringList texts{"Long Jump"};
        for (int i = first; i <= last; ++i)
            texts << QString::number(i + 1) << QString("Athlete%1").arg(i) << QString::number(8.0 - i * 0.1, 'f', 2);
        return texts;
    };
    QCOMPARE(page().texts(), rows(0, 4));
    board.scoreboard->onTimerTimeout();
    const BoardState second = page();
    QCOMPARE(second.texts(), rows(5, 9));
    // Row 5 is the first line of its page, and odd: the alternating colour.
    const BoardItem *row5 = second.itemAt(QPoint(25, 15));
    QVERIFY(row5);
    QCOMPARE(row5->text.trimmed(), QString("Athlete5"));
    QCOMPARE(row5->box.y(), 14);
    QCOMPARE(row5->color, QColor("#00FFFF"));
    QCOMPARE(second.itemAt(QPoint(25, 25))->color, QColor("#FFFFFF")); // row 6
    board.scoreboard->onTimerTimeout();
    QCOMPARE(page().texts(), rows(10, 11));
    board.scoreboard->onTimerTimeout();
    QCOMPARE(page().texts(), rows(0, 4));
    QVERIFY(board.scoreboard->isPaging());
    qDeleteAll(heat);
}

void TestScoreboard::rankingOf4_isOnePage()
{
    Board board("K-3310", "Test");
    QList<Participation *> heat;
    for (int i = 0; i < 4; ++i)
        heat << athlete("A", QString("Athlete%1").arg(i), ".", 'V', i == 3 ? 0 : unsigned(i + 1));
    board.scoreboard->showRanking('V', "High Jump", heat);
    QVERIFY(!board.scoreboard->isPaging());
    // No height cleared: no result; no rank: an empty rank.
    QCOMPARE(board.shown().texts(),
             QStringList({"High Jump", "1", "Athlete0", "2", "Athlete1", "3", "Athlete2", "Athlete3"}));
    qDeleteAll(heat);
}

void TestScoreboard::rankingOfAClosedHeat_stopsPaging()
{
    Board board("K-3310", "Test");
    QList<Participation *> heat;
    for (int i = 0; i < 7; ++i)
        heat << athlete("A", QString("Athlete%1").arg(i), "7.00", 'H', unsigned(i + 1));
    board.scoreboard->showRanking('H', "Long Jump", heat);
    QVERIFY(board.scoreboard->isPaging());
    // The heat is closed and its records go while the ranking still pages.
    qDeleteAll(heat);
    board.writes->clear();
    board.scoreboard->onTimerTimeout();
    QCOMPARE(board.writes->size(), 0);
    QVERIFY(!board.scoreboard->isPaging());
}

void TestScoreboard::namePatterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("name");
    QTest::newRow("initial and capitals") << "[F]. [LASTNAME]"
                                          << "Jeff"
                                          << "Thompson"
                                          << "J. THOMPSON";
    QTest::newRow("as written") << "[Firstname] [Lastname]"
                                << "Jeff"
                                << "Thompson"
                                << "Jeff Thompson";
    QTest::newRow("lower case") << "[lastname], [firstname]"
                                << "Jeff"
                                << "Thompson"
                                << "thompson, jeff";
    QTest::newRow("initials") << "[f][l] [L][F]"
                              << "jeff"
                              << "thompson"
                              << "jt TJ";
    QTest::newRow("no last name: its initial stays") << "[F]. [L]."
                                                     << "Jeff"
                                                     << ""
                                                     << "J. [L].";
    QTest::newRow("no first name: its initial stays") << "[F] [LASTNAME]"
                                                      << ""
                                                      << "de Vries"
                                                      << "[F] DE VRIES";
    QTest::newRow("plain text") << "Athlete"
                                << "Jeff"
                                << "Thompson"
                                << "Athlete";
}

void TestScoreboard::namePatterns()
{
    QFETCH(QString, pattern);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QTEST(ScoreboardItemFiller::applyNamePattern(pattern, first, last), "name");
}

void TestScoreboard::countdownTexts_data()
{
    QTest::addColumn<unsigned>("seconds");
    QTest::addColumn<int>("maximumLength");
    QTest::addColumn<QString>("shown");
    QTest::newRow("75 s") << 75u << 8 << "1:15";
    QTest::newRow("9 s") << 9u << 8 << "9";
    QTest::newRow("0 s") << 0u << 8 << "0";
    QTest::newRow("10 min") << 600u << 8 << "10:00";
    QTest::newRow("an hour") << 3600u << 8 << "1:00:00";
    QTest::newRow("a box of 2 keeps the seconds") << 75u << 2 << "15";
    QTest::newRow("no length: nothing") << 75u << 0 << "";
}

void TestScoreboard::countdownTexts()
{
    QFETCH(unsigned, seconds);
    QFETCH(int, maximumLength);
    ScoreboardItemFiller::Context context;
    context.countdownSeconds = seconds;
    QJsonObject item = textItem(0, 0, 30, 8, 8, "#00FF00", "right", "");
    item.insert("maximum_length", maximumLength);
    QTEST(ScoreboardItemFiller::itemValue(ScoreboardItemFiller::fill("seconds", item, context)), "shown");
}

void TestScoreboard::characterTransformations_data()
{
    QTest::addColumn<QString>("product");
    QTest::addColumn<QList<QStringList>>("rows"); // driver, source, transformed
    QTest::addColumn<QString>("lastName");
    QTest::addColumn<QString>("shown");
    const QList<QStringList> rows{{"C-Power", "Ü", "UE"}, {"C-Power", "Ø", "O"}, {"Changhong", "Ü", "U"}};
    QTest::newRow("C-Power: its rows in order") << "K-3312" << rows << "Müller-Sø"
                                                << "MUELLER-SO";
    QTest::newRow("Changhong: its own rows only") << "K-2144" << rows << "Müller-Sø"
                                                  << "MULLER-SØ";
    QTest::newRow("an empty replacement changes nothing")
        << "K-3312" << QList<QStringList>{{"C-Power", "Ü", ""}} << "Müller"
        << "MÜLLER";
    // Sources are characters, not patterns: "." must not match every letter,
    // and "(" must not break the others.
    QTest::newRow("characters that mean something in a pattern") << "K-3312"
                                                                 << QList<QStringList>{{"C-Power", ".", "-"},
                                                                                       {"C-Power", "(", "<"},
                                                                                       {"C-Power", "+", "&"},
                                                                                       {"C-Power", "?", "!"},
                                                                                       {"C-Power", "Ü", "UE"}}
                                                                 << "O.B (J)+? Ü"
                                                                 << "O-B <J)&! UE";
}

void TestScoreboard::characterTransformations()
{
    QFETCH(QString, product);
    QFETCH(QList<QStringList>, rows);
    QFETCH(QString, lastName);
    Board board(product, "Field events 192x64");
    QList<CharacterTransformation> transformations;
    for (const QStringList &row : rows)
        transformations.append({row.at(1), row.at(2), row.at(0)});
    board.scoreboard->setCharacterTransformations(transformations);
    std::unique_ptr<Participation> p(athlete("Ada", lastName, "7.00", 'H', 1));
    p->shownAttemptNumber = 1;
    board.scoreboard->setCurrentParticipation(p.get());
    board.scoreboard->sendHorizontalParticipant();
    // "[F]. [LASTNAME]": the transformations apply to the name as shown.
    QTEST(board.shown().texts().at(1).mid(3), "shown");
}

void TestScoreboard::brightness_stepsAndWraps_data()
{
    QTest::addColumn<QString>("product");
    QTest::addColumn<QStringList>("levels");
    QTest::newRow("Changhong: 0 to 10 in ones")
        << "K-315" << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "0"};
    QTest::newRow("C-Power: 0 to 100 in twenties") << "K-3310" << QStringList{"20", "40", "60", "80", "100", "0", "20"};
}

void TestScoreboard::brightness_stepsAndWraps()
{
    QFETCH(QString, product);
    QFETCH(QStringList, levels);
    Board board(product, product == "K-315" ? "Field events 96x32" : "Field events 128x32");
    QSignalSpy updated(board.scoreboard.get(), &Scoreboard::brightnessUpdated);
    auto decoder = BoardDecoder::forController(board.controller());
    QStringList seen;
    for (int i = 0; i < levels.size(); ++i) {
        board.writes->clear();
        board.scoreboard->stepBrightness();
        QCOMPARE(board.writes->size(), 1);
        QCOMPARE(board.writes->first().at(1).toInt(), 75);
        BoardState state;
        state.apply(decoder->feed(board.writes->first().at(0).toByteArray()));
        seen << state.brightnessLevel();
        QCOMPARE(updated.at(i).at(0).toUInt(), levels.at(i).toUInt());
    }
    QCOMPARE(seen, levels);
    QCOMPARE(updated.last().at(1).toUInt(), uint(driver(board.controller())->brightnessMaximum()));
}

void TestScoreboard::countdown_showsStartsAlertsAndRearms()
{
    Settings::instance()->setValue("countdown", "value", 45);
    Board board("K-3310", "Test");
    Scoreboard &s = *board.scoreboard;
    QSignalSpy values(&s, &Scoreboard::valueUpdated);
    // Nothing before a value is set.
    s.startPauseCountdown(false);
    QCOMPARE(s.countdownState(), AttemptCountdown::Initial);
    QCOMPARE(board.writes->size(), 0);

    s.setCountdownValue(11);
    const auto shownItem = [&board]() {
        const BoardState shown = board.shown();
        return shown.items().isEmpty() ? BoardItem() : shown.items().last();
    };
    QCOMPARE(shownItem().text.trimmed(), QString("11"));
    QCOMPARE(shownItem().color, QColor("#00FF00"));
    // The first call shows the clock, the second starts it.
    s.startPauseCountdown(false);
    QVERIFY(!s.isCountdownRunning());
    s.startPauseCountdown(false);
    QVERIFY(s.isCountdownRunning());
    QCOMPARE(s.countdownState(), AttemptCountdown::Running);
    s.onCountdownClockTimerTimeout();
    QCOMPARE(shownItem().text.trimmed(), QString("10"));
    QCOMPARE(shownItem().color, QColor("#00FF00"));
    s.onCountdownClockTimerTimeout();
    // Below the alert of 10: the alert item.
    QCOMPARE(shownItem().text.trimmed(), QString("9"));
    QCOMPARE(shownItem().color, QColor("#FF0000"));
    QCOMPARE(values.last().first().toUInt(), 9u);
    // Paused and resumed.
    s.startPauseCountdown(true);
    QCOMPARE(s.countdownState(), AttemptCountdown::Paused);
    s.startPauseCountdown(false);
    QVERIFY(s.isCountdownRunning());
    for (int i = 0; i < 9; ++i)
        s.onCountdownClockTimerTimeout();
    QCOMPARE(s.remainingSeconds(), 0u);
    QCOMPARE(s.countdownState(), AttemptCountdown::Running);
    s.onCountdownClockTimerTimeout();
    QCOMPARE(s.countdownState(), AttemptCountdown::Finished);
    QVERIFY(!s.isCountdownRunning());
    // Finished: the next call re-arms the stored value without starting.
    s.startPauseCountdown(false);
    QCOMPARE(s.countdownState(), AttemptCountdown::Ready);
    QVERIFY(!s.isCountdownRunning());
    QCOMPARE(values.last().first().toUInt(), 45u);
    QCOMPARE(shownItem().text.trimmed(), QString("45"));
    // With start-after-call, one call shows and starts.
    s.setStartCountdownAfterCall(true);
    s.startPauseCountdown(false);
    QVERIFY(s.isCountdownRunning());
    // The real timer ticks once a second.
    QVERIFY(QTest::qWaitFor([&] { return s.remainingSeconds() == 44; }, 2500));
}

void TestScoreboard::freeText_splitsLines_andClearsLater()
{
    Board board("K-3310", "Test");
    board.scoreboard->setClearAfterResult(true);
    board.scoreboard->setClearTimeout(1);
    board.scoreboard->sendText("7.12\r\n\nWIND +1.2\nthird line");
    BoardState shown = board.shown();
    QCOMPARE(shown.texts(), QStringList({"7.12", "WIND +1.2"}));
    QCOMPARE(shown.items().at(0).box.y(), 2);
    QCOMPARE(shown.items().at(1).box.y(), 22);
    QCOMPARE(board.pauses(), QList<int>({150, 75, 75}));
    // Cleared when the timeout has passed, without pause.
    QVERIFY(QTest::qWaitFor([&] { return board.writes->size() == 4; }, 2500));
    QVERIFY(board.shown().isCleared());
    QCOMPARE(board.pauses().last(), 0);
}

void TestScoreboard::brokenLayoutFile_isSkippedAndNamed_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("reason");
    QTest::newRow("not JSON: where it broke")
        << QByteArray("{ \"scoreboardlayout\": { \"name\": \"Broken\",, } }") << "not valid JSON at offset 42: .+";
    QTest::newRow("no layout in it") << QByteArray("{ \"countdownclocklayout\": {} }")
                                     << "no object \"scoreboardlayout\"";
    // Numbers the boards' commands cannot carry in their 16 bits.
    QJsonObject wide = testLayout();
    QJsonObject section = wide["event_ranking"].toObject();
    QJsonObject name = section["name"].toObject();
    name["width"] = 2000000000;
    section["name"] = name;
    wide["event_ranking"] = section;
    QTest::newRow("an item two billion pixels wide") << QJsonDocument(QJsonObject{{"scoreboardlayout", wide}}).toJson()
                                                     << "\"event_ranking/name/width\" is 2000000000, beyond 0 to 65535";
    QJsonObject lines = testLayout();
    QJsonObject text = lines["text"].toObject();
    text["lines"] = QJsonObject{{"split", true}, {"paramforyinit", -16}, {"incrementparamfory", 16}};
    lines["text"] = text;
    QTest::newRow("free text above the board") << QJsonDocument(QJsonObject{{"scoreboardlayout", lines}}).toJson()
                                               << "\"text/lines/paramforyinit\" is -16, beyond 0 to 65535";
}

void TestScoreboard::brokenLayoutFile_isSkippedAndNamed()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, reason);
    QTemporaryDir program;
    QDir().mkpath(program.filePath("scoreboardlayouts"));
    QFile::link(driverFolder(), program.filePath("scoreboarddrivers"));
    writeJson(program.filePath("scoreboardlayouts/good.json"), {{"scoreboardlayout", testLayout()}});
    QFile broken(program.filePath("scoreboardlayouts/broken.json"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write(text);
    broken.close();
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("^Layout file .*/scoreboardlayouts/broken.json skipped: " + reason + "$"));
    Scoreboard scoreboard(program.path());
    QCOMPARE(scoreboard.layoutSummaries().size(), 1);
    QCOMPARE(scoreboard.layoutSummaries().first()["filename"].toString(), QString("good.json"));
}

void TestScoreboard::withoutDriverOrPort_nothingIsSent()
{
    std::unique_ptr<Participation> p(athlete("Jeff", "Thompson", "7.00", 'H', 1));
    for (const auto &[type, layout, portType] :
         {std::tuple<QString, QString, int>{"K-3310", "Test", 0}, {"K-3310", "No such layout", 3}}) {
        Board board(type, layout, portType);
        board.scoreboard->setCurrentParticipation(p.get());
        board.scoreboard->sendHorizontalResult();
        board.scoreboard->showRanking('H', "Long Jump", {p.get()});
        board.scoreboard->sendText("text");
        board.scoreboard->clearBoard();
        board.scoreboard->setCountdownValue(30);
        QCOMPARE(board.writes->size(), 0);
    }
}

STADIONIX_TEST_MAIN(TestScoreboard)
#include "tst_scoreboard.moc"
