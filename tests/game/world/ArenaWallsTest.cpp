#include "ArenaWalls.h"
#include "PlayerShip.h"
#include "WorldTest.h"
#include "pointInPolygon.h"

namespace {

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

TEST(ArenaWalls, EveryShapeFollowsItsClocksToTheseWallPoints) {
    // shape, game mode, seed, updates, dt, program clock, inner list, point index, x, y: the intro ring rests; shape 9
    // follows the program clock alone
    // clang-format off
    const float rows[][10] = {
        {0, 0, 7, 1, 200, 0, 0, 3, -370.8204f, 1141.268f}, {0, 1, 7, 1, 70, 0, 0, 4, -797.3406f, -294.53f},
        {0, 1, 11, 1, 160, 0, 0, 1, -1697.062f, 665.0604f}, {1, 1, 7, 1, 35, 0, 0, 2, -1142.429f, -876.6164f},
        {1, 1, 7, 8, 5, 0, 0, 2, -1247.077f, 720.0001f}, {1, 1, 7, 15, 5, 0, 0, 2, -876.6165f, 1142.429f},
        {2, 1, 7, 0, 0, 0, 0, 1, 0, 1400}, {2, 1, 7, 10, 1, 0, 1, 2, -300, 0}, {2, 1, 7, 20, 1, 0, 1, 2, -400, 0},
        {3, 1, 7, 0, 0, 0, 0, 3, -1599.025f, -55.83902f}, {3, 1, 7, 1, 5 * PI_F, 0, 0, 0, 32.47619f, 5.726417f},
        {4, 1, 7, 0, 0, 0, 0, 14, 1166.726f, -1166.726f}, {4, 1, 7, 240, 1, 0, 0, 2, -803.8633f, 216.7469f},
        {4, 1, 7, 240, 1, 0, 0, 10, -727.8434f, -2202.059f}, {6, 1, 7, 1, 5.25f, 0, 0, 0, -574.75f, -1233.653f},
        {6, 1, 7, 1, 44, 0, 0, 0, -6627.5f, -2155.943f}, {6, 1, 7, 1, 100, 0, 0, 0, -6776, -1905},
        {7, 1, 7, 1, 9.5f, 0, 0, 0, -1563, -2437}, {7, 1, 7, 1, 500, 0, 0, 0, -9750, -4925},
        {8, 1, 7, 1, 1, 5 * PI_F, 0, 2, 875, 780}, {9, 1, 7, 1, 1000, 1, 0, 1, 273, -1000},
        {9, 1, 7, 1, 1, 1, 0, 1, 273, -1000}};
    // clang-format on
    RecorderScope scope;
    for (const auto& r : rows) {
        ofFixElapsedTimef(r[5]);
        ArenaWalls w = walls(static_cast<int>(r[0]), static_cast<int>(r[1]), static_cast<unsigned>(r[2]));
        for (int i = 0; i < r[3]; i++) w.update(r[4]);
        const ofPoint p = (r[6] == 1 ? w.inner : w.outer)[static_cast<int>(r[7])];
        EXPECT_TRUE(std::fabs(p.x - r[8]) < 0.01f && std::fabs(p.y - r[9]) < 0.01f)
            << r[0] << " at " << r[3] * r[4] << ": " << p.x << "," << p.y;
    }
    for (bool mission : {true, false}) {  // the override holds only for a mission
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
    EXPECT_TRUE(std::fabs(w.exitWidth - 0.1f) < 1e-6f && w.centreX == 0);
    EXPECT_XY(w.outer[0], 1200 * std::cos(-1.37444675f), 1200 * std::sin(-1.37444675f), 0.05f);
    EXPECT_XY(w.outer[10], 1200 * std::cos(-1.47444675f), 1200 * std::sin(-1.47444675f), 0.05f);  // left open
    w.update(100);
    EXPECT_FLOAT_EQ(w.exitWidth, PI_F / 8);
    ArenaWalls blob = walls(3);  // other shapes only stop closing
    blob.openExit();
    blob.update(5);
    EXPECT_TRUE(blob.exitWidth == 0 && blob.outer.back() != blob.outer.front());
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
    EXPECT_FALSE(d.isCircleInside(600, 0, 320));                                  // its left point falls in the island
    EXPECT_TRUE(d.isCircleInside(600, 0, 290) && !d.isCircleInside(0, 0, 1000));  // 1000 out at 45° is beyond 989.9
    ArenaWalls ring = walls(0, 0);                                                // corners 1200 out, edges 1141.27 out
    EXPECT_TRUE(ring.isPointInside(1199, 0) && ring.isCircleInside(0, 0, 1141) && !ring.isCircleInside(0, 0, 1142));
}

TEST(ArenaInside, ShipTestWithTheExitOpen) {
    ArenaWalls w = walls(0);
    w.openExit();
    w.update(10);  // a gap of 0.1 rad just below the rotation -1.37444675
    const float gap = -1.37444675f - 0.05f, edge = -1.37444675f + 2.5f * (6.2831855f - 0.1f) / 10;
    // angle, distance, inside
    const float cases[][3] = {
        {0, 0, 1}, {gap, 1199.5f, 1}, {-1.35444675f, 1199.9f, 0}, {edge, 1170, 0}, {edge, 1200.01f, 1}};
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
