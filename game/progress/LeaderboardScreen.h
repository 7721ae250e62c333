#pragma once

// The leaderboards. Placeholder: nothing is loaded or drawn.
class LeaderboardScreen {
public:
    void setup();
    void open(bool padActive, bool fromGameOver);
    void update(float frameTime);
    void mousePressed(int x, int y);
    void mouseReleased(int x, int y);
    void scrollByAxis(float amount);
    void mouseMoved(int x, int y);
    void requestBack();
    void handleInput(int dx, int dy, bool confirm);
    void layout(int width);
    void draw(int alpha);

    int difficulty = 1;
    bool coop = false;
    bool fromGameOver = false;
    bool backReport = false;
    int width = 960;
};
