#pragma once

#include <string>

#include "ofColor.h"
#include "ofRectangle.h"

class PixelFont;

// The layout every side screen shares: centred block text on a virtual
// screen 960 high, one title, a column of entries and a hint line.
class ScreenLayout {
public:
    static constexpr float titleSize = 8.5f;
    static constexpr float titleY = 150;
    static constexpr float entrySize = 4;
    static constexpr float entryTop = 300;
    static constexpr float entryStep = 60;
    static constexpr float hintSize = 3;
    static constexpr float hintY = 900;
    static constexpr float buttonMargin = 20;
    // Confirm and back count only once a page has shown this long.
    static constexpr float inputGuard = 0.4f;

    static float entryY(int index) { return entryTop + entryStep * static_cast<float>(index); }
    // Seven frames on, seven off; on when (frame / 7) is even.
    static bool blinkOn();
    // Where drawCentred puts the text: its box, grown by the button margin.
    static ofRectangle button(const PixelFont& font, const std::string& text, float size, float centreX,
                              float baselineY);
    // Centred on centreX, baseline at baselineY, in colour at alpha.
    static void drawCentred(const PixelFont& font, const std::string& text, float size, float centreX,
                            float baselineY, const ofColor& colour, int alpha);
};
