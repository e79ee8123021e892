#pragma once

#include "physics/engine/Stream.h"

#include <cstdint>

class MemoryWriteBuffer;

// Reads back bytes that a MemoryWriteBuffer holds, without owning them. It knows
// where they end: a read past the end yields zeros (and leaves the cursor at the
// end), so broken or short bytes make a failed mesh, never a read out of bounds.
// Storing into it does nothing.
class MemoryReadBuffer : public physics::Stream {
public:
    MemoryReadBuffer(const std::uint8_t* bytes, std::uint32_t size)
        : cursor(bytes), end(bytes ? bytes + size : bytes) {}
    // Over the bytes written so far.
    explicit MemoryReadBuffer(const MemoryWriteBuffer& written);

    std::uint8_t readByte() const override;
    std::uint16_t readWord() const override;
    std::uint32_t readDword() const override;
    float readFloat() const override;
    double readDouble() const override;
    void readBuffer(void* destination, std::uint32_t size) const override;

    Stream& storeByte(std::uint8_t) override { return *this; }
    Stream& storeWord(std::uint16_t) override { return *this; }
    Stream& storeDword(std::uint32_t) override { return *this; }
    Stream& storeFloat(float) override { return *this; }
    Stream& storeDouble(double) override { return *this; }
    Stream& storeBuffer(const void*, std::uint32_t) override { return *this; }

    std::uint32_t bytesLeft() const { return static_cast<std::uint32_t>(end - cursor); }

private:
    template <typename T> T read() const {
        T value{};
        readBuffer(&value, sizeof value);
        return value;
    }

    // Reads move the cursor, through the const interface of the stream.
    mutable const std::uint8_t* cursor;
    const std::uint8_t* end;
};
