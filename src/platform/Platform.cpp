#include "platform/Platform.h"

#include "platform/GlfwClock.h"

namespace platform {

namespace {

GlfwClock& realClock() {
    static GlfwClock instance;
    return instance;
}

Clock* currentClock = nullptr;
InputDevice* currentInput = nullptr;

} // namespace

Window& window() {
    static Window instance;
    return instance;
}

GlfwInput& realInput() {
    static GlfwInput instance;
    return instance;
}

Clock& wallClock() {
    return currentClock ? *currentClock : realClock();
}

GameClock& gameClock() {
    static GameClock instance(wallClock());
    return instance;
}

Clock& clock() {
    return gameClock();
}

InputDevice& input() {
    return currentInput ? *currentInput : realInput();
}

void useClock(Clock* clock) {
    currentClock = clock;
    gameClock().follow(wallClock());
}

void useInput(InputDevice* input) {
    currentInput = input;
}

} // namespace platform
