#include <algorithm>
#include <cmath>

#include "GameCore.h"
#include "ofLog.h"
#include "ofMath.h"

namespace {

bool validSlot(int player, const char* operation) {
    if (player >= 0 && player <= 3) return true;
    ofLogWarning("GameCore") << operation << ": no player slot " << player;
    return false;
}

}  // namespace

void GameCore::openOptions(bool beep, int flag) {
    optionsMenu.open(gamePad, flag != 0);
    gameState = GameState::Options;
    if (beep)
        soundBank.playMenuBeep();
    else
        soundBank.playMenuReturn();
    menuTime = 0;
}

void GameCore::openLeaderboards(int flag) {
    leaderboardScreen.open(gamePad, flag != 0);
    gameState = GameState::Leaderboards;
    soundBank.playMenuBeep();
    menuTime = 0;
}

void GameCore::openLevelSelect() {
    gameState = GameState::LevelSelect;
    soundBank.playFoeKill(1);
    if (matchSettings.randomLives) matchSettings.value = 5;
    for (int i = 0; i < 4; ++i) {
        players[i].lives = matchSettings.value;
        if (!slotInLobby[i]) players[i].joined = false;
    }
    menuTime = 0;
    levelSelectTime = 0;
}

void GameCore::joinPlayer(int player) {
    if (!validSlot(player, "joinPlayer") || players[player].joined) return;
    players[player].joined = true;
    slotInLobby[player] = true;
    playerCount = std::max(playerCount, player + 1);
    lifeClock[player] = 0;
    joinBurst[player] = true;
    int joinedCount = 0;
    for (int i = 0; i < playerCount && i < 4; ++i)
        if (players[i].joined) ++joinedCount;
    soundBank.playFoeKill(joinedCount);
}

void GameCore::steerByStick(float x, float y, int player) {
    if (!validSlot(player, "steerByStick")) return;
    if (endingActive && player != 0) return;
    PlayerShip& ship = players[player];
    if (ship.frozen) return;
    if (x == 0 && y == 0) {
        ship.steering = false;
        return;
    }
    const float d = std::sqrt(x * x + y * y);
    const float speed = ofMap(d * d, 0, 1, ship.minimumSpeed, ship.topSpeed, true);
    ship.steering = true;
    ship.setVelocity(std::atan2(y, x), speed);
}

void GameCore::steerByMouse(int mouseX, int mouseY, int player) {
    (void)player;  // the mouse always steers the first ship
    PlayerShip& ship = players[0];
    if (ship.frozen) return;
    mouseTarget.set(mouseX - screenWidth / 2.0f + camera.x - ship.point.position.x,
                    mouseY - screenHeight / 2.0f + camera.y - ship.point.position.y);
    mouseTargetClamped = false;
    float length = std::sqrt(mouseTarget.x * mouseTarget.x + mouseTarget.y * mouseTarget.y);
    if (length > steeringRadius) {
        mouseTarget.set(mouseTarget.x / length * steeringRadius, mouseTarget.y / length * steeringRadius);
        mouseTargetClamped = true;
        length = steeringRadius;
    }
    const float speed = ofMap(length / steeringRadius, 0, 1, ship.minimumSpeed, ship.topSpeed, true);
    ship.steering = true;
    ship.setVelocity(std::atan2(mouseTarget.y, mouseTarget.x), speed);
}

void GameCore::mouseDragged(int button, int x, int y) {
    // The control wheel below the control area steers only in the touch layout.
    if (button == 0 && gameState == GameState::Playing && touchBuild && y >= controlAreaTop) players[0].steering = true;
    if (gameState == GameState::Stats)
        statsScreen.mouseDragged(x, y);
    else if (gameState == GameState::Leaderboards)
        leaderboardScreen.mouseDragged(x, y);
}

void GameCore::mouseReleased(int button, int x, int y) {
    if (button == 0) players[0].steering = false;
    if (gameState == GameState::Stats)
        statsScreen.mouseReleased(x, y);
    else if (gameState == GameState::Leaderboards)
        leaderboardScreen.mouseReleased(x, y);
    if (pauseButton.inside(static_cast<float>(x), static_cast<float>(y)) && pauseAllowed) setPaused(true);
}

void GameCore::setPaused(bool on) {
    if (gameState != GameState::Playing) return;
    // The match's closing countdown has begun: no pausing now.
    if (deathMatch && matchEndTimer < matchEndLength) return;
    paused = on;
    if (!touchBuild) {
        missionList.resumeHover = false;
        missionList.abortHover = false;
    }
    if (on) missionList.pickEncouragement();
    soundBank.playMenuBeep();
    if (!(deathMatch && matchClock < matchStartDelay)) soundBank.playMusic(!on, static_cast<int>(gameMode));
    if (on) raiseStat("pause_count");
    menuTime = 0;
}

void GameCore::openScoreSubmit() {
    if (!scoreSubmitOverlay.available || scoreSubmitOverlay.busy) return;
    scoreSubmitOverlay.open(static_cast<int>(players[0].score), static_cast<int>(gameMode), roundShipTypes(),
                            false);
    gameState = GameState::ScoreSubmit;
    soundBank.playMenuBeep();
}
