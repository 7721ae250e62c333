#include "Tutorial.h"

#include <algorithm>
#include <cmath>

#include "Asteroid.h"
#include "Foe.h"
#include "NormFoe.h"
#include "PixelFont.h"
#include "PlayerShip.h"
#include "ScreenLayout.h"
#include "SoundBank.h"

const float Tutorial::goalPlaces[Tutorial::goalCount][2] = {{0, -500}, {500, 0}, {0, 500}};

namespace {

const float twoPi = 6.2831855f;
const float messageSize = 5;
const float messageTop = 150;
const float messageStep = 60;

}  // namespace

void Tutorial::setup(PixelFont* f, SoundBank* s, PlayerShip* ship0, std::vector<Foe*>* foeList,
                     std::vector<Asteroid*>* asteroidList, const ofColor* foeColour,
                     const std::vector<ofColor>* rockColours) {
    font = f;
    sounds = s;
    ship = ship0;
    foes = foeList;
    asteroids = asteroidList;
    foeColor = foeColour;
    rockColors = rockColours;
    restart();
}

void Tutorial::restart() {
    doneReport = false;
    progress = 0;
    fade = 0;
    steeringHint = false;
    goalIndex = 0;
    retryStep = Flying;
    enter(Flying);
    messages = {gamePad ? "FLY WITH THE STICK" : "FLY WITH THE MOUSE", "THROUGH THE CIRCLES"};
}

void Tutorial::enter(Step next) {
    step = next;
    stepStarted = false;
    stepUpdates = 0;
}

void Tutorial::onPlayerDead() {
    if (step != PlayerDead) retryStep = step;
    enter(PlayerDead);
}

void Tutorial::startStep() {
    stepStarted = true;
    stepUpdates = 0;
    const float sx = ship ? ship->point.position.x : 0;
    const float sy = ship ? ship->point.position.y : 0;
    switch (step) {
    case Flying:
        messages = {gamePad ? "FLY WITH THE STICK" : "FLY WITH THE MOUSE", "THROUGH THE CIRCLES"};
        progress = 0;
        goalIndex = 0;
        goal.setup(goalPlaces[0][0], goalPlaces[0][1], goalRadius, nullptr);
        fade = 0;
        steeringHint = true;
        break;
    case Smashing:
        messages = {"SWING YOUR WEAPON", "SMASH THE ROCKS"};
        progress = 1;
        steeringHint = false;
        for (int k = 0; k < 3 && asteroids; ++k) {
            const ofColor colour = rockColors && !rockColors->empty() ? (*rockColors)[k % rockColors->size()]
                                                                    : ofColor(255, 255, 255, 255);
            Asteroid* rock = new Asteroid;
            rock->setup(colour, sx, sy, 2, 2, 0, 0, false, false);
            const float a = k * twoPi / 3;
            rock->x = sx + rockDistance * std::cos(a);
            rock->y = sy + rockDistance * std::sin(a);
            rock->vx = 0;
            rock->vy = 0;
            asteroids->push_back(rock);
        }
        break;
    case Fighting:
        messages = {"SMASH THE FOES"};
        progress = 2;
        for (int k = 0; k < 3 && foes; ++k) {
            NormFoe* foe = new NormFoe;
            foe->spawn(foeColor ? *foeColor : ofColor(255, 0, 0, 255), k * twoPi / 3, sx, sy, false, false);
            foes->push_back(foe);
        }
        break;
    case Done:
        messages = {"WELL DONE!"};
        break;
    case PlayerDead:
        messages = {"TRY AGAIN!"};
        steeringHint = false;
        break;
    }
}

void Tutorial::update(int liveFoes) {
    // The first update of a step only places its things: the foe count the
    // core passed does not hold them yet.
    const bool first = !stepStarted;
    if (first) startStep();
    ++stepUpdates;
    switch (step) {
    case Flying:
        if (!first && ship && goal.contains(ship->point.position.x, ship->point.position.y)) {
            if (sounds) sounds->playWayPoint();
            if (++goalIndex < goalCount)
                goal.setup(goalPlaces[goalIndex][0], goalPlaces[goalIndex][1], goalRadius, nullptr);
            else
                enter(Smashing);
        }
        break;
    case Smashing:
        fade = std::min(255, fade + 17);
        if (!first && asteroids && asteroids->empty()) enter(Fighting);
        break;
    case Fighting:
        if (!first && liveFoes <= 0) enter(Done);
        break;
    case Done:
        if (stepUpdates == doneUpdates) doneReport = true;
        break;
    case PlayerDead:
        if (stepUpdates >= deadUpdates) enter(retryStep);
        break;
    }
}

void Tutorial::drawTargets() {
    if (step == Flying && stepStarted) goal.draw();
}

void Tutorial::drawMessages() {
    if (!font) return;
    for (size_t i = 0; i < messages.size(); ++i)
        ScreenLayout::drawCentred(*font, messages[i], messageSize, width * 0.5f,
                                  messageTop + messageStep * static_cast<float>(i), textColor, 255);
}

void Tutorial::setWidth(int w) {
    width = w;
}
