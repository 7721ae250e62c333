#pragma once

#include <ostream>
#include <string>

#include "GameCore.h"
#include "ofBaseApp.h"
#include "ofImage.h"
#include "ofxGamepad.h"
#include "ofxXmlConfig.h"

class ofxGamepadHandler;

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
    ~vantorixPC() override;
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
    // Lets go of the pads while their handler still holds them.
    void exit() override;

    void setVirtualWidth(int width);
    void toggleFullscreen();
    std::string pickLoadingLine();
    // The banner, one start-up line and the loading line, as set-up writes them.
    void writeStartupText(std::ostream& out);
    void handlePadButton(int pad, const ofxGamepadButtonEvent& event, bool synthetic, const int map[ActionCount]);
    void handlePadAxis(int pad, const ofxGamepadAxisEvent& event);
    void handlePlayingButton(const ofxGamepadButtonEvent& event, const int map[ActionCount]);
    void handleLobbyButton(const ofxGamepadButtonEvent& event, int player, const int map[ActionCount]);
    void refreshPadMappings();

    // The listeners of pad K, attached by the attach ladder.
    template <int K>
    void onPadButton(ofxGamepadButtonEvent& event) {
        handlePadButton(K, event, false, buttonMap[K]);
    }
    template <int K>
    void onPadAxis(ofxGamepadAxisEvent& event) {
        handlePadAxis(K, event);
    }

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
    // Until a pad's mapping is loaded it reads as the default mapping.
    int buttonMap[4][ActionCount] = {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
                                     {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
                                     {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
                                     {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}};
    int axisIds[4][4] = {{0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1, 2, 3}};
    int axisSigns[4][4] = {{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}};
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
    // The pads whose listeners are attached, by index; owned by the pad
    // handler, which destroys a pad when a rescan no longer finds it and all
    // of them at the program's exit. Read them only with the handler locked,
    // after forgetUnpluggedPads.
    ofxGamepad* attachedPads[4] = {};
    // Per pad: its name reads as a PlayStation pad.
    bool playStationPad[4] = {};

#ifdef VANTORIX_ARCADE_CABINET
    // Cabinet: settings file, letter box and named controller slots.
    void loadArcadeSettings(const std::string& path);
    void adjustLetterBox(float delta);
    void saveLetterBox();
    // True when the key is one of the service keys, which take it.
    bool handleServiceKey(int key);
    float mapStickValue(float value) const;
    int slotOfPad(int pad) const;

    // Emptied when the file is there but out of reach: it is then never written.
    std::string arcadeSettingsPath = "arcadeSettings.xml";
    ofxXmlConfig arcadeSettings;
    std::string controllerNames[4] = {"NONE", "NONE", "NONE", "NONE"};
    int padSlot[4] = {0, 1, 2, 3};
    float maxJoyValue = 1.0f;
    int lastMenuPad = 0;
    float letterBoxH = 0;
    float letterBoxOffset = 0;
    bool letterBoxVisible = false;
    bool stickDebugPrint = false;
#endif

private:
    void fitWindow();
    void drawMusicDebug();
    // Grabs the whole window and saves it as prefix + system time + ".png".
    void saveFrame(const std::string& prefix);
    void applyFrameRateRule();
    void sendAction(int action);
    // Update steps that are about the pads and the screens' scrolling.
    void attachPads();
    void steerShips();
    void scrollScreens();
    void serveRemapper();
    void detachPads();
    void forgetUnpluggedPads(ofxGamepadHandler& handler);
    bool keyPressedTypedText(int key);
    void keyPressedBack();
    int virtualX(int x) const;
    int virtualY(int y) const;
};
