// total-station-standin: a stand-in total station for development, tests and
// demonstrations. See README.md beside this file.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include "tools/common/controlchannel.h"
#include "tools/common/quitonsignals.h"
#include "tools/common/serialside.h"
#include "tools/total-station-standin/totalstationstandin.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("total-station-standin"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Stand-in total station (EDM) for Stadionix."));
    parser.addHelpOption();
    const QCommandLineOption serialOption = SerialSide::commandLineOption();
    const QCommandLineOption fieldOption(QStringLiteral("field"),
                                         QStringLiteral("Field file (JSON); without it the demo field."),
                                         QStringLiteral("file"));
    parser.addOption(serialOption);
    parser.addOption(fieldOption);
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);
    TotalStationStandin station;
    QString error;
    if (parser.isSet(fieldOption) && !station.field().load(parser.value(fieldOption), &error)) {
        err << "total-station-standin: " << error << Qt::endl;
        return 2;
    }
    if (parser.isSet(serialOption) && !station.openSerial(parser.value(serialOption), &error)) {
        err << "total-station-standin: " << error << Qt::endl;
        return 1;
    }

    QuitOnSignals::install(app);
    QObject::connect(&station, &TotalStationStandin::quitRequested, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    ControlChannel::install(app, out, [&station](const QString &line) { return station.command(line); });

    out << "total-station-standin ready: " << station.status() << Qt::endl;
    const int code = app.exec();
    station.closeSerial();
    return code;
}
