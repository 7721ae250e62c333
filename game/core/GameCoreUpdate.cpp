#include <algorithm>
#include <iostream>

#include "GameCore.h"
#include "ofAppRunner.h"
#include "ofUtils.h"

namespace {

int modeIndex(GameMode mode) {
    return static_cast<int>(mode);
}

}  // namespace

void GameCore::update() {
    if (!updateFrameStart()) return;
    updateRoundStep();
    updateScreens();
    updateFrameEnd();
}

bool GameCore::updateFrameStart() {
    const float clock = ofGetElapsedTimef();
    if (ofGetFrameNum() <= 1) lastTime = clock;
    frameTime = clock - lastTime;
    lastTime = clock;
    stateTime += frameTime;

    if (splashActive) {
        splashTime += frameTime;
        if (splashTime >= splashLength) splashActive = false;
    }

    if (gameState == GameState::Attract) {
        attractPrompt.update(frameTime);
        if (attractPrompt.resetRequested) {
            attractPrompt.resetRequested = false;
            startRound(false);
            returnToMenu(true);
        }
        return false;
    }

    menuTime += frameTime;
    if (rockFlashTime > 0) rockFlashTime -= frameTime;
    if (deathFlashTime > 0) deathFlashTime -= frameTime;

    // A death match counts play only until it is decided.
    if (!paused && (!deathMatch || !matchOver)) playTime += frameTime;

    updateSideSequences();

    if (startHold && gameState != GameState::ShipSelect) {
        paused = true;
        holdTime += frameTime;
    }

    if (gameState == GameState::ShipSelect) updateShipSelect();
    if (gameState == GameState::MultiplayerLobby) updateLobby();
    return true;
}

int GameCore::liveFoeCount() const {
    int live = 0;
    for (const Foe* foe : foes)
        if (foe != nullptr && !foe->dying && !foe->expired) ++live;
    return live;
}

void GameCore::updateSideSequences() {
    if (gameMode == GameMode::Intro && !paused) {
        tutorial.update(liveFoeCount());
        if (tutorial.doneReport) {
            tutorial.doneReport = false;
            bestScores[modeIndex(GameMode::Intro)] = 1;
            savePlayerData();
            playerDied(false, 0);
        }
    }

    if (creditsScreen.active) {
        creditsScreen.update(frameTime);
        if (creditsScreen.finished && gameState == GameState::Playing) {
            if (!creditsScreen.wasHit) achievementTracker.awardPerfectCreditsRun();
            playerDied(false, 0);
        }
    }

    if (endingActive) {
        endingSequence.update(paused ? 0 : frameTime);
        if (endingSequence.doneReport) {
            endingSequence.doneReport = false;
            endingActive = false;
            if (!players[0].frozen && !players[0].dying) playerDied(false, 0);
        }
    }
}

void GameCore::updateShipSelect() {
    shipSelect.update(frameTime);
    if (shipSelect.launchReport) {
        shipSelect.launchReport = false;
        startRound(true);
        savePlayerData();
    }
    if (shipSelect.backReport) {
        shipSelect.backReport = false;
        gameState = static_cast<GameState>(shipSelect.returnState);
        if (gameState == GameState::MainMenu) returnToMenu(false);
        menuTime = 0;
        savePlayerData();
    }
}

void GameCore::updateLobby() {
    bool changed = false;
    int ready = 0;
    bool joinedNotReady = false;
    for (PlayerShip& ship : players) {
        if (ship.lobbyChanged) {
            ship.lobbyChanged = false;
            changed = true;
        }
        // "Start" on a ready slot asks to go on: it counts as a ready change.
        if (ship.startRequest) {
            ship.startRequest = false;
            changed = true;
        }
        if (!ship.joined) continue;
        if (ship.lobbyReady)
            ++ready;
        else
            joinedNotReady = true;
    }
    if (changed) {
        if (ready < 2 || joinedNotReady) {
            if (!soundBank.soundMuted) soundBank.error.play();
            for (int i = 0; i < 4; ++i)
                if (players[i].joined && !players[i].lobbyReady) lifeClock[i] = 0;
        } else if (!deathMatch) {
            soundBank.playFoeKill(1);
            stateTime = 0;
            gameState = GameState::ArcadeMenu;
        } else {
            openLevelSelect();
        }
    }
    for (PlayerShip& ship : players) {
        if (!ship.settingsRequest) continue;
        ship.settingsRequest = false;
        gameState = GameState::MultiplayerSettings;
        for (PlayerShip& other : players) other.lobbyRow = 0;
        soundBank.playFoeKill(1);
        stateTime = 0;
        menuTime = 0;
    }
}

void GameCore::updateRoundStep() {
    if (!paused) updateWorld();
    if (!paused || gameState != GameState::Playing) {
        for (PopupMessage& popup : popups) popup.update(frameTime);
        popups.erase(std::remove_if(popups.begin(), popups.end(), [](const PopupMessage& p) { return p.dead; }),
                     popups.end());
    }

    if (paused || gameState != GameState::Playing) soundBank.updateThrust(0, -1);
    if (killSequence) updateKillSequence();
    if (missionRound) missionList.updateSparks(frameTime);

    blendBackground();
    if ((coop || deathMatch) && gameState != GameState::MultiplayerLobby &&
        gameState != GameState::MultiplayerSettings && gameState != GameState::LevelSelect)
        updateMultiplayer();
    updateView();

    slideTimer += frameTime;
    scoreSubmitOverlay.poll();
}

void GameCore::updateScreens() {
    if (gameState == GameState::ShipSelect) {
        // The preview follows the ship being browsed.
        PlayerShip& ship = players[0];
        for (int k = 0; k < 12; ++k) {
            if (weaponPoints[0][k] != nullptr) weaponPoints[0][k]->setupForShip(ship.shipType, uiScale, colorBlind);
            weaponSprings[0][k].setupForShipType(ship.shipType, k);
        }
    }
    if (gameState == GameState::MainMenu) updateMainMenu();
    if (gameState == GameState::Stats) {
        statsScreen.update(frameTime);
        if (statsScreen.backRequested) {
            statsScreen.backRequested = false;
            optionsMenu.open(gamePad, optionsMenu.fromRound);
            gameState = GameState::Options;
            soundBank.playMenuReturn();
            menuTime = 0;
        }
    }
    if (gameState == GameState::Options) updateOptionsScreen();
    if (gameState == GameState::ScoreSubmit) {
        scoreSubmitOverlay.update(frameTime);
        if (scoreSubmitOverlay.done) {
            scoreSubmitOverlay.done = false;
            submitButtonBlink = false;
            gameState = GameState::RoundOver;
            savePlayerData();
        }
    }
    if (gameState == GameState::ArcadeNameEntry && arcadeScoreTable.initialsConfirmed) {
        arcadeScoreTable.initialsConfirmed = false;
        leaderboardScreen.difficulty = arcadeScoreTable.difficulty;
        leaderboardScreen.coop = arcadeScoreTable.coop;
        leaderboardScreen.open(gamePad, false);
        gameState = GameState::Leaderboards;
        soundBank.playMenuBeep();
        menuTime = 0;
    }
    if (gameState == GameState::Leaderboards) {
        leaderboardScreen.update(frameTime);
        if (leaderboardScreen.backRequested) {
            leaderboardScreen.backRequested = false;
            leaderboardButtonBlink = false;
            if (leaderboardScreen.fromGameOver) {
                gameState = GameState::RoundOver;
                soundBank.playMenuReturn();
            } else {
                returnToMenu(true);
            }
        }
    }
}

void GameCore::updateMainMenu() {
    mainMenu.update(frameTime);
    if (exhibition) {
        menuIdleTime += frameTime;
        if (menuIdleTime <= attractTime) {
            menuIdleNoted = false;
        } else if (!menuIdleNoted) {
            menuIdleNoted = true;
            std::cout << "YOU DIDN'T TURN ON LAOD_VIDEOS" << std::endl;
        }
    }
    if (mainMenu.confirmed) {
        const std::string label = mainMenu.selected >= 0 && mainMenu.selected < MainMenu::maxItems
                                      ? mainMenu.itemLabels[mainMenu.selected]
                                      : "";
        coop = false;
        deathMatch = false;
        playerCount = 1;
        missionRound = false;
        if (noArcadeBestScores() && missionList.completed.empty()) gameMode = GameMode::Intro;
        mainMenu.confirmed = false;

        if (label == "Arcade" || label == "Single Player") {
            gameState = GameState::ArcadeMenu;
            players[0].setShipType(shipSelect.lastShipType);
            stateTime = 0;
        } else if (label == "Mission") {
            gameMode = GameMode::Mission;
            missionRound = true;
            openShipSelect(static_cast<int>(GameState::MainMenu), gamePad);
        } else if (label == "Co-op Arcade" || label == "Cooperative") {
            for (PlayerShip& ship : players) ship.setShipType(0);
            if (gameMode == GameMode::Multiplayer || gameMode == GameMode::Intro) gameMode = GameMode::Easy;
            openLobby(false, true, true);
        } else if (label == "Death Match") {
            for (PlayerShip& ship : players) ship.setShipType(0);
            openLobby(true, true, true);
        } else if (label == "Leaderboards" || label == "High Scores") {
            openLeaderboards(0);
        } else if (label == "Options/Config") {
            openOptions(true, 0);
        } else if (label == "Quit") {
            mainMenu.disable();
        }
    }
    menuColor = modeColors[modeIndex(gameMode)];
}

void GameCore::updateOptionsScreen() {
    optionsMenu.update(frameTime);
    updateOptionRows();
    optionsMenu.clearButtonRows();
    if (optionsMenu.creditsConfirmed) {
        optionsMenu.creditsConfirmed = false;
        startCreditsRun();
    }
    if (optionsMenu.nameReport) {
        optionsMenu.nameReport = false;
        savePlayerData();
    }
    if (optionsMenu.backReport) {
        optionsMenu.backReport = false;
        savePlayerData();
        if (optionsMenu.fromRound) {
            gameState = GameState::Playing;
            soundBank.playMenuReturn();
        } else {
            returnToMenu(true);
        }
    }
}

void GameCore::updateOptionRows() {
    bool* rows = optionsMenu.rows;
    if (rows[OptionsMenu::SoundMute] != soundBank.soundMuted) {
        soundBank.toggleSoundMute();
        soundBank.playRockSmash();
    }
    if (rows[OptionsMenu::MusicMute] != soundBank.musicMuted) {
        soundBank.toggleMusicMute();
        soundBank.playRockSmash();
    }
    if (rows[OptionsMenu::FullScreen] != fullScreen) fullScreenRequest = true;
    if (rows[OptionsMenu::Remap]) optionsMenu.openRemap();
    if (rows[OptionsMenu::ColorBlind] != colorBlind) {
        setColorBlindMode(rows[OptionsMenu::ColorBlind]);
        soundBank.playRockSmash();
    }
    if (rows[OptionsMenu::SendGlobalStats] != statsTracker.sendGlobalStats) {
        soundBank.playRockSmash();
        statsTracker.toggleGlobalStats();
    }
    if (rows[OptionsMenu::SeeStats]) {
        statsScreen.open();
        gameState = GameState::Stats;
        soundBank.playFoeKill(1);
        menuTime = 0;
    }
    if (rows[OptionsMenu::Credits]) {
        if (optionsMenu.fromRound)
            optionsMenu.openCreditsWarning();
        else
            startCreditsRun();
    }
    if (rows[OptionsMenu::AutoSubmit] != scoreSubmitOverlay.autoSubmit) scoreSubmitOverlay.toggleAutoSubmit();
}

void GameCore::updateFrameEnd() {
    if (cursorWanted != cursorShown) {
        if (!cursorWanted || exhibition)
            ofHideCursor();
        else
            ofShowCursor();
        cursorShown = cursorWanted;
    }
    totalTime += frameTime;
    if (ofGetFrameNum() == achievementTracker.earnThisFrame) achievementTracker.rollEarnThis();

    if (exhibition && gameState != GameState::Playing && gameState != GameState::MainMenu) {
        idleTime += frameTime;
        if (idleTime >= idleLimit) {
            returnToMenu(true);
            matchSettings.matchType = MatchSettings::Score;
            matchSettings.value = 5;
            matchSettings.minutes = 2;
            matchSettings.foeAmount = 2;
        }
    }
}
