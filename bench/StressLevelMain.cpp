// Writes the frame benchmark's generated level: stress_level FILE [ENTITIES [DYNAMIC]].
// Its paths are relative to data/, so check or play it from there.
#include "StressLevel.h"

#include <charconv>
#include <iostream>
#include <string_view>

namespace {

bool readCount(const char* text, int& count) {
    const std::string_view view(text);
    const auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), count);
    return error == std::errc() && end == view.data() + view.size() && count >= 0;
}

} // namespace

int main(int argc, char** argv) {
    StressLevel level;
    if (argc < 2 || argc > 4 || (argc > 2 && !readCount(argv[2], level.entities)) ||
        (argc > 3 && !readCount(argv[3], level.dynamic))) {
        std::cout << "usage: stress_level FILE [ENTITIES [DYNAMIC]]" << std::endl;
        return 2;
    }
    return level.write(argv[1]) ? 0 : 1;
}
