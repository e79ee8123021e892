#include "MaterialWriter.h"

#include <cstdio>

#include "ObjWriter.h"

namespace {

std::string colourText(glm::vec3 colour) {
    return ObjWriter::number(colour.r, 3) + " " + ObjWriter::number(colour.g, 3) + " " +
           ObjWriter::number(colour.b, 3);
}

} // namespace

bool MaterialWriter::write(const std::string& path, const MaterialColours& colours) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file) {
        std::printf("Unable to open file %s\n", path.c_str());
        return false;
    }
    // "# " keeps the comment's second character a space, which the reader skips.
    std::fprintf(file, "# %s\n", colours.description.c_str());
    std::fprintf(file, "Ka %s\n", colourText(colours.ambient).c_str());
    std::fprintf(file, "Kd %s\n", colourText(colours.diffuse).c_str());
    std::fprintf(file, "Ks %s\n", colourText(colours.specular).c_str());
    const bool written = std::fclose(file) == 0;
    if (!written) {
        std::printf("Unable to write file %s\n", path.c_str());
    }
    return written;
}
