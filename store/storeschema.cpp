#include "store/storeschema.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

int pragma(const QSqlDatabase &db, const char *name)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA %1").arg(QLatin1String(name))) || !query.next())
        return 0;
    return query.value(0).toInt();
}

} // namespace

const QStringList &StoreSchema::tableNames()
{
    static const QStringList names{
        QStringLiteral("heatevents"),
        QStringLiteral("participations"),
        QStringLiteral("results"),
        QStringLiteral("unconfirmedactions"),
        QStringLiteral("edmeventresults"),
        QStringLiteral("edmeventmeasurements"),
        QStringLiteral("edmmeasurements"),
        QStringLiteral("edmtakeoffboardmeasurements"),
        QStringLiteral("charactertransformings"),
    };
    return names;
}

const QList<StoreSchema::Step> &StoreSchema::steps()
{
    // Version 1 is the first recorded one. Its tables are those of the files
    // written before, or some of them: the current CREATE statements complete
    // such a file, so the step itself has nothing to do.
    static const QList<Step> list{
        {1, {}},
    };
    return list;
}

StoreSchema::State StoreSchema::inspect(const QSqlDatabase &db)
{
    State state;
    state.version = pragma(db, "user_version");
    const int applicationId = pragma(db, "application_id");
    if (applicationId == ApplicationId) {
        state.kind = state.version > CurrentVersion    ? Kind::Newer
                     : state.version == CurrentVersion ? Kind::Current
                                                       : Kind::Older;
        return state;
    }
    if (applicationId != 0) {
        state.kind = Kind::Foreign;
        state.detail = QStringLiteral("application id %1").arg(applicationId);
        return state;
    }
    if (state.version != 0) {
        // Stadionix records its version only together with its mark.
        state.kind = Kind::Foreign;
        state.detail = QStringLiteral("version %1 without the Stadionix mark").arg(state.version);
        return state;
    }
    QSqlQuery query(db);
    query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' "
                              "ESCAPE '\\' ORDER BY name"));
    QStringList tables;
    QStringList strangers;
    while (query.next()) {
        const QString name = query.value(0).toString();
        tables.append(name);
        if (!tableNames().contains(name))
            strangers.append(name);
    }
    if (!strangers.isEmpty()) {
        state.kind = Kind::Foreign;
        state.detail = QStringLiteral("tables %1").arg(strangers.mid(0, 5).join(QStringLiteral(", ")));
    } else {
        state.kind = tables.isEmpty() ? Kind::Empty : Kind::Unversioned;
    }
    return state;
}

bool StoreSchema::upgrade(QSqlDatabase db, int version, int target, const QList<Step> &steps, const QStringList &tables,
                          QSqlError *error)
{
    QSqlQuery query(db);
    const auto failed = [&](const QString &what, const QSqlError &cause) {
        if (error)
            *error =
                QSqlError(QString(), what + QStringLiteral(": ") + cause.text(), cause.type(), cause.nativeErrorCode());
        query.finish();
        db.rollback();
        return false;
    };
    if (!db.transaction())
        return failed(QStringLiteral("cannot begin a transaction"), db.lastError());
    for (const Step &step : steps) {
        if (step.version <= version || step.version > target)
            continue;
        for (const QString &statement : step.statements) {
            if (!query.exec(statement))
                return failed(QStringLiteral("the step to version %1 failed").arg(step.version), query.lastError());
        }
    }
    for (const QString &statement : tables) {
        if (!query.exec(statement))
            return failed(QStringLiteral("cannot create the tables"), query.lastError());
    }
    // Both within the transaction: a file never says it is of a version its
    // tables are not.
    if (version != target && (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(target)) ||
                              !query.exec(QStringLiteral("PRAGMA application_id = %1").arg(ApplicationId))))
        return failed(QStringLiteral("cannot record the version"), query.lastError());
    query.finish();
    if (!db.commit())
        return failed(QStringLiteral("cannot commit the upgrade"), db.lastError());
    return true;
}
