#include "SnitchFoe.h"

#include <cmath>

#include "ArenaWalls.h"
#include "ofGraphics.h"
#include "ofLog.h"
#include "ofMath.h"

namespace {
const float PI_F = 3.1415927f;
}  // namespace

void SnitchFoe::setup() {
    type = 5;
    heading = 0;
    speed = 18;
    arena = nullptr;
    spotX = 0;
    spotY = 0;
    fleeCooldown = 0;
    fleeDistanceSq = 202500;
}

void SnitchFoe::setArena(ArenaWalls* walls) {
    arena = walls;
    if (!arena) return;
    pickSpot(arena->centreX, arena->centreY);
    x = spotX;
    y = spotY;
    pickSpot(arena->centreX, arena->centreY);
}

void SnitchFoe::pickSpot(float fromX, float fromY) {
    if (!arena) return;
    float reach = static_cast<float>(arena->radius);
    float demand = fleeDistanceSq;
    for (int tries = 1; tries <= maxTries; tries++) {
        float r = ofRandom(reach);
        float a = std::atan2(fromY - y, fromX - x) + PI_F / 2 + ofRandom(PI_F);
        // The longer the search, the closer a spot may be.
        if (tries >= 51) demand -= 500;
        float sx = arena->centreX + std::cos(a) * r;
        float sy = arena->centreY + std::sin(a) * r;
        if (arena->isPointInside(sx, sy) && ofDistSquared(fromX, fromY, sx, sy) > demand) {
            spotX = sx;
            spotY = sy;
            return;
        }
    }
    ofLogWarning("SnitchFoe") << "no hiding spot found in " << maxTries << " tries, keeping the old one";
}

void SnitchFoe::update(float targetX, float targetY) {
    heading = std::atan2(spotY - y, spotX - x);
    x += std::cos(heading) * speed;
    y += std::sin(heading) * speed;
    if (ofDistSquared(x, y, spotX, spotY) < (speed + 2) * (speed + 2)) pickSpot(targetX, targetY);
    if (ofDistSquared(x, y, targetX, targetY) < fleeDistanceSq && fleeCooldown < 1) {
        fleeCooldown = 15;
        pickSpot(targetX, targetY);
    }
    fleeCooldown -= 1;
    shiftTrail();
    // The ghosts turn like the body.
    trailHeading[0] += PI_F / 2;
}

void SnitchFoe::drawShape(float s) {
    ofBeginShape();
    for (int i = 0; i < 8; i++) {
        float a = ofDegToRad(-150.0f + 15 * i);
        ofVertex(std::cos(a) * s, std::sin(a) * s);
    }
    ofVertex(s, 0.25f * s);
    ofVertex(0.5f * s, 0.25f * s);
    ofVertex(0, s);
    ofVertex(-0.5f * s, 0.25f * s);
    ofVertex(-s, 0.25f * s);
    ofEndShape(true);
}

void SnitchFoe::draw() {
    ofSetCircleResolution(10);
    ofSetLineWidth(1 + thickLines);
    ofPushMatrix();
    ofTranslate(x, y);
    ofRotate(ofRadToDeg(heading + PI_F / 2));
    ofScale(pulseScale, pulseScale);
    ofFill();
    setFillColor();
    drawShape(1.2f * size);
    ofNoFill();
    setOutlineColor();
    drawShape(1.2f * size);
    drawShape(0.6f * size);
    ofPopMatrix();
}
