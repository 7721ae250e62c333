#include "GameCore.h"

// Also wires the list to the core's counters, so a full run's fresh missions
// watch the same round.
void GameCore::defineMissions() {
    MissionCounters counters;
    counters.roundKills = &roundKills;
    counters.rocksSmashed = &rocksSmashed;
    counters.multikillCount = &multikillCount;
    counters.playTime = &playTime;
    counters.ship0 = &players[0];
    counters.arenaWalls = &arenaWalls;
    missionList.attach(counters, &font, &soundBank);
    missionList.pool.clear();
    missionList.current.clear();
    missionList.completed.clear();
    defineStandardMissions(missionList);
}
