#include "SpawnDirector.h"

#include <algorithm>

#include "Mission.h"
#include "ofMath.h"

namespace {

// "No foes" in modes that have none.
const float kNever = 999999;

}  // namespace

void SpawnDirector::setup(int newMode, int hazardAmount, bool coop, bool credits) {
    creditsRun = credits;
    mode = (newMode == 0 && creditsRun) ? 1 : newMode;

    time = 0;
    spawnRock = false;
    nextRockTime = 0;
    rockInterval = 1.6f;
    maxRocks = 400;
    rockSpeedMin = 1.2f;
    rockSpeedMax = 3.0f;
    rockSizeMin = 0;
    rockSizeMax = 4;
    rockSplitSize = 1;
    rockCullRadius = 980;
    spawnFoe = false;
    spawnBaron = false;
    nextFoeTime = 0;
    foeInterval = 9.0f;
    foeGapMin = 1.0f;
    maxFoes = 30;
    spiralChance = 0.1f;
    jitterChance = 0.2f;
    baronChance = 0.07f;
    baronScore = 500;
    demoKill = false;
    nextDemoKill = 10.0f;
    reviveOnField = false;
    spawnRevive = false;
    reviveQuickMin = 0;
    reviveQuickMax = 0.1f;
    reviveSlowMin = 2.0f;
    reviveSlowMax = 10.0f;
    reviveScore = 1100;
    speedUpTime = 240.0f;
    spedUp = false;

    switch (mode) {
    case 1:
        spedUp = false;
        rockInterval = 1.8f;
        speedUpTime = 240;
        break;
    case 2:
        rockSizeMax = 5;
        rockInterval = 1.2f;
        rockSplitSize = 0;
        foeInterval = 7.0f;
        foeGapMin = 0.7f;
        break;
    case 4:
        rockSizeMin = 3;
        rockSizeMax = 6;
        rockSplitSize = 2;
        rockInterval = 0.9f;
        rockSpeedMin = 1.0f;
        rockSpeedMax = 4.0f;
        baronScore = 99999999;
        foeInterval = kNever;
        foeGapMin = kNever;
        break;
    case 5:
        foeInterval = kNever;
        foeGapMin = kNever;
        switch (hazardAmount) {
        case 0: rockInterval = -1; break;
        case 1: rockInterval = 5.0f; break;
        case 2: rockInterval = 3.0f; break;
        case 3: rockInterval = 1.0f; break;
        default: rockInterval = 2.0f; break;
        }
        break;
    case 0:
        rockInterval = kNever;
        foeInterval = kNever;
        foeGapMin = kNever;
        break;
    default:
        break;
    }
    if (creditsRun) {
        rockSizeMin = rockSizeMax = rockSplitSize = 4;
        foeInterval = kNever;
        foeGapMin = kNever;
        rockInterval = 1.3f;
        rockSpeedMin = 3.0f;
        rockSpeedMax = 4.5f;
    }
    if (rockSizeMax > 5) rockCullRadius = 1130;
    reviveTimer = ofRandomRange(0, 0.1f);

    if (coop) {
        // "No rocks" stays -1 rather than becoming a tiny interval.
        if (rockInterval >= 0) rockInterval *= 0.7f;
        foeGapMin *= 0.6f;
    }
}

void SpawnDirector::update(int rockCount, int foeCount, int score, float dt) {
    time += dt;

    if (nextRockTime <= time && rockCount < maxRocks && rockInterval >= 0) {
        spawnRock = mode != 0;
        nextRockTime = static_cast<int>(time + ofRandomRange(0, rockInterval));
    }

    if ((nextFoeTime <= time || foeCount == 0) && foeCount < maxFoes) {
        spawnFoe = !(mode == 0 || mode == 4 || mode == 5 || creditsRun);
        nextFoeTime = static_cast<int>(ofRandomRange(0, foeInterval) + time + foeGapMin);
        if (score >= baronScore && ofRandomUnit() < baronChance) {
            spawnFoe = false;
            spawnBaron = true;
        }
    }

    if (nextDemoKill < time) {
        // In floats: an int division would make every crowd below 20 count as none.
        nextDemoKill = time + 4.0f * (1.0f - static_cast<float>(foeCount) / static_cast<float>(maxFoes - 10)) +
                       ofRandomRange(0, 4);
        demoKill = true;
    }

    if (mode == 1 && time > speedUpTime && !spedUp) {
        spedUp = true;
        rockInterval = 1.2f;
        baronChance = 0.1f;
    }
}

void SpawnDirector::updateRevive(int playersOut, int score, float dt) {
    if (playersOut == 0 || reviveOnField) return;
    reviveTimer -= dt;
    if (reviveTimer > 0) return;
    reviveOnField = true;
    spawnRevive = true;
    reviveTimer = score < reviveScore ? ofRandomRange(reviveQuickMin, reviveQuickMax)
                                      : ofRandomRange(reviveSlowMin, reviveSlowMax);
}

void SpawnDirector::applyMissionSettings(const std::vector<Mission>& missions) {
    for (const Mission& m : missions) {
        if (m.rockInterval != -1) rockInterval = std::min(rockInterval, m.rockInterval);
        if (m.rockSizeMax != -1) rockSizeMax = std::max(rockSizeMax, static_cast<int>(m.rockSizeMax));
        if (m.rockSizeMin != -1) rockSizeMin = std::max(rockSizeMin, static_cast<int>(m.rockSizeMin));
        if (m.rockSplitSize != -1) rockSplitSize = std::min(rockSplitSize, static_cast<int>(m.rockSplitSize));
        if (m.foeInterval != -1) foeInterval = std::min(foeInterval, m.foeInterval);
        if (m.foeMinGap != -1) foeGapMin = std::min(foeGapMin, m.foeMinGap);
        if (m.spiralChance != -1) spiralChance = std::max(spiralChance, m.spiralChance);
        if (m.jitterChance != -1) jitterChance = std::max(jitterChance, m.jitterChance);
        if (m.baronScore != -1) baronScore = std::min(baronScore, m.baronScore);
        if (m.baronChance != -1) baronChance = std::max(baronChance, m.baronChance);
    }
}
