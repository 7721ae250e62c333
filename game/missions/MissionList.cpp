#include "MissionList.h"

#include "ofMath.h"

void MissionList::setup() {}

void MissionList::update(float) {}

void MissionList::updateSparks(float) {}

void MissionList::fillCurrentMissions(bool) {}

void MissionList::finishFullRun() {}

void MissionList::saveProgress() {}

int MissionList::countAllMissions() const {
    return static_cast<int>(pool.size() + current.size() + completed.size());
}

void MissionList::dismissResults() {}

void MissionList::layout(int w) {
    width = w;
}

void MissionList::pickEncouragement() {
    encouragementTop.clear();
    encouragementBottom.clear();
    if (encouragementLines.empty()) return;
    size_t i = static_cast<size_t>(ofRandom(static_cast<float>(encouragementLines.size())));
    if (i >= encouragementLines.size()) i = encouragementLines.size() - 1;
    const std::string& line = encouragementLines[i];
    size_t mark = line.find('#');
    encouragementTop = line.substr(0, mark);
    if (mark != std::string::npos) encouragementBottom = line.substr(mark + 1);
}

void MissionList::drawComponents() {}

void MissionList::drawComponentsOverlay(int) {}

void MissionList::drawModeDescription(int, float, float, int) {}

void MissionList::drawPauseScreen(bool, bool, int, int, int) {}

void MissionList::drawResults(float) {}

void MissionList::drawRoundEvents(float, bool, bool) {}

void MissionList::drawSparks() {}

void MissionList::drawStar(float, float) const {}
