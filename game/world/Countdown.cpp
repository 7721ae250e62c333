#include "Countdown.h"

void Countdown::update(float dt) {
    remaining -= dt;
    if (remaining <= 0) done = true;
}

void Countdown::restart() {
    remaining = start;
    done = false;
}
