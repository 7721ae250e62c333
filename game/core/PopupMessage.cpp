#include "PopupMessage.h"

#include <cmath>

#include "PixelFont.h"
#include "SoundBank.h"
#include "ofGraphics.h"
#include "ofMath.h"

namespace {

// Float to int by truncation; a popup left long past its lifetime maps far
// out of range, and NaN or huge values have no int.
int truncated(float v) {
    if (!(v > -1.0e9f)) return v != v ? 0 : -1000000000;
    if (v > 1.0e9f) return 1000000000;
    return static_cast<int>(v);
}

}  // namespace

void PopupMessage::setup(std::string newText, float newX, float newY, float newLifetime, PixelFont* newFont,
                         float newTextScale) {
    text = std::move(newText);
    textScale = newTextScale;
    x = newX;
    y = newY;
    lifetime = newLifetime;
    font = newFont;
    age = 0.0f;
    fadeTime = 0.5f;
    dead = false;
    flashing = true;
    // The text's origin sits where the font's own centred drawing would put it.
    offsetX = font ? -0.5f * font->getStringWidth(text, textScale) : 0.0f;
    offsetY = font ? 0.5f * font->getCharHeight(textScale) : 0.0f;
    soundBank = nullptr;
    soundPlayed = false;
    useCompleteSound = false;
    sizeFactor = 1.0f;
}

void PopupMessage::setColor(ofColor newColor) {
    color = newColor;
    flashing = false;
}

void PopupMessage::update(float dt) {
    age += dt;
    if (lifetime < age) dead = true;
}

void PopupMessage::draw() {
    const float f = fadeTime;
    const float l = lifetime;
    const float a = age;
    if (a < f) {
        zoom = ofMap(a, 0.0f, f, 10.0f, 1.0f);
        alpha = ofMap(a, 0.0f, f, 0.0f, 255.0f);
    } else if (a > l - f || l <= 2.0f * f) {  // a popup this short never holds
        zoom = ofMap(a, l - f, l, 1.0f, 10.0f);
        alpha = ofMap(a, l - f, l, 255.0f, 0.0f);
    } else {
        zoom = 0.9f + 0.1f * std::sin(a);
        alpha = 255.0f;
        if (soundBank && !soundPlayed) {
            if (useCompleteSound)
                soundBank->playMissionComplete();
            else
                soundBank->playMenuBeep();
            soundPlayed = true;
        }
    }

    if (flashing) {
        int grey = static_cast<int>(std::fabs(std::cos(a)) * 200.0f + 150.0f);
        if (grey > 255) grey = 255;
        ofSetColor(grey, grey, grey, truncated(alpha));
    } else {
        ofColor shown = color;
        shown.setBrightness(ofClamp(shown.getBrightness() + 100.0f * std::cos(3.0f * a), 0.0f, 255.0f));
        ofSetColor(shown.r, shown.g, shown.b, truncated(alpha));
    }

    ofFill();
    ofPushMatrix();
    ofTranslate(x, y, 0.0f);
    ofScale(sizeFactor * zoom, sizeFactor * zoom, 1.0f);
    if (font) font->drawString(text, textScale, offsetX, offsetY);
    ofPopMatrix();
}
