#pragma once

#include <string>

#include "ofColor.h"
#include "ofVec2f.h"

// The common base of every enemy and smashable target. The core keeps all foes
// of a round in one list of Foe pointers, owns them (new, then delete through
// this base) and reads and writes the public fields by name.
class Foe {
public:
    static const int trailLength = 45;

    Foe() = default;
    virtual ~Foe() = default;

    // Kind: 0 NormFoe, 1 SpiralFoe, 2 JitterFoe, 3 BaronFoe, 4 DummyFoe,
    // 5 SnitchFoe, 6 CoopRegen; -1 until a class's setup sets it.
    int type = -1;
    float x = 0;
    float y = 0;
    float size = 18.0f;
    float hitRadius = 25.2f;
    // Largest heading change per frame, radians.
    float turnRate = 0.0418879f;
    float speed = 0;
    float maxSpeed = 14.0f;
    float heading = 0;
    // Distance boost: boostMin at distance 0 up to boostMax at boostRange.
    float boostRange = 1600.0f;
    float boostMin = 0;
    float boostMax = 17.0f;
    float boostExponent = 2.8f;
    // Extra speed gathered over the foe's life.
    float speedGain = 0;
    float gainRange = 3500.0f;
    float gainMax = 0.7f;
    ofColor color;
    bool thickLines = false;
    // Written by the core every frame.
    float pulseOffset = 0;
    float pulseScale = 1;
    float killValue = 7.0f;
    // Run its course: the core drops it without a kill.
    bool expired = false;
    // Index 0 the newest.
    ofVec2f trailPos[trailLength];
    float trailHeading[trailLength] = {};
    bool dying = false;
    float deathFraction = 0;
    bool isBig = false;
    // Throws sparks off both flanks while drawn by the core; no kind sets it yet.
    bool sideSparks = false;

    // Places the foe on a circle round (centreX, centreY), heading for the
    // world origin, then runs the class's setup and fills the trail.
    void spawn(ofColor color, float angle, float centreX, float centreY, bool thickLines, bool far);
    // Oldest entry falls off; the current position and heading go in front.
    void shiftTrail();
    // 15 fading copies of drawShape along the trail, with a pulse running
    // along it once every 45 frames.
    void drawGhostTrail();

    virtual void setup() {}
    virtual void update(float targetX, float targetY) {
        (void)targetX;
        (void)targetY;
    }
    virtual void draw() {}
    // The outline shape centred on the origin.
    virtual void drawShape(float size) { (void)size; }
    virtual std::string label() { return std::string(); }

protected:
    // The speed rule NormFoe and SpiralFoe share; d is the distance to the target.
    // Grows speedGain while speed + speedGain is below maxSpeed.
    void gainSpeed(float d);
    // The distance boost of this frame (not stored).
    float distanceBoost(float d) const;
    // Fill (r, g, b, 100) and outline (r, g, b + pulseOffset) colours. The
    // outline channels may exceed 255; GL saturates them, a byte would wrap.
    void setFillColor() const;
    void setOutlineColor(int alpha = 255) const;
    // The common body: a filled polygon of the given corner count, outlined,
    // with an inner outline at half size, turned to the heading and pulsing.
    void drawPolygonBody(int corners) const;
};
