#pragma once

#include <string>
#include <vector>

#include "GoalPoint.h"
#include "ofColor.h"

class Asteroid;
class Foe;
class PixelFont;
class PlayerShip;
class SoundBank;

// The intro tutorial: fly through three circles, smash three rocks, smash
// three foes. Each step places its things on its first update; a death
// shows "TRY AGAIN!" and then runs the same step afresh.
class Tutorial {
public:
    enum Step { Flying = 0, Smashing = 1, Fighting = 2, Done = 3, PlayerDead = 4 };

    // Everything handed in is the core's and lives as long as it does; the
    // rocks and foes the tutorial makes go into the core's lists, which own
    // them from then on. The colours are read when a step starts, so they
    // follow the colour-blind switch.
    void setup(PixelFont* font, SoundBank* sounds, PlayerShip* ship0, std::vector<Foe*>* foes,
               std::vector<Asteroid*>* asteroids, const ofColor* foeColor, const std::vector<ofColor>* rockColors);
    void restart();
    void update(int liveFoes);
    void onPlayerDead();
    void drawTargets();
    void drawMessages();
    void setWidth(int width);

    static constexpr int goalCount = 3;
    static const float goalPlaces[goalCount][2];
    static constexpr float goalRadius = 60;
    static constexpr float rockDistance = 450;
    static constexpr int doneUpdates = 60;
    static constexpr int deadUpdates = 45;

    bool doneReport = false;
    // Above 0 once the rocks may be smashed: 1 smashing, 2 fighting.
    int progress = 0;
    bool gamePad = false;
    int width = 960;
    Step step = Flying;
    // The step a death interrupted, run again afresh after "TRY AGAIN!".
    Step retryStep = Flying;
    bool stepStarted = false;
    int stepUpdates = 0;
    int goalIndex = 0;
    GoalPoint goal;
    // Fades the weapon chain in while smashing: 0 hidden, 255 shown.
    int fade = 0;
    // The mouse steering guide stands out while flying.
    bool steeringHint = false;
    std::vector<std::string> messages;
    ofColor textColor = ofColor(255, 255, 255, 255);
    PixelFont* font = nullptr;
    SoundBank* sounds = nullptr;
    PlayerShip* ship = nullptr;
    std::vector<Foe*>* foes = nullptr;
    std::vector<Asteroid*>* asteroids = nullptr;
    const ofColor* foeColor = nullptr;
    const std::vector<ofColor>* rockColors = nullptr;

private:
    void startStep();
    void enter(Step next);
};
