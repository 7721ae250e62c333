#include "NormFoe.h"

#include <algorithm>
#include <cmath>

#include "VecMath.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "ofUtils.h"

namespace {
const float kPi = 3.14159265f;
const float kTwoPi = 6.2831853f;
}

void NormFoe::setup() {
    type = 0;
}

void NormFoe::makeBig(float newSpeed, float turnFactor, float newMaxSpeed) {
    isBig = true;
    turnRate *= turnFactor;
    maxSpeed = newMaxSpeed;
    speed = newSpeed;
    color.setHex(0xE84677, 255);
    size *= 1.6f;
}

void NormFoe::update(float tx, float ty) {
    const float a = std::atan2(ty - y, tx - x);
    // The raw difference decides between snapping and turning: across +-pi a
    // heading within one step of the target turns a full step and overshoots.
    if (std::fabs(heading - a) >= 1.1f * turnRate) {
        const float up = (heading >= a ? a + kTwoPi : a) - heading;
        const float down = heading <= a ? heading - a + kTwoPi : heading - a;
        if (down <= up) {
            heading -= turnRate;
        } else {
            heading += turnRate;
        }
    } else {
        heading = a;
    }
    if (heading < -kPi) heading += kTwoPi;
    if (heading > kPi) heading -= kTwoPi;

    const float d = ofDist(x, y, tx, ty);
    gainSpeed(d);
    const float step = speed + speedGain + distanceBoost(d);
    x += std::cos(heading) * step;
    y += std::sin(heading) * step;
    speed = std::min(speed, maxSpeed);
    shiftTrail();
}

void NormFoe::draw() {
    if (isBig) {
        drawBig();
        return;
    }
    drawPolygonBody(3);
}

void NormFoe::drawBig() {
    const float t = ofGetElapsedTimef();
    ofPoint t1[3], t2[3], t3[3];
    // Every vertex of one triangle shares its angle wobble.
    const float wobble1 = 2 * ofNoise2D(t, 0) * kPi / 10;
    const float wobble2 = 2 * ofNoise2D(t, 10) * kPi / 10;
    const float wobble3 = 2 * ofNoise2D(t, 20) * kPi / 10;
    for (int i = 0; i < 3; i++) {
        const float s = size * (i == 1 ? 1.3f : 1.0f);
        const float r1 = s * ofMap(ofNoise3D(0.7f * t, i, 10), 0, 1, 0.75f, 1.25f);
        const float r2 = s * ofMap(ofNoise3D(0.7f * t, i, 30), 0, 1, 0.75f, 1.25f);
        const float r3 = s * ofMap(ofNoise3D(0.7f * t, i, 50), 0, 1, 0.75f, 1.25f);
        // Vertex 1 is the nose, along the heading.
        const float g = i * kTwoPi / 3 + kPi / 3 + kPi;
        const float g1 = g - kPi / 10 + wobble1;
        const float g2 = g - kPi / 10 + wobble2;
        const float g3 = g - kPi / 10 + wobble3;
        t1[i].set(std::cos(g1) * r1, std::sin(g1) * r1);
        t2[i].set(std::cos(g2) * r2, std::sin(g2) * r2);
        t3[i].set(std::cos(g3) * r3 * 0.5f, std::sin(g3) * r3 * 0.5f);
    }
    ofSetLineWidth(1 + thickLines);
    const float outlineAlpha = ofMap(ofNoise2D(0.7f * t, 0), 0, 1, 70, 200);
    const float fillAlpha = ofMap(ofNoise2D(0.7f * t, 100), 0, 1, 10, 90);

    ofPushMatrix();
    ofTranslate(x, y);
    ofRotate(ofRadToDeg(heading));
    ofScale(pulseScale, pulseScale, 1);
    ofFill();
    ofSetColor(color.r, color.g, color.b, truncInt(fillAlpha));
    ofTriangle(t1[0], t1[1], t1[2]);
    ofTriangle(t2[0], t2[1], t2[2]);
    ofNoFill();
    setOutlineColor(truncInt(outlineAlpha));
    ofTriangle(t1[0], t1[1], t1[2]);
    ofTriangle(t2[0], t2[1], t2[2]);
    ofTriangle(t3[0], t3[1], t3[2]);
    ofPopMatrix();

    // The big foe's ghosts shiver and creep toward +x, +y.
    for (int i = 0; i < trailLength; i++) {
        trailPos[i].x += ofRandom(10);
        trailPos[i].y += ofRandom(10);
    }
}

void NormFoe::drawShape(float s) {
    ofSetCircleResolution(3);
    ofCircle(0, 0, s);
}
