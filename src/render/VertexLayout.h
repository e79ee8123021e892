#pragma once

#include <cstdint>

// Where the mesh programs find their inputs. The attribute names are those of the
// shaders ("vertex", "normal", "texCoord", "model", "ka", "kd", "ks"); the shaders pin
// them to these locations, so one vertex array object serves every mesh program.
//
// Vertices come from the mesh's buffer; the model matrix and the three colours come
// once per instance, so that one instanced draw can place and colour many objects.
namespace vertex_layout {

inline constexpr std::uint32_t kVertex = 0;
inline constexpr std::uint32_t kNormal = 1;
inline constexpr std::uint32_t kTexCoord = 2;
// The model matrix takes four locations, one column each.
inline constexpr std::uint32_t kModel = 3;
inline constexpr std::uint32_t kAmbient = 7;
inline constexpr std::uint32_t kDiffuse = 8;
inline constexpr std::uint32_t kSpecular = 9;
// kModel up to kSpecular.
inline constexpr std::uint32_t kInstanceAttributes = 7;

} // namespace vertex_layout
