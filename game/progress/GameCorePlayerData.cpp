#include "GameCore.h"

// The player file comes with the progress services; until then the game
// starts as on a first start and keeps nothing.
void GameCore::loadPlayerData() {}

void GameCore::savePlayerData() {}
