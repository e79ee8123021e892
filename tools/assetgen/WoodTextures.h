#pragma once

#include "Image.h"

// Wood: the crate's face and the barrel's staves.
class WoodTextures {
public:
    // One crate side: a frame of boards round horizontal planks and a diagonal brace.
    // The frame runs off every edge, so repeats still meet frame to frame.
    static Image crateSide();
    // Vertical barrel staves with two iron hoops; u wraps round the barrel.
    static Image barrelStaves();
};
