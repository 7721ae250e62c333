#include "ofTrueTypeFont.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <GL/gl.h>

#include "ofGlyphAtlas.h"
#include "ofLog.h"
#include "ofPixels.h"
#include "ofUtils.h"

namespace {

const int defaultDpi = 96;

ofPoint outlinePoint(const FT_Vector& v) {
    return ofPoint(v.x / 64.0f, -v.y / 64.0f, 0);
}

ofPoint midpoint(const ofPoint& a, const ofPoint& b) {
    return ofPoint((a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2);
}

}  // namespace

ofTrueTypeFont::ofTrueTypeFont()
    : loaded(false),
      antialiased(false),
      fullCharacterSet(false),
      characterCount(0),
      lineHeight(0),
      letterSpacing(1.0f),
      spaceSize(1.0f),
      fontSize(0),
      makeContours(false),
      simplifyAmount(0),
      dpi(0),
      border(3),
      atlasBound(false) {
    stringQuads.setMode(OF_PRIMITIVE_TRIANGLES);
}

ofTrueTypeFont::~ofTrueTypeFont() {
    if (loaded) {
        atlas.clear();
        loaded = false;
    }
}

int ofTrueTypeFont::getCharacterIndex(unsigned char code) const {
    int index = (code + 256 - 33) % 256;
    if (index >= characterCount || index >= static_cast<int>(glyphProps.size())) return -1;
    return index;
}

bool ofTrueTypeFont::loadFont(std::string fileNameArg, int fontSizeArg, bool antialiasedArg,
                              bool fullCharacterSetArg, bool makeContoursArg, float simplifyAmountArg, int dpiArg) {
    if (loaded) {
        atlas.clear();
        loaded = false;
    }
    if (dpiArg == 0) dpiArg = defaultDpi;

    fileName = ofToDataPath(fileNameArg, true);
    simplifyAmount = simplifyAmountArg;
    fullCharacterSet = fullCharacterSetArg;
    antialiased = antialiasedArg;
    fontSize = fontSizeArg;
    makeContours = makeContoursArg;
    dpi = dpiArg;
    loaded = false;

    FT_Library library = nullptr;
    FT_Error err = FT_Init_FreeType(&library);
    if (err) {
        ofLog(OF_LOG_ERROR, "ofTrueTypeFont::loadFont - Error initializing freetype lib: FT_Error = %d", err);
        return false;
    }
    FT_Face face = nullptr;
    err = FT_New_Face(library, fileName.c_str(), 0, &face);
    if (err) {
        std::string errorText = err == 1 ? "INVALID FILENAME" : "unknown freetype";
        ofLog(OF_LOG_ERROR, "ofTrueTypeFont::loadFont - %s: %s: FT_Error = %d", errorText.c_str(), fileName.c_str(),
              err);
        FT_Done_FreeType(library);
        return false;
    }
    // A font with fixed bitmap sizes only refuses other sizes; its glyphs
    // would then come out empty, so that is a failed load.
    err = FT_Set_Char_Size(face, fontSize * 64, fontSize * 64, dpi, dpi);
    if (err) {
        ofLog(OF_LOG_ERROR, "ofTrueTypeFont::loadFont - Error setting size %d at %d dpi: %s: FT_Error = %d", fontSize,
              dpi, fileName.c_str(), err);
        FT_Done_Face(face);
        FT_Done_FreeType(library);
        return false;
    }

    lineHeight = fontSize * 1.43f;
    characterCount = fullCharacterSet ? 256 : 95;
    glyphProps.resize(characterCount);
    if (makeContours) {
        charOutlines.clear();
        charOutlines.resize(characterCount);
    }

    std::vector<ofPixels> glyphBlocks(characterCount);
    std::vector<ofGlyphBox> boxes;
    boxes.reserve(characterCount);
    long long areaSum = 0;

    for (int i = 0; i < characterCount; ++i) {
        FT_ULong code = static_cast<FT_ULong>((i + 33) % 256);
        err = FT_Load_Glyph(face, FT_Get_Char_Index(face, code), 0);
        if (err) ofLog(OF_LOG_ERROR, "ofTrueTypeFont::loadFont - Error with FT_Load_Glyph %i: FT_Error = %d", i, err);
        FT_GlyphSlot slot = face->glyph;
        FT_Render_Glyph(slot, antialiased ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO);

        if (makeContours) {
            charOutlines[i] = makeContoursForCharacter(face);
            if (simplifyAmount > 0) charOutlines[i].simplify(simplifyAmount);
            charOutlines[i].getTessellation();
        }

        ofGlyphProps& props = glyphProps[i];
        props.index = i;
        props.bitmapTop = slot->bitmap_top;
        props.bitmapWidth = static_cast<int>(slot->bitmap.width);
        props.advance = static_cast<int>(slot->advance.x >> 6);
        props.bitmapRows = static_cast<int>(slot->bitmap.rows);
        props.bitmapLeft = slot->bitmap_left;
        props.texWidth = static_cast<float>(props.bitmapWidth);
        props.texHeight = static_cast<float>(props.bitmapRows);
        props.quadRight = static_cast<float>(props.bitmapLeft + props.bitmapWidth);
        props.quadLeft = static_cast<float>(props.bitmapLeft);
        props.quadBottom = static_cast<float>(props.bitmapRows - props.bitmapTop);
        props.quadTop = static_cast<float>(-props.bitmapTop);
        props.texRight = props.texLeft = props.texBottom = props.texTop = 0;

        ofPixels& block = glyphBlocks[i];
        block.allocate(props.bitmapWidth, props.bitmapRows, 2);
        if (block.isAllocated() && block.size() > 0) ofCopyGlyphBitmap(library, slot->bitmap, block.getPixels());

        boxes.push_back({i, props.texWidth, props.texHeight});
        areaSum += static_cast<long long>(props.bitmapWidth + 2 * border) * (props.bitmapTop + 2 * border);
    }

    int side = 0;
    std::vector<ofGlyphPlace> places;
    bool packed = ofPackGlyphAtlas(boxes, border, areaSum, side, places);
    ofPixels atlasPixels;
    if (packed) atlasPixels.allocate(side, side, 2);
    if (!packed || !atlasPixels.isAllocated()) {
        ofLog(OF_LOG_ERROR, "ofTrueTypeFont::loadFont - %s: glyphs at size %d do not fit in a texture",
              fileName.c_str(), fontSize);
        FT_Done_Face(face);
        FT_Done_FreeType(library);
        return false;
    }
    atlasPixels.set(0, 255);
    atlasPixels.set(1, 0);
    for (const ofGlyphPlace& place : places) {
        ofGlyphProps& props = glyphProps[place.index];
        float left = static_cast<float>(place.x + border);
        float top = static_cast<float>(place.y + border);
        props.texLeft = left / side;
        props.texTop = top / side;
        props.texRight = (left + props.texWidth) / side;
        props.texBottom = (top + props.texHeight) / side;
        glyphBlocks[place.index].pasteInto(atlasPixels, place.x + border, place.y + border);
    }

    atlas.allocate(side, side, GL_LUMINANCE_ALPHA, false);
    if (antialiased && fontSize > 20) {
        atlas.setTextureMinMagFilter(GL_LINEAR, GL_LINEAR);
    } else {
        atlas.setTextureMinMagFilter(GL_NEAREST, GL_NEAREST);
    }
    atlas.loadData(atlasPixels.getPixels(), side, side, GL_LUMINANCE_ALPHA);

    FT_Done_Face(face);
    FT_Done_FreeType(library);
    loaded = true;
    return true;
}

ofPath ofTrueTypeFont::makeContoursForCharacter(FT_Face face) {
    ofPath path;
    path.setUseShapeColor(false);
    const FT_Outline& outline = face->glyph->outline;
    if (outline.n_contours <= 0 || outline.points == nullptr || outline.tags == nullptr) return path;

    int start = 0;
    for (int k = 0; k < outline.n_contours; ++k) {
        int end = outline.contours[k] + 1;
        // A corrupt contour table must not walk outside the point list.
        if (end > outline.n_points || end <= start) break;
        auto point = [&](int j) { return outlinePoint(outline.points[j]); };
        auto tag = [&](int j) { return FT_CURVE_TAG(outline.tags[j]); };
        auto prevOf = [&](int j) { return j == start ? end - 1 : j - 1; };
        auto nextOf = [&](int j) { return j == end - 1 ? start : j + 1; };

        ofPoint last(0, 0, 0);
        for (int j = start; j < end; ++j) {
            switch (tag(j)) {
                case FT_CURVE_TAG_ON:
                    last = point(j);
                    path.lineTo(last);
                    break;
                case FT_CURVE_TAG_CUBIC: {
                    int prev = prevOf(j);
                    if (tag(prev) == FT_CURVE_TAG_CUBIC) path.bezierTo(point(prev), point(j), point(nextOf(j)));
                    break;
                }
                case FT_CURVE_TAG_CONIC: {
                    if (j == start) {
                        int lastIndex = end - 1;
                        if (tag(lastIndex) == FT_CURVE_TAG_CONIC) {
                            last = midpoint(point(lastIndex), point(j));
                        } else if (tag(lastIndex) == FT_CURVE_TAG_ON) {
                            last = point(lastIndex);
                        }
                    }
                    int next = nextOf(j);
                    ofPoint curveEnd = point(next);
                    bool doubleConic = tag(next) == FT_CURVE_TAG_CONIC;
                    if (doubleConic) curveEnd = midpoint(point(j), point(next));
                    path.quadBezierTo(last, point(j), curveEnd);
                    if (doubleConic) last = curveEnd;
                    break;
                }
            }
        }
        path.close();
        start = end;
    }
    return path;
}

void ofTrueTypeFont::drawString(const std::string& text, float x, float y) {
    if (!loaded || !atlas.isAllocated()) return;
    stringQuads.clear();
    float penX = x;
    float penY = y;
    for (char ch : text) {
        unsigned char code = static_cast<unsigned char>(ch);
        if (code == '\n') {
            penX = x;
            penY += lineHeight;
            continue;
        }
        int index = getCharacterIndex(code);
        if (code == ' ') {
            // Without a glyph for the space, it is as wide as a 'p'.
            int spaceIndex = index >= 0 ? index : getCharacterIndex('p');
            if (spaceIndex >= 0) penX += glyphProps[spaceIndex].advance * spaceSize;
            continue;
        }
        if (index < 0) continue;
        const ofGlyphProps& g = glyphProps[index];
        if (g.bitmapWidth > 0 && g.bitmapRows > 0) {
            float x0 = penX + g.quadLeft;
            float x1 = penX + g.quadRight;
            float y0 = penY + g.quadTop;
            float y1 = penY + g.quadBottom;
            const ofPoint corners[6] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y0}, {x1, y1}, {x0, y1}};
            const ofVec2f coords[6] = {{g.texLeft, g.texTop},     {g.texRight, g.texTop},
                                       {g.texRight, g.texBottom}, {g.texLeft, g.texTop},
                                       {g.texRight, g.texBottom}, {g.texLeft, g.texBottom}};
            for (int v = 0; v < 6; ++v) {
                stringQuads.addVertex(corners[v]);
                stringQuads.addTexCoord(coords[v]);
            }
        }
        penX += g.advance * letterSpacing;
    }
    if (stringQuads.getNumVertices() == 0) return;

    atlas.bind();
    atlasBound = true;
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, sizeof(ofVec2f), stringQuads.getTexCoordsPointer());
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(ofPoint), stringQuads.getVerticesPointer());
    glDrawArrays(GL_TRIANGLES, 0, stringQuads.getNumVertices());
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    atlas.unbind();
    atlasBound = false;
}
