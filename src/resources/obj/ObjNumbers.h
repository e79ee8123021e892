#pragma once

#include "resources/obj/ObjText.h"

#include <bit>
#include <cstdint>
#include <cstring>

// The numbers of OBJ lines. `readFloat` and `readIndex` take the common short forms in a
// few instructions and hand everything else to the general readers, which behave like
// stream extraction.
namespace obj {

// Digits are read eight at a time: the text always has eight more bytes after a line's
// '\n' (see kPadding), so a load never leaves the text. The first byte is the lowest.
static_assert(std::endian::native == std::endian::little);
inline std::uint64_t load8(const char* p) {
    std::uint64_t bytes = 0;
    std::memcpy(&bytes, p, sizeof bytes);
    return bytes;
}

// How many of the eight characters in `bytes` (first one lowest) are digits before the
// first one that is not, with the digits' values left in `values`. The carry of a byte
// above 0xF9 can only spoil the bytes after it, which are not counted.
inline int leadingDigits(std::uint64_t bytes, std::uint64_t& values) {
    values = bytes ^ 0x3030303030303030;
    const std::uint64_t notDigit = (values | (values + 0x0606060606060606)) & 0xF0F0F0F0F0F0F0F0;
    return notDigit ? std::countr_zero(notDigit) >> 3 : 8;
}

// The number written by the first `count` (1 to 8) digit values: moved to the top, the
// empty places below read as leading zeros, then pairs, quads and the eight combined.
inline std::uint32_t digitsValue(std::uint64_t values, int count) {
    values <<= 8 * (8 - count);
    values = (values * 2561) >> 8 & 0x00FF00FF00FF00FF;
    values = (values * 6553601) >> 16 & 0x0000FFFF0000FFFF;
    return static_cast<std::uint32_t>((values * 42949672960001) >> 32);
}

constexpr std::uint64_t powersOfTen[] = {1,         10,         100,         1000,
                                         10000,     100000,     1000000,     10000000,
                                         100000000, 1000000000, 10000000000, 100000000000};

// The 29 low bits of a double are the ones float drops: 1 followed by zeros is halfway
// between two floats, where rounding twice may differ from rounding once.
constexpr std::uint64_t kDroppedBits = 0x1FFFFFFF;
constexpr std::uint64_t kHalfway = 0x10000000;

// A float after blanks in any form stream extraction takes (a sign, an exponent, many
// digits); `p` moves past it. False when there is none.
bool readAnyFloat(const char*& p, const char* end, float& value);

// A face index with a sign or more than seven digits (eight or more cannot overflow
// in from_chars' hands), or none at all.
bool readAnyIndex(const char*& p, const char* end, std::int32_t& value, bool& negative);

// The numbers exporters write, "-12.345678" with up to seven digits either side of the
// point after one blank, read in a few instructions, in one conversion when there are
// eight digits or fewer in all. The quotient q = digits / 10^decimals
// comes from one multiplication by the nearest double to 10^-decimals, within 2 units
// of the double's last place of q; so rounded on to float it is the correctly rounded
// q, what the general path gives, unless a point halfway between two floats lies that
// close. Then, and for every other number, the general path reads it.
[[gnu::always_inline]] inline bool readFloat(const char*& p, const char* end, float& value) {
    static constexpr double inversePowers[] = {1e0, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7};
    const char* q = p + (*p == ' ');
    const bool negative = *q == '-';
    q += negative;
    std::uint64_t whole = 0;
    const int digits = leadingDigits(load8(q), whole);
    if (digits == 8) {
        return readAnyFloat(p, end, value);
    }
    q += digits;
    std::uint64_t mantissa = 0;
    int decimals = 0;
    if (*q == '.') {
        std::uint64_t fraction = 0;
        decimals = leadingDigits(load8(q + 1), fraction);
        q += 1 + decimals;
        if (digits + decimals <= 8) {
            // Both sides fit one conversion: the fraction's digits right after the
            // integer's (what lies past them is shifted out).
            const std::uint64_t integer = whole & ((std::uint64_t{1} << (8 * digits)) - 1);
            const std::uint64_t joined = integer | fraction << (8 * digits);
            mantissa = digits + decimals > 0 ? digitsValue(joined, digits + decimals) : 0;
        } else if (decimals < 8) {
            mantissa = std::uint64_t{digitsValue(whole, digits)} * powersOfTen[decimals] +
                       digitsValue(fraction, decimals);
        }
    } else if (digits > 0) {
        mantissa = digitsValue(whole, digits);
    }
    if (digits + decimals == 0 || decimals == 8 || *q == 'e' || *q == 'E') {
        return readAnyFloat(p, end, value);
    }
    const double quotient = static_cast<double>(mantissa) * inversePowers[decimals];
    if ((std::bit_cast<std::uint64_t>(quotient) & kDroppedBits) - (kHalfway - 3) <= 6) {
        return readAnyFloat(p, end, value);
    }
    value = static_cast<float>(negative ? -quotient : quotient);
    p = q;
    return true;
}

// One number of a face corner, right where `p` is: an optional sign, then digits.
// `negative` is set when it is below zero.
[[gnu::always_inline]] inline bool readIndex(const char*& p, const char* end, std::int32_t& value,
                                             bool& negative) {
    std::uint64_t values = 0;
    const int digits = leadingDigits(load8(p), values);
    if (digits == 0 || digits == 8) {
        return readAnyIndex(p, end, value, negative);
    }
    value = static_cast<std::int32_t>(digitsValue(values, digits));
    p += digits;
    return true;
}

} // namespace obj
