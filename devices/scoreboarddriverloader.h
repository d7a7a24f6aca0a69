#pragma once

#include <QList>
#include <QString>

class ScoreboardDriverInterface;

// Finds the scoreboard driver plug-ins in a folder ("scoreboarddrivers"
// beside the program) and loads them. Libraries stay loaded for the life of
// the process and the drivers are never deleted, so one driver may serve
// several device objects.
class ScoreboardDriverLoader
{
public:
    // Every driver in the folder's libraries, in the order of their file
    // names. A library that does not load is logged with the reason and
    // skipped; one that loads but is no driver is skipped.
    static QList<ScoreboardDriverInterface *> load(const QString &folder);
    // The folder beside the program.
    static QString defaultFolder();
    // File name pattern of a library on this platform ("*.so", "*.dll", ...).
    static QString libraryPattern();
};
