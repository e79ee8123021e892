#pragma once

#include "Image.h"

// The game's application icon for the desktop entry.
class IconPainter {
public:
    // A bold flame glowing on a dark slate plate with rounded corners, transparent around
    // the plate. Drawn afresh at each size (never scaled), so the small ones stay crisp.
    static Image icon(int size);
};
