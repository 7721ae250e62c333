#pragma once

#include <ostream>
#include <string>

#include "GameCore.h"
#include "ofBaseApp.h"
#include "ofImage.h"
#include "ofxGamepad.h"

// The application: owns the game and everything about the machine rather
// than the game (start-up, frame order, frame-rate rule, window scale, input
// translation).
class vantorixPC : public ofBaseApp {
public:
    struct Stick {
        float x = 0;
        float y = 0;
    };

    // The twelve input actions of a pad.
    enum Action {
        Confirm = 0,
        Back = 1,
        Options = 2,
        Erase = 3,
        Start = 4,
        Select = 5,
        Left = 6,
        Right = 7,
        Up = 8,
        Down = 9,
        ActionCount = 12
    };

    vantorixPC() = default;
    vantorixPC(const vantorixPC&) = delete;
    vantorixPC& operator=(const vantorixPC&) = delete;

    void setup() override;
    void update() override;
    void draw() override;
    void windowResized(int w, int h) override;
    void keyPressed(int key) override;
    void keyReleased(int key) override;
    void mouseMoved(int x, int y) override;
    void mouseDragged(int x, int y, int button) override;
    void mousePressed(int x, int y, int button) override;
    void mouseReleased(int x, int y, int button) override;

    void setVirtualWidth(int width);
    void toggleFullscreen();
    std::string pickLoadingLine();
    // The banner, one start-up line and the loading line, as set-up writes them.
    void writeStartupText(std::ostream& out);
    void handlePadButton(int pad, const ofxGamepadButtonEvent& event, bool synthetic, const int map[ActionCount]);

    GameCore core;
    Stick padSticks[4];
    int registeredPads = 0;
    bool padConnected = false;
    float stickDeadZone = 0.2f;
    int firstPad = 0;
    bool firstPadChosen = false;
    float tapThreshold = 0.95f;
    float tapUpThreshold = 0.95f;
    float tapDownThreshold = 0.95f;
    float tapResetThreshold = 0.5f;
    bool stickLeftArmed[4] = {};
    bool stickRightArmed[4] = {};
    bool stickUpArmed[4] = {};
    bool stickDownArmed[4] = {};
    int buttonMap[4][ActionCount] = {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}};
    int axisIds[4][4] = {};
    int axisSigns[4][4] = {};
    float padAxes[4][4] = {};
    bool arrowHeld[4] = {};
    float baseHeight = 960.0f;
    float scale = 1.0f;
    float windowedScale = 1.0f;
    bool padDebugVisible = false;
    bool allPlayersFollow = false;
    bool musicDebugVisible = false;
    bool fullScreen = false;
    float frameRateHistory[10] = {30, 30, 30, 30, 30, 30, 30, 30, 30, 30};
    int windowWidth = 960;
    int windowHeight = 960;
    bool gifCapture = false;
    bool screenshotRequested = false;
    ofImage screenImage;
    float festivalShotTimer = 0;
    float festivalShotMin = 2.0f;
    float festivalShotMax = 35.0f;

private:
    void fitWindow();
    void drawMusicDebug();
    // Grabs the whole window and saves it as prefix + system time + ".png".
    void saveFrame(const std::string& prefix);
    void applyFrameRateRule();
    void sendAction(int action);
    int virtualX(int x) const;
    int virtualY(int y) const;
};
