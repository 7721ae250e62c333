#include "GameCore.h"

#include <algorithm>
#include <cmath>
#include <iostream>

#include "ofAppRunner.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "ofUtils.h"

namespace {

ofColor hsb(float h, float s, float b) {
    ofColor c;
    c.setHsb(h, s, b, 255);
    return c;
}

ofColor hex(int value) {
    ofColor c;
    c.setHex(value, 255);
    return c;
}

int modeIndex(GameMode mode) {
    return static_cast<int>(mode);
}

}  // namespace

GameCore::~GameCore() {
    for (Foe* foe : foes) delete foe;
    foes.clear();
    for (Asteroid* asteroid : asteroids) delete asteroid;
    asteroids.clear();
    for (auto& slot : weaponPoints)
        for (WeaponParticle*& weapon : slot) {
            delete weapon;
            weapon = nullptr;
        }
}

void GameCore::setup(const std::string&, bool touch, const std::string& device) {
    touchBuild = touch;
#ifdef VANTORIX_ARCADE_CABINET
    arcadeCabinet = true;
#endif

    idleLimit = 120;
    roundLimit = 4;
    roundCount = 0;
    attractTime = 60;

    ofSetFrameRate(30);
    ofBackground(0, 0, 0, 255);

    splashActive = true;
    splashTime = 0;
    splashLength = 5.0f;
    splashFadeStart = 4.0f;

    deviceName = device;
    screenWidth = 960;
    screenHeight = 960;
    uiScale = 1.0f;
    font.setup(1.0f);
    ofEnableSmoothing();
    cursorWanted = true;
    cursorShown = true;
    skyHeight = 30000;

    achievementTracker.setup(statsTracker);

    killLimit = 50;
    zoomDefault = 1.0f;
    zoomTarget = 1.0f;
    matchSettings = MatchSettings();
    cameraSmoothing = 0.86f;
    zoomMin = 0.3f;
    matchStartDelay = 5.25f;
    matchEndLength = 5.0f;

    layerBatch.reset(new LayerBatch);
    layerBatch->setup(3, 65536, 1);

    deadZoneHalfWidth = 15;
    deadZoneHalfHeight = 15;
    multikillWindow = 3.5f;
    killPoints = 10;
    multikillPoints = 10;
    rockCullDistanceSq = 4000.0f * 4000.0f;
    rocksTested = 0;
    const int chains[9] = {12, 5, 10, 10, 4, 12, 12, 8, 1};
    for (int i = 0; i < 9; ++i) chainLength[i] = chains[i];
    chainCap = 12;
    hitSpeedSq = 20;
    hitGraceTime = 0.5f;
    killZoom = 1.18f;
    killFocusNear = 150;
    killFocusFar = 350;
    killSlowFactor = 0.85f;
    killFadeFactor = 0.99f;
    multikillMax = 9;
    roundOverLength = 2.0f;
    backgroundBlend = 0.8f;
    zoomBase = 1.0f;
    steeringRadius = 200;
    weaponSaturationOffset = 50;
    weaponBrightnessOffset = 50;

    const char* const names[6] = {"Intro", "Easy", "Hard", "Mission", "Asteroid Field", "Multiplayer"};
    for (int i = 0; i < 6; ++i) modeNames[i] = names[i];
    gameMode = GameMode::Easy;
    totalTime = 0.25f;

    soundBank.loadSounds(touchBuild);

    buildPalettes();

    setupTexts();
    defineMissions();

    missionList.setup();
    missionRound = false;
    startHold = false;
    holdTime = 0;

    shipSelect.setup(&font, &soundBank, screenWidth, screenHeight, uiScale, textColor, &players[0]);
    shipSelect.lockAll();
    playerCount = 1;

    tutorial.setup(&font, &soundBank, &players[0], &foes, &asteroids, &foeColor, &rockColors);
    creditsScreen.setup(&font, &soundBank, &foes, &asteroids, &popups, rockColors, &players[0]);

    for (PlayerShip& ship : players) {
        ship.setShipType(0);
        ship.joined = false;
    }

    optionsMenu.setup(&font, &soundBank, screenWidth, screenHeight, textColor, &scoreSubmitOverlay.playerName);
    scoreSubmitOverlay.setup(&font);

    loadPlayerData();
    statsTracker.startGlobalStatGetters();
    setColorBlindMode(optionsMenu.rows[OptionsMenu::ColorBlind]);

    mainMenu.setup(screenWidth, screenHeight, textColor, exhibition, arcadeCabinet, false, &font, &missionList,
                   &soundBank);
    statsScreen.setup(&font, &statsTracker);
    leaderboardScreen.setup(&font, &scoreSubmitOverlay.playerName);

    if (noArcadeBestScores() && missionList.completed.empty()) gameMode = GameMode::Intro;

    coop = false;
    deathMatch = false;
    startRound(false);
    backgroundColor = modeColors[modeIndex(gameMode)];
    backgroundTarget = backgroundColor;
    returnToMenu(false);

    if (gameMode == GameMode::Intro) spawnDirector.setup(1, matchSettings.foeAmount, false, false);

    fullScreenRequest = false;
    layout(screenWidth);
}

void GameCore::buildPalettes() {
    modeColors[0] = hsb(0, 0, 41);
    modeColors[1] = hsb(182, 59, 35);
    modeColors[2] = hsb(0, 73, 34);
    modeColors[3] = modeColors[1];
    modeColors[4] = hsb(204, 100, 38);
    modeColors[5] = modeColors[1];

    textColor = ofColor(255, 255, 255, 255);

    normalPlayerColors[0] = hsb(135, 255, 255);
    normalPlayerColors[1] = hsb(86, 239, 240);
    normalPlayerColors[2] = hsb(206, 236, 242);
    normalPlayerColors[3] = hsb(18, 243, 246);
    colorBlindPlayerColors[0] = hsb(206, 236, 242);
    colorBlindPlayerColors[1] = hsb(15, 117, 255);
    colorBlindPlayerColors[2] = hsb(181, 196, 175);
    colorBlindPlayerColors[3] = hsb(86, 239, 240);

    normalFoeColor = hex(0xE84646);
    colorBlindFoeColor = hsb(252, 255, 181);

    normalRockColors = {hex(0xCAD286), hex(0xE4F365), hex(0xC7C110), hex(0xE0F33C), hex(0xCDDB5B)};
    colorBlindRockColors.clear();
    for (int grey = 150; grey <= 190; grey += 10) colorBlindRockColors.push_back(hsb(0, 0, static_cast<float>(grey)));

    const char* const types[3] = {"STOCK", "SCORE", "TIME"};
    const char* const labels[3] = {"Lives:", "Goal:", "Minutes:"};
    for (int i = 0; i < 3; ++i) {
        matchTypeNames[i] = types[i];
        matchValueLabels[i] = labels[i];
    }
    setColorBlindMode(colorBlind);
}

void GameCore::setColorBlindMode(bool on) {
    static const char* const normalNames[4] = {"Blue", "Green", "Purple", "Orange"};
    static const char* const colorBlindNames[4] = {"Purple", "Tan", "Blue", "Green"};
    colorBlind = on;
    for (int i = 0; i < 4; ++i) {
        playerColors[i] = on ? colorBlindPlayerColors[i] : normalPlayerColors[i];
        playerColorNames[i] = on ? colorBlindNames[i] : normalNames[i];
        players[i].colour = playerColors[i];
    }
    foeColor = on ? colorBlindFoeColor : normalFoeColor;
    leaderboardScreen.highlightColor = foeColor;
    rockColors = on ? colorBlindRockColors : normalRockColors;
    creditsScreen.rockColors = rockColors;

    const ofColor singleWeapon(18, 223, 226, 255);
    for (int p = 0; p < 4; ++p) {
        const ofColor weapon = (coop || deathMatch || on) ? playerColors[p] : singleWeapon;
        for (WeaponParticle* point : weaponPoints[p])
            if (point != nullptr) point->colour = weapon;
    }
    for (Asteroid* rock : asteroids)
        if (!rockColors.empty()) rock->color = rockColors[static_cast<size_t>(ofRandom(5)) % rockColors.size()];
    for (Foe* foe : foes) foe->color = foeColor;
}

bool GameCore::noArcadeBestScores() const {
    return bestScores[modeIndex(GameMode::Intro)] == 0 && bestScores[modeIndex(GameMode::Easy)] == 0 &&
           bestScores[modeIndex(GameMode::Hard)] == 0 && bestScores[modeIndex(GameMode::AsteroidField)] == 0;
}

void GameCore::setSteamAvailable(bool available) {
    steamAvailable = available && steamSwitch;
}

void GameCore::layout(int width) {
    screenWidth = width;
    const float s = uiScale;
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(screenHeight);
    auto labelBox = [&](const std::string& text, float size) {
        ofRectangle box = font.getStringBoundingBox(text, size, 0, 0);
        return ofRectangle(0, 0, box.width + 40, box.height + 40);
    };

    // The pause is reached by keys and pads, so its button sits off screen.
    pauseButton.set(w - 120 * s, 6000, 120 * s, 120 * s);
    pausePressed = false;

    optionsLabelBox = font.getStringBoundingBox("OPTIONS", 4, 0, 0);
    ofRectangle options = labelBox("OPTIONS", 4);
    optionsButton.set(w - options.width, h - options.height, options.width, options.height);

    ofRectangle play = labelBox("PLAY", 6.5f);
    playButton.set(w / 2 - play.width / 2, 290 * s, play.width, play.height);
    ofRectangle arrow = labelBox("<", 11);
    arrowLeftButton.width = arrowRightButton.width = arrow.width;
    arrowLeftButton.height = arrowRightButton.height = arrow.height;

    menuButton.set(15 * s, h - 15 * s - 50 * s, 100 * s, 50 * s);
    cornerButton.set(0, h - 90 * s, 130 * s, 90 * s);
}

void GameCore::blendBackground() {
    ofColor target = backgroundTarget;
    if (skyRound) {
        ofColor sky;
        sky.setHex(0x3E94F7, 255);
        const float t = ofClamp(std::fabs(-skyHeight - players[0].point.position.y) / skyHeight, 0, 1);
        target.set(sky.r * (1 - t) + backgroundTarget.r * t, sky.g * (1 - t) + backgroundTarget.g * t,
                   sky.b * (1 - t) + backgroundTarget.b * t, backgroundTarget.a);
    }
    const float keep = backgroundBlend;
    backgroundColor.set(std::round(backgroundColor.r * keep + target.r * (1 - keep)),
                        std::round(backgroundColor.g * keep + target.g * (1 - keep)),
                        std::round(backgroundColor.b * keep + target.b * (1 - keep)),
                        std::round(backgroundColor.a * keep + target.a * (1 - keep)));
}
