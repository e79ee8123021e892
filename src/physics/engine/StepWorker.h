#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace physics {

// One background thread that runs one job at a time: the scene hands it a step in
// simulate and waits for it in fetchResults.
class StepWorker {
public:
    StepWorker();
    ~StepWorker();
    StepWorker(const StepWorker&) = delete;
    StepWorker& operator=(const StepWorker&) = delete;

    // Waits for a running job, then starts this one.
    void start(std::function<void()> job);
    // Blocks until no job is running.
    void wait();
    bool isBusy();

private:
    void run();

    std::mutex mutex;
    std::condition_variable wakeUp;
    std::condition_variable done;
    std::function<void()> pending;
    bool busy = false;
    bool quit = false;
    std::thread thread;
};

} // namespace physics
