#include "GameCore.h"

namespace {

// A button the draw left empty was not shown, so it takes no press.
bool hit(const ofRectangle& button, float x, float y) {
    return button.width > 0 && button.height > 0 && button.inside(x, y);
}

}  // namespace

void GameCore::mousePressed(int button, int px, int py) {
    if (button != 0) return;
    if (!shipSelect.unlockMessages.empty()) {
        shipSelect.dismissMessage();
        return;
    }
    const float x = static_cast<float>(px);
    const float y = static_cast<float>(py);
    switch (gameState) {
        case GameState::RoundOver:
            mousePressedRoundOver(x, y);
            break;
        case GameState::Playing:
            mousePressedPlaying(x, y);
            break;
        case GameState::ArcadeMenu:
            mousePressedArcadeMenu(x, y);
            break;
        case GameState::ShipSelect:
            shipSelect.mousePressed(px, py);
            break;
        default:
            break;
    }
    if (gameState == GameState::Stats)
        statsScreen.mousePressed(px, py);
    else if (gameState == GameState::Options)
        optionsMenu.mousePressed(px, py);
    else if (gameState == GameState::Leaderboards)
        leaderboardScreen.mousePressed(px, py);
}

void GameCore::mousePressedRoundOver(float x, float y) {
    if (missionRound && missionList.showingResults) {
        missionList.dismissResults();
        return;
    }
    if (roundOverTimer > -0.4f) return;
    if (hit(menuButton, x, y)) {
        returnToMenu(true);
    } else if (hit(submitButton, x, y) && !scoreSubmitOverlay.sent) {
        openScoreSubmit();
    } else if (hit(leaderboardButton, x, y)) {
        leaderboardScreen.difficulty = static_cast<int>(gameMode);
        openLeaderboards(1);
    } else if (shipSelect.anyExtraUnlocked()) {
        openShipSelect(static_cast<int>(GameState::ArcadeMenu), gamePad);
    } else {
        startRound(true);
    }
}

void GameCore::mousePressedPlaying(float x, float y) {
    if (!paused && !startHold) {
        pausePressed = hit(pauseButton, x, y);
    } else if (!startHold) {
        if (hit(resumeButton, x, y))
            setPaused(false);
        else if (hit(abortButton, x, y))
            abortRound();
        if (gameState == GameState::Playing && hit(optionsButton, x, y)) openOptions(true, 1);
    } else {
        if (holdTime > 0.4f && hit(holdResumeButton, x, y)) {
            setPaused(false);
            startHold = false;
            missionBriefing = false;
            soundBank.restartMusic();
        }
        if (hit(optionsButton, x, y)) openOptions(true, 1);
    }
    // The control wheel exists only in the touch layout.
    if (touchBuild && y >= controlAreaTop) players[0].steering = true;
}

void GameCore::mousePressedArcadeMenu(float x, float y) {
    if (hit(arrowLeftButton, x, y)) {
        cycleDifficulty(-1, static_cast<int>(gameMode));
    } else if (hit(arrowRightButton, x, y)) {
        cycleDifficulty(1, static_cast<int>(gameMode));
    } else if ((hit(playButton, x, y) || hit(shipArea, x, y)) && stateTime > 0.4f) {
        startFromArcadeMenu();
    } else if (hit(backButton, x, y) && stateTime > 0.4f) {
        returnToMenu(true);
    }
}

void GameCore::startFromArcadeMenu() {
    if (gameMode == GameMode::Intro) {
        tutorial.restart();
        players[0].setShipType(0);
        startRound(true);
    } else if (!coop && shipSelect.anyExtraUnlocked()) {
        openShipSelect(static_cast<int>(GameState::ArcadeMenu), gamePad);
    } else {
        startRound(true);
    }
}

void GameCore::abortRound() {
    if (deathMatch) {
        for (PlayerShip& ship : players) {
            ship.lives = 0;
            ship.frozen = true;
        }
        paused = false;
        zoomTarget = zoomDefault;
        soundBank.playMenuReturn();
        soundBank.playMusic(true, static_cast<int>(GameMode::Multiplayer));
        openLobby(true, false, false);
        return;
    }
    const GameMode mode = gameMode;
    if (mode == GameMode::Mission || mode == GameMode::Intro) {
        scoreSubmitOverlay.available = false;
        soundBank.restartMusic();
    }
    const int slots = playerCount < 1 ? 1 : (playerCount > 4 ? 4 : playerCount);
    for (int i = 0; i < slots; ++i) {
        if (players[i].frozen) continue;
        shipAborted[i] = true;
        playerDied(false, i);
    }
    gameState = GameState::RoundOver;
    roundOverTimer = roundOverLength * 0.5f;
    if (mode == GameMode::Intro) {
        // The intro's death handling may move on to another mode; an aborted
        // intro ends in the menu with the intro still ahead.
        gameMode = mode;
        returnToMenu(false);
    }
}
