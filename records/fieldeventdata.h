#pragma once

#include <QString>

// What the video scoreboard gets for one athlete of a field event. The texts go
// into its JSON message under "E", "NA", "RK", "AT", "B", "TE", "H", "RE" and
// the integer under "T".
struct FieldEventData
{
    QString event;   // "E"
    QString name;    // "NA"
    QString rank;    // "RK"
    QString attempt; // "AT"
    QString bib;     // "B"
    QString team;    // "TE"
    QString height;  // "H"
    QString result;  // "RE"
    int time = 0;    // "T"
};
