#pragma once

#include <functional>
#include <string>

#include "ofRectangle.h"

// The game's block font: every glyph is a few filled rectangles on a unit
// grid, so text takes the current colour and transform like any shape.
// Sizes are multiplied by the font's own scale; call setup before use.
class PixelFont {
public:
    void setup(float scale);

    float getCharHeight(float size) const;
    float getLineHeight(float size) const;
    float getStringWidth(const std::string& text, float size) const;
    ofRectangle getStringBoundingBox(const std::string& text, float size, float x, float y) const;

    // y is the baseline.
    void drawString(const std::string& text, float size, float x, float y) const;
    void drawStringCentered(const std::string& text, float size, float x, float y) const;
    void drawStringCenteredX(const std::string& text, float size, float x, float y) const;
    void drawStringRight(const std::string& text, float size, float x, float y) const;
    // Glyph units, inside the transform drawString sets up.
    void drawChar(char code, float penX) const;

    // Sees every string as it is drawn (text, size, pen x, baseline y), before
    // the transform: tests read the screen through it. Unset in the game.
    static std::function<void(const std::string&, float, float, float)> textObserver;

    float letterSpacing = 0;
    int charWidths[128] = {};
    float charHeight = 0;
    float lineGap = 0;
    float scale = 0;
};

// The title artwork, centred horizontally on x; its letters stand from
// 137 x scale to 283 x scale below y.
void drawTitleLogo(int x, int y, float scale, float opacity);
