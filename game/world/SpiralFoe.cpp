#include "SpiralFoe.h"

#include <algorithm>
#include <cmath>

#include "ofGraphics.h"
#include "ofMath.h"

namespace {
const float kPi = 3.14159265f;
const float kTwoPi = 6.2831853f;
}

void SpiralFoe::setup() {
    type = 1;
    size = 25;
    hitRadius = 32.5f;
    speed = ofRandomRange(0.8f, 1.8f) * 0.6f;
    maxSpeed = 12;
    boostMax = 14;
    orbitCentre.set(x, y);
    orbitPoint.set(x, y);
    outerRadius = ofRandomRange(120, 180);
    innerRadius = ofRandomRange(50, 100);
    outerAngularSpeed = ofRandomRange(3.2f, 3.7f) / outerRadius;
    innerAngularSpeed = ofRandomRange(3.9f, 4.5f) / innerRadius;
    outerAngle = ofRandom(kTwoPi);
    innerAngle = ofRandom(kTwoPi);
    outerDirection = ofRandom(1) < 0.5f ? 1 : -1;
    innerDirection = ofRandom(1) < 0.5f ? 1 : -1;
    spin = 0;
}

void SpiralFoe::update(float tx, float ty) {
    const float d = ofDist(x, y, tx, ty);
    gainSpeed(d);
    const float b = distanceBoost(d);
    // Capped before the move, unlike NormFoe.
    speed = std::min(speed, maxSpeed);
    const float s = speed + speedGain + b;

    const ofVec2f u = ofVec2f(tx - orbitCentre.x, ty - orbitCentre.y).getNormalized();
    orbitCentre.x += u.x * s;
    orbitCentre.y += u.y * s;
    // The spawn heading never changes, so the whole orbit drifts along it.
    orbitCentre.x += std::cos(heading) * s;
    orbitCentre.y += std::sin(heading) * s;

    orbitPoint.set(orbitCentre.x + std::cos(outerAngle) * outerRadius,
                   orbitCentre.y + std::sin(outerAngle) * outerRadius);
    x = orbitPoint.x + std::cos(innerAngle) * innerRadius;
    y = orbitPoint.y + std::sin(innerAngle) * innerRadius;

    outerAngle += outerDirection * outerAngularSpeed;
    innerAngle += innerDirection * innerAngularSpeed;

    spin += ofDist(x, y, lastX, lastY) / 35 * innerDirection;
    lastX = x;
    lastY = y;

    shiftTrail();
    trailHeading[0] = spin;
}

void SpiralFoe::drawStar(float r) {
    ofBeginShape();
    for (int k = 0; k < 5; k++) {
        const float outer = k * kTwoPi / 5;
        const float inner = outer + kPi / 10;
        ofVertex(std::cos(outer) * r, std::sin(outer) * r);
        ofVertex(std::cos(inner) * r / 3, std::sin(inner) * r / 3);
    }
    ofEndShape(true);
}

void SpiralFoe::draw() {
    ofSetLineWidth(1 + thickLines);
    ofPushMatrix();
    ofTranslate(x, y);
    ofRotate(ofRadToDeg(spin));
    ofScale(pulseScale, pulseScale, 1);
    ofSetCircleResolution(16);
    ofFill();
    setFillColor();
    drawStar(1.3f * size);
    ofNoFill();
    setOutlineColor();
    drawStar(1.3f * size);
    drawStar(0.4f * 1.3f * size);
    ofPopMatrix();
}

void SpiralFoe::drawShape(float s) {
    ofSetCircleResolution(3);
    ofCircle(0, 0, s);
}
