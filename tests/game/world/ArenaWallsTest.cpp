#include <gtest/gtest.h>

#include <cmath>

#include "ArenaTestSupport.h"
#include "ArenaWalls.h"
#include "RecorderScope.h"
#include "ofMath.h"

namespace {

const float PI_F = 3.1415927f;

void expectPolar(const ofPoint& p, float cx, float cy, float r, float angle) {
    EXPECT_NEAR(p.x, cx + r * std::cos(angle), 0.05);
    EXPECT_NEAR(p.y, cy + r * std::sin(angle), 0.05);
}

ArenaWalls walls(int shape, int gameMode = 1, unsigned seed = 7) {
    ofSeedRandom(seed);
    ArenaWalls w;
    w.setup(false, false, gameMode, shape);
    return w;
}

}  // namespace

TEST(ArenaWalls, SetupLaysEveryShapeAtTimeZeroClosedAndDrawsItOpen) {
    const size_t outerSizes[10] = {11, 9, 5, 13, 17, 13, 11, 11, 5, 5}, innerSizes[10] = {0, 0, 5, 0, 0, 5};
    for (int shape = 0; shape < 10; shape++) {
        ArenaWalls w = walls(shape);
        ASSERT_EQ(w.outer.size(), outerSizes[shape]) << shape;
        ASSERT_EQ(w.inner.size(), innerSizes[shape]) << shape;
        EXPECT_EQ(w.outer.back(), w.outer.front()) << shape;
        EXPECT_NE(w.outer[1], ofPoint()) << shape;
    }
    RecorderScope scope;
    ArenaWalls d = walls(2);
    d.scaleLineWidth = true;
    d.draw(0.1f);
    Calls calls = scope.take();
    EXPECT_EQ(calls[0], "setLineWidth(2)");
    EXPECT_EQ(callsStartingWith(calls, "draw"), (Calls{"drawPolyline(points=5,open)", "drawPolyline(points=5,open)"}));
}

TEST(ArenaWalls, ShapeZeroRestsTurnsBreathesDriftsAndAlternates) {
    ArenaWalls intro = walls(0, 0);
    intro.update(200);  // the intro ring never moves
    for (int i = 0; i < 10; i++) expectPolar(intro.outer[i], 0, 0, 1200, i * 2 * PI_F / 10);

    ArenaWalls w = walls(0);
    w.update(70);
    float rotation = 70 * 0.1f * 0.628318531f * std::fabs(9 * std::sin(0.1f * (40 + w.phase))) * w.turnDirection;
    EXPECT_FLOAT_EQ(w.rotation, rotation);
    EXPECT_EQ(w.radius, static_cast<int>(1200 - 350 * std::sin(1.5f + w.wavePhase[0])));
    for (int i = 0; i < 10; i++) expectPolar(w.outer[i], 0, 0, w.radius, rotation + i * 2 * PI_F / 10);

    ArenaWalls late = walls(0, 1, 11);
    late.update(160);
    int r1 = static_cast<int>(1200 - 350 * std::sin(15 + late.wavePhase[0]));
    int r2 = static_cast<int>(r1 * (1 + 0.5f * std::sin(2.3f + late.wavePhase[1])));
    EXPECT_FLOAT_EQ(late.centreX, 800 * std::sin((late.swapAxes ? 0.15f : 0.18f) * 60 + late.wavePhase[2]));
    EXPECT_EQ(late.radius, r1);
    EXPECT_NEAR(std::hypot(late.outer[0].x - late.centreX, late.outer[0].y - late.centreY), r2, 0.05);
    EXPECT_NEAR(std::hypot(late.outer[1].x - late.centreX, late.outer[1].y - late.centreY), r1, 0.05);
}

TEST(ArenaWalls, MissionOverrideIsHonouredOnlyWithTheMissionFlag) {
    for (bool mission : {true, false}) {
        ArenaWalls w;
        w.setup(false, mission, 3, 0);
        w.radiusOverride = 700.9f;
        w.update(0);
        for (const ofPoint& p : w.outer) EXPECT_NEAR(std::hypot(p.x, p.y), mission ? 700 : 1200, 0.01);
    }
}

TEST(ArenaWalls, ExitGapGrowsAHundredthARadianASecondUpToAnEighthOfPi) {
    ArenaWalls w = walls(0);
    w.update(120);
    w.openExit();
    w.update(10);
    EXPECT_FLOAT_EQ(w.exitWidth, 0.1f);
    EXPECT_EQ(w.centreX, 0);
    expectPolar(w.outer[0], 0, 0, 1200, -1.37444675f);
    expectPolar(w.outer[10], 0, 0, 1200, -1.37444675f + 2 * PI_F - 0.1f);  // left open
    w.update(100);
    EXPECT_FLOAT_EQ(w.exitWidth, PI_F / 8);
    ArenaWalls blob = walls(3);  // other shapes only stop closing
    blob.openExit();
    blob.update(5);
    EXPECT_EQ(blob.exitWidth, 0);
    EXPECT_NE(blob.outer.back(), blob.outer.front());
}

TEST(ArenaWalls, UTurnDoughnutBlobAndClover) {
    ArenaWalls u = walls(1);
    u.update(35);
    EXPECT_FLOAT_EQ(u.rotation, 0.875f * PI_F);
    expectPolar(u.outer[2], 0, 0, 1440, 0.875f * PI_F + ofDegToRad(60));
    u.update(5);  // at 40 s the turn is done and the clock starts over
    EXPECT_EQ(u.time, 0);
    EXPECT_FLOAT_EQ(u.rotation, PI_F / 2);
    EXPECT_FLOAT_EQ(u.turnTarget, 0);

    ArenaWalls d = walls(2);
    expectPolar(d.outer[1], 0, 0, 1400, PI_F / 2);
    expectPolar(d.inner[0], 0, 0, 300, 0);
    for (int i = 0; i < 10; i++) d.update(1);
    EXPECT_EQ(d.step, 11);  // one a frame while the target is 300
    d.update(10);
    expectPolar(d.inner[2], 0, 0, 500, PI_F);  // step 11 swells to 500

    ArenaWalls b = walls(3);
    expectPolar(b.outer[3], 0, 0, 1600, ofDegToRad(182));
    b.update(5 * PI_F);  // angles blend in degrees: point 0 at 370
    expectPolar(b.outer[0], 0, 0, 80 * (1 - std::fabs(std::cos(0.7f * PI_F))), ofDegToRad(370));

    ArenaWalls c = walls(4);
    expectPolar(c.outer[1], 0, 0, 720, 0.0942477807f);
    expectPolar(c.outer[14], 0, 0, 1650, 1.75f * PI_F);
    for (int i = 0; i < 240; i++) c.update(1);  // two minutes on, the chosen leaf has shrunk to 0.3
    float s = ofMap(c.step, 0, 3, 0.75f, 1.25f) * 0.3f;
    expectPolar(c.outer[c.step * 4 + 2], c.centreX, c.centreY, 1320 * s, c.step * PI_F / 2 + c.rotation + PI_F / 4);
}

TEST(ArenaWalls, TravellingCirclesFollowTheirKeyTables) {
    struct Case {
        int shape;
        float t, x, y;
    } cases[] = {{6, 5.25f, -1124.75f, -1233.653f}, {6, 44, -7177.5f, -2155.944f}, {6, 100, -7326, -1905},
                 {7, 9.5f, -2013, -2437},          {7, 89, -10074, -4720.937f},   {7, 500, -10200, -4925}};
    for (const Case& c : cases) {
        ArenaWalls w = walls(c.shape);
        w.update(c.t);
        expectPolar(w.outer[0], c.x, c.y, c.shape == 6 ? 550 : 450, 0);
    }
}

TEST(ArenaWalls, MoveBoxAndCorridorFollowTheProgramClock) {
    RecorderScope scope;
    ofFixElapsedTimef(5 * PI_F);  // |sin(0.1 e)| = 1
    ArenaWalls box = walls(8);
    box.update(1);
    expectPolar(box.outer[0], -1250, 130 - 650, 0, 0);
    expectPolar(box.outer[2], 875, 130 + 650, 0, 0);
    ofFixElapsedTimef(1);  // 250 + 50 sin(0.5) = 273.97
    ArenaWalls corridor = walls(9);
    corridor.update(1000);
    expectPolar(corridor.outer[1], 273, -1000, 0, 0);
}

TEST(ArenaWalls, SetupClearsAnEarlierDriftAndTurnsABadShapeIntoShapeZero) {
    LogLines log;
    RecorderScope scope;
    ofFixElapsedTimef(0);
    ArenaWalls w = walls(0);
    w.update(130);
    w.setup(false, false, 5, 9);
    EXPECT_EQ(w.centreX, 0);
    expectPolar(w.outer[0], -250, -1000, 0, 0);
    w.setup(false, false, 1, 10);
    EXPECT_EQ(w.shape, 0);
    EXPECT_EQ(w.outer.size(), 11u);
    w.shape = 2;  // changed by hand: the lists follow
    w.update(1);
    EXPECT_EQ(w.inner.size(), 5u);
    EXPECT_EQ(log.lines, std::vector<std::string>{"[ArenaWalls:warning] unknown wall shape 10, using shape 0"});
}
