#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "CapturedOutput.h"
#include "CoreTestSupport.h"
#include "RecordingRenderer.h"
#include "ofAppRunner.h"
#include "ofEvents.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "ofTestClock.h"
#include "vantorixPC.h"

// The application with no real window, no drawing and no sound device: a
// test window answers the runner, a recording renderer takes the drawing and
// every sound of the bank is a recording player.
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
    }
    void TearDown() override {
        app.reset();
        // The menu frames start the pad handler; its exit stops its hot-plug thread.
        captureOutput([] { ofNotifyExit(); });
        ofReleaseFixedClock();
        ofSetCurrentRenderer(nullptr);
    }

    // Runs the application's set-up, keeping its console text.
    void setUpApp() { startupText = captureOutput([&] { app->setup(); }).out; }

    // Replaces one player of the bank with a recorder the test can read.
    std::shared_ptr<SoundCallCounter> record(ofSoundPlayer& player) {
        auto recorderPlayer = std::make_shared<SoundCallCounter>();
        player.setPlayer(recorderPlayer);
        return recorderPlayer;
    }

    // Steps the core's clock by dt and runs one application update.
    void step(float dt) {
        now += dt;
        ofFixElapsedTimef(now);
        app->update();
    }

    TestWindow window;
    std::shared_ptr<RecordingRenderer> recorder = std::make_shared<RecordingRenderer>();
    std::unique_ptr<vantorixPC> app;
    std::string startupText;
    float now = 0;
};
