#pragma once

#include <QList>

// One height column of a vertical grid: a regular height (jump-off number 0)
// or the n-th jump-off attempt at its bar height.
struct HeightColumn
{
    double height = 0;
    unsigned jumpOff = 0;

    bool isJumpOff() const { return jumpOff != 0; }
    bool operator==(const HeightColumn &other) const;
    bool operator!=(const HeightColumn &other) const { return !(*this == other); }
};

using HeightColumns = QList<HeightColumn>;
