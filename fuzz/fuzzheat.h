#pragma once

#include <QChar>
#include <QList>

class Participation;

// Puts a heat's participations through what the program does with a heat it
// has loaded or changed, without a store or a screen: best marks, failures,
// the attempt strings and texts, the ranking, the next athlete, the re-sort
// and the grid models. Whatever a server or a judge can put into a heat must
// come through this without a crash, a hang or undefined behaviour.
class FuzzHeat
{
public:
    static void use(const QList<Participation *> &heat, QChar fieldType);
};
