#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include <array>
#include <cstddef>
#include <cstdint>

class LocationCache;

// The flame's shadows: six depth maps, one for each axis direction around the light,
// drawn through one framebuffer with a projection a little wider than a quarter turn,
// and a copy of all six in the layers of one array texture that the lit pass reads.
// Software GL runs every branch of a shader, so a lit pass that picked one of six
// samplers per fragment would pay for reading all six; from one array it reads once.
// The matrices need no GL (setupMatrices); create makes the GL objects.
class ShadowMaps {
public:
    static constexpr std::size_t kFaces = 6;
    // Units 1 to 6 hold the six maps for the whole run; unit 0 is the entities'.
    static constexpr int kFirstMapUnit = 1;
    // The array of their copies comes after them.
    static constexpr int kArrayUnit = 7;

    // Light projection, face table and bias matrices.
    void setupMatrices();
    // The framebuffer, the six maps on their units and the array.
    void create();
    // Gives the GL objects back (create may follow again).
    void release();

    // One view per face, from the light's eye along the face direction.
    void aimLightViews(const glm::vec3& eye);
    // Light space of each face to shadow-map texture space: s and t in 0..1 across
    // the map, r the map's depth, all after the division by w.
    void updateTextureMatrices();

    // The depth pass, face by face, into the framebuffer: beginFace attaches the map,
    // clears it and sets the state it is drawn with; endFace ends that state.
    // endDepthPass copies every map into its layer, leaves the default framebuffer
    // bound and updates the texture matrices.
    void beginDepthPass() const;
    void beginFace(std::size_t face) const;
    void endFace(std::size_t face) const;
    void endDepthPass();

    // The maps bound on their units for the lit pass, and named in its program with
    // their texture matrices ("sm_0".."sm_5", "tm_0".."tm_5", "shadowMaps").
    void bindForLitPass(std::uint32_t program, LocationCache& locations) const;

    std::uint32_t framebuffer = 0;
    std::uint32_t copyFramebuffer = 0; // its depth: the layer a finished map is copied to
    std::array<std::uint32_t, kFaces> maps{};
    std::uint32_t mapArray = 0;
    std::int32_t width = 512;
    std::int32_t height = 512;
    glm::mat4 lightProjection{1.0f};
    std::array<glm::mat4, kFaces> lightViews;
    std::array<glm::mat4, kFaces> textureMatrices;
    std::array<glm::vec3, kFaces> faceDirections{};
    std::array<glm::vec3, kFaces> faceUps{};
    glm::mat4 biasTranslate{1.0f};
    glm::mat4 biasScale{1.0f};
};
