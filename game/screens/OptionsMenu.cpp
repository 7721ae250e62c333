#include "OptionsMenu.h"

void OptionsMenu::setup(int w, int h, ofColor color) {
    width = w;
    height = h;
    textColor = color;
}

void OptionsMenu::open(bool pad, bool round) {
    padActive = pad;
    fromRound = round;
    backReport = false;
}

void OptionsMenu::update(float) {}

void OptionsMenu::mousePressed(int, int) {}

void OptionsMenu::handleInput(int, int, bool, bool) {}

void OptionsMenu::mouseMoved(int, int) {}

void OptionsMenu::finishNameEdit() {
    editingName = false;
}

void OptionsMenu::back() {}

void OptionsMenu::openRemap() {}

void OptionsMenu::openCreditsWarning() {}

void OptionsMenu::closeCreditsWarning() {
    creditsWarningOpen = false;
}

void OptionsMenu::clearButtonRows() {}

void OptionsMenu::draw(int) {}

void OptionsMenu::layout(int w) {
    width = w;
    controllerMapper.layout(w);
}
