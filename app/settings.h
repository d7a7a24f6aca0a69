#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

// The program's persistent settings: the user's INI file (per organisation
// and application name) plus a read-only "sport" group taken from the file of
// the chosen sport. Every read and write opens the store afresh, so values are
// written at once.
class Settings
{
public:
    // The one object of the process, created on first use.
    static Settings *instance();

    // Without a default of the caller's, the program's default for the key
    // (see defaultValue) is returned for a key never written.
    QVariant value(const QString &group, const QString &key, const QVariant &defaultValue = QVariant());
    void setValue(const QString &group, const QString &key, const QVariant &value);

    // The program's default of a key, an invalid value for unknown keys.
    static QVariant defaultValue(const QString &group, const QString &key);

    // The file behind the "sport" group for a sport name.
    static QString sportFilePath(const QString &sport);

private:
    Settings();

    QHash<QString, QVariant> m_sportCache;
};
