#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "RoundsFixture.h"
#include "SnitchFoe.h"

namespace {

// Counts the snitches it was told of; may ask for the spring effect.
class WatchingComponent : public MissionComponent {
public:
    void snitchSpawned(Foe* snitch, PlayerShip*, GameCore*) override {
        ++snitches;
        lastSnitch = snitch;
    }
    void foeKilled(Foe* foe) override { killed = foe; }
    bool usesSpringEffect() override { return spring; }
    int snitches = 0;
    Foe* lastSnitch = nullptr;
    Foe* killed = nullptr;
    bool spring = false;
};

Mission snitchMission(std::shared_ptr<WatchingComponent> component) {
    Mission m;
    m.goalKinds = {10};
    m.components.push_back(component);
    return m;
}

}  // namespace

class RoundStart : public RoundsFixture {};

TEST_F(RoundStart, CoopShipsSitOnTheDiagonalsWithWeaponsAt350AndSingleIsAlwaysOnePlayer) {
    setUpApp();
    GameCore& c = core();
    c.gameMode = GameMode::Easy;
    c.coop = true;
    c.playerCount = 4;
    for (PlayerShip& ship : c.players) ship.joined = true;
    c.startRound(false);
    const float r = 200 / std::sqrt(2.0f);
    const float expected[4][2] = {{r, r}, {-r, r}, {-r, -r}, {r, -r}};
    for (int i = 0; i < 4; ++i) {
        const ofVec2f& s = c.players[i].point.position;
        EXPECT_NEAR(s.x, expected[i][0], 1e-3) << i;
        EXPECT_NEAR(s.y, expected[i][1], 1e-3) << i;
        const ofVec2f& w = c.weaponPoints[i][11]->position;
        EXPECT_NEAR(ofDist(w.x, w.y, s.x, s.y), 350, 1e-2) << i;
        EXPECT_EQ(c.weaponSprings[i][11].shipEnd, &c.players[i].point);
    }

    c.coop = false;
    c.startRound(false);
    EXPECT_EQ(c.playerCount, 1);
    EXPECT_EQ(c.gameState, GameState::Playing);
}

TEST_F(RoundStart, ThePreRunFieldKeepsClearOfShipZeroBySquaresAdded) {
    startIn(GameMode::AsteroidField);
    GameCore& c = core();
    ASSERT_GT(c.asteroids.size(), 20u);
    const ofVec2f& s = c.players[0].point.position;
    for (const Asteroid* rock : c.asteroids) {
        const float d2 = ofDistSquared(rock->x, rock->y, s.x, s.y);
        EXPECT_GE(d2, rock->size * rock->size + 400.0f * 400.0f);
    }

    // The field gathers round the new round's view, wherever the last one ended.
    c.screenCentre.set(20000, 0);
    c.camera.set(20000, 0);
    c.startRound(false);
    for (const Asteroid* rock : c.asteroids) EXPECT_LT(std::fabs(rock->x), 10000);

    // Squares added: a rock just outside r² + 400² stays, though it lies well inside (r + 400)².
    stillWorld();
    Asteroid* near = c.asteroids.emplace_back(new Asteroid);
    near->setup(ofColor(), 0, 0, 4, 4, 1, 1, false, false);
    near->x = s.x + 300;
    near->y = s.y;
    Asteroid* far = c.asteroids.emplace_back(new Asteroid);
    far->setup(ofColor(), 0, 0, 4, 4, 1, 1, false, false);
    far->x = s.x + std::sqrt(far->size * far->size + 400.0f * 400.0f) + 1;
    far->y = s.y;
    c.clearRocksAround(0, 0);
    ASSERT_EQ(c.asteroids.size(), 1u);
    EXPECT_EQ(c.asteroids[0], far);
}

TEST_F(RoundStart, MissionsMakeOneSnitchSetWallsCapsAndTheSpringMargin) {
    setUpApp();
    GameCore& c = core();
    auto first = std::make_shared<WatchingComponent>();
    auto second = std::make_shared<WatchingComponent>();
    auto spring = std::make_shared<WatchingComponent>();
    spring->spring = true;
    spring->values[0] = 2;
    c.missionList.current = {snitchMission(first), snitchMission(second)};
    Mission walls;
    walls.wallShape = 3;
    walls.wallRadius = 900;
    walls.chainCap = 40;
    walls.timeValue = 30;
    walls.components.push_back(spring);
    c.missionList.current.push_back(walls);
    Mission timed;
    timed.timeValue = 45;
    timed.chainCap = 0;
    c.missionList.current.push_back(timed);

    c.gameMode = GameMode::Mission;
    c.startRound(false);

    int snitches = 0;
    for (Foe* foe : c.foes) snitches += foe->type == 5;
    EXPECT_EQ(snitches, 1);
    EXPECT_EQ(first->snitches, 1);
    EXPECT_EQ(second->snitches, 0);
    EXPECT_EQ(c.arenaWalls.shape, 3);
    EXPECT_FLOAT_EQ(c.arenaWalls.radiusOverride, 900);
    EXPECT_FLOAT_EQ(c.missionTimeLimit, 45);
    // Caps held to 1..12, the later mission last.
    EXPECT_EQ(c.chainCap, 1);
    EXPECT_EQ(c.clearMargin, 60);
    // Springs of the mission's ship doubled from the normal tether.
    EXPECT_FLOAT_EQ(c.weaponSprings[0][0].restLength, 260);
    EXPECT_FLOAT_EQ(c.weaponSprings[1][0].restLength, 130);
    // Weapons of a mission round start near the ship.
    const ofVec2f& w = c.weaponPoints[0][5]->position;
    EXPECT_NEAR(ofDist(w.x, w.y, c.players[0].point.position.x, c.players[0].point.position.y), 150, 1e-2);
    // A mission round begins held until the first press.
    EXPECT_TRUE(c.startHold);

    // Clearing the round still tells the missions that the snitch died, unscored.
    Foe* snitch = first->lastSnitch;
    c.startRound(false);
    EXPECT_EQ(first->killed, snitch);
    EXPECT_EQ(c.roundKills, 0);
    EXPECT_FLOAT_EQ(c.players[0].score, 0);
}
