#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "../../../framework/CapturedOutput.h"
#include "../CoreTestSupport.h"
#include "GLTestWindow.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "ofTestClock.h"
#include "ofxGamepadFakes.h"
#include "ofxGamepadHandler.h"
#include "vantorixPC.h"

namespace fs = std::filesystem;

// A whole death match in a real window, played by two fake pads: lobby,
// settings, level select, match, awards, stats and back to the lobby.
class MultiplayerFlow : public testing::Test {
protected:
    void SetUp() override {
        home = fs::temp_directory_path() / ("multiplayer_flow_" + std::to_string(getpid()));
        fs::create_directories(home / "data");
        previous = fs::current_path();
        fs::current_path(home);
        ofxGamepadSetInputSystemFactory(devices.factory());
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
        ofxGamepadSetInputSystemFactory(nullptr);
        ofReleaseFixedClock();
        fs::current_path(previous);
        fs::remove_all(home);
    }
    // One frame, update and draw, dt seconds after the last.
    void frame(float dt = 0.033f) {
        now += dt;
        ofFixElapsedTimef(now);
        app->update();
        ofViewport(0, 0, 960, 960, true);
        ofClear(0, 0, 0, 255);
        ofSetupScreen();
        app->draw();
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i) frame();
    }
    void press(int pad, int action) {
        ASSERT_NE(app->attachedPads[pad], nullptr);
        const int button = app->buttonMap[pad][action];
        app->attachedPads[pad]->setButton(button, true);
        app->attachedPads[pad]->setButton(button, false);
    }
    GameCore& core() { return app->core; }

    fs::path home, previous;
    fakepads::FakeDevices devices;
    std::unique_ptr<vantorixPC> app;
    float now = 0;
};

TEST_F(MultiplayerFlow, TwoPadsPlayADeathMatchAndComeBackToTheLobby) {
    using A = vantorixPC;
    devices.plug({fakepads::DeviceSpec("Pad A", 4, 12), fakepads::DeviceSpec("Pad B", 4, 12)});
    captureOutput([&] { frame(); });
    ASSERT_NE(app->attachedPads[1], nullptr);

    core().openLobby(true, true, false);
    frames(10);
    press(0, A::Confirm);
    press(1, A::Confirm);
    EXPECT_TRUE(core().players[0].joined);
    EXPECT_TRUE(core().players[1].joined);
    frames(10);
    // The first slot's panel is drawn in its colour.
    const ofColor panel = GLTestWindow::pixel(50, 290);
    const ofColor& blue = core().playerColors[0];
    EXPECT_EQ(panel.b > panel.r, blue.b > blue.r);
    EXPECT_GT(panel.r + panel.g + panel.b, 0);

    // Ready, then "Switch Mode": a score match to one kill without asteroids.
    press(0, A::Start);
    frame();
    press(0, A::Up);
    press(0, A::Confirm);
    frame();
    ASSERT_EQ(core().gameState, GameState::MultiplayerSettings);
    frames(15);
    press(0, A::Right);
    press(0, A::Down);
    for (int i = 0; i < 5; ++i) press(0, A::Left);
    press(1, A::Down);
    press(1, A::Down);
    press(1, A::Left);
    press(1, A::Left);
    EXPECT_EQ(core().matchSettings.matchType, MatchSettings::Score);
    EXPECT_EQ(core().matchSettings.value, 1);
    EXPECT_EQ(core().matchSettings.foeAmount, 0);
    press(1, A::Start);
    EXPECT_EQ(core().gameState, GameState::MultiplayerLobby);
    EXPECT_EQ(core().players[0].lobbyRow, 1);

    // The second player readies up: both in, on to the level select.
    frames(5);
    press(1, A::Start);
    frame();
    ASSERT_EQ(core().gameState, GameState::LevelSelect);
    press(1, A::Right);
    frames(30);
    press(1, A::Confirm);
    ASSERT_EQ(core().gameState, GameState::Playing);
    EXPECT_EQ(core().matchSettings.map, 1);
    EXPECT_TRUE(core().deathMatch);

    // Past the countdown, slot 0's fastest weapon point meets ship 1.
    frames(190);
    ASSERT_GT(core().matchClock, core().matchCountdownLength);
    EXPECT_FALSE(core().matchOver);
    for (int n = 0; n < 10 && !core().matchOver; ++n) {
        core().players[0].invulnerabilityTimer = -1;
        core().players[1].invulnerabilityTimer = -1;
        WeaponParticle* point = core().weaponPoints[0][0];
        point->position = core().players[1].point.position;
        point->velocity.set(8, 0);
        frame();
    }
    ASSERT_TRUE(core().matchOver);
    EXPECT_FLOAT_EQ(core().players[0].score, 1);

    // Five seconds on, the awards: slot 0 first.
    frames(160);
    ASSERT_EQ(core().gameState, GameState::RoundOver);
    EXPECT_EQ(core().players[0].place, 0);
    EXPECT_FALSE(core().players[0].award.empty());
    frames(40);
    press(0, A::Right);
    EXPECT_EQ(core().gameState, GameState::MatchStats);
    frames(10);
    press(0, A::Back);
    EXPECT_EQ(core().gameState, GameState::RoundOver);
    frames(20);
    press(0, A::Confirm);
    press(0, A::Confirm);
    frame();
    EXPECT_EQ(core().gameState, GameState::MultiplayerLobby);
    EXPECT_TRUE(core().players[0].joined);
    EXPECT_TRUE(core().players[1].joined);
}
