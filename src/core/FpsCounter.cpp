#include "core/FpsCounter.h"

#include "platform/Platform.h"

double FpsCounter::computeFps() {
    const double now = platform::wallClock().now();
    if (lastReport < 0.0) {
        lastReport = now;
    }
    ++frames;
    if (now - lastReport >= 1.0) {
        const double fps = frames / (now - lastReport);
        lastReport = now;
        frames = 0;
        return fps;
    }
    return 0.0;
}
