#pragma once

#include <string>
#include <vector>

#include "Spark.h"
#include "ofColor.h"
#include "ofRectangle.h"

class MissionList;
class PixelFont;
class SoundBank;

// The title screen: it selects and confirms; the core acts on the confirmed
// label.
class MainMenu {
public:
    static const int maxItems = 7;

    // The font, mission list and sound bank are the core's and outlive the menu.
    void setup(int width, int height, ofColor color, bool exhibition, bool cabinet, bool cabinetSolo,
               PixelFont* font, MissionList* missionList, SoundBank* soundBank);
    void layout(int width);
    void moveSelection(int direction, bool confirm);
    void mouseInput(int x, int y, bool pressed);
    void reset();
    void disable();
    void update(float dt);
    void draw(int alpha, const MissionList& missions);

    PixelFont* font = nullptr;
    ofColor color;
    int width = 960;
    int height = 960;
    int itemCount = 0;
    ofRectangle itemRects[maxItems];
    std::string itemLabels[maxItems];
    std::vector<Spark> sparks;
    SoundBank* soundBank = nullptr;
    int selected = -1;
    int padCount = 0;
    bool confirmed = false;
    MissionList* missionList = nullptr;
    bool exhibition = false;
    bool cabinet = false;
    bool cabinetSolo = false;
    int price = 0;
    std::vector<std::string> slogans;
    int sloganIndex = 0;
    bool disabled = false;
    float timer = 0;
    std::string frontTextLines[4];

private:
    void confirmSelected();
    void addSparks();
    void drawMissionProgress(int i, float labelSize, const MissionList& missions);
    void drawCabinetBadge();
};
