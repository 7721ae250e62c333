#include <gtest/gtest.h>

#include "GameWindowFixture.h"
#include "ofxGamepadFakes.h"
#include "ofxGamepadHandler.h"

// A whole death match in a real window, played by two fake pads: lobby,
// settings, level select, match, awards, stats and back to the lobby.
class MultiplayerFlow : public GameWindowFixture {
protected:
    void beforeSetup() override { ofxGamepadSetInputSystemFactory(devices.factory()); }
    void afterTeardown() override { ofxGamepadSetInputSystemFactory(nullptr); }
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

    fakepads::FakeDevices devices;
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
