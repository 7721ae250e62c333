#include <gtest/gtest.h>

#include <tuple>

#include "CoreFixture.h"
#include "ShipType.h"

class Kills : public CoreFixture {
protected:
    void SetUp() override {
        CoreFixture::SetUp();
        startStill(GameMode::Easy);
        core().playTime = 1;
    }
};

// A protected ship passes, a plain one dies; an aborted Hardy dies and leaves
// the rock; a Hardy smashes it and lives, and the rock it smashed is tested no
// further, so the weapon on it smashes nothing more.
TEST_F(Kills, ShipsAgainstRocksByInvulnerabilityAndType) {
    for (auto [type, invulnerable, aborted, weapon, rockLeft, state] :
         {std::tuple{SHIP_NORMAL, 1.0f, false, false, true, GameState::Playing},
          {SHIP_NORMAL, 0.0f, false, false, true, GameState::RoundOver},
          {SHIP_HARDY, 0.0f, true, false, true, GameState::RoundOver},
          {SHIP_HARDY, 0.0f, false, true, false, GameState::Playing}}) {
        GameCore& c = core();
        c.players[0].setShipType(type);
        startStill(GameMode::Easy);
        c.playTime = 1;
        c.shipAborted[0] = aborted;
        c.players[0].invulnerabilityTimer = invulnerable;
        const ofVec2f& at = c.players[0].point.position;
        addRock(at.x + 10, at.y, 1);
        if (weapon) armWeapon(at.x + 10, at.y, 5);
        tick();
        EXPECT_EQ(c.asteroids.size(), rockLeft ? 1u : 0u) << type << invulnerable << aborted;
        EXPECT_EQ(c.gameState, state) << type << invulnerable << aborted;
    }
    EXPECT_EQ(core().rocksSmashed, 1);
    EXPECT_FLOAT_EQ(stat("asteroid_smashes"), 1);
    EXPECT_FLOAT_EQ(core().players[0].invulnerabilityTimer, 1.0f);
}

// The tenth kill of a multikill is worth 100; a cleared foe counts no kill; a
// bad index only warns.
TEST_F(Kills, TheTenthKillIsWorth100AndBadIndexesOnlyWarn) {
    GameCore& c = core();
    c.multikillCount = 9;
    addFoe(40, 50);
    c.destroyFoe(0, true, false);
    EXPECT_FLOAT_EQ(c.players[0].score, 100);
    EXPECT_EQ(c.popups.back().text, "+100");
    addFoe(0, 0);
    c.destroyFoe(0, false, false);
    c.destroyFoe(3, true, false);
    c.destroyAsteroid(-1, false, 0, 0);
    c.playerDied(false, 4);
    c.clearRocksAround(-1, 0);
    EXPECT_EQ(c.roundKills, 1);
    EXPECT_EQ(c.gameState, GameState::Playing);
}

TEST_F(Kills, AWeaponHitStartsTheSequenceAndARefusedHitChangesNothing) {
    GameCore& c = core();
    c.multikillTimer = 1;
    c.multikillCount = 2;
    NormFoe* foe = addFoe(600, 0);
    armWeapon(600, 0, 4.4f);  // a speed squared below 20 hits nothing
    tick();
    EXPECT_FALSE(foe->dying);
    armWeapon(600, 0, 5);
    tick();
    EXPECT_TRUE(c.killSequence);
    EXPECT_TRUE(foe->dying);
    EXPECT_EQ(c.multikillCount, 3);
    EXPECT_EQ(c.lastKiller, 0);
    EXPECT_NEAR(c.multikillTimer, c.multikillWindow - 0.033f, 1e-4);

    // A second hit while the sequence runs is refused and leaves the count alone.
    EXPECT_FALSE(c.startKillSequence(0, 0, 0, false));
    c.multikillTimer = 2;
    c.lastKiller = 3;
    NormFoe* second = addFoe(-600, 0);
    armWeapon(-600, 0, 5);
    tick();
    EXPECT_FALSE(second->dying);
    EXPECT_EQ(c.multikillCount, 3);
    EXPECT_EQ(c.lastKiller, 3);
    EXPECT_NEAR(c.multikillTimer, 2 - 0.033f, 1e-4);
}

// The foe below the victim goes first: the sequence still finds its own.
TEST_F(Kills, TheSequenceFindsItsFoeByIdentity) {
    GameCore& c = core();
    addFoe(100, 0);
    Foe* victim = addFoe(200, 0);
    ASSERT_TRUE(c.startKillSequence(1, 0, 0, false));
    c.destroyFoe(0, false, false);
    ASSERT_EQ(c.foes[0], victim);
    for (int i = 0; i < 200 && c.killSequence; ++i) {
        c.frameTime = 0.03f;
        c.updateKillSequence();
    }
    EXPECT_TRUE(c.foes.empty() && !c.killSequence);
    EXPECT_FLOAT_EQ(c.players[0].score, 10);
}
