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

Clock& clock() { return currentClock ? *currentClock : realClock(); }

InputDevice& input() { return currentInput ? *currentInput : realInput(); }

void useClock(Clock* clock) { currentClock = clock; }

void useInput(InputDevice* input) { currentInput = input; }

} // namespace platform
