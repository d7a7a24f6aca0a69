#pragma once

#include <QFile>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

#include "store/localdatabase.h"

// Real faults of a real store file: no room left, damaged pages, a file
// that can only be read. Each holds for root too, who may write to any file.
namespace StoreFaults {

constexpr int SqliteFull = 13;
constexpr int PageSize = 4096;

// Lets the store's file grow no further and fills every page it has: from
// now on a write that needs room fails with SQLITE_FULL, as on a full disk.
// Rows that fit in place (updates of the same size) may still go through.
inline bool fill(LocalDatabase *store)
{
    QSqlQuery query(store->database());
    if (!query.exec(QStringLiteral("PRAGMA page_count")) || !query.next())
        return false;
    const int pages = query.value(0).toInt();
    query.finish();
    if (!query.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pages)))
        return false;
    // Big rows take the free pages, smaller ones what is left in the pages
    // of the results table, down to a few bytes.
    for (const int size : {4000, 1000, 250, 60, 15, 1}) {
        const QString filler(size, QLatin1Char('x'));
        while (query.exec(
            QStringLiteral("INSERT INTO results (participation, seqno, info) VALUES (0, 0, '%1')").arg(filler))) {
        }
    }
    return (query.lastError().nativeErrorCode().toInt() & 0xff) == SqliteFull;
}

// Room again, as when the disk has been cleared.
inline void makeRoom(LocalDatabase *store)
{
    QSqlQuery query(store->database());
    query.exec(QStringLiteral("PRAGMA max_page_count = 1073741823"));
}

// Writes rubbish over pages of a store file that is not open (page 1 holds
// the header and the start of the schema).
inline bool damagePages(const QString &path, int firstPage, int count)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || file.size() < qint64(firstPage - 1 + count) * PageSize)
        return false;
    QByteArray rubbish(count * PageSize, Qt::Uninitialized);
    QRandomGenerator random(20261212);
    for (char &byte : rubbish)
        byte = char(random.bounded(256));
    file.seek(qint64(firstPage - 1) * PageSize);
    return file.write(rubbish) == rubbish.size();
}

// The store file opened so that it can only be read.
inline QString readOnly(const QString &path)
{
    return QStringLiteral("file:%1?mode=ro").arg(path);
}

} // namespace StoreFaults
