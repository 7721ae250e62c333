#pragma once

#include "Foe.h"

// Kind 0: a triangle that steers at its target with a limited turn rate and
// speeds up with distance and age. Its big variant (makeBig) is larger,
// faster, pink and drawn as three noisy triangles.
class NormFoe : public Foe {
public:
    void setup() override;
    void update(float targetX, float targetY) override;
    void draw() override;
    void drawShape(float size) override;

    // Call right after spawn.
    void makeBig(float speed, float turnFactor, float maxSpeed);

private:
    void drawBig();
};
