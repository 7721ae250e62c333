#pragma once

#include "ofColor.h"

// One fragment of an explosion: a shrinking, spinning polygon that fades out.
// Owners keep sparks by value, call stepAndDraw once per drawn frame and drop
// a spark once its life falls below 1.
class Spark {
public:
    float x = 0;
    float y = 0;
    float vx = 0;
    float vy = 0;
    int life = 0;
    ofColor colour;
    float sizeDivisor = 2.0f;
    float alphaFactor = 1.0f;
    // Rarer, faster and longer-lived; drawn as a line.
    bool big = false;

    void setup(float x, float y, ofColor colour);
    // A spark set up at a random spot within reach of (x, y): a random angle,
    // then one random distance, or one for each axis when perAxis is set.
    static Spark scattered(float x, float y, float reach, ofColor colour, bool perAxis = false);
    // Draws the spark as it is, then ages and moves it by one frame.
    void stepAndDraw();
};
