#pragma once

#include <string>

#include "ofColor.h"

// A drifting decagon rock that starts far off one side of a centre point,
// flies inward, and breaks into smaller rocks when smashed.
class Asteroid {
public:
    void setup(ofColor color, float centreX, float centreY, int minLevel, int maxLevel, float minSpeed, float maxSpeed,
               bool complex, bool thickLines);
    void move();
    void draw(int alpha);
    // Sets this rock up as a fragment of the smashed parent (taken by value,
    // so a rock may split from a copy of itself).
    void split(Asteroid parent, float angle);

    // 16 divided level times by 0.65, truncated; 16 for negative levels.
    static int sizeForLevel(int level);

    float x = 0;
    float y = 0;
    float vx = 0;
    float vy = 0;
    int level = 0;
    int alive = 0;
    float size = 16;
    float splitRatio = 0.95f;
    float splitSpeedFactor = 1.3f;
    float splitSpread = 1.2f;
    float travelled = 0;
    ofColor color;
    int age = 0;
    int armAge = 30;
    bool smashable = false;
    bool flag2 = false;
    float sizeBase = 16;
    float sizeDivisor = 0.65f;
    bool thickLines = false;
    std::string name;
};
