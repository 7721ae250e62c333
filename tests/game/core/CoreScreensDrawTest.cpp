#include <gtest/gtest.h>

#include <tuple>

#include "CoreFixture.h"

// The arcade menu's difficulty and the game-over screen.
class CoreScreens : public CoreFixture {};

// Intro only outside co-op; a step of 0 is no step.
TEST_F(CoreScreens, CyclingDifficultySkipsWhatCannotBeChosenAndWaitsForTheSlide) {
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

TEST_F(CoreScreens, GameOverSoundsOnceAndAButtonNotDrawnTakesNoClick) {
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
