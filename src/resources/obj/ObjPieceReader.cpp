#include "resources/obj/ObjPieceReader.h"

#include "resources/obj/ObjNumbers.h"
#include "resources/obj/ObjText.h"

#include "platform/PageBuffer.h"

#include <algorithm>
#include <cstring>

namespace obj {

namespace {

// Address space for a list that may grow big; pages are only taken as it is written.
template <class T> void reserveList(std::vector<T>& list, std::size_t n) {
    list.reserve(n);
    platform::preferLargePages(list.data(), n * sizeof(T));
}

} // namespace

PieceReader::PieceReader(Piece& piece) : piece(piece) {
    // Room for what a piece of grid-like data holds; the lists grow past it without
    // copying.
    const std::size_t bytes = piece.text.size();
    piece.numbers.reserve(bytes / 6 + 16);
    reserveList(piece.positions, bytes / 32 + 16);
    reserveList(piece.texCoords, bytes / 32 + 16);
    reserveList(piece.normals, bytes / 32 + 16);
}

void PieceReader::read(const char* copied) {
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

void PieceReader::readLines(const char* p, const char* end, std::uint32_t& line) {
    while (p < end) {
        ++line;
        const char* next = readLine(p, end, line);
        p = next ? next : readJoined(p, end, line);
    }
}

const char* PieceReader::readLine(const char* begin, const char* end, std::uint32_t line) {
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

const char* PieceReader::readJoined(const char* begin, const char* end, std::uint32_t& line) {
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

template <int N, class Vector>
const char* PieceReader::readVector(const char* begin, const char* p, const char* end,
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

const char* PieceReader::readFace(const char* begin, const char* p, const char* end,
                                  std::uint32_t line) {
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

} // namespace obj
