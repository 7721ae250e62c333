#pragma once

#include <vector>

// Score submission and the player-name editor. Placeholder: submission is
// never available and nothing is sent or drawn.
class ScoreSubmitOverlay {
public:
    void setup();
    void update(float frameTime);
    void open(int score, int mode, const std::vector<int>& shipTypes, bool build);
    void submit(bool force);
    void reset();
    void toggleAutoSubmit();
    void keyPressed(int key);
    void handleInput(int dx, int dy, bool confirm, bool start, bool erase, bool select);
    void mouseInput(int x, int y, bool pressed, bool released);
    void layout(int width);
    void draw(int alpha);

    bool done = false;
    bool available = false;
    bool busy = false;
    bool sent = false;
    bool shown = false;
    bool sending = false;
    bool autoSubmit = false;
    int width = 960;
};
