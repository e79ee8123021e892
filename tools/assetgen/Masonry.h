#pragma once

#include <cstdint>
#include <vector>

#include <glm/glm.hpp>

#include "Image.h"

// The look of a laid surface: stones on a grid, optionally in running bond, in mortar.
struct MasonryStyle {
    int columns = 4;
    int rows = 4;
    // Sideways shift of every other row, as a fraction of a stone (0.5: running bond).
    float rowShift = 0.0f;
    float mortarPixels = 3.0f; // half the joint's width
    float bevelPixels = 7.0f;  // width of the rounded stone edge
    float wobble = 0.01f;      // how far joints stray from straight, in texture units
    glm::vec3 stone{0.55f};
    float toneVariation = 0.2f; // stone-to-stone brightness spread
    glm::vec3 tintVariation{0.03f, 0.015f, -0.02f};
    glm::vec3 mortar{0.3f};
    float grain = 0.35f; // strength of the stone's own mottling
    int grainPeriod = 16;
    float crackChance = 0.3f; // share of stones with a hairline crack
    std::uint32_t seed = 1;
};

struct MasonryPicture {
    Image image;
    // Per pixel (rows top first): 1 on stone, 0 in the joints, for later layers.
    std::vector<float> stoneMask;
};

class Masonry {
public:
    static MasonryPicture paint(int size, const MasonryStyle& style);
};
