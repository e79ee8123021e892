// OBJ loading: the arrays the renderer and the cooker read, and what happens to faces
// that cannot be drawn.
#include "resources/Mesh.h"
#include "../../support/RecordedMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    ASSERT_EQ(mesh.indices.size(), 36u);
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
    EXPECT_EQ(mesh.vertexNormals[0], glm::vec3(0, 0, 7));
}

TEST(Mesh, EachFaceIsReadInTheFormOfItsCorners) {
    // One triangle in each form; the last one is written clockwise with a file normal.
    std::string output;
    const Mesh mesh = loadQuietly("v 0 0 0\nv 2 0 0\nv 0 3 0\nv 0 0 5\n"
                                  "vt 0.25 0.5\nvt 0.75 0.5\n"
                                  "vn 0 0 2\n"
                                  "f 1 2 3\n"
                                  "f 1//1 2//1 3//1\n"
                                  "f 4/2 1/1 2/2\n"
                                  "f 3/1/1 2/2/1 1/1/1\n",
                                  &output);
    EXPECT_EQ(output, "");
    ASSERT_EQ(mesh.faceCount, 4);
    EXPECT_EQ(mesh.indices, (std::vector<std::uint32_t>{0, 1, 2, 0, 1, 2, 3, 0, 1, 2, 1, 0}));
    // "f 1 2 3" and "f 4/2 1/1 2/2" bring their triangles' own normals, (0, 0, 1) and
    // (0, -1, 0); the other two the file's (0, 0, 2), made unit.
    EXPECT_EQ(mesh.vertexNormals[0], glm::vec3(0, -1, 3));
    EXPECT_EQ(mesh.vertexNormals[1], glm::vec3(0, -1, 3));
    EXPECT_EQ(mesh.vertexNormals[2], glm::vec3(0, 0, 3));
    EXPECT_EQ(mesh.vertexNormals[3], glm::vec3(0, -1, 0));
    // Corners without a texture coordinate give none: vertex 3 (index 2) waits for the
    // last face, the first corner using it that has one.
    const std::vector<glm::vec2> firstUsed = {
        {0.25f, 0.5f}, {0.75f, 0.5f}, {0.25f, 0.5f}, {0.75f, 0.5f}};
    EXPECT_EQ(mesh.vertexTexCoords, firstUsed);
    EXPECT_EQ(mesh.texCoordSet, (std::vector<std::uint8_t>{1, 1, 1, 1}));

    // An object in v//vn followed by one in v/vt/vn: each keeps its own form.
    const Mesh objects = loadQuietly("o first\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\n"
                                     "f 1//1 2//1 3//1\n"
                                     "o second\nv 0 0 1\nv 1 0 1\nv 0 1 1\nvt 0.5 0.25\nvn 1 0 0\n"
                                     "f 4/1/2 5/1/2 6/1/2\n",
                                     &output);
    EXPECT_EQ(output, "");
    EXPECT_EQ(objects.indices, (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(objects.vertexNormals[2], glm::vec3(0, 0, 1));
    EXPECT_EQ(objects.vertexNormals[3], glm::vec3(1, 0, 0));
    EXPECT_EQ(objects.texCoordSet, (std::vector<std::uint8_t>{0, 0, 0, 1, 1, 1}));
    EXPECT_EQ(objects.vertexTexCoords[5], glm::vec2(0.5f, 0.25f));

    // Missing numbers on v, vt and vn lines stay zero.
    const Mesh sparse = loadQuietly("v 1 2\nvt 0.5\nvn\nf 1/1/1 1/1/1 1/1/1\n");
    EXPECT_EQ(sparse.positions[0], glm::vec3(1, 2, 0));
    EXPECT_EQ(sparse.fileTexCoords[0], glm::vec2(0.5f, 0));
    EXPECT_EQ(sparse.vertexTexCoords[0], glm::vec2(0.5f, 0));
}

TEST(Mesh, FacesWithoutNormalsAddTheirTrianglesOwn) {
    // A pentagon in the plane z = 0 becomes three triangles, each adding (0, 0, 1) to
    // its corners; then a slanted triangle, and a flat one that adds nothing.
    const Mesh mesh = loadQuietly("v 0 0 0\nv 2 0 0\nv 3 2 0\nv 1 3 0\nv -1 2 0\n"
                                  "f 1 2 3 4 5\n"
                                  "v 0 0 7\nv 1 0 7\nv 0 1 8\nf 6 7 8\n"
                                  "v 2 2 2\nv 3 3 3\nf 1 9 10\n");
    ASSERT_EQ(mesh.faceCount, 5);
    EXPECT_EQ(std::vector<std::uint32_t>(mesh.indices.begin(), mesh.indices.begin() + 9),
              (std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3, 0, 3, 4}));
    const std::vector<glm::vec3> fan = {{0, 0, 3}, {0, 0, 1}, {0, 0, 2}, {0, 0, 2}, {0, 0, 1}};
    EXPECT_EQ(std::vector<glm::vec3>(mesh.vertexNormals.begin(), mesh.vertexNormals.begin() + 5),
              fan);
    // (1, 0, 0) x (0, 1, 1) = (0, -1, 1): its unit length is added.
    const float half = std::sqrt(0.5f);
    for (int v : {6, 7}) {
        EXPECT_NEAR(mesh.vertexNormals[v].x, 0.0f, 1e-7f);
        EXPECT_NEAR(mesh.vertexNormals[v].y, -half, 1e-7f);
        EXPECT_NEAR(mesh.vertexNormals[v].z, half, 1e-7f);
    }
    EXPECT_NEAR(glm::length(mesh.vertexNormals[5]), 1.0f, 1e-6f);
    EXPECT_EQ(mesh.vertexNormals[8], glm::vec3(0.0f));
    EXPECT_EQ(mesh.vertexNormals[9], glm::vec3(0.0f));
}

TEST(Mesh, LinesTheGameDoesNotDrawArePassedOver) {
    std::string output;
    const Mesh mesh = loadQuietly("mtllib crate.mtl\r\no crate\r\ng side top\ns 1\nusemtl wood\n"
                                  "v 0 0 0 1\n"              // w
                                  "v 1 0 0 0.5 0.25 0.125\n" // a colour
                                  "  v 0 1 0\n"
                                  "\tvt 0.5 0.75\n"
                                  "vp 0.1 0.2\nl 1 2\np 1\n"
                                  "cstype bspline\ndeg 3\ncurv 0 1 1 2\ncurv2 1 2\n"
                                  "surf 0 1 0 1 1 2\nparm u 0 1\ntrim 0 1 1\nhole 0 1 1\nend\n"
                                  "vertex 1 2 3\nfan 1 2 3\nvnormal 0 0 1\n"
                                  " \t f 1/1 2/1 3/1\n",
                                  &output);
    EXPECT_EQ(output, "");
    EXPECT_EQ(mesh.positions, (std::vector<glm::vec3>{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}));
    EXPECT_EQ(mesh.fileTexCoords, (std::vector<glm::vec2>{{0.5f, 0.75f}}));
    EXPECT_EQ(mesh.normalCount, 0);
    EXPECT_EQ(mesh.indices, (std::vector<std::uint32_t>{0, 1, 2}));
}

TEST(Mesh, CommentsAndJoinedLines) {
    // A comment may follow the data of any line.
    std::string output;
    const Mesh commented = loadQuietly("v 0 0 0 # origin\nv 1 0 0#x\nv 0 1 0\t# y\n"
                                       "vt 0.5 0.25 # uv\nvn 0 0 1 # up\n"
                                       "f 1/1/1 2/1/1 3/1/1 # tri\n"
                                       "f 1//1 2//1 3//1# tight\r\n"
                                       "f 3 2 1 #\n",
                                       &output);
    EXPECT_EQ(output, "");
    EXPECT_EQ(commented.positions[1], glm::vec3(1, 0, 0));
    EXPECT_EQ(commented.fileTexCoords[0], glm::vec2(0.5f, 0.25f));
    EXPECT_EQ(commented.indices, (std::vector<std::uint32_t>{0, 1, 2, 0, 1, 2, 2, 1, 0}));

    // A backslash ending a line joins the next one to it, in Unix or Windows line ends;
    // messages still name the line in the file where the joined line starts.
    const Mesh joined = loadQuietly("v 0 0 0\nv 1 0 0\nv 1 1 \\\n0\nv 0 1 0\n" // lines 1-5
                                    "f 1 2 \\\r\n 3 4\n"                       // 6-7
                                    "f 1 2 \\\n  \\\n  9\n"                    // 8-10
                                    "# a comment \\\nf 1 2 3\n"                // 11-12
                                    "f 1 2 \\\n3 \\",                          // 13-14
                                    &output);
    EXPECT_EQ(output, "test.obj:8: face skipped (index 9 out of range); 1 face skipped in all\n");
    EXPECT_EQ(joined.vertexCount, 4);
    EXPECT_EQ(joined.positions[2], glm::vec3(1, 1, 0));
    EXPECT_EQ(joined.indices, (std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3, 0, 1, 2}));
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
                                  "f 1//1 2/1/1 3//1\n"     // corners in different forms
                                  "f\nfoo\n"
                                  "f 3//1 2//1 1//1\n",
                                  &output);
    EXPECT_EQ(output, "test.obj:7: face skipped (index 0 out of range); 9 faces skipped in all\n");
    EXPECT_EQ(mesh.faceCount, 2);
    EXPECT_EQ(mesh.indices, (std::vector<std::uint32_t>{0, 1, 2, 2, 1, 0}));

    const Mesh mixed = loadQuietly("v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\n"
                                   "f 1 2/1 3\nf 1/1 2/1 3/1\nf 1/1 2/1 3/1/1\n",
                                   &output);
    EXPECT_EQ(output, "test.obj:5: face skipped (corners written in different forms); "
                      "2 faces skipped in all\n");
    EXPECT_EQ(mixed.indices, (std::vector<std::uint32_t>{0, 1, 2}));
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

namespace {

void expectSameMesh(const Mesh& a, const Mesh& b) {
    EXPECT_EQ(a.vertexCount, b.vertexCount);
    EXPECT_EQ(a.normalCount, b.normalCount);
    EXPECT_EQ(a.texCoordCount, b.texCoordCount);
    EXPECT_EQ(a.faceCount, b.faceCount);
    EXPECT_EQ(a.positions, b.positions);
    EXPECT_EQ(a.cookingPositions, b.cookingPositions);
    EXPECT_EQ(a.vertexNormals, b.vertexNormals);
    EXPECT_EQ(a.fileNormals, b.fileNormals);
    EXPECT_EQ(a.vertexTexCoords, b.vertexTexCoords);
    EXPECT_EQ(a.fileTexCoords, b.fileTexCoords);
    EXPECT_EQ(a.texCoordSet, b.texCoordSet);
    EXPECT_EQ(a.indices, b.indices);
    EXPECT_EQ(a.boundingCorners, b.boundingCorners);
}

// Vertices, texture coordinates and normals read between faces of every form, relative
// indices reaching back over many lines, faces pointing ahead, bad faces, joined lines,
// Windows line ends and a last line without one.
std::string everyKindOfLine() {
    std::string text = "# every kind of line\n";
    for (int k = 1; k <= 60; ++k) {
        const std::string n = std::to_string(k);
        text += "v " + n + " " + std::to_string(k % 7) + ".5 -" + std::to_string(k % 3) + "\n";
        text += "vt 0." + std::to_string(k % 10) + " 0.5\r\n";
        if (k % 4 == 1) {
            text += "vn 0 " + std::to_string(k % 3) + " 1\n";
        }
        if (k < 4) {
            continue;
        }
        text += "f -1/-1/-1 -2/-3/-1 -3/-2/-1\n";
        text += "f " + n + "//1 -3//-1 \\\n   -2//-1\n";
        text += "f " + std::to_string(k + 5) + "/" + n + " " + n + "/-1 1/-2 2/2\n";
        if (k % 5 == 0) {
            text += "f 1 2 " + std::to_string(k + 61) + "\n"; // beyond the last vertex
        }
        if (k % 7 == 0) {
            text += "g part" + n + "\r\nf 1 2//1 3\n"; // mixed forms
        }
        text += "f " + n + " 3 \\\r\n2 # joined and commented \\\nstill the comment\n";
    }
    return text + "f -1/-1 -2/-2 -3/-3";
}

} // namespace

TEST(Mesh, PiecesReadOnManyThreadsGiveWhatOneReadingGives) {
    const std::string text = everyKindOfLine();
    RecordedMessages heard;
    const Mesh serial = Mesh::fromText("test.obj", text, ObjReadSettings{1});
    const std::string serialOutput = heard.take();
    ASSERT_GT(serial.faceCount, 250);
    ASSERT_NE(serialOutput, "");
    EXPECT_EQ(std::count(serial.texCoordSet.begin(), serial.texCoordSet.end(), 1), 60);

    int cutMost = 0;
    for (int pieces = 2; pieces <= 64; pieces += 1 + pieces / 8) {
        SCOPED_TRACE("pieces " + std::to_string(pieces));
        ObjReadSteps steps;
        const Mesh parallel = Mesh::fromText("test.obj", text, ObjReadSettings{pieces, 1, &steps});
        EXPECT_EQ(heard.take(), serialOutput);
        expectSameMesh(parallel, serial);
        cutMost = std::max(cutMost, steps.pieces);
    }
    EXPECT_GT(cutMost, 32);
}
