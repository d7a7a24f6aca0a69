#pragma once

#include "canvas.h"

// Toolbar and menu icons (icons/custom/, icons/fatcow/) and the language
// flags (flags/).
void paintSmallIcons(OutputFolder &out);
void paintFlags(OutputFolder &out);
