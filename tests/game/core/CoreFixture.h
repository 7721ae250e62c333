#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "CapturedOutput.h"
#include "CoreTestSupport.h"
#include "NormFoe.h"
#include "PixelFont.h"
#include "RecordingRenderer.h"
#include "WindowLookup.h"
#include "ofAppRunner.h"
#include "ofEvents.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "ofTestClock.h"
#include "ofxGamepadFakes.h"
#include "ofxGamepadHandler.h"
#include "vantorixPC.h"

using Calls = std::vector<std::string>;

// The application set up, splash over: a test window, a recording renderer,
// recording sound players and fake pads (plugged ones attach on the next menu
// frame). Helpers place rocks, foes and weapon points by hand.
class CoreFixture : public testing::Test {
protected:
    void SetUp() override {
        vxRecordWindow(4242);
        vxRecordWindowTitle("VANTORIX");
        ofxGamepadSetInputSystemFactory(devices.factory());
        captureOutput([&] { ofSetupOpenGL(&window, 960, 960, OF_WINDOW); });
        ofSetCurrentRenderer(recorder);
        ofFixElapsedTimef(0);
        ofFixFrameNum(10);
        ofSeedRandom(7);
        app.reset(new vantorixPC);
        app->core.soundBank.makePlayer = [] { return std::make_shared<SoundCallCounter>(); };
        startupText = captureOutput([&] { app->setup(); }).out;
        core().splashActive = false;
        // The mouse rests at the middle, so mouse steering holds ships still.
        app->mouseX = app->mouseY = 480;
    }
    void TearDown() override {
        app.reset();
        // The menu frames start the pad handler; its exit stops its hot-plug thread.
        captureOutput([] { ofNotifyExit(); });
        ofReleaseFixedClock();
        ofSetCurrentRenderer(nullptr);
        ofxGamepadSetInputSystemFactory(nullptr);
        vxRecordWindowTitle("");
        vxRecordWindow(0);
    }
    GameCore& core() { return app->core; }

    void plug(const std::vector<fakepads::DeviceSpec>& specs) {
        devices.plug(specs);
        captureOutput([&] { step(0.033f); });
    }
    static fakepads::DeviceSpec padNamed(const std::string& name, int axes = 4, int buttons = 12) {
        return fakepads::DeviceSpec(name, axes, buttons);
    }
    // A press through the pad's own event, as a real pad delivers it.
    void press(int pad, int button) {
        ASSERT_NE(app->attachedPads[pad], nullptr);
        // Under the handler's lock, as its update fires pad events.
        std::lock_guard<ofxGamepadHandler> held(*ofxGamepadHandler::get());
        app->attachedPads[pad]->setButton(button, true);
        app->attachedPads[pad]->setButton(button, false);
    }
    void axis(int pad, int id, float value) {
        ofxGamepadAxisEvent event;
        event.axis = id;
        event.value = value;
        app->handlePadAxis(pad, event);
    }
    // One input action of a pad, as its button map names it.
    void action(int which, int pad = 0) {
        ofxGamepadButtonEvent event;
        event.button = app->buttonMap[pad][which];
        event.value = true;
        app->handlePadButton(pad, event, false, app->buttonMap[pad]);
    }

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

    fakepads::FakeDevices devices;
    TestWindow window;
    std::shared_ptr<RecordingRenderer> recorder = std::make_shared<RecordingRenderer>();
    std::unique_ptr<vantorixPC> app;
    // What the set-up wrote to the console.
    std::string startupText;
    float now = 0;
};
