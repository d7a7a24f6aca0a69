#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>

namespace TestSupport {

void prepareApplication()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("Chronavel"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("chronavel.example"));
    QCoreApplication::setApplicationName(QStringLiteral("Stadionix"));
    // The program's debug lines are off unless asked for; tests ask, so that
    // every diagnostic runs (and those a test expects arrive). QT_LOGGING_RULES
    // still overrides this.
    QLoggingCategory::setFilterRules(QStringLiteral("stadionix.*.debug=true"));
}

void failOnUnexpectedWarnings()
{
    // Everything but the remarks the offscreen platform and a machine without
    // sound hardware always make.
    static const QRegularExpression unexpected(QStringLiteral("^(?!This plugin does not support propagateSizeHints"
                                                              "|This plugin does not support raise"
                                                              "|This plugin does not support grabbing"
                                                              "|No audio device detected"
                                                              "|PulseAudioService:"
                                                              "|QSoundEffect\\(pulseaudio\\)"
                                                              "|qt\\.multimedia)"),
                                               QRegularExpression::DotMatchesEverythingOption);
    QTest::failOnWarning(unexpected);
}

QString buildDir()
{
    return QStringLiteral(STADIONIX_BUILD_DIR);
}

QString sourceDir()
{
    return QStringLiteral(STADIONIX_SOURCE_DIR);
}

QString programPath()
{
    return buildDir() + QStringLiteral("/stadionix");
}

qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

bool waitPastTimersOf(int intervalMs)
{
    QTimer reference;
    reference.setSingleShot(true);
    reference.setTimerType(Qt::PreciseTimer);
    QSignalSpy fired(&reference, &QTimer::timeout);
    reference.start(intervalMs + intervalMs / 20 + 1);
    return fired.wait(intervalMs + 60000);
}

bool prepareProgramFolder(const QString &folder, const QString &serverHost)
{
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("config/Chronavel")) || !dir.mkpath(QStringLiteral("data")))
        return false;
    QFile sync(dir.filePath(QStringLiteral("sync")));
    if (!sync.open(QIODevice::WriteOnly))
        return false;
    return sync.write("[general]\ntype=meetwise\nip=" + serverHost.toLatin1() +
                      "\nuser=official\npass=lap&time=42\ncompetition=1\n") > 0;
}

} // namespace TestSupport
