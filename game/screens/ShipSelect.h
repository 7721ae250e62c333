#pragma once

#include <string>
#include <vector>

#include "ofColor.h"

class GameCore;
class MissionList;

// The ship catalogue and the ship-select screen. Placeholder: every type stays
// locked, nothing is drawn and no report is raised.
class ShipSelect {
public:
    void setup(int width, int height, float scale, ofColor textColor);
    void open(int returnState, bool flag);
    void update(float frameTime);
    void mousePressed(int x, int y);
    void browseWithSound(int direction);
    void toggleButton(int direction);
    void confirm(int choice);
    void back();
    void draw(int alpha);
    void layout(int width);
    bool checkUnlocks(int mode, int bestScore, int completedMissions, int allMissions, bool coop);
    bool anyExtraUnlocked() const;
    bool allUnlocked() const;
    void lockAll();
    void unlockAll();
    void drawUnlockMessage(MissionList& missions, GameCore& core, bool touch);
    void dismissMessage();

    bool unlocked[9] = {};
    int lastShipType = 0;
    std::vector<std::string> unlockMessages;
    bool keyFocus = false;
    bool launchReport = false;
    bool backReport = false;
    int returnState = 3;
    int width = 960;
    int height = 960;
    float scale = 1.0f;
    ofColor textColor;
};
