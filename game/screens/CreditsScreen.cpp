#include "CreditsScreen.h"

#include "Foe.h"
#include "PixelFont.h"
#include "PlayerShip.h"
#include "PopupMessage.h"
#include "ScreenLayout.h"
#include "ofMath.h"

namespace {

const int dummyKind = 4;

}  // namespace

const std::vector<std::string>& CreditsScreen::libraries() {
    static const std::vector<std::string> names = {"Poco",     "TinyXML",  "OIS",        "freeglut",
                                                   "GLEW",     "Mesa",     "FreeImage",  "FreeType",
                                                   "libsndfile", "SDL2",   "DejaVu Fonts", "GoogleTest"};
    return names;
}

const std::vector<std::string>& CreditsScreen::entries() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> all = {"VANTORIX"};
        all.insert(all.end(), libraries().begin(), libraries().end());
        all.push_back("You!");
        return all;
    }();
    return list;
}

void CreditsScreen::setup(PixelFont* f, SoundBank* s, std::vector<Foe*>* foeList, std::vector<Asteroid*>* asteroidList,
                          std::vector<PopupMessage>* popupList, const std::vector<ofColor>& colors, PlayerShip* ship0) {
    font = f;
    sounds = s;
    foes = foeList;
    asteroids = asteroidList;
    popups = popupList;
    rockColors = colors;
    ship = ship0;
}

void CreditsScreen::popup(const std::string& text, float lifetime, float size) {
    if (!popups || !ship) return;
    PopupMessage message;
    message.setup(text, ship->point.position.x, ship->point.position.y - 250, lifetime, font, size);
    popups->push_back(message);
}

void CreditsScreen::start() {
    creditsRun = true;
    active = true;
    finished = false;
    wasHit = false;
    hitNoted = false;
    allowRocks = false;
    targetRequest = false;
    nextEntry = 0;
    time = 0;
    creditNames = libraries();
    thankedNames = {"Made with", "Thanks to", "Special thanks"};
    popup("CREDITS", 3, 8);
}

bool CreditsScreen::targetsLeft() const {
    if (!foes) return false;
    for (const Foe* foe : *foes)
        if (foe && foe->type == dummyKind) return true;
    return false;
}

void CreditsScreen::update(float frameTime) {
    if (!active) return;
    time += frameTime;
    allowRocks = !finished && time > rockDelay && asteroids && asteroids->size() < rockLimit;
    if (finished || targetRequest || targetsLeft()) return;
    const std::vector<std::string>& list = entries();
    if (nextEntry >= list.size()) {
        finished = true;
        popup(hitNoted ? "THANKS FOR PLAYING" : "PERFECT RUN!", 4, 6);
        return;
    }
    for (int k = 0; k < 2; ++k) {
        // The list holds an even count; past its end the game's name fills in.
        targetText[k] = nextEntry < list.size() ? list[nextEntry++] : list.front();
        targetColor[k] = rockColors.empty() ? textColor
                                            : rockColors[static_cast<size_t>(ofRandom(rockColors.size())) %
                                                         rockColors.size()];
    }
    targetRequest = true;
}

void CreditsScreen::close() {
    active = false;
    creditsRun = false;
    allowRocks = false;
    targetRequest = false;
}

std::string CreditsScreen::takeRandomName() {
    for (std::vector<std::string>* names : {&creditNames, &thankedNames}) {
        if (names->empty()) continue;
        size_t i = static_cast<size_t>(ofRandom(static_cast<float>(names->size())));
        if (i >= names->size()) i = names->size() - 1;
        std::string name = (*names)[i];
        names->erase(names->begin() + static_cast<long>(i));
        return name;
    }
    return "VANTORIX";
}

void CreditsScreen::drawExitHint() {
    if (!active || !font) return;
    ScreenLayout::drawCentred(*font, "PAUSE TO LEAVE", ScreenLayout::hintSize, width * 0.5f, ScreenLayout::hintY,
                              textColor, 255);
}

void CreditsScreen::setWidth(int w) {
    width = w;
}
