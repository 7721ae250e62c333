#include "GoalPoint.h"

void GoalPoint::setup(float px, float py) {
    x = px;
    y = py;
}

void GoalPoint::draw() {}
