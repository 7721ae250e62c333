#include <cmath>
#include <iostream>

#include "GameCore.h"
#include "ShipType.h"
#include "ofLog.h"
#include "ofMath.h"

std::vector<int> GameCore::roundShipTypes() const {
    std::vector<int> types;
    if (!coop) {
        types.push_back(players[0].shipType);
        return types;
    }
    for (int i = 0; i < playerCount && i < 4; ++i)
        if (players[i].joined) types.push_back(players[i].shipType);
    return types;
}

void GameCore::playerDied(bool intro, int player) {
    if (player < 0 || player > 3) {
        ofLogWarning("GameCore") << "playerDied: no player slot " << player;
        return;
    }
    cursorWanted = true;
    if (deathMatch) {
        // The death-match rules take the death over.
        deathMatchDeath(player);
        return;
    }

    bool fullRun = false;
    if (gameState == GameState::Playing) {
        PlayerShip& ship = players[player];
        roundOverTimer = roundOverLength;
        introRestart = false;
        for (int i = 0; i < 50; ++i)
            sparks.push_back(Spark::scattered(ship.point.position.x, ship.point.position.y, 60, ship.colour));
        ship.point.velocity.set(0, 0);
        const bool spareLife = ship.shipType == SHIP_HARDY && !ship.hardyHitTaken && !shipAborted[player];
        if (!spareLife) ship.frozen = true;
        if (!soundBank.soundMuted) soundBank.playerDeath.play();
        soundBank.updateThrust(0, player);
        deathFlashTime = deathFlashLength;
        paused = false;

        if (endingActive && player != 0) return;

        if (spareLife) {
            ship.hardyHitTaken = true;
            ship.invulnerabilityTimer = ship.invulnerabilityStart * 0.5f;
            soundBank.playMissionComplete();
        } else {
            fullRun = endRound(intro);
            savePlayerData();
        }
    }

    gameOverLine = static_cast<int>(ofRandom(static_cast<float>(gameOverLines.size())));
    if (fullRun) gameOverLine = -1;
}

bool GameCore::endRound(bool intro) {
    const int mode = static_cast<int>(gameMode);
    if (intro) {
        gameState = GameState::RoundOver;
        introRestart = true;
        return false;
    }
    if (gameMode == GameMode::Intro) {
        tutorial.restart();
        soundBank.playMusic(false, 0);
        returnToMenu(true);
        gameMode = GameMode::Easy;
        return false;
    }
    if (coop)
        for (const PlayerShip& ship : players)
            if (ship.joined && !ship.frozen) return false;

    gameState = GameState::RoundOver;
    const float score = players[0].score;
    const bool credits = creditsScreen.creditsRun;

    if (!credits) {
        int& best = coop ? bestCoopScores[mode] : bestScores[mode];
        if (score > best) best = static_cast<int>(score);
    }

    if (missionRound) missionList.fillCurrentMissions(false);

    const int completed = static_cast<int>(missionList.completed.size());
    const int allMissions = missionList.countAllMissions();
    if (shipSelect.checkUnlocks(mode, bestScores[mode], completed, allMissions, coop))
        std::cout << "you unlocked a thing!" << std::endl;
    if (shipSelect.allUnlocked()) achievementTracker.awardUnlockedAll();

    // An empty pool is no finished run.
    bool fullRun = false;
    if (allMissions > 0 && completed == allMissions) {
        missionList.finishFullRun();
        defineMissions();
        missionList.saveProgress();
        missionList.fillCurrentMissions(false);
        fullRun = true;
    }

    soundBank.playMusic(false, mode);
    backgroundTarget = modeColors[mode];

    const std::string dif = std::to_string(mode);
    const float deaths = raiseStat("player_deaths");
    raiseStat("player_deaths_dif_" + dif);
    raiseStat("global_rocks_smashed", static_cast<float>(rocksSmashed));
    raiseStat("global_foes_killed", static_cast<float>(roundKills));
    achievementTracker.checkTotalDeaths(static_cast<int>(deaths));
    raiseStat("num_arcade_rounds_played");
    raiseStat("num_arcade_rounds_played_dif_" + dif);
    raiseStat("global_arcade_deaths");
    if (!coop) {
        const std::string type = std::to_string(players[0].shipType);
        raiseStat("time_in_game", playTime);
        raiseStat("time_in_game_dif_" + dif, playTime);
        raiseStat("time_with_ship_" + type, playTime);
        raiseStat("rounds_with_ship_" + type);
    } else {
        raiseStat("coop_rounds_played");
        raiseStat("time_in_coop", playTime);
        for (const PlayerShip& ship : players) {
            if (!ship.joined) continue;
            const std::string type = std::to_string(ship.shipType);
            raiseStat("coop_rounds_with_ship_" + type);
            raiseStat("coop_time_with_ship_" + type, playTime);
        }
    }

    // A credits run keeps no best, so it has no score to hand on.
    scoreSubmitOverlay.reset();
    if (scoreSubmitOverlay.autoSubmit && !credits) {
        scoreSubmitOverlay.open(static_cast<int>(score), mode, roundShipTypes(), false);
        scoreSubmitOverlay.submit(true);
    }

    submitButtonBlink = false;
    leaderboardButtonBlink = false;

    AchievementAndStatsWrapper& wrapper = achievementTracker.wrapper;
    const bool boardMode = !deathMatch && gameMode != GameMode::Intro && gameMode != GameMode::Mission;
    scoreUploadPending = wrapper.ready && boardMode && !credits;
    onlineScore = steamAvailable && !deathMatch && gameMode != GameMode::Mission;
    if (steamAvailable && scoreUploadPending) {
        wrapper.uploadScore(static_cast<int>(score), mode, coop, roundShipTypes());
        scoreUploadPending = false;
    }
    return fullRun;
}
