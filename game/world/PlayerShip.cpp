#include "PlayerShip.h"

#include <cmath>

#include "ShipSounds.h"
#include "ShipType.h"
#include "VecMath.h"
#include "ofMath.h"

namespace {

const float PI = 3.14159265358979f;
const float TWO_PI = 6.28318530717958f;

// Wraps into [0, 2π).
float positiveAngle(float a) {
    a = std::fmod(a, TWO_PI);
    if (a < 0) a += TWO_PI;
    if (a >= TWO_PI) a = 0;
    return a;
}

}  // namespace

void PlayerShip::setup(ofColor playerColour, bool bold, bool isMatchPlayer, ShipSounds* soundBank,
                       const PixelFont* textFont) {
    colour = playerColour;
    boldOutline = bold;
    matchPlayer = isMatchPlayer;
    sounds = soundBank;
    font = textFont;

    score = 0;
    steering = false;
    requestedAngle = 0;
    heading = 0;
    hitRadius = 18.0f;
    invulnerabilityStart = 2.0f;
    frozen = false;
    livesDisplayStart = 7.0f;
    glideDuration = 1.0f;
    glideEndDelay = 0.5f;
    glideTimer = 0;
    gliding = false;
    glideFinished = false;
    glideArrived = false;
    glideArrivedLatch = false;
    lineScale = 2.0f;
    hardyHitTaken = false;
    drawScale = 1.0f;
    dying = false;
    dyingSecondPhase = false;
    deathAngle = 0;
    deathSpinTime = 1.5f;
    spinRateMaximum = 25.132742f;
    spinRateMinimum = 6.2831855f;
    deathFlightFactor = 7.0f;
    deathTimer = 0;

    point.setInitialCondition(0, 0, 0, 0);
    resetTrail();
    deathSpinRate = ofRandomRange(spinRateMinimum, spinRateMaximum);

    if (matchPlayer) {
        drawScale = 1.0f;
        lobbyChanged = false;
        livesDisplayTimer = 0;
        matchStats.reset();
    }
}

void PlayerShip::setShipType(int type) {
    topSpeed = 17.0f;
    minimumSpeed = 0;
    robotFactor = 0;
    weaponPushStrength = 1.0f;
    handlingValue = 40.0f;

    switch (type) {
    case SHIP_HEAVY:
        topSpeed = 14.45f;
        break;
    case SHIP_FAST:
        topSpeed = 23.8f;
        break;
    case SHIP_HARDY:
        topSpeed = 10.2f;
        hardyHitTaken = false;
        break;
    case SHIP_HYPER:
        topSpeed = 23.8f;
        minimumSpeed = 23.8f;
        break;
    case SHIP_ROBOT:
        topSpeed = 18.7f;
        robotFactor = 1.5f;
        break;
    case SHIP_JELLY:
        topSpeed = 18.7f;
        weaponPushStrength = 2.0f;
        handlingValue = 48.0f;
        break;
    case SHIP_CASCADE:
        topSpeed = 14.62f;
        break;
    default:
        break;
    }
    shipType = type;
}

void PlayerShip::reset(bool full) {
    invulnerabilityTimer = invulnerabilityStart;
    steering = false;
    hardyHitTaken = false;
    frozen = false;
    dying = false;
    if (full) livesDisplayTimer = livesDisplayStart;
}

void PlayerShip::resetTrail() {
    for (ofVec2f& p : trail) p = point.position;
}

void PlayerShip::setVelocity(float angle, float speed) {
    requestedAngle = angle;
    heading = angle;
    if (shipType == SHIP_ROBOT) {
        // Six fixed directions; π itself counts as −π. Straight up or down lies
        // exactly between two of them: the first in this order wins.
        for (int k = -3; k <= 2; ++k) {
            float direction = k * (PI / 3);
            float off = std::fabs(std::remainder(angle - direction, TWO_PI));
            if (off <= PI / 6) {
                heading = direction;
                break;
            }
        }
        if (speed < 1.7f) speed = 0;
    }
    point.velocity.set(std::cos(heading) * speed, std::sin(heading) * speed);
    steeringVelocity = point.velocity;
}

void PlayerShip::updateDeath(float dt) {
    deathTimer += dt;
    if (!dyingSecondPhase) {
        deathAngle += dt * deathSpinRate;
        heading = deathAngle;
        steering = false;
        if (ofRandomUnit() < 0.1f) {
            deathSpinRate = ofRandomRange(spinRateMinimum, spinRateMaximum);
            if (ofRandomUnit() < 0.5f) deathSpinRate = -deathSpinRate;
        }
        if (deathTimer >= deathSpinTime) dyingSecondPhase = true;
        return;
    }
    heading = deathAngle;
    float speed = topSpeed * deathFlightFactor;
    point.velocity.set(std::cos(deathAngle) * speed, std::sin(deathAngle) * speed);
    steering = true;
}

void PlayerShip::update(float dt) {
    if (frozen) return;
    if (dying) updateDeath(dt);
    if (steering && !dying) point.velocity = steeringVelocity;

    point.resetForce();
    point.addDampingForce();
    point.update();

    if (minimumSpeed > 0) {
        float speed = vecLength(point.velocity);
        if (speed < minimumSpeed && speed > 0) point.velocity = vecScale(point.velocity, minimumSpeed / speed);
    }

    for (int i = TRAIL_LENGTH - 1; i > 0; --i) trail[i] = trail[i - 1];
    trail[0] = point.position;

    if (glideTimer <= 0) {
        invulnerabilityTimer -= dt;
        livesDisplayTimer -= dt;
    }

    drawnPosition = point.position;

    if (gliding) updateGlide(dt);
}

void PlayerShip::updateGlide(float dt) {
    glideTimer -= dt;
    float p = glideDuration > 0 ? 1 - glideTimer / glideDuration : 1.0f;
    if (p < 0) p = 0;
    if (p > 1) p = 1;
    point.position = vecLerp(glideStart, glideTarget, p);
    point.velocity.set(0, 0);
    point.force.set(0, 0);
    if (glideTimer <= 0.15f - glideEndDelay && !glideArrivedLatch) {
        glideArrived = true;
        glideArrivedLatch = true;
    }
    if (glideTimer <= -glideEndDelay) {
        gliding = false;
        glideFinished = true;
    }
}

void PlayerShip::kill() {
    if (dying) return;
    dying = true;
    dyingSecondPhase = false;
    deathTimer = 0;
    deathAngle = heading;
    if (sounds != nullptr) sounds->playMultiplayerComplete();
}

void PlayerShip::startLineEffect(float x, float y) {
    glideTimer = glideDuration;
    glideStart = point.position;
    glideTarget.set(x, y);
    gliding = true;
    glideArrivedLatch = false;
}

void PlayerShip::steerTowardNextShip(PlayerShip* s0, PlayerShip* s1, PlayerShip* s2, PlayerShip* s3, int ownIndex) {
    PlayerShip* ships[4] = {s0, s1, s2, s3};
    PlayerShip* target = nullptr;
    if (ownIndex >= 0 && ownIndex < 4) target = ships[(ownIndex + 1) % 4];

    // No target counts as near: hold the course.
    if (target != nullptr) {
        const ofVec2f& me = point.position;
        const ofVec2f& other = target->point.position;
        if (ofDistSquared(me.x, me.y, other.x, other.y) > 200.0f * 200.0f) {
            const float step = PI / 40;
            float t = std::atan2(other.y - me.y, other.x - me.x);
            if (std::fabs(heading - t) < 1.1f * step) {
                heading = t;
            } else {
                float counterClockwise = positiveAngle(t - heading);
                float clockwise = positiveAngle(heading - t);
                heading += clockwise <= counterClockwise ? -step : step;
            }
            if (heading < -PI) heading += TWO_PI;
            if (heading > PI) heading -= TWO_PI;
            setVelocity(heading, topSpeed);
        }
    }
    steering = true;
}

void PlayerShip::stepShipChoice(int dx) {
    const bool showOffLocked = unlockedShips == nullptr || !unlockedShips[SHIP_SHOW_OFF];
    const int direction = dx > 0 ? 1 : -1;
    int choice = randomShip ? RANDOM_CHOICE : shipType;
    choice += dx;
    // Bounded: at most one pass over Show-Off per call.
    for (int guard = 0; guard < 3; ++guard) {
        if (choice > RANDOM_CHOICE) choice = 0;
        if (choice < 0) choice = RANDOM_CHOICE;
        if (choice == SHIP_SHOW_OFF && showOffLocked) {
            choice += direction;
            continue;
        }
        break;
    }
    if (choice == RANDOM_CHOICE) {
        randomShip = true;
    } else {
        setShipType(choice);
        randomShip = false;
    }
}

void PlayerShip::handleLobbyInput(int dx, int dy, bool confirm, bool back, bool start, bool deathMatch) {
    const bool wasReady = lobbyReady;

    lobbyRow = ((lobbyRow + dy) % 2 + 2) % 2;
    if (!deathMatch && lobbyReady) lobbyRow = 1;

    const bool shipStep = !wasReady && lobbyRow == 0 && dx != 0;
    if (!wasReady) {
        if (shipStep) stepShipChoice(dx);
        if (start || (confirm && lobbyRow == 1)) {
            lobbyReady = true;
            lobbyChanged = true;
            lobbyRow = 1;
            if (sounds != nullptr) sounds->playFoeKill(1);
        }
    } else if (confirm || start) {
        if (lobbyRow == 0) settingsRequest = true;
        else startRequest = true;
    }

    if (sounds != nullptr) {
        if (dy != 0 && (!wasReady || deathMatch)) sounds->playMenuBeep();
        if (shipStep) sounds->playRockSmash();
    }

    if (back) {
        if (lobbyReady) {
            lobbyReady = false;
            lobbyChanged = true;
            lobbyRow = 0;
        } else {
            joined = false;
        }
        if (sounds != nullptr) sounds->playMenuReturn();
    }
}

void PlayerShip::setHudScale(float screenScale) {
    lineScale = std::fmax(3 * screenScale, 1.0f);
}
