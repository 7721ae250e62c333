#include "GameCore.h"

// The lobby, match settings, level select and the death-match screens come
// with the multiplayer rounds; until then they draw nothing.
void GameCore::drawLobby() {}
void GameCore::drawMatchSettings() {}
void GameCore::drawDeathMatchHud() {}
void GameCore::drawMatchAwards() {}
void GameCore::drawMatchStats() {}
void GameCore::drawLevelSelect() {}
