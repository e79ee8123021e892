#include "resources/obj/ObjNumbers.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace obj {

namespace {

// The number readers behave like stream extraction: leading blanks are skipped, a '+'
// is accepted, "inf" and "nan" are not numbers, and a failed read ends the line.
// `from_chars` itself takes neither the '+' nor the blanks.
const char* numberStart(const char* p, bool& ok) {
    const bool plus = *p == '+';
    const char* digits = plus ? p + 1 : p;
    if (!plus && *digits == '-') {
        ++digits;
    }
    ok = isDigit(*digits) || *digits == '.';
    return plus ? p + 1 : p;
}

// Appends the run of digits at `p` to `mantissa`, a digit at a time as it were, and
// returns how many there were. Past 24 it stops; callers give up beyond 19 anyway.
[[gnu::always_inline]] inline int readDigits(const char*& p, std::uint64_t& mantissa) {
    int count = 0;
    for (int round = 0; round < 3; ++round) {
        std::uint64_t values = 0;
        const int n = leadingDigits(load8(p), values);
        if (n == 0) {
            break;
        }
        mantissa = mantissa * powersOfTen[n] + digitsValue(values, n);
        count += n;
        p += n;
        if (n < 8) {
            break;
        }
    }
    return count;
}

static constexpr double exactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// With at most 53 bits of digits and 22 decimals the double quotient is correctly
// rounded; rounding it on to float gives what a single rounding gives unless it lies
// exactly halfway between two floats, which is left to from_chars, as are exponents
// and longer numbers.
bool readPlainDecimal(const char*& p, float& value) {
    const char* q = p;
    const bool negative = *q == '-';
    q += negative;
    std::uint64_t mantissa = 0;
    int digits = readDigits(q, mantissa);
    int decimals = 0;
    if (*q == '.') {
        ++q;
        decimals = readDigits(q, mantissa);
        digits += decimals;
    }
    if (digits == 0 || digits > 19 || decimals > 22 || mantissa > (std::uint64_t{1} << 53) ||
        *q == 'e' || *q == 'E') {
        return false;
    }
    const double quotient = static_cast<double>(mantissa) / exactPowers[decimals];
    if ((std::bit_cast<std::uint64_t>(quotient) & kDroppedBits) == kHalfway) {
        return false;
    }
    value = static_cast<float>(negative ? -quotient : quotient);
    p = q;
    return true;
}

} // namespace

bool readAnyFloat(const char*& p, const char* end, float& value) {
    while (isBlank(*p)) {
        ++p;
    }
    bool ok = false;
    const char* start = numberStart(p, ok);
    if (!ok) {
        return false;
    }
    if (readPlainDecimal(start, value)) {
        p = start;
        return true;
    }
    auto [next, error] = std::from_chars(start, end, value);
    if (error == std::errc::result_out_of_range) {
        // Too small for a float reads as zero, as with streams; too large fails.
        double wide = 0.0;
        auto [wideNext, wideError] = std::from_chars(start, end, wide);
        if (wideError != std::errc{} || std::fabs(wide) >= 1.0) {
            return false;
        }
        value = static_cast<float>(wide);
        next = wideNext;
    } else if (error != std::errc{}) {
        return false;
    }
    p = next;
    return true;
}

bool readAnyIndex(const char*& p, const char* end, std::int32_t& value, bool& negative) {
    const char* digits = p + (*p == '-' || *p == '+');
    if (!isDigit(*digits)) {
        return false;
    }
    auto [next, error] = std::from_chars(p + (*p == '+'), end, value);
    if (error != std::errc{}) {
        return false;
    }
    negative |= value < 0;
    p = next;
    return true;
}

} // namespace obj
