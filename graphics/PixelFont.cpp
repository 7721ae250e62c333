#include "PixelFont.h"

#include <algorithm>
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

// A straight stroke along its centre line, 6 units thick and running 3 units
// past both ends, so strokes overlap where they meet.
void logoBar(float x1, float y1, float x2, float y2) {
    ofRect(std::min(x1, x2) - 3, std::min(y1, y2) - 3, std::fabs(x2 - x1) + 6, std::fabs(y2 - y1) + 6);
}

// A slanted stroke from (x1, y1) down to (x2, y2): 6 units across, cut level
// 3 units above and below its ends.
void logoSlant(float x1, float y1, float x2, float y2) {
    logoPolygon({{x1 - 3, y1 - 3}, {x1 + 3, y1 - 3}, {x2 + 3, y2 + 3}, {x2 - 3, y2 + 3}});
}

// The white letters around the accent A, all on the second line (centre
// lines from y 140 to 280): V before it, N T O R I X after it.
void drawLogoLetters() {
    logoSlant(55, 140, 95, 280);  // V, its right arm close along the A's left leg
    logoSlant(135, 140, 95, 280);

    logoBar(253, 140, 253, 280);  // N
    logoBar(281, 140, 281, 280);
    logoSlant(253, 140, 281, 280);

    logoBar(295, 140, 323, 140);  // T
    logoBar(309, 140, 309, 280);

    logoBar(337, 140, 365, 140);  // O
    logoBar(337, 280, 365, 280);
    logoBar(337, 140, 337, 280);
    logoBar(365, 140, 365, 280);

    logoBar(379, 140, 379, 280);  // R
    logoBar(379, 140, 407, 140);
    logoBar(379, 210, 407, 210);
    logoBar(407, 140, 407, 210);
    logoSlant(393, 210, 407, 280);

    logoBar(421, 140, 421, 280);  // I

    logoSlant(435, 140, 463, 280);  // X
    logoSlant(463, 140, 435, 280);
}

int alphaOf(float opacity, float full) {
    double a = static_cast<double>(opacity) * full;
    if (!(a > -2147483648.0 && a < 2147483648.0)) return 0;
    return static_cast<int>(a);
}

}  // namespace

void drawTitleLogo(int x, int y, float scale, float opacity) {
    ofPushMatrix();
    // 259 is the middle of the letters' span, x 52 to 466.
    ofTranslate(static_cast<float>(x) - 259.0f * scale, static_cast<float>(y), 0);
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
