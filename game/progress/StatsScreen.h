#pragma once

// The stats screen. Placeholder: nothing is shown.
class StatsScreen {
public:
    void setup();
    void open();
    void update(float frameTime);
    void mousePressed(int x, int y);
    void mouseReleased(int x, int y);
    void scrollByAxis(float amount);
    void mouseMoved(int x, int y);
    void layout(int width);
    void draw(int alpha);

    bool backReport = false;
    int width = 960;
};
