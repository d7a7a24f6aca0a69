// meetwise-standin: a stand-in competition server for development, tests and
// demonstrations. See README.md beside this file.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include "tools/common/quitonsignals.h"
#include "tools/meetwise-standin/standinserver.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("meetwise-standin"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Stand-in competition server for Stadionix."));
    parser.addHelpOption();
    const QCommandLineOption competitionOption(
        QStringLiteral("competition"), QStringLiteral("Competition file to serve (default: the built-in demo)."),
        QStringLiteral("file"));
    const QCommandLineOption listenOption(QStringLiteral("listen"),
                                          QStringLiteral("Address to listen on (default 127.0.0.1)."),
                                          QStringLiteral("address"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("HTTP port (default 8090)."),
                                        QStringLiteral("port"), QStringLiteral("8090"));
    const QCommandLineOption controlOption(QStringLiteral("control-port"),
                                           QStringLiteral("Control channel HTTP port, 0 for none (default 8091)."),
                                           QStringLiteral("port"), QStringLiteral("8091"));
    const QCommandLineOption discoveryOption(QStringLiteral("discovery-port"),
                                             QStringLiteral("UDP port for discovery pings, 0 for none (default 1217)."),
                                             QStringLiteral("port"), QStringLiteral("1217"));
    const QCommandLineOption discoveryListenOption(
        QStringLiteral("discovery-listen"),
        QStringLiteral("Address that discovery pings are awaited on (default every IPv4 address)."),
        QStringLiteral("address"), QStringLiteral("0.0.0.0"));
    const QCommandLineOption answerOption(QStringLiteral("discovery-answer-port"),
                                          QStringLiteral("UDP port discovery answers go to (default 1218)."),
                                          QStringLiteral("port"), QStringLiteral("1218"));
    const QCommandLineOption downOption(QStringLiteral("down"), QStringLiteral("Start down: refuse connections."));
    const QCommandLineOption delayOption(QStringLiteral("delay"), QStringLiteral("Answer every request after ms."),
                                         QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption dropOption(QStringLiteral("drop-every"),
                                        QStringLiteral("Close the connection instead of answering every n-th request."),
                                        QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption trickleOption(QStringLiteral("trickle"),
                                           QStringLiteral("Send every answer one byte every ms."), QStringLiteral("ms"),
                                           QStringLiteral("0"));
    const QCommandLineOption endlessOption(QStringLiteral("endless"),
                                           QStringLiteral("Answer with a body that never ends."));
    const QCommandLineOption rewriteOption(QStringLiteral("rewrite"),
                                           QStringLiteral("JSON object of members that replace those of the object an "
                                                          "answer names; null removes one."),
                                           QStringLiteral("json"));
    const QCommandLineOption faultPathOption(QStringLiteral("fault-path"),
                                             QStringLiteral("Trickle, endless and rewrite act only on paths that "
                                                            "begin with this."),
                                             QStringLiteral("prefix"));
    const QCommandLineOption idleOption(QStringLiteral("idle-timeout"),
                                        QStringLiteral("Close connections idle this long (default 30000)."),
                                        QStringLiteral("ms"), QStringLiteral("30000"));
    const QCommandLineOption logOption(QStringLiteral("log"),
                                       QStringLiteral("Append every request received to this JSON lines file."),
                                       QStringLiteral("file"));
    const QCommandLineOption stateOption(QStringLiteral("state"),
                                         QStringLiteral("Write the competition with all changes here at exit and on "
                                                        "the control channel's /save."),
                                         QStringLiteral("file"));
    for (const auto &option : {competitionOption, listenOption, portOption, controlOption, discoveryOption,
                               discoveryListenOption, answerOption, downOption, delayOption, dropOption, trickleOption,
                               endlessOption, rewriteOption, faultPathOption, idleOption, logOption, stateOption})
        parser.addOption(option);
    parser.process(app);

    QTextStream err(stderr);
    StandinServer::Settings settings;
    if (!settings.address.setAddress(parser.value(listenOption))) {
        err << "meetwise-standin: not an address: " << parser.value(listenOption) << Qt::endl;
        return 2;
    }
    if (!settings.discoveryAddress.setAddress(parser.value(discoveryListenOption))) {
        err << "meetwise-standin: not an address: " << parser.value(discoveryListenOption) << Qt::endl;
        return 2;
    }
    settings.port = static_cast<quint16>(parser.value(portOption).toUInt());
    settings.controlPort = static_cast<quint16>(parser.value(controlOption).toUInt());
    settings.discoveryPort = static_cast<quint16>(parser.value(discoveryOption).toUInt());
    settings.discoveryAnswerPort = static_cast<quint16>(parser.value(answerOption).toUInt());
    settings.down = parser.isSet(downOption);
    settings.delayMs = parser.value(delayOption).toInt();
    settings.dropEvery = parser.value(dropOption).toInt();
    settings.idleTimeoutMs = parser.value(idleOption).toInt();
    settings.logFile = parser.value(logOption);
    settings.stateFile = parser.value(stateOption);

    StandinServer::Faults faults;
    faults.path = parser.value(faultPathOption);
    faults.trickleMs = parser.value(trickleOption).toInt();
    faults.endless = parser.isSet(endlessOption);
    if (parser.isSet(rewriteOption)) {
        const QJsonDocument members = QJsonDocument::fromJson(parser.value(rewriteOption).toUtf8());
        if (!members.isObject()) {
            err << "meetwise-standin: --rewrite takes a JSON object" << Qt::endl;
            return 2;
        }
        faults.rewrite = members.object();
    }

    StandinServer server;
    server.setFaults(faults);
    QString error;
    const QString competition =
        parser.isSet(competitionOption) ? parser.value(competitionOption) : StandinServer::demoCompetitionPath();
    if (!server.loadCompetition(competition, &error)) {
        err << "meetwise-standin: " << error << Qt::endl;
        return 2;
    }
    if (!server.start(settings, &error)) {
        err << "meetwise-standin: " << error << Qt::endl;
        return 1;
    }

    QuitOnSignals::install(app);
    QObject::connect(&server, &StandinServer::quitRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    QTextStream out(stdout);
    out << "meetwise-standin ready: http://" << settings.address.toString() << ':' << settings.port
        << (settings.down ? " (down)" : "") << ", control port " << settings.controlPort << " on "
        << server.status().value(QStringLiteral("controladdress")).toString() << ", discovery port "
        << settings.discoveryPort << Qt::endl;

    const int code = app.exec();
    server.stop();
    if (!settings.stateFile.isEmpty()) {
        if (!server.saveState(settings.stateFile, &error)) {
            err << "meetwise-standin: " << error << Qt::endl;
            return 1;
        }
        out << "meetwise-standin: state written to " << settings.stateFile << Qt::endl;
    }
    return code;
}
