#include "platform/PageBuffer.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace platform {

namespace {

constexpr std::size_t kSmallPage = std::size_t{4} << 10;
constexpr std::size_t kLargePage = std::size_t{2} << 20;
// Below this a block keeps small pages: a large one would be mostly zeroed for nothing.
constexpr std::size_t kLargePagesFrom = std::size_t{4} << 20;

std::size_t roundUp(std::size_t bytes, std::size_t unit) {
    return (bytes + unit - 1) / unit * unit;
}

// A fresh mapping of `bytes`, starting on a large page when it is big enough to use them.
void* mapFresh(std::size_t bytes) {
    const std::size_t slack = bytes >= kLargePagesFrom ? kLargePage : 0;
    void* mapped =
        ::mmap(nullptr, bytes + slack, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        throw std::bad_alloc();
    }
    if (slack == 0) {
        return mapped;
    }
    const auto address = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = roundUp(address, kLargePage);
    if (aligned > address) {
        ::munmap(mapped, aligned - address);
    }
    if (const std::size_t tail = address + slack - aligned; tail > 0) {
        ::munmap(reinterpret_cast<void*>(aligned + bytes), tail);
    }
    ::madvise(reinterpret_cast<void*>(aligned), bytes, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
}

} // namespace

PageBlock::~PageBlock() {
    if (start) {
        ::munmap(start, bytes);
    }
}

void PageBlock::grow(std::size_t wanted) {
    const std::size_t target = roundUp(wanted, wanted >= kLargePagesFrom ? kLargePage : kSmallPage);
    if (target <= bytes) {
        return;
    }
    void* fresh = mapFresh(target);
    if (start) {
        // The pages written so far move to the front of the new mapping, unchanged.
        if (::mremap(start, bytes, bytes, MREMAP_MAYMOVE | MREMAP_FIXED, fresh) == MAP_FAILED) {
            ::munmap(fresh, target);
            throw std::bad_alloc();
        }
    }
    start = fresh;
    bytes = target;
}

void preferLargePages(void* data, std::size_t bytes) {
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = roundUp(begin, kLargePage);
    const std::uintptr_t last = (begin + bytes) / kLargePage * kLargePage;
    if (last > first) {
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
}

void prefaultPages(void* data, std::size_t bytes) {
    // Small arrays fault in their few pages as cheaply.
    if (bytes < (std::size_t{256} << 10)) {
        return;
    }
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = begin / kSmallPage * kSmallPage;
    const std::uintptr_t last = roundUp(begin + bytes, kSmallPage);
#ifdef MADV_POPULATE_WRITE
    // Before Linux 5.14 this fails, and the pages come one fault at a time as before.
    ::madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
#endif
}

} // namespace platform
