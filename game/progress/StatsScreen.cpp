#include "StatsScreen.h"

void StatsScreen::setup() {}

void StatsScreen::open() {
    backReport = false;
}

void StatsScreen::update(float) {}
void StatsScreen::mousePressed(int, int) {}
void StatsScreen::mouseReleased(int, int) {}
void StatsScreen::scrollByAxis(float) {}
void StatsScreen::mouseMoved(int, int) {}

void StatsScreen::layout(int w) {
    width = w;
}

void StatsScreen::draw(int) {}
