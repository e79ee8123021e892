#pragma once

#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

#include <array>

#include <cstdint>
#include <memory>

class Mesh;

// One mesh on the GPU: its vertex buffer (positions, normals and texture coordinates
// as three blocks, 32 bytes a vertex), its index buffer and a vertex array object that
// reads them at the locations of VertexLayout.h. The per-instance attributes are
// switched on in the vertex array; the renderer points them into its instance stream
// before every draw.
//
// Every object made from the same mesh file draws from one GpuMesh (the shipped level
// builds dozens of crates and tiles from a handful of files): `shared` hands out the
// one already uploaded while any object still holds it.
class GpuMesh {
public:
    // Needs the GL context.
    explicit GpuMesh(const Mesh& mesh);
    ~GpuMesh();
    GpuMesh(const GpuMesh&) = delete;
    GpuMesh& operator=(const GpuMesh&) = delete;

    // The GpuMesh of the mesh's file, uploaded on first use. A mesh read anew from a
    // file that has changed since (other counts) gets a GpuMesh of its own.
    static std::shared_ptr<const GpuMesh> shared(const Mesh& mesh);

    std::uint32_t vertexArray = 0;
    std::uint32_t vertexBuffer = 0;
    std::uint32_t indexBuffer = 0;
    std::int32_t vertexCount = 0;
    std::int32_t indexCount = 0; // three a triangle
    // The mesh's bounding box (Mesh::boundingCorners) and a sphere around it, in the
    // mesh's own frame: what the renderer culls with.
    std::array<glm::vec4, 8> boundingCorners{};
    glm::vec3 boundsCentre{0.0f};
    float boundsRadius = 0.0f;
    // In the order the meshes were uploaded: the renderer groups draws by it.
    std::uint32_t id = 0;
};
