#include "resources/Mesh.h"

#include "platform/Diagnostics.h"
#include "platform/InputFile.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

// The renderer and the cooker read these arrays with a 12-byte (8-byte) stride.
static_assert(sizeof(glm::vec3) == 12 && sizeof(glm::vec2) == 8);

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The number readers behave like stream extraction: leading white space is skipped,
// a '+' is accepted, "inf" and "nan" are not numbers, and a failed read ends the line.
// `from_chars` itself takes neither the '+' nor the white space.
const char* numberStart(const char* p, const char* end, bool& ok) {
    const bool plus = p != end && *p == '+';
    const char* digits = plus ? p + 1 : p;
    if (!plus && digits != end && *digits == '-') {
        ++digits;
    }
    ok = digits != end && ((*digits >= '0' && *digits <= '9') || *digits == '.');
    return plus ? p + 1 : p;
}

// Plain decimals ("-12.345678") are nearly every number in an OBJ file, and the general
// conversion is several times slower. With at most 53 bits of digits and 22 decimals
// the double quotient is correctly rounded; rounding it on to float gives what a
// single rounding gives unless it lies exactly halfway between two floats, which is
// left to from_chars, as are exponents and longer numbers.
bool readPlainDecimal(const char*& p, const char* end, float& value) {
    constexpr double powersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const char* q = p;
    const bool negative = q != end && *q == '-';
    q += negative;
    std::uint64_t mantissa = 0;
    int digits = 0;
    int decimals = 0;
    for (bool fraction = false; q != end; ++q) {
        const unsigned digit = static_cast<unsigned char>(*q) - unsigned{'0'};
        if (digit < 10) {
            mantissa = mantissa * 10 + digit;
            ++digits;
            decimals += fraction;
        } else if (*q == '.' && !fraction) {
            fraction = true;
        } else {
            break;
        }
    }
    if (digits == 0 || digits > 19 || decimals > 22 || mantissa > (std::uint64_t{1} << 53) ||
        (q != end && (*q == 'e' || *q == 'E'))) {
        return false;
    }
    const double exact = static_cast<double>(mantissa) / powersOfTen[decimals];
    // The 29 low bits are the ones float drops: 1 followed by zeros is a tie.
    if ((std::bit_cast<std::uint64_t>(exact) & 0x1FFFFFFF) == 0x10000000) {
        return false;
    }
    value = static_cast<float>(negative ? -exact : exact);
    p = q;
    return true;
}

bool readFloat(const char*& p, const char* end, float& value) {
    while (p != end && isSpace(*p)) {
        ++p;
    }
    bool ok = false;
    const char* start = numberStart(p, end, ok);
    if (!ok) {
        return false;
    }
    if (readPlainDecimal(start, end, value)) {
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

// Face indices: the slashes count as white space, so "1//3" reads as 1 and 3.
bool readIndex(const char*& p, const char* end, int& value) {
    while (p != end && (isSpace(*p) || *p == '/')) {
        ++p;
    }
    bool ok = false;
    const char* start = numberStart(p, end, ok);
    if (!ok) {
        return false;
    }
    auto [next, error] = std::from_chars(start, end, value);
    if (error != std::errc{}) {
        return false;
    }
    p = next;
    return true;
}

// Reads up to `count` floats; the ones not read keep their value.
void readFloats(std::string_view text, float* values, int count) {
    const char* p = text.data();
    const char* end = p + text.size();
    for (int i = 0; i < count && readFloat(p, end, values[i]); ++i) {
    }
}

// Corners of a face line are its white-space separated words.
std::int64_t countCorners(std::string_view text) {
    std::int64_t corners = 0;
    bool inWord = false;
    for (const char c : text) {
        const bool space = isSpace(c);
        corners += !space && !inWord;
        inWord = !space;
    }
    return corners;
}

enum class LineKind { Other, Position, TexCoord, Normal, Face };

LineKind classify(std::string_view line) {
    if (line[0] == 'f') {
        return LineKind::Face;
    }
    if (line[0] != 'v' || line.size() < 2) {
        return LineKind::Other;
    }
    switch (line[1]) {
    case ' ':
        return LineKind::Position;
    case 't':
        return LineKind::TexCoord;
    case 'n':
        return LineKind::Normal;
    default:
        return LineKind::Other;
    }
}

// The numbers of a line start after its keyword: "v " and "f " take two characters,
// "vt " and "vn " three.
std::string_view numbersOf(std::string_view line, LineKind kind) {
    const std::size_t skip = kind == LineKind::TexCoord || kind == LineKind::Normal ? 3 : 2;
    return line.substr(std::min(skip, line.size()));
}

template <class Visit> void forEachLine(std::string_view text, Visit&& visit) {
    std::int64_t lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        const void* found = std::memchr(text.data() + start, '\n', text.size() - start);
        const std::size_t end =
            found ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data())
                  : text.size();
        ++lineNumber;
        if (end > start) {
            visit(text.substr(start, end - start), lineNumber);
        }
        start = end + 1;
    }
}

// The two passes over the text. The first counts exactly, so every array is allocated
// once; the second fills them, resolving relative indices against what has been read
// so far and dropping faces that cannot be drawn.
class ObjReader {
public:
    explicit ObjReader(Mesh& mesh) : mesh(mesh) {}

    bool countElements(std::string_view text) {
        std::int64_t positions = 0;
        std::int64_t texCoords = 0;
        std::int64_t normals = 0;
        forEachLine(text, [&](std::string_view line, std::int64_t) {
            switch (classify(line)) {
            case LineKind::Position:
                ++positions;
                break;
            case LineKind::TexCoord:
                ++texCoords;
                break;
            case LineKind::Normal:
                ++normals;
                break;
            case LineKind::Face:
                if (mesh.faceFormat == 0) {
                    const std::size_t slash = line.find('/');
                    const bool empty =
                        slash != line.npos && slash + 1 < line.size() && line[slash + 1] == '/';
                    mesh.faceFormat = empty ? 2 : 1;
                }
                triangleBound +=
                    std::max<std::int64_t>(countCorners(numbersOf(line, LineKind::Face)) - 2, 0);
                break;
            case LineKind::Other:
                break;
            }
        });
        constexpr std::int64_t limit = std::numeric_limits<std::int32_t>::max();
        if (positions > limit || texCoords > limit || normals > limit || triangleBound > limit) {
            platform::DiagnosticLine() << mesh.fileName << ": too many elements for one mesh";
            mesh.faceFormat = 0;
            return false;
        }
        mesh.vertexCount = static_cast<std::int32_t>(positions);
        mesh.texCoordCount = static_cast<std::int32_t>(texCoords);
        mesh.normalCount = static_cast<std::int32_t>(normals);
        return true;
    }

    void allocateArrays() {
        // Filled in file order by the second pass, which sees exactly the lines counted.
        mesh.positions.reserve(mesh.vertexCount);
        mesh.fileNormals.reserve(mesh.normalCount);
        mesh.fileTexCoords.reserve(mesh.texCoordCount);
        mesh.vertexNormals.reserve(mesh.vertexCount);
        mesh.vertexTexCoords.reserve(mesh.vertexCount);
        mesh.texCoordSet.reserve(mesh.vertexCount);
        // Exact for a file without bad faces; an upper bound otherwise.
        mesh.faces.reserve(triangleBound);
        mesh.indices.reserve(3 * triangleBound);
    }

    void parseElements(std::string_view text) {
        forEachLine(text, [&](std::string_view line, std::int64_t lineNumber) {
            const LineKind kind = classify(line);
            const std::string_view numbers = numbersOf(line, kind);
            float xyz[3] = {0.0f, 0.0f, 0.0f};
            switch (kind) {
            case LineKind::Position:
                readFloats(numbers, xyz, 3);
                mesh.positions.emplace_back(xyz[0], xyz[1], xyz[2]);
                ++positionsRead;
                break;
            case LineKind::TexCoord:
                readFloats(numbers, xyz, 2);
                mesh.fileTexCoords.emplace_back(xyz[0], xyz[1]);
                ++texCoordsRead;
                break;
            case LineKind::Normal:
                readFloats(numbers, xyz, 3);
                mesh.fileNormals.emplace_back(xyz[0], xyz[1], xyz[2]);
                ++normalsRead;
                break;
            case LineKind::Face:
                parseFace(numbers, lineNumber);
                break;
            case LineKind::Other:
                break;
            }
        });
        mesh.faceCount = static_cast<std::int32_t>(mesh.faces.size());
        if (skippedFaces > 0) {
            platform::DiagnosticLine()
                << mesh.fileName << ':' << firstSkippedLine << ": face skipped (" << firstSkipReason
                << "); " << skippedFaces << (skippedFaces == 1 ? " face" : " faces")
                << " skipped in all";
        }
    }

private:
    // Format 1 corners are v vt vn, format 2 corners v vn. The numbers are read as one
    // stream, so a v/vt/vn line in a v//vn file takes its first six numbers as three
    // v vn pairs; a polygon becomes the fan (0, i, i + 1).
    void parseFace(std::string_view text, std::int64_t lineNumber) {
        const int perCorner = mesh.faceFormat == 2 ? 2 : 3;
        const std::int64_t corners = countCorners(text);
        const std::size_t wanted = static_cast<std::size_t>(corners) * perCorner;
        numbers.clear();
        const char* p = text.data();
        const char* end = p + text.size();
        int value = 0;
        while (numbers.size() < wanted && readIndex(p, end, value)) {
            numbers.push_back(value);
        }
        const std::size_t usable = std::min<std::size_t>(corners, numbers.size() / perCorner);
        if (usable < 3) {
            skip(lineNumber, "too few numbers for a triangle");
            return;
        }
        for (std::size_t i = 0; i < usable * perCorner; ++i) {
            const int slot = static_cast<int>(i % perCorner);
            const bool isPosition = slot == 0;
            const bool isNormal = slot == perCorner - 1;
            const std::int32_t read =
                isPosition ? positionsRead : (isNormal ? normalsRead : texCoordsRead);
            const std::int32_t total =
                isPosition ? mesh.vertexCount : (isNormal ? mesh.normalCount : mesh.texCoordCount);
            const int resolved = resolveIndex(numbers[i], read, total);
            if (resolved == 0) {
                skip(lineNumber, "index " + std::to_string(numbers[i]) + " out of range");
                return;
            }
            numbers[i] = resolved;
        }
        for (std::size_t corner = 1; corner + 1 < usable; ++corner) {
            std::vector<int>& triangle = mesh.faces.emplace_back(3 * perCorner);
            const auto first = numbers.begin();
            std::copy_n(first, perCorner, triangle.begin());
            std::copy_n(first + corner * perCorner, 2 * perCorner, triangle.begin() + perCorner);
        }
    }

    // One-based index into a list of `total` entries, `read` of them read so far;
    // negative ones count back from the last read. 0 when out of range.
    static int resolveIndex(int index, std::int32_t read, std::int32_t total) {
        if (index > 0) {
            return index <= total ? index : 0;
        }
        const std::int64_t fromEnd = std::int64_t{read} + index + 1;
        return index < 0 && fromEnd >= 1 ? static_cast<int>(fromEnd) : 0;
    }

    void skip(std::int64_t lineNumber, std::string reason) {
        if (skippedFaces++ == 0) {
            firstSkippedLine = lineNumber;
            firstSkipReason = std::move(reason);
        }
    }

    Mesh& mesh;
    std::int64_t triangleBound = 0;
    std::int32_t positionsRead = 0;
    std::int32_t texCoordsRead = 0;
    std::int32_t normalsRead = 0;
    std::vector<int> numbers;
    std::int64_t skippedFaces = 0;
    std::int64_t firstSkippedLine = 0;
    std::string firstSkipReason;
};

} // namespace

Mesh::Mesh(const std::string& fileName) : fileName(fileName) {
    const platform::InputFile file(fileName);
    if (!file.isOpen()) {
        // Once for each of the two passes that cannot read it, then why.
        platform::DiagnosticLine() << "Unable to open file " << fileName;
        file.reportUnopenable(fileName);
    }
    load(file.text());
}

Mesh::Mesh(const std::string& name, std::string_view text, Text) : fileName(name) {
    load(text);
}

Mesh Mesh::fromText(const std::string& name, std::string_view text) {
    return Mesh(name, text, Text{});
}

void Mesh::init() {
    vertexNormals.assign(vertexCount, glm::vec3(0.0f));
    vertexTexCoords.assign(vertexCount, glm::vec2(0.0f));
    texCoordSet.assign(vertexCount, 0);
}

void Mesh::load(std::string_view text) {
    ObjReader reader(*this);
    if (reader.countElements(text)) {
        reader.allocateArrays();
        reader.parseElements(text);
    }
    init();
    buildVertexAttributes();
    cookingPositions = positions;
    computeBounds();
}

// Every face in `faces` was checked when it was read, so the indices are in range.
void Mesh::buildVertexAttributes() {
    const int perCorner = faceFormat == 2 ? 2 : 3;
    indices.resize(3 * faces.size());
    for (std::size_t face = 0; face < faces.size(); ++face) {
        const std::vector<int>& corners = faces[face];
        for (int c = 0; c < 3; ++c) {
            const int position = corners[c * perCorner] - 1;
            indices[3 * face + c] = static_cast<std::uint32_t>(position);

            // Unit length in double so that huge components do not overflow; a zero
            // normal has no direction to add.
            const glm::vec3& normal = fileNormals[corners[c * perCorner + perCorner - 1] - 1];
            const glm::dvec3 wide(normal);
            const double length = std::sqrt(glm::dot(wide, wide));
            if (length > 0.0) {
                vertexNormals[position] += glm::vec3(wide / length);
            }

            if (perCorner == 3 && texCoordSet[position] == 0) {
                vertexTexCoords[position] = fileTexCoords[corners[c * perCorner + 1] - 1];
                texCoordSet[position] = 1;
            }
        }
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
