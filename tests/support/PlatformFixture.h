#pragma once

#include "platform/Platform.h"
#include "platform/ScriptedInput.h"
#include "platform/VirtualClock.h"

// Installs a virtual clock and scripted input for the length of a test and puts
// the real ones back afterwards.
class ScopedPlatform {
public:
    ScopedPlatform() {
        platform::useClock(&clock);
        platform::useInput(&input);
    }
    ~ScopedPlatform() {
        platform::useClock(nullptr);
        platform::useInput(nullptr);
    }
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

    platform::VirtualClock clock;
    platform::ScriptedInput input;
};
