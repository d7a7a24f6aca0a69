// atletieknu-standin: a stand-in for the AtletiekNu results service over
// HTTPS, for development, tests and demonstrations. See README.md beside
// this file.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>

#include <unistd.h>

#include "app/terminationwatcher.h"
#include "tools/atletieknu-standin/atletieknustandin.h"

namespace {

// One control line from stdin: "offset MS", "delay MS", "code CODE [ANSWER]",
// "logindelay CODE MS", "refusal TEXT" or "quit". Answers "ok" or an error.
QString control(AtletiekNuStandin &standin, const QString &line)
{
    const QString command = line.section(QLatin1Char(' '), 0, 0);
    const QString rest = line.section(QLatin1Char(' '), 1).trimmed();
    bool isNumber = true;
    if (command == QLatin1String("offset"))
        standin.setClockOffset(rest.toLongLong(&isNumber));
    else if (command == QLatin1String("delay"))
        standin.setDelay(rest.toInt(&isNumber));
    else if (command == QLatin1String("code") && !rest.isEmpty())
        standin.setCode(rest.section(QLatin1Char(' '), 0, 0), rest.contains(QLatin1Char(' '))
                                                                  ? rest.section(QLatin1Char(' '), 1)
                                                                  : QStringLiteral("LOGINOK"));
    else if (command == QLatin1String("logindelay"))
        standin.setLoginDelay(rest.section(QLatin1Char(' '), 0, 0), rest.section(QLatin1Char(' '), 1).toInt(&isNumber));
    else if (command == QLatin1String("refusal"))
        standin.setRefusal(rest);
    else if (command == QLatin1String("quit"))
        QCoreApplication::quit();
    else
        return QStringLiteral("error: unknown command ") + command;
    return isNumber ? QStringLiteral("ok") : QStringLiteral("error: not a number: ") + rest;
}

} // namespace

int main(int argc, char *argv[])
{
    TerminationWatcher::installHandlers();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("atletieknu-standin"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Stand-in AtletiekNu results service (HTTPS) for Stadionix."));
    parser.addHelpOption();
    const QCommandLineOption listenOption(QStringLiteral("listen"),
                                          QStringLiteral("Address to listen on (default 127.0.0.1)."),
                                          QStringLiteral("address"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("HTTPS port, 0 for any (default 8443)."),
                                        QStringLiteral("port"), QStringLiteral("8443"));
    const QCommandLineOption certificateOption(
        QStringLiteral("certificate"), QStringLiteral("Certificate of the service (PEM)."), QStringLiteral("file"));
    const QCommandLineOption keyOption(QStringLiteral("key"), QStringLiteral("Its private key (PEM, no pass phrase)."),
                                       QStringLiteral("file"));
    const QCommandLineOption codeOption(
        QStringLiteral("code"),
        QStringLiteral("A code the service knows, with the text its login answers (default LOGINOK); repeatable."),
        QStringLiteral("code[=answer]"));
    const QCommandLineOption refusalOption(QStringLiteral("refusal"), QStringLiteral("The answer to an unknown code."),
                                           QStringLiteral("text"),
                                           QString::fromLatin1(AtletiekNuStandin::DefaultRefusal));
    const QCommandLineOption offsetOption(QStringLiteral("offset"),
                                          QStringLiteral("The service's clock runs this far ahead (ms)."),
                                          QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption delayOption(QStringLiteral("delay"), QStringLiteral("Answer every request after ms."),
                                         QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption logOption(QStringLiteral("log"),
                                       QStringLiteral("Append every request received to this JSON lines file."),
                                       QStringLiteral("file"));
    for (const auto &option : {listenOption, portOption, certificateOption, keyOption, codeOption, refusalOption,
                               offsetOption, delayOption, logOption})
        parser.addOption(option);
    parser.process(app);

    QTextStream err(stderr);
    AtletiekNuStandin::Settings settings;
    if (!settings.address.setAddress(parser.value(listenOption))) {
        err << "atletieknu-standin: not an address: " << parser.value(listenOption) << Qt::endl;
        return 2;
    }
    if (!parser.isSet(certificateOption) || !parser.isSet(keyOption)) {
        err << "atletieknu-standin: --certificate and --key are needed (see README.md)" << Qt::endl;
        return 2;
    }
    settings.port = static_cast<quint16>(parser.value(portOption).toUInt());
    settings.certificateFile = parser.value(certificateOption);
    settings.keyFile = parser.value(keyOption);
    settings.logFile = parser.value(logOption);

    AtletiekNuStandin standin;
    for (const QString &code : parser.values(codeOption)) {
        const qsizetype equals = code.indexOf(QLatin1Char('='));
        if (equals < 0)
            standin.setCode(code);
        else
            standin.setCode(code.left(equals), code.mid(equals + 1));
    }
    standin.setRefusal(parser.value(refusalOption));
    standin.setClockOffset(parser.value(offsetOption).toLongLong());
    standin.setDelay(parser.value(delayOption).toInt());
    QString error;
    if (!standin.start(settings, &error)) {
        err << "atletieknu-standin: " << error << Qt::endl;
        return 1;
    }

    TerminationWatcher watcher;
    QObject::connect(&watcher, &TerminationWatcher::terminationRequested, &app, &QCoreApplication::quit);

    QTextStream out(stdout);
    QTextStream in(stdin);
    auto *input = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, &app);
    QObject::connect(input, &QSocketNotifier::activated, &app, [&] {
        const QString line = in.readLine();
        if (line.isNull()) { // stdin closed: no more control
            input->setEnabled(false);
            return;
        }
        if (!line.trimmed().isEmpty())
            out << control(standin, line.trimmed()) << Qt::endl;
    });

    out << "atletieknu-standin ready: " << standin.url().toString() << Qt::endl;
    return app.exec();
}
