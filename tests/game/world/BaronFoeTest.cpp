#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "BaronFoe.h"
#include "RecorderScope.h"
#include "ofMath.h"
#include "particle.h"

namespace {

const float kPi = 3.14159265f;

// A baron at (x, y) that will neither sweep, change radius nor charge unless
// a test asks for it.
BaronFoe calmBaron(float x, float y) {
    BaronFoe foe;
    foe.setup();
    foe.x = x;
    foe.y = y;
    foe.orbitFrames = 100000;
    foe.radiusTimer = 100000;
    foe.chargeCountdown = 100000;
    return foe;
}

bool finite(const BaronFoe& foe) {
    return std::isfinite(foe.x) && std::isfinite(foe.y) && std::isfinite(foe.heading) &&
           std::isfinite(foe.goalX) && std::isfinite(foe.goalY) && std::isfinite(foe.velocityX) &&
           std::isfinite(foe.velocityY) && std::isfinite(foe.orbitAngle);
}

}  // namespace

TEST(BaronFoe, SetupShapesTheDartAndDrawsItsTimers) {
    ofSeedRandom(17);
    const int orbitFrames = static_cast<int>(ofRandomRange(15, 130));
    const int countdown = static_cast<int>(ofRandomRange(50, 200));
    ofSeedRandom(17);
    BaronFoe foe;
    particle p;
    foe.addTarget(&p);
    foe.sparks.resize(3);
    foe.mode = 2;
    foe.setup();
    EXPECT_EQ(foe.type, 3);
    EXPECT_EQ(foe.size, 20);
    EXPECT_EQ(foe.hitRadius, 26);
    EXPECT_EQ(foe.speed, 8);
    EXPECT_EQ(foe.mode, 0);
    EXPECT_EQ(foe.orbitRadius, 375);
    EXPECT_EQ(foe.orbitFrames, orbitFrames);
    EXPECT_EQ(foe.chargeCountdown, countdown);
    EXPECT_TRUE(foe.enterOrbit);
    EXPECT_TRUE(foe.dodgeList.empty());
    EXPECT_TRUE(foe.sparks.empty());
    EXPECT_EQ(foe.nose, ofVec2f(25, 0));
    EXPECT_EQ(foe.notch, ofVec2f(-9, 0));
    EXPECT_NEAR(foe.wingUpper.x, -21.193975f, 1e-4);
    EXPECT_NEAR(foe.wingUpper.y, 19.134175f, 1e-4);
    EXPECT_NEAR(foe.wingLower.x, -25.813373f, 1e-4);
    EXPECT_NEAR(foe.wingLower.y, -21.047592f, 1e-4);
    foe.addTarget(nullptr);
    EXPECT_TRUE(foe.dodgeList.empty());
}

TEST(BaronFoe, OrbitHoldsItsBearingFromTheTargetOfSixUpdatesAgo) {
    BaronFoe foe = calmBaron(0, -400);
    std::vector<ofVec2f> targets;
    for (int k = 0; k < 10; k++) {
        const ofVec2f t(1000 + 30 * k, 5 * k);
        targets.push_back(t);
        const float xBefore = foe.x, yBefore = foe.y;
        foe.update(t.x, t.y);
        if (k == 0) {
            EXPECT_FLOAT_EQ(foe.orbitAngle, std::atan2(400.0f, 1000.0f) + kPi);
        }
        const ofVec2f lagging = k >= 6 ? targets[k - 6] : ofVec2f(0, 0);
        EXPECT_FLOAT_EQ(foe.goalX, lagging.x + std::cos(foe.orbitAngle) * 375) << k;
        EXPECT_FLOAT_EQ(foe.goalY, lagging.y + std::sin(foe.orbitAngle) * 375) << k;
        EXPECT_EQ(foe.targetHistory[0], t);
        // Far from its goal it closes at the top approach speed, facing the ship.
        EXPECT_NEAR(std::hypot(foe.x - xBefore, foe.y - yBefore), 16, 1e-3) << k;
        EXPECT_FLOAT_EQ(foe.heading, std::atan2(t.y - yBefore, t.x - xBefore));
    }
    EXPECT_FLOAT_EQ(foe.orbitAngle, std::atan2(400.0f, 1000.0f) + kPi);
}

TEST(BaronFoe, BacksOffFromAShipInsideItsOrbit) {
    struct Row {
        const char* what;
        float targetX, orbitRadius, expectedX;
    };
    const Row rows[] = {
        // Goal (-375, 0) pulled halfway to (target - 375): factor (1 - d / 375) x 2.5.
        {"ship on top", 0, 375, -16 * 2.5f},
        {"ship at 100", 100, 375, -16 * (1 - 100 / 375.0f) * 2.5f},
        // The goal is 21 away: a slow approach, slowed again by the factor.
        {"just inside", 354, 375, -21 / 150.0f * 16 * (1 - 354 / 375.0f) * 2.5f},
        // Outside the zone: factor 1 toward the plain orbit goal (-19, 0).
        {"outside", 356, 375, -19 / 150.0f * 16},
        // An orbit shrunk to nothing by a sweep has no inside: no retreat, no NaN.
        {"no orbit", 5, 0, 16 * 5 / 150.0f},
        {"tiny orbit", 5, 2, 16 * 3 / 150.0f},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        BaronFoe foe = calmBaron(0, 0);
        foe.orbitRadius = row.orbitRadius;
        // A lagging target in front of the ship keeps the orbit goal on the axis.
        for (ofVec2f& t : foe.targetHistory) t.set(row.targetX, 0);
        foe.update(row.targetX, 0);
        EXPECT_NEAR(foe.x, row.expectedX, 1e-3);
        EXPECT_NEAR(foe.y, 0, 1e-3);
        EXPECT_TRUE(finite(foe));
    }
}

TEST(BaronFoe, DodgesWeaponParticlesWithinTheirRadius) {
    struct Row {
        const char* what;
        float px, py;
        float pushX, pushY;
    };
    const Row rows[] = {
        {"100 below", 0, -100, 0, 130.16529f},
        {"100 to the right", 100, 0, -130.16529f, 0},
        {"exactly 275: ignored", 275, 0, 0, 0},
        {"on top: no direction", 0, 0, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        BaronFoe still = calmBaron(0, 0);
        BaronFoe foe = calmBaron(0, 0);
        particle p;
        p.position.set(row.px, row.py);
        foe.addTarget(&p);
        foe.addTarget(nullptr);
        still.update(2000, 0);
        foe.update(2000, 0);
        EXPECT_NEAR(foe.goalX - still.goalX, row.pushX, 1e-3);
        EXPECT_NEAR(foe.goalY - still.goalY, row.pushY, 1e-3);
        EXPECT_TRUE(finite(foe));
    }
}

TEST(BaronFoe, SweepJumpsHalfwayThenMovesOnAndEndsNearItsEnd) {
    BaronFoe foe = calmBaron(300, 0);
    foe.enterOrbit = false;
    foe.mode = 1;
    foe.orbitRadius = 300;
    foe.orbitAngle = 0;
    foe.sweepDirection = 1;
    foe.sweepEnd = 1.0f;
    foe.update(0, 0);
    const float gx = std::cos(0.0523599f) * 300, gy = std::sin(0.0523599f) * 300;
    EXPECT_FLOAT_EQ(foe.goalX, gx);
    EXPECT_FLOAT_EQ(foe.goalY, gy);
    const float jumpX = 150 + 0.5f * gx, jumpY = 0.5f * gy;
    const float left = std::hypot(gx - jumpX, gy - jumpY);
    const float step = left / 150 * 16;
    EXPECT_NEAR(foe.x, jumpX + (gx - jumpX) / left * step, 1e-3);
    EXPECT_NEAR(foe.y, jumpY + (gy - jumpY) / left * step, 1e-3);
    EXPECT_EQ(foe.mode, 1);

    // Within 1.5 steps of the end it returns to orbit, keeping the angle.
    foe.sweepEnd = foe.orbitAngle + 0.0523599f * 2.4f;
    foe.update(0, 0);
    EXPECT_EQ(foe.mode, 0);
    EXPECT_FALSE(foe.enterOrbit);
    const float angle = foe.orbitAngle;
    foe.update(0, 0);
    EXPECT_EQ(foe.orbitAngle, angle);
}

TEST(BaronFoe, OrbitTimersPickNewRadiiAndStartSweeps) {
    BaronFoe foe = calmBaron(0, 0);
    foe.radiusTimer = 1;
    foe.orbitFrames = 1;
    ofSeedRandom(9);
    const float radius = ofRandomRange(200, 550);
    const float timer = ofRandomRange(10, 70);
    const int frames = static_cast<int>(ofRandomRange(15, 130));
    const float sweep = ofRandomRange(-kPi, kPi);
    ofSeedRandom(9);
    foe.update(0, 250);
    EXPECT_EQ(foe.radiusTimer, timer);
    EXPECT_EQ(foe.orbitFrames, frames);
    EXPECT_EQ(foe.mode, 1);
    // The sweep starts at the ship's current distance, not the new radius.
    EXPECT_NE(foe.orbitRadius, radius);
    EXPECT_EQ(foe.orbitRadius, 250);
    EXPECT_FLOAT_EQ(foe.orbitAngle, 1.5707964f + kPi);
    EXPECT_FLOAT_EQ(foe.sweepEnd, foe.orbitAngle + sweep);
    EXPECT_EQ(foe.sweepDirection, sweep > 0 ? 1 : -1);
}

TEST(BaronFoe, ChargeAimsFourTimesThenRunsStraightThenOrbits) {
    BaronFoe foe = calmBaron(0, 0);
    foe.color.set(255, 0, 0);
    foe.chargeCountdown = 1;
    foe.velocityX = 1;
    foe.velocityY = 2;

    // The countdown ends: mode 2 at once, with no move this frame.
    foe.update(1000, 0);
    EXPECT_EQ(foe.mode, 2);
    EXPECT_EQ(foe.chargeFrames, 21);
    EXPECT_FALSE(foe.charging);
    EXPECT_GE(foe.chargeCountdown, 50);
    EXPECT_LT(foe.chargeCountdown, 200);
    const ofVec2f startPos(foe.x, foe.y);
    EXPECT_EQ(startPos, ofVec2f(0, 0));

    std::vector<int> aims;
    float speedAtAim[4] = {};
    for (int frame = 1; frame <= 21; frame++) {
        const float vx = foe.velocityX, vy = foe.velocityY;
        const float tx = 1000, ty = 100.0f * frame;
        const float xBefore = foe.x, yBefore = foe.y;
        foe.update(tx, ty);
        EXPECT_EQ(foe.mode, 2);
        if (foe.velocityX != vx || foe.velocityY != vy) {
            const ofVec2f u = ofVec2f(tx - xBefore, ty - yBefore).getNormalized();
            const float s = std::hypot(foe.velocityX, foe.velocityY);
            if (aims.size() < 4) speedAtAim[aims.size()] = s;
            EXPECT_NEAR(foe.velocityX / s, u.x, 1e-5);
            EXPECT_NEAR(foe.velocityY / s, u.y, 1e-5);
            aims.push_back(frame);
        }
        EXPECT_FLOAT_EQ(foe.x, xBefore + foe.velocityX);
        EXPECT_FLOAT_EQ(foe.y, yBefore + foe.velocityY);
        EXPECT_LE(std::fabs(foe.heading - std::atan2(foe.velocityY, foe.velocityX)), kPi / 16 + 1e-5);
        if (frame <= 2) {
            // Before the first re-aim it keeps its old velocity.
            EXPECT_EQ(foe.velocityX, 1);
            EXPECT_EQ(foe.velocityY, 2);
        }
    }
    // Counts 18, 12 and 6 aim at 21; count 0 aims and charges at 17.85.
    EXPECT_EQ(aims, (std::vector<int>{3, 9, 15, 21}));
    EXPECT_NEAR(speedAtAim[0], 21, 1e-3);
    EXPECT_NEAR(speedAtAim[2], 21, 1e-3);
    EXPECT_NEAR(speedAtAim[3], 17.85f, 1e-3);
    EXPECT_TRUE(foe.charging);
    EXPECT_EQ(foe.chargeFrames, 30);

    // 30 straight frames; the target's moves no longer steer it.
    const float vx = foe.velocityX, vy = foe.velocityY;
    for (int frame = 1; frame <= 29; frame++) {
        foe.update(-5000, 3000);
        EXPECT_EQ(foe.mode, 2) << frame;
        EXPECT_EQ(foe.velocityX, vx);
        EXPECT_EQ(foe.velocityY, vy);
    }
    // The last charge frame hands back to the orbit and the common move runs.
    const float xBefore = foe.x;
    const int countdown = foe.chargeCountdown;
    foe.update(-5000, 3000);
    EXPECT_EQ(foe.mode, 0);
    EXPECT_FLOAT_EQ(foe.heading, foe.angleToTarget);
    EXPECT_FLOAT_EQ(foe.orbitAngle, foe.angleToTarget + kPi);
    EXPECT_EQ(foe.chargeCountdown, countdown - 1);
    EXPECT_NE(foe.x, xBefore + vx);

    // One spark per charge frame, 11 frames to live, left for draw to age.
    ASSERT_EQ(foe.sparks.size(), 51u);
    for (const Spark& s : foe.sparks) {
        EXPECT_EQ(s.life, 11);
        const float v = std::hypot(s.vx, s.vy);
        EXPECT_GE(v, 5);
        EXPECT_LT(v, 7);
    }
    EXPECT_TRUE(finite(foe));
}

TEST(BaronFoe, UpdateDropsDeadSparksAndKeepsTheRestInOrder) {
    BaronFoe foe = calmBaron(0, 0);
    for (int life : {3, 0, 5, -1, 0, 7}) {
        Spark s;
        s.life = life;
        foe.sparks.push_back(s);
    }
    foe.update(10, 10);
    ASSERT_EQ(foe.sparks.size(), 3u);
    EXPECT_EQ(foe.sparks[0].life, 3);
    EXPECT_EQ(foe.sparks[1].life, 5);
    EXPECT_EQ(foe.sparks[2].life, 7);
}

TEST(BaronFoe, NeverGoesNaNWithTheShipOnTopOfIt) {
    BaronFoe foe = calmBaron(50, 50);
    foe.orbitFrames = 1;
    for (int frame = 0; frame < 200; frame++) {
        foe.update(foe.x, foe.y);
        ASSERT_TRUE(finite(foe)) << frame;
    }
    // A charge aimed at a ship exactly on it stands still rather than NaN.
    foe.mode = 2;
    foe.chargeFrames = 1;
    foe.charging = false;
    foe.update(foe.x, foe.y);
    EXPECT_EQ(foe.velocityX, 0);
    EXPECT_EQ(foe.velocityY, 0);
    EXPECT_TRUE(finite(foe));
}

TEST(BaronFoe, DrawsTheDartItsStripeAndThenItsSparksLastFirst) {
    RecorderScope rec;
    BaronFoe foe = calmBaron(100, 200);
    foe.heading = 0;
    foe.color.set(200, 250, 10);
    foe.pulseOffset = 20;
    foe.pulseScale = 2;
    for (int k = 0; k < 3; k++) {
        Spark s;
        s.x = 10.0f * k;
        s.life = 5;
        foe.sparks.push_back(s);
    }
    foe.draw();
    const std::vector<ofPolyline> outlines = rec.renderer->drawnPolylines;
    const Calls calls = rec.take();
    const Calls head(calls.begin(), calls.begin() + 7);
    EXPECT_EQ(head, (Calls{"setLineWidth(1)", "pushMatrix()", "translate(100,200,0)", "rotate(0)", "scale(2,2,1)",
                           "setFillMode(1)", "setColor(200,250,10,100)"}));
    EXPECT_EQ(callsStartingWith(calls, "setColor(220"), (Calls{"setColor(220,270,30,255)"}));
    EXPECT_EQ(callsStartingWith(calls, "drawPolyline"), (Calls{"drawPolyline(points=4,closed)"}));
    ASSERT_EQ(outlines.size(), 1u);
    EXPECT_NEAR(outlines[0][0].x, 25, 1e-4);
    EXPECT_NEAR(outlines[0][1].y, 19.134175f, 1e-4);
    EXPECT_NEAR(outlines[0][2].x, -9, 1e-4);
    EXPECT_NEAR(outlines[0][3].y, -21.047592f, 1e-4);
    const Calls triangles = callsStartingWith(calls, "drawTriangle");
    ASSERT_EQ(triangles.size(), 1u);
    float v[9];
    ASSERT_EQ(std::sscanf(triangles[0].c_str(), "drawTriangle(%f,%f,%f,%f,%f,%f,%f,%f,%f)", &v[0], &v[1], &v[2],
                          &v[3], &v[4], &v[5], &v[6], &v[7], &v[8]),
              9);
    const float expected[9] = {13, 0, 0, -11.020867f, 9.949771f, 0, -3, 0, 0};
    for (int c = 0; c < 9; c++) EXPECT_NEAR(v[c], expected[c], 1e-4) << c;
    // After the pop, the sparks from the last to the first.
    size_t pop = 0;
    for (size_t i = 0; i < calls.size(); i++) {
        if (calls[i] == "popMatrix()") {
            pop = i;
            break;
        }
    }
    ASSERT_GT(pop, 0u);
    EXPECT_EQ(callsStartingWith(Calls(calls.begin() + pop, calls.end()), "translate"),
              (Calls{"translate(20,0,0)", "translate(10,0,0)", "translate(0,0,0)"}));
    for (const Spark& s : foe.sparks) EXPECT_EQ(s.life, 4);

    // Ghosts use the foe's own shape whatever size they ask for.
    foe.drawShape(3);
    EXPECT_EQ(callsStartingWith(rec.take(), "drawPolyline"), (Calls{"drawPolyline(points=4,closed)"}));
}
