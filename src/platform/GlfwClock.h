#pragma once

#include "platform/Clock.h"

namespace platform {

// The real timer of the windowing library.
class GlfwClock : public Clock {
public:
    double now() const override;
};

} // namespace platform
