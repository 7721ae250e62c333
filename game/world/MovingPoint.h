#pragma once

// A point with a velocity, for shots and other moving marks; the owner adds
// the velocity to the position.
class MovingPoint {
public:
    float x = 0;
    float y = 0;
    float vx = 0;
    float vy = 0;

    void setVelocityFromAngle(float angle, float speed);
};
