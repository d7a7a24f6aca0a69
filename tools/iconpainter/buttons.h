#pragma once

#include "canvas.h"

// The large touch buttons, countdown digits and badges of the field tablet
// screens, written below icons/fieldtablet/.
void paintFieldTabletImages(OutputFolder &out);
