#include "NoiseRing.h"

#include <cmath>

#include "VecMath.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "ofUtils.h"

void NoiseRing::setup(float x, float y, ofColor c) {
    centreX = x;
    centreY = y;
    colour = c;
    expansionSpeed = 400;
    radius = 0;
    wobbleTimeScale = 3.0f;
    wobbleAngleScale = 1.0f;
    wobbleAmount = 0.4f;
    fadeRate = 320;
    angleStep = 0.41887903f;
    for (float& alpha : segmentAlphas) alpha = 160;
    fadeTimeScale = 1.0f;
    fadeIndexScale = 1.0f;
    widestLine = 11;
    thinnestLine = 1;
    phase = ofRandom(100);
    done = false;
}

void NoiseRing::update(float dt) {
    radius += expansionSpeed * dt;
    const float t = ofGetElapsedTimef();
    bool visible = false;
    for (int i = 0; i < segments; i++) {
        segmentAlphas[i] -= ofNoise2D(t * fadeTimeScale + phase, i * fadeIndexScale) * fadeRate * dt;
        if (segmentAlphas[i] > 0) visible = true;
    }
    if (!visible) done = true;
}

void NoiseRing::draw() {
    const float t = ofGetElapsedTimef();
    for (int i = 0; i < segments; i++) {
        const int j = (i + 1) % segments;
        float cornerX[2], cornerY[2];
        const int corners[2] = {i, j};
        for (int c = 0; c < 2; c++) {
            const float a = corners[c] * angleStep;
            const float n = ofNoise2D(t * wobbleTimeScale + phase, a * wobbleAngleScale);
            const float r = radius + radius * wobbleAmount * n;
            cornerX[c] = centreX + std::cos(a) * r;
            cornerY[c] = centreY + std::sin(a) * r;
        }
        // Alphas fall below 0 between updates; GL then draws nothing.
        ofSetColor(colour.r, colour.g, colour.b, truncInt(segmentAlphas[i]));
        // Not clamped: a segment faded past 0 draws a little wider than 11.
        ofSetLineWidth(ofMap(segmentAlphas[i], 0, 255, widestLine, thinnestLine));
        ofLine(cornerX[0], cornerY[0], cornerX[1], cornerY[1]);
    }
}
