#include "EndingSequence.h"

void EndingSequence::setup(PixelFont* f, PlayerShip&, PlayerShip&, PlayerShip&, PlayerShip&) {
    font = f;
    doneReport = false;
}

void EndingSequence::update(float) {}

void EndingSequence::draw(int, int) {}
