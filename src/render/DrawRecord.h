#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec4.hpp>

#include <cstdint>

class GpuMesh;
class PointBuffer;

// One object of the frame as the game hands it to the renderer: plain data, rebuilt
// every frame, with nothing the renderer has to ask the game about.
struct DrawRecord {
    // The mesh drawn in the depth and lit passes; none: the object draws no mesh.
    const GpuMesh* mesh = nullptr;
    std::uint32_t texture = 0;
    glm::mat4 model{1.0f};
    glm::vec4 ka{0.0f};
    glm::vec4 kd{0.0f};
    glm::vec4 ks{0.0f};

    // Neither in the depth pass nor in the lit pass.
    bool skipLitPasses = false;
    // Drawn by the water pass with `program`: its sprites, or else its mesh.
    bool drawInWaterPass = false;
    // Something behind it may show through (diffuse alpha or texels below 1):
    // blended, and drawn after every opaque object, back to front.
    bool seeThrough = true;
    // False for a volume whose own draw shows nothing: it only casts its shape into
    // the shadow maps, and is counted among the lit pass's objects all the same.
    bool meshVisible = true;

    // Sprites drawn instead of the mesh: water spray, the flame.
    PointBuffer* sprites = nullptr;
    int spriteCount = 0;
    bool spritesWriteDepth = true;
    // The program of the water and particle passes (the shadowed passes use their own).
    std::uint32_t program = 0;
};
