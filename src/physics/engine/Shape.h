#pragma once

#include <cstdint>

namespace physics {

class Actor;
class ConvexMesh;
class TriangleMesh;

enum class ShapeType { Plane = 0, Sphere = 1, Box = 2, Capsule = 3, Convex = 5, TriangleMesh = 6 };

// Shape flags. A shape with any of the three trigger bits is a trigger: it reports
// the shapes inside it (the bits choose which events) and pushes nothing away.
// Visualisation and the two-way cloth and soft-body bits are what every shape the game
// makes carries by default; this layer has no debug drawing, cloth or soft bodies, so
// they are kept on the shape and otherwise ignored.
enum ShapeFlag : unsigned {
    ShapeTriggerOnEnter = 0x1,
    ShapeTriggerOnLeave = 0x2,
    ShapeTriggerOnStay = 0x4,
    ShapeTriggerEnable = ShapeTriggerOnEnter | ShapeTriggerOnLeave | ShapeTriggerOnStay,
    ShapeVisualization = 0x8,
    ShapeClothTwoWay = 0x20000,
    ShapeSoftBodyTwoWay = 0x100000,
    ShapeFlagDefault = ShapeVisualization | ShapeClothTwoWay | ShapeSoftBodyTwoWay,
};

// One collision shape of an actor. Groups 0 to 31 take part in the scene's group
// table; a shape in a higher group meets every shape and no controller sweep.
class Shape {
public:
    Shape(Actor& actor, ShapeType type, std::uint16_t group, unsigned flags)
        : owner(actor), type(type), group(group), flags(flags) {}

    Actor& getActor() const { return owner; }
    ShapeType getType() const { return type; }
    std::uint16_t getGroup() const { return group; }
    // Takes effect for the scene's next step and the next controller move.
    void setGroup(std::uint16_t newGroup);
    unsigned getFlags() const { return flags; }
    bool isTrigger() const { return (flags & ShapeTriggerEnable) != 0; }
    // The mesh a convex or triangle-mesh shape was made from; null for the others.
    ConvexMesh* getConvexMesh() const { return convexMesh; }
    TriangleMesh* getTriangleMesh() const { return triangleMesh; }

    void* userData = nullptr;

private:
    friend class Actor;

    Actor& owner;
    ConvexMesh* convexMesh = nullptr;
    TriangleMesh* triangleMesh = nullptr;
    ShapeType type;
    std::uint16_t group;
    unsigned flags;
};

} // namespace physics
