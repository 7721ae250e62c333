#include <gtest/gtest.h>

#include <vector>

#include "Mission.h"
#include "SpawnDirector.h"
#include "ofMath.h"

TEST(SpawnDirectorSetup, EachModeLoadsItsTableAndCoopScalesLast) {
    const struct {
        const char* name;
        int mode, hazard;
        bool coop, credits;
        int effectiveMode;
        float rockInterval, foeInterval, foeGapMin;
        int rockSizeMax;
        float rockSpeedMax;
    } rows[] = {
        {"Hard", 2, 2, false, false, 2, 1.2f, 7.0f, 0.7f, 5, 3.0f},
        {"Asteroid Field", 4, 2, false, false, 4, 0.9f, 999999, 999999, 6, 4.0f},
        {"Multiplayer none", 5, 0, false, false, 5, -1, 999999, 999999, 4, 3.0f},
        {"Multiplayer few", 5, 1, false, false, 5, 5.0f, 999999, 999999, 4, 3.0f},
        {"Multiplayer many", 5, 3, false, false, 5, 1.0f, 999999, 999999, 4, 3.0f},
        {"Multiplayer odd", 5, 7, false, false, 5, 2.0f, 999999, 999999, 4, 3.0f},
        {"Credits in Intro", 0, 2, false, true, 1, 1.3f, 999999, 999999, 4, 4.5f},
        {"Co-op Hard", 2, 2, true, false, 2, 1.2f * 0.7f, 7.0f, 0.7f * 0.6f, 5, 3.0f},
        // No rocks stays no rocks: -1 is not scaled into a tiny interval.
        {"Co-op none", 5, 0, true, false, 5, -1, 999999, 999999 * 0.6f, 4, 3.0f},
    };
    for (const auto& row : rows) {
        SpawnDirector d;
        d.time = 50;
        d.spedUp = true;
        d.setup(row.mode, row.hazard, row.coop, row.credits);
        SCOPED_TRACE(row.name);
        EXPECT_EQ(d.mode, row.effectiveMode);
        EXPECT_FLOAT_EQ(d.rockInterval, row.rockInterval);
        EXPECT_FLOAT_EQ(d.foeInterval, row.foeInterval);
        EXPECT_FLOAT_EQ(d.foeGapMin, row.foeGapMin);
        EXPECT_EQ(d.rockSizeMax, row.rockSizeMax);
        EXPECT_FLOAT_EQ(d.rockSpeedMax, row.rockSpeedMax);
        EXPECT_FLOAT_EQ(d.time, 0);
        EXPECT_FALSE(d.spedUp);
    }
}

TEST(SpawnDirectorUpdate, NextTimesAreWholeSecondsSoAShortGapAsksAgainAtOnce) {
    ofSeedRandom(11);
    SpawnDirector d;
    d.setup(1, 2, false, false);
    d.rockInterval = 0.5f;
    d.time = 10.3f;
    d.nextRockTime = 10;
    d.nextFoeTime = 1000;
    d.update(0, 5, 0, 0);
    EXPECT_TRUE(d.spawnRock);
    EXPECT_EQ(d.nextRockTime, 10);
    d.spawnRock = false;
    d.update(0, 5, 0, 0.1f);
    EXPECT_TRUE(d.spawnRock);

    // A full house asks for nothing, a missing interval asks for no rock ever.
    d.spawnRock = false;
    d.update(400, 5, 0, 0.1f);
    EXPECT_FALSE(d.spawnRock);
    d.rockInterval = -1;
    d.update(0, 5, 0, 0.1f);
    EXPECT_FALSE(d.spawnRock);
}

TEST(SpawnDirectorUpdate, FoesComeByModeAndAtOnceWhenNoneAreLeft) {
    const struct {
        int mode;
        bool credits, foe;
    } rows[] = {{0, false, false}, {1, false, true}, {3, false, true}, {4, false, false}, {5, false, false}, {1, true, false}};
    for (const auto& row : rows) {
        ofSeedRandom(5);
        SpawnDirector d;
        d.setup(row.mode, 2, false, row.credits);
        d.nextFoeTime = 1000;
        d.update(0, 0, 0, 0.033f);
        EXPECT_EQ(d.spawnFoe, row.foe) << "mode " << row.mode << (row.credits ? " credits" : "");
        EXPECT_FALSE(d.spawnBaron);
        // Mode 0 never asks for a rock even when one is due.
        EXPECT_EQ(d.spawnRock, row.mode != 0 || row.credits) << "mode " << row.mode;
    }

    // The baron test does not look at the mode: a sure chance brings one in multiplayer.
    SpawnDirector d;
    d.setup(5, 0, false, false);
    d.baronChance = 1.0f;
    d.update(0, 0, 499, 0.033f);
    EXPECT_FALSE(d.spawnBaron);
    d.update(0, 0, 500, 0.033f);
    EXPECT_TRUE(d.spawnBaron);
    EXPECT_FALSE(d.spawnFoe);
}

TEST(SpawnDirectorUpdate, EasySpeedsUpOnceJustAfterFourMinutes) {
    SpawnDirector d;
    d.setup(1, 2, false, false);
    d.nextRockTime = d.nextFoeTime = 100000;
    d.time = 239.98f;
    d.update(5, 5, 0, 0.01f);
    EXPECT_FALSE(d.spedUp);
    d.update(5, 5, 0, 0.02f);
    EXPECT_TRUE(d.spedUp);
    EXPECT_FLOAT_EQ(d.rockInterval, 1.2f);
    EXPECT_FLOAT_EQ(d.baronChance, 0.1f);
    d.rockInterval = 3;
    d.update(5, 5, 0, 100);
    EXPECT_FLOAT_EQ(d.rockInterval, 3);

    SpawnDirector hard;
    hard.setup(2, 2, false, false);
    hard.update(5, 5, 0, 300);
    EXPECT_FALSE(hard.spedUp);
    EXPECT_FLOAT_EQ(hard.rockInterval, 1.2f);
    EXPECT_FLOAT_EQ(hard.baronChance, 0.07f);
}

TEST(SpawnDirectorMissions, SettingsTakeTheSmallerOrLargerAndSkipUnset) {
    std::vector<Mission> missions(3);
    missions[0].rockInterval = 0.5f;
    missions[0].rockSizeMax = 6.9f;
    missions[0].foeInterval = 12;
    missions[0].spiralChance = 0.4f;
    missions[0].baronScore = 200;
    missions[1].rockInterval = 3.0f;
    missions[1].rockSizeMin = 2.7f;
    missions[1].rockSplitSize = 0.9f;
    missions[1].foeMinGap = 0.25f;
    missions[1].jitterChance = 0.05f;
    missions[1].baronChance = 0.5f;
    SpawnDirector d;
    d.setup(1, 2, false, false);
    d.applyMissionSettings(missions);
    EXPECT_FLOAT_EQ(d.rockInterval, 0.5f);
    EXPECT_EQ(d.rockSizeMax, 6);
    EXPECT_EQ(d.rockSizeMin, 2);
    EXPECT_EQ(d.rockSplitSize, 0);
    EXPECT_FLOAT_EQ(d.foeInterval, 9.0f);
    EXPECT_FLOAT_EQ(d.foeGapMin, 0.25f);
    EXPECT_FLOAT_EQ(d.spiralChance, 0.4f);
    EXPECT_FLOAT_EQ(d.jitterChance, 0.2f);
    EXPECT_EQ(d.baronScore, 200);
    EXPECT_FLOAT_EQ(d.baronChance, 0.5f);
}

TEST(SpawnDirectorRevive, ATokenComesOnlyWhenSomeoneIsOutAndNoneIsInPlay) {
    ofSeedRandom(4);
    SpawnDirector d;
    d.setup(1, 2, true, false);
    d.reviveTimer = 0.05f;
    d.updateRevive(0, 0, 1.0f);
    EXPECT_FALSE(d.spawnRevive);
    EXPECT_FLOAT_EQ(d.reviveTimer, 0.05f);

    d.updateRevive(1, 0, 0.1f);
    EXPECT_TRUE(d.spawnRevive);
    EXPECT_TRUE(d.reviveOnField);
    EXPECT_LE(d.reviveTimer, 0.1f);

    d.spawnRevive = false;
    const float timer = d.reviveTimer;
    d.updateRevive(2, 0, 5.0f);
    EXPECT_FALSE(d.spawnRevive);
    EXPECT_FLOAT_EQ(d.reviveTimer, timer);

    // From the revive score on the next delay is the slow one.
    d.reviveOnField = false;
    d.reviveTimer = 0;
    d.updateRevive(1, 1100, 0.01f);
    EXPECT_GE(d.reviveTimer, 2.0f);
    EXPECT_LE(d.reviveTimer, 10.0f);
}
