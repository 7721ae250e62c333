#include "PlayerShip.h"
#include "ShipType.h"
#include "WorldTest.h"

namespace {

class Ship : public testing::Test {
protected:
    void SetUp() override {
        ofSeedRandom(7);
        ship.setup(ofColor(255, 0, 0), false, true, &sounds, nullptr);
        ship.setShipType(SHIP_NORMAL);
        ship.reset(true);
        ship.joined = true;
        ship.unlockedShips = unlocked;
    }
    bool unlocked[9] = {true, true, true, true, true, true, true, true, false};
    FakeShipSounds sounds;
    PlayerShip ship;
};

}  // namespace

TEST_F(Ship, RobotSnapsToSixDirectionsByWrappedDifference) {
    ship.setShipType(SHIP_ROBOT);
    // requested angle, speed, heading, speed flown; straight down and up (as
    // atan2 gives them) lie exactly between two directions: the first wins
    const float cases[][4] = {{0.5f, 10, 0, 10},
                              {3.0f, 10, -PI_F, 10},
                              {-2.2f, 10, -2 * PI_F / 3, 10},
                              {std::atan2(1.0f, 0.0f), 10, PI_F / 3, 10},
                              {std::atan2(-1.0f, 0.0f), 10, -2 * PI_F / 3, 10},
                              {0.6f, 1.6f, PI_F / 3, 0}};
    for (const auto& c : cases) {
        ship.setVelocity(c[0], c[1]);
        EXPECT_NEAR(ship.heading, c[2], 1e-5f) << c[0];
        EXPECT_XY(ship.point.velocity, std::cos(c[2]) * c[3], std::sin(c[2]) * c[3], 1e-4f);
    }
    EXPECT_EQ(ship.requestedAngle, 0.6f);
}

TEST_F(Ship, SteeringFliesAtTheSetVelocityAndRecordsTheTrail) {
    ship.setVelocity(0, 10);
    ship.steering = true;
    ship.update(0.1f);
    ship.update(0.1f);
    EXPECT_TRUE(ship.point.position.x == 18 && ship.trail[1] == ofVec2f(9, 0));
}

TEST_F(Ship, KillSpinsThenFliesOffWithOneSound) {
    ship.heading = 1.0f;
    ship.steering = true;
    ship.kill();
    ship.kill();  // once only
    EXPECT_EQ(sounds.take(), (Calls{"multiplayerComplete"}));
    ship.update(0.75f);
    EXPECT_TRUE(!ship.steering && ship.heading != 1.0f && !ship.dyingSecondPhase);
    ship.update(0.75f);
    const float angle = ship.deathAngle;
    ofVec2f before = ship.point.position;
    ship.update(0.5f);  // 17 × 7 = 119, damped by a tenth in the same step
    EXPECT_XY(ship.point.position, before.x + std::cos(angle) * 107.1f, before.y + std::sin(angle) * 107.1f, 1e-3f);
    ship.frozen = true;
    before = ship.point.position;
    ship.update(0.5f);
    EXPECT_EQ(ship.point.position, before);
}

TEST_F(Ship, GlideHoldsTheTimersUntilItsTimerRunsOut) {
    ship.startLineEffect(100, 0);
    // After n steps of 0.125 s: x, drawn x, time off the timers (2 and 7), gliding, arrived
    const float steps[][6] = {{1, 12.5f, 0, 0, 1, 0},      {2, 25, 12.5f, 0, 1, 0},      {8, 100, 87.5f, 0, 1, 0},
                              {9, 100, 100, 0.125f, 1, 0}, {11, 100, 100, 0.375f, 1, 1}, {12, 100, 100, 0.5f, 0, 1}};
    int done = 0;
    for (const auto& s : steps) {
        for (; done < s[0]; ++done) ship.update(0.125f);
        EXPECT_EQ((std::vector<float>{ship.point.position.x, ship.drawnPosition.x, 2 - ship.invulnerabilityTimer,
                                      7 - ship.livesDisplayTimer, float(ship.gliding), float(ship.glideArrived),
                                      float(!ship.glideFinished)}),
                  (std::vector<float>{s[1], s[2], s[3], s[3], s[4], s[5], s[4]}))
            << done;
    }
}

TEST_F(Ship, AutopilotTurnsTheShorterWayTowardTheNextShip) {
    PlayerShip s[4];
    const float turn = PI_F / 40;
    // own index, heading, next ship x, y, heading after; within 200: no turn
    const float cases[][5] = {{0, 0, 500, 25, std::atan2(25.0f, 500.0f)},
                              {0, 3.1f, -500, -20.8f, 3.1f + turn - 2 * PI_F},
                              {3, 1, 0, -500, 1 - turn},
                              {1, 0.3f, 200, 0, 0.3f}};
    for (const auto& c : cases) {
        const int own = static_cast<int>(c[0]);
        for (PlayerShip& o : s) o.point.position.set(0, 0);
        s[own].heading = c[1];
        s[own].steering = false;
        s[(own + 1) % 4].point.position.set(c[2], c[3]);
        s[own].steerTowardNextShip(&s[0], &s[1], &s[2], &s[3], own);
        EXPECT_TRUE(std::fabs(s[own].heading - c[4]) < 1e-5f && s[own].steering) << own << " " << c[1];
    }
    s[1].point.position.set(0, 0);
    s[1].steerTowardNextShip(&s[0], &s[1], nullptr, &s[3], 1);  // missing target: near
    s[1].steerTowardNextShip(&s[0], &s[1], &s[2], &s[3], 9);
    EXPECT_EQ(s[1].heading, 0.3f);
}

TEST_F(Ship, LobbyShipCycleRowsReadyRequestsAndBack) {
    struct Step {
        int dx, dy, confirm, back, start, deathMatch, choice, row, ready, request;  // choice 9: Random
        Calls sounds;
    } steps[] = {{-1, 0, 0, 0, 0, 0, 9, 0, 0, 0, {"rockSmash"}},
                 {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, {"rockSmash"}},
                 {-1, 0, 0, 0, 0, 0, 9, 0, 0, 0, {"rockSmash"}},
                 {-1, 0, 0, 0, 0, 0, 7, 0, 0, 0, {"rockSmash"}},             // locked Show-Off skipped
                 {1, -1, 1, 0, 0, 0, 7, 1, 1, 0, {"foeKill1", "menuBeep"}},  // readies: no request, no ship step
                 {0, 1, 0, 0, 0, 0, 7, 1, 1, 0, {}},                         // co-op holds a ready player on row 1
                 {0, 1, 0, 0, 0, 1, 7, 0, 1, 0, {"menuBeep"}},
                 {0, 0, 0, 1, 0, 1, 7, 0, 0, 0, {"menuReturn"}},
                 {0, 0, 0, 0, 1, 0, 7, 1, 1, 0, {"foeKill1"}},
                 {0, 0, 1, 0, 0, 0, 7, 1, 1, 1, {}},             // start
                 {0, 1, 0, 0, 1, 1, 7, 0, 1, 2, {"menuBeep"}}};  // settings
    for (const Step& s : steps) {
        ship.startRequest = ship.settingsRequest = false;
        ship.handleLobbyInput(s.dx, s.dy, s.confirm, s.back, s.start, s.deathMatch);
        const int n = static_cast<int>(&s - steps);
        EXPECT_EQ((std::vector<int>{ship.randomShip ? 9 : ship.shipType, ship.lobbyRow, ship.lobbyReady,
                                    ship.startRequest ? 1 : ship.settingsRequest ? 2 : 0}),
                  (std::vector<int>{s.choice, s.row, s.ready, s.request}))
            << n;
        EXPECT_EQ(sounds.take(), s.sounds) << n;
    }
    ship.handleLobbyInput(0, 0, false, true, false, false);
    ship.handleLobbyInput(0, 0, false, true, false, false);
    EXPECT_FALSE(ship.joined);
    unlocked[8] = true;
    ship.setShipType(SHIP_CASCADE);
    ship.handleLobbyInput(1, 0, false, false, false, false);
    EXPECT_EQ(ship.shipType, SHIP_SHOW_OFF);
    ship.unlockedShips = nullptr;  // no flags: locked
    ship.setShipType(SHIP_CASCADE);
    ship.handleLobbyInput(1, 0, false, false, false, false);
    EXPECT_TRUE(ship.randomShip);
}
