#pragma once

#include <memory>
#include <string>
#include <vector>

#include "AchievementTracker.h"
#include "ArenaWalls.h"
#include "ArcadeScoreTable.h"
#include "Asteroid.h"
#include "BlackHole.h"
#include "AttractPrompt.h"
#include "CreditsScreen.h"
#include "EndingSequence.h"
#include "Foe.h"
#include "GameState.h"
#include "GoalPoint.h"
#include "LayerBatch.h"
#include "LeaderboardScreen.h"
#include "MainMenu.h"
#include "MatchSettings.h"
#include "MissionList.h"
#include "NoiseRing.h"
#include "OptionsMenu.h"
#include "PixelFont.h"
#include "PlayerShip.h"
#include "PopupMessage.h"
#include "ScoreSubmitOverlay.h"
#include "ShipSelect.h"
#include "SoundBank.h"
#include "Spark.h"
#include "StatsScreen.h"
#include "StatsTracker.h"
#include "Tutorial.h"
#include "ofColor.h"

// The one object that holds the whole game: the world, every screen, the
// trackers and the sound bank, the screen selector and the round's rules.
class GameCore {
public:
    GameCore() = default;
    GameCore(const GameCore&) = delete;
    GameCore& operator=(const GameCore&) = delete;
    ~GameCore();

    void setup(const std::string& text, bool touch, const std::string& device);
    void update();
    void draw();

    void startRound(bool withStart);
    void returnToMenu(bool playSound);
    void layout(int width);

    void setSteamAvailable(bool available);
    void setColorBlindMode(bool on);
    void setupTexts();
    void defineMissions();
    void loadPlayerData();
    void savePlayerData();

    void drawSplashScreen();
    void drawPadButton(int x, int y, int button, int alpha, float scale);

    // No best score in Intro, Easy, Hard or Asteroid Field.
    bool noArcadeBestScores() const;

    // Players and match
    PlayerShip players[4];
    int playerCount = 1;
    bool deathMatch = false;
    bool coop = false;
    bool missionRound = false;
    // The mission briefing shown before a mission round, and how long it has shown.
    bool missionBriefing = false;
    float briefingTime = 0;
    // Round counters the missions watch.
    int roundKills = 0;
    int rocksSmashed = 0;
    int multikillCount = 0;
    MatchSettings matchSettings;
    int roundLimit = 4;
    int roundCount = 0;

    // World
    // Live foes in spawn order, owned by the core.
    std::vector<Foe*> foes;
    std::vector<GoalPoint> goalPoints;
    // Live asteroids, owned by the core.
    std::vector<Asteroid*> asteroids;
    int rocksTested = 0;
    BlackHole blackHole;
    std::vector<NoiseRing> noiseRings;
    std::vector<Spark> sparks;
    ArenaWalls arenaWalls;
    // Created by the set-up; owned by the core.
    std::unique_ptr<LayerBatch> layerBatch;

    // Screens, trackers and services
    MissionList missionList;
    Tutorial tutorial;
    CreditsScreen creditsScreen;
    EndingSequence endingSequence;
    OptionsMenu optionsMenu;
    ShipSelect shipSelect;
    SoundBank soundBank;
    StatsTracker statsTracker;
    StatsScreen statsScreen;
    AchievementTracker achievementTracker;
    ScoreSubmitOverlay scoreSubmitOverlay;
    LeaderboardScreen leaderboardScreen;
    ArcadeScoreTable arcadeScoreTable;
    AttractPrompt attractPrompt;
    MainMenu mainMenu;
    std::vector<PopupMessage> popups;

    // Names, colours and layout
    std::string modeNames[6];
    ofColor modeColors[6];
    ofColor backgroundColor;
    ofColor backgroundTarget;
    float backgroundBlend = 0.95f;
    // The colour of the current mode, taken by the main menu's screen update.
    ofColor menuColor;
    ofColor textColor = ofColor(255, 255, 255, 255);
    ofColor playerColors[4];
    ofColor normalPlayerColors[4];
    ofColor colorBlindPlayerColors[4];
    std::string playerColorNames[4];
    ofColor foeColor;
    ofColor normalFoeColor;
    ofColor colorBlindFoeColor;
    std::vector<ofColor> rockColors;
    std::vector<ofColor> normalRockColors;
    std::vector<ofColor> colorBlindRockColors;
    std::string matchTypeNames[3];
    std::string matchValueLabels[3];
    int screenWidth = 960;
    int screenHeight = 960;
    float uiScale = 1.0f;
    PixelFont font;

    // Text tables
    std::vector<std::string> gameOverLines;
    std::vector<std::string> winnerPhrases;
    std::vector<std::string> winnerPraise;
    std::vector<std::string> statsTitles;

    // Time
    float frameTime = 0;
    float lastTime = 0;
    float playTime = 0;
    float stateTime = 0;
    float menuTime = 0;
    float menuFadeTime = 0.3f;
    float totalTime = 0.25f;
    float roundOverLength = 2.0f;
    float roundOverTimer = 0;
    float rockFlashTime = 0;

    // State
    GameState gameState = GameState::MainMenu;
    GameMode gameMode = GameMode::Easy;

    // Flags beside the state
    bool paused = false;
    bool startHold = false;
    float holdTime = 0;
    bool pausePressed = false;
    bool killSequence = false;
    bool killSequenceRunning = false;
    bool splashActive = false;
    float splashTime = 0;
    float splashLength = 5.0f;
    float splashFadeStart = 4.0f;
    bool endingActive = false;
    bool cursorWanted = true;
    bool cursorShown = true;
    bool fullScreenRequest = false;
    bool fullScreen = false;
    bool exhibition = false;
    bool colorBlind = false;
    bool arcadeCabinet = false;
    bool touchBuild = false;
    int bestScores[6] = {};
    int bestCoopScores[6] = {};
    float idleTime = 0;
    float idleLimit = 120;
    float menuIdleTime = 0;
    float attractTime = 60;

    // Machine and input
    std::string deviceName;
    bool steamAvailable = false;
    // The build's own Steam switch; Steam counts only when this and
    // SteamAPI_Init both say yes.
    bool steamSwitch = true;
    int padCount = 0;
    bool gamePad = false;
    bool symbolPad = false;
    bool mouseSteering = false;
    bool debugEnabled = false;
    bool festivalScreenshots = false;
    // The player file's easter-egg value, checked against its default once
    // Steam stats have arrived.
    int xmlEditValue = 0;

    // Round rules set at set-up
    int killLimit = 50;
    float zoomDefault = 1.0f;
    float zoomTarget = 1.0f;
    float cameraSmoothing = 0.86f;
    float zoomMin = 0.3f;
    float matchCountdownLength = 5.25f;
    float matchEndLength = 5.0f;
    float skyHeight = 30000;
    float deadZoneHalfWidth = 15;
    float deadZoneHalfHeight = 15;
    float multikillWindow = 3.5f;
    int foeKillScoreStep = 10;
    int foeKillSparkCount = 10;
    float rockCullDistanceSq = 16000000.0f;
    int chainLength[9] = {12, 5, 10, 10, 4, 12, 12, 8, 1};
    int chainCap = 12;
    float hitSpeedSq = 20;
    float hitGraceTime = 0.5f;
    float killZoomFactor = 1.18f;
    float killFocusNear = 150;
    float killFocusFar = 350;
    float killSlowFactor = 0.85f;
    float killFadeFactor = 0.99f;
    int multikillMax = 9;

private:
    void updateMainMenu();
    void buildPalettes();
};
