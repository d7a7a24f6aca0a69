#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include "devices/carriagereturnlines.h"

// Reads the video wall's lines back into their messages, as the wall would:
// a line ends at a carriage return and must be the compact JSON of an object
// with sorted keys whose "T" is a known type carrying exactly that type's
// keys (see VideoMessage), "T", "D" and "L" numbers where the type has them
// and every other value a string. Bytes may arrive in pieces of any size.
// A line that is not such a message is rejected and counted, never read as
// something else.
class VideoMessageDecoder
{
public:
    // A line this long without its carriage return is not a message.
    static constexpr qsizetype MaximumLine = 65536;

    QList<QJsonObject> feed(const QByteArray &bytes);
    void reset() { m_lines.reset(); }

    int rejectedCount() const { return m_rejected; }
    QString lastRejection() const { return m_lastRejection; }

    // "4" to "8" or "a": a message's "T" as text.
    static QString typeOf(const QJsonObject &message);
    // One line without its carriage return; false (with the reason) when it
    // is no message.
    static bool decodeLine(const QByteArray &line, QJsonObject *message, QString *why);

private:
    void reject(const QString &reason);

    CarriageReturnLines m_lines{MaximumLine};
    int m_rejected = 0;
    QString m_lastRejection;
};
