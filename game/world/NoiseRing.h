#pragma once

#include "ofColor.h"

// An expanding shock-wave ring of 15 segments that wobble and fade, each at
// its own noise-driven rate. The owner updates it, draws it and drops it once
// done.
class NoiseRing {
public:
    static const int segments = 15;

    float centreX = 0;
    float centreY = 0;
    ofColor colour;
    // Radius gained per second.
    float expansionSpeed = 400;
    float radius = 0;
    float wobbleTimeScale = 3.0f;
    float wobbleAngleScale = 1.0f;
    // Depth of the wobble relative to the radius.
    float wobbleAmount = 0.4f;
    // Alpha lost per second at full noise.
    float fadeRate = 320;
    float angleStep = 0.41887903f;
    float segmentAlphas[segments] = {160, 160, 160, 160, 160, 160, 160, 160, 160, 160, 160, 160, 160, 160, 160};
    float fadeTimeScale = 1.0f;
    float fadeIndexScale = 1.0f;
    // Line width at alpha 0 and at alpha 255.
    float widestLine = 11;
    float thinnestLine = 1;
    // Random noise offset, so rings differ.
    float phase = 0;
    bool done = false;

    void setup(float x, float y, ofColor colour);
    void update(float dt);
    void draw();
};
