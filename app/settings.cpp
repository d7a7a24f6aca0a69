#include "app/settings.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QThread>

namespace {

enum CreationState { NotCreated = 0, BeingCreated = 1, Created = 2 };
QAtomicInt creationState(NotCreated);
Settings *theSettings = nullptr;

const QString SportGroup = QStringLiteral("sport");

} // namespace

Settings *Settings::instance()
{
    if (creationState.loadAcquire() == Created)
        return theSettings;
    if (creationState.testAndSetOrdered(NotCreated, BeingCreated)) {
        theSettings = new Settings;
        creationState.storeRelease(Created);
        return theSettings;
    }
    // Another thread is creating it: wait for it to finish.
    while (creationState.loadAcquire() != Created)
        QThread::yieldCurrentThread();
    return theSettings;
}

Settings::Settings()
{
    QSettings::setDefaultFormat(QSettings::IniFormat);
}

QVariant Settings::defaultValue(const QString &group, const QString &key)
{
    static const QHash<QString, QVariant> defaults = [] {
        QHash<QString, QVariant> table{
            {QStringLiteral("general/language"), QStringLiteral("en")},
            {QStringLiteral("general/sport"), QString()},
            {QStringLiteral("communication/database"), 3},
            // Both kinds shown on a first start (2: checked).
            {QStringLiteral("schedule/filter_track"), 2},
            {QStringLiteral("schedule/filter_field"), 2},
            {QStringLiteral("scoreboard/product"), QString()},
            {QStringLiteral("scoreboard/layout"), QString()},
            {QStringLiteral("scoreboard/clear_after_result"), false},
            {QStringLiteral("scoreboard/clear_timeout"), 5},
            {QStringLiteral("countdown/layout"), QString()},
            {QStringLiteral("countdown/value"), 60},
            {QStringLiteral("countdown/start_countdown_after_call"), false},
            {QStringLiteral("edm/baud"), 9600},
            {QStringLiteral("edm/databits"), 8},
            {QStringLiteral("edm/parity"), 0},
            {QStringLiteral("edm/stopbits"), 1},
            {QStringLiteral("edm/event_type"), 0},
            {QStringLiteral("edm/number_boards"), 1},
            {QStringLiteral("edm/udp_enabled"), false},
            {QStringLiteral("edm/udp_ip"), QStringLiteral("127.0.0.1")},
            {QStringLiteral("edm/udp_port"), 55550},
        };
        // Every device's port descriptor.
        for (const char *device :
             {"scoreboard", "countdown", "videoscoreboard", "thirdpartyresult", "windspeed", "edm"}) {
            const QString deviceGroup = QString::fromLatin1(device);
            table.insert(deviceGroup + QStringLiteral("/type"), 0);
            table.insert(deviceGroup + QStringLiteral("/port"), QString());
            table.insert(deviceGroup + QStringLiteral("/ip"), QString());
        }
        return table;
    }();
    return defaults.value(group + QLatin1Char('/') + key);
}

QString Settings::sportFilePath(const QString &sport)
{
    QDir folder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    folder.cd(QCoreApplication::organizationName());
    folder.cd(QStringLiteral("sports"));
    return QStringLiteral("%1%2%3").arg(folder.path(), QDir::separator(), sport);
}

QVariant Settings::value(const QString &group, const QString &key, const QVariant &defaultValue)
{
    if (group != SportGroup) {
        QSettings settings;
        settings.beginGroup(group);
        const QVariant result =
            settings.value(key, defaultValue.isValid() ? defaultValue : Settings::defaultValue(group, key));
        settings.endGroup();
        return result;
    }
    const auto cached = m_sportCache.constFind(key);
    if (cached != m_sportCache.constEnd())
        return cached.value();
    const QString sport = value(QStringLiteral("general"), QStringLiteral("sport")).toString();
    if (sport.isEmpty())
        return defaultValue;
    QSettings sportSettings(sportFilePath(sport), QSettings::IniFormat);
    const QVariant result = sportSettings.value(key, defaultValue);
    m_sportCache.insert(key, result);
    return result;
}

void Settings::setValue(const QString &group, const QString &key, const QVariant &value)
{
    if (group == SportGroup)
        return;
    if (group == QLatin1String("general") && key == QLatin1String("sport"))
        m_sportCache.clear();
    QSettings settings;
    settings.beginGroup(group);
    settings.setValue(key, value);
    settings.endGroup();
}
