#pragma once

#include "MeshBuilder.h"

// Turned shapes: the barrel and its collision stand-in, the character's capsule and the
// water jet's nozzle.
class RoundMeshes {
public:
    // Barrel 2 tall, bulging to radius 0.8: smooth sides, flat lids; over 255 triangles,
    // so physics needs the low-polygon version below.
    static MeshBuilder barrel();
    // The same barrel in under 64 triangles, for cooking its convex body.
    static MeshBuilder barrelLowPoly();
    // The character's capsule: radius 0.8, 2.1 tall, centred on the controller's position.
    static MeshBuilder characterCapsule();
    // A water jet's nozzle with its mouth at the origin, where the spray starts, and its
    // body below. The game sizes the jet's trigger box from this mesh's bounds.
    static MeshBuilder waterJetNozzle();
};
