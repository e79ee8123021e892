#pragma once

#include <cstdint>

namespace physics {

// A byte stream the cooker writes meshes into and mesh creation reads them back from.
// Values travel in machine byte order: the bytes never leave the process.
class Stream {
public:
    virtual ~Stream() = default;

    virtual std::uint8_t readByte() const = 0;
    virtual std::uint16_t readWord() const = 0;
    virtual std::uint32_t readDword() const = 0;
    virtual float readFloat() const = 0;
    virtual double readDouble() const = 0;
    virtual void readBuffer(void* destination, std::uint32_t size) const = 0;

    virtual Stream& storeByte(std::uint8_t value) = 0;
    virtual Stream& storeWord(std::uint16_t value) = 0;
    virtual Stream& storeDword(std::uint32_t value) = 0;
    virtual Stream& storeFloat(float value) = 0;
    virtual Stream& storeDouble(double value) = 0;
    virtual Stream& storeBuffer(const void* source, std::uint32_t size) = 0;
};

} // namespace physics
