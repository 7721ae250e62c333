#include <gtest/gtest.h>

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
