#include "GoalPointMissionComponent.h"

#include <cmath>

#include "ArenaWalls.h"
#include "PlayerShip.h"
#include "SoundBank.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "ofUtils.h"

namespace {
const float twoPi = 6.2831853f;
}

GoalPointMissionComponent::GoalPointMissionComponent(int kind, int pointCount) : count(pointCount) {
    goalKind = kind;
}

void GoalPointMissionComponent::placePoint() {
    const ArenaWalls* walls = counters.arenaWalls;
    const float cx = walls ? walls->centreX : 0;
    const float cy = walls ? walls->centreY : 0;
    if (goalKind == 5) {
        const float r = (walls ? static_cast<float>(walls->radius) : 1200) + beyondWall;
        const float a = walls ? walls->rotation - walls->exitWidth / 2 : 0;
        point.setup(cx + std::cos(a) * r, cy + std::sin(a) * r, reachRadius, nullptr);
        return;
    }
    // A point the ship already sits on would count at once.
    const PlayerShip* ship = counters.ship0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const float a = ofRandom(twoPi);
        const float d = ofRandom(spread);
        const float x = cx + std::cos(a) * d;
        const float y = cy + std::sin(a) * d;
        if (walls && !walls->isPointInside(x, y)) continue;
        if (ship && attempt < 50 &&
            ofDistSquared(x, y, ship->point.position.x, ship->point.position.y) < 16 * reachRadius * reachRadius)
            continue;
        point.setup(x, y, reachRadius, nullptr);
        return;
    }
    point.setup(cx, cy, reachRadius, nullptr);
}

void GoalPointMissionComponent::reset() {
    reached = 0;
    placePoint();
}

void GoalPointMissionComponent::update(float) {
    if (reached >= count) return;
    if (goalKind == 5) placePoint();
    const PlayerShip* ship = counters.ship0;
    if (!ship) return;
    if (ofDistSquared(point.x, point.y, ship->point.position.x, ship->point.position.y) >= reachRadius * reachRadius)
        return;
    ++reached;
    if (soundBank) soundBank->playWayPoint();
    if (reached < count) placePoint();
}

void GoalPointMissionComponent::draw() {
    if (reached < count) point.draw();
}

// A pointer round ship 0 toward the point, for when it is off screen.
void GoalPointMissionComponent::drawOverlay(int) {
    const PlayerShip* ship = counters.ship0;
    if (!ship || reached >= count) return;
    const float sx = ship->point.position.x;
    const float sy = ship->point.position.y;
    const float a = std::atan2(point.y - sy, point.x - sx);
    ofSetLineWidth(3);
    ofLine(sx + std::cos(a) * 90, sy + std::sin(a) * 90, sx + std::cos(a) * 120, sy + std::sin(a) * 120);
}

bool GoalPointMissionComponent::isComplete() const {
    return reached >= count;
}

std::string GoalPointMissionComponent::progressText() const {
    if (goalKind == 5) return reached >= count ? "OUT!" : "FIND THE WAY OUT";
    return "POINTS " + ofToString(reached) + "/" + ofToString(count);
}
