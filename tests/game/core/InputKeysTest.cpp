#include <gtest/gtest.h>

#include <cstdlib>

#include "InputFixture.h"

class KeyInput : public InputFixture {
protected:
    void startArcadeRound() {
        core().gameMode = GameMode::Easy;
        core().startRound(false);
        settle();
    }
};

TEST_F(KeyInput, SpaceAndPPauseAndUnpauseWhileEnterDoesNot) {
    startArcadeRound();
    app->keyPressed(' ');
    EXPECT_TRUE(core().paused);
    app->keyPressed(' ');
    EXPECT_FALSE(core().paused);
    app->keyPressed(13);
    EXPECT_FALSE(core().paused);
    app->keyPressed('p');
    EXPECT_TRUE(core().paused);
    app->keyPressed(13);  // action 0 unpauses a paused round
    EXPECT_FALSE(core().paused);
    app->keyPressed(27);
    EXPECT_TRUE(core().paused);
    EXPECT_EQ(core().gameState, GameState::Playing);
}

TEST_F(KeyInput, BackKeysLeaveEachScreenOnlyAfterFourTenthsOfASecond) {
    struct Case {
        GameState state;
        GameState after;
    };
    const Case cases[] = {{GameState::ArcadeMenu, GameState::MainMenu},
                          {GameState::RoundOver, GameState::MainMenu},
                          {GameState::MultiplayerLobby, GameState::MainMenu},
                          {GameState::Stats, GameState::Options}};
    for (const Case& c : cases) {
        core().gameState = c.state;
        core().stateTime = 0.3f;
        app->keyPressed('b');
        EXPECT_EQ(core().gameState, c.state) << static_cast<int>(c.state);
        core().stateTime = 0.5f;
        app->keyPressed('B');
        EXPECT_EQ(core().gameState, c.after) << static_cast<int>(c.state);
    }
    core().gameState = GameState::Leaderboards;
    core().stateTime = 0.5f;
    app->keyPressed(27);
    EXPECT_TRUE(core().leaderboardScreen.backRequested);
}

TEST_F(KeyInput, TypedTextScreensTakeEveryKeyCtrlQIncluded) {
    struct Case {
        const char* name;
        void (*prepare)(GameCore&);
    };
    const Case cases[] = {{"score submit", [](GameCore& c) { c.gameState = GameState::ScoreSubmit; }},
                          {"name edit",
                           [](GameCore& c) {
                               c.gameState = GameState::Options;
                               c.optionsMenu.editingName = true;
                           }},
                          {"remapper", [](GameCore& c) {
                               c.gameState = GameState::Options;
                               c.optionsMenu.controllerMapper.isOpen = true;
                           }}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EXIT(
            {
                c.prepare(app->core);
                app->keyPressed(17);
                std::exit(5);
            },
            testing::ExitedWithCode(5), "");
    }
    core().gameState = GameState::Playing;
    EXPECT_EXIT(app->keyPressed(17), testing::ExitedWithCode(0), "");
}
