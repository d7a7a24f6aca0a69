// virtual-scoreboard: an LED scoreboard on the screen (or in PNG files) that
// shows what Stadionix sends to a real one. See README.md beside this file.

#include <QApplication>
#include <QCommandLineParser>
#include <QJsonObject>
#include <QTextStream>

#include "tools/common/controlchannel.h"
#include "tools/common/quitonsignals.h"
#include "tools/virtual-scoreboard/boardview.h"
#include "tools/virtual-scoreboard/virtualscoreboard.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("virtual-scoreboard"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Virtual LED scoreboard for Stadionix."));
    parser.addHelpOption();
    const QCommandLineOption inputOption(QStringLiteral("input"),
                                         QStringLiteral("What the board takes: changhong or cpower (default: from "
                                                        "the layout, else cpower)."),
                                         QStringLiteral("kind"));
    const QCommandLineOption layoutOption(QStringLiteral("layout"),
                                          QStringLiteral("Layout file: the board's size and controller type."),
                                          QStringLiteral("file"));
    const QCommandLineOption sizeOption(QStringLiteral("size"), QStringLiteral("Board size in LEDs (default 192x64)."),
                                        QStringLiteral("WxH"));
    const QCommandLineOption ptyOption(
        QStringLiteral("pty"), QStringLiteral("Read from this pty (one end of a socat pair)."), QStringLiteral("path"));
    const QCommandLineOption videoOption(
        QStringLiteral("video-pty"),
        QStringLiteral("Stand in for the video wall too: read its JSON lines from this pty."), QStringLiteral("path"));
    const QCommandLineOption resultOption(
        QStringLiteral("result-pty"),
        QStringLiteral("Stand in for a system that takes the result frames too: read them from this pty."),
        QStringLiteral("path"));
    const QCommandLineOption bridgeOption(QStringLiteral("bridge"),
                                          QStringLiteral("Listen as a Wi-Fi-to-serial bridge on this address "
                                                         "(TCP port 3210, announced to port 55555)."),
                                          QStringLiteral("address"));
    const QCommandLineOption announceOption(QStringLiteral("announce-to"),
                                            QStringLiteral("Where the bridge announces itself (default "
                                                           "255.255.255.255)."),
                                            QStringLiteral("address"), QStringLiteral("255.255.255.255"));
    const QCommandLineOption nameOption(QStringLiteral("name"),
                                        QStringLiteral("Name the bridge announces (default WFBRDG000314)."),
                                        QStringLiteral("name"), QStringLiteral("WFBRDG000314"));
    const QCommandLineOption pngOption(QStringLiteral("png"),
                                       QStringLiteral("Write the board as a PNG after every change; %1 in the "
                                                      "name numbers the files."),
                                       QStringLiteral("file"));
    const QCommandLineOption pitchOption(QStringLiteral("pitch"),
                                         QStringLiteral("Pixels from one LED to the next in the PNG (default 4)."),
                                         QStringLiteral("pixels"), QStringLiteral("4"));
    const QCommandLineOption noWindowOption(QStringLiteral("no-window"),
                                            QStringLiteral("Show no window (with --png, for scripts)."));
    for (const auto &option : {inputOption, layoutOption, sizeOption, ptyOption, videoOption, resultOption,
                               bridgeOption, announceOption, nameOption, pngOption, pitchOption, noWindowOption})
        parser.addOption(option);
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);
    VirtualScoreboard::Settings settings;
    QString error;
    if (parser.isSet(layoutOption) && !VirtualScoreboard::readLayout(parser.value(layoutOption), &settings, &error)) {
        err << "virtual-scoreboard: " << parser.value(layoutOption) << ": " << error << Qt::endl;
        return 2;
    }
    if (parser.isSet(inputOption) && !VirtualScoreboard::inputFromName(parser.value(inputOption), &settings.input)) {
        err << "virtual-scoreboard: unknown input " << parser.value(inputOption) << Qt::endl;
        return 2;
    }
    if (parser.isSet(sizeOption)) {
        const QStringList parts = parser.value(sizeOption).split(QLatin1Char('x'));
        settings.size = parts.size() == 2 ? QSize(parts.at(0).toInt(), parts.at(1).toInt()) : QSize();
        if (settings.size.isEmpty()) {
            err << "virtual-scoreboard: a size is written WxH, e.g. 192x64" << Qt::endl;
            return 2;
        }
    }
    settings.ptyPath = parser.value(ptyOption);
    if (parser.isSet(bridgeOption)) {
        settings.bridge = true;
        if (!settings.bridgeAddress.setAddress(parser.value(bridgeOption)) ||
            !settings.announceTo.setAddress(parser.value(announceOption))) {
            err << "virtual-scoreboard: not an IPv4 address" << Qt::endl;
            return 2;
        }
        settings.bridgeName = parser.value(nameOption);
    }
    settings.videoPtyPath = parser.value(videoOption);
    settings.resultPtyPath = parser.value(resultOption);
    if (settings.ptyPath.isEmpty() && !settings.bridge && settings.videoPtyPath.isEmpty() &&
        settings.resultPtyPath.isEmpty()) {
        err << "virtual-scoreboard: say where the bytes come from: --pty PATH, --bridge ADDRESS, --video-pty PATH "
               "or --result-pty PATH"
            << Qt::endl;
        return 2;
    }
    settings.pngPath = parser.value(pngOption);
    settings.pitch = qBound(1, parser.value(pitchOption).toInt(), 32);

    VirtualScoreboard board;
    if (!board.start(settings, &error)) {
        err << "virtual-scoreboard: " << error << Qt::endl;
        return 1;
    }
    QuitOnSignals::install(app);
    QObject::connect(&board, &VirtualScoreboard::quitRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    QObject::connect(&board, &VirtualScoreboard::changed, &app, [&] {
        out << "board " << board.changes() << ": " << board.state().texts().join(QStringLiteral(" | ")) << Qt::endl;
    });
    QObject::connect(&board, &VirtualScoreboard::videoMessageReceived, &app,
                     [&](const QJsonObject &message) { out << VirtualScoreboard::videoLine(message) << Qt::endl; });
    QObject::connect(&board, &VirtualScoreboard::resultReceived, &app,
                     [&](const QString &text) { out << VirtualScoreboard::resultLine(text) << Qt::endl; });

    ControlChannel::install(app, out, [&board](const QString &line) { return board.command(line); });

    BoardView view(&board);
    if (!parser.isSet(noWindowOption) && QGuiApplication::platformName() != QLatin1String("offscreen"))
        view.show();

    out << "virtual-scoreboard ready: " << VirtualScoreboard::inputName(settings.input) << " board "
        << settings.size.width() << 'x' << settings.size.height() << " on "
        << (settings.bridge
                ? QStringLiteral("bridge %1:%2").arg(settings.bridgeAddress.toString()).arg(settings.bridgePort)
            : settings.ptyPath.isEmpty() ? QStringLiteral("nothing")
                                         : settings.ptyPath);
    if (!settings.videoPtyPath.isEmpty())
        out << ", video wall on " << settings.videoPtyPath;
    if (!settings.resultPtyPath.isEmpty())
        out << ", result frames on " << settings.resultPtyPath;
    out << Qt::endl;
    const int code = app.exec();
    board.stop();
    return code;
}
