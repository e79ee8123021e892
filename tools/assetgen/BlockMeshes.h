#pragma once

#include "MeshBuilder.h"

// The level's building blocks and flat pieces. All are modelled about their own centre and
// scaled by the level; every flat face has vertices of its own, so edges stay hard.
class BlockMeshes {
public:
    // Cube from -1 to 1, the crate texture once on every side.
    static MeshBuilder crate();
    // Floor tile 2 x 0.5 x 2, one texture repeat across its top.
    static MeshBuilder floorTile();
    // Floor 48 x 1 x 48 at life size, one repeat every 4 units.
    static MeshBuilder floorLarge();
    // Wedge in the cube from -1 to 1, rising from y = -1 at z = 1 to y = 1 at z = -1.
    static MeshBuilder ramp();
    // Five steps in the cube from -1 to 1, rising towards -z; 0.4 to a step.
    static MeshBuilder stairs();
    // Square pillar 4 tall with a plinth and a capital.
    static MeshBuilder pillar();
    // The sinking platform: a 4 x 0.6 x 4 slab with chamfered top edges.
    static MeshBuilder sinkingPlatform();
    // The water hazard: a 4 x 0.5 x 4 block of water.
    static MeshBuilder waterBlock();
    // Water plane: a thin 2 x 0.1 x 2 slab; the level scales it to the water's size.
    static MeshBuilder waterPlane();
};
