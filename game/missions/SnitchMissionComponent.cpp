#include "SnitchMissionComponent.h"

#include "Foe.h"

SnitchMissionComponent::SnitchMissionComponent() {
    goalKind = 10;
}

void SnitchMissionComponent::snitchSpawned(Foe* newSnitch, PlayerShip*, GameCore*) {
    snitch = newSnitch;
}

void SnitchMissionComponent::foeKilled(Foe* foe) {
    if (!foe || foe != snitch) return;
    if (foe->dying) caught = true;
    snitch = nullptr;
}

bool SnitchMissionComponent::isComplete() const {
    return caught;
}

// The snitch is made at round start, before the round's first update resets
// the goals, so the snitch itself is kept.
void SnitchMissionComponent::reset() {
    caught = false;
}

std::string SnitchMissionComponent::progressText() const {
    return caught ? "SNITCH CAUGHT" : "SNITCH FREE";
}
