#pragma once

#include <string>

#include "MissionCounters.h"

class Foe;
class GameCore;
class PlayerShip;
class SoundBank;

// A goal or an effect of a mission. Goals read the core's counters and never
// add up frame times, since the list may update twice in one frame.
class MissionComponent {
public:
    virtual ~MissionComponent() = default;
    virtual void update(float /*frameTime*/) {}
    // World space.
    virtual void draw() {}
    virtual void drawOverlay(int /*screenWidth*/) {}
    // An effect never holds its mission back.
    virtual bool isComplete() const { return true; }
    virtual void snitchSpawned(Foe* /*snitch*/, PlayerShip* /*ship0*/, GameCore* /*core*/) {}
    virtual void foeKilled(Foe* /*foe*/) {}
    virtual bool usesDeathKnight() { return false; }
    virtual bool usesSpringEffect() { return false; }
    // Back to the start of a round.
    virtual void reset() {}
    virtual std::string progressText() const { return ""; }

    bool isGoal() const { return goalKind >= 0; }

    // -1 for an effect.
    int goalKind = -1;
    // The death knight's speed, turn factor and top speed; or the spring factor.
    float values[3] = {0, 0, 0};
    MissionCounters counters;
    // The core's bank, which outlives the missions; may be null.
    SoundBank* soundBank = nullptr;
};
