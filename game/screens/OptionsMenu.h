#pragma once

#include "ControllerMapper.h"
#include "ofColor.h"

// The options screen. Placeholder: its rows hold the settings the core reads,
// and it never raises a report or a request.
class OptionsMenu {
public:
    enum Row {
        SoundMute = 0,
        MusicMute = 1,
        FullScreen = 2,
        Remap = 3,
        ColorBlind = 4,
        SendGlobalStats = 5,
        SeeStats = 6,
        Credits = 7,
        AutoSubmit = 8,
        RowCount = 9
    };

    void setup(int width, int height, ofColor textColor);
    void open(bool padActive, bool fromRound);
    void update(float frameTime);
    void mousePressed(int x, int y);
    void handleInput(int vertical, int horizontal, bool confirm, bool back);
    void mouseMoved(int x, int y);
    void finishNameEdit();
    void back();
    void openRemap();
    void openCreditsWarning();
    void closeCreditsWarning();
    void clearButtonRows();
    void draw(int alpha);
    void layout(int width);

    bool rows[RowCount] = {};
    ControllerMapper controllerMapper;
    bool backReport = false;
    bool fullScreenRequest = false;
    bool seeStatsRequest = false;
    bool creditsRequest = false;
    bool creditsConfirmed = false;
    bool fromRound = false;
    bool padActive = false;
    bool editingName = false;
    bool creditsWarningOpen = false;
    int width = 960;
    int height = 960;
    ofColor textColor;
};
