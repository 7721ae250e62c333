#pragma once

// The local high-score table of the arcade-cabinet build, which is off.
class ArcadeScoreTable {
public:
    void setWidth(int width);
    void update(float frameTime);
    void drawNameEntry(int alpha);

    bool initialsConfirmed = false;
    int difficulty = 1;
    bool coop = false;
    int width = 960;
};
