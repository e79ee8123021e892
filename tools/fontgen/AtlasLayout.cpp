#include "AtlasLayout.h"

#include <utility>

bool AtlasLayout::arrange(const std::vector<int>& widths, int boxHeight, int gap, int maxSide) {
    // Candidates by growing area: square, then twice as wide, so the texture stays
    // close to square (64 x 64, 128 x 64, 128 x 128, ...).
    for (int side = 64; side <= maxSide; side *= 2) {
        if (side / 2 >= 64 && fits(widths, boxHeight, gap, side, side / 2)) {
            return true;
        }
        if (fits(widths, boxHeight, gap, side, side)) {
            return true;
        }
    }
    atlasWidth = 0;
    atlasHeight = 0;
    placed.clear();
    return false;
}

bool AtlasLayout::fits(const std::vector<int>& widths, int boxHeight, int gap, int side, int rows) {
    std::vector<AtlasBox> boxes;
    int x = gap;
    int y = gap;
    for (int width : widths) {
        if (width < 0 || gap + width + gap > side) {
            return false;
        }
        if (x + width + gap > side) {
            x = gap;
            y += boxHeight + gap;
        }
        if (y + boxHeight + gap > rows) {
            return false;
        }
        boxes.push_back({x, y, width, boxHeight});
        x += width + gap;
    }
    atlasWidth = side;
    atlasHeight = rows;
    placed = std::move(boxes);
    return true;
}
