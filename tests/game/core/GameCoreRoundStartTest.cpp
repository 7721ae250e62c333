#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "CoreFixture.h"
#include "SnitchFoe.h"

namespace {

// Asks for the spring effect with the given value.
struct SpringComponent : MissionComponent {
    explicit SpringComponent(float value) { values[0] = value; }
    bool usesSpringEffect() override { return true; }
};

// Asks for the big foe with its speed, turn factor and top speed.
struct KnightComponent : MissionComponent {
    KnightComponent() {
        values[0] = 3;
        values[1] = 0.5f;
        values[2] = 9;
    }
    bool usesDeathKnight() override { return true; }
};

// Counts the snitches it was told of.
struct WatchingComponent : MissionComponent {
    void snitchSpawned(Foe* snitch, PlayerShip*, GameCore*) override {
        ++snitches;
        lastSnitch = snitch;
    }
    void foeKilled(Foe* foe) override { killed = foe; }
    int snitches = 0;
    Foe* lastSnitch = nullptr;
    Foe* killed = nullptr;
};

}  // namespace

class RoundStart : public CoreFixture {};

// Clear of ship 0 means d² >= r² + 400² (squares added), and the field
// gathers round the new round's view wherever the last one ended.
TEST_F(RoundStart, ThePreRunFieldKeepsClearOfShipZeroAroundTheNewView) {
    GameCore& c = core();
    c.gameMode = GameMode::AsteroidField;
    c.screenCentre.set(20000, 0);
    c.camera.set(20000, 0);
    c.startRound(false);
    ASSERT_GT(c.asteroids.size(), 20u);
    for (const Asteroid* rock : c.asteroids) EXPECT_LT(std::fabs(rock->x), 10000);

    stillWorld();
    const ofVec2f& s = c.players[0].point.position;
    Asteroid* near = c.asteroids.emplace_back(new Asteroid);
    Asteroid* far = c.asteroids.emplace_back(new Asteroid);
    for (Asteroid* rock : c.asteroids) rock->setup(ofColor(), 0, 0, 4, 4, 1, 1, false, false);
    near->x = s.x + 300;
    far->x = s.x + std::sqrt(far->size * far->size + 400.0f * 400.0f) + 1;
    near->y = far->y = s.y;
    c.clearRocksAround(0, 0);
    ASSERT_EQ(c.asteroids.size(), 1u);
    EXPECT_EQ(c.asteroids[0], far);
}

// Two snitch missions make one snitch; chain caps are held to 1..12, the later
// mission last. Clearing the round still tells the missions that the snitch
// died, unscored.
TEST_F(RoundStart, MissionsMakeOneSnitchAndSetWallsAndCaps) {
    GameCore& c = core();
    auto first = std::make_shared<WatchingComponent>(), second = std::make_shared<WatchingComponent>();
    c.missionList.current.resize(4);
    c.missionList.current[0].goalKinds = c.missionList.current[1].goalKinds = {10};
    c.missionList.current[0].components.push_back(first);
    c.missionList.current[1].components.push_back(second);
    c.missionList.current[2].wallShape = 3;
    c.missionList.current[2].chainCap = 40;
    c.missionList.current[3].chainCap = 0;
    c.gameMode = GameMode::Mission;
    c.startRound(false);
    int snitches = 0;
    for (Foe* foe : c.foes) snitches += foe->type == 5;
    EXPECT_TRUE(snitches == 1 && first->snitches == 1 && second->snitches == 0);
    EXPECT_EQ(c.arenaWalls.shape, 3);
    EXPECT_EQ(c.chainCap, 1);

    Foe* snitch = first->lastSnitch;
    c.startRound(false);
    EXPECT_EQ(first->killed, snitch);
    EXPECT_EQ(c.roundKills, 0);
    EXPECT_FLOAT_EQ(c.players[0].score, 0);
}

// The longest mission time wins; a wall radius holds for the usual walls; the
// spring effect lengthens ship 0's tethers only and widens the rock clearance
// by value x 30, the squares added.
TEST_F(RoundStart, MissionsSetTheTimeTheWallRadiusAndTheSpringMargin) {
    GameCore& c = core();
    c.missionList.current.resize(3);
    c.missionList.current[0].timeValue = 30;
    c.missionList.current[0].wallRadius = 900.7f;
    c.missionList.current[1].timeValue = 45;
    c.missionList.current[1].components.push_back(std::make_shared<SpringComponent>(2));
    c.gameMode = GameMode::Mission;
    c.startRound(false);

    EXPECT_FLOAT_EQ(c.missionTimeLimit, 45);
    EXPECT_FLOAT_EQ(c.arenaWalls.radiusOverride, 900.7f);
    EXPECT_EQ(c.arenaWalls.radius, 900);
    EXPECT_EQ(c.clearMargin, 60);
    for (int k = 0; k < 12; ++k) {
        EXPECT_FLOAT_EQ(c.weaponSprings[0][k].restLength, 260) << k;
        EXPECT_FLOAT_EQ(c.weaponSprings[1][k].restLength, 130) << k;
    }
    // Weapons of a mission round start near the ship, at 150.
    const ofVec2f& s = c.players[0].point.position;
    const ofVec2f& w = c.weaponPoints[0][5]->position;
    EXPECT_NEAR(ofDist(w.x, w.y, s.x, s.y), 150, 1e-2);
    ASSERT_GT(c.asteroids.size(), 5u);
    for (const Asteroid* rock : c.asteroids)
        EXPECT_GE(ofDistSquared(rock->x, rock->y, s.x, s.y), rock->size * rock->size + 460.0f * 460.0f);

    // Without missions asking, none of it stays.
    c.missionList.current.assign(1, Mission());
    c.startRound(false);
    EXPECT_FLOAT_EQ(c.missionTimeLimit, -1);
    EXPECT_EQ(c.arenaWalls.radius, 1200);
    EXPECT_EQ(c.clearMargin, 0);
    EXPECT_FLOAT_EQ(c.weaponSprings[0][0].restLength, 130);
}

// A black hole sets ship 0 below it, or above it when a goal is to be pulled in
// (kind 7); a radius of -1 asks for the growing hole. The death knight is a big
// plain foe with the component's speed, turn factor and top speed.
TEST_F(RoundStart, MissionsBringTheBlackHoleAndTheDeathKnight) {
    GameCore& c = core();
    const struct {
        std::vector<int> goals;
        float radius;
        float shipY;
        bool growing;
        float holeRadius;
    } rows[] = {{{}, 300, 50, false, 300}, {{3, 7}, 300, -150, false, 300}, {{7}, -1, -150, true, 30}};
    for (const auto& row : rows) {
        c.missionList.current.assign(1, Mission());
        c.missionList.current[0].blackHole = true;
        c.missionList.current[0].blackHoleRadius = row.radius;
        c.missionList.current[0].goalKinds = row.goals;
        c.gameMode = GameMode::Mission;
        c.startRound(false);
        EXPECT_TRUE(c.blackHoleActive);
        EXPECT_FLOAT_EQ(c.players[0].point.position.y, c.blackHole.centreY + row.shipY) << row.radius;
        EXPECT_EQ(c.blackHole.growing, row.growing);
        EXPECT_FLOAT_EQ(c.blackHole.radius, row.holeRadius);
        EXPECT_TRUE(c.foes.empty());
    }

    c.missionList.current.assign(1, Mission());
    c.missionList.current[0].components.push_back(std::make_shared<KnightComponent>());
    c.startRound(false);
    EXPECT_FALSE(c.blackHoleActive);
    ASSERT_EQ(c.foes.size(), 1u);
    const Foe& knight = *c.foes[0];
    EXPECT_EQ(knight.type, 0);
    EXPECT_TRUE(knight.isBig);
    EXPECT_FLOAT_EQ(knight.speed, 3);
    EXPECT_FLOAT_EQ(knight.maxSpeed, 9);
    EXPECT_FLOAT_EQ(knight.turnRate, 0.0418879f * 0.5f);
    EXPECT_FLOAT_EQ(knight.size, 18 * 1.6f);
    EXPECT_EQ(knight.color, ofColor(0xE8, 0x46, 0x77, 255));
}
