#include "JitterFoe.h"

#include <algorithm>
#include <cmath>

#include "ofGraphics.h"
#include "ofMath.h"

namespace {
const float kTwoPi = 6.2831853f;
}

void JitterFoe::setup() {
    type = 2;
    speed = 6.0f;
    waypointX = 0;
    waypointY = 0;
    jitterRadius = 200;
    engageRadius = 600;
    needWaypoint = true;
    arriveRadius = 10;
}

void JitterFoe::pickWaypoint(float tx, float ty) {
    const float angle = ofRandom(kTwoPi);
    waypointX = tx + std::cos(angle) * jitterRadius;
    waypointY = ty + std::sin(angle) * jitterRadius;
}

void JitterFoe::update(float tx, float ty) {
    const float d2 = ofDistSquared(x, y, tx, ty);
    if (d2 <= engageRadius * engageRadius) {
        if (needWaypoint) {
            needWaypoint = false;
            pickWaypoint(tx, ty);
        } else if (ofDistSquared(x, y, waypointX, waypointY) < arriveRadius * arriveRadius) {
            pickWaypoint(tx, ty);
        }
    } else {
        waypointX = tx;
        waypointY = ty;
        needWaypoint = true;
    }
    heading = std::atan2(waypointY - y, waypointX - x);
    float step = speedGain + speed + distanceBoost(std::sqrt(d2));
    const float slowRadius = 5 * arriveRadius;
    if (ofDistSquared(x, y, waypointX, waypointY) < slowRadius * slowRadius) step *= 0.5f;
    x += std::cos(heading) * step;
    y += std::sin(heading) * step;
    speed = std::min(speed, maxSpeed);
    shiftTrail();
}

void JitterFoe::draw() {
    drawPolygonBody(6);
}

void JitterFoe::drawShape(float s) {
    ofSetCircleResolution(6);
    ofCircle(0, 0, s);
}
