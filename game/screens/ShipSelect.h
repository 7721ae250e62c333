#pragma once

#include <string>
#include <vector>

#include "PlayerShip.h"
#include "ofColor.h"
#include "ofRectangle.h"

class MissionList;
class PixelFont;
class SoundBank;

// The ship catalogue with its unlock rules, and the ship-select screen: ship
// 0 is browsed in place, held at rest in the middle of the screen.
class ShipSelect {
public:
    // font, sounds and ship0 are the core's and live as long as it does.
    void setup(PixelFont* font, SoundBank* sounds, int width, int height, float scale, ofColor textColor,
               PlayerShip* ship0);
    void open(int returnState, bool padActive);
    void update(float frameTime);
    void mousePressed(int x, int y);
    void browseWithSound(int direction);
    void toggleButton(int direction);
    // 0 launch, 1 back.
    void confirm(int choice);
    void back();
    void draw(int alpha);
    void layout(int width);
    bool checkUnlocks(int mode, int bestScore, int completedMissions, int allMissions, bool coop);
    bool anyExtraUnlocked() const;
    bool allUnlocked() const;
    void lockAll();
    void unlockAll();
    void drawUnlockMessage(MissionList& missions, int mode, int best, bool touch);
    void dismissMessage();

    static std::string shipName(int type);
    // What unlocks the type, "" for type 0 and unknown types.
    static std::string unlockRule(int type);

    enum Button { BackButton = 0, LaunchButton = 1 };

    // Type 0 is always unlocked.
    bool unlocked[9] = {true};
    int lastShipType = 0;
    // Ship types whose unlock message is still to be read, oldest first.
    std::vector<int> unlockMessages;
    bool keyFocus = false;
    bool launchReport = false;
    bool backReport = false;
    int returnState = 3;
    bool padActive = false;
    // Ship 0's type when the screen opened; Back puts it back.
    int savedType = 0;
    // The newest unlocked type, handed to ship 0 when the screen next opens.
    int pendingType = -1;
    int focus = LaunchButton;
    float time = 0;
    int width = 960;
    int height = 960;
    float scale = 1.0f;
    ofColor textColor;
    float shipY = 480;
    ofRectangle leftArrow;
    ofRectangle rightArrow;
    ofRectangle buttons[2];
    PixelFont* font = nullptr;
    SoundBank* sounds = nullptr;
    PlayerShip* ship = nullptr;
    // Draws the type of an unlock message; never flies.
    PlayerShip shownShip;

private:
    bool guardPassed() const;
    void drawShip(PlayerShip& s, float x, float y, float size, float alphaFactor);
};
