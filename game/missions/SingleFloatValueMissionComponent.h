#pragma once

#include "MissionComponent.h"

// Stay alive for a number of seconds of play: kind 3, or kind 7 by the black
// hole. Reads the core's play time.
class SingleFloatValueMissionComponent : public MissionComponent {
public:
    SingleFloatValueMissionComponent(int kind, float seconds);
    bool isComplete() const override;
    std::string progressText() const override;

    float target = 0;
};
