#pragma once

#include <string>
#include <vector>

#include "PadMapping.h"
#include "ofColor.h"
#include "ofRectangle.h"

class PixelFont;
class SoundBank;

// The controller remapper inside the options: a list of the attached pads
// ending in "DONE"; a chosen pad is mapped step by step from its own events
// (twelve buttons, then four stick directions) and saved to
// "controllerMappings.xml".
class ControllerMapper {
public:
    struct Entry {
        std::string name;
        int axes = 0;
        int buttons = 0;
        // The pad's number as its events carry it; -1 for "DONE".
        int pad = -1;
    };

    static constexpr int buttonSteps = 12;
    static constexpr int stepCount = 16;
    static const char* const fileName;

    // font and sounds are the core's and live as long as it does.
    void setup(PixelFont* font, SoundBank* sounds, ofColor textColor);
    // Shows the list and asks the application for the attached pads.
    void open();
    void close();
    // Back to the list from a mapping: what was mapped so far is dropped.
    void showList();
    void addController(const std::string& name, int numAxes, int numButtons, int pad = -1);
    void axisMoved(int axisId, float value, int pad);
    void buttonPressed(int buttonId, int pad);
    // In the list: takes the selected entry. While mapping: keeps the step's
    // current value and goes on.
    void skip();
    // List navigation from the options' pad and key steps.
    void handleInput(int vertical, bool confirm, bool back);
    void mousePressed(int x, int y);
    void mouseMoved(int x, int y);
    void draw(int alpha);
    void layout(int width);

    PadMapping loadMapping(const std::string& padName, int numAxes, int numButtons);
    bool saveMapping(const std::string& padName, const PadMapping& mapping);
    // The name with everything but ASCII 0-9, A-Z and a-z removed, prefixed
    // with "A" when it would start with a digit; "Pad" when nothing is left.
    static std::string makeTagName(const std::string& name);
    // The prompt of a mapping step, such as "UP" or "LEFT STICK DOWN".
    static std::string stepName(int step);

    bool isOpen = false;
    bool showingControllerList = false;
    bool leave = false;
    bool controllerListRequest = false;
    bool reloadRequest = false;
    std::vector<Entry> controllers;
    int selected = 0;
    // The list entry being mapped and its pad's number, -1 while the list
    // shows. The list skips pads that are gone, so the two may differ.
    int mappingEntry = -1;
    int mappingPad = -1;
    int step = 0;
    PadMapping mapping;
    // The strongest axis past 0.5 of this step, waiting for its release.
    int heldAxis = -1;
    int heldSign = 1;
    float heldStrength = 0;
    int width = 960;
    ofColor textColor;
    PixelFont* font = nullptr;
    SoundBank* sounds = nullptr;

private:
    void choose(int index);
    void advance();
    int entryAt(int x, int y) const;
};
