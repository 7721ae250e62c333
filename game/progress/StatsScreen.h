#pragma once

#include <string>
#include <vector>

#include "ScrollPanel.h"
#include "ofColor.h"

class PixelFont;
class StatsTracker;

// The list of the four world-wide totals and every local counter.
class StatsScreen {
public:
    // The font and the tracker are the core's and outlive the screen.
    void setup(PixelFont* font = nullptr, StatsTracker* stats = nullptr);
    void open();
    void update(float frameTime);
    void mousePressed(int x, int y);
    void mouseReleased(int x, int y);
    void mouseDragged(int x, int y);
    void scrollByAxis(float amount);
    void mouseMoved(int x, int y);
    void layout(int width);
    void draw(int alpha);

    // Every row as drawn: label and value.
    std::vector<std::pair<std::string, std::string>> rowTexts() const;
    // "foe_Kills_type_3" as "FOE KILLS TYPE 3".
    static std::string displayName(const std::string& name);
    // Seconds as H:MM:SS.
    static std::string formatTime(float seconds);

    bool backRequested = false;
    int width = 960;
    int height = 960;
    ofColor textColor = ofColor(255, 255, 255, 255);
    ScrollPanel panel;
    PixelFont* font = nullptr;
    StatsTracker* stats = nullptr;
};
