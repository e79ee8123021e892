#pragma once

#include "resources/CacheEntry.h"
#include "resources/Visual.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The GLSL program manager: compiles each source file once, links programs from
// space-separated file lists ("shader/a.vert shader/a.frag") and hands out plain GL
// program names. The same list always gives the same program.
class Shader final : public Visual {
public:
    void release() override {}
    void init() override {}

    // The program built from the listed files, built on first use. Files that fail
    // are left out; a program that fails to link is still returned.
    std::uint32_t loadProgram(const std::string& fileList);
    // The compiled shader of one source file, or 0 when its kind is unknown, it
    // cannot be read or it does not compile.
    std::uint32_t loadShader(const std::string& fileName);

    std::vector<std::unique_ptr<CacheEntry>> shaderCache;
    std::vector<std::unique_ptr<CacheEntry>> programCache;
};
