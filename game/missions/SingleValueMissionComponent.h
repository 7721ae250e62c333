#pragma once

#include "MissionComponent.h"

// Reach a count of one of the core's round counters: foes (kind 0), rocks
// (kind 1) or a multikill (kind 2). The best value seen is kept, so a
// multikill that has ended still counts.
class SingleValueMissionComponent : public MissionComponent {
public:
    SingleValueMissionComponent(int kind, int target);
    void update(float frameTime) override;
    bool isComplete() const override;
    void reset() override;
    std::string progressText() const override;

    int target = 0;
    int best = 0;

private:
    int read() const;
};
