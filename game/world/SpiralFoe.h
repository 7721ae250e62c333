#pragma once

#include "Foe.h"
#include "ofVec2f.h"

// Kind 1: a pinwheel star circling on two nested orbits round a centre that
// homes in on the target and drifts along the spawn heading.
class SpiralFoe : public Foe {
public:
    // Homes in on the target.
    ofVec2f orbitCentre;
    // On the outer orbit; the centre of the inner one.
    ofVec2f orbitPoint;
    float outerRadius = 0;
    float innerRadius = 0;
    // Radians per frame.
    float outerAngularSpeed = 0;
    float innerAngularSpeed = 0;
    float outerAngle = 0;
    float innerAngle = 0;
    // +1 or -1.
    int outerDirection = 1;
    int innerDirection = 1;
    // Drawing angle of the star.
    float spin = 0;
    // Position at the previous update.
    float lastX = 0;
    float lastY = 0;

    void setup() override;
    void update(float targetX, float targetY) override;
    void draw() override;
    // The triangle of NormFoe: a spiral's ghosts are triangles.
    void drawShape(float size) override;

private:
    void drawStar(float outerRadius);
};
