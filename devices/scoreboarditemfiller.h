#pragma once

#include <QChar>
#include <QJsonObject>
#include <QString>

class CharacterTransformer;
class Participation;

// Fills the items of a scoreboard layout with what they show: the text goes
// into the item's "dataSource" "value", and a few keys change an item's
// other fields (an athlete without a rank disables "rank"; odd ranking rows
// take the alternating colour). Without a participation the items show
// made-up values, so that a board can be tried out before a competition.
class ScoreboardItemFiller
{
public:
    struct Context
    {
        Participation *participation = nullptr;
        QChar fieldType; // of the section sent ("H", "V" or none)
        unsigned countdownSeconds = 0;
        const CharacterTransformer *transformer = nullptr;
        QString retiredMark; // what "result" shows for a retired athlete
    };

    // An item of a participant, result or countdown section, for its key
    // (lower case).
    static QJsonObject fill(const QString &key, QJsonObject item, const Context &context);
    // An item of ranking row `row` ("rank", "name", "result"; other keys as
    // fill() does), on a page of linesPerPage rows of nameHeight pixels below
    // an event line of eventHeight pixels.
    static QJsonObject fillRankingRow(const QString &key, QJsonObject item, int row, int linesPerPage, int eventHeight,
                                      int nameHeight, const Context &context);

    // The ranking page of a layout: the heights of the event line and of a
    // name line in "event_ranking" (-1 for an item that is missing), and the
    // rows of names that fit below the event line.
    struct RankingGeometry
    {
        int eventHeight = -1;
        int nameHeight = -1;
        int linesPerPage = 0;
    };
    static RankingGeometry rankingGeometry(const QJsonObject &layout);

    // The item a countdown shows with that many seconds left: "seconds",
    // or "seconds_alert" below the alert, of a layout's "countdown_clock".
    static QJsonObject countdownItem(const QJsonObject &clock, int alert, unsigned seconds);

    // "[F]. [LASTNAME]" and the like, with the name's parts.
    static QString applyNamePattern(const QString &pattern, const QString &firstName, const QString &lastName);
    // "s", "m:ss" or "h:mm:ss".
    static QString countdownText(unsigned seconds);
    // The first n characters when n > 0 and the text is longer.
    static QString cut(const QString &text, int n);

    static QString itemValue(const QJsonObject &item);
    static void setItemValue(QJsonObject &item, const QString &value);
};
