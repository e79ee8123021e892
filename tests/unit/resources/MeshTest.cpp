// OBJ loading: the arrays the renderer and the cooker read, and what happens to faces
// that cannot be drawn.
#include "resources/Mesh.h"
#include "../../support/RecordedMessages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

std::vector<std::uint32_t> triangle(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    return {a, b, c};
}

Mesh loadQuietly(std::string_view text, std::string* output = nullptr) {
    RecordedMessages heard;
    Mesh mesh = Mesh::fromText("test.obj", text);
    const std::string printed = heard.take();
    if (output) {
        *output = printed;
    }
    return mesh;
}

} // namespace

TEST(Mesh, CubeWithNormalsOnly) {
    const Mesh mesh("tests/data/obj/cube_normals.obj");
    EXPECT_EQ(mesh.vertexCount, 8);
    EXPECT_EQ(mesh.normalCount, 6);
    EXPECT_EQ(mesh.texCoordCount, 0);
    EXPECT_EQ(mesh.faceCount, 12);
    EXPECT_EQ(mesh.faceFormat, 2);
    ASSERT_EQ(mesh.indices.size(), 36u);
    ASSERT_EQ(mesh.faces.size(), 12u);
    EXPECT_EQ(mesh.faces[1], (std::vector<int>{1, 1, 3, 1, 2, 1}));
    EXPECT_EQ(std::vector<std::uint32_t>(mesh.indices.begin(), mesh.indices.begin() + 6),
              (std::vector<std::uint32_t>{0, 3, 2, 0, 2, 1}));
    EXPECT_EQ(mesh.cookingPositions, mesh.positions);
    EXPECT_EQ(mesh.positions[6], glm::vec3(1, 1, 1));

    // Every corner adds one unit normal of a face touching the vertex, whatever length
    // the file wrote it with. Two triangles per side means a vertex on a side's diagonal
    // counts that side twice, so each component is 1 or 2 and points outwards.
    float units = 0.0f;
    for (int v = 0; v < mesh.vertexCount; ++v) {
        for (int axis = 0; axis < 3; ++axis) {
            const float component = mesh.vertexNormals[v][axis];
            EXPECT_TRUE(component == mesh.positions[v][axis] ||
                        component == 2.0f * mesh.positions[v][axis])
                << "vertex " << v << " axis " << axis << ": " << component;
            units += std::fabs(component);
        }
        EXPECT_EQ(mesh.vertexTexCoords[v], glm::vec2(0.0f));
        EXPECT_EQ(mesh.texCoordSet[v], 0);
    }
    EXPECT_EQ(units, 36.0f);
    EXPECT_EQ(mesh.vertexNormals[0], glm::vec3(-2, -2, -2)); // on all three diagonals
    EXPECT_EQ(mesh.vertexNormals[1], glm::vec3(2, -1, -1));
}

TEST(Mesh, TexturedCubeTakesTheFirstCornersCoordinates) {
    const Mesh mesh("tests/data/obj/cube_textured.obj");
    EXPECT_EQ(mesh.faceFormat, 1);
    EXPECT_EQ(mesh.faceCount, 12);
    ASSERT_EQ(mesh.texCoordCount, 9);
    EXPECT_EQ(mesh.fileTexCoords[7], glm::vec2(0.8f, 0.2f)); // a third number is ignored
    for (int v = 0; v < mesh.vertexCount; ++v) {
        EXPECT_EQ(mesh.vertexTexCoords[v], mesh.fileTexCoords[v]) << "vertex " << v;
        EXPECT_EQ(mesh.texCoordSet[v], 1);
    }
    EXPECT_EQ(mesh.vertexNormals[7], glm::vec3(-2, 1, 1));
}

TEST(Mesh, BoundsAlwaysHoldTheOriginInCornerOrder) {
    const Mesh mesh = loadQuietly("v 2 -3 6\nv 5 -1 -4\nv 3 -2 1\n");
    const float minX = 0, maxX = 5, minY = -3, maxY = 0, minZ = -4, maxZ = 6;
    const std::array<glm::vec4, 8> expected = {
        glm::vec4(minX, minY, maxZ, 1), glm::vec4(maxX, minY, maxZ, 1),
        glm::vec4(minX, maxY, maxZ, 1), glm::vec4(maxX, maxY, maxZ, 1),
        glm::vec4(maxX, maxY, minZ, 1), glm::vec4(maxX, minY, minZ, 1),
        glm::vec4(minX, maxY, minZ, 1), glm::vec4(minX, minY, minZ, 1)};
    EXPECT_EQ(mesh.boundingCorners, expected);
    // The sphere through the box's corners: centre (2.5, -1.5, 1), half of sqrt(134) across.
    EXPECT_EQ(mesh.boundsCentre, glm::vec3(2.5f, -1.5f, 1.0f));
    EXPECT_NEAR(mesh.boundsRadius, 0.5f * std::sqrt(134.0f), 1e-5f);
}

TEST(Mesh, PolygonsBecomeFansAndRelativeIndicesCountBackFromTheLineItself) {
    // CRLF line ends, a quad, a pentagon, and relative indices before and after more
    // positions were read.
    std::string output;
    const Mesh mesh = loadQuietly("v 0 0 0\r\nv 1 0 0\r\nv 1 1 0\r\nv 0 1 0\r\nv 0 2 0\r\n"
                                  "vn 0 0 1\r\n"
                                  "f 1//1 2//1 3//1 4//1\r\n"
                                  "f 1//1 2//1 3//1 4//1 5//1\r\n"
                                  "f -5//-1 -4//-1 -3//1\r\n"
                                  "v 5 5 5\nv 6 6 6\n"
                                  "f -1//1 -2//1 +1//1\n",
                                  &output);
    EXPECT_EQ(output, "");
    EXPECT_EQ(mesh.vertexCount, 7);
    EXPECT_EQ(mesh.faceCount, 7);
    std::vector<std::uint32_t> expected;
    for (const auto& t :
         {triangle(0, 1, 2), triangle(0, 2, 3), triangle(0, 1, 2), triangle(0, 2, 3),
          triangle(0, 3, 4), triangle(0, 1, 2), triangle(6, 5, 0)}) {
        expected.insert(expected.end(), t.begin(), t.end());
    }
    EXPECT_EQ(mesh.indices, expected);
    EXPECT_EQ(mesh.faces.back(), (std::vector<int>{7, 1, 6, 1, 1, 1}));
    EXPECT_EQ(mesh.vertexNormals[0], glm::vec3(0, 0, 7));
}

TEST(Mesh, FormatComesFromTheFirstFaceLine) {
    // A later v/vt/vn line in a v//vn file is read as v vn pairs: its first six numbers.
    const Mesh pairs = loadQuietly("v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 1 0 0\nvn 0 1 0\nvn 0 0 1\n"
                                   "f 1//1 2//1 3//1\nf 1/2/3 3/2/1 2/1/1\n");
    EXPECT_EQ(pairs.faceFormat, 2);
    ASSERT_EQ(pairs.faceCount, 2);
    EXPECT_EQ(pairs.faces[1], (std::vector<int>{1, 2, 3, 3, 2, 1}));
    EXPECT_EQ(pairs.vertexNormals[2], glm::vec3(1, 0, 1));

    // Missing numbers on v, vt and vn lines stay zero.
    const Mesh sparse = loadQuietly("v 1 2\nvt 0.5\nvn\nf 1/1/1 1/1/1 1/1/1\n");
    EXPECT_EQ(sparse.faceFormat, 1);
    EXPECT_EQ(sparse.positions[0], glm::vec3(1, 2, 0));
    EXPECT_EQ(sparse.fileTexCoords[0], glm::vec2(0.5f, 0));
    EXPECT_EQ(sparse.vertexTexCoords[0], glm::vec2(0.5f, 0));
}

TEST(Mesh, BadFacesAreSkippedWithOneMessage) {
    std::string output;
    const Mesh mesh = loadQuietly("v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\n"
                                  "f 1//1 2//1 3//1\n"
                                  "\n"
                                  "f 0//1 2//1 3//1\n"      // line 7: zero
                                  "f 1//1 2//1 4//1\n"      // past the end
                                  "f -4//1 2//1 3//1\n"     // before the first
                                  "f 1//1 2//1 3//2\n"      // normal out of range
                                  "f 1//1 2//1\n"           // too few corners
                                  "f 1//1 2//1 3//x\n"      // the broken number ends the line
                                  "f 1//1 2//1 3//1 4//1\n" // one bad corner drops the polygon
                                  "f\nfoo\n"
                                  "f 3//1 2//1 1//1\n",
                                  &output);
    EXPECT_EQ(output, "test.obj:7: face skipped (index 0 out of range); 9 faces skipped in all\n");
    EXPECT_EQ(mesh.faceCount, 2);
    EXPECT_EQ(mesh.indices, (std::vector<std::uint32_t>{0, 1, 2, 2, 1, 0}));

    // Without texture indices a v/vt/vn file cannot use its faces.
    const Mesh bare = loadQuietly("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", &output);
    EXPECT_EQ(bare.faceCount, 0);
    EXPECT_EQ(output, "test.obj:4: face skipped (too few numbers for a triangle); "
                      "1 face skipped in all\n");
}

TEST(Mesh, ZeroLengthNormalsAddNothing) {
    const Mesh mesh = loadQuietly("v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 0\nvn 0 0 4\n"
                                  "f 1//1 2//1 3//1\nf 1//2 2//1 3//2\n");
    EXPECT_EQ(mesh.vertexNormals[0], glm::vec3(0, 0, 1));
    EXPECT_EQ(mesh.vertexNormals[1], glm::vec3(0, 0, 0));
    EXPECT_EQ(mesh.vertexNormals[2], glm::vec3(0, 0, 1));
}

TEST(Mesh, UnreadableFilesGiveAnEmptyMeshAndTwoMessages) {
    for (const std::string name : {"tests/data/obj/no_such.obj", "tests/data/obj"}) {
        RecordedMessages heard;
        const Mesh mesh(name);
        const std::string why =
            name.ends_with(".obj") ? "no such file or directory" : "a directory, not a file";
        EXPECT_EQ(heard.take(), "Unable to open file " + name + "\nUnable to open file " + name +
                                    "\n" + name + ": " + why + "\n");
        EXPECT_EQ(mesh.vertexCount + mesh.faceCount + mesh.normalCount + mesh.texCoordCount, 0);
        EXPECT_TRUE(mesh.positions.empty() && mesh.indices.empty());
        for (const glm::vec4& corner : mesh.boundingCorners) {
            EXPECT_EQ(corner, glm::vec4(0, 0, 0, 1));
        }
        EXPECT_EQ(mesh.fileName, name);
    }
}
