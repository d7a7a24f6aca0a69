#pragma once

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QVariant>
#include <QtTest>

#include <memory>

#include "store/localdatabase.h"

// A real store file in a fresh temporary folder.
class TempStore
{
public:
    TempStore()
        : m_store(std::make_unique<LocalDatabase>(path(), nullptr))
    {}

    LocalDatabase *operator->() const { return m_store.get(); }
    LocalDatabase *get() const { return m_store.get(); }
    QString path() const { return m_dir.filePath(QStringLiteral("stadionix.db")); }
    QString folder() const { return m_dir.path(); }

    // Closes and opens the same file again.
    void reopen()
    {
        m_store.reset();
        m_store = std::make_unique<LocalDatabase>(path(), nullptr);
    }

    // The first column of the first row of a query, for checks.
    QVariant scalar(const QString &sql) const
    {
        QSqlQuery query(m_store->database());
        if (!query.exec(sql) || !query.next())
            return QVariant();
        return query.value(0);
    }

    QList<QVariantList> rows(const QString &sql) const
    {
        QList<QVariantList> list;
        QSqlQuery query(m_store->database());
        if (!query.exec(sql))
            return list;
        while (query.next()) {
            QVariantList row;
            for (int i = 0; i < query.record().count(); ++i)
                row.append(query.value(i));
            list.append(row);
        }
        return list;
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<LocalDatabase> m_store;
};
