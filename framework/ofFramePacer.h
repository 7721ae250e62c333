#pragma once

#include <cstdint>
#include <functional>

// Paces the main loop to a target rate and measures the rate actually reached.
// The clock and the sleep are replaceable so the arithmetic can be checked
// without waiting on a real clock.
class ofFramePacer {
public:
    ofFramePacer();

    // 0 turns pacing off; any other rate (negative too) turns it on.
    void setFrameRate(float rate);

    // One idle step: sleeps off the rest of the budget (never before the first
    // displayed frame), then measures the time since the previous step.
    void tick(int frameCount);

    std::function<uint64_t()> millis;
    std::function<float()> seconds;
    std::function<void(int)> sleep;

    bool pacingOn;
    int frameBudgetMillis;
    float smoothedFrameRate;
    float instantFrameRate;
    double lastFrameSeconds;
    float previousFrameSeconds;
    int lastIdleMillis;
};
