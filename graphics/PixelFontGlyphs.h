#pragma once

#include <vector>

// One filled rectangle of a block-font glyph, in glyph units relative to the
// pen: (x, y) is the lower-left corner, h is negative (y grows downward).
struct PixelFontRect {
    float x, y, w, h;
};

// Advance widths of codes 0 to 127.
extern const int pixelFontCharWidths[128];

// The rectangles of a glyph; empty for codes without one (and for 128 and up).
const std::vector<PixelFontRect>& pixelFontGlyph(unsigned char code);
