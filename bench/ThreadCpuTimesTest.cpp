#include "ThreadCpuTimes.h"

#include <gtest/gtest.h>

#include <pthread.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <future>
#include <thread>

namespace {

double ownCpuSeconds() {
    timespec used{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &used);
    return static_cast<double>(used.tv_sec) + 1e-9 * static_cast<double>(used.tv_nsec);
}

// Burns CPU until this thread has used `seconds` more of it, however busy the machine.
void spin(double seconds) {
    const double until = ownCpuSeconds() + seconds;
    volatile unsigned sink = 0;
    while (ownCpuSeconds() < until) {
        for (int i = 0; i < 1000; ++i) {
            sink = sink + 1;
        }
    }
}

} // namespace

TEST(ThreadCpuTimesTest, SplitsCallerRasteriserAndOtherThreads) {
    const pid_t caller = threadcpu::currentThread();
    const auto before = threadcpu::sample();

    // Both threads start after the first sample and are still there, idle, for the second.
    std::atomic<int> finished{0};
    std::promise<void> sampledPromise;
    const std::shared_future<void> sampled = sampledPromise.get_future().share();
    auto worker = [&](const char* name, double seconds) {
        if (name != nullptr) {
            pthread_setname_np(pthread_self(), name);
        }
        spin(seconds);
        ++finished;
        sampled.wait();
    };
    std::thread rasteriser(worker, "llvmpipe-3", 0.12);
    std::thread other(worker, nullptr, 0.06);
    spin(0.03);
    while (finished < 2) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const auto after = threadcpu::sample();
    sampledPromise.set_value();
    rasteriser.join();
    other.join();

    const threadcpu::Split split = threadcpu::split(before, after, caller);
    EXPECT_GE(split.caller, 0.03);
    EXPECT_LT(split.caller, 0.06);
    EXPECT_GE(split.rasteriser, 0.12);
    EXPECT_LT(split.rasteriser, 0.18);
    EXPECT_GE(split.others, 0.06);
    EXPECT_LT(split.others, 0.12);
}

TEST(ThreadCpuTimesTest, SampleNamesEveryThread) {
    const auto threads = threadcpu::sample();
    const pid_t self = threadcpu::currentThread();
    const auto found =
        std::find_if(threads.begin(), threads.end(),
                     [&](const threadcpu::ThreadTime& thread) { return thread.id == self; });
    ASSERT_NE(found, threads.end());
    EXPECT_FALSE(found->name.empty());
    EXPECT_GT(found->seconds, 0.0);

    EXPECT_TRUE(threadcpu::isRasteriser("llvmpipe-0"));
    EXPECT_TRUE(threadcpu::isRasteriser("llvmpipe-15"));
    EXPECT_FALSE(threadcpu::isRasteriser("llvmpipe"));
    EXPECT_FALSE(threadcpu::isRasteriser("frame_cpu_bench"));
}
