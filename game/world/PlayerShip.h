#pragma once

#include <string>

#include "ShipMatchStats.h"
#include "ofColor.h"
#include "ofVec2f.h"
#include "particle.h"

class PixelFont;
class ShipSounds;

// One player's ship: a moving point with a heading and a handling by ship
// type, lives, a trail, a scripted death and glide, the player's lobby state
// and match figures. The game core keeps four for the whole run.
class PlayerShip {
public:
    static constexpr int TRAIL_LENGTH = 25;
    static constexpr int RANDOM_CHOICE = 9;

    void setup(ofColor playerColour, bool bold, bool isMatchPlayer, ShipSounds* soundBank, const PixelFont* textFont);
    void setShipType(int type);
    void reset(bool full);
    void resetTrail();
    void setVelocity(float angle, float speed);
    void update(float dt);
    void kill();
    void startLineEffect(float x, float y);
    // Autopilot for slots without a pad: chase ship (ownIndex + 1) mod 4.
    void steerTowardNextShip(PlayerShip* s0, PlayerShip* s1, PlayerShip* s2, PlayerShip* s3, int ownIndex);
    void handleLobbyInput(int dx, int dy, bool confirm, bool back, bool start, bool deathMatch);
    void setHudScale(float screenScale);

    // Drawing, in the ship frame: +y forward, origin at the ship.
    void draw(float alphaFactor);
    void drawShapeType0(bool grey, float alphaFactor);
    void drawLives();
    void drawTrail();

    // The moving point; also the ship end of the weapon springs.
    particle point;

    float score = 0.0f;
    float weaponPushStrength = 1.0f;
    float handlingValue = 40.0f;  // kept for the playing update; nothing reads it yet
    bool steering = false;
    float topSpeed = 17.0f;
    float minimumSpeed = 0.0f;
    float requestedAngle = 0.0f;
    float heading = 0.0f;
    ofVec2f steeringVelocity;
    bool matchPlayer = false;
    float hitRadius = 18.0f;
    float invulnerabilityStart = 2.0f;
    float invulnerabilityTimer = 0.0f;
    int lives = 0;
    bool frozen = false;
    bool joined = false;
    float livesDisplayStart = 7.0f;
    float livesDisplayTimer = 0.0f;
    float textSize = 1.0f;
    // Owned by the game core, which outlives its ships; null draws no lives text.
    const PixelFont* font = nullptr;
    bool lobbyReady = false;
    bool settingsRequest = false;
    bool startRequest = false;
    int lobbyRow = 0;
    bool lobbyChanged = false;
    bool randomShip = false;
    // Nine flags owned by ship select, alive as long as the core; null means
    // Show-Off is locked.
    const bool* unlockedShips = nullptr;
    float glideDuration = 1.0f;
    float glideEndDelay = 0.5f;
    float glideTimer = 0.0f;
    ofVec2f glideStart;
    ofVec2f glideTarget;
    bool gliding = false;
    bool glideFinished = false;
    bool glideArrived = false;
    bool glideArrivedLatch = false;
    int place = 0;
    std::string award;
    ShipMatchStats matchStats;
    float lineScale = 2.0f;
    ofVec2f drawnPosition;
    ofColor colour;
    ofVec2f trail[TRAIL_LENGTH];
    int shipType = 0;
    float robotFactor = 0.0f;  // kept for the playing update; nothing reads it yet
    bool hardyHitTaken = false;
    float drawScale = 1.0f;
    bool boldOutline = false;
    // The core's sound bank, which outlives the ships; null plays nothing.
    ShipSounds* sounds = nullptr;
    bool dying = false;
    bool dyingSecondPhase = false;
    float deathAngle = 0.0f;
    float deathSpinTime = 1.5f;
    float deathSpinRate = 6.2831855f;
    float spinRateMaximum = 25.132742f;
    float spinRateMinimum = 6.2831855f;
    float deathFlightFactor = 7.0f;
    float deathTimer = 0.0f;

private:
    void updateDeath(float dt);
    void updateGlide(float dt);
    void stepShipChoice(int dx);

    void drawHeavy(int fillAlpha, int highlightAlpha);
    void drawRobot(int fillAlpha, int highlightAlpha);
    void drawJelly(int fillAlpha, int highlightAlpha);
    void drawCascade(int fillAlpha, int highlightAlpha);
    void drawShowOff(int fillAlpha, int highlightAlpha);
    void drawLivesText();
};
