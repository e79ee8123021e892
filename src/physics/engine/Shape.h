#pragma once

#include <glm/vec3.hpp>

#include <cstdint>

namespace physics {

class Actor;

enum class ShapeType { Box = 2, Convex = 5, TriangleMesh = 6 };

// One collision shape of an actor.
class Shape {
public:
    Shape(Actor& actor, ShapeType type, std::uint16_t group) : owner(actor), type(type), group(group) {}

    Actor& getActor() const { return owner; }
    ShapeType getType() const { return type; }
    std::uint16_t getGroup() const { return group; }
    void setGroup(std::uint16_t newGroup) { group = newGroup; }

    void* userData = nullptr;

private:
    Actor& owner;
    ShapeType type;
    std::uint16_t group;
};

} // namespace physics
