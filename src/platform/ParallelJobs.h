#pragma once

#include <cstddef>
#include <exception>
#include <functional>
#include <system_error>
#include <thread>
#include <vector>

namespace platform {

// Runs job(i) for every i < count: the first on the calling thread, each other on a
// thread of its own, or here after the first when its thread cannot be started.
template <class Job> void runParallel(std::size_t count, const Job& job) {
    std::vector<std::exception_ptr> failures(count);
    const auto guarded = [&](std::size_t i) {
        try {
            job(i);
        } catch (...) {
            failures[i] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    std::vector<std::size_t> here{0};
    for (std::size_t i = 1; i < count; ++i) {
        try {
            threads.emplace_back(guarded, i);
        } catch (const std::system_error&) {
            here.push_back(i);
        }
    }
    for (const std::size_t i : here) {
        guarded(i);
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const std::exception_ptr& failure : failures) {
        if (failure) {
            std::rethrow_exception(failure);
        }
    }
}

// Runs every job once on `threads` threads, each taking the next job when it is free.
void runJobs(const std::vector<std::function<void()>>& jobs, std::size_t threads);

} // namespace platform
