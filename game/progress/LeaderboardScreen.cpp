#include "LeaderboardScreen.h"

void LeaderboardScreen::setup() {}

void LeaderboardScreen::open(bool, bool gameOver) {
    fromGameOver = gameOver;
    backReport = false;
}

void LeaderboardScreen::update(float) {}
void LeaderboardScreen::mousePressed(int, int) {}
void LeaderboardScreen::mouseReleased(int, int) {}
void LeaderboardScreen::scrollByAxis(float) {}
void LeaderboardScreen::mouseMoved(int, int) {}
void LeaderboardScreen::requestBack() {}
void LeaderboardScreen::handleInput(int, int, bool) {}

void LeaderboardScreen::layout(int w) {
    width = w;
}

void LeaderboardScreen::draw(int) {}
