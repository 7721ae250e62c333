#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "CapturedOutput.h"
#include "../CoreTestSupport.h"
#include "GLTestWindow.h"
#include "ofAppRunner.h"
#include "ofEvents.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "ofTestClock.h"
#include "vantorixPC.h"

// The real game, set up and past its splash, in a real 960 by 960 window,
// working in a folder of its own so the files it writes stay there.
class GameWindowFixture : public testing::Test {
protected:
    void SetUp() override {
        home = std::filesystem::temp_directory_path() /
               (std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + std::to_string(getpid()));
        std::filesystem::create_directories(home / "data");
        previous = std::filesystem::current_path();
        std::filesystem::current_path(home);
        beforeSetup();
        GLTestWindow::openScreen(960, 960);
        ofFixElapsedTimef(0);
        ofFixFrameNum(10);
        ofSeedRandom(11);
        app.reset(new vantorixPC);
        app->core.soundBank.makePlayer = [] { return std::make_shared<SoundCallCounter>(); };
        captureOutput([&] { app->setup(); });
        app->core.splashActive = false;
        app->core.backgroundTiles = false;
    }
    void TearDown() override {
        app.reset();
        // The game's frames start the pad handler: its exit stops and joins the
        // hot-plug thread before a test's fake devices go.
        captureOutput([] { ofNotifyExit(); });
        afterTeardown();
        ofReleaseFixedClock();
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(home);
    }
    virtual void beforeSetup() {}
    virtual void afterTeardown() {}
    GameCore& core() { return app->core; }

    std::filesystem::path home, previous;
    std::unique_ptr<vantorixPC> app;
};
