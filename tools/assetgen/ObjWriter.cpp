#include "ObjWriter.h"

#include <cstdio>
#include <map>
#include <vector>

namespace {

constexpr int kPositionDecimals = 5;
constexpr int kDirectionDecimals = 5;

// Texture coordinates and normals repeat a lot (every corner of a flat face shares them);
// writing each distinct line once keeps the files small. Keyed by the printed text, so
// the numbering depends only on the order of first use.
class LineTable {
public:
    int indexOf(const std::string& line) {
        auto [entry, added] = indices.emplace(line, static_cast<int>(lines.size()) + 1);
        if (added) {
            lines.push_back(line);
        }
        return entry->second;
    }
    const std::vector<std::string>& all() const { return lines; }

private:
    std::map<std::string, int> indices;
    std::vector<std::string> lines;
};

std::string join(std::initializer_list<std::string> parts) {
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : " ") + part;
    }
    return text;
}

} // namespace

std::string ObjWriter::number(float value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(value));
    std::string result(text);
    if (result.find('.') != std::string::npos) {
        while (result.back() == '0') {
            result.pop_back();
        }
        if (result.back() == '.') {
            result.pop_back();
        }
    }
    if (result == "-0") {
        result = "0";
    }
    return result;
}

bool ObjWriter::write(const std::string& path, const std::string& description,
                      const MeshBuilder& mesh) {
    LineTable texCoords;
    LineTable normals;
    std::vector<int> texCoordOf;
    std::vector<int> normalOf;
    for (const MeshVertex& vertex : mesh.vertices()) {
        texCoordOf.push_back(texCoords.indexOf(join(
            {number(vertex.uv.x, kDirectionDecimals), number(vertex.uv.y, kDirectionDecimals)})));
        normalOf.push_back(normals.indexOf(join({number(vertex.normal.x, kDirectionDecimals),
                                                 number(vertex.normal.y, kDirectionDecimals),
                                                 number(vertex.normal.z, kDirectionDecimals)})));
    }

    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file) {
        std::printf("Unable to open file %s\n", path.c_str());
        return false;
    }
    std::fprintf(file, "# %s\n", description.c_str());
    std::fprintf(file, "# %zu vertices, %zu triangles; made by tools/assetgen\n",
                 mesh.vertices().size(), mesh.triangles().size());
    for (const MeshVertex& vertex : mesh.vertices()) {
        std::fprintf(file, "v %s\n",
                     join({number(vertex.position.x, kPositionDecimals),
                           number(vertex.position.y, kPositionDecimals),
                           number(vertex.position.z, kPositionDecimals)})
                         .c_str());
    }
    for (const std::string& line : texCoords.all()) {
        std::fprintf(file, "vt %s\n", line.c_str());
    }
    for (const std::string& line : normals.all()) {
        std::fprintf(file, "vn %s\n", line.c_str());
    }
    for (const glm::uvec3& triangle : mesh.triangles()) {
        std::fprintf(file, "f");
        for (int corner = 0; corner < 3; ++corner) {
            const std::uint32_t v = triangle[corner];
            std::fprintf(file, " %u/%d/%d", v + 1, texCoordOf[v], normalOf[v]);
        }
        std::fprintf(file, "\n");
    }
    const bool written = std::fclose(file) == 0;
    if (!written) {
        std::printf("Unable to write file %s\n", path.c_str());
    }
    return written;
}
