#pragma once

#include <glm/vec3.hpp>

class Mesh;
class PhysicsWorld;

namespace physics {
class Actor;
}

// The actor factories the level is built with. Each returns the new actor, or null
// when the world has no scene, the data cannot make the shape or the scene refuses
// the actor; nothing is printed. Every actor stands at (x, y, z) with no rotation.

// A static box of half extents (hx, hy, hz). A zero half extent is allowed: a level
// plane is a box without thickness.
physics::Actor* createBoxActor(PhysicsWorld* world, float x, float y, float z, float hx, float hy,
                               float hz);
// The same box as a trigger that reports enter, leave and stay.
physics::Actor* createTriggerBoxActor(PhysicsWorld* world, float x, float y, float z, float hx,
                                      float hy, float hz);

// Shapes cooked from a mesh's positions, multiplied by scale so that the shape has the
// size the object is drawn with, and its mirror where a scale is negative: the actor's
// pose then carries only the rotation. A mirrored mesh's triangles wind the other way
// round, which changes nothing: the collision engine's triangles are hit from either
// side, and a hull is built from the points alone. Mass is density times the shape's
// volume.

// A dynamic body whose shape is the convex hull of the mesh's vertices.
physics::Actor* createConvexActor(PhysicsWorld* world, const Mesh& mesh, float density, float x,
                                  float y, float z, const glm::vec3& scale = glm::vec3(1.0f));
// A kinematic body shaped by the mesh's triangles.
physics::Actor* createKinematicMeshActor(PhysicsWorld* world, const Mesh& mesh, float density,
                                         float x, float y, float z,
                                         const glm::vec3& scale = glm::vec3(1.0f));
// A static actor shaped by the mesh's triangles.
physics::Actor* createStaticMeshActor(PhysicsWorld* world, const Mesh& mesh, float x, float y,
                                      float z, const glm::vec3& scale = glm::vec3(1.0f));
