#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

#include "CoreFixture.h"

// Keys, pads and the transitions they lead to.
class KeyInput : public CoreFixture {};

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
        {"leaderboards back", GameState::Leaderboards, after,
         [&] {
             c.leaderboardScreen.fromGameOver = false;
             app->keyPressed(27);
             tick();
         },
         GameState::MainMenu},
        {"leaderboards back to the game over", GameState::Leaderboards, after,
         [&] {
             c.leaderboardScreen.fromGameOver = true;
             app->keyPressed('b');
             tick();
         },
         GameState::RoundOver},
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

class PadInput : public CoreFixture {};

TEST_F(PadInput, ThePadPressedFirstPlaysAsPlayerZeroAndTradesPlacesWithPadZero) {
    plug({padNamed("Pad A"), padNamed("Pad B"), padNamed("Pad C"), padNamed("Pad D")});
    press(2, vantorixPC::Down);
    EXPECT_TRUE(app->firstPadChosen && app->firstPad == 2 && core().mainMenu.selected == 1);
    core().openLobby(false, true, false);
    app->keyPressed(13);  // the keyboard is pad 0, so player 2
    EXPECT_TRUE(core().players[2].joined && !core().players[0].joined);
    press(2, vantorixPC::Confirm);
    press(3, vantorixPC::Start);
    press(1, vantorixPC::Confirm);
    EXPECT_TRUE(core().players[0].joined && core().players[1].joined && core().players[3].joined);
    EXPECT_EQ(core().playerCount, 4);

    // Sticks follow the same trade: pad 2 steers ship 0, pad 0 ship 2.
    axis(2, 0, 0.8f);
    axis(0, 1, -0.7f);
    axis(3, 0, -0.6f);
    EXPECT_TRUE(app->padSticks[0].x == 0.8f && app->padSticks[2].y == -0.7f && app->padSticks[3].x == -0.6f &&
                app->padSticks[1].x == 0.0f);

    // In the menu a pad above 3 and a button outside the map move nothing.
    core().returnToMenu(false);
    ofxGamepadButtonEvent event;
    event.button = app->buttonMap[0][vantorixPC::Down];
    app->handlePadButton(4, event, false, app->buttonMap[0]);
    event.button = 40;
    app->handlePadButton(0, event, false, app->buttonMap[0]);
    EXPECT_EQ(core().mainMenu.selected, 1);
}

// Known by the exact name with its leading blank, or by the wireless tag name
// with exactly six axes and fourteen buttons; pad 0 decides the prompts.
TEST_F(PadInput, PlayStationPadsAreKnownByTheirExactNamesAndCounts) {
    const struct {
        const char* name;
        std::vector<fakepads::DeviceSpec> pads;
        bool expected[4];
    } rows[] = {
        {"names", {padNamed("PLAYSTATION(R)3 Controller", 4, 19), padNamed(" PLAYSTATION(R)3 Controller", 4, 19),
                   padNamed("Wireless Controller", 6, 14), padNamed("Wireless Controller", 6, 13)},
         {false, true, true, false}},
        {"tags and counts", {padNamed("Wireless Controller", 6, 14), padNamed("Wireless Controller", 5, 14),
                             padNamed("Wireless-Controller ", 6, 14), padNamed("Wireless Controller", 6, 15)},
         {true, false, true, false}},
        {"exact only", {padNamed(" PLAYSTATION(R)3 Controller ", 4, 19), padNamed("Wireless Controller", 7, 14),
                        padNamed(" PLAYSTATION(R)3 Controller", 6, 14), padNamed("Pad", 4, 12)},
         {false, false, true, false}},
    };
    for (const auto& row : rows) {
        TearDown();
        SetUp();
        plug(row.pads);
        for (int i = 0; i < 4; ++i) {
            ASSERT_NE(app->attachedPads[i], nullptr) << row.name << i;
            EXPECT_EQ(app->playStationPad[i], row.expected[i]) << row.name << i;
            EXPECT_EQ(core().playStationPads[i], row.expected[i]) << row.name << i;
        }
        EXPECT_EQ(core().symbolPad, row.expected[0]) << row.name;
    }
}

// Left and right step the mode at once; starting and leaving wait for the guard.
TEST_F(PadInput, TheArcadeMenuStepsTheModeByPadAndStartsOnlyAfterItsGuard) {
    GameCore& c = core();
    auto beep = record(c.soundBank.menuBeep);
    c.gameMode = GameMode::Easy;
    c.gameState = GameState::ArcadeMenu;
    c.stateTime = 0.2f;
    for (auto [which, mode] : {std::pair{vantorixPC::Right, GameMode::Hard}, {vantorixPC::Right, GameMode::AsteroidField},
                               {vantorixPC::Left, GameMode::Hard}, {vantorixPC::Up, GameMode::Hard}}) {
        c.slideTimer = c.slideLength;
        action(which);
        EXPECT_EQ(c.gameMode, mode) << which;
        EXPECT_EQ(c.gameState, GameState::ArcadeMenu) << which;
    }
    EXPECT_EQ(beep->plays, 3);
    action(vantorixPC::Confirm);
    action(vantorixPC::Back);
    EXPECT_EQ(c.gameState, GameState::ArcadeMenu);
    c.stateTime = 0.5f;
    action(vantorixPC::Confirm);
    EXPECT_EQ(c.gameState, GameState::Playing);
    EXPECT_EQ(c.gameMode, GameMode::Hard);
}

TEST_F(PadInput, StickStepsAreStrictReArmInsideHalfAndNeverCarryOverFromPlay) {
    // The armed flags start clear: the first push only counts after a rest.
    const std::pair<float, int> pushes[] = {{1.0f, 0}, {0.0f, 0}, {0.95f, 0}, {0.96f, 1}, {1.0f, 1}, {0.6f, 1},
                                            {1.0f, 1}, {0.45f, 1}, {1.0f, 2}, {-1.0f, 1}, {-1.0f, 1}, {0.2f, 1}};
    int n = 0;
    for (auto [y, selected] : pushes) {
        axis(0, 1, y);
        EXPECT_EQ(core().mainMenu.selected, selected) << "push " << n++ << " y " << y;
    }

    core().gameState = GameState::Playing;
    axis(0, 1, 1.0f);
    core().gameState = GameState::MainMenu;
    axis(0, 1, 1.0f);
    EXPECT_EQ(core().mainMenu.selected, 1);
    axis(0, 1, 0.3f);
    axis(0, 1, 1.0f);
    EXPECT_EQ(core().mainMenu.selected, 2);
}

class Transitions : public CoreFixture {};

TEST_F(Transitions, TheMenuButtonKeepsArcadeModesAndTurnsMissionAndMultiplayerIntoEasy) {
    for (auto [from, to] : {std::pair{GameMode::Hard, GameMode::Hard}, {GameMode::Mission, GameMode::Easy},
                            {GameMode::Multiplayer, GameMode::Easy}}) {
        core().gameMode = from;
        core().startRound(false);
        core().gameState = GameState::RoundOver;
        core().roundOverTimer = -1;
        core().introRestart = true;
        core().players[1].joined = true;
        action(vantorixPC::Back);
        EXPECT_EQ(core().gameState, GameState::MainMenu);
        EXPECT_EQ(core().gameMode, to);
        EXPECT_FALSE(core().introRestart || core().players[1].joined);
    }
}

// A co-op round of two with slot 1 out; tokens for a slot are placed by hand.
class Revive : public CoreFixture {
protected:
    void SetUp() override {
        CoreFixture::SetUp();
        core().coop = true;
        core().playerCount = 2;
        core().players[0].joined = core().players[1].joined = true;
        startStill(GameMode::Easy);
        core().arenaWalls.computeBounds();
        centre.set(core().arenaWalls.centreX, core().arenaWalls.centreY);
        core().players[1].frozen = true;
    }
    CoopRegen* token(float dx, float dy, int player) {
        auto* t = static_cast<CoopRegen*>(core().foes.emplace_back(new CoopRegen));
        t->x = centre.x + dx;
        t->y = centre.y + dy;
        t->player = player;
        return t;
    }
    ofVec2f centre;
};

TEST_F(Revive, TheShipReturnsOnTheLineToTheCentreWhereACircleFirstFits) {
    // Far outside the walls: the walk has to come a long way in.
    CoopRegen* reached = token(5000, 2000, 1);
    CoopRegen* other = token(-300, 0, 1);
    CoopRegen* someoneElse = token(0, -300, 0);
    const float stat = core().statsTracker.record("coop_revives").value;
    core().revivePlayer(*reached);

    const PlayerShip& ship = core().players[1];
    const ofVec2f at = ship.point.position;
    EXPECT_FALSE(ship.frozen);
    // On the token-to-centre line...
    const float cross = (at.x - reached->x) * (centre.y - reached->y) - (at.y - reached->y) * (centre.x - reached->x);
    EXPECT_NEAR(cross / std::hypot(centre.x - reached->x, centre.y - reached->y), 0.0f, 0.5f);
    // ...the first point, in steps of 10, where a 200-unit circle fits.
    EXPECT_TRUE(core().arenaWalls.isCircleInside(at.x, at.y, 200));
    const ofVec2f dir = ofVec2f(centre.x - reached->x, centre.y - reached->y).getNormalized();
    EXPECT_FALSE(core().arenaWalls.isCircleInside(at.x - dir.x * 10, at.y - dir.y * 10, 200));

    for (WeaponParticle* weapon : core().weaponPoints[1]) {
        EXPECT_NEAR(std::hypot(weapon->position.x - reached->x, weapon->position.y - reached->y), 350.0f, 0.5f);
        EXPECT_FLOAT_EQ(weapon->velocity.x, 0.0f);
    }
    EXPECT_TRUE(other->expired);
    EXPECT_FALSE(someoneElse->expired);
    EXPECT_FLOAT_EQ(core().statsTracker.record("coop_revives").value, stat + 1);
}

// The stats screen's own back (its panel button) returns to the options page
// with the return sound, its fade starting over.
TEST_F(Transitions, TheStatsScreensBackReturnsToTheOptions) {
    GameCore& c = core();
    auto back = record(c.soundBank.menuReturn);
    c.openOptions(true, 0);
    c.optionsMenu.rows[OptionsMenu::SeeStats] = true;
    step(0.033f);
    ASSERT_EQ(c.gameState, GameState::Stats);
    c.optionsMenu.rows[OptionsMenu::SeeStats] = false;
    const int before = back->plays;
    step(0.5f);
    EXPECT_EQ(c.gameState, GameState::Stats);
    c.statsScreen.backRequested = true;
    step(0.033f);
    EXPECT_EQ(c.gameState, GameState::Options);
    EXPECT_FALSE(c.statsScreen.backRequested);
    EXPECT_EQ(back->plays - before, 1);
    EXPECT_LT(c.menuTime, 0.033f);
}
