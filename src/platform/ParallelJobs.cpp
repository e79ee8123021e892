#include "platform/ParallelJobs.h"

#include <algorithm>
#include <atomic>

namespace platform {

void runJobs(const std::vector<std::function<void()>>& jobs, std::size_t threads) {
    std::atomic<std::size_t> next{0};
    runParallel(std::min(threads, jobs.size()), [&](std::size_t) {
        for (std::size_t job = next++; job < jobs.size(); job = next++) {
            jobs[job]();
        }
    });
}

} // namespace platform
