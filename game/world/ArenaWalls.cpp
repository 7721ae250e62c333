#include "ArenaWalls.h"

#include <algorithm>
#include <cmath>

#include "PlayerShip.h"
#include "ofGraphics.h"
#include "ofLog.h"
#include "ofMath.h"
#include "pointInPolygon.h"

namespace {

// Outer and inner corner counts of each shape, before the closing point.
const int outerCount[ArenaWalls::shapeCount] = {10, 8, 4, 12, 16, 12, 10, 10, 4, 4};
const int innerCount[ArenaWalls::shapeCount] = {0, 0, 4, 0, 0, 4, 0, 0, 0, 0};

}  // namespace

void ArenaWalls::setup(bool scaleLineWidth_, bool missionFlag_, int gameMode_, int shape_) {
    if (shape_ < 0 || shape_ >= shapeCount) {
        ofLogWarning("ArenaWalls") << "unknown wall shape " << shape_ << ", using shape 0";
        shape_ = 0;
    }
    scaleLineWidth = scaleLineWidth_;
    shape = shape_;
    gameMode = gameMode_;
    missionFlag = missionFlag_;
    outer.assign(outerCount[shape] + 1, ofPoint());
    inner.clear();
    if (innerCount[shape] > 0) inner.assign(innerCount[shape] + 1, ofPoint());
    time = 0;
    rotation = 0;
    // A shape that never moves its centre must not inherit an earlier round's drift.
    centreX = 0;
    centreY = 0;
    shift = 0;
    radiusOverride = -1;
    exitOpen = false;
    exitWidth = 0;
    phase = ofRandom(100);
    turnDirection = ofRandomSigned() > 0.5f ? 1 : -1;
    swapAxes = ofRandomSigned() > 0.5f;
    for (float& p : wavePhase) p = ofRandomSigned() > 0.5f ? 3.1415927f : 0.0f;
    turnTarget = 1.5707964f;
    turnFrom = 3.1415927f;
    step = 0;
    stepFlag = true;
    timer = 0;
    slideDirection = 0;
    slideTime = 0;
    farValue = 1000000;
    update(0);
}

void ArenaWalls::update(float dt) {
    time += dt;
    if (shape < 0 || shape >= shapeCount) return;
    // A shape changed by hand gets lists of its own size before it is laid.
    if (outer.size() != static_cast<size_t>(outerCount[shape] + 1)) outer.assign(outerCount[shape] + 1, ofPoint());
    size_t innerSize = innerCount[shape] > 0 ? innerCount[shape] + 1 : 0;
    if (inner.size() != innerSize) inner.assign(innerSize, ofPoint());
    switch (shape) {
        case 0: updateNormal(dt); break;
        case 1: updateUTurn(); break;
        case 2: updateDoughnut(dt); break;
        case 3: updateBlob(); break;
        case 4: updateClover(dt); break;
        case 5: updateHook(); break;
        case 6:
        case 7: updateTravellingCircle(); break;
        case 8: updateMoveBox(dt); break;
        case 9: updateCorridor(); break;
        default: break;
    }
    if (exitOpen) return;
    if (!outer.empty()) outer.back() = outer.front();
    if (!inner.empty()) inner.back() = inner.front();
}

void ArenaWalls::openExit() {
    exitOpen = true;
}

void ArenaWalls::draw(float lineScale) {
    ofSetLineWidth(scaleLineWidth ? std::max(10 * lineScale, 2.0f) : 10.0f);
    ofNoFill();
    for (const std::vector<ofPoint>* list : {&outer, &inner}) {
        if (list->empty()) continue;
        ofBeginShape();
        for (const ofPoint& p : *list) ofVertex(p.x, p.y);
        ofEndShape(false);
    }
}

void ArenaWalls::computeBounds() {
    if (outer.empty()) return;
    float minX = outer[0].x, maxX = outer[0].x, minY = outer[0].y, maxY = outer[0].y;
    for (const ofPoint& p : outer) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    boundsX = (minX + maxX) / 2;
    boundsY = (minY + maxY) / 2;
    boundsRadius = 0;
    for (const ofPoint& p : outer) boundsRadius = std::max(boundsRadius, ofDist(boundsX, boundsY, p.x, p.y));
}

bool ArenaWalls::isPointInside(float x, float y) const {
    if (!pointInPolygon(outer, x, y)) return false;
    return inner.empty() || !pointInPolygon(inner, x, y);
}

bool ArenaWalls::isCircleInside(float x, float y, float r) const {
    for (int k = 0; k < 8; k++) {
        float a = k * 3.1415927f / 4;
        if (!isPointInside(x + r * std::cos(a), y + r * std::sin(a))) return false;
    }
    return true;
}

bool ArenaWalls::isShipInside(const PlayerShip& ship) const {
    float x = ship.point.position.x;
    float y = ship.point.position.y;
    if (!exitOpen) return isPointInside(x, y);
    // With the exit open a ship may fly out through the gap and away.
    if (pointInPolygon(outer, x, y)) return true;
    float d = rotation - std::atan2(y - centreY, x - centreX);
    if (d >= 0 && d <= exitWidth) return true;
    return ofDist(x, y, centreX, centreY) > radius * 1.000001f;
}

void ArenaWalls::layCircle(std::vector<ofPoint>& points, float cx, float cy, float rEven, float rOdd) const {
    if (points.size() < 2) return;
    float stepAngle = (6.2831855f - exitWidth) / (points.size() - 1);
    for (size_t i = 0; i < points.size(); i++) {
        float a = rotation + i * stepAngle;
        float r = i % 2 == 0 ? rEven : rOdd;
        points[i].set(cx + std::cos(a) * r, cy + std::sin(a) * r);
    }
}
