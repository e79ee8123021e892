#pragma once

#include "resources/obj/ObjPiece.h"

#include <cstdint>
#include <string>
#include <vector>

namespace obj {

// Reads the lines of one piece into its lists, face indices as written. Lines the game
// does not draw are passed over; a line a backslash continues is read joined to the next.
class PieceReader {
public:
    explicit PieceReader(Piece& piece);

    // Lines starting from `copied` on (near the end of the text) are read from a copy
    // that has the padding after it.
    void read(const char* copied);

private:
    // Every line in [p, end) ends in '\n'; `line` counts them.
    void readLines(const char* p, const char* end, std::uint32_t& line);
    // Reads the line starting at `begin`; returns where the next one starts, or nullptr,
    // having stored nothing, when a backslash continues it.
    const char* readLine(const char* begin, const char* end, std::uint32_t line);
    // A line that a backslash continues: its lines are copied into one, each backslash
    // and line end becoming a blank, and read from there. `line` moves on past the lines
    // joined to the first. Returns the next start.
    const char* readJoined(const char* begin, const char* end, std::uint32_t& line);
    // "v", "vt" and "vn": the numbers not there stay zero, the ones after are ignored.
    template <int N, class Vector>
    const char* readVector(const char* begin, const char* p, const char* end,
                           std::vector<Vector>& to);
    // Corners are "v", "v/vt", "v//vn" or "v/vt/vn". A corner that is none of them, like
    // a broken number, ends the face where it stands, as a comment does.
    const char* readFace(const char* begin, const char* p, const char* end, std::uint32_t line);

    Piece& piece;
    std::string joined;
    std::string tail;
};

} // namespace obj
