#include "ThreadCpuTimes.h"

#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <system_error>

namespace threadcpu {

namespace {

// The CPU clock of any thread of this process, from its kernel id: the encoding that
// glibc's pthread_getcpuclockid uses (scheduler clock, per-thread flag). Going by the
// kernel id reaches threads that were started by libraries we hold no handle of.
clockid_t clockOf(pid_t thread) {
    constexpr clockid_t kPerThreadSchedulerClock = 6;
    return static_cast<clockid_t>((~static_cast<unsigned>(thread)) << 3) | kPerThreadSchedulerClock;
}

std::string nameOf(const std::filesystem::path& taskDirectory) {
    std::ifstream file(taskDirectory / "comm");
    std::string name;
    std::getline(file, name);
    return name;
}

} // namespace

std::vector<ThreadTime> sample() {
    std::vector<ThreadTime> threads;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task", error)) {
        ThreadTime thread;
        try {
            thread.id = static_cast<pid_t>(std::stol(entry.path().filename().string()));
        } catch (const std::exception&) {
            continue;
        }
        timespec used{};
        // A thread that ended since the directory was read has no clock any more.
        if (clock_gettime(clockOf(thread.id), &used) != 0) {
            continue;
        }
        thread.seconds =
            static_cast<double>(used.tv_sec) + 1e-9 * static_cast<double>(used.tv_nsec);
        thread.name = nameOf(entry.path());
        threads.push_back(std::move(thread));
    }
    return threads;
}

bool isRasteriser(std::string_view threadName) {
    return threadName.starts_with("llvmpipe-");
}

pid_t currentThread() {
    return static_cast<pid_t>(syscall(SYS_gettid));
}

Split split(const std::vector<ThreadTime>& before, const std::vector<ThreadTime>& after,
            pid_t callerId) {
    Split used;
    for (const ThreadTime& thread : after) {
        double start = 0.0;
        for (const ThreadTime& earlier : before) {
            if (earlier.id == thread.id) {
                start = earlier.seconds;
                break;
            }
        }
        // A smaller figure than before means the id was handed to a new thread.
        const double seconds = thread.seconds >= start ? thread.seconds - start : thread.seconds;
        if (thread.id == callerId) {
            used.caller += seconds;
        } else if (isRasteriser(thread.name)) {
            used.rasteriser += seconds;
        } else {
            used.others += seconds;
        }
    }
    return used;
}

} // namespace threadcpu
