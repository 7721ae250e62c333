#include "ShipSelect.h"

void ShipSelect::setup(int w, int h, float s, ofColor color) {
    width = w;
    height = h;
    scale = s;
    textColor = color;
}

void ShipSelect::open(int state, bool) {
    returnState = state;
    launchReport = false;
    backReport = false;
}

void ShipSelect::update(float) {}

void ShipSelect::mousePressed(int, int) {}

void ShipSelect::browseWithSound(int) {}

void ShipSelect::toggleButton(int) {}

void ShipSelect::confirm(int) {}

void ShipSelect::back() {}

void ShipSelect::draw(int) {}

void ShipSelect::layout(int w) {
    width = w;
}

bool ShipSelect::checkUnlocks(int, int, int, int, bool) {
    return false;
}

bool ShipSelect::anyExtraUnlocked() const {
    for (int i = 1; i < 9; ++i)
        if (unlocked[i]) return true;
    return false;
}

bool ShipSelect::allUnlocked() const {
    for (int i = 1; i < 9; ++i)
        if (!unlocked[i]) return false;
    return true;
}

void ShipSelect::lockAll() {
    for (bool& u : unlocked) u = false;
}

void ShipSelect::unlockAll() {
    for (bool& u : unlocked) u = true;
}

void ShipSelect::drawUnlockMessage(MissionList&, GameCore&, bool) {}

void ShipSelect::dismissMessage() {
    if (!unlockMessages.empty()) unlockMessages.erase(unlockMessages.begin());
}
