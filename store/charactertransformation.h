#pragma once

#include <QString>

// One text substitution a scoreboard driver applies, in the order of the store.
struct CharacterTransformation
{
    QString source;
    QString transformed;
    QString driverName; // the driver (its name()) that applies it
};
