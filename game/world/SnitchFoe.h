#pragma once

#include "Foe.h"

class ArenaWalls;

// The elusive prize of some missions: it never attacks, only flees to random
// hiding spots inside the walls, away from whoever chases it.
class SnitchFoe : public Foe {
public:
    // Gives up on a spot after this many tries and keeps the one it has.
    static constexpr int maxTries = 1000;

    void setup() override;
    void update(float targetX, float targetY) override;
    void draw() override;
    void drawShape(float size) override;

    // Moves the snitch to a first spot, then picks a second as its destination.
    void setArena(ArenaWalls* walls);
    void pickSpot(float fromX, float fromY);

    // The round's walls, owned by the core, which keeps them for as long as
    // the snitch lives; null until setArena.
    ArenaWalls* arena = nullptr;
    float spotX = 0;
    float spotY = 0;
    int fleeCooldown = 0;
    float fleeDistanceSq = 202500;
};
