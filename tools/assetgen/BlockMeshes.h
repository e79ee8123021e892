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
    // Platform block 8 x 2 x 8 at life size, one repeat every 4 units: blocks set side by
    // side on the 8-unit grid continue each other's pattern.
    static MeshBuilder block();
    // Column 4 x 16 x 4 and tower 12 x 18 x 12 at life size, one brick repeat every 2
    // units; the level sinks them into the ground to the height it wants.
    static MeshBuilder column();
    static MeshBuilder tower();
    // Wall segment 8 x 3 x 1 at life size, one brick repeat every 2 units, so rows of
    // segments run on without a seam.
    static MeshBuilder wall();
    // Plank bridge 3 wide, 0.4 thick and 16 long, planks across the walking direction.
    static MeshBuilder bridge();
};
