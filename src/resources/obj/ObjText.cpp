#include "resources/obj/ObjText.h"

#include <algorithm>

namespace obj {

std::vector<std::string_view> cutText(std::string_view text, int pieces) {
    std::vector<std::string_view> cut;
    const char* begin = text.data();
    const std::size_t size = text.size();
    std::size_t start = 0;
    for (int i = 1; i < pieces; ++i) {
        std::size_t at = std::max(start, size / static_cast<std::size_t>(pieces) * i);
        std::size_t end = 0;
        while (at < size && end == 0) {
            const void* found = std::memchr(begin + at, '\n', size - at);
            if (!found) {
                break;
            }
            const char* newline = static_cast<const char*>(found);
            at = static_cast<std::size_t>(newline - begin) + 1;
            if (!continues(begin, newline)) {
                end = at;
            }
        }
        if (end == 0 || end >= size) {
            break;
        }
        cut.push_back(text.substr(start, end - start));
        start = end;
    }
    cut.push_back(text.substr(start));
    return cut;
}

const char* copiedFrom(std::string_view text) {
    const char* begin = text.data();
    if (text.size() <= 64) {
        return begin;
    }
    std::size_t at = text.size() - 64;
    while (const void* found = ::memrchr(begin, '\n', at)) {
        const char* newline = static_cast<const char*>(found);
        if (!continues(begin, newline)) {
            return newline + 1;
        }
        at = static_cast<std::size_t>(newline - begin);
    }
    return begin;
}

} // namespace obj
