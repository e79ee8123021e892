#include "StressLevel.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

// Four units apart: the widest thing in a cell (a crate, 2 wide) leaves a gap, so that the
// falling crates land on the floor and nothing starts out inside anything else.
constexpr float kSpacing = 4.0f;
constexpr int kColumns = 37;
// The first row, a little ahead of the Character at the origin.
constexpr float kFirstRowZ = -8.0f;

struct Kind {
    const char* mesh;
    const char* material;
    const char* texture;
    float restingY; // half the mesh's height: standing on the floor
};

// Meshes of data/obj with few triangles for the crates that move (each becomes a convex
// body) and a mix for the static rest, the barrel for a detailed mesh among them.
constexpr Kind kDynamicCrate{"obj/crate.obj", "obj/crate.mtl", "obj/crate_planks.png", 1.0f};
constexpr std::array<Kind, 4> kStaticKinds{{
    {"obj/crate.obj", "obj/crate.mtl", "obj/crate_planks.png", 1.0f},
    {"obj/pillar.obj", "obj/pillar.mtl", "obj/stone_bricks.png", 2.0f},
    {"obj/crate.obj", "obj/crate.mtl", "obj/stone_tiles.png", 1.0f},
    {"obj/barrel.obj", "obj/barrel.mtl", "obj/barrel_staves.png", 1.0f},
}};

void writeBlock(std::ostream& out, const char* physics, const Kind& kind, float x, float y, float z,
                const std::string& scale) {
    out << "#Box\n"
        << physics << "\n"
        << kind.mesh << "\n"
        << kind.material << "\n"
        << kind.texture << "\n"
        << " " << x << " " << y << " " << z << "\n"
        << "u\n"
        << scale << "\n"
        << "u\n";
}

} // namespace

std::string StressLevel::text() const {
    const int cells = std::max(entities - 1, 0);
    const int rows = (cells + kColumns - 1) / kColumns;
    const float depth = static_cast<float>(rows) * kSpacing;

    std::ostringstream out;
    out << "A generated level of " << entities << " entities, " << dynamic
        << " of them dynamic crates, in a grid of " << kColumns << " columns in front of\n"
        << "the Character: the floor, then the grid's cells row by row.\n";
    out << "#Character\nobj/character.obj\nobj/character.mtl\nobj/flame_sprite.png\n"
        << " 0 2 0\nu\nu\nu\n";

    // floor_large is 48 units square; scaled to reach a row beyond the grid on every side.
    const float floorCentreZ = kFirstRowZ - 0.5f * depth + kSpacing;
    std::ostringstream floorScale;
    floorScale << " " << (kColumns + 2) * kSpacing / 48.0f << " 0.02 "
               << (depth + 4.0f * kSpacing) / 48.0f;
    writeBlock(out, "plane 0",
               {"obj/floor_large.obj", "obj/floor_large.mtl", "obj/stone_tiles.png", 0.0f}, 0.0f,
               0.0f, floorCentreZ, floorScale.str());

    // Cell i holds a moving crate when i * dynamic / cells steps up: exactly `dynamic` of
    // them, spread evenly over the grid.
    int statics = 0;
    for (int i = 0; i < cells; ++i) {
        const float x = static_cast<float>(i % kColumns - kColumns / 2) * kSpacing;
        const float z = kFirstRowZ - static_cast<float>(i / kColumns) * kSpacing;
        const long long step = static_cast<long long>(dynamic);
        const bool moving = (i + 1) * step / cells > i * step / cells;
        if (moving) {
            // A little above the floor: they drop, land and come to rest.
            writeBlock(out, "dynamic 1", kDynamicCrate, x, kDynamicCrate.restingY + 0.05f, z, "u");
        } else {
            const Kind& kind =
                kStaticKinds[static_cast<std::size_t>(statics++) % kStaticKinds.size()];
            writeBlock(out, "static 0", kind, x, kind.restingY, z, "u");
        }
    }
    out << "*lamp\n 0 10 -40\n 1 0.8 0.6 1\n 0.1 0.1 0.1 1\n 0.5 0.5 0.5 1\n";
    return out.str();
}

bool StressLevel::write(const std::filesystem::path& file) const {
    std::ofstream out(file, std::ios::binary);
    out << text();
    out.close();
    if (!out) {
        std::cout << "Unable to write the level file " << file.string() << std::endl;
        return false;
    }
    return true;
}
