#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ArenaWalls.h"
#include "PlayerShip.h"
#include "pointInPolygon.h"

namespace {

ArenaWalls walls(int shape) {
    ArenaWalls w;
    w.setup(false, false, 0, shape);
    return w;
}

}  // namespace

TEST(ArenaInside, SquareEdgesAreHalfOpenWithAStrictX) {
    const std::vector<ofPoint> square = {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}};
    struct Case {
        float x, y;
        bool inside;
    } cases[] = {{50, 0, true}, {50, 100, false}, {0, 50, true}, {100, 50, false}, {99.99f, 99.99f, true}, {50, -1, false}};
    for (const Case& c : cases) EXPECT_EQ(pointInPolygon(square, c.x, c.y), c.inside) << c.x << "," << c.y;
    EXPECT_FALSE(pointInPolygon({}, 0, 0));
}

TEST(ArenaInside, DoughnutIslandAndTheStillDecagonsCircleLimit) {
    ArenaWalls d = walls(2);  // outer diamond 1400, island diamond 300
    EXPECT_FALSE(d.isPointInside(0, -150));
    EXPECT_TRUE(d.isPointInside(301, 0));
    EXPECT_FALSE(d.isPointInside(1000, 1000));
    EXPECT_FALSE(d.isCircleInside(600, 0, 320));  // its left point falls in the island
    EXPECT_TRUE(d.isCircleInside(600, 0, 290));

    ArenaWalls ring = walls(0);  // corners 1200 out, edges 1141.27 out
    EXPECT_TRUE(ring.isPointInside(1199, 0));
    EXPECT_TRUE(ring.isCircleInside(0, 0, 1141));
    EXPECT_FALSE(ring.isCircleInside(0, 0, 1142));
}

TEST(ArenaInside, ShipTestWithTheExitOpen) {
    ArenaWalls w;
    w.setup(false, false, 1, 0);
    w.openExit();
    w.update(10);  // a gap of 0.1 rad just below the rotation -1.37444675
    const float gap = -1.37444675f - 0.05f, edge = -1.37444675f + 2.5f * (6.2831855f - 0.1f) / 10;
    struct Case {
        float angle, distance;
        bool inside;
    } cases[] = {{0, 0, true},       {gap, 1199.5f, true},  {-1.35444675f, 1199.9f, false},
                 {edge, 1170, false}, {edge, 1200.01f, true}};
    for (const Case& c : cases) {
        PlayerShip ship;
        ship.point.position.set(std::cos(c.angle) * c.distance, std::sin(c.angle) * c.distance);
        EXPECT_EQ(w.isShipInside(ship), c.inside) << c.angle << " " << c.distance;
    }
    ArenaWalls doughnut = walls(2);
    PlayerShip ship;  // in the island
    EXPECT_FALSE(doughnut.isShipInside(ship));
    doughnut.openExit();
    EXPECT_TRUE(doughnut.isShipInside(ship));  // only the outer polygon counts now
}
