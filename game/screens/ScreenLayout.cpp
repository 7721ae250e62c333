#include "ScreenLayout.h"

#include <cmath>

#include "PixelFont.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"

bool ScreenLayout::blinkOn() {
    return (ofGetFrameNum() / 7) % 2 == 0;
}

ofRectangle ScreenLayout::button(const PixelFont& font, const std::string& text, float size, float centreX,
                                 float baselineY) {
    const float left = std::trunc(centreX - font.getStringWidth(text, size) * 0.5f);
    ofRectangle box = font.getStringBoundingBox(text, size, left, baselineY);
    return ofRectangle(box.x - buttonMargin, box.y - buttonMargin, box.width + 2 * buttonMargin,
                       box.height + 2 * buttonMargin);
}

void ScreenLayout::drawCentred(const PixelFont& font, const std::string& text, float size, float centreX,
                               float baselineY, const ofColor& colour, int alpha) {
    if (alpha <= 0) return;
    ofSetColor(colour, alpha > 255 ? 255 : alpha);
    font.drawStringCenteredX(text, size, centreX, baselineY);
}
