#pragma once

#include <vector>

#include "Countdown.h"

struct MatchSample {
    float speed = 0.0f;
    float distance = 0.0f;
    float time = 0.0f;
};

struct MatchKill {
    int victim = 0;
    float time = 0.0f;
};

// killer −1: no player killed the ship.
struct MatchDeath {
    int killer = -1;
    float time = 0.0f;
};

// What one player did during a multiplayer match, and the figures the award
// chooser derives from it at the end.
class ShipMatchStats {
public:
    void reset();
    void pushSample(float speed, float distance, float time);
    void addKill(int victim, float time);
    void addDeath(int killer, float time);
    void countAsteroidSmash();

    // Built as {0.5, 0.5, not done} so the first reset copies a real start.
    Countdown sampleTimer{0.5f, 0.5f, false};
    std::vector<MatchSample> samples;
    std::vector<MatchKill> kills;
    std::vector<MatchDeath> deaths;
    int asteroidSmashes = 0;
    int favouriteVictim = 0;
    int nemesis = 0;
    float averageSpeed = 0.0f;
    float averageDistance = 0.0f;
    float longestLife = 0.0f;
    int bestStreak = 0;
    float streakWindow = 5.0f;
};
