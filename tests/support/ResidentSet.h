#pragma once

#include <fstream>

#include <unistd.h>

// Under AddressSanitizer freed memory waits in quarantine: the resident set says nothing
// about leaks there.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kResidentSetMeansSomething = false;
#else
inline constexpr bool kResidentSetMeansSomething = true;
#endif

// The resident set of this process in KiB, from the kernel's own account.
inline long residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}
