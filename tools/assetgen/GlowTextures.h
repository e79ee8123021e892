#pragma once

#include "Image.h"

// Light and water: the upgrade's crystal, the water surface and the two particle sprites.
class GlowTextures {
public:
    // Cyan crystal facets with bright seams and a few sparkles.
    static Image crystal();
    // Route marker: warm amber light with a fine grid of panes, brightest in the middle
    // band (the lantern's head on the marker's mesh).
    static Image markerGlow();
    // Blue water with crossing ripples and a net of caustic light.
    static Image waterRipples();
    // Flame particle: white-hot centre through yellow to orange, alpha falling softly
    // to nothing at the rim. The particle shader tints it by the particle's heat.
    static Image flameSprite();
    // Water particle: a soft light-blue drop with a highlight.
    static Image waterDroplet();
};
