#pragma once

#include <glm/glm.hpp>

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

// The colours of one entity, read from a small text file: a line whose second character
// is 'a', 'd' or 's' sets the ambient, diffuse or specular colour (so "Ka", "Kd", "Ks";
// any later line of the same kind wins). Lines may be indented, as exporters write them,
// and a real "Ka", "Kd" or "Ks" with a single number sets that grey. All colours are
// zero until a line sets them.
class Material {
public:
    explicit Material(const std::string& fileName);
    // The same reading over text already in memory; `name` only labels the record.
    static Material fromText(const std::string& name, std::string_view text);

    // (r, g, b, 1) from the first three numbers of the text, or nothing when three
    // numbers cannot be read (a "map_Ka file.png" line, say).
    static std::optional<glm::vec4> parseColor(std::string_view text);
    // (v, v, v, 1) when the text is exactly one number v; nothing otherwise.
    static std::optional<glm::vec4> parseGrey(std::string_view text);

    std::string fileName;
    glm::vec4 ka{0.0f};
    glm::vec4 kd{0.0f};
    glm::vec4 ks{0.0f};

private:
    struct Text {};
    Material(const std::string& name, Text) : fileName(name) {}

    void read(std::istream& in);
};
