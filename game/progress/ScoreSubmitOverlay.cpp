#include "ScoreSubmitOverlay.h"

void ScoreSubmitOverlay::setup() {}
void ScoreSubmitOverlay::update(float) {}
void ScoreSubmitOverlay::open(int, int, const std::vector<int>&, bool) {}
void ScoreSubmitOverlay::submit(bool) {}

void ScoreSubmitOverlay::reset() {
    shown = false;
    sending = false;
}

void ScoreSubmitOverlay::toggleAutoSubmit() {
    autoSubmit = !autoSubmit;
}

void ScoreSubmitOverlay::keyPressed(int) {}
void ScoreSubmitOverlay::handleInput(int, int, bool, bool, bool, bool) {}
void ScoreSubmitOverlay::mouseInput(int, int, bool, bool) {}

void ScoreSubmitOverlay::layout(int w) {
    width = w;
}

void ScoreSubmitOverlay::draw(int) {}
