#pragma once

class Foe;
class GameCore;
class PlayerShip;

// A goal or effect of a mission, watching the core's counters.
// Placeholder: every operation does nothing.
class MissionComponent {
public:
    virtual ~MissionComponent() {}
    virtual void setup() {}
    virtual void draw() {}
    virtual void drawOverlay(int /*screenWidth*/) {}
    virtual void update(float /*frameTime*/) {}
    virtual void snitchSpawned(Foe* /*snitch*/, PlayerShip* /*ship0*/, GameCore* /*counters*/) {}
    virtual void foeKilled(Foe* /*foe*/) {}
    virtual bool usesDeathKnight() { return false; }
    virtual bool usesSpringEffect() { return false; }

    // The death knight's speed or the spring factor, then the death knight's
    // turn factor and maximum speed.
    float values[3] = {0, 0, 0};
};
