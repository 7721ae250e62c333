#include <gtest/gtest.h>

#include <cmath>

#include "InputFixture.h"

class Transitions : public InputFixture {};

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
        EXPECT_FALSE(core().introRestart);
        EXPECT_FALSE(core().players[1].joined);
        EXPECT_FLOAT_EQ(core().stateTime, 0.0f);
    }
}

TEST_F(Transitions, OpeningTheLobbySetsItsSlotsUp) {
    core().players[1].joined = true;
    core().players[3].joined = true;
    core().players[3].lobbyReady = true;
    core().players[3].lobbyRow = 0;
    core().players[3].shipType = 4;
    core().openLobby(false, false, true);
    EXPECT_EQ(core().gameState, GameState::MultiplayerLobby);
    EXPECT_TRUE(core().coop);
    EXPECT_EQ(core().playerCount, 4);
    EXPECT_EQ(core().players[3].lobbyRow, 1);
    EXPECT_EQ(core().players[3].shipType, 4);
    EXPECT_EQ(core().players[0].unlockedShips, core().shipSelect.unlocked);

    core().openLobby(true, true, false);
    EXPECT_TRUE(core().deathMatch);
    EXPECT_EQ(core().gameMode, GameMode::Multiplayer);
    EXPECT_FALSE(core().players[3].lobbyReady);
    EXPECT_EQ(core().players[3].lobbyRow, 0);

    // Exhibition play past its round limit goes back to the menu instead.
    core().exhibition = true;
    core().roundCount = core().roundLimit;
    core().openLobby(true, true, true);
    EXPECT_EQ(core().gameState, GameState::MainMenu);
}

class Revive : public InputFixture {
protected:
    void SetUp() override {
        InputFixture::SetUp();
        core().gameMode = GameMode::Easy;
        core().coop = true;
        core().playerCount = 2;
        core().players[0].joined = core().players[1].joined = true;
        core().startRound(false);
        core().arenaWalls.computeBounds();
        centre.set(core().arenaWalls.centreX, core().arenaWalls.centreY);
    }
    CoopRegen* token(float x, float y, int player) {
        CoopRegen* t = new CoopRegen;
        t->x = x;
        t->y = y;
        t->player = player;
        core().foes.push_back(t);
        return t;
    }
    ofVec2f centre;
};

TEST_F(Revive, TheShipReturnsOnTheLineToTheCentreWhereACircleFirstFits) {
    core().players[1].frozen = true;
    // Far outside the walls: the walk has to come a long way in.
    CoopRegen* reached = token(centre.x + 5000, centre.y + 2000, 1);
    CoopRegen* other = token(centre.x - 300, centre.y, 1);
    CoopRegen* someoneElse = token(centre.x, centre.y - 300, 0);
    const int revives = core().coopRevives;
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
    EXPECT_EQ(core().coopRevives, revives + 1);
    EXPECT_FLOAT_EQ(core().statsTracker.record("coop_revives").value, stat + 1);
}
