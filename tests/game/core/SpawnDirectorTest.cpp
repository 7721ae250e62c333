#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "SpawnDirector.h"
#include "ofMath.h"

TEST(SpawnDirector, EachModeLoadsItsTableAndCoopScalesLast) {
    const struct {
        int mode, hazard;
        bool coop, credits;
        int effectiveMode;
        float rockInterval, foeInterval, foeGapMin;
    } rows[] = {
        {4, 2, false, false, 4, 0.9f, 999999, 999999},           // Asteroid Field
        {5, 7, false, false, 5, 2.0f, 999999, 999999},           // multiplayer, odd hazard
        {5, 3, false, false, 5, 1.0f, 999999, 999999},           // multiplayer, "So Many" rocks
        {0, 2, false, true, 1, 1.3f, 999999, 999999},            // credits in Intro
        {2, 2, true, false, 2, 1.2f * 0.7f, 7.0f, 0.7f * 0.6f},  // co-op Hard
        {5, 0, true, false, 5, -1, 999999, 999999 * 0.6f},       // no rocks is not scaled into a tiny interval
    };
    for (const auto& row : rows) {
        SpawnDirector d;
        d.setup(row.mode, row.hazard, row.coop, row.credits);
        EXPECT_EQ(d.mode, row.effectiveMode) << row.mode;
        EXPECT_FLOAT_EQ(d.rockInterval, row.rockInterval) << row.mode;
        EXPECT_FLOAT_EQ(d.foeInterval, row.foeInterval) << row.mode;
        EXPECT_FLOAT_EQ(d.foeGapMin, row.foeGapMin) << row.mode;
        d.update(0, 5, 0, 100);  // long past the first rock's time, unless there are none
        EXPECT_EQ(d.spawnRock, row.rockInterval > 0) << row.mode;
    }
}

// Mode 0 never asks for a rock even when one is due.
TEST(SpawnDirector, FoesComeByModeAndAtOnceWhenNoneAreLeft) {
    for (auto [mode, credits, foe] : {std::tuple{0, false, false}, {1, false, true}, {3, false, true},
                                      {4, false, false}, {5, false, false}, {1, true, false}}) {
        ofSeedRandom(5);
        SpawnDirector d;
        d.setup(mode, 2, false, credits);
        d.nextFoeTime = 1000;
        d.update(0, 0, 0, 0.033f);
        EXPECT_EQ(d.spawnFoe, foe) << mode << credits;
        EXPECT_EQ(d.spawnRock, mode != 0 || credits) << mode;
    }
}

// The first update past four minutes speeds an Easy round up, once; Hard never.
TEST(SpawnDirector, EasySpeedsUpOnceJustAfterFourMinutes) {
    SpawnDirector d;
    d.setup(1, 2, false, false);
    d.nextRockTime = d.nextFoeTime = 100000;
    d.time = 239.98f;
    d.update(5, 5, 0, 0.01f);  // 239.99
    EXPECT_FALSE(d.spedUp);
    EXPECT_FLOAT_EQ(d.rockInterval, 1.8f);
    EXPECT_FLOAT_EQ(d.baronChance, 0.07f);
    d.update(5, 5, 0, 0.02f);  // 240.01
    EXPECT_TRUE(d.spedUp);
    EXPECT_FLOAT_EQ(d.rockInterval, 1.2f);
    EXPECT_FLOAT_EQ(d.baronChance, 0.1f);
    // Once: a later change is not undone.
    d.rockInterval = 3;
    d.baronChance = 0.2f;
    d.update(5, 5, 0, 100);
    EXPECT_FLOAT_EQ(d.rockInterval, 3);
    EXPECT_FLOAT_EQ(d.baronChance, 0.2f);

    SpawnDirector hard;
    hard.setup(2, 2, false, false);
    hard.nextRockTime = hard.nextFoeTime = 100000;
    hard.update(5, 5, 0, 300);
    EXPECT_FALSE(hard.spedUp);
    EXPECT_FLOAT_EQ(hard.rockInterval, 1.2f);
    EXPECT_FLOAT_EQ(hard.baronChance, 0.07f);
}

// A due foe becomes a Baron from the Baron score on, at the Baron chance, in
// any mode, multiplayer included.
TEST(SpawnDirector, TheBaronTakesADueFoesPlaceFromItsScoreOn) {
    const struct {
        const char* name;
        int mode, score;
        float chance;
        bool baron, foe;
    } rows[] = {
        {"Easy below the score", 1, 499, 1.0f, false, true},
        {"Easy at the score", 1, 500, 1.0f, true, false},
        {"Easy, no chance", 1, 5000, 0.0f, false, true},
        {"multiplayer below", 5, 499, 1.0f, false, false},
        {"multiplayer at the score", 5, 500, 1.0f, true, false},
        {"Asteroid Field never", 4, 99999998, 1.0f, false, false},
    };
    for (const auto& row : rows) {
        ofSeedRandom(3);
        SpawnDirector d;
        d.setup(row.mode, 2, false, false);
        d.baronChance = row.chance;
        d.nextFoeTime = 0;
        d.update(0, 3, row.score, 0.033f);
        EXPECT_EQ(d.spawnBaron, row.baron) << row.name;
        EXPECT_EQ(d.spawnFoe, row.foe) << row.name;
    }
}

// The revive token waits for someone out and none in play; its next delay is
// quick below the revive score and slow from it on.
TEST(SpawnDirector, TheReviveTokenComesWhenSomeoneIsOutAndNoneIsInPlay) {
    ofSeedRandom(4);
    SpawnDirector d;
    d.setup(1, 2, true, false);
    d.reviveTimer = 0.05f;
    d.updateRevive(0, 0, 1.0f);
    EXPECT_FALSE(d.spawnRevive);
    EXPECT_FLOAT_EQ(d.reviveTimer, 0.05f);

    d.updateRevive(1, 0, 0.1f);
    EXPECT_TRUE(d.spawnRevive && d.reviveOnField);
    EXPECT_GE(d.reviveTimer, 0.0f);
    EXPECT_LE(d.reviveTimer, 0.1f);

    // One in play: no time passes for the next.
    d.spawnRevive = false;
    const float timer = d.reviveTimer;
    d.updateRevive(2, 0, 5.0f);
    EXPECT_FALSE(d.spawnRevive);
    EXPECT_FLOAT_EQ(d.reviveTimer, timer);

    // Just below the revive score the gap stays quick; from it on it is slow.
    for (auto [score, low, high] : {std::tuple{1099, 0.0f, 0.1f}, {1100, 2.0f, 10.0f}, {5000, 2.0f, 10.0f}}) {
        float least = 1e9f, most = -1e9f;
        for (int i = 0; i < 200; ++i) {
            d.reviveOnField = false;
            d.reviveTimer = 0;
            d.updateRevive(1, score, 0.01f);
            least = std::min(least, d.reviveTimer);
            most = std::max(most, d.reviveTimer);
        }
        EXPECT_GE(least, low) << score;
        EXPECT_LE(most, high) << score;
        // Drawn across the range, not pinned to one end.
        EXPECT_LT(least, low + (high - low) * 0.1f) << score;
        EXPECT_GT(most, high - (high - low) * 0.1f) << score;
    }
}
