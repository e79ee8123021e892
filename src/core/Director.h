#pragma once

#include "core/AppState.h"
#include "core/FpsCounter.h"
#include "physics/PhysicsWorld.h"

#include <cstdint>
#include <memory>
#include <string>

// HUD texts of the frame-rate and culling lines; the overlay lines point at them.
extern std::string fpsText;
extern std::string cullingText;

// Owns the running game and drives it: init once, then update and render every
// frame around the physics step, cleanup at the end.
class Director {
public:
    explicit Director(std::string configPath);
    virtual ~Director();
    Director(const Director&) = delete;
    Director& operator=(const Director&) = delete;

    void init();
    void update();
    void render();
    void cleanup();

    std::string configPath;
    double previousTime = 0.0;
    double dt = 0.0; // this frame's step in seconds, straight from the timer
    std::unique_ptr<AppState> appState;
    std::unique_ptr<PhysicsWorld> physicsWorld;
    std::int32_t windowWidth = 1024;
    std::int32_t windowHeight = 768;

private:
    FpsCounter fpsCounter;
};
