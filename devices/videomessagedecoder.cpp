#include "devices/videomessagedecoder.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include "devices/videomessage.h"

QString VideoMessageDecoder::typeOf(const QJsonObject &message)
{
    const QJsonValue type = message.value(QLatin1String("T"));
    if (type.isString())
        return type.toString();
    return type.isDouble() ? QString::number(type.toDouble()) : QString();
}

bool VideoMessageDecoder::decodeLine(const QByteArray &line, QJsonObject *message, QString *why)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError) {
        *why = QStringLiteral("not JSON: %1").arg(error.errorString());
        return false;
    }
    if (!document.isObject()) {
        *why = QStringLiteral("not an object");
        return false;
    }
    const QJsonObject object = document.object();
    const QString type = typeOf(object);
    const QStringList keys = VideoMessage::keysOf(type);
    if (keys.isEmpty()) {
        *why = QStringLiteral("no known type \"T\"");
        return false;
    }
    if (object.keys() != keys) {
        *why = QStringLiteral("type %1 with the keys %2").arg(type, object.keys().join(QLatin1Char(',')));
        return false;
    }
    const bool clear = type == QLatin1String(VideoMessage::ClearType);
    for (auto it = object.begin(); it != object.end(); ++it) {
        const bool number = it.key() == QLatin1String("D") || it.key() == QLatin1String("L") ||
                            (it.key() == QLatin1String("T") && !clear);
        if (number ? !it.value().isDouble() : !it.value().isString()) {
            *why = QStringLiteral("\"%1\" is no %2")
                       .arg(it.key(), number ? QStringLiteral("number") : QStringLiteral("text"));
            return false;
        }
    }
    // What the program sends: compact, keys in order.
    if (QJsonDocument(object).toJson(QJsonDocument::Compact) != line) {
        *why = QStringLiteral("not compact with sorted keys");
        return false;
    }
    *message = object;
    return true;
}

QList<QJsonObject> VideoMessageDecoder::feed(const QByteArray &bytes)
{
    QList<QJsonObject> messages;
    m_lines.feed(bytes, [this, &messages](const QByteArray &line, bool overlong) {
        QString why;
        QJsonObject message;
        if (overlong)
            reject(QStringLiteral("a line of more than %1 bytes").arg(MaximumLine));
        else if (decodeLine(line, &message, &why))
            messages.append(message);
        else
            reject(why);
    });
    return messages;
}

void VideoMessageDecoder::reject(const QString &reason)
{
    ++m_rejected;
    m_lastRejection = reason;
}
