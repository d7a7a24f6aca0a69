#include "devices/layoutfileloader.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcLayouts, "stadionix.devices")

bool LayoutFileLoader::parse(const QByteArray &text, const QString &key, QJsonObject *layout, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(text, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = QStringLiteral("not valid JSON at offset %1: %2").arg(parseError.offset).arg(parseError.errorString());
        return false;
    }
    const QJsonValue value = document.object().value(key);
    if (!value.isObject()) {
        *error = QStringLiteral("no object \"%1\"").arg(key);
        return false;
    }
    *layout = value.toObject();
    return true;
}

QList<LayoutFileLoader::File> LayoutFileLoader::load(const QString &folder, const QString &key)
{
    QList<File> files;
    const QDir dir(folder);
    qCDebug(lcLayouts).noquote() << "Checking " + dir.absolutePath();
    const QFileInfoList entries = dir.entryInfoList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    for (const QFileInfo &entry : entries) {
        qCDebug(lcLayouts).noquote() << "layout " + entry.fileName();
        QFile file(entry.absoluteFilePath());
        QString error;
        QJsonObject layout;
        if (!file.open(QIODevice::ReadOnly))
            error = file.errorString();
        else if (parse(file.readAll(), key, &layout, &error))
            files.append({entry.fileName(), layout});
        if (!error.isEmpty())
            qCWarning(lcLayouts).noquote()
                << QStringLiteral("Layout file %1 skipped: %2").arg(entry.absoluteFilePath(), error);
    }
    return files;
}
