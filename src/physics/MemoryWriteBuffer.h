#pragma once

#include "physics/engine/Stream.h"

#include <cstdint>

// The stream cooked meshes are written into: a growing block of memory that it owns.
// Reading it gives nothing back; a MemoryReadBuffer over `data` does that.
class MemoryWriteBuffer : public physics::Stream {
public:
    MemoryWriteBuffer() = default;
    ~MemoryWriteBuffer() override;
    MemoryWriteBuffer(const MemoryWriteBuffer&) = delete;
    MemoryWriteBuffer& operator=(const MemoryWriteBuffer&) = delete;

    std::uint8_t readByte() const override { return 0; }
    std::uint16_t readWord() const override { return 0; }
    std::uint32_t readDword() const override { return 0; }
    float readFloat() const override { return 0.0f; }
    double readDouble() const override { return 0.0; }
    void readBuffer(void*, std::uint32_t) const override {}

    Stream& storeByte(std::uint8_t value) override;
    Stream& storeWord(std::uint16_t value) override;
    Stream& storeDword(std::uint32_t value) override;
    Stream& storeFloat(float value) override;
    Stream& storeDouble(double value) override;
    // Grows the block to currentSize + size + 4096 bytes when the bytes do not fit, so
    // a cook of a few kilobytes allocates about once per 4 KB. A store that would take
    // the size past 32 bits stores nothing.
    Stream& storeBuffer(const void* source, std::uint32_t size) override;

    std::uint32_t currentSize = 0;
    std::uint32_t maxSize = 0;
    std::uint8_t* data = nullptr;
};
