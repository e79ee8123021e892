#pragma once

#include "render/LocationCache.h"

#include <glm/mat4x4.hpp>
#include <glm/vec4.hpp>

#include <cstdint>

// The GPU side of a particle system: one buffer of (x, y, z, w) points, rewritten
// every frame and drawn as GL points that the particle programs turn into sprites.
class PointBuffer {
public:
    explicit PointBuffer(int capacity) : capacity(capacity) {}
    ~PointBuffer();
    PointBuffer(const PointBuffer&) = delete;
    PointBuffer& operator=(const PointBuffer&) = delete;

    // Room for `capacity` points; needs the GL context.
    void create();
    // The first `count` points replace the buffer's start; count is cut to capacity.
    void upload(const glm::vec4* points, int count);
    // Draws `count` points with `program`, which the caller has made current, the
    // texture on unit 0 and the points placed by *model when there is one. Nothing
    // without a buffer: the attribute would point into client memory at address 0.
    void draw(std::uint32_t program, std::uint32_t texture, const glm::mat4* model, int count);
    // The same draw without writing depth, for see-through sprites; depth writes are
    // on again afterwards.
    void drawSeeThrough(std::uint32_t program, std::uint32_t texture, const glm::mat4* model,
                        int count);

    std::uint32_t name() const { return buffer; }

private:
    int capacity;
    std::uint32_t buffer = 0;
    LocationCache locations;
};
