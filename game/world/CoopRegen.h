#pragma once

#include "Foe.h"

class ArenaWalls;
class PixelFont;
class PlayerShip;

// The co-op revive token: it crosses the arena along a chord, and a living
// player who touches it brings the dead one back.
class CoopRegen : public Foe {
public:
    void setup() override;
    void update(float targetX, float targetY) override;
    void draw() override;

    // Right after spawn: places the token beyond the walls, heading across.
    void attach(ArenaWalls* walls, PlayerShip* deadShip, int deadPlayer, bool faster, const PixelFont* textFont);

    // The pointers below belong to the core, which keeps the walls, the ships
    // and the font for the whole run, longer than any token. A null arena
    // counts as outside everywhere; a null ship or font skips its drawing.
    ArenaWalls* arena = nullptr;
    int outsideFrames = 100;
    PlayerShip* ship = nullptr;
    int player = 0;
    const PixelFont* font = nullptr;
};
