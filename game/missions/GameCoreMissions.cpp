#include "GameCore.h"

// The mission definitions come with the mission mode; until then the pool
// stays empty.
void GameCore::defineMissions() {}
