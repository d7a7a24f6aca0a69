#pragma once

#include <QString>

// Search as officials type it: without capitals and without accents, so
// "szczesniak" finds "Szczęśniak" and "ovregard" finds "Øvergård".
class SearchText
{
public:
    // Lower case, accents taken off by Unicode decomposition; letters that
    // do not decompose (ł, ø, æ, ß, ...) written the way they are typed
    // without them.
    static QString fold(const QString &text);
    // Whether the text contains the search, both folded; an empty search
    // matches everything.
    static bool matches(const QString &text, const QString &search);
};
