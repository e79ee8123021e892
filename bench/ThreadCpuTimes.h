#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

// CPU time of this process's threads, one by one, from the kernel's per-thread clocks.
// Whole-process CPU time would count the software rasteriser's threads, which do what a
// GPU does on a real machine; the game thread's own CPU time would miss the physics step,
// which runs on a worker thread.
namespace threadcpu {

struct ThreadTime {
    pid_t id = 0;
    std::string name;
    double seconds = 0.0;
};

// Every thread of the process now, with its name and the CPU time it has used so far.
std::vector<ThreadTime> sample();

// Mesa's llvmpipe names its rasteriser threads "llvmpipe-<n>".
bool isRasteriser(std::string_view threadName);

// The kernel's id of the calling thread, as in the lists of sample().
pid_t currentThread();

// CPU seconds used between two samples, split three ways. A thread that only the later
// sample knows started in between and counts from zero; one that ended in between is lost
// (none of the threads measured here ends while the game runs).
struct Split {
    double caller = 0.0;     // the thread named by callerId: the game thread
    double rasteriser = 0.0; // the software rasteriser's threads
    double others = 0.0;     // every other thread: the physics step, driver helpers
};
Split split(const std::vector<ThreadTime>& before, const std::vector<ThreadTime>& after,
            pid_t callerId);

} // namespace threadcpu
