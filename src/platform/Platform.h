#pragma once

#include "platform/Clock.h"
#include "platform/GameClock.h"
#include "platform/GlfwInput.h"
#include "platform/InputDevice.h"
#include "platform/Window.h"

// The process-wide platform services: the one window, the timer and the input the
// game reads. The real timer and input are used unless a test or a scripted run
// installs its own.
namespace platform {

Window& window();
// The game's time, which stands still while the game is paused.
Clock& clock();
GameClock& gameClock();
// The timer itself, which never stops: for the frame rate.
Clock& wallClock();
InputDevice& input();
// The input of the real window, whichever input is in use.
GlfwInput& realInput();

// nullptr puts the real timer or input back. The caller keeps ownership. A new timer
// also ends a pause and forgets the earlier ones.
void useClock(Clock* clock);
void useInput(InputDevice* input);

} // namespace platform
