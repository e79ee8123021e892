#include "core/FrameLoop.h"

#include "core/CommandLine.h"
#include "core/Director.h"
#include "platform/Keys.h"
#include "platform/Platform.h"

bool runFrame(Director& director, FrameMode mode) {
    physics::Scene& scene = *director.physicsWorld->scene;
    scene.fetchResults(physics::RigidBodyFinished, true);
    director.update();
    if (mode == FrameMode::Draw) {
        director.render();
    } else {
        platform::input().processEvents();
    }
    scene.simulate(static_cast<float>(director.dt));
    scene.flushStream();

    const bool running =
        !platform::input().isKeyDown(platform::key::Esc) && platform::window().isOpen();
    director.appState->running = running;
    return running;
}

int runGame(Director& director) {
    if (!director.init()) {
        // No frame has run, so cleanup finds nothing drawn and no player to follow.
        director.cleanup();
        return kExitCannotPlay;
    }
    while (runFrame(director)) {
    }
    director.cleanup();
    return kExitQuit;
}
