#include "Tutorial.h"

void Tutorial::setup() {}

void Tutorial::restart() {
    doneReport = false;
    progress = 0;
}

void Tutorial::update(int) {}

void Tutorial::onPlayerDead() {}

void Tutorial::drawTargets() {}

void Tutorial::drawMessages() {}

void Tutorial::setWidth(int w) {
    width = w;
}
