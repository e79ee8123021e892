#include "resources/Mesh.h"

#include "platform/Diagnostics.h"
#include "platform/InputFile.h"
#include "platform/ParallelJobs.h"
#include "resources/obj/ObjMeshBuilder.h"
#include "resources/obj/ObjPiece.h"
#include "resources/obj/ObjPieceReader.h"
#include "resources/obj/ObjText.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <thread>

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
// Every line read in place ends in '\n', which stops every loop of the readers, and is
// followed by at least obj::kPadding more bytes of the text, so the inner loops need no
// end checks and may load eight bytes at a time. The lines near the end of the text,
// and lines that a backslash joins, are read from a copy that has both.
//
// The steps live in resources/obj/: ObjText cuts the text, ObjPieceReader reads a piece
// (its numbers with ObjNumbers), ObjMeshBuilder joins the pieces into the mesh.

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point& start) {
    const Clock::time_point now = Clock::now();
    const double seconds = std::chrono::duration<double>(now - start).count();
    start = now;
    return seconds;
}

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
    const std::vector<std::string_view> cut = obj::cutText(text, pieceCount(text.size(), settings));
    std::vector<obj::Piece> pieces(cut.size());
    for (std::size_t i = 0; i < cut.size(); ++i) {
        pieces[i].text = cut[i];
    }
    steps.pieces = static_cast<int>(pieces.size());
    steps.split = secondsSince(start);

    const char* copied = obj::copiedFrom(text);
    platform::runParallel(pieces.size(),
                          [&](std::size_t i) { obj::PieceReader(pieces[i]).read(copied); });
    steps.parse = secondsSince(start);

    obj::MeshBuilder builder(*this, pieces);
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
