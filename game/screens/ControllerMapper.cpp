#include "ControllerMapper.h"

void ControllerMapper::addController(const std::string& name, int numAxes, int numButtons) {
    if (name == "DONE" && numAxes == 0 && numButtons == 0) {
        showingControllerList = false;
        return;
    }
    controllers.push_back({name, numAxes, numButtons});
}

void ControllerMapper::axisMoved(int, float, int) {}

void ControllerMapper::buttonPressed(int, int) {}

void ControllerMapper::skip() {}

void ControllerMapper::layout(int w) {
    width = w;
}

PadMapping ControllerMapper::loadMapping(const std::string&, int, int) {
    return PadMapping();
}

std::string ControllerMapper::makeTagName(const std::string& name) {
    std::string tag;
    for (char c : name) {
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) tag += c;
    }
    if (!tag.empty() && tag[0] >= '0' && tag[0] <= '9') tag = "A" + tag;
    return tag;
}
