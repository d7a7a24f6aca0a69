#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>

// Reads the layout files of a device: every "*.json" file of a folder
// ("scoreboardlayouts", "countdownclocklayouts" beside the program) whose
// object holds the given key. A file that does not parse is skipped, and the
// log says which file and at which offset it broke, so whoever prepares the
// layouts can mend it.
class LayoutFileLoader
{
public:
    struct File
    {
        QString fileName;
        QJsonObject layout; // the value of the key
    };

    static QList<File> load(const QString &folder, const QString &key);
    // One file's text; false (with the reason) when it is no layout.
    static bool parse(const QByteArray &text, const QString &key, QJsonObject *layout, QString *error);
};
