#include "MovingPoint.h"

#include <cmath>

void MovingPoint::setVelocityFromAngle(float angle, float speed) {
    vx = std::cos(angle) * speed;
    vy = std::sin(angle) * speed;
}
