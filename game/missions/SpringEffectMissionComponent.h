#pragma once

#include "MissionComponent.h"

// Stretches ship 0's tethers by a factor at round start.
class SpringEffectMissionComponent : public MissionComponent {
public:
    explicit SpringEffectMissionComponent(float factor) { values[0] = factor; }
    bool usesSpringEffect() override { return true; }
};
