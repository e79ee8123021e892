#pragma once

#include "MeshBuilder.h"

// The interactive objects at life size (the character is a capsule 2.1 tall).
class PropMeshes {
public:
    // A ducted fan 4.6 across: shroud, hub and four pitched blades, all round the local
    // Y axis, which is the axis the game turns it about. Centred on the hub.
    static MeshBuilder fan();
    // The upgrade: a cut crystal 1.45 tall, centred, to float above the floor.
    static MeshBuilder upgradeCrystal();
    // The goal: an arch on a stepped pedestal with an orb on top, 5.9 tall, standing on
    // its origin.
    // Route marker: a lantern on a post, 2 tall (from -1 to 1) and 0.9 across.
    static MeshBuilder routeMarker();
    static MeshBuilder goalArch();
};
