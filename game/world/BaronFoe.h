#pragma once

#include <vector>

#include "Foe.h"
#include "Spark.h"
#include "ofVec2f.h"

class particle;

// Kind 3: the dog-fighter. It circles its ship on a lagging orbit, now and
// then sweeps round it in an arc, shies away from weapon particles and from
// time to time charges in a straight line, throwing sparks.
class BaronFoe : public Foe {
public:
    static const int historyLength = 7;

    // 0 orbit, 1 sweep, 2 charge.
    int mode = 0;
    // Where it moves in modes 0 and 1.
    float goalX = 0;
    float goalY = 0;
    // The target of the current update.
    float targetX = 0;
    float targetY = 0;
    float angleToTarget = 0;
    // Re-derive the orbit angle on the next orbit frame.
    bool enterOrbit = true;
    // Targets of the last 7 updates, index 0 the newest.
    ofVec2f targetHistory[historyLength];
    float approachSpeedMin = 0;
    float approachSpeedMax = 16;
    float approachRange = 150;
    float retreatFactor = 2.5f;
    // Its bearing on the orbit, seen from the target.
    float orbitAngle = 0;
    float orbitRadius = 375;
    float orbitRadiusMin = 200;
    float orbitRadiusMax = 550;
    // Frames until the next orbit radius.
    float radiusTimer = 70;
    float radiusTimerMax = 70;
    float radiusTimerMin = 10;
    // Orbit frames left before a sweep.
    int orbitFrames = 15;
    int orbitFramesMax = 130;
    int orbitFramesMin = 15;
    float sweepEnd = 0;
    // Orbit angle change per sweep frame.
    float sweepRate = 0.0523599f;
    float sweepRange = 3.14159265f;
    int sweepDirection = 0;
    // Share of the sweep point taken into the position each frame.
    float sweepBlend = 0.5f;
    // Counts only while the target is farther than 400.
    int chargeCountdown = 50;
    int chargeCountdownMin = 50;
    int chargeCountdownMax = 200;
    float chargeDistanceSq = 160000;
    float aimSpeed = 21;
    float chargeSpeed = 17.85f;
    // Movement per frame while charging; kept from one charge to the next.
    float velocityX = 0;
    float velocityY = 0;
    int chargeFrames = 0;
    // Length of the aiming phase minus one.
    int aimFrames = 20;
    // Frames between re-aims.
    int aimInterval = 6;
    // In the straight phase of a charge.
    bool charging = false;
    int chargeLength = 30;
    // Weapon particles to shy away from. Not owned: the owner of those
    // particles clears or deletes the foe before they go.
    std::vector<particle*> dodgeList;
    float dodgeRadiusSq = 75625;
    // Largest push of the goal per particle.
    float dodgePush = 150;
    float wingAngle = 2.7488935f;
    float wingLength = 50;
    float notchDepth = 34;
    // The dart's corners in its own frame, x forward.
    ofVec2f nose;
    ofVec2f notch;
    ofVec2f wingUpper;
    ofVec2f wingLower;
    // Thrown during a charge; stepped and drawn by draw.
    std::vector<Spark> sparks;

    void setup() override;
    void update(float targetX, float targetY) override;
    void draw() override;
    void drawShape(float size) override;

    // A null pointer is ignored.
    void addTarget(particle* p);

private:
    void orbitStep(float distanceSq);
    void sweepStep();
    void chargeStep();
    void throwSpark();
};
