// Checks the generated models, materials and textures in data/obj/ against what the
// game's loaders and renderer rely on: lit, textured triangles facing the way their
// normals point, three colours per material, and power-of-two images for mipmapping.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../../support/RecordedMessages.h"
#include "resources/Material.h"
#include "resources/Mesh.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> filesEndingIn(const std::string& extension) {
    std::vector<std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator("data/obj")) {
        if (entry.is_regular_file() && entry.path().extension() == extension) {
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

int faceLines(const std::string& file) {
    std::ifstream in(file);
    int count = 0;
    for (std::string line; std::getline(in, line);) {
        count += line.rfind("f ", 0) == 0;
    }
    return count;
}

std::uint32_t bigEndian(const unsigned char* bytes) {
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
           std::uint32_t{bytes[2]} << 8 | bytes[3];
}

bool isPowerOfTwo(std::uint32_t n) {
    return n > 0 && (n & (n - 1)) == 0;
}

TEST(AssetFiles, MeshesAreTexturedTrianglesFacingTheirNormals) {
    const std::vector<std::string> files = filesEndingIn(".obj");
    ASSERT_FALSE(files.empty());
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        RecordedMessages heard;
        const Mesh mesh(file);
        EXPECT_EQ(heard.take(), "");
        ASSERT_GT(mesh.faceCount, 0);
        // The loader splits polygons, so only all-triangle files keep one face per line.
        EXPECT_EQ(mesh.faceCount, faceLines(file));
        EXPECT_GT(mesh.texCoordCount, 0);
        for (int v = 0; v < mesh.vertexCount; ++v) {
            EXPECT_GT(glm::length(mesh.vertexNormals[v]), 1e-3f) << "vertex " << v;
            EXPECT_EQ(mesh.texCoordSet[v], 1) << "vertex " << v << " is in no face";
        }
        // Backface culling keeps the counter-clockwise side; it must be the lit side.
        for (int f = 0; f < mesh.faceCount; ++f) {
            const std::uint32_t* corner = &mesh.indices[3 * f];
            const glm::vec3 winding =
                glm::cross(mesh.positions[corner[1]] - mesh.positions[corner[0]],
                           mesh.positions[corner[2]] - mesh.positions[corner[0]]);
            const glm::vec3 normals = mesh.vertexNormals[corner[0]] +
                                      mesh.vertexNormals[corner[1]] + mesh.vertexNormals[corner[2]];
            EXPECT_GT(glm::dot(winding, normals), 0.0f) << "triangle " << f;
        }
        // Culling tests the bounding box; a flat one would vanish edge-on.
        for (int axis = 0; axis < 3; ++axis) {
            EXPECT_LT(mesh.boundingCorners[7][axis], mesh.boundingCorners[3][axis]);
        }
    }
}

TEST(AssetFiles, MaterialsSetAmbientDiffuseAndSpecular) {
    const std::vector<std::string> files = filesEndingIn(".mtl");
    ASSERT_FALSE(files.empty());
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        RecordedMessages heard;
        const Material material(file);
        EXPECT_EQ(heard.take(), "");
        // Alpha stays 0 until a colour line is read.
        EXPECT_EQ(material.ka.a, 1.0f);
        EXPECT_EQ(material.kd.a, 1.0f);
        EXPECT_EQ(material.ks.a, 1.0f);
        EXPECT_GT(material.kd.r + material.kd.g + material.kd.b, 1.5f) << "diffuse too dark";
    }
}

TEST(AssetFiles, TexturesArePngsWithPowerOfTwoSides) {
    const std::vector<std::string> files = filesEndingIn(".png");
    ASSERT_FALSE(files.empty());
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        unsigned char header[24] = {};
        std::ifstream in(file, std::ios::binary);
        ASSERT_TRUE(in.read(reinterpret_cast<char*>(header), sizeof header));
        EXPECT_EQ(std::string(reinterpret_cast<char*>(header), 8), "\x89PNG\r\n\x1a\n");
        EXPECT_EQ(std::string(reinterpret_cast<char*>(header) + 12, 4), "IHDR");
        const std::uint32_t width = bigEndian(header + 16), height = bigEndian(header + 20);
        EXPECT_TRUE(isPowerOfTwo(width) && isPowerOfTwo(height)) << width << " x " << height;
    }
}

} // namespace
