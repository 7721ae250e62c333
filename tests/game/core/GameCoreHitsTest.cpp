#include <gtest/gtest.h>

#include <cmath>

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

// The last row: the rock the Hardy smashes is tested no further, so the
// weapon on it smashes nothing more.
TEST_F(Kills, ShipsAgainstRocksByInvulnerabilityAndType) {
    const struct {
        const char* name;
        int type;
        float invulnerable;
        bool aborted, weapon, rockLeft;
        GameState state;
    } rows[] = {
        {"protected ship passes", SHIP_NORMAL, 1.0f, false, false, true, GameState::Playing},
        {"plain ship dies", SHIP_NORMAL, 0, false, false, true, GameState::RoundOver},
        {"aborted hardy dies, rock stays", SHIP_HARDY, 0, true, false, true, GameState::RoundOver},
        {"hardy and weapon smash it once", SHIP_HARDY, 0, false, true, false, GameState::Playing},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        GameCore& c = core();
        c.players[0].setShipType(row.type);
        startStill(GameMode::Easy);
        c.playTime = 1;
        c.shipAborted[0] = row.aborted;
        c.players[0].invulnerabilityTimer = row.invulnerable;
        const ofVec2f& at = c.players[0].point.position;
        addRock(at.x + 10, at.y, 1);
        if (row.weapon) armWeapon(at.x + 10, at.y, 5);
        tick();
        EXPECT_EQ(c.asteroids.size(), row.rockLeft ? 1u : 0u);
        EXPECT_EQ(c.gameState, row.state);
    }
    EXPECT_EQ(core().rocksSmashed, 1);
    EXPECT_FLOAT_EQ(stat("asteroid_smashes"), 1);
    EXPECT_FLOAT_EQ(core().players[0].invulnerabilityTimer, 1.0f);
}

TEST_F(Kills, WeaponsHitOnlyFastAfterTheGraceTimeAndArmedRocks) {
    const struct {
        const char* name;
        float speed, playTime;
        bool armed, smashed;
    } rows[] = {
        {"fast", 5, 1, true, true},
        {"at the threshold", std::sqrt(20.0f) - 0.01f, 1, true, false},
        {"first half second", 5, 0.3f, true, false},
        {"rock not armed", 5, 1, false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        startStill(GameMode::Easy);
        core().playTime = row.playTime;
        Asteroid* rock = addRock(600, 0, 1);
        rock->smashable = row.armed;
        rock->age = 0;
        armWeapon(600, 0, row.speed);
        tick();
        EXPECT_EQ(core().asteroids.empty(), row.smashed);
    }
}

TEST_F(Kills, PointsGrowWithTheMultikillAndBadIndexesOnlyWarn) {
    GameCore& c = core();
    for (auto [count, points] : {std::pair{0, 10}, {4, 50}, {9, 100}}) {
        const float before = c.players[0].score;
        c.multikillCount = count;
        addFoe(40, 50);
        c.destroyFoe(0, true, false);
        EXPECT_FLOAT_EQ(c.players[0].score - before, points) << count;
        EXPECT_EQ(c.popups.back().text, "+" + std::to_string(points));
    }
    EXPECT_FLOAT_EQ(stat("x10_kills"), 1);
    addFoe(0, 0);
    c.destroyFoe(0, false, false);  // cleared, not scored
    c.destroyFoe(3, true, false);
    c.destroyAsteroid(-1, false, 0, 0);
    c.playerDied(false, 4);
    c.clearRocksAround(-1, 0);
    EXPECT_EQ(c.roundKills, 3);
    EXPECT_EQ(c.gameState, GameState::Playing);
}

TEST_F(Kills, AWeaponHitStartsTheSequenceAndARefusedHitChangesNothing) {
    GameCore& c = core();
    c.multikillTimer = 1;
    c.multikillCount = 2;
    NormFoe* foe = addFoe(600, 0);
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
