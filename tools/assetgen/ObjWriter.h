#pragma once

#include <string>

#include "MeshBuilder.h"

// Writes a mesh as the OBJ subset the game reads: "v", "vt", "vn" lines and triangles in
// v/vt/vn form, one "v" line per builder vertex so that the loader rebuilds exactly the
// builder's vertices. Numbers are printed with fixed precision and no negative zeros, so
// the same mesh always gives the same bytes.
class ObjWriter {
public:
    static bool write(const std::string& path, const std::string& description,
                      const MeshBuilder& mesh);
    // Shortest fixed-point text of `value` at `decimals` places: "0.5", "-1", "0".
    static std::string number(float value, int decimals);
};
