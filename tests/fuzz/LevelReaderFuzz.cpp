// The level file, read through the loader's own entry point.
#include "FuzzSupport.h"

#include "level/DataLoader.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    silenceMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream in(text);
    DataLoader loader;
    loader.parseLevelStream(in, "fuzz.txt");
    // Every record comes from a block of at least five lines (a light); the header of
    // a light may double as the last line of an object block.
    std::size_t lines = 1;
    for (const char c : text) {
        lines += c == '\n';
    }
    FUZZ_CHECK(8 * loader.objectQueue.size() + 4 * loader.lightQueue.size() <= lines);
    return 0;
}
