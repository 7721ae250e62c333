#include <gtest/gtest.h>

#include <algorithm>

#include "InputFixture.h"

class ScreenRouting : public InputFixture {
protected:
    void choose(const std::string& label) {
        core().returnToMenu(false);
        core().mainMenu.itemLabels[0] = label;
        core().mainMenu.selected = 0;
        core().mainMenu.confirmed = true;
        step(0.033f);
    }
    void lobbyWithJoined(bool deathMatch, int joined) {
        core().openLobby(deathMatch, true, false);
        for (int i = 0; i < joined; ++i) core().joinPlayer(i);
        step(0.033f);
    }
};

TEST_F(ScreenRouting, EachMenuLabelOpensItsScreenWithItsModeAndFlags) {
    struct Case {
        const char* label;
        GameState state;
        GameMode mode;
        bool coop, deathMatch, missionRound;
    };
    // A first start (no best score, no mission done) plays every choice from Intro.
    const Case cases[] = {
        {"Arcade", GameState::ArcadeMenu, GameMode::Intro, false, false, false},
        {"Single Player", GameState::ArcadeMenu, GameMode::Intro, false, false, false},
        {"Mission", GameState::ShipSelect, GameMode::Mission, false, false, true},
        {"Co-op Arcade", GameState::MultiplayerLobby, GameMode::Easy, true, false, false},
        {"Cooperative", GameState::MultiplayerLobby, GameMode::Easy, true, false, false},
        {"Death Match", GameState::MultiplayerLobby, GameMode::Multiplayer, false, true, false},
        {"Leaderboards", GameState::Leaderboards, GameMode::Intro, false, false, false},
        {"High Scores", GameState::Leaderboards, GameMode::Intro, false, false, false},
        {"Options/Config", GameState::Options, GameMode::Intro, false, false, false},
        {"Quit", GameState::MainMenu, GameMode::Intro, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        core().gameMode = GameMode::Hard;
        choose(c.label);
        EXPECT_EQ(core().gameState, c.state);
        EXPECT_EQ(core().gameMode, c.mode);
        EXPECT_EQ(core().coop, c.coop);
        EXPECT_EQ(core().deathMatch, c.deathMatch);
        EXPECT_EQ(core().missionRound, c.missionRound);
        EXPECT_FALSE(core().mainMenu.confirmed);
    }
    EXPECT_TRUE(core().mainMenu.disabled);
    EXPECT_EQ(core().chainCap, 12);

    // With a best score the mode stays what it was.
    core().bestScores[static_cast<int>(GameMode::Hard)] = 40;
    core().mainMenu.disabled = false;
    core().gameMode = GameMode::Hard;
    core().shipSelect.lastShipType = 3;
    choose("Arcade");
    EXPECT_EQ(core().gameMode, GameMode::Hard);
    EXPECT_EQ(core().players[0].shipType, 3);
}

TEST_F(ScreenRouting, GameOverInputWaitsFourTenthsOfASecondPastTheTimer) {
    core().gameMode = GameMode::Easy;
    core().startRound(false);
    core().gameState = GameState::RoundOver;
    core().menuButton.set(15, 895, 100, 50);
    for (bool mouse : {true, false}) {
        for (auto [timer, after] : {std::pair{-0.3f, GameState::RoundOver}, {-0.5f, GameState::MainMenu}}) {
            core().gameState = GameState::RoundOver;
            core().roundOverTimer = timer;
            if (mouse) {
                core().mousePressed(0, 20, 900);
            } else {
                action(vantorixPC::Select);
            }
            EXPECT_EQ(core().gameState, after) << timer << (mouse ? " mouse" : " pad");
        }
    }
}

TEST_F(ScreenRouting, ArcadeMenuStartsOnlyAfterItsGuardAndArrowsStepTheMode) {
    core().gameMode = GameMode::Easy;
    core().gameState = GameState::ArcadeMenu;
    core().stateTime = 0.2f;
    app->keyPressed(13);
    EXPECT_EQ(core().gameState, GameState::ArcadeMenu);
    app->keyPressed(358);
    EXPECT_EQ(core().gameMode, GameMode::Hard);
    core().stateTime = 0.5f;
    app->keyPressed(13);
    EXPECT_EQ(core().gameState, GameState::Playing);
}

TEST_F(ScreenRouting, ReadyChangesInTheLobby) {
    auto error = record(core().soundBank.error);
    lobbyWithJoined(false, 2);
    core().players[0].lobbyReady = true;
    core().players[0].lobbyChanged = true;
    core().lifeClock[1] = 5;
    step(0.033f);
    EXPECT_EQ(error->plays, 1);
    EXPECT_EQ(core().gameState, GameState::MultiplayerLobby);
    EXPECT_FLOAT_EQ(core().lifeClock[1], 0.0f);

    core().players[1].lobbyReady = true;
    core().players[1].lobbyChanged = true;
    step(0.033f);
    EXPECT_EQ(error->plays, 1);
    EXPECT_EQ(core().gameState, GameState::ArcadeMenu);
    EXPECT_TRUE(core().coop);

    // In a death match the same goes on to the level select; "Start" on a
    // ready slot counts as a change.
    lobbyWithJoined(true, 2);
    core().players[0].lobbyReady = true;
    core().players[1].lobbyReady = true;
    core().players[1].startRequest = true;
    step(0.033f);
    EXPECT_FALSE(core().players[1].startRequest);
    EXPECT_EQ(core().gameState, GameState::LevelSelect);

    lobbyWithJoined(true, 2);
    core().players[1].settingsRequest = true;
    core().players[2].lobbyRow = 1;
    step(0.033f);
    EXPECT_EQ(core().gameState, GameState::MultiplayerSettings);
    EXPECT_EQ(core().players[2].lobbyRow, 0);
    EXPECT_FALSE(core().players[1].settingsRequest);
}
