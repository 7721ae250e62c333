#include "DummyFoe.h"

#include "PixelFont.h"
#include "ofGraphics.h"

void DummyFoe::setup() {
    type = 4;
    size = 35;
    spinDegrees = 30;
    text.clear();
    labelText.clear();
    font = nullptr;
}

void DummyFoe::update(float, float) {
    spinDegrees += 2;
}

void DummyFoe::draw() {
    ofSetCircleResolution(20);
    ofSetLineWidth(1 + thickLines);
    ofPushMatrix();
    ofTranslate(x, y);
    ofRotate(spinDegrees);
    ofScale(pulseScale, pulseScale);
    ofFill();
    setFillColor();
    ofCircle(0, 0, size);
    ofNoFill();
    setOutlineColor();
    ofCircle(0, 0, size);
    ofLine(-size, 0, size, 0);
    ofLine(0, -size, 0, size);
    ofPopMatrix();
    if (!font) return;
    ofFill();
    ofSetColor(textColor);
    font->drawStringCenteredX(text, textScale, x, y - 50);
}

std::string DummyFoe::label() {
    return labelText;
}

void DummyFoe::setText(const PixelFont* font_, float textScale_, std::string text_, std::string labelText_,
                       ofColor textColor_) {
    font = font_;
    textScale = textScale_;
    text = std::move(text_);
    labelText = std::move(labelText_);
    textColor = textColor_;
}
