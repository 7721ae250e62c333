#include <cmath>

#include "GameCore.h"
#include "ofMath.h"

namespace {

const float kTwoPi = 6.2831855f;

}  // namespace

void GameCore::revivePlayer(CoopRegen& token) {
    const int p = token.player;
    if (p < 0 || p > 3) return;
    arenaWalls.computeBounds();

    PlayerShip& ship = players[p];
    ship.reset(false);
    ship.point.position.set(token.x, token.y);
    ship.resetTrail();

    // Walk toward the centre until a 200-unit circle fits; the walk never
    // passes the centre, so an arena with no such spot cannot hold it forever.
    const float dx = arenaWalls.centreX - ship.point.position.x;
    const float dy = arenaWalls.centreY - ship.point.position.y;
    const float distance = std::sqrt(dx * dx + dy * dy);
    if (distance > 0) {
        const float stepX = dx / distance * 10;
        const float stepY = dy / distance * 10;
        const int maxSteps = static_cast<int>(std::ceil(distance / 10));
        for (int i = 0; i < maxSteps; ++i) {
            if (arenaWalls.isCircleInside(ship.point.position.x, ship.point.position.y, 200)) break;
            if (i == maxSteps - 1) {
                ship.point.position.x = arenaWalls.centreX;
                ship.point.position.y = arenaWalls.centreY;
            } else {
                ship.point.position.x += stepX;
                ship.point.position.y += stepY;
            }
        }
    }

    for (WeaponParticle* weapon : weaponPoints[p]) {
        if (weapon == nullptr) continue;
        const float angle = ofRandom(kTwoPi);
        weapon->position.set(token.x + 350 * std::cos(angle), token.y + 350 * std::sin(angle));
        weapon->velocity.set(0, 0);
    }

    for (int i = 0; i < 100; ++i)
        sparks.push_back(Spark::scattered(ship.point.position.x, ship.point.position.y, 60, playerColors[p], true));

    raiseStat("coop_revives");
    ++coopRevives;
    achievementTracker.checkCoopRevives(coopRevives);

    for (Foe* foe : foes) {
        CoopRegen* other = dynamic_cast<CoopRegen*>(foe);
        if (other != nullptr && other != &token && other->player == p) other->expired = true;
    }

    if (!soundBank.soundMuted) soundBank.startGame.play();
}

void GameCore::creditsRunHit() {
    creditsScreen.wasHit = true;
    creditsScreen.hitNoted = true;
    if (creditsScreen.finished) return;
    NoiseRing ring;
    ring.setup(players[0].point.position.x, players[0].point.position.y, players[0].colour);
    noiseRings.push_back(ring);
    if (!soundBank.soundMuted) soundBank.playerDeath.play();
}
