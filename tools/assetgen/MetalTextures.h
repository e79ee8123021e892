#pragma once

#include "Image.h"

// Metal: the fan's painted steel and the goal's brass.
class MetalTextures {
public:
    // Teal paint on riveted steel panels, chipped to bare metal here and there.
    static Image paintedSteel();
    // Brushed and lightly hammered brass with a little tarnish.
    static Image brass();
};
