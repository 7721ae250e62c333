#pragma once

#include <string>
#include <vector>

#include "ofColor.h"

class Foe;
class Asteroid;
class PopupMessage;

// The credits run. Placeholder: it never becomes active and asks for nothing.
class CreditsScreen {
public:
    // The lists are the core's; they must outlive this screen.
    void setup(std::vector<Foe*>* foes, std::vector<Asteroid*>* asteroids, std::vector<PopupMessage>* popups,
               const std::vector<ofColor>& rockColors);
    void start();
    void update(float frameTime);
    // A random entry of the first non-empty name list, removed from it.
    std::string takeRandomName();
    void drawExitHint();
    void setWidth(int width);

    bool creditsRun = false;
    bool active = false;
    bool finished = false;
    bool wasHit = false;
    bool allowRocks = false;
    bool targetRequest = false;
    std::vector<std::string> creditNames;
    std::vector<std::string> thankedNames;
    std::vector<Foe*>* foes = nullptr;
    std::vector<Asteroid*>* asteroids = nullptr;
    std::vector<PopupMessage>* popups = nullptr;
    std::vector<ofColor> rockColors;
    int width = 960;
};
