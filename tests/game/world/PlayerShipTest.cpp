#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "FakeShipSounds.h"
#include "PlayerShip.h"
#include "ShipType.h"
#include "ofMath.h"

namespace {

typedef std::vector<std::string> Played;

const float PI = 3.14159265358979f;

class Ship : public testing::Test {
protected:
    void SetUp() override {
        ofSeedRandom(7);
        ship.setup(ofColor(255, 0, 0), false, false, &sounds, nullptr);
        ship.setShipType(SHIP_NORMAL);
        ship.reset(true);
    }

    FakeShipSounds sounds;
    PlayerShip ship;
};

}  // namespace

TEST_F(Ship, HandlingByShipTypeStartsFromTheDefaults) {
    struct Case {
        int type;
        float top, minimum, push, handling, robot;
    };
    const Case cases[] = {
        {SHIP_NORMAL, 17.0f, 0, 1, 40, 0},      {SHIP_HEAVY, 14.45f, 0, 1, 40, 0},
        {SHIP_FAST, 23.8f, 0, 1, 40, 0},        {SHIP_HARDY, 10.2f, 0, 1, 40, 0},
        {SHIP_HYPER, 23.8f, 23.8f, 1, 40, 0},   {SHIP_ROBOT, 18.7f, 0, 1, 40, 1.5f},
        {SHIP_JELLY, 18.7f, 0, 2, 48, 0},       {SHIP_CASCADE, 14.62f, 0, 1, 40, 0},
        {SHIP_SHOW_OFF, 17.0f, 0, 1, 40, 0},    {-3, 17.0f, 0, 1, 40, 0},
    };
    for (const Case& c : cases) {
        ship.setShipType(SHIP_HYPER);
        ship.setShipType(SHIP_JELLY);
        ship.setShipType(SHIP_ROBOT);
        ship.hardyHitTaken = true;
        ship.setShipType(c.type);
        EXPECT_EQ(ship.shipType, c.type);
        EXPECT_FLOAT_EQ(ship.topSpeed, c.top) << c.type;
        EXPECT_FLOAT_EQ(ship.minimumSpeed, c.minimum) << c.type;
        EXPECT_FLOAT_EQ(ship.weaponPushStrength, c.push) << c.type;
        EXPECT_FLOAT_EQ(ship.handlingValue, c.handling) << c.type;
        EXPECT_FLOAT_EQ(ship.robotFactor, c.robot) << c.type;
        // Only a Hardy set-up gives the extra hit back.
        EXPECT_EQ(ship.hardyHitTaken, c.type != SHIP_HARDY) << c.type;
    }
}

TEST_F(Ship, SetupPlacesAtTheOriginAndResetsMatchFiguresOnlyForMatchPlayers) {
    ship.point.setInitialCondition(50, 60, 1, 1);
    ship.lives = 3;
    ship.joined = true;
    ship.setShipType(SHIP_JELLY);
    ship.heading = 2;
    ship.livesDisplayTimer = 4;
    ship.matchStats.addKill(1, 2);
    ship.lobbyChanged = true;
    ship.drawScale = 3;
    ship.setup(ofColor(0, 255, 0), true, false, nullptr, nullptr);
    EXPECT_EQ(ship.point.position, ofVec2f(0, 0));
    EXPECT_EQ(ship.point.radius, 4.0f);
    EXPECT_EQ(ship.trail[24], ofVec2f(0, 0));
    EXPECT_EQ(ship.heading, 0.0f);
    EXPECT_EQ(ship.hitRadius, 18.0f);
    EXPECT_EQ(ship.lives, 3);
    EXPECT_TRUE(ship.joined);
    EXPECT_EQ(ship.shipType, SHIP_JELLY);
    EXPECT_TRUE(ship.boldOutline);
    EXPECT_GE(ship.deathSpinRate, 2 * PI);
    EXPECT_LT(ship.deathSpinRate, 8 * PI);
    EXPECT_EQ(ship.livesDisplayTimer, 4.0f);
    EXPECT_EQ(ship.matchStats.kills.size(), 1u);
    EXPECT_TRUE(ship.lobbyChanged);

    ship.setup(ofColor(0, 255, 0), true, true, nullptr, nullptr);
    EXPECT_EQ(ship.livesDisplayTimer, 0.0f);
    EXPECT_TRUE(ship.matchStats.kills.empty());
    EXPECT_FALSE(ship.lobbyChanged);
    EXPECT_EQ(ship.drawScale, 1.0f);
}

TEST_F(Ship, ResetAndHudScale) {
    ship.steering = ship.frozen = ship.dying = ship.hardyHitTaken = true;
    ship.invulnerabilityTimer = -5;
    ship.livesDisplayTimer = -1;
    ship.reset(false);
    EXPECT_FALSE(ship.steering || ship.frozen || ship.dying || ship.hardyHitTaken);
    EXPECT_EQ(ship.invulnerabilityTimer, 2.0f);
    EXPECT_EQ(ship.livesDisplayTimer, -1.0f);
    ship.reset(true);
    EXPECT_EQ(ship.livesDisplayTimer, 7.0f);

    ship.setHudScale(0.5f);
    EXPECT_EQ(ship.lineScale, 1.5f);
    ship.setHudScale(0.2f);
    EXPECT_EQ(ship.lineScale, 1.0f);
}

TEST_F(Ship, RobotSnapsToSixDirectionsByWrappedDifference) {
    ship.setShipType(SHIP_ROBOT);
    struct Case {
        float angle, speed, heading, flown;
    };
    const Case cases[] = {
        {0.6f, 10, PI / 3, 10},          {0.5f, 10, 0, 10},        {3.0f, 10, -PI, 10},
        {PI, 10, -PI, 10},               {-3.0f, 10, -PI, 10},     {2.0f, 10, 2 * PI / 3, 10},
        {-1.2f, 10, -PI / 3, 10},        {-2.2f, 10, -2 * PI / 3, 10}, {0.6f, 1.6f, PI / 3, 0},
        {0.6f, 1.7f, PI / 3, 1.7f},
    };
    for (const Case& c : cases) {
        ship.setVelocity(c.angle, c.speed);
        EXPECT_EQ(ship.requestedAngle, c.angle);
        EXPECT_NEAR(ship.heading, c.heading, 1e-5f) << c.angle;
        EXPECT_NEAR(ship.point.velocity.x, std::cos(c.heading) * c.flown, 1e-4f) << c.angle;
        EXPECT_NEAR(ship.point.velocity.y, std::sin(c.heading) * c.flown, 1e-4f) << c.angle;
        EXPECT_EQ(ship.steeringVelocity, ship.point.velocity);
    }
    // Other types fly where they are pointed, however slowly.
    ship.setShipType(SHIP_NORMAL);
    ship.setVelocity(0.6f, 1.6f);
    EXPECT_EQ(ship.heading, 0.6f);
    EXPECT_FLOAT_EQ(ship.point.velocity.x, std::cos(0.6f) * 1.6f);
}

TEST_F(Ship, SteeringRestoresItsVelocityAndDampingActsInTheSameStep) {
    ship.setVelocity(0, 10);
    ship.steering = true;
    ship.update(0.1f);
    // Velocity 10, damping force −1: moves 9.
    EXPECT_FLOAT_EQ(ship.point.position.x, 9.0f);
    ship.update(0.1f);
    EXPECT_FLOAT_EQ(ship.point.position.x, 18.0f);
    EXPECT_EQ(ship.trail[0], ofVec2f(18, 0));
    EXPECT_EQ(ship.trail[1], ofVec2f(9, 0));
    EXPECT_EQ(ship.trail[2], ofVec2f(0, 0));
    // Released: it coasts, losing a tenth each step.
    ship.steering = false;
    ship.update(0.1f);
    EXPECT_FLOAT_EQ(ship.point.velocity.x, 8.1f);

    ship.frozen = true;
    ofVec2f before = ship.point.position;
    float invulnerable = ship.invulnerabilityTimer;
    ship.update(0.1f);
    EXPECT_EQ(ship.point.position, before);
    EXPECT_EQ(ship.invulnerabilityTimer, invulnerable);
}

TEST_F(Ship, HyperNeverSlowsBelowFullSpeedButAStandingShipStays) {
    ship.setShipType(SHIP_HYPER);
    ship.update(0.1f);
    EXPECT_EQ(ship.point.position, ofVec2f(0, 0));

    ship.setVelocity(PI / 2, 23.8f);
    ship.steering = false;
    for (int i = 1; i <= 3; ++i) {
        ship.update(0.1f);
        EXPECT_NEAR(ship.point.position.y, 21.42f * i, 1e-3f);
        EXPECT_NEAR(std::hypot(ship.point.velocity.x, ship.point.velocity.y), 23.8f, 1e-4f);
    }
}

TEST_F(Ship, KillSpinsThenFliesOffWithOneSound) {
    ship.heading = 1.0f;
    ship.kill();
    ship.kill();
    EXPECT_EQ(sounds.take(), (Played{"multiplayerComplete"}));
    EXPECT_TRUE(ship.dying);
    EXPECT_EQ(ship.deathAngle, 1.0f);

    ship.steering = true;
    ship.update(0.5f);
    EXPECT_FALSE(ship.steering);
    EXPECT_NE(ship.heading, 1.0f);
    EXPECT_EQ(ship.heading, ship.deathAngle);
    ship.update(0.5f);
    EXPECT_FALSE(ship.dyingSecondPhase);
    ship.update(0.5f);  // 1.5 s reached
    EXPECT_TRUE(ship.dyingSecondPhase);

    // A second kill while dying changes nothing.
    float angle = ship.deathAngle;
    ship.kill();
    EXPECT_TRUE(ship.dyingSecondPhase);
    EXPECT_EQ(ship.deathTimer, 1.5f);
    EXPECT_TRUE(sounds.take().empty());

    for (int i = 0; i < 2; ++i) {
        ofVec2f before = ship.point.position;
        ship.update(0.5f);
        EXPECT_EQ(ship.heading, angle);
        EXPECT_TRUE(ship.steering);
        // 17 × 7 = 119, damped by a tenth in the same step.
        EXPECT_NEAR(ship.point.position.x - before.x, std::cos(angle) * 107.1f, 1e-3f);
        EXPECT_NEAR(ship.point.position.y - before.y, std::sin(angle) * 107.1f, 1e-3f);
    }

    PlayerShip silent;
    silent.kill();  // no sound bank: silent, no crash
    EXPECT_TRUE(silent.dying);
}

TEST_F(Ship, SpinRateIsRedrawnAndSometimesReversed) {
    bool reversed = false;
    for (int seed = 1; seed < 40 && !reversed; ++seed) {
        ofSeedRandom(seed);
        ship.reset(false);
        ship.kill();
        for (int i = 0; i < 30; ++i) {
            ship.update(0.01f);
            float rate = std::fabs(ship.deathSpinRate);
            EXPECT_GE(rate, 2 * PI);
            EXPECT_LT(rate, 8 * PI);
            if (ship.deathSpinRate < 0) reversed = true;
        }
    }
    EXPECT_TRUE(reversed);
}

TEST_F(Ship, GlideTimelineHoldsTheTimersAndLatchesArrival) {
    ship.setup(ofColor(255, 0, 0), false, true, &sounds, nullptr);
    ship.reset(true);
    ship.startLineEffect(100, 0);
    struct Step {
        float x, drawnX, glideTimer, invulnerable, livesShown;
        bool gliding, arrived, finished;
    };
    // dt 0.125: timers wait while the glide timer is above 0 at the start of a step.
    const Step steps[] = {
        {12.5f, 0, 0.875f, 2, 7, true, false, false},
        {25, 12.5f, 0.75f, 2, 7, true, false, false},
        {37.5f, 25, 0.625f, 2, 7, true, false, false},
        {50, 37.5f, 0.5f, 2, 7, true, false, false},
        {62.5f, 50, 0.375f, 2, 7, true, false, false},
        {75, 62.5f, 0.25f, 2, 7, true, false, false},
        {87.5f, 75, 0.125f, 2, 7, true, false, false},
        {100, 87.5f, 0, 2, 7, true, false, false},
        {100, 100, -0.125f, 1.875f, 6.875f, true, false, false},
        {100, 100, -0.25f, 1.75f, 6.75f, true, false, false},
        {100, 100, -0.375f, 1.625f, 6.625f, true, true, false},
        {100, 100, -0.5f, 1.5f, 6.5f, false, true, true},
    };
    int n = 0;
    for (const Step& s : steps) {
        ship.update(0.125f);
        ++n;
        EXPECT_FLOAT_EQ(ship.point.position.x, s.x) << n;
        EXPECT_FLOAT_EQ(ship.drawnPosition.x, s.drawnX) << n;
        EXPECT_FLOAT_EQ(ship.glideTimer, s.glideTimer) << n;
        EXPECT_FLOAT_EQ(ship.invulnerabilityTimer, s.invulnerable) << n;
        EXPECT_FLOAT_EQ(ship.livesDisplayTimer, s.livesShown) << n;
        EXPECT_EQ(ship.gliding, s.gliding) << n;
        EXPECT_EQ(ship.glideArrived, s.arrived) << n;
        EXPECT_EQ(ship.glideFinished, s.finished) << n;
        EXPECT_EQ(ship.point.velocity, ofVec2f(0, 0));
    }
    // After the glide the ship is free; outside a match the lives text never counts down.
    ship.update(0.125f);
    EXPECT_FLOAT_EQ(ship.livesDisplayTimer, 6.375f);
    ship.setup(ofColor(255, 0, 0), false, false, &sounds, nullptr);
    ship.reset(true);
    ship.update(0.125f);
    EXPECT_FLOAT_EQ(ship.livesDisplayTimer, 7.0f);
    EXPECT_FLOAT_EQ(ship.invulnerabilityTimer, 1.875f);
}

TEST_F(Ship, AutopilotTurnsTheShorterWayTowardTheNextShip) {
    PlayerShip others[4];
    struct Case {
        int own;
        float heading, targetX, targetY, expect;
    };
    const float turn = PI / 40;
    const Case cases[] = {
        {0, 0, 0, 500, turn},              // target at +90°: counter-clockwise
        {0, 0, 0, -500, -turn},            // −90°: clockwise
        {0, 0, -500, 0, -turn},            // straight behind: equal ways, clockwise
        {0, 0, 500, 25, std::atan2(25.0f, 500.0f)},  // nearly aligned: snaps
        {0, 3.1f, -500, -20.8f, 3.1f + turn - 2 * PI},  // across ±π, wrapped
        {3, 1.0f, 0, -500, 1.0f - turn},   // slot 3 chases slot 0
    };
    for (const Case& c : cases) {
        for (PlayerShip& o : others) o.point.position.set(0, 0);
        PlayerShip& me = others[c.own];
        me.setShipType(SHIP_NORMAL);
        me.heading = c.heading;
        me.steering = false;
        others[(c.own + 1) % 4].point.position.set(c.targetX, c.targetY);
        me.steerTowardNextShip(&others[0], &others[1], &others[2], &others[3], c.own);
        EXPECT_NEAR(me.heading, c.expect, 1e-5f) << c.own << " " << c.heading;
        EXPECT_TRUE(me.steering);
        EXPECT_NEAR(me.point.velocity.x, std::cos(c.expect) * 17, 1e-3f);
    }

    // Near (exactly 200), missing or out of range: no turn, steering still set.
    PlayerShip& me = others[1];
    me.heading = 0.3f;
    me.point.velocity.set(0, 0);
    others[2].point.position.set(200, 0);
    for (int own : {1, 9, -1}) {
        me.steering = false;
        me.steerTowardNextShip(&others[0], &others[1], &others[2], &others[3], own);
        EXPECT_EQ(me.heading, 0.3f);
        EXPECT_TRUE(me.steering);
        EXPECT_EQ(me.point.velocity, ofVec2f(0, 0));
    }
    me.steerTowardNextShip(&others[0], &others[1], nullptr, &others[3], 1);
    EXPECT_EQ(me.heading, 0.3f);
}

TEST(Countdown, CountsDownToDoneAndRestarts) {
    Countdown c(0.5f, 0.5f, false);
    c.update(0.25f);
    EXPECT_FALSE(c.done);
    c.update(0.25f);
    EXPECT_TRUE(c.done);
    EXPECT_EQ(c.remaining, 0.0f);
    c.restart();
    EXPECT_FALSE(c.done);
    EXPECT_EQ(c.remaining, 0.5f);
    Countdown once(1, 0.5f, false);
    once.update(0.5f);
    EXPECT_TRUE(once.done);
}
