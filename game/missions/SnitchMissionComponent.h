#pragma once

#include "MissionComponent.h"

// Catch the snitch (kind 10): only a weapon kill catches it; a snitch cleared
// by the round or the black hole does not count.
class SnitchMissionComponent : public MissionComponent {
public:
    SnitchMissionComponent();
    void snitchSpawned(Foe* snitch, PlayerShip* ship0, GameCore* core) override;
    void foeKilled(Foe* foe) override;
    bool isComplete() const override;
    void reset() override;
    std::string progressText() const override;

    // The live snitch, owned by the core's foe list; only compared, and
    // dropped as soon as the core reports it gone.
    const Foe* snitch = nullptr;
    bool caught = false;
};
