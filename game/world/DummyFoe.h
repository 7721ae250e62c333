#pragma once

#include <string>

#include "Foe.h"
#include "ofColor.h"

class PixelFont;

// A still, spinning target with a text above it: the credits run smashes one
// for each entry.
class DummyFoe : public Foe {
public:
    void setup() override;
    void update(float targetX, float targetY) override;
    void draw() override;
    std::string label() override;

    void setText(const PixelFont* font, float textScale, std::string text, std::string labelText, ofColor textColor);

    float spinDegrees = 30;
    std::string text;
    std::string labelText;
    // Owned by the core, which outlives its foes; null draws no text.
    const PixelFont* font = nullptr;
    float textScale = 0;
    ofColor textColor;
};
