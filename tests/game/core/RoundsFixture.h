#pragma once

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "CoreFixture.h"
#include "NormFoe.h"
#include "SteamLayer.h"
#include "steam_api.h"

// A set-up core, with Steam running and its stats arrived, and a round of
// the given mode or a death match; helpers to place rocks, foes and weapon
// points by hand in a world that spawns nothing.
class RoundsFixture : public CoreFixture {
protected:
    void SetUp() override {
        CoreFixture::SetUp();
        SteamLayer::setRunning(true);
        SteamLayer::clearUserData();
    }
    void TearDown() override {
        CoreFixture::TearDown();
        SteamLayer::setRunning(false);
    }

    GameCore& core() { return app->core; }

    void setUpApp() {
        CoreFixture::setUpApp();
        SteamAPI_RunCallbacks();
        SteamLayer::takeCalls();
    }

    void startIn(GameMode mode) {
        setUpApp();
        core().gameMode = mode;
        core().startRound(false);
    }

    // A fresh application, its clock back at 0.
    void restart() {
        TearDown();
        SetUp();
        now = 0;
    }

    // Joins the first count slots and starts a match of the given type.
    void startDeathMatch(int type, int value, int count = 2) {
        setUpApp();
        GameCore& c = core();
        c.splashActive = false;
        c.backgroundTiles = false;
        c.deathMatch = true;
        c.coop = false;
        c.gameMode = GameMode::Multiplayer;
        c.playerCount = count;
        for (int i = 0; i < count; ++i) c.players[i].joined = true;
        c.matchSettings.matchType = type;
        c.matchSettings.value = value;
        c.matchSettings.foeAmount = 0;
        c.startMatch();
        stillWorld();
    }

    // Puts the match past its countdown with every ship open to hits.
    void pastCountdown() {
        core().matchClock = core().matchStartDelay + 1;
        for (PlayerShip& ship : core().players) ship.invulnerabilityTimer = -1;
    }

    // A weapon kill of victim by killer, as the weapon test reports it.
    void kill(int victim, int killer) {
        core().killSequence = false;
        core().players[victim].invulnerabilityTimer = -1;
        core().startKillSequence(victim, killer, 0, true);
        core().killSequence = false;
    }

    // One core update dt seconds later.
    void tick(float dt = 0.033f) {
        now += dt;
        ofFixElapsedTimef(now);
        core().update();
    }

    // No rocks and no foes arrive, and the pre-run field is gone.
    void stillWorld() {
        GameCore& c = core();
        for (Asteroid* rock : c.asteroids) delete rock;
        c.asteroids.clear();
        while (!c.foes.empty()) c.destroyFoe(0, false, false);
        c.spawnDirector.rockInterval = -1;
        c.spawnDirector.maxFoes = 0;
    }

    // A resting rock, armed, of the given level.
    Asteroid* addRock(float x, float y, int level) {
        Asteroid* rock = new Asteroid;
        rock->setup(ofColor(200, 200, 100), 0, 0, level, level, 1, 1, false, false);
        rock->x = x;
        rock->y = y;
        rock->vx = rock->vy = 0;
        rock->age = rock->armAge;
        rock->smashable = true;
        core().asteroids.push_back(rock);
        return rock;
    }

    NormFoe* addFoe(float x, float y) {
        NormFoe* foe = new NormFoe;
        foe->spawn(core().foeColor, 0, 0, 0, false, false);
        foe->x = x;
        foe->y = y;
        core().foes.push_back(foe);
        return foe;
    }

    // Only weapon point 0 of slot 0 takes part, free of its tether, at (x, y)
    // moving along +x at a speed that damping leaves at speed after one step.
    void armWeapon(float x, float y, float speed) {
        GameCore& c = core();
        c.chainCap = 1;
        c.weaponSprings[0][0].strength = 0;
        WeaponParticle& point = *c.weaponPoints[0][0];
        point.position.set(x, y);
        point.velocity.set(speed / (1 - point.damping), 0);
    }

    float stat(const std::string& name) { return core().statsTracker.record(name).value; }

    // Names of the plain stats set on Steam since the last call, in order.
    std::vector<std::string> takeStatNames() {
        SteamAPI_RunCallbacks();
        std::vector<std::string> names;
        for (const std::string& call : SteamLayer::takeCalls()) {
            std::istringstream words(call);
            std::string verb, name;
            words >> verb >> name;
            if (verb == "SetStat" && name.rfind("global_", 0) != 0) names.push_back(name);
        }
        return names;
    }

    // Leaderboard uploads made on Steam since the last call.
    std::vector<std::string> takeUploads() {
        SteamAPI_RunCallbacks();
        std::vector<std::string> uploads;
        for (const std::string& call : SteamLayer::takeCalls())
            if (call.rfind("UploadLeaderboardScore", 0) == 0) uploads.push_back(call);
        return uploads;
    }
};
