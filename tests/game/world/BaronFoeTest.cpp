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

TEST(BaronFoe, DrawsTheDartItsStripeThenItsSparksLastFirst) {
    RecorderScope rec;
    BaronFoe foe = calmBaron(100, 200);
    foe.color.set(200, 250, 10);
    foe.pulseOffset = 20;
    foe.pulseScale = 2;
    foe.sparks.resize(3);
    for (int k = 0; k < 3; k++) foe.sparks[k].x = 10.0f * k, foe.sparks[k].life = 5;
    foe.draw();
    const std::vector<ofPolyline> outlines = rec.renderer->drawnPolylines;
    const Calls calls = rec.take();
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 7),
              (Calls{"setLineWidth(1)", "pushMatrix()", "translate(100,200,0)", "rotate(0)", "scale(2,2,1)",
                     "setFillMode(1)", "setColor(200,250,10,100)"}));
    EXPECT_EQ(callsStartingWith(calls, "setColor(220"), (Calls{"setColor(220,270,30,255)"}));  // the outline, above 255
    EXPECT_EQ(callsStartingWith(calls, "drawTriangle"), Calls{"drawTriangle(13,0,0,-11.0209,9.94977,0,-3,0,0)"});
    ASSERT_TRUE(outlines.size() == 1 && outlines[0].size() == 4 && outlines[0].isClosed());
    const float corners[4][2] = {{25, 0}, {-21.193975f, 19.134175f}, {-9, 0}, {-25.813373f, -21.047592f}};
    for (int i = 0; i < 4; i++) EXPECT_XY(outlines[0][i], corners[i][0], corners[i][1], 1e-4f);
    const size_t pop = std::find(calls.begin(), calls.end(), "popMatrix()") - calls.begin();
    EXPECT_EQ(callsStartingWith(Calls(calls.begin() + pop, calls.end()), "translate"),
              (Calls{"translate(20,0,0)", "translate(10,0,0)", "translate(0,0,0)"}));
}
