#include "BaronFoe.h"

#include <cmath>

#include "ofGraphics.h"
#include "ofMath.h"
#include "particle.h"

namespace {

const float kPi = 3.14159265f;

// The unit vector of (x, y); (0, 0) at length 0.
ofVec2f unit(float x, float y) {
    return ofVec2f(x, y).getNormalized();
}

}  // namespace

void BaronFoe::setup() {
    type = 3;
    size = 20;
    hitRadius = 26;
    speed = 8;

    mode = 0;
    goalX = goalY = 0;
    targetX = targetY = 0;
    angleToTarget = 0;
    enterOrbit = true;
    for (ofVec2f& t : targetHistory) t.set(0, 0);
    approachSpeedMin = 0;
    approachSpeedMax = 16;
    approachRange = 150;
    retreatFactor = 2.5f;
    orbitAngle = 0;
    orbitRadiusMin = 200;
    orbitRadiusMax = 550;
    orbitRadius = 0.5f * orbitRadiusMin + 0.5f * orbitRadiusMax;
    radiusTimer = 70;
    radiusTimerMax = 70;
    radiusTimerMin = 10;
    orbitFramesMax = 130;
    orbitFramesMin = 15;
    orbitFrames = static_cast<int>(ofRandomRange(orbitFramesMin, orbitFramesMax));
    sweepEnd = 0;
    sweepRate = 0.0523599f;
    sweepRange = kPi;
    sweepDirection = 0;
    sweepBlend = 0.5f;
    chargeCountdownMin = 50;
    chargeCountdownMax = 200;
    chargeCountdown = static_cast<int>(ofRandomRange(chargeCountdownMin, chargeCountdownMax));
    chargeDistanceSq = 160000;
    aimSpeed = 21;
    chargeSpeed = 17.85f;
    velocityX = velocityY = 0;
    chargeFrames = 0;
    aimFrames = 20;
    aimInterval = 6;
    charging = false;
    chargeLength = 30;
    dodgeList.clear();
    dodgeRadiusSq = 75625;
    dodgePush = 150;
    wingAngle = 2.7488935f;
    wingLength = 2.5f * size;
    notchDepth = 1.7f * size;
    nose.set(1.25f * size, 0);
    notch.set(nose.x - notchDepth, 0);
    wingUpper.set(nose.x + std::cos(wingAngle) * wingLength, nose.y + std::sin(wingAngle) * wingLength);
    // The lower wing is 10 % longer.
    wingLower.set(nose.x + std::cos(-wingAngle) * wingLength * 1.1f,
                  nose.y + std::sin(-wingAngle) * wingLength * 1.1f);
    sparks.clear();
}

void BaronFoe::addTarget(particle* p) {
    if (p) dodgeList.push_back(p);
}

void BaronFoe::update(float tx, float ty) {
    targetX = tx;
    targetY = ty;
    for (int i = historyLength - 1; i > 0; i--) targetHistory[i] = targetHistory[i - 1];
    targetHistory[0].set(tx, ty);
    angleToTarget = std::atan2(ty - y, tx - x);
    const float d2 = ofDistSquared(tx, ty, x, y);

    if (mode == 0) {
        orbitStep(d2);
    } else if (mode == 1) {
        sweepStep();
    } else if (mode == 2) {
        chargeStep();
    }

    // Skipped in the frame a charge starts, run in the frame one ends.
    if (mode != 2) {
        if (d2 > chargeDistanceSq) {
            chargeCountdown -= 1;
            if (chargeCountdown <= 0) {
                mode = 2;
                chargeFrames = aimFrames + 1;
                charging = false;
                chargeCountdown = static_cast<int>(ofRandomRange(chargeCountdownMin, chargeCountdownMax));
            }
        }
        if (mode != 2) {
            float factor = 1;
            const float distance = std::sqrt(d2);
            // A sweep can shrink the orbit to nothing; only a real orbit has
            // an inside to back out of.
            if (orbitRadius > 20 && distance < orbitRadius - 20) {
                factor = (1 - distance / orbitRadius) * retreatFactor;
                const float backX = tx + std::cos(angleToTarget + kPi) * orbitRadius;
                const float backY = ty + std::sin(angleToTarget + kPi) * orbitRadius;
                goalX = 0.5f * goalX + 0.5f * backX;
                goalY = 0.5f * goalY + 0.5f * backY;
            }
            for (const particle* p : dodgeList) {
                if (!p) continue;
                const float pd2 = ofDistSquared(p->position.x, p->position.y, x, y);
                if (pd2 < dodgeRadiusSq) {
                    const float w = 1 - pd2 / dodgeRadiusSq;
                    const ofVec2f u = unit(x - p->position.x, y - p->position.y);
                    goalX += u.x * w * dodgePush;
                    goalY += u.y * w * dodgePush;
                }
            }
            const ofVec2f u = unit(goalX - x, goalY - y);
            const float step =
                ofMap(ofDist(x, y, goalX, goalY), 0, approachRange, approachSpeedMin, approachSpeedMax, true) *
                factor;
            x += u.x * step;
            y += u.y * step;
            heading = angleToTarget;
        }
    }

    shiftTrail();
    for (int i = static_cast<int>(sparks.size()) - 1; i >= 0; i--) {
        if (sparks[i].life < 1) sparks.erase(sparks.begin() + i);
    }
}

void BaronFoe::orbitStep(float distanceSq) {
    if (enterOrbit) {
        enterOrbit = false;
        orbitAngle = angleToTarget + kPi;
    }
    // Holds its bearing from where the target was six updates ago.
    const ofVec2f& lagging = targetHistory[historyLength - 1];
    goalX = lagging.x + std::cos(orbitAngle) * orbitRadius;
    goalY = lagging.y + std::sin(orbitAngle) * orbitRadius;

    radiusTimer -= 1;
    if (radiusTimer <= 0) {
        orbitRadius = ofRandomRange(orbitRadiusMin, orbitRadiusMax);
        radiusTimer = ofRandomRange(radiusTimerMin, radiusTimerMax);
    }

    orbitFrames -= 1;
    if (orbitFrames < 1) {
        orbitFrames = static_cast<int>(ofRandomRange(orbitFramesMin, orbitFramesMax));
        mode = 1;
        orbitRadius = std::sqrt(distanceSq);
        orbitAngle = angleToTarget + kPi;
        sweepEnd = orbitAngle + ofRandomRange(-sweepRange, sweepRange);
        sweepDirection = orbitAngle < sweepEnd ? 1 : -1;
    }
}

void BaronFoe::sweepStep() {
    orbitAngle += sweepDirection * sweepRate;
    goalX = targetX + std::cos(orbitAngle) * orbitRadius;
    goalY = targetY + std::sin(orbitAngle) * orbitRadius;
    // A half jump now; the common move then takes it further.
    x = x * (1 - sweepBlend) + goalX * sweepBlend;
    y = y * (1 - sweepBlend) + goalY * sweepBlend;
    if (std::fabs(orbitAngle - sweepEnd) < 1.5f * sweepRate) mode = 0;
}

void BaronFoe::chargeStep() {
    chargeFrames -= 1;
    const ofVec2f& t = targetHistory[0];
    if (!charging) {
        if (aimInterval != 0 && chargeFrames % aimInterval == 0) {
            const ofVec2f u = unit(t.x - x, t.y - y);
            velocityX = u.x * aimSpeed;
            velocityY = u.y * aimSpeed;
        }
        if (chargeFrames < 1) {
            chargeFrames = chargeLength;
            charging = true;
            const ofVec2f u = unit(t.x - x, t.y - y);
            velocityX = u.x * chargeSpeed;
            velocityY = u.y * chargeSpeed;
        }
    }
    if (charging && chargeFrames < 1) {
        mode = 0;
        orbitAngle = angleToTarget + kPi;
    }
    // A shaking nose.
    heading = std::atan2(velocityY, velocityX) + ofRandomRange(-kPi / 16, kPi / 16);
    x += velocityX;
    y += velocityY;
    throwSpark();
}

void BaronFoe::throwSpark() {
    Spark spark;
    spark.setup(x, y, color);
    spark.life = 11;
    const float direction = heading + ofRandomRange(-kPi / 6, kPi / 6);
    const float sparkSpeed = ofRandomRange(5, 7);
    spark.vx = std::cos(direction) * sparkSpeed;
    spark.vy = std::sin(direction) * sparkSpeed;
    sparks.push_back(spark);
}

void BaronFoe::drawShape(float) {
    // Ghosts are drawn at the foe's own size.
    ofBeginShape();
    ofVertex(nose.x, nose.y);
    ofVertex(wingUpper.x, wingUpper.y);
    ofVertex(notch.x, notch.y);
    ofVertex(wingLower.x, wingLower.y);
    ofEndShape(true);
}

void BaronFoe::draw() {
    ofSetLineWidth(1 + thickLines);
    ofPushMatrix();
    ofTranslate(x, y);
    ofRotate(ofRadToDeg(heading));
    ofScale(pulseScale, pulseScale, 1);
    ofFill();
    setFillColor();
    drawShape(size);
    ofNoFill();
    setOutlineColor();
    drawShape(size);
    // A stripe in the upper wing.
    const float stripeX = nose.x - 12;
    ofTriangle(stripeX, 0, stripeX + std::cos(wingAngle) * (wingLength - 24),
               std::sin(wingAngle) * (wingLength - 24), notch.x + 6, 0);
    ofPopMatrix();
    for (int i = static_cast<int>(sparks.size()) - 1; i >= 0; i--) sparks[i].stepAndDraw();
}
