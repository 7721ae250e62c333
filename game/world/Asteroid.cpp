#include "Asteroid.h"

#include <algorithm>
#include <cmath>

#include "ofGraphics.h"
#include "ofMath.h"

int Asteroid::sizeForLevel(int level) {
    float size = 16;
    // Far past any real level the size stops growing rather than overflow an int.
    for (int i = 0; i < level && size < 1e9f; i++) size /= 0.65f;
    return static_cast<int>(size);
}

void Asteroid::setup(ofColor color_, float centreX, float centreY, int minLevel, int maxLevel, float minSpeed,
                     float maxSpeed, bool complex, bool thickLines_) {
    alive = 1;
    splitRatio = 0.95f;
    splitSpeedFactor = 1.3f;
    splitSpread = 1.2f;
    travelled = 0;
    color = color_;
    age = 0;
    armAge = 30;
    smashable = false;
    flag2 = false;
    sizeBase = 16;
    sizeDivisor = 0.65f;
    thickLines = thickLines_;
    name.clear();

    level = static_cast<int>(ofRandomRange(minLevel, maxLevel + 1));
    size = sizeForLevel(level);

    float speed = ofRandomRange(minSpeed, maxSpeed);
    float d = complex ? static_cast<int>(ofRandomRange(2000, 3000)) : static_cast<int>(ofRandomRange(1000, 3000));

    float direction;
    if (ofRandom(100) <= 50) {
        bool bottom = ofRandom(100) <= 50;
        x = ofRandomRange(-d, d);
        if (bottom) {
            y = d + size;
            direction = ofRandomRange(3.6651914f, 5.7595863f);
        } else {
            y = -d - size;
            direction = ofRandomRange(0.5235988f, 2.6179938f);
        }
    } else {
        bool right = ofRandom(100) <= 50;
        y = ofRandomRange(-d, d);
        if (right) {
            x = d + size;
            direction = ofRandomRange(2.0943952f, 4.1887903f);
        } else {
            x = -d - size;
            direction = ofRandomRange(4.1887903f, 7.330383f);
        }
    }
    vx = std::cos(direction) * speed;
    vy = std::sin(direction) * speed;
    x += centreX;
    y += centreY;
}

void Asteroid::move() {
    x += vx;
    y += vy;
    age += 1;
    travelled += std::sqrt(vx * vx + vy * vy);
    if (age >= armAge) smashable = true;
}

void Asteroid::draw(int alpha) {
    ofSetCircleResolution(10);
    ofSetLineWidth(2 + 2 * thickLines);
    ofPushMatrix();
    ofTranslate(x, y);
    ofRotate(travelled);
    ofFill();
    ofSetColor(color.r, color.g, color.b, std::min(alpha, 100));
    ofCircle(0, 0, size);
    ofNoFill();
    ofSetColor(color.r, color.g, color.b, alpha);
    ofCircle(0, 0, size);
    ofCircle(0, 0, 0.7f * size);
    ofPopMatrix();
}

void Asteroid::split(Asteroid parent, float angle) {
    setup(parent.color, parent.x, parent.y, 0, 0, 0, 0, false, parent.thickLines);
    float d = ofRandomRange(0.05f * parent.size, 0.4f * parent.size);
    float b = ofRandom(6.2831855f);
    x = parent.x + std::cos(b) * d;
    y = parent.y + std::sin(b) * d;
    level = parent.level - 1;
    size = sizeForLevel(level);
    alive = 1;
    color = parent.color;
    float speed = std::sqrt(parent.vx * parent.vx + parent.vy * parent.vy) * splitSpeedFactor;
    float c = angle + ofRandomRange(-splitSpread, splitSpread);
    vx = std::cos(c) * speed;
    vy = std::sin(c) * speed;
}
