#include "resources/Mesh.h"

#include "platform/Diagnostics.h"
#include "platform/InputFile.h"
#include "platform/PageBuffer.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstring>
#include <exception>
#include <functional>
#include <limits>
#include <system_error>
#include <thread>
#include <utility>

// The renderer and the cooker read these arrays with a 12-byte (8-byte) stride.
static_assert(sizeof(glm::vec3) == 12 && sizeof(glm::vec2) == 8);

// How the text is read
// --------------------
// The text is cut into pieces at line ends, and each piece is read on a thread of its
// own into lists of its own, its face indices as written: what a positive one may point
// at and what a negative one counts back from depend on the pieces before. Once all are
// read, the totals are known; the threads then fill the mesh's arrays from the pieces'
// lists and check each piece's faces, and at last build the index list and the vertex
// sums, each thread for its share of the vertices and over all faces in file order. So
// every vertex adds its corners in the order a single reading would, and the mesh is
// exactly the one a single reading of the whole text gives.
//
// Every line read in place ends in '\n', which stops every loop below, and is followed
// by at least kPadding more bytes of the text, so the inner loops need no end checks
// and may load eight bytes at a time. The lines near the end of the text, and lines
// that a backslash joins, are read from a copy that has both.

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point& start) {
    const Clock::time_point now = Clock::now();
    const double seconds = std::chrono::duration<double>(now - start).count();
    start = now;
    return seconds;
}

// Blanks separate the words of a line; '\n' ends it and is never one of them.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool isDigit(char c) {
    return static_cast<unsigned char>(c) - unsigned{'0'} < 10;
}

bool endsWord(char c) {
    return isBlank(c) || c == '\n';
}

// A backslash ending a line, before its "\n" or "\r\n", joins the next line to it.
// `newline` is the line's '\n' (or the end of the text); `begin` its first character.
bool continues(const char* begin, const char* newline) {
    std::size_t length = static_cast<std::size_t>(newline - begin);
    if (length > 0 && begin[length - 1] == '\r') {
        --length;
    }
    return length > 0 && begin[length - 1] == '\\';
}

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

// Digits are read eight at a time: the text always has eight more bytes after a line's
// '\n' (see kPadding), so a load never leaves the text. The first byte is the lowest.
static_assert(std::endian::native == std::endian::little);
std::uint64_t load8(const char* p) {
    std::uint64_t bytes = 0;
    std::memcpy(&bytes, p, sizeof bytes);
    return bytes;
}

// How many of the eight characters in `bytes` (first one lowest) are digits before the
// first one that is not, with the digits' values left in `values`. The carry of a byte
// above 0xF9 can only spoil the bytes after it, which are not counted.
int leadingDigits(std::uint64_t bytes, std::uint64_t& values) {
    values = bytes ^ 0x3030303030303030;
    const std::uint64_t notDigit = (values | (values + 0x0606060606060606)) & 0xF0F0F0F0F0F0F0F0;
    return notDigit ? std::countr_zero(notDigit) >> 3 : 8;
}

// The number written by the first `count` (1 to 8) digit values: moved to the top, the
// empty places below read as leading zeros, then pairs, quads and the eight combined.
std::uint32_t digitsValue(std::uint64_t values, int count) {
    values <<= 8 * (8 - count);
    values = (values * 2561) >> 8 & 0x00FF00FF00FF00FF;
    values = (values * 6553601) >> 16 & 0x0000FFFF0000FFFF;
    return static_cast<std::uint32_t>((values * 42949672960001) >> 32);
}

constexpr std::uint64_t powersOfTen[] = {1,         10,         100,         1000,
                                         10000,     100000,     1000000,     10000000,
                                         100000000, 1000000000, 10000000000, 100000000000};

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

// The 29 low bits of a double are the ones float drops: 1 followed by zeros is halfway
// between two floats, where rounding twice may differ from rounding once.
constexpr std::uint64_t kDroppedBits = 0x1FFFFFFF;
constexpr std::uint64_t kHalfway = 0x10000000;

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

// Every number the fast reader below leaves: a sign, blanks, long or odd numbers.
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

// A face index with a sign or more than seven digits (eight or more cannot overflow
// in from_chars' hands), or none at all.
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

const char* findNewline(const char* p, const char* end) {
    if (*p == '\n') {
        return p;
    }
    return static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
}

// What a corner holds besides its position.
constexpr std::uint8_t kTexCoord = 1;
constexpr std::uint8_t kNormal = 2;

int numbersPerCorner(std::uint8_t form) {
    return 1 + (form & kTexCoord) + (form >> 1);
}

enum class Fault : std::uint8_t { None, TooFewCorners, MixedForms, BadIndex };

// Faces of a piece on consecutive lines, alike in corner count and form. Their numbers
// follow one another in the piece's `numbers`, as many per corner as the form has. A
// face with a fault found while reading, which keeps no numbers, or with negative
// indices is a run of its own.
struct FaceRun {
    std::uint32_t line = 0; // of the first face; the piece's first line is 1
    std::uint32_t faces = 0;
    std::uint32_t corners = 0;
    std::uint8_t form = 0;
    Fault fault = Fault::None;
    bool relative = false; // what it counts back from is in the piece's `relativeCounts`
};

// How many positions, texture coordinates and normals had been read at some point.
struct ReadCounts {
    std::int32_t positions = 0;
    std::int32_t texCoords = 0;
    std::int32_t normals = 0;
};

// The faces of a piece that cannot be drawn: how many, and why the first cannot.
struct Skips {
    std::int64_t count = 0;
    std::uint32_t line = 0;
    Fault fault = Fault::None;
    std::int32_t index = 0; // the bad index, as written
};

struct Piece {
    std::string_view text;
    // Read from the text, indices as written. The vectors become the mesh's own when
    // one piece holds all of a kind, as when a file lists its vertices first.
    std::vector<glm::vec3> positions;
    std::vector<glm::vec2> texCoords;
    std::vector<glm::vec3> normals;
    platform::PageBuffer<std::int32_t> numbers;
    platform::PageBuffer<FaceRun> runs;
    std::vector<ReadCounts> relativeCounts;
    std::int64_t triangles = 0; // of the faces without a fault
    std::uint32_t lines = 0;
    // Found once all pieces are read.
    ReadCounts before; // what the pieces before it read
    std::int64_t linesBefore = 0;
    std::size_t firstIndex = 0; // where its triangles start in the index list
    std::size_t indexCount = 0;
    Skips skips;
};

// Cuts after a line end that no backslash continues, near equal parts of the text. The
// last piece takes the rest.
std::vector<std::string_view> cutText(std::string_view text, int pieces) {
    std::vector<std::string_view> cut;
    const char* begin = text.data();
    const std::size_t size = text.size();
    std::size_t start = 0;
    for (int i = 1; i < pieces; ++i) {
        std::size_t at = std::max(start, size / static_cast<std::size_t>(pieces) * i);
        std::size_t end = 0;
        while (at < size && end == 0) {
            const void* found = std::memchr(begin + at, '\n', size - at);
            if (!found) {
                break;
            }
            const char* newline = static_cast<const char*>(found);
            at = static_cast<std::size_t>(newline - begin) + 1;
            if (!continues(begin, newline)) {
                end = at;
            }
        }
        if (end == 0 || end >= size) {
            break;
        }
        cut.push_back(text.substr(start, end - start));
        start = end;
    }
    cut.push_back(text.substr(start));
    return cut;
}

// Runs job(i) for every i < count: the first on the calling thread, each other on a
// thread of its own, or here after the first when its thread cannot be started.
template <class Job> void runParallel(std::size_t count, const Job& job) {
    std::vector<std::exception_ptr> failures(count);
    const auto guarded = [&](std::size_t i) {
        try {
            job(i);
        } catch (...) {
            failures[i] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    std::vector<std::size_t> here{0};
    for (std::size_t i = 1; i < count; ++i) {
        try {
            threads.emplace_back(guarded, i);
        } catch (const std::system_error&) {
            here.push_back(i);
        }
    }
    for (const std::size_t i : here) {
        guarded(i);
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const std::exception_ptr& failure : failures) {
        if (failure) {
            std::rethrow_exception(failure);
        }
    }
}

// What the fast readers may look past a line's '\n': a load of eight bytes from its last
// digit.
constexpr std::size_t kPadding = 16;

// Where the lines start that are read from a padded copy: the last line start at least
// 64 bytes before the end of the text; the start itself when there is none.
const char* copiedFrom(std::string_view text) {
    const char* begin = text.data();
    if (text.size() <= 64) {
        return begin;
    }
    std::size_t at = text.size() - 64;
    while (const void* found = ::memrchr(begin, '\n', at)) {
        const char* newline = static_cast<const char*>(found);
        if (!continues(begin, newline)) {
            return newline + 1;
        }
        at = static_cast<std::size_t>(newline - begin);
    }
    return begin;
}

// Address space for a list that may grow big; pages are only taken as it is written.
template <class T> void reserveList(std::vector<T>& list, std::size_t n) {
    list.reserve(n);
    platform::preferLargePages(list.data(), n * sizeof(T));
}

// Runs every job once on `threads` threads, each taking the next job when it is free.
void runJobs(const std::vector<std::function<void()>>& jobs, std::size_t threads) {
    std::atomic<std::size_t> next{0};
    runParallel(std::min(threads, jobs.size()), [&](std::size_t) {
        for (std::size_t job = next++; job < jobs.size(); job = next++) {
            jobs[job]();
        }
    });
}

class PieceReader {
public:
    explicit PieceReader(Piece& piece) : piece(piece) {
        // Room for what a piece of grid-like data holds; the lists grow past it without
        // copying.
        const std::size_t bytes = piece.text.size();
        piece.numbers.reserve(bytes / 6 + 16);
        reserveList(piece.positions, bytes / 32 + 16);
        reserveList(piece.texCoords, bytes / 32 + 16);
        reserveList(piece.normals, bytes / 32 + 16);
    }

    // Lines starting from `copied` on (near the end of the text) are read from a copy
    // that has the padding after it.
    void read(const char* copied) {
        const char* begin = piece.text.data();
        const char* end = begin + piece.text.size();
        const char* inPlace = std::clamp(copied, begin, end);
        std::uint32_t line = 0;
        readLines(begin, inPlace, line);
        if (inPlace != end) {
            tail.assign(inPlace, end);
            if (tail.back() != '\n') {
                tail.push_back('\n');
            }
            const std::size_t size = tail.size();
            tail.append(kPadding, ' ');
            readLines(tail.data(), tail.data() + size, line);
        }
        piece.lines = line;
    }

private:
    // Every line in [p, end) ends in '\n'; `line` counts them.
    void readLines(const char* p, const char* end, std::uint32_t& line) {
        while (p < end) {
            ++line;
            const char* next = readLine(p, end, line);
            p = next ? next : readJoined(p, end, line);
        }
    }

    // Reads the line starting at `begin`; returns where the next one starts, or nullptr,
    // having stored nothing, when a backslash continues it.
    const char* readLine(const char* begin, const char* end, std::uint32_t line) {
        const char* p = begin;
        while (isBlank(*p)) {
            ++p;
        }
        if (p[0] == 'v') {
            if (endsWord(p[1])) {
                return readVector<3>(begin, p + 1, end, piece.positions);
            }
            if (p[1] == 't' && endsWord(p[2])) {
                return readVector<2>(begin, p + 2, end, piece.texCoords);
            }
            if (p[1] == 'n' && endsWord(p[2])) {
                return readVector<3>(begin, p + 2, end, piece.normals);
            }
        } else if (p[0] == 'f' && endsWord(p[1])) {
            return readFace(begin, p + 1, end, line);
        }
        // Comments and whatever the game does not draw: o, g, s, usemtl, mtllib, l, p,
        // vp, the free-form curve and surface statements, anything unknown.
        const char* newline = findNewline(p, end);
        return continues(begin, newline) ? nullptr : newline + 1;
    }

    // A line that a backslash continues: its lines are copied into one, each backslash
    // and line end becoming a blank, and read from there. `line` moves on past the lines
    // joined to the first. Returns the next start.
    const char* readJoined(const char* begin, const char* end, std::uint32_t& line) {
        const std::uint32_t first = line;
        joined.clear();
        const char* p = begin;
        for (;;) {
            const void* found = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
            const char* newline = found ? static_cast<const char*>(found) : end;
            const bool more = continues(p, newline);
            const char* stop = newline;
            if (more) {
                stop = newline[-1] == '\r' ? newline - 2 : newline - 1;
            }
            joined.append(p, stop);
            p = newline == end ? end : newline + 1;
            if (!more || p == end) {
                break;
            }
            joined.push_back(' ');
            ++line;
        }
        // The blank keeps a backslash the copy ends with from reading as one more join.
        joined.append(" \n");
        const std::size_t size = joined.size();
        joined.append(kPadding, ' ');
        readLine(joined.data(), joined.data() + size, first);
        return p;
    }

    // "v", "vt" and "vn": the numbers not there stay zero, the ones after are ignored.
    template <int N, class Vector>
    const char* readVector(const char* begin, const char* p, const char* end,
                           std::vector<Vector>& to) {
        float values[3] = {};
        if (readFloat(p, end, values[0]) && readFloat(p, end, values[1]) && N == 3) {
            readFloat(p, end, values[2]);
        }
        const char* newline = findNewline(p, end);
        if (continues(begin, newline)) {
            return nullptr;
        }
        Vector v;
        for (int i = 0; i < N; ++i) {
            v[i] = values[i];
        }
        to.push_back(v);
        return newline + 1;
    }

    // Corners are "v", "v/vt", "v//vn" or "v/vt/vn". A corner that is none of them, like
    // a broken number, ends the face where it stands, as a comment does.
    const char* readFace(const char* begin, const char* p, const char* end, std::uint32_t line) {
        platform::PageBuffer<std::int32_t>& numbers = piece.numbers;
        const std::size_t first = numbers.size();
        std::uint32_t corners = 0;
        std::uint8_t form = 0;
        bool mixed = false;
        bool relative = false;
        for (;; ++corners) {
            while (isBlank(*p)) {
                ++p;
            }
            std::int32_t v = 0;
            std::int32_t vt = 0;
            std::int32_t vn = 0;
            std::uint8_t cornerForm = 0;
            if (*p == '\n' || *p == '#' || !readIndex(p, end, v, relative)) {
                break;
            }
            if (*p == '/') {
                ++p;
                if (*p == '/') {
                    ++p;
                    if (!readIndex(p, end, vn, relative)) {
                        break;
                    }
                    cornerForm = kNormal;
                } else {
                    if (!readIndex(p, end, vt, relative)) {
                        break;
                    }
                    cornerForm = kTexCoord;
                    if (*p == '/') {
                        ++p;
                        if (!readIndex(p, end, vn, relative)) {
                            break;
                        }
                        cornerForm |= kNormal;
                    }
                }
            }
            if (!endsWord(*p) && *p != '#') {
                break;
            }
            if (corners == 0) {
                form = cornerForm;
            }
            mixed |= cornerForm != form;
            std::int32_t* stored = numbers.append(numbersPerCorner(cornerForm));
            *stored++ = v;
            if (cornerForm & kTexCoord) {
                *stored++ = vt;
            }
            if (cornerForm & kNormal) {
                *stored = vn;
            }
        }
        const char* newline = findNewline(p, end);
        if (continues(begin, newline)) {
            numbers.truncate(first);
            return nullptr;
        }
        const Fault fault =
            corners < 3 ? Fault::TooFewCorners : (mixed ? Fault::MixedForms : Fault::None);
        if (fault != Fault::None) {
            numbers.truncate(first);
            piece.runs.push_back({line, 1, 0, 0, fault, false});
            return newline + 1;
        }
        piece.triangles += corners - 2;
        if (relative) {
            piece.relativeCounts.push_back({static_cast<std::int32_t>(piece.positions.size()),
                                            static_cast<std::int32_t>(piece.texCoords.size()),
                                            static_cast<std::int32_t>(piece.normals.size())});
        }
        if (!relative && !piece.runs.empty()) {
            FaceRun& last = piece.runs.back();
            if (last.fault == Fault::None && !last.relative && last.corners == corners &&
                last.form == form && last.line + last.faces == line) {
                ++last.faces;
                return newline + 1;
            }
        }
        piece.runs.push_back({line, 1, corners, form, Fault::None, relative});
        return newline + 1;
    }

    Piece& piece;
    std::string joined;
    std::string tail;
};

// Unit length in double so that huge components do not overflow; a zero vector has no
// direction and stays zero, so adding it changes no sum.
glm::vec3 unitLength(const glm::dvec3& v) {
    const double length = std::sqrt(glm::dot(v, v));
    return length > 0.0 ? glm::vec3(v / length) : glm::vec3(0.0f);
}

const char* reasonFor(Fault fault) {
    switch (fault) {
    case Fault::TooFewCorners:
        return "too few numbers for a triangle";
    case Fault::MixedForms:
        return "corners written in different forms";
    default:
        return "";
    }
}

// The steps after reading, each over all pieces at once: the pieces' lists copied into
// the mesh and their faces checked against the totals, then the indices and the vertex
// sums, shared out by vertex so that each vertex still adds its corners in file order.
class MeshBuilder {
public:
    MeshBuilder(Mesh& mesh, std::vector<Piece>& pieces) : mesh(mesh), pieces(pieces) {}

    // The totals, and what comes before each piece; false when they do not fit.
    bool join() {
        std::int64_t positions = 0;
        std::int64_t texCoords = 0;
        std::int64_t normals = 0;
        std::int64_t lines = 0;
        constexpr std::int64_t limit = std::numeric_limits<std::int32_t>::max();
        for (Piece& piece : pieces) {
            piece.before = {static_cast<std::int32_t>(positions),
                            static_cast<std::int32_t>(texCoords),
                            static_cast<std::int32_t>(normals)};
            piece.linesBefore = lines;
            positions += static_cast<std::int64_t>(piece.positions.size());
            texCoords += static_cast<std::int64_t>(piece.texCoords.size());
            normals += static_cast<std::int64_t>(piece.normals.size());
            triangles += piece.triangles;
            lines += piece.lines;
            if (positions > limit || texCoords > limit || normals > limit || triangles > limit) {
                platform::DiagnosticLine() << mesh.fileName << ": too many elements for one mesh";
                return false;
            }
        }
        mesh.vertexCount = static_cast<std::int32_t>(positions);
        mesh.texCoordCount = static_cast<std::int32_t>(texCoords);
        mesh.normalCount = static_cast<std::int32_t>(normals);
        return true;
    }

    // Every array sized and filled from the pieces, and every face checked against the
    // totals, its indices made zero-based: jobs taken by the threads as they come free,
    // so that they also share the work of faulting the pages in. Then the first face
    // that cannot be drawn is reported.
    void fill() {
        std::vector<std::function<void()>> jobs;
        for (Piece& piece : pieces) {
            jobs.emplace_back([this, &piece] { checkFaces(piece); });
        }
        const auto vertices = static_cast<std::size_t>(mesh.vertexCount);
        jobs.emplace_back([this, vertices] {
            gather(mesh.positions, vertices, &Piece::positions);
            reserveFull(mesh.cookingPositions, vertices);
            mesh.cookingPositions.assign(mesh.positions.begin(), mesh.positions.end());
        });
        jobs.emplace_back([this] {
            const auto normals = static_cast<std::size_t>(mesh.normalCount);
            gather(mesh.fileNormals, normals, &Piece::normals);
            glm::vec3* units = unitNormals.append(normals);
            for (std::size_t i = 0; i < normals; ++i) {
                units[i] = unitLength(glm::dvec3(mesh.fileNormals[i]));
            }
        });
        jobs.emplace_back([this] {
            gather(mesh.fileTexCoords, static_cast<std::size_t>(mesh.texCoordCount),
                   &Piece::texCoords);
        });
        jobs.emplace_back([this, vertices] { sized(mesh.vertexNormals, vertices); });
        jobs.emplace_back([this, vertices] {
            sized(mesh.vertexTexCoords, vertices);
            sized(mesh.texCoordSet, vertices);
        });
        jobs.emplace_back([this] { sized(mesh.indices, 3 * static_cast<std::size_t>(triangles)); });
        runJobs(jobs, pieces.size());

        std::size_t indices = 0;
        std::int64_t skipped = 0;
        const Piece* firstSkip = nullptr;
        for (Piece& piece : pieces) {
            piece.firstIndex = indices;
            indices += piece.indexCount;
            skipped += piece.skips.count;
            if (!firstSkip && piece.skips.count > 0) {
                firstSkip = &piece;
            }
        }
        mesh.faceCount = static_cast<std::int32_t>(indices / 3);
        if (firstSkip) {
            const Skips& first = firstSkip->skips;
            const std::string reason =
                first.fault == Fault::BadIndex
                    ? "index " + std::to_string(first.index) + " out of range"
                    : reasonFor(first.fault);
            platform::DiagnosticLine()
                << mesh.fileName << ':' << firstSkip->linesBefore + first.line << ": face skipped ("
                << reason << "); " << skipped << (skipped == 1 ? " face" : " faces")
                << " skipped in all";
        }
    }

    // Indices and vertex attributes; thread t writes the indices of every t-th piece and
    // sums the corners of the t-th share of the vertices.
    void build() {
        runParallel(pieces.size(), [&](std::size_t part) { buildPart(part, pieces.size()); });
        mesh.indices.resize(3 * static_cast<std::size_t>(mesh.faceCount));
    }

private:
    // Room for exactly `n`, in large pages where it can have them, taken at once.
    template <class Array> static void reserveFull(Array& array, std::size_t n) {
        array.reserve(n);
        platform::preferLargePages(array.data(), n * sizeof(array[0]));
        platform::prefaultPages(array.data(), n * sizeof(array[0]));
    }

    template <class Array> static void sized(Array& array, std::size_t n) {
        reserveFull(array, n);
        array.resize(n);
    }

    // The pieces' lists of one kind, one after another: taken over when they all come
    // from one piece.
    template <class Array> void gather(Array& array, std::size_t n, Array Piece::*list) {
        const auto filled = std::count_if(pieces.begin(), pieces.end(), [&](const Piece& piece) {
            return !(piece.*list).empty();
        });
        if (filled == 1) {
            for (Piece& piece : pieces) {
                if (!(piece.*list).empty()) {
                    array = std::move(piece.*list);
                }
            }
            // The room reserved for reading is address space that a big mesh never
            // touches; a small one gives it back, at the cost of a small copy.
            if (array.size() * sizeof(array[0]) < (std::size_t{1} << 20)) {
                array.shrink_to_fit();
            }
            return;
        }
        reserveFull(array, n);
        for (const Piece& piece : pieces) {
            array.insert(array.end(), (piece.*list).begin(), (piece.*list).end());
        }
    }

    void checkFaces(Piece& piece) {
        std::int32_t* numbers = piece.numbers.data();
        const ReadCounts* counts = piece.relativeCounts.data();
        for (std::size_t r = 0; r < piece.runs.size(); ++r) {
            const FaceRun& run = piece.runs[r];
            if (run.fault != Fault::None) {
                skip(piece.skips, run.line, run.fault, 0);
                continue;
            }
            const std::size_t perFace = numbersPerCorner(run.form) * std::size_t{run.corners};
            for (std::uint32_t f = 0; f < run.faces; ++f, numbers += perFace) {
                const std::int32_t* bad = run.relative
                                              ? resolve(numbers, run, *counts++, piece.before)
                                              : resolve(numbers, run);
                if (bad) {
                    skip(piece.skips, run.line + f, Fault::BadIndex, *bad);
                    numbers[0] = -1; // tells the build to pass over it
                    continue;
                }
                piece.indexCount += 3 * (std::size_t{run.corners} - 2);
            }
        }
    }

    static void skip(Skips& skips, std::uint32_t line, Fault fault, std::int32_t index) {
        if (skips.count++ == 0) {
            skips.line = line;
            skips.fault = fault;
            skips.index = index;
        }
    }

    // Makes the one-based indices of a face zero-based; returns the first that points
    // at nothing, still as written, or nullptr. They are checked corner by corner, v
    // before vt before vn.
    const std::int32_t* resolve(std::int32_t* number, const FaceRun& run) const {
        const std::uint32_t totals[3] = {static_cast<std::uint32_t>(mesh.vertexCount),
                                         static_cast<std::uint32_t>(mesh.texCoordCount),
                                         static_cast<std::uint32_t>(mesh.normalCount)};
        for (std::uint32_t c = 0; c < run.corners; ++c) {
            for (int slot = 0; slot < 3; ++slot) {
                if (slot > 0 && !(run.form & slot)) {
                    continue;
                }
                // Zero and negative numbers wrap around to far beyond any total.
                const std::uint32_t zeroBased = static_cast<std::uint32_t>(*number) - 1;
                if (zeroBased >= totals[slot]) {
                    return number;
                }
                *number++ = static_cast<std::int32_t>(zeroBased);
            }
        }
        return nullptr;
    }

    // The same for a face with negative indices, which count back from the last entry
    // read before the face: `inPiece` of its own piece after `before` of the ones before.
    const std::int32_t* resolve(std::int32_t* number, const FaceRun& run, const ReadCounts& inPiece,
                                const ReadCounts& before) const {
        const std::int64_t totals[3] = {mesh.vertexCount, mesh.texCoordCount, mesh.normalCount};
        const std::int64_t read[3] = {std::int64_t{before.positions} + inPiece.positions,
                                      std::int64_t{before.texCoords} + inPiece.texCoords,
                                      std::int64_t{before.normals} + inPiece.normals};
        for (std::uint32_t c = 0; c < run.corners; ++c) {
            for (int slot = 0; slot < 3; ++slot) {
                if (slot > 0 && !(run.form & slot)) {
                    continue;
                }
                const std::int64_t index = *number;
                const std::int64_t oneBased = index < 0 ? read[slot] + index + 1 : index;
                if (oneBased < 1 || oneBased > totals[slot]) {
                    return number;
                }
                *number++ = static_cast<std::int32_t>(oneBased - 1);
            }
        }
        return nullptr;
    }

    void buildPart(std::size_t part, std::size_t parts) {
        const auto vertices = static_cast<std::uint64_t>(mesh.vertexCount);
        const auto first = static_cast<std::uint32_t>(vertices * part / parts);
        const auto span = static_cast<std::uint32_t>(vertices * (part + 1) / parts - first);
        Corners corners{first,
                        span,
                        mesh.positions.data(),
                        unitNormals.data(),
                        mesh.fileTexCoords.data(),
                        mesh.vertexNormals.data(),
                        mesh.vertexTexCoords.data(),
                        mesh.texCoordSet.data()};
        for (std::size_t p = 0; p < pieces.size(); ++p) {
            const Piece& piece = pieces[p];
            std::uint32_t* out =
                p % parts == part ? mesh.indices.data() + piece.firstIndex : nullptr;
            const std::int32_t* numbers = piece.numbers.data();
            for (std::size_t r = 0; r < piece.runs.size(); ++r) {
                const FaceRun& run = piece.runs[r];
                if (run.fault != Fault::None) {
                    continue;
                }
                const std::size_t stride = numbersPerCorner(run.form);
                const std::size_t perFace = stride * run.corners;
                for (std::uint32_t f = 0; f < run.faces; ++f, numbers += perFace) {
                    if (numbers[0] < 0) {
                        continue;
                    }
                    for (std::uint32_t i = 1; i + 1 < run.corners; ++i) {
                        const std::int32_t* b = numbers + i * stride;
                        corners.add(numbers, b, b + stride, run.form, out);
                        out = out ? out + 3 : nullptr;
                    }
                }
            }
        }
    }

    // What one thread adds a triangle's corners to: the vertices first .. first + span - 1.
    struct Corners {
        std::uint32_t first;
        std::uint32_t span;
        const glm::vec3* positions;
        const glm::vec3* unitNormals;
        const glm::vec2* fileTexCoords;
        glm::vec3* normalSums;
        glm::vec2* texCoords;
        std::uint8_t* texCoordSet;

        // Each corner adds a unit normal to its vertex, and the first texture coordinate
        // a vertex meets is the one it keeps.
        void add(const std::int32_t* a, const std::int32_t* b, const std::int32_t* c,
                 std::uint8_t form, std::uint32_t* out) const {
            const std::int32_t* corner[3] = {a, b, c};
            const std::uint32_t vertex[3] = {static_cast<std::uint32_t>(a[0]),
                                             static_cast<std::uint32_t>(b[0]),
                                             static_cast<std::uint32_t>(c[0])};
            if (out) {
                out[0] = vertex[0];
                out[1] = vertex[1];
                out[2] = vertex[2];
            }
            const bool mine[3] = {vertex[0] - first < span, vertex[1] - first < span,
                                  vertex[2] - first < span};
            if (!(mine[0] || mine[1] || mine[2])) {
                return;
            }
            if (form & kNormal) {
                const int slot = form & kTexCoord ? 2 : 1;
                for (int k = 0; k < 3; ++k) {
                    if (mine[k]) {
                        normalSums[vertex[k]] += unitNormals[corner[k][slot]];
                    }
                }
            } else {
                // A face without normals lends its triangles their own.
                const glm::dvec3 p0(positions[vertex[0]]);
                const glm::vec3 normal = unitLength(glm::cross(
                    glm::dvec3(positions[vertex[1]]) - p0, glm::dvec3(positions[vertex[2]]) - p0));
                for (int k = 0; k < 3; ++k) {
                    if (mine[k]) {
                        normalSums[vertex[k]] += normal;
                    }
                }
            }
            if (form & kTexCoord) {
                for (int k = 0; k < 3; ++k) {
                    if (mine[k] && texCoordSet[vertex[k]] == 0) {
                        texCoords[vertex[k]] = fileTexCoords[corner[k][1]];
                        texCoordSet[vertex[k]] = 1;
                    }
                }
            }
        }
    };

    Mesh& mesh;
    std::vector<Piece>& pieces;
    std::int64_t triangles = 0;
    platform::PageBuffer<glm::vec3> unitNormals;
};

int pieceCount(std::size_t size, const ObjReadSettings& settings) {
    int pieces = settings.pieces;
    if (pieces <= 0) {
        pieces = static_cast<int>(std::min(std::thread::hardware_concurrency(), 16u));
    }
    const std::size_t fit = size / std::max<std::size_t>(settings.minPieceBytes, 1);
    return static_cast<int>(std::clamp<std::size_t>(fit, 1, static_cast<std::size_t>(pieces)));
}

} // namespace

Mesh::Mesh(const std::string& fileName, const ObjReadSettings& settings) : fileName(fileName) {
    Clock::time_point start = Clock::now();
    const platform::InputFile file(fileName);
    if (!file.isOpen()) {
        // Said twice for a mesh, as the game always has, then why.
        platform::DiagnosticLine() << "Unable to open file " << fileName;
        file.reportUnopenable(fileName);
    }
    const double open = secondsSince(start);
    load(file.text(), settings);
    if (settings.steps) {
        settings.steps->open = open;
    }
}

Mesh::Mesh(const std::string& name, std::string_view text, const ObjReadSettings& settings, Text)
    : fileName(name) {
    load(text, settings);
}

Mesh Mesh::fromText(const std::string& name, std::string_view text,
                    const ObjReadSettings& settings) {
    return Mesh(name, text, settings, Text{});
}

void Mesh::init() {
    vertexNormals.assign(vertexCount, glm::vec3(0.0f));
    vertexTexCoords.assign(vertexCount, glm::vec2(0.0f));
    texCoordSet.assign(vertexCount, 0);
}

void Mesh::load(std::string_view text, const ObjReadSettings& settings) {
    ObjReadSteps steps;
    Clock::time_point start = Clock::now();
    // Line numbers within a piece are kept in 32 bits; no asset comes near.
    if (text.size() >= std::numeric_limits<std::uint32_t>::max()) {
        platform::DiagnosticLine() << fileName << ": too many elements for one mesh";
        text = {};
    }
    const std::vector<std::string_view> cut = cutText(text, pieceCount(text.size(), settings));
    std::vector<Piece> pieces(cut.size());
    for (std::size_t i = 0; i < cut.size(); ++i) {
        pieces[i].text = cut[i];
    }
    steps.pieces = static_cast<int>(pieces.size());
    steps.split = secondsSince(start);

    const char* copied = copiedFrom(text);
    runParallel(pieces.size(), [&](std::size_t i) { PieceReader(pieces[i]).read(copied); });
    steps.parse = secondsSince(start);

    MeshBuilder builder(*this, pieces);
    if (builder.join()) {
        steps.join = secondsSince(start);
        builder.fill();
        steps.fill = secondsSince(start);
        builder.build();
        steps.attributes = secondsSince(start);
    }
    computeBounds();
    steps.bounds = secondsSince(start);
    if (settings.steps) {
        *settings.steps = steps;
    }
}

// The box starts at the origin, so it always contains it: culling treats a model's
// origin as part of the model.
void Mesh::computeBounds() {
    glm::vec3 low(0.0f);
    glm::vec3 high(0.0f);
    for (const glm::vec3& p : positions) {
        for (int axis = 0; axis < 3; ++axis) {
            if (p[axis] < low[axis]) {
                low[axis] = p[axis];
            }
            if (p[axis] > high[axis]) {
                high[axis] = p[axis];
            }
        }
    }
    boundingCorners = {
        glm::vec4(low.x, low.y, high.z, 1.0f),  glm::vec4(high.x, low.y, high.z, 1.0f),
        glm::vec4(low.x, high.y, high.z, 1.0f), glm::vec4(high.x, high.y, high.z, 1.0f),
        glm::vec4(high.x, high.y, low.z, 1.0f), glm::vec4(high.x, low.y, low.z, 1.0f),
        glm::vec4(low.x, high.y, low.z, 1.0f),  glm::vec4(low.x, low.y, low.z, 1.0f)};
    boundsCentre = 0.5f * (low + high);
    boundsRadius = 0.5f * glm::length(high - low);
}
