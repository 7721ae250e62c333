#include <gtest/gtest.h>

#include <cmath>

#include "ArenaTestSupport.h"
#include "ArenaWalls.h"
#include "ofMath.h"

namespace {

const float PI_F = 3.1415927f;

float distanceOf(const ofPoint& p, float cx = 0, float cy = 0) {
    return std::hypot(p.x - cx, p.y - cy);
}

void expectPoint(const ofPoint& p, float x, float y, float tolerance = 0.01f) {
    EXPECT_NEAR(p.x, x, tolerance);
    EXPECT_NEAR(p.y, y, tolerance);
}

void expectPolar(const ofPoint& p, float cx, float cy, float r, float angle) {
    expectPoint(p, cx + r * std::cos(angle), cy + r * std::sin(angle), 0.05f);
}

ArenaWalls walls(int shape, int gameMode = 1, unsigned seed = 7) {
    ofSeedRandom(seed);
    ArenaWalls w;
    w.setup(false, false, gameMode, shape);
    return w;
}

}  // namespace

TEST(ArenaWalls, SetupLaysEachShapeAtTimeZeroWithItsClosingPoint) {
    const size_t outerSizes[10] = {11, 9, 5, 13, 17, 13, 11, 11, 5, 5};
    const size_t innerSizes[10] = {0, 0, 5, 0, 0, 5, 0, 0, 0, 0};
    for (int shape = 0; shape < 10; shape++) {
        ArenaWalls w = walls(shape);
        SCOPED_TRACE(shape);
        ASSERT_EQ(w.outer.size(), outerSizes[shape]);
        ASSERT_EQ(w.inner.size(), innerSizes[shape]);
        EXPECT_EQ(w.outer.back(), w.outer.front());
        if (!w.inner.empty()) {
            EXPECT_EQ(w.inner.back(), w.inner.front());
        }
        EXPECT_EQ(w.time, 0);
        EXPECT_NE(w.outer[1], ofPoint());
    }
}

TEST(ArenaWalls, RandomChoicesOfShapeZeroTakeTheTopQuarterOfTheSignedRange) {
    int positive = 0, swapped = 0, waves = 0;
    for (unsigned seed = 1; seed <= 400; seed++) {
        ArenaWalls w = walls(0, 1, seed);
        EXPECT_TRUE(w.turnDirection == 1 || w.turnDirection == -1);
        positive += w.turnDirection == 1;
        swapped += w.swapAxes;
        for (float p : w.wavePhase) {
            EXPECT_TRUE(p == 0 || p == PI_F);
            waves += p == PI_F;
        }
        EXPECT_GE(w.phase, 0);
        EXPECT_LT(w.phase, 100);
    }
    EXPECT_NEAR(positive / 400.0, 0.25, 0.05);
    EXPECT_NEAR(swapped / 400.0, 0.25, 0.05);
    EXPECT_NEAR(waves / 1600.0, 0.25, 0.03);
}

TEST(ArenaWalls, ShapeZeroRestsAsADecagonOfTwelveHundred) {
    for (int mode : {0, 1}) {
        ArenaWalls w = walls(0, mode);
        EXPECT_EQ(w.radius, 1200);
        for (int i = 0; i < 10; i++) expectPolar(w.outer[i], 0, 0, 1200, i * 2 * PI_F / 10);
        // The intro ring never turns, breathes or drifts.
        if (mode == 0) {
            w.update(200);
            EXPECT_EQ(w.rotation, 0);
            EXPECT_EQ(w.radius, 1200);
            EXPECT_EQ(w.centreX, 0);
            expectPolar(w.outer[3], 0, 0, 1200, 3 * 2 * PI_F / 10);
        }
    }
}

TEST(ArenaWalls, ShapeZeroAtSeventySecondsTurnsAndBreathes) {
    ArenaWalls w = walls(0);
    w.update(70);
    float rotation = 70 * 0.1f * 0.628318531f * std::fabs(9 * std::sin(0.1f * (40 + w.phase))) * w.turnDirection;
    EXPECT_FLOAT_EQ(w.rotation, rotation);
    int r1 = static_cast<int>(1200 - 350 * std::sin(0.15f * 10 + w.wavePhase[0]));
    EXPECT_EQ(w.radius, r1);
    EXPECT_EQ(w.centreX, 0);
    // Before 150 s even and odd points share the radius.
    for (int i = 0; i < 10; i++) expectPolar(w.outer[i], 0, 0, r1, rotation + i * 2 * PI_F / 10);
}

TEST(ArenaWalls, ShapeZeroLateInARoundDriftsAndAlternatesItsRadii) {
    ArenaWalls w = walls(0, 1, 11);
    w.update(160);
    int r1 = static_cast<int>(1200 - 350 * std::sin(0.15f * 100 + w.wavePhase[0]));
    int r2 = static_cast<int>(r1 * (1 + 0.5f * std::sin(0.23f * 10 + w.wavePhase[1])));
    float fx = w.swapAxes ? 0.15f : 0.18f, fy = w.swapAxes ? 0.18f : 0.15f;
    EXPECT_FLOAT_EQ(w.centreX, 800 * std::sin(fx * 60 + w.wavePhase[2]));
    EXPECT_FLOAT_EQ(w.centreY, 800 * std::sin(fy * 60 + w.wavePhase[3]));
    EXPECT_EQ(w.radius, r1);
    EXPECT_NEAR(distanceOf(w.outer[0], w.centreX, w.centreY), r2, 0.05);
    EXPECT_NEAR(distanceOf(w.outer[1], w.centreX, w.centreY), r1, 0.05);
    EXPECT_NEAR(distanceOf(w.outer[8], w.centreX, w.centreY), r2, 0.05);
}

TEST(ArenaWalls, MissionOverrideSetsShapeZeroRadiusOnlyInMissions) {
    for (bool mission : {true, false}) {
        ofSeedRandom(3);
        ArenaWalls w;
        w.setup(false, mission, 3, 0);
        EXPECT_EQ(w.radiusOverride, -1);
        w.radiusOverride = 700.9f;
        w.update(0);
        int expected = mission ? 700 : 1200;
        EXPECT_EQ(w.radius, expected);
        for (const ofPoint& p : w.outer) EXPECT_NEAR(distanceOf(p), expected, 0.01);
    }
}

TEST(ArenaWalls, ExitGapGrowsAtOneHundredthPerSecondUpToAnEighthOfPi) {
    ArenaWalls w = walls(0, 1);
    w.update(120);  // drifted and turned before the exit opens
    w.openExit();
    w.update(10);
    EXPECT_FLOAT_EQ(w.exitWidth, 0.1f);
    EXPECT_FLOAT_EQ(w.rotation, -1.37444675f);
    EXPECT_EQ(w.centreX, 0);
    EXPECT_EQ(w.radius, 1200);
    // The last point stays at the far side of the gap instead of closing.
    expectPolar(w.outer[0], 0, 0, 1200, -1.37444675f);
    expectPolar(w.outer[10], 0, 0, 1200, -1.37444675f + 2 * PI_F - 0.1f);
    expectPolar(w.outer[5], 0, 0, 1200, -1.37444675f + 5 * (2 * PI_F - 0.1f) / 10);
    w.update(100);
    EXPECT_FLOAT_EQ(w.exitWidth, PI_F / 8);

    // Other shapes only stop closing their lists.
    ArenaWalls blob = walls(3);
    blob.openExit();
    blob.update(5);
    EXPECT_EQ(blob.exitWidth, 0);
    EXPECT_NE(blob.outer.back(), blob.outer.front());
}

TEST(ArenaWalls, UTurnTurnsAQuarterOverTheLastTenOfEveryFortySeconds) {
    ArenaWalls w = walls(1);
    expectPolar(w.outer[2], 0, 0, 1440, PI_F + ofDegToRad(60));
    expectPolar(w.outer[0], 0, 0, 14.4f, PI_F);
    w.update(30);
    EXPECT_FLOAT_EQ(w.rotation, PI_F);
    w.update(5);
    EXPECT_FLOAT_EQ(w.rotation, 0.75f * PI_F + 0.25f * PI_F / 2);
    expectPolar(w.outer[4], 0, 0, 1120, w.rotation + ofDegToRad(218.66f));
    w.update(5);
    EXPECT_EQ(w.time, 0);
    EXPECT_FLOAT_EQ(w.rotation, PI_F / 2);
    EXPECT_FLOAT_EQ(w.turnFrom, PI_F / 2);
    EXPECT_FLOAT_EQ(w.turnTarget, 0);
    w.update(35);
    EXPECT_FLOAT_EQ(w.rotation, 0.75f * PI_F / 2);
}

TEST(ArenaWalls, DoughnutSwellsThroughItsSizes) {
    ArenaWalls w = walls(2);
    expectPolar(w.outer[1], 0, 0, 1400, PI_F / 2);
    expectPoint(w.inner[0], 300, 0);
    // While the target is 300 the step rises on every update.
    EXPECT_EQ(w.step, 1);
    for (int i = 0; i < 10; i++) w.update(1);
    EXPECT_EQ(w.step, 11);
    w.update(1);  // starts the swell toward 400
    EXPECT_EQ(w.step, 12);
    EXPECT_FALSE(w.stepFlag);
    w.update(9);  // |sin(1)| is past 0.7
    EXPECT_TRUE(w.stepFlag);
    expectPoint(w.inner[2], -400, 0);
}

TEST(ArenaWalls, DoughnutSlidesItsIslandAfterAMinute) {
    ArenaWalls w = walls(2);
    w.update(60);
    w.update(2.5f);
    float s = std::sin(0.2f * 2.5f);
    float rho = w.inner[0].x - 600 * s;  // direction 0 slides toward +x
    EXPECT_EQ(w.slideDirection, 0);
    EXPECT_NEAR(w.inner[1].x, 600 * s, 0.01);
    EXPECT_NEAR(w.inner[1].y, rho, 0.01);
}

TEST(ArenaWalls, BlobStartsOnItsFirstOutline) {
    ArenaWalls w = walls(3);
    expectPoint(w.outer[0], 0, 0);
    expectPolar(w.outer[3], 0, 0, 1600, ofDegToRad(182));
    expectPolar(w.outer[10], 0, 0, 1680, ofDegToRad(40));
    // Angles blend in degrees: at wa = 0 point 0 stands at 370 degrees.
    ArenaWalls later = walls(3);
    later.update(5 * PI_F);  // cos(0.1 t) = 0
    float wr = std::fabs(std::cos(0.14f * 5 * PI_F));
    float r = 0 * wr + 10 * (1 - wr);
    expectPolar(later.outer[0], 0, 0, r * 8, ofDegToRad(370));
}

TEST(ArenaWalls, CloverLeavesAndTheirPulse) {
    ArenaWalls w = walls(4);
    EXPECT_GE(w.step, 0);
    EXPECT_LT(w.step, 4);
    expectPoint(w.outer[0], 200, 0);
    expectPolar(w.outer[1], 0, 0, 960 * 0.75f, 0.0942477807f);
    expectPolar(w.outer[14], 0, 0, 1320 * 1.25f, 3 * PI_F / 2 + PI_F / 4);
    expectPolar(w.outer[7], 0, 0, 960 * (0.75f + 0.5f / 3), PI_F - 0.0942477807f);

    for (int i = 0; i < 121; i++) w.update(1);
    EXPECT_FLOAT_EQ(w.timer, 119);
    int leaf = w.step;
    float s = ofMap(leaf, 0, 3, 0.75f, 1.25f);
    float b = leaf * PI_F / 2 + w.rotation;
    expectPolar(w.outer[leaf * 4 + 2], w.centreX, w.centreY, 1320 * s * 119 / 120, b + PI_F / 4);
    for (int i = 0; i < 119; i++) w.update(1);
    EXPECT_FLOAT_EQ(w.timer, 0);
    expectPolar(w.outer[leaf * 4 + 2], w.centreX, w.centreY, 1320 * s * 0.3f, b + 119 * 0.0314159282f + PI_F / 4);
    for (int i = 0; i < 120; i++) w.update(1);
    EXPECT_FALSE(w.stepFlag);
    EXPECT_GE(w.timer, 3);
    EXPECT_LT(w.timer, 25);
    int rest = static_cast<int>(w.timer) + 1;
    for (int i = 0; i < rest; i++) w.update(1);
    EXPECT_TRUE(w.stepFlag);
    EXPECT_FLOAT_EQ(w.timer, 120);
    EXPECT_FLOAT_EQ(w.centreX, 1000 * std::sin(0.03f * (w.time - 60)));
}

TEST(ArenaWalls, TravellingCirclesFollowTheirKeyTables) {
    struct Case {
        int shape;
        float t;
        float x, y;
    } cases[] = {
        {6, 0, 0, 0},
        {6, 5.25f, -1124.75f, -1233.653f},
        {6, 44, -7177.5f, -2155.944f},
        {6, 100, -7326, -1905},
        {7, 9.5f, -2013, -2437},
        {7, 89, -10074, -4720.937f},
        {7, 90, -10200, -4925},
        {7, 500, -10200, -4925},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.t);
        ArenaWalls w = walls(c.shape);
        w.update(c.t);
        EXPECT_NEAR(w.centreX, c.x, 0.01);
        EXPECT_NEAR(w.centreY, c.y, 0.01);
        expectPoint(w.outer[0], c.x + (c.shape == 6 ? 550 : 450), c.y, 0.05f);
    }
}

TEST(ArenaWalls, MoveBoxAndCorridorFollowTheProgramClockNotTheArenas) {
    arena_test::Recording clock;
    ofFixElapsedTimef(5 * PI_F);  // |sin(0.1 e)| = 1
    ArenaWalls box = walls(8);
    expectPoint(box.outer[0], -1250, -650, 0.05f);
    expectPoint(box.outer[2], 875, 650, 0.05f);
    box.update(1);
    EXPECT_EQ(box.centreY, 130);
    expectPoint(box.outer[3], -875, 780, 0.05f);
    ofFixElapsedTimef(0);
    box.update(0);
    expectPoint(box.outer[0], -875, -520, 0.05f);

    ofFixElapsedTimef(1);  // 250 + 50 sin(0.5) = 273.97
    ArenaWalls corridor = walls(9);
    expectPoint(corridor.outer[1], 273, -1000);
    ofFixElapsedTimef(0);
    corridor.update(0);
    expectPoint(corridor.outer[1], 250, -1000);
    corridor.update(1000);
    expectPoint(corridor.outer[1], 250, -1000);
}

TEST(ArenaWalls, SetupClearsTheCentreAnEarlierRoundDriftedAway) {
    arena_test::Recording clock;
    ofFixElapsedTimef(0);
    ArenaWalls w = walls(0);
    w.update(130);
    ASSERT_NE(w.centreX, 0);
    w.setup(false, false, 5, 9);
    EXPECT_EQ(w.centreX, 0);
    EXPECT_EQ(w.centreY, 0);
    expectPoint(w.outer[0], -250, -1000);
}

TEST(ArenaWalls, UnknownShapeIsSetUpAsShapeZeroWithOneWarning) {
    arena_test::LogLines log;
    for (int bad : {10, -1}) {
        ArenaWalls w = walls(bad);
        EXPECT_EQ(w.shape, 0);
        EXPECT_EQ(w.outer.size(), 11u);
        EXPECT_EQ(w.radius, 1200);
    }
    ASSERT_EQ(log.lines.size(), 2u);
    EXPECT_EQ(log.lines[0], "[ArenaWalls:warning] unknown wall shape 10, using shape 0");
}

TEST(ArenaWalls, DrawsOuterThenInnerAsOpenPaths) {
    arena_test::Recording rec;
    ArenaWalls w = walls(2);
    w.draw(3);
    EXPECT_EQ(rec.renderer->take(),
              (std::vector<std::string>{"setLineWidth(10)", "setFillMode(0)", "rendersPathDirectly()",
                                        "setLineWidth(10)", "drawPolyline(points=5,open)", "setLineWidth(10)",
                                        "rendersPathDirectly()", "setLineWidth(10)", "drawPolyline(points=5,open)",
                                        "setLineWidth(10)"}));
    w.scaleLineWidth = true;
    for (float scale : {3.0f, 0.1f}) {
        w.draw(scale);
        EXPECT_EQ(rec.renderer->take()[0], scale == 3 ? "setLineWidth(30)" : "setLineWidth(2)");
    }
}

TEST(ArenaWalls, BoundsOfTheOuterPolygon) {
    arena_test::Recording clock;
    ofFixElapsedTimef(0);  // a trapezoid 1750 wide on top, 2500 below
    ArenaWalls w = walls(8);
    w.centreX = 100;
    w.update(0);
    w.computeBounds();
    EXPECT_FLOAT_EQ(w.boundsX, 100);
    EXPECT_FLOAT_EQ(w.boundsY, 0);
    EXPECT_FLOAT_EQ(w.boundsRadius, std::hypot(1250.0f, 650.0f));
}
