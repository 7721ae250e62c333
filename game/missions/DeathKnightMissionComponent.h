#pragma once

#include "MissionComponent.h"

// Sends the big, fast foe that weapons cannot hit after the ship: the round
// start makes it with these values.
class DeathKnightMissionComponent : public MissionComponent {
public:
    DeathKnightMissionComponent(float speed, float turnFactor, float topSpeed) {
        values[0] = speed;
        values[1] = turnFactor;
        values[2] = topSpeed;
    }
    bool usesDeathKnight() override { return true; }
};
