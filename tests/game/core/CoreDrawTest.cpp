#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "CoreFixture.h"

// The window, the frame, the arcade menu's difficulty and the game-over screen.
class CoreDraw : public CoreFixture {};

TEST_F(CoreDraw, OnlyTheTestedAsteroidsDrawAndNeverPastTheList) {
    GameCore& c = core();
    startStill(GameMode::Easy);
    for (int i = 0; i < 3; ++i) c.asteroids.emplace_back(new Asteroid)->color = ofColor(200, 100, i, 255);
    for (auto [tested, drawn] : {std::pair{0, 0}, {2, 2}, {3, 3}, {10, 3}, {-4, 0}}) {
        c.rocksTested = tested;
        recorder->reset();
        c.draw();
        const Calls calls = recorder->take();
        long n = 0;
        for (int i = 0; i < 3; ++i)
            n += std::count(calls.begin(), calls.end(), "setColor(200,100," + std::to_string(i) + ",255)");
        EXPECT_EQ(n, drawn) << tested;
    }
}

// Intro only outside co-op; a step of 0 is no step.
TEST_F(CoreDraw, CyclingDifficultySkipsWhatCannotBeChosenAndWaitsForTheSlide) {
    GameCore& c = core();
    auto beep = record(c.soundBank.menuBeep);
    using M = GameMode;
    for (auto [from, step, coop, to] : {std::tuple{M::Easy, -1, false, M::Intro}, {M::Easy, -1, true, M::AsteroidField},
                                        {M::Hard, 1, false, M::AsteroidField}, {M::AsteroidField, 1, false, M::Intro},
                                        {M::AsteroidField, 1, true, M::Easy}, {M::Hard, 0, false, M::Hard}}) {
        c.gameMode = from;
        c.coop = coop;
        c.slideTimer = c.slideLength;
        const int before = beep->plays;
        c.cycleDifficulty(step, static_cast<int>(from));
        EXPECT_EQ(c.gameMode, to) << static_cast<int>(from) << " " << step;
        EXPECT_EQ(beep->plays - before, step != 0 ? 1 : 0);
    }
    // Mid-slide a press changes nothing; the update grows the timer.
    c.coop = false;
    c.gameMode = GameMode::Easy;
    c.cycleDifficulty(1, 1);
    ASSERT_EQ(c.gameMode, GameMode::Hard);
    c.slideTimer = 0.1f;
    c.cycleDifficulty(1, 1);
    EXPECT_EQ(c.gameMode, GameMode::Hard);
    step(0.2f);
    c.cycleDifficulty(1, 1);
    EXPECT_EQ(c.gameMode, GameMode::AsteroidField);
}

TEST_F(CoreDraw, GameOverSoundsOnceAndAButtonNotDrawnTakesNoClick) {
    GameCore& c = core();
    auto gameOver = record(c.soundBank.gameOver);
    c.layout(960);
    c.gameMode = GameMode::Easy;
    c.startRound(false);
    c.gameState = GameState::RoundOver;
    c.roundOverTimer = -1;
    c.onlineScore = true;
    c.menuTime = 1;
    c.drawGameOver();
    c.drawGameOver();
    EXPECT_EQ(gameOver->plays, 1);
    const float x = c.leaderboardButton.x + 5, y = c.leaderboardButton.y + 5;
    ASSERT_GT(c.leaderboardButton.width, 0);
    // Not online: no button is drawn, and a click where it stood is a click
    // anywhere else, a retry.
    c.onlineScore = false;
    c.drawGameOver();
    c.mousePressed(0, x, y);
    EXPECT_EQ(c.gameState, GameState::Playing);
    c.gameState = GameState::RoundOver;
    c.roundOverTimer = -1;
    c.onlineScore = true;
    c.drawGameOver();
    c.mousePressed(0, x, y);
    EXPECT_EQ(c.gameState, GameState::Leaderboards);
}

class AppWindow : public CoreFixture {};

// A window with no size leaves everything as it was.
TEST_F(AppWindow, ResizeKeepsVirtualWidthsUpTo1800AndIgnoresAWindowWithNoSize) {
    window.calls.clear();
    window.width = 1200;
    window.height = 900;
    app->windowResized(1200, 900);
    EXPECT_FLOAT_EQ(app->scale, 0.9375f);
    EXPECT_EQ(core().screenWidth, 1280);
    // Wider than 1800 virtual units: the window is set back.
    app->windowResized(1500, 750);
    app->windowResized(0, 900);
    app->windowResized(700, -3);
    EXPECT_FLOAT_EQ(app->scale, 750.0f / 960.0f);
    EXPECT_EQ(core().screenWidth, 1280);
    EXPECT_EQ(window.calls, (Calls{"shape 1200x900"}));
}
