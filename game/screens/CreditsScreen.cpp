#include "CreditsScreen.h"

#include "ofMath.h"

void CreditsScreen::setup(std::vector<Foe*>* foeList, std::vector<Asteroid*>* asteroidList,
                          std::vector<PopupMessage>* popupList, const std::vector<ofColor>& colors) {
    foes = foeList;
    asteroids = asteroidList;
    popups = popupList;
    rockColors = colors;
}

void CreditsScreen::start() {}

void CreditsScreen::update(float) {}

std::string CreditsScreen::takeRandomName() {
    for (std::vector<std::string>* names : {&creditNames, &thankedNames}) {
        if (names->empty()) continue;
        size_t i = static_cast<size_t>(ofRandom(static_cast<float>(names->size())));
        if (i >= names->size()) i = names->size() - 1;
        std::string name = (*names)[i];
        names->erase(names->begin() + static_cast<long>(i));
        return name;
    }
    return "Thank you for playing";
}

void CreditsScreen::drawExitHint() {}

void CreditsScreen::setWidth(int w) {
    width = w;
}
