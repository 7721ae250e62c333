#pragma once

#include <string>
#include <vector>

#include "ofMesh.h"
#include "ofPath.h"
#include "ofTexture.h"

typedef struct FT_FaceRec_* FT_Face;

// Metrics and atlas place of one character. Quad values place the glyph
// relative to the pen with y growing down the screen; tex values are
// fractions of the atlas size.
struct ofGlyphProps {
    int index;
    int bitmapTop;
    int bitmapWidth;
    int advance;
    int bitmapRows;
    int bitmapLeft;
    float texWidth;
    float texHeight;
    float quadRight;
    float quadLeft;
    float quadBottom;
    float quadTop;
    float texRight;
    float texLeft;
    float texBottom;
    float texTop;
};

// A TrueType font rasterised into one texture atlas, optionally with an
// outline path per character. Position i of the tables holds the character
// whose code is (i + 33) modulo 256.
class ofTrueTypeFont {
public:
    ofTrueTypeFont();
    virtual ~ofTrueTypeFont();

    bool loadFont(std::string fileName, int fontSize, bool antialiased = true, bool fullCharacterSet = false,
                  bool makeContours = false, float simplifyAmount = 0.3f, int dpi = 0);

    bool isLoaded() const { return loaded; }
    int getSize() const { return fontSize; }
    int getDpi() const { return dpi; }
    int getNumCharacters() const { return characterCount; }
    float getLineHeight() const { return lineHeight; }
    const std::string& getFileName() const { return fileName; }
    const std::vector<ofGlyphProps>& getGlyphProps() const { return glyphProps; }
    std::vector<ofPath>& getCharacterOutlines() { return charOutlines; }
    ofTexture& getAtlasTexture() { return atlas; }

    // Table position of a character code, or -1 when the loaded set lacks it.
    int getCharacterIndex(unsigned char code) const;

    // Writes the text with the atlas, the first baseline at y. The current
    // colour tints the glyphs; blending must be on for smooth edges.
    void drawString(const std::string& text, float x, float y);

protected:
    ofPath makeContoursForCharacter(FT_Face face);

    bool loaded;
    bool antialiased;
    bool fullCharacterSet;
    int characterCount;
    std::vector<ofPath> charOutlines;
    float lineHeight;
    float letterSpacing;
    float spaceSize;
    std::vector<ofGlyphProps> glyphProps;
    int fontSize;
    bool makeContours;
    float simplifyAmount;
    int dpi;
    int border;
    std::string fileName;
    ofTexture atlas;
    bool atlasBound;
    ofMesh stringQuads;
};
