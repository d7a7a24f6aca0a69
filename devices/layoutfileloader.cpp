#include "devices/layoutfileloader.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>

#include "devices/transport/transportlogging.h"

namespace {

// Positions, sizes and font heights travel in 16 bits in the boards'
// commands; a value beyond them would be sent as another one, and a width in
// the millions would have a driver pad a text to millions of characters.
constexpr double LargestNumber = 65535;

// The first number under a key of a position, size or font height, at any
// depth, that no board command can carry; an empty text when there is none.
QString numberOutOfRange(const QJsonObject &object, const QString &path)
{
    static const QStringList keys{QStringLiteral("x"),
                                  QStringLiteral("y"),
                                  QStringLiteral("width"),
                                  QStringLiteral("height"),
                                  QStringLiteral("fontsize"),
                                  QStringLiteral("paramforyinit"),
                                  QStringLiteral("incrementparamfory")};
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString where = path.isEmpty() ? it.key() : path + QLatin1Char('/') + it.key();
        if (it.value().isObject()) {
            const QString found = numberOutOfRange(it.value().toObject(), where);
            if (!found.isEmpty())
                return found;
        } else if (it.value().isDouble() && keys.contains(it.key())) {
            const double value = it.value().toDouble();
            if (!(value >= 0 && value <= LargestNumber))
                return QStringLiteral("\"%1\" is %2, beyond 0 to %3")
                    .arg(where, QString::number(value, 'g', 17))
                    .arg(LargestNumber);
        }
    }
    return QString();
}

} // namespace

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
    const QString outOfRange = numberOutOfRange(value.toObject(), QString());
    if (!outOfRange.isEmpty()) {
        *error = outOfRange;
        return false;
    }
    *layout = value.toObject();
    return true;
}

QList<LayoutFileLoader::File> LayoutFileLoader::load(const QString &folder, const QString &key)
{
    QList<File> files;
    const QDir dir(folder);
    qCDebug(lcTransport).noquote() << "Checking " + dir.absolutePath();
    const QFileInfoList entries = dir.entryInfoList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    for (const QFileInfo &entry : entries) {
        qCDebug(lcTransport).noquote() << "layout " + entry.fileName();
        QFile file(entry.absoluteFilePath());
        QString error;
        QJsonObject layout;
        if (!file.open(QIODevice::ReadOnly))
            error = file.errorString();
        else if (parse(file.readAll(), key, &layout, &error))
            files.append({entry.fileName(), layout});
        if (!error.isEmpty())
            qCWarning(lcTransport).noquote()
                << QStringLiteral("Layout file %1 skipped: %2").arg(entry.absoluteFilePath(), error);
    }
    return files;
}
