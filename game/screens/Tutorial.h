#pragma once

// The intro tutorial. Placeholder: it never reports its end and draws nothing.
class Tutorial {
public:
    void setup();
    void restart();
    void update(int liveFoes);
    void onPlayerDead();
    void drawTargets();
    void drawMessages();
    void setWidth(int width);

    bool doneReport = false;
    int progress = 0;
    bool gamePad = false;
    int width = 960;
};
