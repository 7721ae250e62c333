#pragma once

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "CoreFixture.h"
#include "NormFoe.h"

// A set-up core with a round of the given mode running; helpers to place
// rocks, foes and weapon points by hand in a world that spawns nothing.
class RoundsFixture : public CoreFixture {
protected:
    GameCore& core() { return app->core; }

    void startIn(GameMode mode) {
        setUpApp();
        core().gameMode = mode;
        core().startRound(false);
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

    // Names of the plain stats handed to Steam since the last call, in order.
    std::vector<std::string> takeStatNames() {
        std::vector<std::string> names;
        auto& calls = core().statsTracker.statsWrapper.calls;
        for (const std::string& call : calls) {
            std::istringstream words(call);
            std::string verb, name;
            words >> verb >> name;
            if (verb.rfind("setStat", 0) == 0 && name.rfind("global_", 0) != 0) names.push_back(name);
        }
        calls.clear();
        return names;
    }

    // Leaderboard uploads handed to the Steam wrapper since the last call.
    std::vector<std::string> takeUploads() {
        std::vector<std::string> uploads;
        auto& calls = core().achievementTracker.statsWrapper.calls;
        for (const std::string& call : calls)
            if (call.rfind("uploadScore", 0) == 0) uploads.push_back(call);
        calls.clear();
        return uploads;
    }
};
