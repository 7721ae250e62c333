#pragma once

#include <cstddef>
#include <vector>

class ofTexture;

// The built-in 8x14 font. Each entry points at a 15-byte record: the width
// (8), then 14 rows from the bottom row up, most significant bit leftmost.
extern const unsigned char* const ofBitmapFontGlyphs[256];
extern const int ofBitmapFontRecordCount;

// One string's characters: two triangles each, drawn in one call.
void ofDrawBitmapCharacterStart(int n);
void ofDrawBitmapCharacter(int character, int x, int y);
void ofDrawBitmapCharacterEnd();

// What the batch holds now; the lists keep two floats a vertex.
struct ofBitmapCharacterBatch {
    std::vector<float> vertices;
    std::vector<float> texCoords;
    size_t count = 0;  // floats written to each list
};
const ofBitmapCharacterBatch& ofGetBitmapCharacterBatch();

// The 256x256 luminance-alpha glyph sheet, built on first use.
ofTexture& ofGetBitmapFontTexture();
bool ofIsBitmapFontTextureBuilt();
