#pragma once

#include "Foe.h"

// Kind 2: a hexagon that flies straight at its target from afar and, once
// close, darts between random way-points round it.
class JitterFoe : public Foe {
public:
    float waypointX = 0;
    float waypointY = 0;
    // Radius of the circle of way-points round the target.
    float jitterRadius = 200;
    // Jitters at or within this distance of the target.
    float engageRadius = 600;
    bool needWaypoint = true;
    // A way-point closer than this is reached.
    float arriveRadius = 10;

    void setup() override;
    void update(float targetX, float targetY) override;
    void draw() override;
    void drawShape(float size) override;

private:
    void pickWaypoint(float targetX, float targetY);
};
