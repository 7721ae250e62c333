#pragma once

#include <string>
#include <vector>

#include "PadMapping.h"

// The controller remapper inside the options. Placeholder: it never opens,
// raises no request and hands out the default mapping.
class ControllerMapper {
public:
    struct Entry {
        std::string name;
        int axes = 0;
        int buttons = 0;
    };

    void addController(const std::string& name, int numAxes, int numButtons);
    void axisMoved(int axisId, float value, int pad);
    void buttonPressed(int buttonId, int pad);
    void skip();
    void layout(int width);
    PadMapping loadMapping(const std::string& padName, int numAxes, int numButtons);
    // The name with everything but 0-9, A-Z and a-z removed, prefixed with
    // "A" when it would start with a digit: a valid XML tag.
    static std::string makeTagName(const std::string& name);

    bool isOpen = false;
    bool showingControllerList = false;
    bool leave = false;
    bool controllerListRequest = false;
    bool reloadRequest = false;
    std::vector<Entry> controllers;
    int width = 960;
};
