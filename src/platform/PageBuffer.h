#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

namespace platform {

// Pages of memory of their own, for the big scratch lists a loader fills and drops:
// growing moves the pages rather than copying the bytes, and a large block asks for
// 2 MiB pages, each of which costs about what one 4 KiB page costs to fault in.
class PageBlock {
public:
    PageBlock() = default;
    ~PageBlock();
    PageBlock(PageBlock&& other) noexcept
        : start(std::exchange(other.start, nullptr)), bytes(std::exchange(other.bytes, 0)) {}
    PageBlock& operator=(PageBlock&& other) noexcept {
        std::swap(start, other.start);
        std::swap(bytes, other.bytes);
        return *this;
    }

    void* data() const { return start; }
    std::size_t size() const { return bytes; }
    // At least `wanted` bytes, the ones held so far kept; throws std::bad_alloc.
    void grow(std::size_t wanted);

private:
    void* start = nullptr;
    std::size_t bytes = 0;
};

// A list of plain values (numbers, glm vectors) in a PageBlock: the few vector operations
// the loaders use. They move with their pages and are never destroyed.
template <class T> class PageBuffer {
    static_assert(std::is_trivially_destructible_v<T> && std::is_standard_layout_v<T>);

public:
    std::size_t size() const { return count; }
    bool empty() const { return count == 0; }
    T* data() { return static_cast<T*>(block.data()); }
    const T* data() const { return static_cast<const T*>(block.data()); }
    T& operator[](std::size_t i) { return data()[i]; }
    const T& operator[](std::size_t i) const { return data()[i]; }
    T& back() { return data()[count - 1]; }

    void reserve(std::size_t n) {
        if (n > capacity) {
            block.grow(n * sizeof(T));
            capacity = block.size() / sizeof(T);
        }
    }
    void push_back(const T& value) {
        if (count == capacity) {
            reserve(2 * count + 1);
        }
        data()[count++] = value;
    }
    // `n` more elements, left for the caller to write.
    T* append(std::size_t n) {
        if (count + n > capacity) {
            reserve(2 * (count + n));
        }
        T* added = data() + count;
        count += n;
        return added;
    }
    // Drops the elements from `n` on; their pages stay.
    void truncate(std::size_t n) { count = n < count ? n : count; }

private:
    PageBlock block;
    std::size_t count = 0;
    std::size_t capacity = 0;
};

// Asks for 2 MiB pages in the aligned part of [data, data + bytes) before it is first
// written: for the big arrays that a loader hands on in ordinary vectors.
void preferLargePages(void* data, std::size_t bytes);

// Takes the pages of [data, data + bytes) at once, which costs less than one fault per
// page: for a big array about to be written in full, never for room that may stay unused.
void prefaultPages(void* data, std::size_t bytes);

} // namespace platform
