#pragma once

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>

// Counts the transactions SQLite commits on a store's connection: a commit
// hook on the driver's own handle, so every COMMIT is seen, however it was
// started (an explicit transaction or a statement on its own). Needs the
// target to link SQLite, the same library the Qt driver uses.
class CommitCounter
{
public:
    explicit CommitCounter(const QSqlDatabase &database)
    {
        const QVariant handle = database.driver()->handle();
        if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
            m_handle = *static_cast<sqlite3 *const *>(handle.constData());
        if (m_handle)
            sqlite3_commit_hook(m_handle, &CommitCounter::onCommit, this);
    }
    ~CommitCounter()
    {
        if (m_handle)
            sqlite3_commit_hook(m_handle, nullptr, nullptr);
    }
    CommitCounter(const CommitCounter &) = delete;
    CommitCounter &operator=(const CommitCounter &) = delete;

    bool isHooked() const { return m_handle != nullptr; }
    int commits() const { return m_commits; }
    void reset() { m_commits = 0; }

private:
    static int onCommit(void *self)
    {
        ++static_cast<CommitCounter *>(self)->m_commits;
        return 0; // 0 lets the commit go ahead
    }

    sqlite3 *m_handle = nullptr;
    int m_commits = 0;
};
