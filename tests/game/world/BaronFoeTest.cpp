#include "BaronFoe.h"
#include "WorldTest.h"
#include "particle.h"

namespace {

// A baron that neither sweeps, changes radius nor charges unless told to.
BaronFoe calmBaron(float x, float y) {
    BaronFoe foe;
    foe.setup();
    foe.x = x;
    foe.y = y;
    foe.orbitFrames = foe.chargeCountdown = foe.radiusTimer = 100000;
    return foe;
}

bool finite(const BaronFoe& f) {
    return std::isfinite(f.x + f.y + f.heading + f.goalX + f.goalY + f.velocityX + f.velocityY + f.orbitAngle);
}

}  // namespace

TEST(BaronFoe, OrbitHoldsItsBearingFromTheTargetOfSixUpdatesAgo) {
    BaronFoe foe = calmBaron(0, -400);
    const float bearing = std::atan2(400.0f, 1000.0f) + PI_F;
    for (int k = 0; k < 10; k++) {  // the target moves on; the goal follows it six updates late
        const float xBefore = foe.x, yBefore = foe.y, lag = k >= 6 ? k - 6 : 0;
        foe.update(1000 + 30 * k, 5 * k);
        EXPECT_FLOAT_EQ(foe.orbitAngle, bearing);
        EXPECT_XY(ofVec2f(foe.goalX, foe.goalY), (k >= 6 ? 1000 + 30 * lag : 0) + std::cos(bearing) * 375,
                  5 * lag + std::sin(bearing) * 375, 1e-3f);
        EXPECT_NEAR(ofDist(foe.x, foe.y, xBefore, yBefore), 16, 1e-3);  // far from its goal: top speed, facing the ship
        EXPECT_FLOAT_EQ(foe.heading, std::atan2(5 * k - yBefore, 1000 + 30 * k - xBefore));
    }
}

TEST(BaronFoe, BacksOffInsideItsOrbitAndDodgesWeaponParticlesWithoutNaN) {
    // target x, orbit radius, x after
    const float rows[][3] = {{0, 375, -16 * 2.5f},                                       // ship on top: factor 2.5
                             {354, 375, -21 / 150.0f * 16 * (1 - 354 / 375.0f) * 2.5f},  // just inside; goal 21 away
                             {356, 375, -19 / 150.0f * 16},                              // outside: factor 1
                             {5, 2, 16 * 3 / 150.0f}};  // no orbit left: no retreat
    for (const auto& row : rows) {
        BaronFoe foe = calmBaron(0, 0);
        foe.orbitRadius = row[1];
        for (ofVec2f& t : foe.targetHistory) t.set(row[0], 0);
        foe.update(row[0], 0);
        EXPECT_XY(foe, row[2], 0, 1e-3f);
    }
    // Weapon particle x, y, and the push on the goal.
    const float dodges[][4] = {{100, 0, -130.16529f, 0}, {275, 0, 0, 0}, {0, 0, 0, 0}};  // near, out of range, on top
    for (const auto& row : dodges) {
        BaronFoe still = calmBaron(0, 0), foe = calmBaron(0, 0);
        particle p;
        p.position.set(row[0], row[1]);
        foe.addTarget(&p);
        foe.addTarget(nullptr);
        still.update(2000, 0);
        foe.update(2000, 0);
        EXPECT_EQ(foe.dodgeList.size(), 1u);
        EXPECT_XY(ofVec2f(foe.goalX - still.goalX, foe.goalY - still.goalY), row[2], row[3], 1e-3f);
    }
    BaronFoe foe = calmBaron(50, 50);  // a sweep started with the ship on top sets the orbit to 0
    foe.orbitFrames = 1;
    for (int frame = 0; frame < 200; frame++) {
        foe.update(foe.x, foe.y);
        ASSERT_TRUE(finite(foe)) << frame;
    }
    foe.mode = 2;
    foe.chargeFrames = 1;
    foe.update(foe.x, foe.y);  // aimed at zero length: stands still
    EXPECT_TRUE(foe.velocityX == 0 && finite(foe));
}

TEST(BaronFoe, ChargeAimsAt18_12_6_0ThenRunsStraightThenOrbits) {
    BaronFoe foe = calmBaron(0, 0);
    foe.chargeCountdown = 1;
    foe.velocityX = 1;
    foe.update(1000, 0);  // the countdown ends: mode 2 at once, no move
    EXPECT_TRUE(foe.mode == 2 && foe.chargeFrames == 21 && foe.x == 0);
    std::vector<float> aims;  // frame and speed of each new aim
    for (int frame = 1; frame <= 51; frame++) {
        const float vx = foe.velocityX, vy = foe.velocityY, xBefore = foe.x, yBefore = foe.y;
        foe.update(1000, 100.0f * frame);
        if (foe.velocityX != vx || foe.velocityY != vy) {
            aims.insert(aims.end(), {float(frame), std::round(std::hypot(foe.velocityX, foe.velocityY) * 100) / 100});
            EXPECT_NEAR(std::atan2(foe.velocityY, foe.velocityX), std::atan2(100.0f * frame - yBefore, 1000 - xBefore),
                        1e-4);
        }
        EXPECT_TRUE(frame == 51 || (foe.mode == 2 && foe.x == xBefore + foe.velocityX)) << frame;
    }
    EXPECT_EQ(aims, (std::vector<float>{3, 21, 9, 21, 15, 21, 21, 17.85f}));
    // The last charge frame hands back to the orbit and runs the common step.
    EXPECT_TRUE(foe.mode == 0 && foe.heading == foe.angleToTarget && foe.orbitAngle == foe.angleToTarget + PI_F);
    ASSERT_EQ(foe.sparks.size(), 51u);  // one per charge frame, left for draw to age; the spent ones go
    for (size_t i = 0; i < foe.sparks.size(); i++) foe.sparks[i].life = i % 2;
    foe.update(0, 0);
    EXPECT_EQ(foe.sparks.size(), 25u);
}
