#include "physics/MemoryReadBuffer.h"

#include "physics/MemoryWriteBuffer.h"

#include <algorithm>
#include <cstring>

MemoryReadBuffer::MemoryReadBuffer(const MemoryWriteBuffer& written)
    : MemoryReadBuffer(written.data, written.currentSize) {}

std::uint8_t MemoryReadBuffer::readByte() const {
    return read<std::uint8_t>();
}

std::uint16_t MemoryReadBuffer::readWord() const {
    return read<std::uint16_t>();
}

std::uint32_t MemoryReadBuffer::readDword() const {
    return read<std::uint32_t>();
}

float MemoryReadBuffer::readFloat() const {
    return read<float>();
}

double MemoryReadBuffer::readDouble() const {
    return read<double>();
}

void MemoryReadBuffer::readBuffer(void* destination, std::uint32_t size) const {
    if (destination == nullptr || size == 0) {
        return;
    }
    const std::uint32_t available = std::min(size, bytesLeft());
    if (available > 0) {
        std::memcpy(destination, cursor, available);
        cursor += available;
    }
    std::memset(static_cast<std::uint8_t*>(destination) + available, 0, size - available);
}
