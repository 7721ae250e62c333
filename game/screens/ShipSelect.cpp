#include "ShipSelect.h"

#include <cmath>

#include "PixelFont.h"
#include "ScreenLayout.h"
#include "SoundBank.h"
#include "ofGraphics.h"
#include "ofMath.h"

namespace {

const char* const shipNames[9] = {"Normal", "Heavy", "Fast", "Hardy", "Hyper", "Robot", "Jelly", "Cascade",
                                  "Show-Off"};

// The unlock table: a best score in one mode, or a count of completed
// missions (-1: all of them).
struct UnlockRule {
    int mode;
    int score;
    int missions;
};
const UnlockRule rules[9] = {
    {-1, 0, 0},     {1, 1000, 0}, {1, 2500, 0}, {2, 1000, 0}, {2, 2500, 0},
    {4, 1000, 0},   {-1, 0, 4},   {-1, 0, 8},   {-1, 0, -1},
};

const char* modeText(int mode) {
    switch (mode) {
    case 1:
        return "EASY";
    case 2:
        return "HARD";
    case 4:
        return "ASTEROID FIELD";
    default:
        return "";
    }
}

bool validType(int type) {
    return type >= 0 && type < 9;
}

const float halfPi = 1.5707964f;
const float arrowSize = 6;
const float nameY = 300;
const float lockedY = 640;
const float ruleY = 700;
const float buttonY = 820;
const float buttonSpread = 200;
const float arrowSpread = 260;

}  // namespace

std::string ShipSelect::shipName(int type) {
    return validType(type) ? shipNames[type] : "";
}

std::string ShipSelect::unlockRule(int type) {
    if (!validType(type) || type == 0) return "";
    const UnlockRule& r = rules[type];
    if (r.mode > 0) return "SCORE " + std::to_string(r.score) + " ON " + modeText(r.mode);
    if (r.missions < 0) return "COMPLETE ALL MISSIONS";
    return "COMPLETE " + std::to_string(r.missions) + " MISSIONS";
}

void ShipSelect::setup(PixelFont* f, SoundBank* s, int w, int h, float sc, ofColor color, PlayerShip* ship0) {
    font = f;
    sounds = s;
    height = h;
    scale = sc;
    textColor = color;
    ship = ship0;
    layout(w);
}

void ShipSelect::open(int state, bool pad) {
    if (sounds) sounds->playMenuBeep();
    returnState = state;
    padActive = pad;
    // Type 0 never locks, whatever the player file said.
    unlocked[0] = true;
    launchReport = false;
    backReport = false;
    time = 0;
    focus = LaunchButton;
    if (ship) {
        if (validType(pendingType)) ship->setShipType(pendingType);
        savedType = ship->shipType;
    }
    pendingType = -1;
}

void ShipSelect::update(float frameTime) {
    time += frameTime;
    if (!ship) return;
    // The preview ship stays put in screen units; its weapon swings round it.
    ship->point.position.set(width * 0.5f, shipY);
    ship->point.velocity.set(0, 0);
    ship->heading = -halfPi;
}

bool ShipSelect::guardPassed() const {
    return time > ScreenLayout::inputGuard;
}

void ShipSelect::mousePressed(int x, int y) {
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    if (leftArrow.inside(fx, fy)) {
        browseWithSound(-1);
    } else if (rightArrow.inside(fx, fy)) {
        browseWithSound(1);
    } else if (buttons[LaunchButton].inside(fx, fy)) {
        confirm(0);
    } else if (buttons[BackButton].inside(fx, fy)) {
        confirm(1);
    }
}

void ShipSelect::browseWithSound(int direction) {
    if (!ship || direction == 0) return;
    const int current = validType(ship->shipType) ? ship->shipType : 0;
    ship->setShipType(((current + direction) % 9 + 9) % 9);
    if (sounds) sounds->playMenuBeep();
}

void ShipSelect::toggleButton(int direction) {
    if (direction == 0) return;
    focus = focus == LaunchButton ? BackButton : LaunchButton;
    if (sounds) sounds->playMenuBeep();
}

void ShipSelect::confirm(int choice) {
    if (!guardPassed()) return;
    if (choice == 1) {
        back();
        return;
    }
    if (!ship) return;
    const int type = ship->shipType;
    if (!validType(type) || (type != 0 && !unlocked[type])) {
        if (sounds && !sounds->soundMuted) sounds->error.play();
        return;
    }
    lastShipType = type;
    launchReport = true;
}

void ShipSelect::back() {
    if (!guardPassed()) return;
    if (ship) ship->setShipType(savedType);
    if (sounds) sounds->playMenuReturn();
    backReport = true;
}

void ShipSelect::layout(int w) {
    width = w;
    const float cx = w * 0.5f;
    if (!font) return;
    leftArrow = ScreenLayout::button(*font, "<", arrowSize, cx - arrowSpread, nameY);
    rightArrow = ScreenLayout::button(*font, ">", arrowSize, cx + arrowSpread, nameY);
    buttons[BackButton] = ScreenLayout::button(*font, "Back", ScreenLayout::entrySize, cx - buttonSpread, buttonY);
    buttons[LaunchButton] =
        ScreenLayout::button(*font, "Launch", ScreenLayout::entrySize, cx + buttonSpread, buttonY);
}

void ShipSelect::drawShip(PlayerShip& s, float x, float y, float size, float alphaFactor) {
    ofPushMatrix();
    ofTranslate(x, y);
    ofScale(size, size);
    // Nose up, whatever the ship's own heading.
    ofRotate(ofRadToDeg(-halfPi) - 90);
    ofNoFill();
    ofSetLineWidth(2);
    s.draw(alphaFactor);
    ofPopMatrix();
}

void ShipSelect::draw(int alpha) {
    if (!font) return;
    const float cx = width * 0.5f;
    const int type = ship && validType(ship->shipType) ? ship->shipType : 0;
    const bool open = type == 0 || unlocked[type];

    ScreenLayout::drawCentred(*font, shipName(type), arrowSize, cx, nameY, textColor, alpha);
    ScreenLayout::drawCentred(*font, "<", arrowSize, cx - arrowSpread, nameY, textColor, alpha);
    ScreenLayout::drawCentred(*font, ">", arrowSize, cx + arrowSpread, nameY, textColor, alpha);

    if (ship) drawShip(*ship, cx, shipY, 2, (open ? 1.0f : 0.3f) * alpha / 255.0f);

    if (!open) {
        if (ScreenLayout::blinkOn())
            ScreenLayout::drawCentred(*font, "LOCKED", ScreenLayout::entrySize, cx, lockedY, textColor, alpha);
        ScreenLayout::drawCentred(*font, unlockRule(type), ScreenLayout::hintSize, cx, ruleY, textColor, alpha);
    }

    // With keys or a pad one button holds the focus; the mouse sees both.
    const bool focused = keyFocus || padActive;
    const int backAlpha = focused && focus != BackButton ? alpha / 2 : alpha;
    const int launchAlpha = focused && focus != LaunchButton ? alpha / 2 : alpha;
    ScreenLayout::drawCentred(*font, "Back", ScreenLayout::entrySize, cx - buttonSpread, buttonY, textColor,
                              backAlpha);
    ScreenLayout::drawCentred(*font, "Launch", ScreenLayout::entrySize, cx + buttonSpread, buttonY, textColor,
                              open ? launchAlpha : launchAlpha / 2);
}

bool ShipSelect::checkUnlocks(int mode, int bestScore, int completedMissions, int allMissions, bool coop) {
    if (coop) return false;
    bool changed = false;
    for (int type = 1; type < 9; ++type) {
        if (unlocked[type]) continue;
        const UnlockRule& r = rules[type];
        bool met;
        if (r.mode > 0)
            met = mode == r.mode && bestScore >= r.score;
        else if (r.missions < 0)
            met = allMissions > 0 && completedMissions >= allMissions;
        else
            met = completedMissions >= r.missions;
        if (!met) continue;
        unlocked[type] = true;
        unlockMessages.push_back(type);
        pendingType = type;
        if (sounds && !sounds->soundMuted) sounds->unlock.play();
        changed = true;
    }
    return changed;
}

bool ShipSelect::anyExtraUnlocked() const {
    for (int i = 1; i < 9; ++i)
        if (unlocked[i]) return true;
    return false;
}

bool ShipSelect::allUnlocked() const {
    for (int i = 1; i < 9; ++i)
        if (!unlocked[i]) return false;
    return true;
}

void ShipSelect::lockAll() {
    for (bool& u : unlocked) u = false;
    unlocked[0] = true;
}

void ShipSelect::unlockAll() {
    for (bool& u : unlocked) u = true;
}

void ShipSelect::drawUnlockMessage(MissionList&, int, int, bool) {
    // The rule is shown as the table states it; the round's figures met it.
    if (unlockMessages.empty() || !font) return;
    const int type = unlockMessages.front();
    const float cx = width * 0.5f;
    ofFill();
    ofSetColor(0, 0, 0, 220);
    ofRect(0, 0, static_cast<float>(width), static_cast<float>(height));
    ScreenLayout::drawCentred(*font, "NEW SHIP!", ScreenLayout::titleSize, cx, ScreenLayout::titleY, textColor, 255);
    ScreenLayout::drawCentred(*font, shipName(type), arrowSize, cx, nameY, textColor, 255);
    if (ship) shownShip.colour = ship->colour;
    shownShip.setShipType(type);
    drawShip(shownShip, cx, shipY, 2, 1.0f);
    ScreenLayout::drawCentred(*font, unlockRule(type), ScreenLayout::hintSize, cx, ruleY, textColor, 255);
    if (ScreenLayout::blinkOn())
        ScreenLayout::drawCentred(*font, "CONTINUE", ScreenLayout::entrySize, cx, buttonY, textColor, 255);
}

void ShipSelect::dismissMessage() {
    if (!unlockMessages.empty()) unlockMessages.erase(unlockMessages.begin());
}
