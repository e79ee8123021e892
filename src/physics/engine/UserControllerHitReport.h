#pragma once

#include <glm/vec3.hpp>

namespace physics {

class Controller;
class Shape;

// What a hit report asks the controller to do; ours never asks for anything.
enum ControllerAction : unsigned { ActionNone = 0, ActionPush = 1 };

// One shape met by a controller's sweep during move.
struct ControllerShapeHit {
    Controller* controller = nullptr;
    Shape* shape = nullptr;
    glm::dvec3 worldPos{0.0};
    glm::vec3 worldNormal{0.0f};
    glm::vec3 dir{0.0f}; // unit direction of the sweep that met the shape
    float length = 0.0f; // length of that sweep as asked for
};

// One controller's sweep meeting another controller.
struct ControllersHit {
    Controller* controller = nullptr;
    Controller* other = nullptr;
};

// Told about every hit of a move, on the game thread, once the move is settled. A
// report overrides only what it cares about; the rest asks for nothing.
class UserControllerHitReport {
public:
    virtual ~UserControllerHitReport() = default;
    virtual ControllerAction onShapeHit(const ControllerShapeHit&) { return ActionNone; }
    virtual ControllerAction onControllerHit(const ControllersHit&) { return ActionNone; }
};

} // namespace physics
