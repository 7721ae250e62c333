#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <vector>

// One glyph bitmap to be placed in the font atlas; index is its table position.
struct ofGlyphBox {
    int index;
    float texWidth;
    float texHeight;
};

// Top-left corner of a glyph's cell (border included) in the atlas.
struct ofGlyphPlace {
    int index;
    int x;
    int y;
};

// Packs the glyphs in rows, tallest first, into the smallest square
// power-of-two atlas the search finds, starting from an estimate of the area.
// Every placed cell (the glyph with border pixels on each side) lies inside
// the atlas. Returns false only when no atlas up to the largest side fits.
bool ofPackGlyphAtlas(std::vector<ofGlyphBox> boxes, int border, long long areaSum, int& side,
                      std::vector<ofGlyphPlace>& places);

// Largest atlas side the search tries.
constexpr int OF_MAX_GLYPH_ATLAS_SIDE = 16384;

// Writes a rendered glyph as bitmap.width x bitmap.rows luminance/alpha
// pixels: luminance 255, alpha the coverage. Reads the source row by row with
// its pitch and pixel mode; modes other than grey and mono are converted
// through FreeType. Nothing outside the source rows is read.
void ofCopyGlyphBitmap(FT_Library library, const FT_Bitmap& bitmap, unsigned char* lumAlpha);
