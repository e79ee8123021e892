#pragma once

#include <cstdint>
#include <string>

// One entry of a name-keyed GL object cache: a file name (or file list) and the
// GL object made from it.
struct CacheEntry {
    std::string name;
    std::uint32_t id = 0;
};
