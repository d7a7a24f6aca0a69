#pragma once

#include <QString>

// One of the server's disqualification rules.
struct DisqualificationRule
{
    unsigned id = 0;
    unsigned type = 0;
    QString language;
    QString rule;
};
