#include "physics/engine/StepWorker.h"

namespace physics {

StepWorker::StepWorker() : thread([this] { run(); }) {}

StepWorker::~StepWorker() {
    {
        std::unique_lock lock(mutex);
        done.wait(lock, [this] { return !busy; });
        quit = true;
    }
    wakeUp.notify_one();
    thread.join();
}

void StepWorker::start(std::function<void()> job) {
    {
        std::unique_lock lock(mutex);
        done.wait(lock, [this] { return !busy; });
        pending = std::move(job);
        busy = true;
    }
    wakeUp.notify_one();
}

void StepWorker::wait() {
    std::unique_lock lock(mutex);
    done.wait(lock, [this] { return !busy; });
}

bool StepWorker::isBusy() {
    std::lock_guard lock(mutex);
    return busy;
}

void StepWorker::run() {
    std::unique_lock lock(mutex);
    for (;;) {
        wakeUp.wait(lock, [this] { return busy || quit; });
        if (quit && !busy) {
            return;
        }
        std::function<void()> job = std::move(pending);
        lock.unlock();
        job();
        lock.lock();
        busy = false;
        done.notify_all();
    }
}

} // namespace physics
