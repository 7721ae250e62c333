#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "ofFramePacer.h"

namespace {

// A pacer on a clock that only moves when the test (or a sleep) moves it.
struct PacerOnFakeClock : ofFramePacer {
    uint64_t ms = 0;
    std::vector<int> sleeps;

    PacerOnFakeClock() {
        millis = [this] { return ms; };
        seconds = [this] { return ms / 1000.0f; };
        sleep = [this](int d) {
            sleeps.push_back(d);
            if (d > 0) ms += static_cast<uint64_t>(d);
        };
    }
};

}  // namespace

TEST(FramePacer, BudgetIsTruncatedFromTheFloatPeriod) {
    ofFramePacer pacer;
    EXPECT_FALSE(pacer.pacingOn);
    for (auto rb : {std::make_pair(60, 16), std::make_pair(35, 28), std::make_pair(30, 33)}) {
        pacer.setFrameRate(static_cast<float>(rb.first));
        EXPECT_EQ(pacer.frameBudgetMillis, rb.second) << rb.first;
    }
    EXPECT_TRUE(pacer.pacingOn);
    EXPECT_FLOAT_EQ(pacer.smoothedFrameRate, 30.0f);

    // Zero stops pacing and changes nothing else.
    pacer.setFrameRate(0);
    EXPECT_FALSE(pacer.pacingOn);
    EXPECT_EQ(pacer.frameBudgetMillis, 33);
    EXPECT_FLOAT_EQ(pacer.smoothedFrameRate, 30.0f);
}

TEST(FramePacer, SleepsTheRestOfTheBudgetButNeverBeforeTheFirstFrame) {
    PacerOnFakeClock pacer;
    pacer.setFrameRate(30);
    pacer.ms = 500;
    pacer.tick(0);  // first idle: no display yet, no sleep
    EXPECT_EQ(pacer.lastIdleMillis, 500);
    pacer.ms += 10;  // 10 ms of update and draw
    pacer.tick(1);
    EXPECT_EQ(pacer.lastIdleMillis, 533);  // read again after the sleep
    pacer.ms += 33;  // exactly the budget: a sleep of 0
    pacer.tick(2);
    pacer.ms += 40;  // over budget: no sleep at all
    pacer.tick(3);
    EXPECT_EQ(pacer.lastIdleMillis, 606);
    EXPECT_EQ(pacer.sleeps, (std::vector<int>{23, 0}));

    pacer.setFrameRate(0);  // no pacing, but the rate is still measured
    pacer.ms += 5;
    const float before = pacer.smoothedFrameRate;
    pacer.tick(4);
    EXPECT_EQ(pacer.sleeps.size(), 2u);
    EXPECT_NE(pacer.smoothedFrameRate, before);
}

TEST(FramePacer, SmoothedRateMixesOneTenthOfTheLastFrame) {
    PacerOnFakeClock pacer;
    pacer.ms = 50;  // 0.05 s since the start: 20 frames per second
    pacer.tick(0);
    EXPECT_FLOAT_EQ(pacer.instantFrameRate, 20.0f);
    EXPECT_NEAR(pacer.smoothedFrameRate, 0.9f * 60.0f + 0.1f * 20.0f, 1e-4);
    EXPECT_NEAR(pacer.lastFrameSeconds, 0.05, 1e-6);
    EXPECT_FLOAT_EQ(pacer.previousFrameSeconds, 0.05f);

    // No time passed: the rates stay, the frame time becomes 0.
    const float smoothed = pacer.smoothedFrameRate;
    pacer.tick(1);
    EXPECT_FLOAT_EQ(pacer.smoothedFrameRate, smoothed);
    EXPECT_FLOAT_EQ(pacer.instantFrameRate, 20.0f);
    EXPECT_EQ(pacer.lastFrameSeconds, 0.0);

    pacer.ms += 100;
    pacer.tick(2);
    EXPECT_NEAR(pacer.instantFrameRate, 10.0f, 1e-3);
    EXPECT_NEAR(pacer.smoothedFrameRate, 0.9f * smoothed + 1.0f, 1e-3);
}

TEST(FramePacer, HostileRatesGiveBoundedBudgetsAndSleeps) {
    const int top = std::numeric_limits<int>::max(), bottom = std::numeric_limits<int>::min();
    PacerOnFakeClock pacer;
    std::vector<int> budgets;
    for (float rate : {NAN, -1e-30f, 1e30f, 1e-30f}) {
        pacer.setFrameRate(rate);
        budgets.push_back(pacer.frameBudgetMillis);
    }
    EXPECT_EQ(budgets, (std::vector<int>{0, bottom, 0, top}));
    // A budget at int's top sleeps a defined time; then the clock's low 32 bits wrap between two frames.
    for (auto at : {0ull, 10ull, 0xFFFFFFFBull, 0x100000005ull}) {
        if (at == 0xFFFFFFFBull) pacer.setFrameRate(30);
        pacer.ms = at;
        pacer.tick(at == 0 ? 0 : 1);
    }
    EXPECT_EQ(pacer.sleeps, (std::vector<int>{top - 10, 23}));
}
