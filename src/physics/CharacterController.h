#pragma once

class PhysicsWorld;

namespace physics {
class Controller;
}

// The character's capsule controller at (x, y, z), made by the world's controller
// manager in the world's scene, reporting its hits to the world's hit report. The
// slope limit is in degrees. Null without a manager or a scene.
physics::Controller* createCharacterController(PhysicsWorld* world, float x, float y, float z,
                                               float radius, float height, float skinWidth,
                                               float slopeLimitDegrees, float stepOffset);
