#include "Spark.h"

#include <algorithm>
#include <cmath>

#include "VecMath.h"
#include "ofGraphics.h"
#include "ofMath.h"

namespace {
const float kTwoPi = 6.2831853f;
}

Spark Spark::scattered(float x, float y, float reach, ofColor colour, bool perAxis) {
    const float a = ofRandom(kTwoPi);
    const float r1 = ofRandom(reach);
    const float r2 = perAxis ? ofRandom(reach) : r1;
    Spark spark;
    spark.setup(x + std::cos(a) * r1, y + std::sin(a) * r2, colour);
    return spark;
}

void Spark::setup(float px, float py, ofColor c) {
    // The random draws come in this order so that a seeded burst repeats.
    big = ofRandomUnit() < 0.07f;
    x = px;
    y = py;
    life = 20;
    colour = c;
    const int hue = static_cast<int>(colour.getHue() + ofRandomRange(-8, 8)) % 256;
    colour.setHue(static_cast<float>(hue));
    sizeDivisor = 2.0f;
    alphaFactor = 1.0f;
    float speed = ofRandomRange(5, 7);
    const float direction = ofRandom(kTwoPi);
    if (big) {
        speed *= ofRandomRange(3, 5);
        life = 40;
    }
    vx = std::cos(direction) * speed;
    vy = std::sin(direction) * speed;
}

void Spark::stepAndDraw() {
    // Alpha runs past 255 at birth on purpose: GL saturates it.
    ofSetColor(colour.r, colour.g, colour.b, truncInt(16 * life * alphaFactor));
    float resolution = std::max(life / sizeDivisor, 2.0f);
    float radius = 2 * life / sizeDivisor;
    if (big) {
        resolution = 2;
        radius = std::min(radius, 10.0f);
    }
    ofPushMatrix();
    ofTranslate(x, y);
    ofRotate(ofRandom(360));
    ofSetCircleResolution(static_cast<int>(resolution));
    ofCircle(0, 0, radius);
    ofPopMatrix();
    life -= 1;
    x += vx;
    y += vy;
}
