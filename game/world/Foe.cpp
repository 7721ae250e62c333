#include "Foe.h"

#include <cmath>
#include <cstdlib>

#include "VecMath.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"
#include "ofMath.h"

namespace {
const float kPi = 3.14159265f;
}

void Foe::spawn(ofColor c, float angle, float centreX, float centreY, bool thick, bool far) {
    size = 18.0f;
    hitRadius = 25.2f;
    turnRate = 0.0418879f;
    speed = ofRandomRange(2, 4) * 0.6f;
    thickLines = thick;
    maxSpeed = 14.0f;
    boostRange = 1600.0f;
    boostMin = 0;
    boostMax = 17.0f;
    boostExponent = 2.8f;
    speedGain = 0;
    gainRange = 3500.0f;
    gainMax = 0.7f;

    const float r = far ? 1800.0f : 900.0f;
    const float a = angle + ofRandomRange(-kPi / 2, kPi / 2);
    x = std::cos(a) * r + centreX;
    y = std::sin(a) * r + centreY;
    // Toward the world origin, not the spawn centre.
    heading = std::atan2(0 - y, 0 - x);

    color = c;
    killValue = 7.0f;
    expired = false;
    deathFraction = 0;
    dying = false;
    isBig = false;

    setup();

    for (int i = 0; i < trailLength; i++) {
        trailPos[i].set(x, y);
        trailHeading[i] = heading;
    }
}

void Foe::shiftTrail() {
    for (int i = trailLength - 1; i > 0; i--) {
        trailPos[i] = trailPos[i - 1];
        trailHeading[i] = trailHeading[i - 1];
    }
    trailPos[0].set(x, y);
    trailHeading[0] = heading;
}

void Foe::drawGhostTrail() {
    ofFill();
    const int f = ofGetFrameNum() % trailLength;
    for (int i = 0; i < trailLength; i += 3) {
        float alpha = ofMap(i, 0, 45, 40, 0);
        float s = ofMap(i, 0, 45, 0.9f * size, 0.25f * size);
        const int d = std::abs(f - i);
        if (d < 12) {
            alpha += ofMap(d, 0, 12, 40, 5);
            s *= ofMap(d, 0, 12, 1.3f, 1.0f);
        }
        ofSetColor(color.r, color.g, color.b, truncInt(alpha));
        ofPushMatrix();
        ofTranslate(trailPos[i].x, trailPos[i].y);
        ofRotate(ofRadToDeg(trailHeading[i]));
        drawShape(s);
        ofPopMatrix();
    }
}

void Foe::gainSpeed(float d) {
    if (speed + speedGain < maxSpeed) {
        const float n = std::pow(ofMap(d, 0, gainRange, 0, 1), boostExponent);
        speedGain += ofMap(n, 0, 1, 0, gainMax, true);
    }
}

float Foe::distanceBoost(float d) const {
    const float n = std::pow(ofMap(d, 0, boostRange, 0, 1), boostExponent);
    return ofMap(n, 0, 1, boostMin, boostMax, true);
}

void Foe::setFillColor() const {
    ofSetColor(color.r, color.g, color.b, 100);
}

void Foe::drawPolygonBody(int corners) const {
    ofSetLineWidth(1 + thickLines);
    ofPushMatrix();
    ofTranslate(x, y);
    ofRotate(ofRadToDeg(heading));
    ofScale(pulseScale, pulseScale, 1);
    ofSetCircleResolution(corners);
    ofFill();
    setFillColor();
    ofCircle(0, 0, size);
    ofNoFill();
    setOutlineColor();
    ofCircle(0, 0, size);
    ofCircle(0, 0, 0.5f * size);
    ofPopMatrix();
}

void Foe::setOutlineColor(int alpha) const {
    ofSetColor(truncInt(color.r + pulseOffset), truncInt(color.g + pulseOffset), truncInt(color.b + pulseOffset),
               alpha);
}
