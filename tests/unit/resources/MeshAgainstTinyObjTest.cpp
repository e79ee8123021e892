// Meshes written the way modelling tools write them, read by our loader and by
// tinyobjloader: the same vertices, texture coordinates and normals, and the triangle fans
// of the same faces.
#include "../../support/RecordedMessages.h"
#include "resources/Mesh.h"

#include <gtest/gtest.h>
#include <tiny_obj_loader.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// What tinyobjloader reads, its polygons left whole and fanned here as our loader fans
// them, so that the two index lists can be compared one for one.
struct Reference {
    std::vector<float> positions;
    std::vector<float> texCoords;
    std::vector<float> normals;
    std::vector<std::uint32_t> fans;
};

Reference readWithTinyObj(const std::string& text) {
    tinyobj::ObjReaderConfig config;
    config.triangulate = false;
    config.vertex_color = false;
    tinyobj::ObjReader reader;
    EXPECT_TRUE(reader.ParseFromString(text, "", config)) << reader.Error();
    Reference reference{
        reader.GetAttrib().vertices, reader.GetAttrib().texcoords, reader.GetAttrib().normals, {}};
    for (const tinyobj::shape_t& shape : reader.GetShapes()) {
        std::size_t first = 0;
        for (const unsigned int corners : shape.mesh.num_face_vertices) {
            for (unsigned int i = 1; i + 1 < corners; ++i) {
                for (const unsigned int corner : {0u, i, i + 1}) {
                    reference.fans.push_back(static_cast<std::uint32_t>(
                        shape.mesh.indices[first + corner].vertex_index));
                }
            }
            first += corners;
        }
    }
    return reference;
}

template <class Vector> std::vector<float> flat(const std::vector<Vector>& vectors) {
    std::vector<float> values;
    for (const Vector& v : vectors) {
        for (int i = 0; i < Vector::length(); ++i) {
            values.push_back(v[i]);
        }
    }
    return values;
}

void expectAgreement(const std::string& text) {
    RecordedMessages quiet;
    const Mesh ours = Mesh::fromText("tool.obj", text);
    EXPECT_EQ(quiet.take(), "");
    const Reference theirs = readWithTinyObj(text);
    EXPECT_EQ(flat(ours.positions), theirs.positions);
    EXPECT_EQ(flat(ours.fileTexCoords), theirs.texCoords);
    EXPECT_EQ(flat(ours.fileNormals), theirs.normals);
    EXPECT_EQ(ours.indices, theirs.fans);
    EXPECT_GT(ours.faceCount, 0);
    EXPECT_EQ(static_cast<std::size_t>(ours.faceCount), theirs.fans.size() / 3);
}

// A cube as a modelling tool exports it: header comments, a material library, an
// object, quads of v/vt/vn corners, smoothing off, a material switch half way.
const char* const kExportedCube = R"(# exported by a modelling tool
# www.example.org
mtllib cube.mtl
o Cube
v 1.000000 1.000000 -1.000000
v 1.000000 -1.000000 -1.000000
v 1.000000 1.000000 1.000000
v 1.000000 -1.000000 1.000000
v -1.000000 1.000000 -1.000000
v -1.000000 -1.000000 -1.000000
v -1.000000 1.000000 1.000000
v -1.000000 -1.000000 1.000000
vt 0.625000 0.500000
vt 0.875000 0.500000
vt 0.875000 0.750000
vt 0.625000 0.750000
vt 0.375000 0.750000
vt 0.625000 1.000000
vt 0.375000 1.000000
vn -0.0000 1.0000 -0.0000
vn -0.0000 -0.0000 1.0000
vn -1.0000 -0.0000 -0.0000
vn -0.0000 -1.0000 -0.0000
vn 1.0000 -0.0000 -0.0000
vn -0.0000 -0.0000 -1.0000
s 0
usemtl Material
f 1/1/1 5/2/1 7/3/1 3/4/1
f 4/5/2 3/4/2 7/6/2 8/7/2
f 8/5/3 7/4/3 5/6/3 6/7/3
usemtl Other
f 6/5/4 2/4/4 4/6/4 8/7/4
f 2/5/5 1/4/5 3/6/5 4/7/5
f 6/5/6 5/4/6 1/6/6 2/7/6
)";

} // namespace

TEST(MeshAgainstTinyObj, ToolExportsGiveTheSameArraysAndFans) {
    expectAgreement(kExportedCube);

    // Bare positions and polygons, as in the classic test models, with groups.
    expectAgreement("g body\n"
                    "v 0 0 0\nv 2 0 0\nv 3 1 0\nv 2 2 0\nv 0 2 0\nv -1 1 0\n"
                    "f 1 2 3 4 5 6\n"
                    "g lid\n"
                    "v 0 0 1\nv 1 0 1\nv 1 1 1\n"
                    "f 7 8 9\n");

    // Positions with vertex colours and normal-only corners, as scanned models are written.
    expectAgreement("v 0 0 0 0.5 0.1 0.9\nv 1 0 0 0.5 0.1 0.9\nv 1 1 0 0.2 0.2 0.2\n"
                    "v 0 1 0 1 1 1\n"
                    "vn 0 0 1\n"
                    "f 1//1 2//1 3//1\nf 1//1 3//1 4//1\n");

    // Texture coordinates without normals, a w on a position, a third number on a
    // coordinate, indented lines and Windows line ends.
    expectAgreement("v 0 0 0 1.0\r\nv 1 0 0 1.0\r\nv 1 1 0 1.0\r\nv 0 1 0 1.0\r\n"
                    "  vt 0 0 0\r\n  vt 1 0 0\r\n  vt 1 1 0\r\n  vt 0 1 0\r\n"
                    "\tf 1/1 2/2 3/3 4/4\r\n");

    // Negative indices that count back from each face's own line.
    expectAgreement("v 0 0 0\nv 1 0 0\nv 1 1 0\nf -3 -2 -1\n"
                    "v 0 0 1\nv 1 0 1\nv 1 1 1\nv 0 1 1\nf -4 -3 -2 -1\nf -7 -6 -5\n");
}

// Two objects in one file, the first with v//vn faces and the second with v/vt/vn ones:
// each face is read in its own form, so both objects keep their triangles.
TEST(MeshAgainstTinyObj, ObjectsWrittenInDifferentFormsKeepTheirOwnTriangles) {
    const std::string text = "o First\n"
                             "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n"
                             "vn 0 0 1\n"
                             "f 1//1 2//1 3//1\nf 1//1 3//1 4//1\n"
                             "o Second\n"
                             "v 5 0 0\nv 6 0 0\nv 6 1 0\nv 5 1 0\nv 5 0 1\n"
                             "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
                             "vn 0 0 -1\n"
                             "f 5/1/2 6/2/2 7/3/2\nf 5/1/2 7/3/2 8/4/2 9/1/2\n";
    expectAgreement(text);
    const Mesh mesh = Mesh::fromText("two.obj", text);
    ASSERT_EQ(mesh.faceCount, 5);
    // The second object's triangles use its own vertices, not numbers taken from its
    // texture coordinates.
    for (std::size_t i = 6; i < mesh.indices.size(); ++i) {
        EXPECT_GE(mesh.indices[i], 4u) << "index " << i;
    }
}

// Statements the game does not draw sit between the geometry without changing it.
TEST(MeshAgainstTinyObj, StatementsForOtherUsesChangeNothing) {
    expectAgreement("mtllib a.mtl\n"
                    "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n"
                    "vp 0.5 0.5\n"
                    "o Line\nl 1 2 3\np 4\n"
                    "g Face\ns 1\nusemtl Red\n"
                    "f 1 2 3 4\n"
                    "s off\n");
}
