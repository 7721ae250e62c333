#include <gtest/gtest.h>

#include <cmath>

#include "FakeShipSounds.h"
#include "PlayerShip.h"
#include "ShipType.h"
#include "ofMath.h"

namespace {

const float PI = 3.14159265358979f;

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

TEST_F(Ship, HandlingByTypeAndSetupKeepsTypeLivesAndJoined) {
    struct Case {
        int type;
        float top, minimum, push, handling, robot;
    };
    const Case cases[] = {{SHIP_HEAVY, 14.45f, 0, 1, 40, 0},     {SHIP_HARDY, 10.2f, 0, 1, 40, 0},
                          {SHIP_HYPER, 23.8f, 23.8f, 1, 40, 0},  {SHIP_ROBOT, 18.7f, 0, 1, 40, 1.5f},
                          {SHIP_JELLY, 18.7f, 0, 2, 48, 0},      {SHIP_CASCADE, 14.62f, 0, 1, 40, 0},
                          {-3, 17, 0, 1, 40, 0}};
    for (const Case& c : cases) {
        ship.setShipType(SHIP_JELLY);
        ship.setShipType(SHIP_ROBOT);
        ship.hardyHitTaken = true;
        ship.setShipType(c.type);
        const float got[] = {ship.topSpeed, ship.minimumSpeed, ship.weaponPushStrength, ship.handlingValue,
                             ship.robotFactor};
        const float want[] = {c.top, c.minimum, c.push, c.handling, c.robot};
        for (int i = 0; i < 5; ++i) EXPECT_FLOAT_EQ(got[i], want[i]) << "type " << c.type << " field " << i;
        EXPECT_EQ(ship.hardyHitTaken, c.type != SHIP_HARDY);
    }
    ship.lives = 3;
    ship.point.position.set(50, 60);
    ship.matchStats.addKill(1, 2);
    ship.livesDisplayTimer = 4;
    ship.setup(ofColor(0, 255, 0), true, false, nullptr, nullptr);
    EXPECT_EQ(ship.trail[24], ofVec2f(0, 0));
    EXPECT_EQ(ship.point.radius, 4.0f);
    EXPECT_EQ(ship.lives, 3);
    EXPECT_TRUE(ship.joined);
    EXPECT_EQ(ship.shipType, -3);
    EXPECT_EQ(ship.livesDisplayTimer, 4.0f);  // only a match set-up clears these
    EXPECT_EQ(ship.matchStats.kills.size(), 1u);
    ship.setup(ofColor(0, 255, 0), true, true, nullptr, nullptr);
    EXPECT_EQ(ship.livesDisplayTimer, 0.0f);
    EXPECT_TRUE(ship.matchStats.kills.empty());
}

TEST_F(Ship, RobotSnapsToSixDirectionsByWrappedDifference) {
    ship.setShipType(SHIP_ROBOT);
    struct Case {
        float angle, speed, heading, flown;
    };
    const Case cases[] = {{0.6f, 10, PI / 3, 10},   {0.5f, 10, 0, 10},          {3.0f, 10, -PI, 10},
                          {PI, 10, -PI, 10},        {-2.2f, 10, -2 * PI / 3, 10}, {0.6f, 1.6f, PI / 3, 0}};
    for (const Case& c : cases) {
        ship.setVelocity(c.angle, c.speed);
        EXPECT_NEAR(ship.heading, c.heading, 1e-5f) << c.angle;
        EXPECT_NEAR(ship.point.velocity.x, std::cos(c.heading) * c.flown, 1e-4f) << c.angle;
        EXPECT_NEAR(ship.point.velocity.y, std::sin(c.heading) * c.flown, 1e-4f) << c.angle;
    }
    EXPECT_EQ(ship.requestedAngle, 0.6f);
}

TEST_F(Ship, HyperKeepsFullSpeedAndSteeringRestoresVelocity) {
    ship.setShipType(SHIP_HYPER);
    ship.update(0.1f);
    EXPECT_EQ(ship.point.position, ofVec2f(0, 0));  // standing stays standing
    ship.setVelocity(PI / 2, 23.8f);
    for (int i = 1; i <= 3; ++i) {
        ship.update(0.1f);  // released: damped to 21.42, moved, raised again
        EXPECT_NEAR(ship.point.position.y, 21.42f * i, 1e-3f);
    }
    ship.setShipType(SHIP_NORMAL);
    ship.setVelocity(0, 10);
    ship.steering = true;
    ship.point.position.set(0, 0);
    ship.update(0.1f);
    ship.update(0.1f);
    EXPECT_FLOAT_EQ(ship.point.position.x, 18.0f);
    EXPECT_EQ(ship.trail[1], ofVec2f(9, 0));
}

TEST_F(Ship, KillSpinsThenFliesOffWithOneSound) {
    ship.heading = 1.0f;
    ship.steering = true;
    ship.kill();
    ship.kill();
    EXPECT_EQ(sounds.take(), (Played{"multiplayerComplete"}));
    ship.update(0.75f);
    EXPECT_FALSE(ship.steering);
    EXPECT_NE(ship.heading, 1.0f);
    ship.update(0.75f);
    EXPECT_TRUE(ship.dyingSecondPhase);
    const float angle = ship.deathAngle;
    ofVec2f before = ship.point.position;
    ship.update(0.5f);
    // 17 × 7 = 119, damped by a tenth in the same step.
    EXPECT_NEAR(ship.point.position.x - before.x, std::cos(angle) * 107.1f, 1e-3f);
    EXPECT_NEAR(ship.point.position.y - before.y, std::sin(angle) * 107.1f, 1e-3f);
    ship.frozen = true;
    before = ship.point.position;
    ship.update(0.5f);
    EXPECT_EQ(ship.point.position, before);
}

TEST_F(Ship, GlideHoldsTheTimersUntilItsTimerRunsOut) {
    ship.startLineEffect(100, 0);
    struct Step {
        float x, drawnX, timers;
        bool gliding, arrived;
    };
    // Steps of 0.125 s from invulnerability 2 and lives text 7.
    const Step steps[] = {{12.5f, 0, 0, true, false},      {25, 12.5f, 0, true, false},
                          {100, 87.5f, 0, true, false},    {100, 100, 0.125f, true, false},
                          {100, 100, 0.375f, true, true},  {100, 100, 0.5f, false, true}};
    const int after[] = {1, 2, 8, 9, 11, 12};
    int done = 0;
    for (int i = 0; i < 6; ++i) {
        while (done < after[i]) {
            ship.update(0.125f);
            ++done;
        }
        EXPECT_FLOAT_EQ(ship.point.position.x, steps[i].x) << done;
        EXPECT_FLOAT_EQ(ship.drawnPosition.x, steps[i].drawnX) << done;
        EXPECT_FLOAT_EQ(ship.invulnerabilityTimer, 2 - steps[i].timers) << done;
        EXPECT_FLOAT_EQ(ship.livesDisplayTimer, 7 - steps[i].timers) << done;
        EXPECT_EQ(ship.gliding, steps[i].gliding) << done;
        EXPECT_EQ(ship.glideArrived, steps[i].arrived) << done;
        EXPECT_EQ(ship.glideFinished, !steps[i].gliding) << done;
    }
}

TEST_F(Ship, AutopilotTurnsTheShorterWayTowardTheNextShip) {
    PlayerShip s[4];
    struct Case {
        int own;
        float heading, tx, ty, expect;
    };
    const float turn = PI / 40;
    const Case cases[] = {{0, 0, 0, 500, turn},       {0, 0, -500, 0, -turn},  // behind: clockwise
                          {0, 0, 500, 25, std::atan2(25.0f, 500.0f)},
                          {0, 3.1f, -500, -20.8f, 3.1f + turn - 2 * PI},      {3, 1, 0, -500, 1 - turn},
                          {1, 0.3f, 200, 0, 0.3f}};  // within 200: no turn
    for (const Case& c : cases) {
        for (PlayerShip& o : s) o.point.position.set(0, 0);
        s[c.own].heading = c.heading;
        s[c.own].steering = false;
        s[(c.own + 1) % 4].point.position.set(c.tx, c.ty);
        s[c.own].steerTowardNextShip(&s[0], &s[1], &s[2], &s[3], c.own);
        EXPECT_NEAR(s[c.own].heading, c.expect, 1e-5f) << c.own << " " << c.heading;
        EXPECT_TRUE(s[c.own].steering);
    }
    s[1].point.position.set(0, 0);
    s[1].steerTowardNextShip(&s[0], &s[1], nullptr, &s[3], 1);  // missing target: near
    s[1].steerTowardNextShip(&s[0], &s[1], &s[2], &s[3], 9);
    EXPECT_EQ(s[1].heading, 0.3f);
}

TEST_F(Ship, LobbyShipCycleRowsReadyAndBack) {
    struct Step {
        int dx, dy;
        bool confirm, back, start, deathMatch;
        int choice, row;  // choice 9: Random
        bool ready;
        Played sounds;
    };
    const Step steps[] = {
        {-1, 0, false, false, false, false, 9, 0, false, {"rockSmash"}},  // 0 → Random
        {1, 0, false, false, false, false, 0, 0, false, {"rockSmash"}},   // Random → 0
        {-1, 0, false, false, false, false, 9, 0, false, {"rockSmash"}},
        {-1, 0, false, false, false, false, 7, 0, false, {"rockSmash"}},  // locked Show-Off skipped
        {1, -1, true, false, false, false, 7, 1, true, {"foeKill1", "menuBeep"}},  // row wraps, no ship step
        {0, 1, false, false, false, false, 7, 1, true, {}},               // co-op holds a ready player on row 1
        {0, 1, false, false, false, true, 7, 0, true, {"menuBeep"}},
        {0, 0, false, true, false, true, 7, 0, false, {"menuReturn"}},
        {0, 0, false, false, true, false, 7, 1, true, {"foeKill1"}},
    };
    int n = 0;
    for (const Step& s : steps) {
        ship.handleLobbyInput(s.dx, s.dy, s.confirm, s.back, s.start, s.deathMatch);
        ++n;
        EXPECT_EQ(ship.randomShip ? 9 : ship.shipType, s.choice) << n;
        EXPECT_EQ(ship.lobbyRow, s.row) << n;
        EXPECT_EQ(ship.lobbyReady, s.ready) << n;
        EXPECT_EQ(sounds.take(), s.sounds) << n;
        // The press that readies raises no request.
        EXPECT_FALSE(ship.startRequest || ship.settingsRequest) << n;
    }
    ship.handleLobbyInput(0, 0, true, false, false, false);
    EXPECT_TRUE(ship.startRequest);
    ship.lobbyRow = 0;
    ship.handleLobbyInput(0, 0, false, false, true, true);
    EXPECT_TRUE(ship.settingsRequest);
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

TEST(Countdown, DoneAtZeroAndRestartCopiesTheStart) {
    Countdown c(0.5f, 0.5f, false);
    c.update(0.5f);
    EXPECT_TRUE(c.done);
    c.restart();
    EXPECT_FALSE(c.done);
    EXPECT_EQ(c.remaining, 0.5f);
}
