#pragma once

#include <vector>

// A glyph's rectangle in the atlas, in pixels from the top-left corner of the image.
struct AtlasBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Places equally tall boxes in rows, in the order given, on the smallest power-of-two image
// that holds them. Every box keeps `gap` empty pixels to its neighbours and to the image
// edges, so linear filtering never picks up a neighbour's ink or wraps round the texture.
class AtlasLayout {
public:
    bool arrange(const std::vector<int>& widths, int boxHeight, int gap, int maxSide);

    int width() const { return atlasWidth; }
    int height() const { return atlasHeight; }
    const std::vector<AtlasBox>& boxes() const { return placed; }

private:
    bool fits(const std::vector<int>& widths, int boxHeight, int gap, int side, int rows);

    int atlasWidth = 0;
    int atlasHeight = 0;
    std::vector<AtlasBox> placed;
};
