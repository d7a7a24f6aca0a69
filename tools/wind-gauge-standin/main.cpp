// wind-gauge-standin: a stand-in wind gauge for development, tests and
// demonstrations. See README.md beside this file.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include "tools/common/controlchannel.h"
#include "tools/common/quitonsignals.h"
#include "tools/common/serialside.h"
#include "tools/wind-gauge-standin/windgaugestandin.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("wind-gauge-standin"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Stand-in wind gauge for Stadionix."));
    parser.addHelpOption();
    const QCommandLineOption serialOption = SerialSide::commandLineOption();
    const QCommandLineOption windOption(QStringLiteral("wind"), QStringLiteral("Wind answered, m/s (default 1.2)."),
                                        QStringLiteral("m/s"), QStringLiteral("1.2"));
    parser.addOption(serialOption);
    parser.addOption(windOption);
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);
    WindGaugeStandin gauge;
    gauge.setWind(parser.value(windOption).toDouble());
    QString error;
    if (parser.isSet(serialOption) && !gauge.openSerial(parser.value(serialOption), &error)) {
        err << "wind-gauge-standin: " << error << Qt::endl;
        return 1;
    }

    QuitOnSignals::install(app);
    QObject::connect(&gauge, &WindGaugeStandin::quitRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    ControlChannel::install(app, out, [&gauge](const QString &line) { return gauge.command(line); });

    out << "wind-gauge-standin ready: " << gauge.status() << Qt::endl;
    const int code = app.exec();
    gauge.closeSerial();
    return code;
}
