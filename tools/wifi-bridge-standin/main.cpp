// wifi-bridge-standin: a stand-in Wi-Fi-to-serial bridge for development,
// tests and demonstrations. See README.md beside this file.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include "tools/common/controlchannel.h"
#include "tools/common/quitonsignals.h"
#include "tools/wifi-bridge-standin/wifibridgestandin.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("wifi-bridge-standin"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Stand-in Wi-Fi-to-serial bridge for Stadionix."));
    parser.addHelpOption();
    const QCommandLineOption listenOption(QStringLiteral("listen"),
                                          QStringLiteral("Address for TCP and announcements (default 0.0.0.0)."),
                                          QStringLiteral("address"), QStringLiteral("0.0.0.0"));
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("TCP port (default 3210)."),
                                        QStringLiteral("port"), QStringLiteral("3210"));
    const QCommandLineOption announceOption(QStringLiteral("announce-to"),
                                            QStringLiteral("Where announcements go (default 255.255.255.255)."),
                                            QStringLiteral("address"), QStringLiteral("255.255.255.255"));
    const QCommandLineOption announcePortOption(QStringLiteral("announce-port"),
                                                QStringLiteral("UDP port of announcements (default 55555)."),
                                                QStringLiteral("port"), QStringLiteral("55555"));
    const QCommandLineOption intervalOption(QStringLiteral("interval"),
                                            QStringLiteral("Milliseconds between announcements (default 1000)."),
                                            QStringLiteral("ms"), QStringLiteral("1000"));
    const QCommandLineOption nameOption(QStringLiteral("name"),
                                        QStringLiteral("Name announced, at most 31 bytes (default WFBRDG000123)."),
                                        QStringLiteral("name"), QStringLiteral("WFBRDG000123"));
    const QCommandLineOption serialOption(QStringLiteral("serial"),
                                          QStringLiteral("Serial side: a pty (one end of a socat pair), a pipe "
                                                         "or a file."),
                                          QStringLiteral("path"));
    const QCommandLineOption silentOption(QStringLiteral("silent"), QStringLiteral("Start without announcing."));
    const QCommandLineOption refuseOption(QStringLiteral("refuse"), QStringLiteral("Start refusing connections."));
    const QCommandLineOption unreachableOption(QStringLiteral("unreachable"),
                                               QStringLiteral("Start out of reach: nothing announced, connection "
                                                              "attempts unanswered."));
    for (const auto &option : {listenOption, portOption, announceOption, announcePortOption, intervalOption, nameOption,
                               serialOption, silentOption, refuseOption, unreachableOption})
        parser.addOption(option);
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);
    WifiBridgeStandin::Settings settings;
    if (!settings.address.setAddress(parser.value(listenOption)) ||
        !settings.announceTo.setAddress(parser.value(announceOption))) {
        err << "wifi-bridge-standin: not an IPv4 address" << Qt::endl;
        return 2;
    }
    settings.port = static_cast<quint16>(parser.value(portOption).toUInt());
    settings.announcePort = static_cast<quint16>(parser.value(announcePortOption).toUInt());
    settings.announceIntervalMs = qMax(10, parser.value(intervalOption).toInt());
    settings.name = parser.value(nameOption);
    settings.serialPath = parser.value(serialOption);
    settings.silent = parser.isSet(silentOption);
    settings.refusing = parser.isSet(refuseOption);
    settings.unreachable = parser.isSet(unreachableOption);

    WifiBridgeStandin bridge;
    QString error;
    if (!bridge.start(settings, &error)) {
        err << "wifi-bridge-standin: " << error << Qt::endl;
        return 1;
    }

    QuitOnSignals::install(app);
    QObject::connect(&bridge, &WifiBridgeStandin::quitRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    ControlChannel::install(app, out, [&bridge](const QString &line) { return bridge.command(line); });

    out << "wifi-bridge-standin ready: " << settings.name << " on " << settings.address.toString() << ':'
        << settings.port << ", announcing to " << settings.announceTo.toString() << ':' << settings.announcePort
        << ", serial side " << (settings.serialPath.isEmpty() ? QStringLiteral("none") : settings.serialPath)
        << Qt::endl;
    const int code = app.exec();
    bridge.stop();
    return code;
}
