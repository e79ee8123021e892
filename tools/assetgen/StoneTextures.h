#pragma once

#include "Image.h"

// Laid stone: the floor, the walls and the sinking platform.
class StoneTextures {
public:
    // Warm grey floor flags, 4 x 4 to a repeat.
    static Image floorTiles();
    // Blue-grey blocks in running bond for pillars and walls.
    static Image wallBricks();
    // Dark slate, wet and mossy, for the platform that sinks.
    static Image wetSlate();
};
