#pragma once

#include <string>

#include "ofColor.h"

class PixelFont;
class SoundBank;

// A short-lived floating text: zooms in while fading in, pulses while held,
// zooms out while fading out. Plain value; the owner drops it once dead.
class PopupMessage {
public:
    void setup(std::string text, float x, float y, float lifetime, PixelFont* font, float textScale);
    void setColor(ofColor newColor);
    void update(float dt);
    // Also plays the hold sound, once, on the first frame of the hold phase.
    void draw();

    // Not owned; must outlive the popup (the core's font, or the credits').
    PixelFont* font = nullptr;
    float textScale = 1.0f;
    std::string text;
    float x = 0.0f;
    float y = 0.0f;
    float offsetX = 0.0f;
    float offsetY = 0.0f;
    float age = 0.0f;
    float lifetime = 0.0f;
    float fadeTime = 0.5f;
    bool dead = false;
    float zoom = 1.0f;
    float alpha = 0.0f;
    bool flashing = true;
    ofColor color;
    float sizeFactor = 1.0f;
    // Not owned, may be null; the core's bank, which lives for the whole run.
    SoundBank* soundBank = nullptr;
    bool soundPlayed = false;
    bool useCompleteSound = false;
};
