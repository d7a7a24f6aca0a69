#pragma once

#include <QList>
#include <QString>

// Plausible upper limits of a field event mark, by the kind of event: a
// little above the world record, so that no real mark is questioned and a
// slip of the finger (99.99 in a long jump) is. Youth events throw lighter
// implements further than seniors throw theirs, and get a ceiling of their
// own. Indoor events go by their outdoor kind: their records are lower.
class MarkCeilings
{
public:
    enum class Kind { Unknown, LongJump, TripleJump, HighJump, PoleVault, ShotPut, Discus, Hammer, Javelin };

    struct Ceiling
    {
        Kind kind;
        double senior;   // metres
        double youth;    // metres, lighter implements (U16, U18, U20)
        const char *why; // the record each ceiling stands above
    };

    // The whole table, one row per kind.
    static const QList<Ceiling> &table();

    // The kind of an event from its name, in any of the program's
    // languages ("Long Jump", "Verspringen", "Saut en longueur",
    // "Weitsprung", ...); Unknown when the name tells nothing.
    static Kind kindOfEvent(const QString &eventName);
    // Whether the name marks a youth event (U14 to U20, youth, junior).
    static bool isYouth(const QString &eventName);

    // The ceiling of an event in metres; 0 when its kind is unknown.
    static double ceiling(Kind kind, bool youth);
    static double ceilingOfEvent(const QString &eventName);
};
