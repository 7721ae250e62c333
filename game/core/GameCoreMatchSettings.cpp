#include <algorithm>

#include "GameCore.h"
#include "ofMath.h"

namespace {

int wrap(int value, int count) {
    return ((value % count) + count) % count;
}

}  // namespace

void GameCore::handleSettingsPad(int player, int dx, int dy, bool confirm, bool start, bool back) {
    if (player < 0 || player > 3) return;
    if (gameState == GameState::LevelSelect) {
        handleLevelSelectPad(player, dx, dy, confirm, start, back);
        return;
    }
    if (gameState != GameState::MultiplayerSettings) return;

    int& row = players[player].lobbyRow;
    row = wrap(row + dy, 4);
    if (dx != 0) {
        if (row == 0) {
            matchSettings.matchType = wrap(matchSettings.matchType + dx, 3);
        } else if (row == 1) {
            const bool time = matchSettings.matchType == MatchSettings::Time;
            int& value = time ? matchSettings.minutes : matchSettings.value;
            const int bound = (arcadeCabinet && time) ? 2 : 10;
            value += dx;
            if (value > bound || value < 1) {
                value = std::max(1, std::min(value, bound));
                if (!soundBank.soundMuted) soundBank.error.play();
            }
        } else if (row == 2) {
            matchSettings.foeAmount = wrap(matchSettings.foeAmount + dx, 4);
        }
    }

    if ((start || back || (row == 3 && confirm)) && stateTime > 0.4f) {
        gameState = GameState::MultiplayerLobby;
        soundBank.playMenuReturn();
        for (PlayerShip& ship : players) ship.lobbyRow = 1;
        menuTime = 0;
    }

    if (dy != 0) soundBank.playMenuBeep();
    if (dx != 0) soundBank.playRockSmash();
}

void GameCore::handleLevelSelectPad(int player, int dx, int dy, bool confirm, bool start, bool back) {
    int& cell = levelCell[player];
    cell = wrap(cell, 6);
    const int row = cell / 3;
    cell = row * 3 + wrap(cell % 3 + dx, 3);
    cell = wrap(cell + 3 * dy, 6);

    if ((confirm || start) && levelSelectTime > 0.8f) {
        matchSettings.randomMap = false;
        if (cell == 5) {
            matchSettings.map = static_cast<int>(ofRandom(5)) % 5;
            matchSettings.randomMap = true;
        } else {
            matchSettings.map = cell;
        }
        startMatch();
        return;
    }
    if (back && levelSelectTime > 0.4f) {
        soundBank.playMenuReturn();
        if (exhibition && roundCount >= roundLimit) {
            returnToMenu(true);
            return;
        }
        stateTime = 0;
        gameState = GameState::MultiplayerLobby;
        deathMatch = true;
        coop = false;
        gameMode = GameMode::Multiplayer;
        int highest = -1;
        for (int i = 0; i < 4; ++i) {
            if (players[i].lobbyReady) players[i].lobbyRow = 1;
            lifeClock[i] = 10;
            if (players[i].joined) highest = i;
        }
        playerCount = std::max(1, highest + 1);
        menuTime = 0;
        return;
    }
    if (dx != 0 || dy != 0) soundBank.playMenuBeep();
}
