#include "render/LocationCache.h"

#include <GL/glew.h>

#include <cstring>

std::int32_t LocationCache::uniform(std::uint32_t program, const char* name) {
    return find(program, name, false);
}

std::int32_t LocationCache::attribute(std::uint32_t program, const char* name) {
    return find(program, name, true);
}

std::int32_t LocationCache::find(std::uint32_t program, const char* name, bool isAttribute) {
    for (const Entry& entry : entries) {
        if (entry.program == program && entry.isAttribute == isAttribute &&
            std::strcmp(entry.name.c_str(), name) == 0) {
            return entry.location;
        }
    }
    // Unknown names are remembered as -1 too: GL ignores uploads to them.
    const GLint location =
        isAttribute ? glGetAttribLocation(program, name) : glGetUniformLocation(program, name);
    entries.push_back({program, isAttribute, name, location});
    return location;
}
