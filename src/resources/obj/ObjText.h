#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>
#include <vector>

// The characters and lines of an OBJ text as the readers see them.
namespace obj {

// Blanks separate the words of a line; '\n' ends it and is never one of them.
inline bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

inline bool isDigit(char c) {
    return static_cast<unsigned char>(c) - unsigned{'0'} < 10;
}

inline bool endsWord(char c) {
    return isBlank(c) || c == '\n';
}

// A backslash ending a line, before its "\n" or "\r\n", joins the next line to it.
// `newline` is the line's '\n' (or the end of the text); `begin` its first character.
inline bool continues(const char* begin, const char* newline) {
    std::size_t length = static_cast<std::size_t>(newline - begin);
    if (length > 0 && begin[length - 1] == '\r') {
        --length;
    }
    return length > 0 && begin[length - 1] == '\\';
}

// The line end at or after `p`, or nullptr when there is none before `end`.
inline const char* findNewline(const char* p, const char* end) {
    if (*p == '\n') {
        return p;
    }
    return static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
}

// What the fast readers may look past a line's '\n': a load of eight bytes from its last
// digit.
constexpr std::size_t kPadding = 16;

// Cuts after a line end that no backslash continues, near equal parts of the text. The
// last piece takes the rest.
std::vector<std::string_view> cutText(std::string_view text, int pieces);

// Where the lines start that are read from a padded copy: the last line start at least
// 64 bytes before the end of the text; the start itself when there is none.
const char* copiedFrom(std::string_view text);

} // namespace obj
