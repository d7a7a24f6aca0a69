// A long jump entered through the real field event screen, with the LED
// board on a pty: the virtual scoreboard at the other end decodes what the
// board would show, and it shows the athlete, the mark and the rank that the
// grid shows, then the ranking, on a Changhong and on a C-Power board. With
// STADIONIX_DOCS_DIR set, the board's pictures go there.
#include <QDir>
#include <QSignalSpy>
#include <QtTest>

#include "app/settings.h"
#include "devices/scoreboard.h"
#include "fieldeventscreenfixture.h"
#include "store/localdatabase.h"
#include "support/socatpair.h"
#include "support/testsupport.h"
#include "tools/virtual-scoreboard/virtualscoreboard.h"

namespace {
const QString Host = QStringLiteral("127.0.14.10");
} // namespace

class TestFieldEventScoreboard : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::failOnUnexpectedWarnings(); }
    void longJump_boardShowsWhatTheGridShows_data();
    void longJump_boardShowsWhatTheGridShows();
};

void TestFieldEventScoreboard::longJump_boardShowsWhatTheGridShows_data()
{
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("make");
    QTest::addColumn<QString>("rankPrefix");
    QTest::addColumn<QStringList>("names");  // as each board writes them, in start order
    QTest::addColumn<QStringList>("ranked"); // on the ranking, in rank order
    // Demo athletes 20 (Kjell Lefèvrier) and 2 (Ægle Hüttlinger). The
    // C-Power board gets the store's character transformations; Changhong
    // boards have none, and 12 characters for the name.
    QTest::newRow("Changhong K-2144") << "K-2144"
                                      << "changhong"
                                      << "#" << QStringList{"K. LEFÈVRIER", "Æ. HÜTTLINGE"}
                                      << QStringList{"Æ. HÜTTLINGER", "K. LEFÈVRIER"};
    QTest::newRow("C-Power K-3312") << "K-3312"
                                    << "cpower"
                                    << "Rank " << QStringList{"K. LEFEVRIER", "AE. HUETTLINGER"}
                                    << QStringList{"AE. HUETTLINGER", "K. LEFEVRIER"};
}

void TestFieldEventScoreboard::longJump_boardShowsWhatTheGridShows()
{
    QFETCH(QString, product);
    QFETCH(QString, make);
    QFETCH(QString, rankPrefix);
    QFETCH(QStringList, names);
    QFETCH(QStringList, ranked);
    SocatPair pair;
    QVERIFY2(pair.start(), qPrintable(pair.error()));
    VirtualScoreboard::Settings boardSettings;
    QString error;
    const QString layoutFile =
        TestSupport::buildDir() + "/scoreboardlayouts/" + product.toLower() + "-field-events.json";
    QVERIFY2(VirtualScoreboard::readLayout(layoutFile, &boardSettings, &error), qPrintable(error));
    boardSettings.ptyPath = pair.second();
    VirtualScoreboard board;
    QVERIFY(board.start(boardSettings, &error));

    // The board as the devices dialog leaves it: the layout and the port.
    Settings *settings = Settings::instance();
    settings->setValue("scoreboard", "product", product);
    settings->setValue("scoreboard", "layout", "Field events 192x64");
    settings->setValue("scoreboard", "type", 1);
    settings->setValue("scoreboard", "port", pair.first());
    Scoreboard scoreboard(TestSupport::buildDir());
    QSignalSpy opened(&scoreboard, &Scoreboard::port_opened);
    QVERIFY(opened.wait(5000));
    QVERIFY(opened.first().first().toBool());

    FieldEventScreenFixture f({1401, "H", "", 6, {20, 2}}, Host);
    QVERIFY(f.started);
    scoreboard.setCharacterTransformations(f.connection->store()->characterTransformations());
    f.devices.scoreboard = &scoreboard;
    f.screen->setDevices(f.devices);
    QVERIFY(QTest::qWaitFor([&] { return f.currentDrawn() == 1; }, 5000));

    FieldEventParticipantsModel *grid = f.screen->gridModel();
    const auto gridText = [&](unsigned drawn, int column) {
        return grid->index(grid->rowOfParticipation(f.drawn(drawn)->id), column).data().toString();
    };
    const auto boardShows = [&](const QStringList &texts) {
        return QTest::qWaitFor(
            [&] {
                const QStringList shown = board.state().texts();
                return std::all_of(texts.cbegin(), texts.cend(), [&](const QString &t) { return shown.contains(t); });
            },
            5000);
    };
    const auto picture = [&](const QString &what) {
        const QString folder = qEnvironmentVariable("STADIONIX_DOCS_DIR");
        if (!folder.isEmpty())
            QVERIFY(board.savePng(QDir(folder).filePath(QString("scoreboard-%1-%2.png").arg(make, what))));
    };
    const QList<QPair<unsigned, QString>> entries{{1, "7,45"}, {2, "7,80"}};
    for (const auto &[drawn, mark] : entries) {
        QCOMPARE(f.currentDrawn(), drawn);
        // The athlete is called up: the board shows who is next.
        f.click("btnCallParticipant");
        f.click("btnCall");
        QVERIFY2(boardShows({names.at(int(drawn) - 1)}), qPrintable(board.state().texts().join(" | ")));
        if (drawn == 2)
            picture("participant");
        f.type(mark);
        f.click("btnEnter");
        // What the grid shows for this athlete after Enter, on the board.
        const QString shownMark = gridText(drawn, FieldEventParticipantsModel::columnOfAttempt(1));
        const QString shownRank = gridText(drawn, FieldEventParticipantsModel::RankColumn);
        QCOMPARE(shownMark, QString(mark).replace(',', '.'));
        QVERIFY(!shownRank.isEmpty());
        QVERIFY2(boardShows({names.at(int(drawn) - 1), shownMark, rankPrefix + shownRank}),
                 qPrintable(board.state().texts().join(" | ")));
        QVERIFY(gridText(drawn, FieldEventParticipantsModel::NameColumn)
                    .contains(f.drawn(drawn)->lastName(), Qt::CaseInsensitive));
        if (drawn == 2)
            picture("result");
    }
    // The longer jump leads: rank 1 after rank 1 before it.
    QCOMPARE(gridText(2, FieldEventParticipantsModel::RankColumn), QString("1"));
    QCOMPARE(gridText(1, FieldEventParticipantsModel::RankColumn), QString("2"));

    // The ranking: rank, name and best mark a row, in rank order (a row
    // holds more of a name than the athlete's line).
    f.click("btnRankingToScoreboard");
    QVERIFY2(boardShows({"1", ranked.at(0), "7.80", "2", ranked.at(1), "7.45"}),
             qPrintable(board.state().texts().join(" | ")));
    QVERIFY(board.state().texts().first().startsWith("Women's Event"));
    picture("ranking");
    QCOMPARE(board.rejected(), 0);
}

STADIONIX_TEST_MAIN(TestFieldEventScoreboard)
#include "tst_fieldeventscoreboard.moc"
