#include "vantorixPC.h"

#include <array>
#include <iostream>
#include <map>

#include "ofAppRunner.h"
#include "ofEvents.h"
#include "ofGraphics.h"
#include "ofLog.h"
#include "ofMath.h"
#include "steam_api.h"

namespace {

const char* const loadingLines[] = {"The game where dreams take flight.",
                                    "A game about flying into things.",
                                    "The game where particles are friends.",
                                    "I'm sure you'll be very good at it!",
                                    "The name of this game is VANTORIX.",
                                    "The game that knows that it's OK to dream.",
                                    "I just know you'll enjoy this game.",
                                    "You bought it and that was nice of you.",
                                    "Fun things can take a while to launch sometimes.",
                                    "Every second you spend playing will enrich your life.",
                                    "You know that flying space ships is fun. You know it."};
const int loadingLineCount = 11;

// Block letters six cells wide and five high; each cell prints as two
// characters, so four letters with gaps of three fill 57 columns.
const std::map<char, std::array<const char*, 5>> blockLetters = {
    {'V', {"#....#", "#....#", ".#..#.", ".#..#.", "..##.."}},
    {'A', {"..##..", ".#..#.", "#....#", "######", "#....#"}},
    {'N', {"#....#", "##...#", "#.#..#", "#..#.#", "#...##"}},
    {'T', {"######", "..##..", "..##..", "..##..", "..##.."}},
    {'O', {".####.", "#....#", "#....#", "#....#", ".####."}},
    {'R', {"#####.", "#....#", "#####.", "#...#.", "#....#"}},
    {'I', {"######", "..##..", "..##..", "..##..", "######"}},
    {'X', {"#....#", ".#..#.", "..##..", ".#..#.", "#....#"}}};

void writeBlock(std::ostream& out, const std::string& word) {
    for (int row = 0; row < 5; ++row) {
        std::string line;
        for (size_t i = 0; i < word.size(); ++i) {
            if (i > 0) line += "   ";
            const char* cells = blockLetters.at(word[i])[static_cast<size_t>(row)];
            for (int c = 0; c < 6; ++c) line += cells[c] == '#' ? "##" : "  ";
        }
        out << line << "\n";
    }
}

}  // namespace

void vantorixPC::writeStartupText(std::ostream& out) {
    const int columns = 57;
    const std::string welcome = "Welcome to";
    out << std::string((columns - welcome.size()) / 2, ' ') << welcome << "\n\n";
    writeBlock(out, "VANT");
    out << "\n";
    writeBlock(out, "ORIX");
    out << "\n";
    std::string line = pickLoadingLine();
    int pad = line.size() < 56 ? (56 - static_cast<int>(line.size())) / 2 : 0;
    out << std::string(static_cast<size_t>(pad), ' ') << line << "\n";
    out << "                   ......loading......\n\n";
    out.flush();
}

std::string vantorixPC::pickLoadingLine() {
    int index = static_cast<int>(ofRandom(static_cast<float>(loadingLineCount)));
    if (index < 0) index = 0;
    if (index > loadingLineCount - 1) index = loadingLineCount - 1;
    return loadingLines[index];
}

void vantorixPC::setup() {
    writeStartupText(std::cout);

    ofSetWindowTitle("VANTORIX");
    ofBackground(0, 0, 0, 255);
    baseHeight = 960.0f;
    windowWidth = 960;
    windowHeight = 960;
    ofSetLogLevel(OF_LOG_VERBOSE);
    core.setSteamAvailable(SteamAPI_Init());
    ofSetEscapeQuitsApp(false);
    core.setup("", false, "PC");
    core.achievementTracker.setSteamAvailable(core.steamAvailable);

    padConnected = false;
    registeredPads = 0;
    stickDeadZone = 0.2f;
    firstPad = 0;
    firstPadChosen = false;
    tapThreshold = tapUpThreshold = tapDownThreshold = 0.95f;
    tapResetThreshold = 0.5f;
    for (int p = 0; p < 4; ++p) {
        stickLeftArmed[p] = stickRightArmed[p] = stickUpArmed[p] = stickDownArmed[p] = false;
        padSticks[p] = Stick();
        for (float& axis : padAxes[p]) axis = 0;
        arrowHeld[p] = false;
    }
    for (int i = 0; i < ActionCount; ++i) buttonMap[0][i] = i;
    padDebugVisible = false;
    core.fullScreen = false;
    fullScreen = false;
    for (float& rate : frameRateHistory) rate = 30.0f;

    festivalShotMin = 2.0f;
    festivalShotMax = 35.0f;
    festivalShotTimer = ofRandomRange(festivalShotMin, festivalShotMax);
    gifCapture = false;
    screenshotRequested = false;

    core.menuIdleTime = 0;
#ifdef VANTORIX_ARCADE_CABINET
    loadArcadeSettings("arcadeSettings.xml");
#endif
}

void vantorixPC::update() {
    if (ofGetFrameNum() < 3) fitWindow();
    if (ofGetFrameNum() == 3 && core.optionsMenu.rows[OptionsMenu::FullScreen]) toggleFullscreen();

    core.update();
#ifdef VANTORIX_ARCADE_CABINET
    if (ofGetFrameNum() == 15 || (ofGetFrameNum() % 100 == 0 && core.gameState == GameState::MainMenu))
        adjustLetterBox(0);
#endif

    if (core.gameState == GameState::MainMenu || core.gameState == GameState::MultiplayerLobby) attachPads();

    if (core.splashActive) return;

    steerShips();

    if (core.fullScreenRequest) {
        core.fullScreenRequest = false;
        toggleFullscreen();
    }

    scrollScreens();
    serveRemapper();

    applyFrameRateRule();

    if (core.steamAvailable) {
        SteamAPI_RunCallbacks();
        AchievementAndStatsWrapper* wrapper = core.statsTracker.wrapper;
        if (!core.statsTracker.busy && wrapper != nullptr && wrapper->statsReceived) {
            core.statsTracker.readBackFromSteam();
            core.achievementTracker.checkXmlEdit(core.xmlEditValue);
        }
    }
}

void vantorixPC::fitWindow() {
    float height = static_cast<float>(ofGetScreenHeight() - 75);
    scale = height / baseHeight;
    windowedScale = scale;
    ofSetWindowShape(static_cast<int>(scale * baseHeight), static_cast<int>(height));
}

void vantorixPC::applyFrameRateRule() {
    for (int i = 9; i > 0; --i) frameRateHistory[i] = frameRateHistory[i - 1];
    float sum = 0;
    for (int i = 1; i < 10; ++i) sum += frameRateHistory[i];
    float average = sum / 9.0f;
    if (average >= 34.8f)
        ofSetFrameRate(30);
    else if (average < 26.0f)
        ofSetFrameRate(35);
    frameRateHistory[0] = ofGetFrameRate();
}

void vantorixPC::windowResized(int w, int h) {
    // A minimised or collapsed window reports no size to lay out for.
    if (w <= 0 || h <= 0) return;
#ifdef VANTORIX_ARCADE_CABINET
    std::cout << "arcade check" << std::endl;
    setVirtualWidth(w);
    return;
#endif
    if (fullScreen) return;
    scale = static_cast<float>(h) / baseHeight;
    float virtualWidth = static_cast<float>(w) / scale;
    if (virtualWidth <= 1800) {
        setVirtualWidth(static_cast<int>(virtualWidth));
        windowWidth = ofGetWidth();
        windowHeight = ofGetHeight();
    } else {
        ofSetWindowShape(windowWidth, windowHeight);
    }
}

void vantorixPC::setVirtualWidth(int width) {
    core.layout(width);
    core.missionList.layout(width);
    // The pause screen places its buttons; the core's hover tests the same boxes.
    core.resumeButton = core.missionList.resumeButton;
    core.abortButton = core.missionList.abortButton;
    core.holdResumeButton = core.missionList.holdButton;
    core.shipSelect.layout(width);
    core.mainMenu.layout(width);
    core.tutorial.setWidth(width);
    core.creditsScreen.setWidth(width);
    core.statsScreen.layout(width);
    core.scoreSubmitOverlay.layout(width);
    core.leaderboardScreen.layout(width);
    core.optionsMenu.layout(width);
    core.optionsMenu.controllerMapper.layout(width);
    core.arcadeScoreTable.setWidth(width);
}

void vantorixPC::toggleFullscreen() {
    fullScreen = !fullScreen;
    core.fullScreen = fullScreen;
    ofSetFullscreen(fullScreen);

    float virtualWidth = baseHeight;
    if (fullScreen) {
        scale = static_cast<float>(ofGetScreenHeight()) / baseHeight;
        virtualWidth = static_cast<float>(ofGetScreenWidth()) / scale;
    } else {
        scale = windowedScale;
    }
    setVirtualWidth(static_cast<int>(virtualWidth));

    if (core.gameState == GameState::Options)
        core.soundBank.playRockSmash();
    else
        core.soundBank.playMenuBeep();

    core.optionsMenu.rows[OptionsMenu::FullScreen] = fullScreen;
    core.savePlayerData();
#ifdef VANTORIX_ARCADE_CABINET
    adjustLetterBox(0);
#endif

    ofSetBackgroundAuto(true);
    ofClear(0, 0, 0, 0);
}
