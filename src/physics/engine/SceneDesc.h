#pragma once

#include <glm/vec3.hpp>

namespace physics {

class UserTriggerReport;
class UserContactReport;

enum class SimulationType { Software = 0, Hardware = 1 };
enum class TimeStepMethod { Fixed = 0, Variable = 1 };

// How a scene is made. Fields the game does not set keep these defaults.
struct SceneDesc {
    glm::vec3 gravity{0.0f, 0.0f, 0.0f};
    UserTriggerReport* userTriggerReport = nullptr;
    UserContactReport* userContactReport = nullptr;
    float maxTimestep = 1.0f / 60.0f;
    unsigned maxIter = 8;
    TimeStepMethod timeStepMethod = TimeStepMethod::Fixed;
    SimulationType simType = SimulationType::Software;

    // A scene cannot be made from a descriptor that fails this.
    bool isValid() const;
};

} // namespace physics
