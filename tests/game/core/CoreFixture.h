#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../../framework/CapturedOutput.h"
#include "CoreTestSupport.h"
#include "NormFoe.h"
#include "PixelFont.h"
#include "RecordingRenderer.h"
#include "ofAppRunner.h"
#include "ofEvents.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "ofTestClock.h"
#include "vantorixPC.h"

using Calls = std::vector<std::string>;

// The application set up, splash over, with no real window, no drawing and no
// sound device: a test window answers the runner, a recording renderer takes
// the drawing and every sound of the bank is a recording player. Helpers place
// rocks, foes and weapon points by hand.
class CoreFixture : public testing::Test {
protected:
    void SetUp() override {
        captureOutput([&] { ofSetupOpenGL(&window, 960, 960, OF_WINDOW); });
        ofSetCurrentRenderer(recorder);
        ofFixElapsedTimef(0);
        ofFixFrameNum(10);
        ofSeedRandom(7);
        app.reset(new vantorixPC);
        app->core.soundBank.makePlayer = [] { return std::make_shared<SoundCallCounter>(); };
        captureOutput([&] { app->setup(); });
        core().splashActive = false;
    }
    void TearDown() override {
        app.reset();
        // The menu frames start the pad handler; its exit stops its hot-plug thread.
        captureOutput([] { ofNotifyExit(); });
        ofReleaseFixedClock();
        ofSetCurrentRenderer(nullptr);
    }
    GameCore& core() { return app->core; }

    // Replaces one player of the bank with a recorder the test can read.
    std::shared_ptr<SoundCallCounter> record(ofSoundPlayer& player) {
        auto recorderPlayer = std::make_shared<SoundCallCounter>();
        player.setPlayer(recorderPlayer);
        return recorderPlayer;
    }
    // One application update (step) or core update (tick) dt seconds later.
    void step(float dt) {
        ofFixElapsedTimef(now += dt);
        app->update();
    }
    void tick(float dt = 0.033f) {
        ofFixElapsedTimef(now += dt);
        core().update();
    }
    // The texts a piece of drawing writes, in order.
    static std::vector<std::string> textsOf(const std::function<void()>& draw) {
        std::vector<std::string> texts;
        PixelFont::textObserver = [&](const std::string& text, float, float, float) { texts.push_back(text); };
        draw();
        PixelFont::textObserver = nullptr;
        return texts;
    }
    float stat(const std::string& name) { return core().statsTracker.record(name).value; }

    // A round, or a world, with nothing in it and nothing to come.
    void startStill(GameMode mode) {
        core().gameMode = mode;
        core().startRound(false);
        stillWorld();
    }
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
        Asteroid* rock = core().asteroids.emplace_back(new Asteroid);
        rock->setup(ofColor(200, 200, 100), 0, 0, level, level, 1, 1, false, false);
        rock->x = x;
        rock->y = y;
        rock->vx = rock->vy = 0;
        rock->age = rock->armAge;
        rock->smashable = true;
        return rock;
    }
    NormFoe* addFoe(float x, float y) {
        auto* foe = new NormFoe;
        foe->spawn(core().foeColor, 0, 0, 0, false, false);
        foe->x = x;
        foe->y = y;
        core().foes.push_back(foe);
        return foe;
    }
    // Only weapon point 0 of slot 0 takes part, free of its tether, at (x, y)
    // moving along +x at a speed that damping leaves at speed after one step.
    void armWeapon(float x, float y, float speed) {
        core().chainCap = 1;
        core().weaponSprings[0][0].strength = 0;
        WeaponParticle& point = *core().weaponPoints[0][0];
        point.position.set(x, y);
        point.velocity.set(speed / (1 - point.damping), 0);
    }

    TestWindow window;
    std::shared_ptr<RecordingRenderer> recorder = std::make_shared<RecordingRenderer>();
    std::unique_ptr<vantorixPC> app;
    float now = 0;
};
