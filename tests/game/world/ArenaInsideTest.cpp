#include <gtest/gtest.h>

#include <vector>

#include "ArenaWalls.h"
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
