#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "InputFixture.h"

class KeyInput : public InputFixture {};

TEST_F(KeyInput, EachScreenTakesItsLeavingInputOnlyAfterFourTenthsOfASecond) {
    GameCore& c = core();
    c.gameMode = GameMode::Easy;
    c.startRound(false);
    c.menuButton.set(15, 895, 100, 50);
    c.deathMatch = true;
    c.players[0].joined = c.players[1].joined = true;
    const auto after = [&](float t) { c.stateTime = t; };
    const auto roundOver = [&](float t) { c.roundOverTimer = -t; };
    const struct {
        const char* name;
        GameState state;
        std::function<void(float)> wait;
        std::function<void()> input;
        GameState next;
    } rows[] = {
        {"arcade back", GameState::ArcadeMenu, after, [&] { app->keyPressed('b'); }, GameState::MainMenu},
        {"arcade start", GameState::ArcadeMenu, after, [&] { app->keyPressed(13); }, GameState::Playing},
        {"lobby back", GameState::MultiplayerLobby, after, [&] { app->keyPressed('B'); }, GameState::MainMenu},
        {"stats back", GameState::Stats, after, [&] { app->keyPressed('b'); }, GameState::Options},
        {"settings done", GameState::MultiplayerSettings, after,
         [&] {
             c.players[0].lobbyRow = 3;
             c.handleSettingsPad(0, 0, 0, true, false, false);
         },
         GameState::MultiplayerLobby},
        {"game over click", GameState::RoundOver, roundOver, [&] { c.mousePressed(0, 20, 900); }, GameState::MainMenu},
        {"game over pad", GameState::RoundOver, roundOver, [&] { action(vantorixPC::Select); }, GameState::MainMenu},
    };
    for (const auto& row : rows) {
        for (float t : {0.3f, 0.5f}) {
            c.gameMode = GameMode::Easy;
            c.gameState = row.state;
            row.wait(t);
            row.input();
            EXPECT_EQ(c.gameState, t < 0.4f ? row.state : row.next) << row.name << " at " << t;
        }
    }
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
