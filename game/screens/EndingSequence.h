#pragma once

#include <string>

class PixelFont;
class PlayerShip;

// The ending, played in place of a round after the last mission: the three
// other ships arrive from a circle round ship 0 and chase one another while
// four lines fade in and out; done after 16 s.
class EndingSequence {
public:
    // The font and ships are the core's and live as long as it does.
    void setup(PixelFont* font, PlayerShip& ship0, PlayerShip& ship1, PlayerShip& ship2, PlayerShip& ship3);
    // timeStep is 0 while the round is paused.
    void update(float timeStep);
    void draw(int screenWidth, int screenHeight);

    static constexpr int lineCount = 4;
    static const char* const lines[lineCount];
    static constexpr float lineLength = 4.0f;
    static constexpr float fadeLength = 0.5f;
    static constexpr float length = 16.0f;
    static constexpr float radius = 750.0f;

    // The line showing at the current time, -1 after the last; and its alpha.
    int currentLine() const;
    int lineAlpha() const;

    bool doneReport = false;
    bool done = false;
    float time = 0;
    // The core's font; it lives as long as the core.
    PixelFont* font = nullptr;
    PlayerShip* ships[4] = {};
    float textSize = 6;
    float textY = 200;
};
