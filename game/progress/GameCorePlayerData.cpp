#include "GameCore.h"
#include "PlayerData.h"
#include "ofLog.h"

namespace {

const char* const playerFile = "playerData.xml";

}  // namespace

void GameCore::loadPlayerData() {
    PlayerData data;
    playerFileOutOfReach = data.load(playerFile, statsTracker.order) == PlayerData::OutOfReach;

    ScoreServer server;
    server.address = data.scoreServer;
    if (!server.enabled())
        ofLog(OF_LOG_NOTICE, std::string("no SCORE_SERVER in ") + playerFile + ": web scores and global stats are off");
    statsTracker.setServer(server);
    scoreSubmitOverlay.setServer(server);
    leaderboardScreen.setServer(server);
    scoreSubmitOverlay.playerName = data.playerName;

    for (int i = 0; i < PlayerData::optionCount && i < OptionsMenu::RowCount; ++i) optionsMenu.rows[i] = data.options[i];
    soundBank.soundMuted = data.options[OptionsMenu::SoundMute];
    soundBank.musicMuted = data.options[OptionsMenu::MusicMute];
    statsTracker.setSendGlobalStats(data.options[OptionsMenu::SendGlobalStats]);
    scoreSubmitOverlay.autoSubmit = data.options[OptionsMenu::AutoSubmit];

    for (int i = 0; i < PlayerData::modeCount; ++i) {
        bestScores[i] = data.bestScores[i];
        bestCoopScores[i] = data.bestCoopScores[i];
    }
    for (int i = 0; i < PlayerData::shipCount; ++i) shipSelect.unlocked[i] = data.ships[i];
    shipSelect.lastShipType = data.lastShip;

    for (const auto& entry : data.stats)
        if (statsTracker.has(entry.first)) statsTracker.record(entry.first).value = entry.second;

    debugEnabled = data.debugEnabled;
    festivalScreenshots = data.festivalScreenshots;
    exhibition = data.exhibition;
    xmlEditValue = data.easterEgg;
    for (int i = 0; i < 4; ++i) mainMenu.frontTextLines[i] = data.frontText[i];
}

void GameCore::savePlayerData() {
    PlayerData data;
    data.playerName = PlayerData::validName(scoreSubmitOverlay.playerName) ? scoreSubmitOverlay.playerName : "";
    data.scoreServer = statsTracker.server.address;
    for (int i = 0; i < PlayerData::optionCount && i < OptionsMenu::RowCount; ++i) data.options[i] = optionsMenu.rows[i];
    data.options[OptionsMenu::SendGlobalStats] = statsTracker.sendGlobalStats;
    data.options[OptionsMenu::AutoSubmit] = scoreSubmitOverlay.autoSubmit;
    for (int i = 0; i < PlayerData::modeCount; ++i) {
        data.bestScores[i] = bestScores[i] < 0 ? 0 : bestScores[i];
        data.bestCoopScores[i] = bestCoopScores[i] < 0 ? 0 : bestCoopScores[i];
    }
    for (int i = 0; i < PlayerData::shipCount; ++i) data.ships[i] = shipSelect.unlocked[i];
    data.lastShip = (shipSelect.lastShipType >= 0 && shipSelect.lastShipType < PlayerData::shipCount)
                        ? shipSelect.lastShipType
                        : 0;
    for (const std::string& name : statsTracker.order) data.stats[name] = statsTracker.records[name].value;
    data.debugEnabled = debugEnabled;
    data.festivalScreenshots = festivalScreenshots;
    data.exhibition = exhibition;
    data.easterEgg = xmlEditValue;
    for (int i = 0; i < 4; ++i) data.frontText[i] = mainMenu.frontTextLines[i];
    // The load said why, once; the player's own file is worth more than this run.
    if (!playerFileOutOfReach) data.save(playerFile);
    achievementTracker.wrapper.storeStats();
}
