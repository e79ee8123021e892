#include "resources/obj/ObjMeshBuilder.h"

#include "platform/Diagnostics.h"
#include "platform/ParallelJobs.h"
#include "resources/Mesh.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <utility>

namespace obj {

namespace {

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

} // namespace

// What one thread adds a triangle's corners to: the vertices first .. first + span - 1.
struct MeshBuilder::Corners {
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
    void add(const std::int32_t* a, const std::int32_t* b, const std::int32_t* c, std::uint8_t form,
             std::uint32_t* out) const {
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
            const glm::vec3 normal = unitLength(glm::cross(glm::dvec3(positions[vertex[1]]) - p0,
                                                           glm::dvec3(positions[vertex[2]]) - p0));
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

template <class Array> void MeshBuilder::reserveFull(Array& array, std::size_t n) {
    array.reserve(n);
    platform::preferLargePages(array.data(), n * sizeof(array[0]));
    platform::prefaultPages(array.data(), n * sizeof(array[0]));
}

template <class Array> void MeshBuilder::sized(Array& array, std::size_t n) {
    reserveFull(array, n);
    array.resize(n);
}

template <class Array> void MeshBuilder::gather(Array& array, std::size_t n, Array Piece::*list) {
    const auto filled = std::count_if(pieces.begin(), pieces.end(),
                                      [&](const Piece& piece) { return !(piece.*list).empty(); });
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

MeshBuilder::MeshBuilder(Mesh& mesh, std::vector<Piece>& pieces) : mesh(mesh), pieces(pieces) {}

bool MeshBuilder::join() {
    std::int64_t positions = 0;
    std::int64_t texCoords = 0;
    std::int64_t normals = 0;
    std::int64_t lines = 0;
    constexpr std::int64_t limit = std::numeric_limits<std::int32_t>::max();
    for (Piece& piece : pieces) {
        piece.before = {static_cast<std::int32_t>(positions), static_cast<std::int32_t>(texCoords),
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

void MeshBuilder::fill() {
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
        gather(mesh.fileTexCoords, static_cast<std::size_t>(mesh.texCoordCount), &Piece::texCoords);
    });
    jobs.emplace_back([this, vertices] { sized(mesh.vertexNormals, vertices); });
    jobs.emplace_back([this, vertices] {
        sized(mesh.vertexTexCoords, vertices);
        sized(mesh.texCoordSet, vertices);
    });
    jobs.emplace_back([this] { sized(mesh.indices, 3 * static_cast<std::size_t>(triangles)); });
    platform::runJobs(jobs, pieces.size());

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
        const std::string reason = first.fault == Fault::BadIndex
                                       ? "index " + std::to_string(first.index) + " out of range"
                                       : reasonFor(first.fault);
        platform::DiagnosticLine() << mesh.fileName << ':' << firstSkip->linesBefore + first.line
                                   << ": face skipped (" << reason << "); " << skipped
                                   << (skipped == 1 ? " face" : " faces") << " skipped in all";
    }
}

void MeshBuilder::build() {
    platform::runParallel(pieces.size(), [&](std::size_t part) { buildPart(part, pieces.size()); });
    mesh.indices.resize(3 * static_cast<std::size_t>(mesh.faceCount));
}

void MeshBuilder::checkFaces(Piece& piece) {
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
            const std::int32_t* bad = run.relative ? resolve(numbers, run, *counts++, piece.before)
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

void MeshBuilder::skip(Skips& skips, std::uint32_t line, Fault fault, std::int32_t index) {
    if (skips.count++ == 0) {
        skips.line = line;
        skips.fault = fault;
        skips.index = index;
    }
}

const std::int32_t* MeshBuilder::resolve(std::int32_t* number, const FaceRun& run) const {
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

const std::int32_t* MeshBuilder::resolve(std::int32_t* number, const FaceRun& run,
                                         const ReadCounts& inPiece,
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

void MeshBuilder::buildPart(std::size_t part, std::size_t parts) {
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
        std::uint32_t* out = p % parts == part ? mesh.indices.data() + piece.firstIndex : nullptr;
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

} // namespace obj
