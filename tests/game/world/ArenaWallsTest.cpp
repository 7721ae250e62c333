#include "ArenaWalls.h"
#include "PlayerShip.h"
#include "WorldTest.h"
#include "pointInPolygon.h"

namespace {

ArenaWalls walls(int shape, int gameMode = 1) {
    ofSeedRandom(7);
    ArenaWalls w;
    w.setup(false, false, gameMode, shape);
    return w;
}

}  // namespace

TEST(ArenaWalls, EveryShapeIsLaidClosedAndFollowsItsClocks) {
    const size_t outerSizes[10] = {11, 9, 5, 13, 17, 13, 11, 11, 5, 5}, innerSizes[10] = {0, 0, 5, 0, 0, 5};
    for (int shape = 0; shape < 10; shape++) {
        ArenaWalls w = walls(shape);
        ASSERT_TRUE(w.outer.size() == outerSizes[shape] && w.inner.size() == innerSizes[shape]) << shape;
        EXPECT_TRUE(w.outer.back() == w.outer.front() && w.outer[1] != ofPoint()) << shape;
    }
    // shape, game mode, updates, dt, program clock, inner list, point index, x, y: the intro ring rests; shape 9
    // follows the program clock alone
    const float rows[][9] = {
        {0, 0, 1, 200, 0, 0, 3, -370.8204f, 1141.268f},   {0, 1, 1, 70, 0, 0, 4, -797.3406f, -294.53f},
        {1, 1, 15, 5, 0, 0, 2, -876.6165f, 1142.429f},    {2, 1, 20, 1, 0, 1, 2, -400, 0},
        {3, 1, 1, 5 * PI_F, 0, 0, 0, 32.47619f, 5.726417f}, {4, 1, 240, 1, 0, 0, 10, -727.8434f, -2202.059f},
        {6, 1, 1, 100, 0, 0, 0, -6776, -1905},            {7, 1, 1, 500, 0, 0, 0, -9750, -4925},
        {8, 1, 1, 1, 5 * PI_F, 0, 2, 875, 780},           {9, 1, 1, 1000, 1, 0, 1, 273, -1000}};
    RecorderScope scope;
    for (const auto& r : rows) {
        ofFixElapsedTimef(r[4]);
        ArenaWalls w = walls(static_cast<int>(r[0]), static_cast<int>(r[1]));
        for (int i = 0; i < r[2]; i++) w.update(r[3]);
        const ofPoint p = (r[5] == 1 ? w.inner : w.outer)[static_cast<int>(r[6])];
        EXPECT_TRUE(std::fabs(p.x - r[7]) < 0.01f && std::fabs(p.y - r[8]) < 0.01f)
            << r[0] << ": " << p.x << "," << p.y;
    }
    for (bool mission : {true, false}) {  // the override holds only for a mission
        ArenaWalls m;
        m.setup(false, mission, 3, 0);
        m.radiusOverride = 700.9f;
        m.update(0);
        EXPECT_NEAR(std::hypot(m.outer[3].x, m.outer[3].y), mission ? 700 : 1200, 0.01);
    }
}

TEST(ArenaWalls, TheRingsEvenPointsTakeTheSecondWaveFromOneHundredFiftySeconds) {
    // time, second wave phase, axes swapped; then odd radius, even radius, centre x, y
    const float rows[][7] = {{149.9f, PI_F / 2, 0, 921, 921, 342.761f, 746.156f},
                             {150, PI_F / 2, 0, 918, 1377, 329.695f, 750.4f},
                             {160, PI_F / 2, 0, 972, 648, -784.749f, 329.695f},
                             {160, -PI_F / 2, 1, 972, 1295, 329.695f, -784.749f},
                             {300, 0.5f, 0, 1547, 1215, -793.423f, -790.425f}};
    for (const auto& r : rows) {
        ArenaWalls w = walls(0);
        w.wavePhase[0] = w.wavePhase[2] = w.wavePhase[3] = 0;
        w.wavePhase[1] = r[1];
        w.swapAxes = r[2] == 1;
        w.update(r[0]);
        EXPECT_EQ(w.radius, r[3]) << r[0];
        EXPECT_TRUE(std::fabs(w.centreX - r[5]) < 0.01f && std::fabs(w.centreY - r[6]) < 0.01f) << r[0];
        for (size_t i = 0; i < w.outer.size(); i++)
            EXPECT_NEAR(std::hypot(w.outer[i].x - w.centreX, w.outer[i].y - w.centreY), r[i % 2 ? 3 : 4], 0.01)
                << r[0] << " point " << i;
    }
}

TEST(ArenaWalls, SetupClearsAnEarlierDriftAndTurnsABadShapeIntoShapeZero) {
    LogRecorder log;
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
    EXPECT_EQ(log.lines(), Calls{"[ArenaWalls:warning] unknown wall shape 10, using shape 0"});
}

TEST(ArenaInside, SquareEdgesAreHalfOpenAndTheDoughnutsIslandIsOutside) {
    const std::vector<ofPoint> square = {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}};
    const float cases[][3] = {{50, 0, 1}, {50, 100, 0}, {0, 50, 1}, {100, 50, 0}, {99.99f, 99.99f, 1}, {50, -1, 0}};
    for (const auto& c : cases) EXPECT_EQ(pointInPolygon(square, c[0], c[1]), c[2] == 1) << c[0] << "," << c[1];
    EXPECT_FALSE(pointInPolygon({}, 0, 0));
    ArenaWalls d = walls(2, 0);  // outer diamond 1400, island diamond 300
    EXPECT_TRUE(!d.isPointInside(0, -150) && d.isPointInside(301, 0) && !d.isPointInside(1000, 1000));
    EXPECT_FALSE(d.isCircleInside(600, 0, 320));                                  // its left point falls in the island
    EXPECT_TRUE(d.isCircleInside(600, 0, 290) && !d.isCircleInside(0, 0, 1000));  // 1000 out at 45° is beyond 989.9
}

TEST(ArenaInside, TheExitGapGrowsAHundredthARadianASecondAndLetsTheShipOut) {
    ArenaWalls w = walls(0);
    w.openExit();
    w.update(10);  // a gap of 0.1 rad just below the rotation -1.37444675
    EXPECT_NEAR(w.exitWidth, 0.1f, 1e-6f);
    const float gap = -1.37444675f - 0.05f, edge = -1.37444675f + 2.5f * (6.2831855f - 0.1f) / 10;
    // angle, distance, inside
    const float cases[][3] = {
        {0, 0, 1}, {gap, 1199.5f, 1}, {-1.35444675f, 1199.9f, 0}, {edge, 1170, 0}, {edge, 1200.01f, 1}};
    for (const auto& c : cases) {
        PlayerShip ship;
        ship.point.position.set(std::cos(c[0]) * c[1], std::sin(c[0]) * c[1]);
        EXPECT_EQ(w.isShipInside(ship), c[2] == 1) << c[0] << " " << c[1];
    }
    w.update(100);
    EXPECT_FLOAT_EQ(w.exitWidth, PI_F / 8);
    ArenaWalls doughnut = walls(2, 0);
    PlayerShip ship;  // in the island
    EXPECT_FALSE(doughnut.isShipInside(ship));
    doughnut.openExit();
    doughnut.update(5);  // other shapes only stop closing, and only the outer polygon counts
    EXPECT_TRUE(doughnut.isShipInside(ship) && doughnut.exitWidth == 0);
}
