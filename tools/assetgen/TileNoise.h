#pragma once

#include <cstdint>

#include <glm/glm.hpp>

// Noise that repeats exactly across the unit square, so textures built from it tile
// without seams under GL_REPEAT. Every lattice is whole-numbered per texture repeat and
// every random value comes from an integer hash of a fixed seed: the same seed always
// paints the same texture.
class TileNoise {
public:
    explicit TileNoise(std::uint32_t seed) : seed(seed) {}

    // Uniform in [0, 1) for a lattice point; `salt` picks an independent stream.
    float random(int x, int y, int salt) const;
    // Smooth value noise in [0, 1] with `period` cells across the texture in u and v.
    float value(glm::vec2 uv, glm::ivec2 period, int salt) const;
    float value(glm::vec2 uv, int period, int salt) const {
        return value(uv, {period, period}, salt);
    }
    // Octaves of value noise, each at twice the frequency and `gain` times the weight of
    // the last; normalised to [0, 1].
    float fractal(glm::vec2 uv, int period, int octaves, float gain, int salt) const;

    // Cellular noise: one jittered feature point per cell of a `period` x `period` grid.
    struct Cells {
        float nearest = 0.0f;      // distance to the nearest point, in cells
        float second = 0.0f;       // distance to the second nearest point, in cells
        glm::ivec2 cell{0};        // the nearest point's cell, wrapped into the grid
        glm::vec2 toNearest{0.0f}; // from the sample to the nearest point, in cells
    };
    Cells cells(glm::vec2 uv, int period, float jitter, int salt) const;

private:
    std::uint32_t seed;
};
