// From Enter on the input page to the grid showing the new rank, on the real
// screen, store file and ranking: a horizontal heat of 40 and a vertical heat
// of 30 at its fifteenth height, each without devices, with an LED
// scoreboard (a C-Power board of 192x64) on a pty, and with the board, the
// attempt clock (a C-Power board of 128x32) and the video wall, each on a
// pty of its own. Prints the median and where the time goes, and with the
// board alone the time from Enter until the last byte of the result section
// has reached the board.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "app/screendevices.h"
#include "app/settings.h"
#include "devices/countdownclock.h"
#include "devices/scoreboard.h"
#include "devices/videoscoreboard.h"
#include "fieldevents/fieldeventparticipantsmodel.h"
#include "fieldevents/fieldeventranking.h"
#include "fieldevents/fieldeventwidget.h"
#include "records/participation.h"
#include "store/localdatabase.h"
#include "sync/databaseconnection.h"
#include "support/socatpair.h"
#include "tools/meetwise-standin/standinserver.h"
#include "tools/virtual-scoreboard/virtualscoreboard.h"

namespace {

// The stand-in server on the protocol's port of an address of this
// benchmark's own (docs/testing.md).
const QString Host = QStringLiteral("127.0.14.201");

struct Figures
{
    QList<double> enter, change, paint, board, boardCalls;
    int sectionItems = 0;
};

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

QString competitionFile(const QTemporaryDir &folder, unsigned heat, const QString &fieldType, int athletes)
{
    QFile demo(StandinServer::demoCompetitionPath());
    demo.open(QIODevice::ReadOnly);
    QJsonObject root = QJsonDocument::fromJson(demo.readAll()).object();
    QJsonArray allAthletes = root.value("athletes").toArray();
    QJsonArray participations;
    for (int i = 0; i < athletes; ++i)
        participations.append(QJsonObject{{"id", double(heat * 100 + i)},
                                          {"athlete", allAthletes.at(i % allAthletes.size()).toObject().value("id")},
                                          {"initialorder", i + 1}});
    const QJsonObject event{
        {"id", 90},
        {"name", "Bench"},
        {"abbreviation", "B"},
        {"windtime", 0},
        {"eventtype", QJsonObject{{"id", 9},
                                  {"fieldtype", fieldType},
                                  {"athletesquantity", 1},
                                  {"combinedeventsquantity", 1},
                                  {"distance", 0},
                                  {"windmode", ""}}},
        {"rounds", QJsonArray{QJsonObject{{"id", 91},
                                          {"name", "Final"},
                                          {"session", 1},
                                          {"scheduled", "2026-06-13 10:00:00"},
                                          {"attempts", 6},
                                          {"heats", QJsonArray{QJsonObject{{"id", double(heat)},
                                                                           {"seqno", 1},
                                                                           {"timescheduled", "10:00:00"},
                                                                           {"participations", participations}}}}}}}};
    QJsonArray competitions = root.value("competitions").toArray();
    QJsonObject competition = competitions.first().toObject();
    competition.insert("events", QJsonArray{event});
    competitions.replace(0, competition);
    root.insert("competitions", competitions);
    const QString path = folder.filePath(QStringLiteral("competition-%1.json").arg(heat));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(QJsonDocument(root).toJson());
    return path;
}

void click(FieldEventWidget &screen, const QString &name)
{
    QTest::mouseClick(screen.findChild<QPushButton *>(name), Qt::LeftButton);
}

// A C-Power board on one end of a socat pair, the virtual scoreboard on the
// other.
struct Board
{
    Board()
    {
        if (!pair.start())
            qFatal("socat: %s", qPrintable(pair.error()));
        VirtualScoreboard::Settings settings;
        QString error;
        const QString build = QStringLiteral(STADIONIX_BUILD_DIR);
        if (!VirtualScoreboard::readLayout(build + "/scoreboardlayouts/k-3312-field-events.json", &settings, &error))
            qFatal("layout: %s", qPrintable(error));
        settings.ptyPath = pair.second();
        viewer.start(settings);
        Settings *stored = Settings::instance();
        stored->setValue("scoreboard", "product", "K-3312");
        stored->setValue("scoreboard", "layout", "Field events 192x64");
        stored->setValue("scoreboard", "type", 1);
        stored->setValue("scoreboard", "port", pair.first());
        scoreboard = std::make_unique<Scoreboard>(build);
        if (!QTest::qWaitFor([this] { return scoreboard->isPortOpen(); }, 5000))
            qFatal("the scoreboard's port did not open");
    }

    SocatPair pair;
    VirtualScoreboard viewer;
    std::unique_ptr<Scoreboard> scoreboard;
};

// The attempt clock and the video wall, each on one end of a socat pair
// whose other end the virtual scoreboard reads.
struct ClockAndWall
{
    ClockAndWall()
    {
        if (!clockLine.start() || !wallLine.start())
            qFatal("socat: %s %s", qPrintable(clockLine.error()), qPrintable(wallLine.error()));
        VirtualScoreboard::Settings settings;
        QString error;
        const QString build = QStringLiteral(STADIONIX_BUILD_DIR);
        if (!VirtualScoreboard::readLayout(build + "/countdownclocklayouts/attempt-clock-cpower-128x32.json", &settings,
                                           &error))
            qFatal("layout: %s", qPrintable(error));
        settings.ptyPath = clockLine.second();
        settings.videoPtyPath = wallLine.second();
        viewer.start(settings);
        Settings *stored = Settings::instance();
        stored->setValue("countdown", "layout", "attempt-clock-cpower-128x32");
        stored->setValue("countdown", "type", 1);
        stored->setValue("countdown", "port", clockLine.first());
        stored->setValue("countdown", "start_countdown_after_call", true);
        stored->setValue("videoscoreboard", "type", 1);
        stored->setValue("videoscoreboard", "port", wallLine.first());
        clock = std::make_unique<CountdownClock>(build);
        wall = std::make_unique<VideoScoreboard>();
        if (!QTest::qWaitFor([this] { return clock->isPortOpen() && wall->isPortOpen(); }, 5000))
            qFatal("the clock's or the wall's port did not open");
    }

    SocatPair clockLine;
    SocatPair wallLine;
    VirtualScoreboard viewer;
    std::unique_ptr<CountdownClock> clock;
    std::unique_ptr<VideoScoreboard> wall;
};

enum class Attached { Nothing, Board, Everything };

Figures run(const QString &fieldType, int athletes, int heights, Attached attached)
{
    QTemporaryDir folder;
    const unsigned heatId = fieldType == QLatin1String("V") ? 992 : 991;
    StandinServer server;
    server.loadCompetition(competitionFile(folder, heatId, fieldType, athletes));
    StandinServer::Settings settings;
    settings.address = QHostAddress(Host);
    QString error;
    if (!server.start(settings, &error))
        qFatal("stand-in: %s", qPrintable(error));
    DatabaseConnection connection(nullptr, folder.path(), folder.filePath(QStringLiteral("stadionix.db")));
    connection.onSetDatabaseConnectionData(
        QStringLiteral("meetwise"), {{"ip", Host}, {"user", "official"}, {"pass", "lap&time=42"}, {"competition", 1}});
    const QVariantMap eventData{{"event.id", heatId},
                                {"event.fieldType", fieldType},
                                {"event.eventID", 90},
                                {"event.roundID", 91},
                                {"event.windMode", ""},
                                {"event.numberOfAttempts", 6},
                                {"event.participantsCached", 0},
                                {"event.roundName", "Final"},
                                {"event.eventName", "Bench"},
                                {"event.seqno", 1}};

    // A vertical heat with fourteen heights jumped already (entered straight
    // through the connection), so the grid has fifteen height columns.
    if (fieldType == QLatin1String("V")) {
        struct Listener : DatabaseSynchronizationInterface
        {
            bool done = false;
            void participationsReceived(const QString &, const QList<Participation *> &) override { done = true; }
        } listener;
        connection.loadHeat(eventData, &listener);
        if (!QTest::qWaitFor([&] { return listener.done; }, 5000))
            qFatal("the heat did not arrive");
        for (int h = 0; h < heights - 1; ++h)
            for (Participation *p : connection.participations())
                connection.applyAttemptString(p, 1.50 + 0.03 * h, (p->participation_id + unsigned(h)) % 4 ? "0" : "X0",
                                              0);
        if (!QTest::qWaitFor([&] { return connection.pendingActionCount() == 0; }, 20000))
            qFatal("the server did not confirm the heights");
    }

    std::unique_ptr<Board> board;
    std::unique_ptr<ClockAndWall> clockAndWall;
    ScreenDevices devices;
    if (attached != Attached::Nothing) {
        board = std::make_unique<Board>();
        devices.scoreboard = board->scoreboard.get();
    }
    if (attached == Attached::Everything) {
        clockAndWall = std::make_unique<ClockAndWall>();
        devices.countdownClock = clockAndWall->clock.get();
        devices.videoScoreboard = clockAndWall->wall.get();
    }
    FieldEventWidget screen(nullptr, eventData);
    screen.setDevices(devices);
    screen.resize(1280, 800);
    screen.show();
    // The new height dialog that the reopened vertical heat asks for is
    // accepted with its proposal.
    QTimer acceptDialogs;
    QObject::connect(&acceptDialogs, &QTimer::timeout, [] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->accept();
    });
    acceptDialogs.start(20);
    QVariantMap screenData = eventData;
    if (fieldType == QLatin1String("V"))
        screenData.insert(QStringLiteral("event.participantsCached"), 1);
    screen.setDatabaseConnection(&connection, screenData);
    if (!QTest::qWaitFor([&] { return screen.currentParticipation() != nullptr; }, 10000))
        qFatal("no athlete is up");
    QWidget *grid = screen.findChild<QWidget *>(QStringLiteral("tblParticipantsView"));
    if (fieldType == QLatin1String("V") && screen.gridModel()->heightColumns().size() != heights)
        qFatal("%d heights instead of %d", int(screen.gridModel()->heightColumns().size()), heights);
    acceptDialogs.stop();

    Figures figures;
    QElapsedTimer timer;
    // First the entries one after the other, as the benchmark always ran;
    // then, with the board alone, ten more, each waited for at the board.
    // Each athlete is called up: with everything attached the board and the
    // wall show the athlete and the clock starts, until the judge's key stops
    // it.
    const int quick = athletes - 1;
    const int entries = quick + (attached == Attached::Board ? 10 : 0);
    std::unique_ptr<QSignalSpy> sentInRun;
    if (board)
        sentInRun = std::make_unique<QSignalSpy>(devices.scoreboard, &PortDevice::writeData);
    for (int i = 0; i < entries; ++i) {
        const bool atBoard = i >= quick;
        if (i == quick) {
            // What the quick entries queued drains first; new heights are
            // accepted as they come.
            if (!QTest::qWaitFor([&] { return board->viewer.changes() >= sentInRun->size(); }, 300000))
                qFatal("the board did not take what was sent");
            QTest::qWait(Scoreboard::ItemPauseMs + 10);
            acceptDialogs.start(20);
        }
        Participation *p = screen.currentParticipation();
        if (!p)
            break;
        click(screen, QStringLiteral("btnCallParticipant"));
        // Called up as at the event, devices or not, so that the runs differ
        // in the devices alone.
        click(screen, QStringLiteral("btnCall"));
        if (fieldType == QLatin1String("V")) {
            click(screen, i % 3 ? QStringLiteral("btnPass") : QStringLiteral("btnFail"));
        } else {
            for (const char *key : {"btnButton6", "btnButtonComma", "btnButton1"})
                click(screen, QString::fromLatin1(key));
            click(screen, QStringLiteral("btnButton%1").arg(i % 10));
        }
        const int shownBefore = board ? board->viewer.changes() : 0;
        const qsizetype sentBefore = board ? sentInRun->size() : 0;
        timer.start();
        click(screen, QStringLiteral("btnEnter"));
        grid->repaint();
        if (!atBoard)
            figures.enter.append(timer.nsecsElapsed() / 1e6);
        if (atBoard) {
            // Every command of the result section decoded at the board.
            const int section = int(sentInRun->size() - sentBefore);
            if (!QTest::qWaitFor([&] { return board->viewer.changes() >= shownBefore + section; }, 5000))
                qFatal("the result section did not reach the board");
            figures.board.append(timer.nsecsElapsed() / 1e6);
            figures.sectionItems = section - 1;
            // The pause after the last item, before the port takes more.
            QTest::qWait(Scoreboard::ItemPauseMs + 10);
            continue;
        }

        // The parts, on their own: the change through the connection (store,
        // queue, ranking), one repaint of the grid, and what the board adds
        // to Enter (the result section's bytes made and queued for the
        // port's thread).
        timer.start();
        if (fieldType == QLatin1String("V"))
            connection.applyAttemptString(p, 1.0, QStringLiteral("0"), 0);
        else
            connection.setFieldResult(p, 9, 5.0, 0, 0);
        figures.change.append(timer.nsecsElapsed() / 1e6);
        timer.start();
        grid->repaint();
        figures.paint.append(timer.nsecsElapsed() / 1e6);
        if (board) {
            timer.start();
            board->scoreboard->setCurrentParticipation(p);
            if (fieldType == QLatin1String("V"))
                board->scoreboard->sendVerticalResult();
            else
                board->scoreboard->sendHorizontalResult();
            // With the clock and the wall: their part of Enter as well.
            if (clockAndWall) {
                clockAndWall->wall->setCurrentParticipation(p);
                if (fieldType == QLatin1String("V"))
                    clockAndWall->wall->sendVerticalResult();
                else
                    clockAndWall->wall->sendHorizontalResult();
                clockAndWall->clock->resetCountdown();
            }
            figures.boardCalls.append(timer.nsecsElapsed() / 1e6);
        }
        QCoreApplication::processEvents();
    }
    return figures;
}

} // namespace

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Chronavel"));
    QCoreApplication::setApplicationName(QStringLiteral("Stadionix"));
    for (const auto &[type, athletes, heights] : {std::tuple<QString, int, int>{"H", 40, 0}, {"V", 30, 15}}) {
        // "reverse" runs the devices in the other order, to see what the
        // machine's load over the minutes of a run does to the figures.
        QList<Attached> order{Attached::Nothing, Attached::Board, Attached::Everything};
        if (QCoreApplication::arguments().contains(QStringLiteral("reverse")))
            std::reverse(order.begin(), order.end());
        for (const Attached attached : std::as_const(order)) {
            const Figures f = run(type, athletes, heights, attached);
            const char *devices = attached == Attached::Nothing ? "without devices"
                                  : attached == Attached::Board
                                      ? "with the board on a pty"
                                      : "with the board, the clock and the video wall on ptys";
            std::printf("RESULT : enter to new rank, %s heat of %d%s, %s: median %.2f ms (max %.2f ms, %lld "
                        "entries); of which store+queue+ranking %.2f ms, grid repaint %.2f ms\n",
                        type == QLatin1String("V") ? "vertical" : "horizontal", athletes,
                        heights ? qPrintable(QStringLiteral(" with %1 heights").arg(heights)) : "", devices,
                        median(f.enter), f.enter.isEmpty() ? 0 : *std::max_element(f.enter.cbegin(), f.enter.cend()),
                        qlonglong(f.enter.size()), median(f.change), median(f.paint));
            if (attached == Attached::Everything)
                std::printf("RESULT : the part of Enter of the board, the wall and the clock: median %.3f ms\n",
                            median(f.boardCalls));
            if (attached == Attached::Board)
                std::printf(
                    "RESULT : enter to the last byte of the result section at the board, %lld entries: "
                    "median %.1f ms, max %.1f ms (pacing of a clear and %d items %d ms, limit %d ms); the "
                    "scoreboard's part of Enter %.3f ms\n",
                    qlonglong(f.board.size()), median(f.board), *std::max_element(f.board.cbegin(), f.board.cend()),
                    f.sectionItems, Scoreboard::ClearPauseMs + Scoreboard::ItemPauseMs * f.sectionItems,
                    Scoreboard::ClearPauseMs + Scoreboard::ItemPauseMs * f.sectionItems + 50, median(f.boardCalls));
            std::fflush(stdout);
        }
    }
    return 0;
}
