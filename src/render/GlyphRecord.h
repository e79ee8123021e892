#pragma once

// Where a character sits in the font atlas and how big it is, in font units.
struct GlyphRecord {
    float uLeft = 0.0f;
    float vTop = 0.0f;
    float uRight = 0.0f;
    float vBottom = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};
