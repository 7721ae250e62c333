#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ArenaWalls.h"
#include "PlayerShip.h"
#include "ofMath.h"
#include "pointInPolygon.h"

namespace {

const std::vector<ofPoint> square = {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}};

ArenaWalls walls(int shape) {
    ofSeedRandom(5);
    ArenaWalls w;
    w.setup(false, false, 0, shape);
    return w;
}

}  // namespace

TEST(PointInPolygon, EdgesAreHalfOpenAndXIsStrict) {
    struct Case {
        float x, y;
        bool inside;
    } cases[] = {
        {50, 50, true},     {50, 0, true},       // bottom edge counts
        {50, 100, false},                        // top edge does not
        {0, 50, true},      {100, 50, false},    // left in, right out
        {0, 0, true},       {100, 100, false},   {-0.001f, 50, false},
        {99.999f, 99.999f, true}, {150, 50, false}, {50, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(pointInPolygon(square, c.x, c.y), c.inside);
    }
    // The closing point adds nothing; no points, nothing inside.
    std::vector<ofPoint> open(square.begin(), square.end() - 1);
    EXPECT_TRUE(pointInPolygon(open, 50, 0));
    EXPECT_FALSE(pointInPolygon({}, 0, 0));
}

TEST(ArenaInside, IslandOfTheDoughnutIsOutside) {
    ArenaWalls w = walls(2);  // outer diamond 1400, island diamond 300
    struct Case {
        float x, y;
        bool inside;
    } cases[] = {{0, 0, false}, {299, 0, false}, {0, -150, false}, {301, 0, true},
                 {0, 900, true}, {1399, 0, true}, {1000, 1000, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(w.isPointInside(c.x, c.y), c.inside);
    }
    EXPECT_FALSE(w.isCircleInside(600, 0, 320));  // its left point falls in the island
    EXPECT_TRUE(w.isCircleInside(600, 0, 290));
}

TEST(ArenaInside, StillDecagonHoldsCirclesUpToItsInnerRadius) {
    ArenaWalls w = walls(0);  // corners at 0, 36, 72 ... degrees; edges 1141.27 away
    EXPECT_TRUE(w.isPointInside(1199, 0));
    EXPECT_TRUE(w.isCircleInside(0, 0, 1141));
    EXPECT_FALSE(w.isCircleInside(0, 0, 1142));
    EXPECT_FALSE(w.isCircleInside(2000, 0, 10));
}

TEST(ArenaInside, OnlyEightPointsOfACircleAreTested) {
    ArenaWalls w;
    // A square with a thin spike reaching in between the 0 and 45 degree points.
    w.outer = {{-100, -100}, {100, -100}, {100, 30}, {45, 20}, {100, 45}, {100, 100}, {-100, 100}, {-100, -100}};
    EXPECT_FALSE(w.isPointInside(60, 25));
    EXPECT_TRUE(w.isCircleInside(0, 0, 80));
    EXPECT_FALSE(w.isCircleInside(0, 0, 101));
}

TEST(ArenaInside, ShipTestWithTheExitOpen) {
    ofSeedRandom(5);
    ArenaWalls w;
    w.setup(false, false, 1, 0);
    w.openExit();
    w.update(10);  // gap of 0.1 rad just below the rotation -1.37444675
    const float gapMiddle = -1.37444675f - 0.05f, wallSide = -1.37444675f + 2.5f * (6.2831855f - 0.1f) / 10;
    struct Case {
        float angle, distance;
        bool inside;
    } cases[] = {
        {0, 0, true},                   // in the outer polygon
        {gapMiddle, 1199.5f, true},     // past the chord across the gap, in its direction
        {-1.37444675f + 0.02f, 1199.9f, false},  // just beside the gap, outside the wall
        {wallSide, 1170, false},        // beyond an edge, inside the nominal radius
        {wallSide, 1200.01f, true},     // beyond the radius: it has left the field
        {2.0f, 5000, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.angle << " " << c.distance);
        PlayerShip ship;
        ship.point.position.set(std::cos(c.angle) * c.distance, std::sin(c.angle) * c.distance);
        EXPECT_EQ(w.isShipInside(ship), c.inside);
    }

    // With the exit closed the ship test is the point test, island and all.
    ArenaWalls doughnut = walls(2);
    PlayerShip ship;
    EXPECT_FALSE(doughnut.isShipInside(ship));
    ship.point.position.set(1300, 0);
    EXPECT_TRUE(doughnut.isShipInside(ship));
    doughnut.openExit();
    ship.point.position.set(0, 0);
    EXPECT_TRUE(doughnut.isShipInside(ship));  // only the outer polygon counts now
}
