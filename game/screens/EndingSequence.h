#pragma once

class PixelFont;
class PlayerShip;

// The ending. Placeholder: it never reports that it is done and draws nothing.
class EndingSequence {
public:
    void setup(PixelFont* font, PlayerShip& ship0, PlayerShip& ship1, PlayerShip& ship2, PlayerShip& ship3);
    void update(float timeStep);
    void draw(int screenWidth, int screenHeight);

    bool doneReport = false;
    // The core's font; it lives as long as the core.
    PixelFont* font = nullptr;
};
