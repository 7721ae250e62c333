#pragma once

#include <vector>

class Mission;

// Decides when rocks, foes, barons, the demo kill and the co-op revive token
// come. It creates nothing: it raises request flags that the core answers
// and clears in the same frame.
class SpawnDirector {
public:
    // hazardAmount is the match's rock setting: 0 none, 1 a few, 2 normal, 3 many.
    void setup(int mode, int hazardAmount, bool coop, bool creditsRun);
    void update(int rockCount, int foeCount, int score, float dt);
    // playersOut: joined co-op players who are out of the round.
    void updateRevive(int playersOut, int score, float dt);
    void applyMissionSettings(const std::vector<Mission>& missions);

    int mode = 1;
    float time = 0;
    bool spawnRock = false;
    int nextRockTime = 0;
    // -1: no rocks at all.
    float rockInterval = 1.6f;
    int maxRocks = 400;
    float rockSpeedMin = 1.2f;
    float rockSpeedMax = 3.0f;
    int rockSizeMin = 0;
    int rockSizeMax = 4;
    int rockSplitSize = 1;
    int rockCullRadius = 980;
    bool spawnFoe = false;
    bool spawnBaron = false;
    int nextFoeTime = 0;
    float foeInterval = 9.0f;
    float foeGapMin = 1.0f;
    int maxFoes = 30;
    float spiralChance = 0.1f;
    float jitterChance = 0.2f;
    float baronChance = 0.07f;
    int baronScore = 500;
    bool demoKill = false;
    float nextDemoKill = 10.0f;
    bool reviveOnField = false;
    bool spawnRevive = false;
    float reviveTimer = 0;
    float reviveQuickMin = 0;
    float reviveQuickMax = 0.1f;
    float reviveSlowMin = 2.0f;
    float reviveSlowMax = 10.0f;
    int reviveScore = 1100;
    bool creditsRun = false;
    float speedUpTime = 240.0f;
    bool spedUp = false;
};
