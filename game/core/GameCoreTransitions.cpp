#include "GameCore.h"
#include "ofAppRunner.h"

void GameCore::returnToMenu(bool playSound) {
    if (gameMode == GameMode::Multiplayer || gameMode == GameMode::Mission) gameMode = GameMode::Easy;

    menuTime = 0;
    if (playSound) soundBank.playMenuReturn();

    deathMatch = false;
    zoomTarget = zoomDefault;
    coop = false;
    missionRound = false;
    paused = false;
    startHold = false;
    missionBriefing = false;
    killSequenceRunning = false;
    // A menu reached from the intro must not restart the intro behind it.
    introRestart = false;

    if (exhibition) {
        gameMode = GameMode::Hard;
        startRound(false);
        matchSettings.matchType = MatchSettings::Score;
        matchSettings.value = 5;
        matchSettings.minutes = 2;
        matchSettings.foeAmount = 2;
        for (PlayerShip& ship : players) ship.joined = false;
    }
    gameState = GameState::MainMenu;
    mainMenu.reset();
    cursorWanted = false;
    ofHideCursor();

    idleTime = 0;
    roundCount = 0;
    menuIdleTime = 0;
    menuIdleNoted = false;
    stateTime = 0;

    if (!exhibition) {
        cursorWanted = true;
        cursorShown = true;
        ofShowCursor();
    }

    for (PlayerShip& ship : players) ship.joined = false;
}

void GameCore::openShipSelect(int returnState, bool flag) {
    shipSelect.open(returnState, flag);
    startRound(false);
    menuTime = 0;
    chainCap = 12;
    gameState = GameState::ShipSelect;
}

void GameCore::openLobby(bool match, bool resetPlayers, bool playSound) {
    if (exhibition && roundCount >= roundLimit) {
        returnToMenu(true);
        return;
    }
    stateTime = 0;
    playerCount = 0;
    gameState = GameState::MultiplayerLobby;
    deathMatch = match;
    coop = !match;
    if (match) gameMode = GameMode::Multiplayer;
    matchContinue = false;

    for (int i = 0; i < 4; ++i) {
        PlayerShip& ship = players[i];
        if (resetPlayers) {
            const bool joined = ship.joined;
            ship.setup(playerColors[i], false, false, &soundBank, &font);
            ship.joined = joined;
            ship.lobbyReady = false;
            ship.lobbyRow = 0;
        } else if (ship.lobbyReady) {
            ship.lobbyRow = 1;
        }
        lifeClock[i] = 10;
        if (ship.joined) playerCount = i + 1;
        ship.unlockedShips = shipSelect.unlocked;
    }

    if (playSound) soundBank.playMenuBeep();
    menuTime = 0;
}

void GameCore::startCreditsRun() {
    creditsScreen.start();
    deathMatch = false;
    coop = false;
    gameMode = GameMode::Easy;
    for (PlayerShip& ship : players) {
        ship.lobbyReady = false;
        ship.joined = false;
    }
    playerCount = 1;
    startRound(true);
}

void GameCore::startEnding() {
    endingActive = true;
    skyRound = false;

    while (!foes.empty()) destroyFoe(static_cast<int>(foes.size()) - 1, false, false);
    while (!asteroids.empty()) destroyAsteroid(static_cast<int>(asteroids.size()) - 1, true, -1, -1);

    soundBank.playMusic(false, static_cast<int>(gameMode));

    playerCount = 4;
    for (int i = 1; i < 4; ++i) players[i].setup(playerColors[i], false, false, &soundBank, &font);
    endingSequence.setup(&font, players[0], players[1], players[2], players[3]);
    for (int i = 1; i < 4; ++i) placeWeapons(i, false);
}
