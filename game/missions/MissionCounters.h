#pragma once

class ArenaWalls;
class PlayerShip;

// What the goals read of the round. Every pointer points into the core, which
// outlives its missions; a null pointer reads as 0 (tests set only a few).
struct MissionCounters {
    const int* roundKills = nullptr;
    const int* rocksSmashed = nullptr;
    const int* multikillCount = nullptr;
    const float* playTime = nullptr;
    const PlayerShip* ship0 = nullptr;
    const ArenaWalls* arenaWalls = nullptr;

    int kills() const { return roundKills ? *roundKills : 0; }
    int rocks() const { return rocksSmashed ? *rocksSmashed : 0; }
    int multikill() const { return multikillCount ? *multikillCount : 0; }
    float time() const { return playTime ? *playTime : 0; }
};
