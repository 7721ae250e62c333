#include "AttractPrompt.h"

#include "PixelFont.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"

void AttractPrompt::setup(PixelFont* f) {
    font = f;
    idleTime = 0;
    resetRequested = false;
}

void AttractPrompt::setMessages(const std::string& first, const std::string& second) {
    messages[0] = first;
    messages[1] = second;
}

void AttractPrompt::update(float frameTime) {
    idleTime += frameTime;
    if (idleTime < resetAfter) return;
    idleTime = 0;
    resetRequested = true;
}

void AttractPrompt::touch() {
    idleTime = 0;
}

void AttractPrompt::draw(int width, int height, int alpha) {
    // Shown on the even 7-frame phase.
    if (font == nullptr || (ofGetFrameNum() / 7) % 2 != 0) return;
    ofFill();
    ofSetColor(255, 255, 255, alpha);
    font->drawStringCentered(messages[0], 6.0f, static_cast<float>(width / 2), static_cast<float>(height) * 0.7f);
    font->drawStringCentered(messages[1], 6.0f, static_cast<float>(width / 2), static_cast<float>(height) * 0.78f);
}
