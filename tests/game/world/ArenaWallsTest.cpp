#include "ArenaWalls.h"
#include "PlayerShip.h"
#include "WorldTest.h"
#include "pointInPolygon.h"

namespace {

void expectPolar(const ofPoint& p, float cx, float cy, float r, float angle) {
    EXPECT_XY(p, cx + r * std::cos(angle), cy + r * std::sin(angle), 0.05f);
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
        ASSERT_TRUE(w.outer.size() == outerSizes[shape] && w.inner.size() == innerSizes[shape]) << shape;
        EXPECT_TRUE(w.outer.back() == w.outer.front() && w.outer[1] != ofPoint()) << shape;
    }
    RecorderScope scope;
    ArenaWalls d = walls(2);
    d.scaleLineWidth = true;
    d.draw(0.1f);
    const Calls calls = scope.take();
    EXPECT_EQ(calls[0], "setLineWidth(2)");
    EXPECT_EQ(callsStartingWith(calls, "draw"), (Calls{"drawPolyline(points=5,open)", "drawPolyline(points=5,open)"}));
}

TEST(ArenaWalls, ShapeZeroRestsTurnsBreathesDriftsAndTakesTheMissionOverride) {
    ArenaWalls intro = walls(0, 0);
    intro.update(200);  // the intro ring never moves
    for (int i = 0; i < 10; i++) expectPolar(intro.outer[i], 0, 0, 1200, i * 2 * PI_F / 10);
    ArenaWalls w = walls(0);
    w.update(70);
    const float rotation = 70 * 0.1f * 0.628318531f * std::fabs(9 * std::sin(0.1f * (40 + w.phase))) * w.turnDirection;
    EXPECT_FLOAT_EQ(w.rotation, rotation);
    EXPECT_EQ(w.radius, static_cast<int>(1200 - 350 * std::sin(1.5f + w.wavePhase[0])));
    for (int i = 0; i < 10; i++) expectPolar(w.outer[i], 0, 0, w.radius, rotation + i * 2 * PI_F / 10);
    ArenaWalls late = walls(0, 1, 11);
    late.update(160);
    const int r1 = static_cast<int>(1200 - 350 * std::sin(15 + late.wavePhase[0]));
    const int r2 = static_cast<int>(r1 * (1 + 0.5f * std::sin(2.3f + late.wavePhase[1])));
    EXPECT_FLOAT_EQ(late.centreX, 800 * std::sin((late.swapAxes ? 0.15f : 0.18f) * 60 + late.wavePhase[2]));
    EXPECT_EQ(late.radius, r1);
    EXPECT_NEAR(ofDist(late.outer[0].x, late.outer[0].y, late.centreX, late.centreY), r2, 0.05);
    EXPECT_NEAR(ofDist(late.outer[1].x, late.outer[1].y, late.centreX, late.centreY), r1, 0.05);
    for (bool mission : {true, false}) {
        ArenaWalls m;
        m.setup(false, mission, 3, 0);
        m.radiusOverride = 700.9f;
        m.update(0);
        for (const ofPoint& p : m.outer) EXPECT_NEAR(std::hypot(p.x, p.y), mission ? 700 : 1200, 0.01);
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
    EXPECT_TRUE(blob.exitWidth == 0 && blob.outer.back() != blob.outer.front());
}

TEST(ArenaWalls, UTurnDoughnutBlobAndClover) {
    ArenaWalls u = walls(1);
    u.update(35);
    EXPECT_FLOAT_EQ(u.rotation, 0.875f * PI_F);
    expectPolar(u.outer[2], 0, 0, 1440, 0.875f * PI_F + ofDegToRad(60));
    u.update(5);  // at 40 s the turn is done and the clock starts over
    EXPECT_TRUE(u.time == 0 && u.turnTarget == 0);
    EXPECT_FLOAT_EQ(u.rotation, PI_F / 2);
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
    const float s = ofMap(c.step, 0, 3, 0.75f, 1.25f) * 0.3f;
    expectPolar(c.outer[c.step * 4 + 2], c.centreX, c.centreY, 1320 * s, c.step * PI_F / 2 + c.rotation + PI_F / 4);
}

TEST(ArenaWalls, TravellingCirclesFollowTheirKeyTablesBoxAndCorridorTheProgramClock) {
    // shape, time, centre x, y
    const float cases[][4] = {{6, 5.25f, -1124.75f, -1233.653f}, {6, 44, -7177.5f, -2155.944f}, {6, 100, -7326, -1905},
                              {7, 9.5f, -2013, -2437}, {7, 89, -10074, -4720.937f}, {7, 500, -10200, -4925}};
    for (const auto& c : cases) {
        ArenaWalls w = walls(static_cast<int>(c[0]));
        w.update(c[1]);
        expectPolar(w.outer[0], c[2], c[3], c[0] == 6 ? 550 : 450, 0);
    }
    RecorderScope scope;
    ofFixElapsedTimef(5 * PI_F);  // |sin(0.1 e)| = 1
    ArenaWalls box = walls(8);
    box.update(1);
    EXPECT_XY(box.outer[0], -1250, 130 - 650, 0.05f);
    EXPECT_XY(box.outer[2], 875, 130 + 650, 0.05f);
    ofFixElapsedTimef(1);  // 250 + 50 sin(0.5) = 273.97
    ArenaWalls corridor = walls(9);
    corridor.update(1000);
    EXPECT_XY(corridor.outer[1], 273, -1000, 0.05f);
}

TEST(ArenaWalls, SetupClearsAnEarlierDriftAndTurnsABadShapeIntoShapeZero) {
    LogLines log;
    RecorderScope scope;
    ofFixElapsedTimef(0);
    ArenaWalls w = walls(0);
    w.update(130);
    w.setup(false, false, 5, 9);
    EXPECT_EQ(w.centreX, 0);
    EXPECT_XY(w.outer[0], -250, -1000, 0.05f);
    w.setup(false, false, 1, 10);
    EXPECT_TRUE(w.shape == 0 && w.outer.size() == 11u);
    w.shape = 2;  // changed by hand: the lists follow
    w.update(1);
    EXPECT_EQ(w.inner.size(), 5u);
    EXPECT_EQ(log.lines, Calls{"[ArenaWalls:warning] unknown wall shape 10, using shape 0"});
}

TEST(ArenaInside, SquareEdgesAreHalfOpenWithAStrictX) {
    const std::vector<ofPoint> square = {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}};
    const float cases[][3] = {{50, 0, 1}, {50, 100, 0}, {0, 50, 1}, {100, 50, 0}, {99.99f, 99.99f, 1}, {50, -1, 0}};
    for (const auto& c : cases) EXPECT_EQ(pointInPolygon(square, c[0], c[1]), c[2] == 1) << c[0] << "," << c[1];
    EXPECT_FALSE(pointInPolygon({}, 0, 0));
}

TEST(ArenaInside, DoughnutIslandAndTheStillDecagonsCircleLimit) {
    ArenaWalls d = walls(2, 0);  // outer diamond 1400, island diamond 300
    EXPECT_TRUE(!d.isPointInside(0, -150) && d.isPointInside(301, 0) && !d.isPointInside(1000, 1000));
    EXPECT_FALSE(d.isCircleInside(600, 0, 320));  // its left point falls in the island
    EXPECT_TRUE(d.isCircleInside(600, 0, 290));
    ArenaWalls ring = walls(0, 0);  // corners 1200 out, edges 1141.27 out
    EXPECT_TRUE(ring.isPointInside(1199, 0) && ring.isCircleInside(0, 0, 1141) && !ring.isCircleInside(0, 0, 1142));
}

TEST(ArenaInside, ShipTestWithTheExitOpen) {
    ArenaWalls w = walls(0);
    w.openExit();
    w.update(10);  // a gap of 0.1 rad just below the rotation -1.37444675
    const float gap = -1.37444675f - 0.05f, edge = -1.37444675f + 2.5f * (6.2831855f - 0.1f) / 10;
    // angle, distance, inside
    const float cases[][3] = {{0, 0, 1}, {gap, 1199.5f, 1}, {-1.35444675f, 1199.9f, 0}, {edge, 1170, 0}, {edge, 1200.01f, 1}};
    for (const auto& c : cases) {
        PlayerShip ship;
        ship.point.position.set(std::cos(c[0]) * c[1], std::sin(c[0]) * c[1]);
        EXPECT_EQ(w.isShipInside(ship), c[2] == 1) << c[0] << " " << c[1];
    }
    ArenaWalls doughnut = walls(2, 0);
    PlayerShip ship;  // in the island
    EXPECT_FALSE(doughnut.isShipInside(ship));
    doughnut.openExit();
    EXPECT_TRUE(doughnut.isShipInside(ship));  // only the outer polygon counts now
}
