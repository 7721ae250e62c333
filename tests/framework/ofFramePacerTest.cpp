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
        sleep = [this](int d) { sleeps.push_back(d), ms += static_cast<uint64_t>(std::max(d, 0)); };
    }
};

}  // namespace

TEST(FramePacer, SleepsTheRestOfTheTruncatedBudgetFromTheSecondFrameAndSmoothsTheRate) {
    PacerOnFakeClock pacer;
    pacer.setFrameRate(35);
    EXPECT_EQ(pacer.frameBudgetMillis, 28);  // 28.57 truncated
    pacer.setFrameRate(30);
    pacer.ms = 500;
    pacer.tick(0);  // no frame shown yet: no sleep; 0.5 s since the start: 2 frames a second
    EXPECT_NEAR(pacer.smoothedFrameRate, 0.9f * 30 + 0.1f * 2, 1e-4);
    pacer.ms += 10;  // 10 ms of update and draw
    pacer.tick(1);
    EXPECT_EQ(pacer.lastIdleMillis, 533);  // read again after the sleep
    const float smoothed = pacer.smoothedFrameRate;
    pacer.tick(2);   // at once: the whole budget is slept
    pacer.ms += 40;  // over budget: no sleep at all
    pacer.tick(3);
    EXPECT_EQ(pacer.sleeps, (std::vector<int>{23, 33}));
    EXPECT_NEAR(pacer.smoothedFrameRate, 0.9f * (0.9f * smoothed + 0.1f * 1000 / 33) + 0.1f * 25, 1e-3);
    pacer.setFrameRate(0);  // pacing off, the rate still measured
    pacer.ms += 5;
    pacer.tick(4);
    pacer.tick(5);  // no time passed: the rates stay, the frame time is 0
    EXPECT_TRUE(pacer.sleeps.size() == 2 && std::fabs(pacer.instantFrameRate - 200) < 0.01f && pacer.lastFrameSeconds == 0);
}

TEST(FramePacer, HostileRatesGiveBoundedBudgetsAndSleeps) {
    const int top = std::numeric_limits<int>::max(), bottom = std::numeric_limits<int>::min();
    PacerOnFakeClock pacer;
    std::vector<int> budgets;
    for (float rate : {NAN, -1e-30f, 1e30f, 1e-30f}) pacer.setFrameRate(rate), budgets.push_back(pacer.frameBudgetMillis);
    EXPECT_EQ(budgets, (std::vector<int>{0, bottom, 0, top}));
    // A budget at int's top sleeps a defined time; then the clock's low 32 bits wrap between two frames.
    for (auto at : {0ull, 10ull, 0xFFFFFFFBull, 0x100000005ull}) {
        if (at == 0xFFFFFFFBull) pacer.setFrameRate(30);
        pacer.ms = at;
        pacer.tick(at == 0 ? 0 : 1);
    }
    EXPECT_EQ(pacer.sleeps, (std::vector<int>{top - 10, 23}));
}
