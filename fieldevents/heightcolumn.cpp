#include "fieldevents/heightcolumn.h"

#include "records/participation.h"

bool HeightColumn::operator==(const HeightColumn &other) const
{
    return jumpOff == other.jumpOff && Participation::sameHeight(height, other.height);
}
