#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>

// The version of a store file's tables. Tablets keep their database from one
// competition to the next and from one program version to the next, so the
// file says which version of the tables it holds (PRAGMA user_version) and
// that it is a Stadionix store at all (PRAGMA application_id). An older file
// is brought up to date step by step in one transaction; a newer one, or a
// file of another program, is left exactly as it is.
class StoreSchema
{
public:
    // The version of the tables this program writes. A change of the tables
    // raises it and adds the step that turns a file of the version before
    // into one of this version.
    static constexpr int CurrentVersion = 1;
    // "STDX": marks the file as a Stadionix store.
    static constexpr int ApplicationId = 0x53544458;

    enum class Kind {
        Empty,       // no tables yet: a new file
        Unversioned, // Stadionix tables from before the version was recorded
        Older,       // a recorded version below the current one
        Current,
        Newer,   // written by a later version of the program
        Foreign, // not a Stadionix store
    };

    struct State
    {
        Kind kind = Kind::Empty;
        int version = 0; // as recorded (0 when none)
        QString detail;  // for Foreign: what gives it away
    };

    // One step: the statements that turn a file of version - 1 into one of
    // version.
    struct Step
    {
        int version;
        QStringList statements;
    };

    // Reads what the file holds; writes nothing.
    static State inspect(const QSqlDatabase &db);

    // The program's steps, in order of version.
    static const QList<Step> &steps();

    // Brings the file from version to target in one transaction: every step
    // above version up to target in turn, then tables (the CREATE TABLE IF
    // NOT EXISTS statements of the target version), then the version and the
    // application id when they change. When a statement fails nothing of it
    // stays, and error tells what failed and why.
    static bool upgrade(QSqlDatabase db, int version, int target, const QList<Step> &steps, const QStringList &tables,
                        QSqlError *error);

    // The names of the tables a Stadionix store has had.
    static const QStringList &tableNames();
};
