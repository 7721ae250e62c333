#include "PixelFont.h"

#include <cmath>
#include <initializer_list>

#include "PixelFontGlyphs.h"
#include "ofGraphics.h"

namespace {

// Bytes above 127 have no glyph and no width.
int widthOf(const PixelFont& font, char c) {
    unsigned char code = static_cast<unsigned char>(c);
    return code < 128 ? font.charWidths[code] : 0;
}

// Toward zero, as a whole number: -0.6 gives 0, never -0.
float wholeTowardZero(float v) {
    float t = std::trunc(v);
    return t == 0 ? 0.0f : t;
}

}  // namespace

std::function<void(const std::string&, float, float, float)> PixelFont::textObserver;

void PixelFont::setup(float s) {
    scale = s;
    letterSpacing = 0.8f;
    charHeight = 8.0f;
    lineGap = 3.0f;
    for (int i = 0; i < 128; ++i) charWidths[i] = pixelFontCharWidths[i];
}

float PixelFont::getCharHeight(float size) const {
    return charHeight * size * scale;
}

float PixelFont::getLineHeight(float size) const {
    return lineGap * size * scale + size * charHeight * scale;
}

float PixelFont::getStringWidth(const std::string& text, float size) const {
    float w = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        w += static_cast<float>(widthOf(*this, text[i]));
        if (i + 1 < text.size()) w += letterSpacing;
    }
    return w * size * scale;
}

ofRectangle PixelFont::getStringBoundingBox(const std::string& text, float size, float x, float y) const {
    float w = getStringWidth(text, size);
    float h = getCharHeight(size);
    return ofRectangle(x, y - h, w, h);
}

void PixelFont::drawString(const std::string& text, float size, float x, float y) const {
    if (textObserver) textObserver(text, size, x, y);
    ofFill();
    ofPushMatrix();
    ofTranslate(x, y, 0);
    float s = scale * size;
    ofScale(s, s, 1);
    float pen = 0;
    for (char c : text) {
        drawChar(c, pen);
        pen += static_cast<float>(widthOf(*this, c));
        pen += letterSpacing;
    }
    ofPopMatrix();
}

void PixelFont::drawStringCentered(const std::string& text, float size, float x, float y) const {
    float w = getStringWidth(text, size);
    float h = 8.0f * size * scale;
    drawString(text, size, wholeTowardZero(x - w * 0.5f), wholeTowardZero(y + h * 0.5f));
}

void PixelFont::drawStringCenteredX(const std::string& text, float size, float x, float y) const {
    float w = getStringWidth(text, size);
    drawString(text, size, wholeTowardZero(x - w * 0.5f), y);
}

void PixelFont::drawStringRight(const std::string& text, float size, float x, float y) const {
    drawString(text, size, x - getStringWidth(text, size), y);
}

void PixelFont::drawChar(char code, float penX) const {
    unsigned char c = static_cast<unsigned char>(code);
    if (c < 33 || c > 126) return;
    for (const PixelFontRect& r : pixelFontGlyph(c)) ofRect(penX + r.x, r.y, r.w, r.h);
}

namespace {

struct LogoPoint {
    float x, y;
};

void logoPolygon(std::initializer_list<LogoPoint> corners) {
    ofBeginShape();
    for (const LogoPoint& p : corners) ofVertex(p.x, p.y);
    ofEndShape(false);
}

// The white letters: a small V on the first line (centre lines y 0 to 100)
// and N T O R I X after the accent A on the second (y 140 to 280). Strokes
// are 6 units thick and never overlap, so a faded logo tints evenly.
void drawLogoLetters() {
    // V, centre lines from (0, 0) and (40, 0) down to (20, 100).
    logoPolygon({{-3, -3}, {5, -3}, {20, 80.68f}, {35, -3}, {43, -3}, {24, 103}, {16, 103}});

    // N between x 253 and 281.
    ofRect(250, 137, 6, 146);
    ofRect(278, 137, 6, 146);
    logoPolygon({{256, 137}, {264, 137}, {278, 283}, {270, 283}});

    // T centred on x 309.
    ofRect(292, 137, 34, 6);
    ofRect(306, 143, 6, 140);

    // O between x 337 and 365.
    ofRect(334, 137, 34, 6);
    ofRect(334, 277, 34, 6);
    ofRect(334, 143, 6, 134);
    ofRect(362, 143, 6, 134);

    // R between x 379 and 407, its bowl closing at y 210.
    ofRect(376, 137, 6, 146);
    ofRect(382, 137, 28, 6);
    ofRect(382, 207, 28, 6);
    ofRect(404, 143, 6, 64);
    logoPolygon({{388, 213}, {396, 213}, {410, 283}, {402, 283}});

    // I on x 421.
    ofRect(418, 137, 6, 146);

    // X between x 435 and 463: both diagonals as one outline.
    logoPolygon({{432, 137}, {440, 137}, {449, 187.5f}, {458, 137}, {466, 137}, {453, 210},
                 {466, 283}, {458, 283}, {449, 232.5f}, {440, 283}, {432, 283}, {445, 210}});
}

int alphaOf(float opacity, float full) {
    double a = static_cast<double>(opacity) * full;
    if (!(a > -2147483648.0 && a < 2147483648.0)) return 0;
    return static_cast<int>(a);
}

}  // namespace

void drawTitleLogo(int x, int y, float scale, float opacity) {
    ofPushMatrix();
    ofTranslate(static_cast<float>(x) - 230.0f * scale - 1.5f * scale, static_cast<float>(y), 0);
    ofScale(scale, scale, 1);
    ofFill();

    ofSetColor(ofColor(255, 255), alphaOf(opacity, 255));
    drawLogoLetters();

    // The accent A: a faint shadow, then three overlapping strokes.
    ofSetColor(23, 194, 234, alphaOf(opacity, 80));
    logoPolygon({{194, 221}, {148, 221}, {166, 153}, {176, 153}});
    ofSetColor(23, 194, 234, alphaOf(opacity, 150));
    logoPolygon({{110, 283}, {129, 283}, {143, 237}, {199, 237}, {194, 221}, {148, 221}, {166, 153}, {156, 137}});
    logoPolygon({{166, 153}, {156, 137}, {186, 137}, {232, 283}, {213, 283}, {199, 237}, {194, 221}, {176, 153}});
    logoPolygon({{139, 192}, {156, 192}, {166, 153}, {176, 153}, {186, 192}, {203, 192}, {186, 137}, {156, 137}});

    ofPopMatrix();
}
