#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class Participation;

// The messages of the video wall: one JSON object a line, its keys in sorted
// order, ended by a carriage return. "T" says what the message is:
// 4 and 6 the athlete up in a horizontal or vertical event, 5 and 7 the
// result just achieved, 8 one row of a ranking, "a" clears the wall.
//
// Every text but "T", "D" and "L" is a JSON string: "E" the event, "NA" last
// name and initial, "RK" the rank, "AT" the attempt, "B" the bib, "TE" the
// team, "H" the bar, "RE" the result. Without an athlete the messages carry
// made-up content, so that a wall can be tried out before a competition.
class VideoMessage
{
public:
    enum Type {
        HorizontalParticipant = 4,
        HorizontalResult = 5,
        VerticalParticipant = 6,
        VerticalResult = 7,
        RankingRow = 8,
    };

    // "T" of the message that clears the wall.
    static constexpr const char *ClearType = "a";

    struct Context
    {
        Participation *participation = nullptr;
        QString eventName;
        QString retiredMark; // what "RE" shows for a retired athlete
        QChar fieldType;     // of a ranking row ("H" or "V")
    };

    // The message of that type about the context's athlete.
    static QVariantMap message(Type type, const Context &context);
    static QVariantMap clearMessage();
    // The line on the wire: compact JSON, keys sorted, and a carriage return.
    static QByteArray encode(const QVariantMap &message);

    // The keys a message of that "T" ("4" to "8", "a") carries, sorted;
    // empty for a type the wall does not know.
    static QStringList keysOf(const QString &type);
};
