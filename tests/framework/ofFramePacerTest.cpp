#include <gtest/gtest.h>

#include <vector>

#include "ofFramePacer.h"

namespace {

// A clock that only moves when the test (or a sleep) moves it.
struct FakeClock {
    uint64_t ms = 0;
    std::vector<int> sleeps;

    void attach(ofFramePacer& pacer) {
        pacer.millis = [this] { return ms; };
        pacer.seconds = [this] { return ms / 1000.0f; };
        pacer.sleep = [this](int d) {
            sleeps.push_back(d);
            if (d > 0) ms += static_cast<uint64_t>(d);
        };
    }
};

}  // namespace

TEST(FramePacer, BudgetIsTruncatedFromTheFloatPeriod) {
    ofFramePacer pacer;
    EXPECT_FALSE(pacer.pacingOn);
    EXPECT_FLOAT_EQ(pacer.smoothedFrameRate, 60.0f);

    pacer.setFrameRate(60);
    EXPECT_EQ(pacer.frameBudgetMillis, 16);
    pacer.setFrameRate(35);
    EXPECT_EQ(pacer.frameBudgetMillis, 28);
    pacer.setFrameRate(30);
    EXPECT_EQ(pacer.frameBudgetMillis, 33);
    EXPECT_TRUE(pacer.pacingOn);
    EXPECT_FLOAT_EQ(pacer.smoothedFrameRate, 30.0f);

    // Zero stops pacing and changes nothing else.
    pacer.setFrameRate(0);
    EXPECT_FALSE(pacer.pacingOn);
    EXPECT_EQ(pacer.frameBudgetMillis, 33);
    EXPECT_FLOAT_EQ(pacer.smoothedFrameRate, 30.0f);

    pacer.setFrameRate(-30);
    EXPECT_TRUE(pacer.pacingOn);
    EXPECT_EQ(pacer.frameBudgetMillis, -33);
}

TEST(FramePacer, SleepsTheRestOfTheBudgetButNeverBeforeTheFirstFrame) {
    ofFramePacer pacer;
    FakeClock clock;
    clock.attach(pacer);
    pacer.setFrameRate(30);

    clock.ms = 500;
    pacer.tick(0);  // first idle: no display yet, no sleep
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_EQ(pacer.lastIdleMillis, 500);

    clock.ms += 10;  // 10 ms of update and draw
    pacer.tick(1);
    ASSERT_EQ(clock.sleeps.size(), 1u);
    EXPECT_EQ(clock.sleeps[0], 23);
    EXPECT_EQ(pacer.lastIdleMillis, 533);  // read again after the sleep

    clock.ms += 33;  // exactly the budget: a sleep of 0
    pacer.tick(2);
    ASSERT_EQ(clock.sleeps.size(), 2u);
    EXPECT_EQ(clock.sleeps[1], 0);

    clock.ms += 40;  // over budget: no sleep at all
    pacer.tick(3);
    EXPECT_EQ(clock.sleeps.size(), 2u);
    EXPECT_EQ(pacer.lastIdleMillis, 606);

    pacer.setFrameRate(0);  // no pacing, but the rate is still measured
    clock.ms += 5;
    float before = pacer.smoothedFrameRate;
    pacer.tick(4);
    EXPECT_EQ(clock.sleeps.size(), 2u);
    EXPECT_NE(pacer.smoothedFrameRate, before);
}

TEST(FramePacer, SmoothedRateMixesOneTenthOfTheLastFrame) {
    ofFramePacer pacer;
    FakeClock clock;
    clock.attach(pacer);

    clock.ms = 50;  // 0.05 s since the start: 20 frames per second
    pacer.tick(0);
    EXPECT_FLOAT_EQ(pacer.instantFrameRate, 1.0f / 0.05f);
    EXPECT_FLOAT_EQ(pacer.smoothedFrameRate, 0.9f * 60.0f + 0.1f * (1.0f / 0.05f));
    EXPECT_NEAR(pacer.smoothedFrameRate, 56.0f, 1e-4);
    EXPECT_NEAR(pacer.lastFrameSeconds, 0.05, 1e-6);
    EXPECT_FLOAT_EQ(pacer.previousFrameSeconds, 0.05f);

    // No time passed: the rates stay, the frame time becomes 0.
    float smoothed = pacer.smoothedFrameRate;
    pacer.tick(1);
    EXPECT_FLOAT_EQ(pacer.smoothedFrameRate, smoothed);
    EXPECT_FLOAT_EQ(pacer.instantFrameRate, 20.0f);
    EXPECT_EQ(pacer.lastFrameSeconds, 0.0);

    clock.ms += 100;
    pacer.tick(2);
    EXPECT_NEAR(pacer.instantFrameRate, 10.0f, 1e-3);
    EXPECT_NEAR(pacer.smoothedFrameRate, 0.9f * smoothed + 1.0f, 1e-3);
}
