#pragma once

#include <string>
#include <vector>

#include "ofColor.h"

class Asteroid;
class Foe;
class PixelFont;
class PlayerShip;
class PopupMessage;
class SoundBank;

// The credits run, played as a round: the entries come two at a time as
// text targets to smash, rock smashes show names from two pools, and the
// run ends with a verdict on whether the ship was ever hit.
class CreditsScreen {
public:
    // Everything handed in is the core's and lives as long as it does.
    void setup(PixelFont* font, SoundBank* sounds, std::vector<Foe*>* foes, std::vector<Asteroid*>* asteroids,
               std::vector<PopupMessage>* popups, const std::vector<ofColor>& rockColors, PlayerShip* ship0);
    void start();
    void update(float frameTime);
    // Ends the run's screen: the core calls it once the round-over wait is out.
    void close();
    // A random entry of the first non-empty name pool, removed from it;
    // "VANTORIX" once both are empty.
    std::string takeRandomName();
    void drawExitHint();
    void setWidth(int width);

    // The entries in the order they come onto the field.
    static const std::vector<std::string>& entries();
    static const std::vector<std::string>& libraries();

    bool creditsRun = false;
    bool active = false;
    bool finished = false;
    // Set by the core on a hit; wasHit stops the perfect-run award, hitNoted
    // picks the closing words.
    bool wasHit = false;
    bool hitNoted = false;
    bool allowRocks = false;
    // The core answers with two DummyFoe targets showing these texts.
    bool targetRequest = false;
    std::string targetText[2];
    ofColor targetColor[2];
    size_t nextEntry = 0;
    float time = 0;
    float rockDelay = 3;
    size_t rockLimit = 30;
    std::vector<std::string> creditNames;
    std::vector<std::string> thankedNames;
    std::vector<Foe*>* foes = nullptr;
    std::vector<Asteroid*>* asteroids = nullptr;
    std::vector<PopupMessage>* popups = nullptr;
    std::vector<ofColor> rockColors;
    PixelFont* font = nullptr;
    SoundBank* sounds = nullptr;
    PlayerShip* ship = nullptr;
    ofColor textColor = ofColor(255, 255, 255, 255);
    int width = 960;

private:
    bool targetsLeft() const;
    void popup(const std::string& text, float lifetime, float size);
};
