#include <gtest/gtest.h>

#include <cstdlib>

#include "InputFixture.h"

class KeyInput : public InputFixture {};

TEST_F(KeyInput, BackKeysLeaveEachScreenOnlyAfterFourTenthsOfASecond) {
    for (auto [state, after] : {std::pair{GameState::ArcadeMenu, GameState::MainMenu},
                                {GameState::MultiplayerLobby, GameState::MainMenu},
                                {GameState::Stats, GameState::Options}}) {
        core().gameState = state;
        core().stateTime = 0.3f;
        app->keyPressed('b');
        EXPECT_EQ(core().gameState, state) << static_cast<int>(state);
        core().stateTime = 0.5f;
        app->keyPressed('B');
        EXPECT_EQ(core().gameState, after) << static_cast<int>(state);
    }
    core().gameState = GameState::Leaderboards;
    core().stateTime = 0.5f;
    app->keyPressed(27);
    EXPECT_TRUE(core().leaderboardScreen.backRequested);
}

TEST_F(KeyInput, CtrlQQuitsOnceTheSplashIsOverExceptWhereTextIsTyped) {
    core().splashActive = true;
    app->keyPressed(17);  // the test would end here
    core().splashActive = false;
    const std::pair<const char*, void (*)(GameCore&)> cases[] = {
        {"score submit", [](GameCore& c) { c.gameState = GameState::ScoreSubmit; }},
        {"name edit",
         [](GameCore& c) {
             c.gameState = GameState::Options;
             c.optionsMenu.editingName = true;
         }},
        {"remapper", [](GameCore& c) {
             c.gameState = GameState::Options;
             c.optionsMenu.controllerMapper.isOpen = true;
         }}};
    for (const auto& [name, prepare] : cases) {
        EXPECT_EXIT(
            {
                prepare(app->core);
                app->keyPressed(17);
                std::exit(5);
            },
            testing::ExitedWithCode(5), "")
            << name;
    }
    core().gameState = GameState::Playing;
    EXPECT_EXIT(app->keyPressed(17), testing::ExitedWithCode(0), "");
}
