#pragma once

#include <string>

class PixelFont;

// The "press a button" prompt of the arcade-cabinet build, with the idle
// timer that asks for a fresh demo round.
class AttractPrompt {
public:
    // The font is the core's and outlives the prompt.
    void setup(PixelFont* font);
    void setMessages(const std::string& first, const std::string& second);
    void update(float frameTime);
    // Any input: the idle time starts again.
    void touch();
    void draw(int width, int height, int alpha);

    std::string messages[2] = {"PRESS ANY BUTTON", "TO PLAY"};
    float idleTime = 0;
    float resetAfter = 60;
    // Raised when the idle time runs out; the core clears it.
    bool resetRequested = false;
    PixelFont* font = nullptr;
};
