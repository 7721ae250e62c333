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

TEST_F(KeyInput, WhileTheBriefingIsUpSpaceOnlyConfirmsItAndEscapeLeaves) {
    startArcadeRound();
    core().gameMode = GameMode::Mission;
    core().missionRound = true;
    core().startHold = true;
    core().holdTime = 0;
    step(0.2f);
    EXPECT_TRUE(core().paused);
    app->keyPressed(' ');  // too early: the briefing stays
    EXPECT_TRUE(core().startHold);
    EXPECT_TRUE(core().paused);
    step(0.3f);
    app->keyPressed(' ');
    EXPECT_FALSE(core().startHold);
    EXPECT_FALSE(core().paused);

    core().startHold = true;
    step(0.1f);
    app->keyPressed(27);
    EXPECT_EQ(core().gameState, GameState::MainMenu);
    EXPECT_EQ(core().gameMode, GameMode::Easy);
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

TEST_F(KeyInput, DebugKeysNeedTheDebugSwitch) {
    for (bool debug : {false, true}) {
        core().debugEnabled = debug;
        core().debugOverlay = false;
        app->musicDebugVisible = false;
        app->keyPressed('d');
        app->keyPressed('a');
        EXPECT_EQ(core().debugOverlay, debug);
        EXPECT_EQ(app->musicDebugVisible, debug);
    }
    // With the music overlay up, "-" and "+" step the music volume.
    const float volume = core().soundBank.musicVolume;
    app->keyPressed('-');
    EXPECT_NEAR(core().soundBank.musicVolume, volume - 0.1f, 1e-5);
    app->keyPressed('+');
    app->keyPressed('=');
    EXPECT_NEAR(core().soundBank.musicVolume, volume + 0.1f, 1e-5);

    app->keyPressed('s');
    EXPECT_TRUE(app->screenshotRequested);
    app->keyPressed('o');
    EXPECT_EQ(core().gameState, GameState::Options);
    EXPECT_FALSE(core().optionsMenu.fromRound);
}

TEST_F(KeyInput, MuteKeyMutesBothAndTheOptionsRowsFollow) {
    app->keyPressed('m');
    EXPECT_TRUE(core().soundBank.soundMuted);
    EXPECT_TRUE(core().soundBank.musicMuted);
    EXPECT_TRUE(core().optionsMenu.rows[OptionsMenu::SoundMute]);
    EXPECT_TRUE(core().optionsMenu.rows[OptionsMenu::MusicMute]);
    app->keyPressed('M');
    EXPECT_FALSE(core().soundBank.soundMuted);
    EXPECT_FALSE(core().soundBank.musicMuted);
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

TEST_F(KeyInput, TheRemapperTakesEnterAndBackKeysOnly) {
    core().gameState = GameState::Options;
    ControllerMapper& mapper = core().optionsMenu.controllerMapper;
    mapper.isOpen = true;
    mapper.showingControllerList = false;
    auto back = record(core().soundBank.menuReturn);
    app->keyPressed('b');
    EXPECT_TRUE(mapper.showingControllerList);
    EXPECT_FALSE(mapper.leave);
    app->keyPressed(27);
    EXPECT_TRUE(mapper.leave);
    EXPECT_EQ(back->plays, 2);
    app->keyPressed('m');
    EXPECT_FALSE(core().soundBank.soundMuted);
}

TEST_F(KeyInput, MouseReachesTheScreensInVirtualUnits) {
    app->scale = 0.5f;
    core().gameState = GameState::RoundOver;
    core().submitButton.set(200, 400, 100, 50);
    app->mouseMoved(120, 210);  // 240, 420 in game units
    EXPECT_TRUE(core().submitButtonBlink);
    app->mouseMoved(240, 420);
    EXPECT_FALSE(core().submitButtonBlink);

    // A press in the menu confirms the item under the pointer, in game units.
    core().gameState = GameState::MainMenu;
    core().mainMenu.timer = 1;
    const ofRectangle item = core().mainMenu.itemRects[2];
    app->mousePressed(static_cast<int>((item.x + 5) * 0.5f), static_cast<int>((item.y + 5) * 0.5f), 0);
    EXPECT_EQ(core().mainMenu.selected, 2);
}

TEST_F(KeyInput, PauseButtonsLightUpUnderThePointerAndBeepOnEntry) {
    startArcadeRound();
    app->keyPressed('p');
    auto beep = record(core().soundBank.menuBeep);
    core().resumeButton.set(400, 500, 160, 60);
    core().abortButton.set(400, 600, 160, 60);
    app->mouseMoved(450, 520);
    app->mouseMoved(460, 530);
    EXPECT_TRUE(core().missionList.resumeHover);
    EXPECT_FALSE(core().missionList.abortHover);
    app->mouseMoved(450, 620);
    EXPECT_FALSE(core().missionList.resumeHover);
    EXPECT_TRUE(core().missionList.abortHover);
    EXPECT_EQ(beep->plays, 2);
}
