#include <gtest/gtest.h>

#include <cmath>

#include "RoundsFixture.h"
#include "ShipType.h"

class HitWalk : public RoundsFixture {
protected:
    void SetUp() override {
        RoundsFixture::SetUp();
        startIn(GameMode::Easy);
        stillWorld();
        core().playTime = 1;
    }
};

TEST_F(HitWalk, AHardyAndAWeaponOnOneRockSmashItOnceAndTheHardyFliesOn) {
    GameCore& c = core();
    c.players[0].setShipType(SHIP_HARDY);
    addRock(0, 0, 1);
    armWeapon(0, 0, 5);
    tick();
    EXPECT_TRUE(c.asteroids.empty());
    EXPECT_EQ(c.rocksSmashed, 1);
    EXPECT_FLOAT_EQ(stat("asteroid_smashes"), 1);
    EXPECT_TRUE(c.players[0].hardyHitTaken);
    EXPECT_EQ(c.gameState, GameState::Playing);
    EXPECT_FLOAT_EQ(c.players[0].invulnerabilityTimer, 1.0f);
}

TEST_F(HitWalk, ShipsAgainstRocksByInvulnerabilityAndType) {
    const struct {
        const char* name;
        int type;
        float invulnerable;
        bool aborted, rockLeft;
        GameState state;
    } rows[] = {
        {"protected ship passes", SHIP_NORMAL, 1.0f, false, true, GameState::Playing},
        {"plain ship dies", SHIP_NORMAL, 0, false, true, GameState::RoundOver},
        {"hardy smashes and lives", SHIP_HARDY, 0, false, false, GameState::Playing},
        {"aborted hardy dies, rock stays", SHIP_HARDY, 0, true, true, GameState::RoundOver},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        GameCore& c = core();
        c.players[0].setShipType(row.type);
        c.startRound(false);
        stillWorld();
        c.shipAborted[0] = row.aborted;
        c.players[0].invulnerabilityTimer = row.invulnerable;
        addRock(c.players[0].point.position.x + 10, c.players[0].point.position.y, 1);
        tick();
        EXPECT_EQ(c.asteroids.size(), row.rockLeft ? 1u : 0u);
        EXPECT_EQ(c.gameState, row.state);
    }
}

TEST_F(HitWalk, WeaponsHitOnlyFastAfterTheGraceTimeAndArmedRocks) {
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
        GameCore& c = core();
        c.startRound(false);
        stillWorld();
        c.playTime = row.playTime;
        Asteroid* rock = addRock(600, 0, 1);
        rock->smashable = row.armed;
        rock->age = 0;
        armWeapon(600, 0, row.speed);
        tick();
        EXPECT_EQ(c.asteroids.empty(), row.smashed);
        EXPECT_EQ(c.rocksSmashed, row.smashed ? 1 : 0);
    }
}

class Kills : public RoundsFixture {
protected:
    void SetUp() override {
        RoundsFixture::SetUp();
        startIn(GameMode::Easy);
        stillWorld();
    }
};

TEST_F(Kills, PointsGrowWithTheMultikillAndTheTenthKillIsWorth100) {
    const struct {
        int count, points;
        float x10;
    } rows[] = {{0, 10, 0}, {4, 50, 0}, {8, 90, 0}, {9, 100, 1}};
    GameCore& c = core();
    for (const auto& row : rows) {
        const float before = c.players[0].score;
        const float x10Before = stat("x10_kills");
        c.multikillCount = row.count;
        c.popups.clear();
        addFoe(40, 50);
        c.destroyFoe(0, true, false);
        EXPECT_FLOAT_EQ(c.players[0].score - before, row.points) << row.count;
        EXPECT_FLOAT_EQ(stat("x10_kills") - x10Before, row.x10) << row.count;
        ASSERT_EQ(c.popups.size(), 1u);
        EXPECT_EQ(c.popups[0].text, "+" + std::to_string(row.points));
        EXPECT_FLOAT_EQ(c.popups[0].lifetime, c.multikillWindow);
    }
    EXPECT_EQ(c.roundKills, 4);
    EXPECT_FLOAT_EQ(stat("foe_Kills_type_0"), 4);
    EXPECT_EQ(c.sparks.size(), 4u * 50u);
    // Cleared, not scored: nothing to show for it.
    addFoe(0, 0);
    c.destroyFoe(0, false, false);
    EXPECT_EQ(c.roundKills, 4);
    EXPECT_EQ(c.sparks.size(), 200u);
    // A bad index only warns.
    c.destroyFoe(3, true, false);
    c.destroyAsteroid(-1, false, 0, 0);
    c.playerDied(false, 4);
    c.clearRocksAround(-1, 0);
    EXPECT_EQ(c.roundKills, 4);
    EXPECT_EQ(c.gameState, GameState::Playing);
}

TEST_F(Kills, AWeaponHitStartsTheSequenceAndARefusedHitChangesNothing) {
    GameCore& c = core();
    c.playTime = 1;
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

TEST_F(Kills, TheSequenceStepsItsZoomTargetsInOrderAndFindsItsFoeByIdentity) {
    GameCore& c = core();
    c.killTail = 0.05f;
    addFoe(100, 0);
    Foe* victim = addFoe(200, 0);
    ASSERT_TRUE(c.startKillSequence(1, 0, 0, false));
    c.destroyFoe(0, false, false);  // the foe below the victim goes first
    ASSERT_EQ(c.foes[0], victim);

    std::vector<float> targets = {c.zoomTarget};
    bool goneBy018 = false;
    for (int i = 0; i < 12 && c.killSequence; ++i) {
        c.frameTime = 0.03f;
        c.updateKillSequence();
        if (c.zoomTarget != targets.back()) targets.push_back(c.zoomTarget);
        if (c.killElapsed <= 0.18f) {
            EXPECT_EQ(c.foes.size(), 1u) << c.killElapsed;
        }
        if (c.killElapsed > 0.18f + 1e-4f && c.foes.empty()) goneBy018 = true;
    }
    EXPECT_TRUE(goneBy018);
    const std::vector<float> expected = {1.18f, 0.3f * 1.18f + 0.7f, -0.05f * 1.18f + 1.05f, 1.0f};
    ASSERT_EQ(targets.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_FLOAT_EQ(targets[i], expected[i]) << i;
    EXPECT_FLOAT_EQ(c.players[0].score, 10);
}

TEST_F(Kills, SmashedRocksSplitAwayFromTheWeapon) {
    GameCore& c = core();
    const float pi = 3.1415927f;
    for (int trial = 0; trial < 5; ++trial) {
        stillWorld();
        Asteroid* rock = addRock(0, 0, 3);
        rock->vx = 2;
        c.weaponPoints[0][4]->position.set(100, 0);
        c.destroyAsteroid(0, false, 0, 4);
        ASSERT_EQ(c.asteroids.size(), 2u);
        // Away from the weapon is pi; the fragments leave at pi -+ pi/3, each
        // within the split's own spread of 1.2.
        const float a0 = std::atan2(c.asteroids[0]->vy, c.asteroids[0]->vx);
        const float a1 = std::atan2(c.asteroids[1]->vy, c.asteroids[1]->vx);
        EXPECT_LE(std::fabs(std::remainder(a0 - (pi - pi / 3), 2 * pi)), 1.2f + 1e-4f);
        EXPECT_LE(std::fabs(std::remainder(a1 - (pi + pi / 3), 2 * pi)), 1.2f + 1e-4f);
        EXPECT_EQ(c.asteroids[0]->level, 2);
    }
    // Points by level and multikill; a rock too small to split is cleared.
    c.players[0].score = 0;
    c.multikillCount = 2;
    stillWorld();
    addRock(0, 0, 1);
    c.destroyAsteroid(0, false, 0, -1);
    EXPECT_FLOAT_EQ(c.players[0].score, 6);
    EXPECT_EQ(c.rocksCleared, 1);
    EXPECT_FLOAT_EQ(c.rockFlashTime, 0.3f);
    // A ship's body (no player) scores nothing.
    addRock(0, 0, 3);
    c.destroyAsteroid(0, false, -1, -1);
    EXPECT_FLOAT_EQ(c.players[0].score, 6);
    EXPECT_EQ(c.asteroids.size(), 2u);
}
