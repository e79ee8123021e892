#include "physics/MemoryWriteBuffer.h"

#include <cstring>
#include <limits>

namespace {
constexpr std::uint32_t kGrowth = 4096;
}

MemoryWriteBuffer::~MemoryWriteBuffer() {
    delete[] data;
    data = nullptr;
}

physics::Stream& MemoryWriteBuffer::storeByte(std::uint8_t value) {
    return storeBuffer(&value, sizeof value);
}

physics::Stream& MemoryWriteBuffer::storeWord(std::uint16_t value) {
    return storeBuffer(&value, sizeof value);
}

physics::Stream& MemoryWriteBuffer::storeDword(std::uint32_t value) {
    return storeBuffer(&value, sizeof value);
}

physics::Stream& MemoryWriteBuffer::storeFloat(float value) {
    return storeBuffer(&value, sizeof value);
}

physics::Stream& MemoryWriteBuffer::storeDouble(double value) {
    return storeBuffer(&value, sizeof value);
}

physics::Stream& MemoryWriteBuffer::storeBuffer(const void* source, std::uint32_t size) {
    if (size == 0 || source == nullptr) {
        return *this;
    }
    // Without this the sum below wraps and the copy runs past the block.
    if (size > std::numeric_limits<std::uint32_t>::max() - kGrowth - currentSize) {
        return *this;
    }
    if (currentSize + size > maxSize) {
        maxSize = currentSize + size + kGrowth;
        auto* grown = new std::uint8_t[maxSize];
        if (currentSize > 0) {
            std::memcpy(grown, data, currentSize);
        }
        delete[] data;
        data = grown;
    }
    std::memcpy(data + currentSize, source, size);
    currentSize += size;
    return *this;
}
