#include "devices/scoreboarddriverloader.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>

#include "devices/scoreboarddriverinterface.h"
#include "devices/transport/transportlogging.h"

QString ScoreboardDriverLoader::defaultFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/scoreboarddrivers");
}

QString ScoreboardDriverLoader::libraryPattern()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("*.dll");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("*.dylib");
#else
    return QStringLiteral("*.so");
#endif
}

QList<ScoreboardDriverInterface *> ScoreboardDriverLoader::load(const QString &folder)
{
    QList<ScoreboardDriverInterface *> drivers;
    const QDir dir(folder);
    // Sorted by name, so that which of two drivers of one name wins does not
    // depend on the file system.
    const QFileInfoList files = dir.entryInfoList({libraryPattern()}, QDir::Files, QDir::Name);
    for (const QFileInfo &file : files) {
        qCDebug(lcTransport).noquote() << "Found driver " + file.fileName();
        // A loader that goes out of scope leaves its library loaded, with
        // the root object, for the life of the process.
        QPluginLoader loader(file.absoluteFilePath());
        QObject *instance = loader.instance();
        if (!instance) {
            qCWarning(lcTransport).noquote()
                << "Unable to load driver " + file.fileName() + QStringLiteral(": ") + loader.errorString();
            continue;
        }
        qCDebug(lcTransport) << "Driver was loaded";
        auto *driver = qobject_cast<ScoreboardDriverInterface *>(instance);
        if (!driver) {
            qCDebug(lcTransport).noquote()
                << file.fileName() + QStringLiteral(" is a plug-in but no scoreboard driver");
            continue;
        }
        drivers.append(driver);
    }
    return drivers;
}
