// tokenize: the first byte says how many of the following bytes are delimiters; the
// rest is the text.
#include "FuzzSupport.h"

#include "resources/Tokenize.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const char* bytes = reinterpret_cast<const char*>(data);
    const std::size_t delimiterCount = std::min<std::size_t>(data[0] % 8, size - 1);
    const std::string delimiters(bytes + 1, delimiterCount);
    const std::string text(bytes + 1 + delimiterCount, size - 1 - delimiterCount);

    const std::vector<std::string> pieces = tokenize(text, delimiters);
    // The pieces are the text with its delimiter runs taken out, in order, none empty.
    std::string joined;
    for (const std::string& piece : pieces) {
        FUZZ_CHECK(!piece.empty());
        FUZZ_CHECK(piece.find_first_of(delimiters) == std::string::npos);
        joined += piece;
    }
    std::string expected;
    std::size_t runs = 0;
    bool inRun = false;
    for (const char c : text) {
        const bool kept = delimiters.find(c) == std::string::npos;
        if (kept) {
            expected += c;
        }
        runs += kept && !inRun;
        inRun = kept;
    }
    FUZZ_CHECK(joined == expected);
    FUZZ_CHECK(pieces.size() == runs);
    return 0;
}
