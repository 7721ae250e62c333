#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AchievementTracker.h"
#include "ArenaWalls.h"
#include "ArcadeScoreTable.h"
#include "Asteroid.h"
#include "BlackHole.h"
#include "CoopRegen.h"
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
#include "SpawnDirector.h"
#include "Spring.h"
#include "StatsScreen.h"
#include "StatsTracker.h"
#include "Tutorial.h"
#include "WeaponParticle.h"
#include "ofColor.h"
#include "ofRectangle.h"
#include "ofVec2f.h"

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

    // Round flow (rounds, kills, deaths)
    void clearRocksAround(int player, int margin);
    void destroyFoe(int index, bool scored, bool smashSound);
    void destroyAsteroid(int index, bool quiet, int player, int weaponIndex);
    // False when a sequence already runs or the victim is gone or dying.
    bool startKillSequence(int victim, int killer, int weaponIndex, bool victimIsPlayer);
    void updateKillSequence();
    void playerDied(bool introRound, int player);
    void spawnCoopRegen();

    // Steering, placement and screens
    void openOptions(bool beep, int flag);
    void openLeaderboards(int flag);
    void openLevelSelect();
    void joinPlayer(int player);
    void steerByStick(float x, float y, int player);
    void steerByMouse(int mouseX, int mouseY, int player);
    void mouseDragged(int button, int x, int y);
    void mouseReleased(int button, int x, int y);
    void placeWeapons(int player, bool near);
    void placePlayerInArena(int player, bool moveNow);
    void setPaused(bool on);
    void openScoreSubmit();

    // Raises a stat counter by amount and hands it on; the new total.
    float raiseStat(const std::string& name, float amount = 1);

    void setSteamAvailable(bool available);
    void setColorBlindMode(bool on);
    void setupTexts();
    void defineMissions();
    void loadPlayerData();
    void savePlayerData();

    void drawSplashScreen();
    void drawPadButton(int x, int y, int button, int alpha, float scale);
    // Sees every pad-button glyph drawn: the action and where (tests read it).
    static std::function<void(int button, int x, int y)> padButtonObserver;

    // The frame's layers and the screens drawn in them.
    void drawBackgroundTiles();
    void updateFoePulse();
    void drawMouseSteeringGuide();
    void drawHud();
    void drawArcadeMenu();
    void cycleDifficulty(int step, int fromMode);
    void drawGameOver();
    void drawMultikillBanner();
    void drawDebugOverlay();
    float getMultikillTimeBonus() const;
    // Multiplayer rounds: co-op and death match.
    void updateMultiplayer();
    void updateDeathMatch(int shipsIn, int leader, int leaderScore);
    void checkWeaponHits(int player);
    void deathMatchDeath(int victim);
    void startMatch();
    // One pad event on the match settings page or the level select.
    void handleSettingsPad(int player, int dx, int dy, bool confirm, bool start, bool back);
    // The hue halfway round the colour circle (0..255) between a and b.
    static float meanHue(float a, float b);
    // Multiplayer screens.
    void drawLobby();
    void drawMatchSettings();
    void drawDeathMatchHud();
    void drawMatchAwards();
    void drawMatchStats();
    void drawLevelSelect();

    // No best score in Intro, Easy, Hard or Asteroid Field.
    bool noArcadeBestScores() const;

    // Input routing and transitions between the menus and special rounds.
    void mousePressed(int button, int x, int y);
    void abortRound();
    void openShipSelect(int returnState, bool flag);
    void openLobby(bool deathMatch, bool resetPlayers, bool playSound);
    void startCreditsRun();
    void startEnding();
    // A living player reached the token of its dead player.
    void revivePlayer(CoopRegen& token);
    void creditsRunHit();
    // PLAY on the arcade menu: the intro, ship select or the round.
    void startFromArcadeMenu();

    // Players and match
    PlayerShip players[4];
    int playerCount = 1;
    bool deathMatch = false;
    bool coop = false;
    bool missionRound = false;
    // The mission briefing shown before a mission round, and how long it has shown.
    bool missionBriefing = false;
    float briefingTime = 0;
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
    bool blackHoleActive = false;
    std::vector<NoiseRing> noiseRings;
    std::vector<Spark> sparks;
    ArenaWalls arenaWalls;
    // Created by the set-up; owned by the core.
    std::unique_ptr<LayerBatch> layerBatch;

    // Screens, trackers and services
    SpawnDirector spawnDirector;
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
    float backgroundBlend = 0.8f;
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
    // The player file is there but could not be read: this run never saves it.
    bool playerFileOutOfReach = false;
    bool colorBlind = false;
    bool arcadeCabinet = false;
    // Cabinet: the letter box and the attract screen's score table placement.
    float letterBoxH = 0;
    float letterBoxOffset = 0;
    int attractScoreOffset = 0;
    int attractScoreXStart = 0;
    int attractScoreXOffset = 0;
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
    // Per pad: it is a PlayStation pad (symbolPad follows pad 0).
    bool playStationPads[4] = {false, false, false, false};
    // Death-match round over: the first press arms the way back to the lobby.
    bool matchContinue = false;
    // The exhibition menu's idle line has been written for this idle period.
    bool menuIdleNoted = false;
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
    float matchStartDelay = 5.25f;
    float matchEndLength = 5.0f;
    float skyHeight = 30000;
    float deadZoneHalfWidth = 15;
    float deadZoneHalfHeight = 15;
    float multikillWindow = 3.5f;
    float killPoints = 10;
    float multikillPoints = 10;
    float rockCullDistanceSq = 16000000.0f;
    int chainLength[9] = {12, 5, 10, 10, 4, 12, 12, 8, 1};
    int chainCap = 12;
    float hitSpeedSq = 20;
    float hitGraceTime = 0.5f;
    float killZoom = 1.18f;
    float killFocusNear = 150;
    float killFocusFar = 350;
    float killSlowFactor = 0.85f;
    float killFadeFactor = 0.99f;
    int multikillMax = 9;

    // Weapons: twelve particles and tethers per player slot. The particles are
    // owned here, made by the round start and deleted by the core.
    WeaponParticle* weaponPoints[4][12] = {};
    Spring weaponSprings[4][12];

    // Camera and view, moved by the playing update.
    ofVec2f camera;
    float zoom = 1.0f;
    // Background grid of noise-lit cells behind the world.
    bool backgroundTiles = true;
    int tileSize = 64;
    float tileNoiseScale = 0.0025f;
    float tileTimeRate = 0.15f;
    int tileLevels = 6;
    int tileModulus = 2;
    int backgroundNoiseOffset[2] = {};
    // The world box the grid last covered, one cell beyond the view.
    int viewLeft = 0;
    int viewRight = 0;
    int viewTop = 0;
    int viewBottom = 0;

    // Shakes of the view: impact (pixels), smash and death.
    int impactShake = 0;
    float rockFlashLength = 0.3f;
    int rockShakeMagnitude = 5;
    float deathFlashTime = 0;
    float deathFlashLength = 0.4f;
    float deathMatchFlashLength = 0.8f;

    // The shared swell of every foe this frame.
    float foePulseOffset = 0;
    float foePulseScale = 1;
    // 0..255: fades tethers and trails in during the intro.
    int tutorialFade = 255;
    // One weapon drawn enlarged in its own colour.
    bool highlightWeapon = false;
    int highlightPlayer = 0;
    int highlightIndex = 0;
    ofColor highlightColor;
    bool mouseGuide = false;
    float steeringRadius = 200;
    ofVec2f mouseTarget;
    bool steeringHint = false;
    bool debugOverlay = false;
    bool iPhone5Layout = false;
    bool iPhone6PLayout = false;

    // Multikill chain and its banner.
    int multikillCount = 0;
    float multikillTimer = 0;
    float multikillFadeTime = 0.5f;
    int multikillLevel = 0;
    bool multikillBannerDone = false;

    // Arcade menu: the difficulty slide and the buttons. The slide timer is
    // the core's one menu-slide timer; the awards and match stats slide on it too.
    int previousDifficulty = 1;
    int slideDirection = 1;
    float slideLength = 0.25f;
    float slideTimer = 0.25f;
    ofColor difficultyColor;
    ofRectangle playButton;
    ofRectangle arrowLeftButton;
    ofRectangle arrowRightButton;
    ofRectangle backButton;
    ofRectangle shipArea;

    // Game over.
    bool gameOverSoundPlayed = false;
    int gameOverLine = 0;
    bool onlineScore = false;
    ofRectangle submitButton;
    ofRectangle leaderboardButton;
    ofRectangle menuButton;
    ofRectangle cornerButton;
    bool submitButtonBlink = false;
    bool leaderboardButtonBlink = false;

    // Round screens: pause and hold.
    ofRectangle pauseButton;
    ofRectangle resumeButton;
    ofRectangle abortButton;
    ofRectangle optionsButton;
    ofRectangle holdResumeButton;
    ofRectangle optionsLabelBox;
    bool optionsHighlighted = false;
    // How long the front unlock message has shown.
    float unlockMessageTime = 0;

    // Rounds: round start, world step, kills and deaths.
    int lastKiller = 0;
    int roundKills = 0;
    int roundKillsByKind[7] = {};
    int rocksSmashed = 0;
    int rocksCleared = 0;
    float rewardMeter = 20;
    float rewardMeterMax = 20;
    int matchDeaths = 0;
    int coopRevives = 0;
    float missionTimeLimit = -1;
    bool skyRound = false;
    ofVec2f cameraTarget;
    ofVec2f cameraFocus;
    ofVec2f screenCentre;
    ofVec2f shipStart;
    float zoomBase = 1.0f;
    float killEase = 0.86f;
    int sparksPerKill = 50;
    bool wideScreen = false;
    // Ships drawn with doubled outlines; no option sets it on this platform.
    bool boldOutline = false;
    // Clearance round ship 0 at round start, widened by a mission's spring effect.
    int clearMargin = 0;
    float matchClock = 0;
    bool matchOver = false;
    // Per slot: time since the ship (re)appeared or joined; the lobby's shake
    // and the death-match HUD's shake both read it.
    float lifeClock[4] = {0, 0, 0, 0};
    // Sparks of the lobby joins and the death-match HUD bursts.
    std::vector<Spark> hudSparks;
    // Per slot: where the death-match HUD puts the next circle.
    ofVec2f hudMarkers[4];
    // Per slot: the level-select cell (0..5) the player points at.
    int levelCell[4] = {0, 0, 0, 0};
    // Per slot: a join waits for the lobby to draw its spark burst.
    bool joinBurst[4] = {false, false, false, false};
    // The level select's small arenas, built on first draw.
    ArenaWalls levelPreviews[5];
    bool awardsOpened = false;
    int phrasePicks[3] = {0, 0, 0};
    // Frames the awards have shown, counted from minus the reveal delay.
    int awardReveal = 0;
    bool awardRevealDone = false;

    // Kill sequence
    int killVictim = 0;
    // The foe victim by identity; null once it is gone or for a ship victim.
    Foe* killFoe = nullptr;
    int killKiller = -1;
    int killWeapon = -1;
    bool killVictimIsPlayer = false;
    ofVec2f killPoint;
    int killStage = 0;
    float killElapsed = 0;
    float killDuration = 0.3f;
    float killTail = 0;
    int killTextSize = 0;
    ofColor killFlashColor;

    // End of round
    bool introRestart = false;
    // True only for deaths found by the world step's collisions in Intro.
    bool introRound = false;
    bool scoreUploadPending = false;
    // Ships whose round was aborted: a Hardy among them has no spare life.
    bool shipAborted[4] = {false, false, false, false};

    // Steering and screens
    float weaponSaturationOffset = 50;
    float weaponBrightnessOffset = 50;
    bool mouseTargetClamped = false;
    float levelSelectTime = 0;
    bool pauseAllowed = true;
    float lastHardMusicPosition = 0;
    // Slots that joined in the lobby; the level select un-joins the others.
    bool slotInLobby[4] = {false, false, false, false};
    // Top of the touch layout's control wheel, in screen units.
    float controlAreaTop = 960;
    // The closing 5-second countdown of a death match; full while it has not begun.
    float matchEndTimer = 5.0f;

    // The world step of a frame, run while not paused.
    void updateWorld();
    // Camera, zoom and dead zone, after the world step in every state.
    void updateView();

private:
    // The frame's parts, in order; false from the start means the frame ends there.
    bool updateFrameStart();
    void updateRoundStep();
    void updateScreens();
    void updateFrameEnd();
    void updateSideSequences();
    void updateShipSelect();
    void updateLobby();
    void updateOptionsScreen();
    void updateOptionRows();
    void mousePressedRoundOver(float x, float y);
    void mousePressedPlaying(float x, float y);
    void mousePressedArcadeMenu(float x, float y);
    int liveFoeCount() const;
    void drawWorld();
    void drawPlayerTrails(int p);
    void drawPlayerWeapons(int p, bool highlight, bool introFade);
    bool playerShown(int p) const;
    bool weaponsHidden(int p) const;
    // Weapons in play for the slot's ship type, at most the cap.
    int weaponCount(int p) const;
    void drawPauseOverlay();
    void drawStateScreen();
    void drawMatchSlide();
    void updateMainMenu();
    void blendBackground();
    void spawnRequested();
    void stepShips();
    void stepWeaponChains();
    void stepAsteroids();
    void stepFoes();
    void stepShipsAgainstFoes();
    void stepWalls();
    void stepMissionHooks();
    // The end of the round after a death; true after a full mission run.
    bool endRound(bool intro);
    void killShipByHit(int player);
    std::vector<int> roundShipTypes() const;
    bool takesPart(int slot) const;
    bool freeSpot(int player, ofVec2f& spot);
    void setupWeapons(int player, float distance);
    void prerunAsteroids();
    void buildPalettes();
    void rankMatch();
    void finishMatch();
    void stepRespawns();
    void takeMatchSamples();
    void grindWeapons();
    void deathMatchBurst(int victim, int killer);
    void handleLevelSelectPad(int player, int dx, int dy, bool confirm, bool start, bool back);
    void drawLobbySlot(int i, float x, float a, int alpha);
};
