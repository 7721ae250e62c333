#include <gtest/gtest.h>

#include <vector>

#include "ofPolyline.h"

namespace {

void expectNear(const ofPoint& p, float x, float y, float z = 0) {
    EXPECT_NEAR(p.x, x, 1e-5) << "(" << p.x << "," << p.y << "," << p.z << ")";
    EXPECT_NEAR(p.y, y, 1e-5) << "(" << p.x << "," << p.y << "," << p.z << ")";
    EXPECT_NEAR(p.z, z, 1e-5);
}

}  // namespace

TEST(Polyline, FullClockwiseArcHasResolutionPlusOnePoints) {
    ofPolyline line;
    line.arc(ofPoint(), 1, 1, 0, 360, true, 4);
    ASSERT_EQ(line.size(), 5);
    expectNear(line[0], 1, 0);
    expectNear(line[1], 0, 1);
    expectNear(line[2], -1, 0);
    expectNear(line[3], 0, -1);
    expectNear(line[4], 1, 0);

    ofPolyline circle;
    circle.arc(ofPoint(), 1, 1, 0, 360, true, 20);
    ASSERT_EQ(circle.size(), 21);
    expectNear(circle[20], circle[0].x, circle[0].y);
    expectNear(circle[5], 0, 1);

    // Equal angles make a full turn too; off the table's corners the turn
    // has the exact start, every table point and the exact end.
    ofPolyline same;
    same.arc(ofPoint(), 1, 1, 45, 45, true, 4);
    ASSERT_EQ(same.size(), 6);
    expectNear(same[0], 0.70710678f, 0.70710678f);
    expectNear(same[1], 0, 1);
    expectNear(same[4], 1, 0);
    expectNear(same[5], same[0].x, same[0].y);
}

TEST(Polyline, ArcScalesMovesAndKeepsTheCentreDepth) {
    ofPolyline line;
    line.lineTo(ofPoint(-1, -1, -1));
    line.arc(ofPoint(10, 20, 5), 2, 3, 0, 360, true, 4);
    ASSERT_EQ(line.size(), 6);
    expectNear(line[1], 12, 20, 5);
    expectNear(line[2], 10, 23, 5);
    expectNear(line[3], 8, 20, 5);
}

TEST(Polyline, CounterClockwiseArcRunsDownThroughTheTable) {
    ofPolyline line;
    line.arc(ofPoint(), 1, 1, 0, 90, false, 4);
    ASSERT_EQ(line.size(), 4);
    expectNear(line[0], 1, 0);
    expectNear(line[1], 0, -1);
    expectNear(line[2], -1, 0);
    expectNear(line[3], 0, 1);
}

TEST(Polyline, ArcAnglesWrapAndLowResolutionsBecomeTwo) {
    ofPolyline wrapped, plain;
    wrapped.arc(ofPoint(), 1, 1, -90, 450, true, 4);
    plain.arc(ofPoint(), 1, 1, 270, 90, true, 4);
    ASSERT_EQ(wrapped.size(), 3);
    ASSERT_EQ(plain.size(), 3);
    expectNear(wrapped[0], 0, -1);
    expectNear(wrapped[1], 1, 0);
    expectNear(wrapped[2], 0, 1);
    for (int i = 0; i < 3; ++i) expectNear(plain[i], wrapped[i].x, wrapped[i].y);

    for (int res : {0, 1, -5}) {
        ofPolyline low;
        low.arc(ofPoint(), 1, 1, 0, 360, true, res);
        ASSERT_EQ(low.size(), 3) << res;
        expectNear(low[1], -1, 0);
    }
}

TEST(Polyline, CatmullRomWaitsForFourPoints) {
    ofPolyline line;
    line.curveTo(ofPoint(0, 0), 3);
    line.curveTo(ofPoint(1, 0), 3);
    line.curveTo(ofPoint(2, 2), 3);
    EXPECT_EQ(line.size(), 0);
    line.curveTo(ofPoint(3, 0), 3);
    ASSERT_EQ(line.size(), 3);
    expectNear(line[0], 1, 0);
    expectNear(line[1], 1.5f, 1.125f);
    expectNear(line[2], 2, 2);
    // The oldest point left the queue: the next one continues the curve.
    line.curveTo(ofPoint(4, 4), 3);
    ASSERT_EQ(line.size(), 6);
    expectNear(line[3], 2, 2);
    expectNear(line[5], 3, 0);

    // lineTo empties the queue.
    line.lineTo(ofPoint(9, 9));
    line.curveTo(ofPoint(0, 0), 3);
    line.curveTo(ofPoint(0, 0), 3);
    line.curveTo(ofPoint(0, 0), 3);
    EXPECT_EQ(line.size(), 7);
}

TEST(Polyline, CurveResolutionBelowTwoIsTwo) {
    ofPolyline line;
    for (int i = 0; i < 4; ++i) line.curveTo(ofPoint(float(i), 0), 1);
    ASSERT_EQ(line.size(), 2);
    expectNear(line[0], 1, 0);
    expectNear(line[1], 2, 0);
    line.bezierTo(ofPoint(3, 0), ofPoint(4, 0), ofPoint(5, 0), 0);
    ASSERT_EQ(line.size(), 4);
    expectNear(line[3], 5, 0);
    line.quadBezierTo(ofPoint(0, 0), ofPoint(1, 1), ofPoint(2, 0), -3);
    ASSERT_EQ(line.size(), 7);
    expectNear(line[5], 1, 0.5f);
}

TEST(Polyline, CubicBezierStartsAtTheLastPoint) {
    ofPolyline empty;
    empty.bezierTo(ofPoint(0, 10), ofPoint(10, 10), ofPoint(10, 0), 3);
    EXPECT_EQ(empty.size(), 0);

    ofPolyline line;
    line.lineTo(ofPoint(0, 0));
    line.bezierTo(ofPoint(0, 10), ofPoint(10, 10), ofPoint(10, 0), 3);
    ASSERT_EQ(line.size(), 4);
    expectNear(line[1], 0, 0);
    expectNear(line[2], 5, 7.5f);
    expectNear(line[3], 10, 0);
}

TEST(Polyline, QuadraticBezierStartsAtItsFirstPoint) {
    ofPolyline line;
    line.lineTo(ofPoint(100, 100));
    line.quadBezierTo(ofPoint(0, 0), ofPoint(10, 20), ofPoint(20, 0), 4);
    ASSERT_EQ(line.size(), 6);
    expectNear(line[1], 0, 0);
    expectNear(line[2], 5, 7.5f);
    expectNear(line[3], 10, 10);
    expectNear(line[4], 15, 7.5f);
    expectNear(line[5], 20, 0);
    line.quadBezierTo(1, 2, 3, 4, 5, 6, 7, 8, 9, 2);
    ASSERT_EQ(line.size(), 9);
    expectNear(line[6], 1, 2, 3);
    expectNear(line[7], 4, 5, 6);
    expectNear(line[8], 7, 8, 9);
}

TEST(Polyline, ClearOpensAndEmpties) {
    ofPolyline line;
    line.curveTo(ofPoint(0, 0), 3);
    line.curveTo(ofPoint(1, 0), 3);
    line.curveTo(ofPoint(2, 0), 3);
    line.setClosed(true);
    line.clear();
    EXPECT_FALSE(line.isClosed());
    EXPECT_EQ(line.size(), 0);
    line.curveTo(ofPoint(3, 0), 3);
    EXPECT_EQ(line.size(), 0);  // the queue went with the clear
    const ofPoint pts[] = {ofPoint(1, 1), ofPoint(2, 2)};
    line.addVertices(pts, 2);
    line.addVertices(pts, 0);
    EXPECT_EQ(line.getVertices(), (std::vector<ofPoint>{ofPoint(1, 1), ofPoint(2, 2)}));
}

TEST(Polyline, SimplifyDropsNearPointsAndFlatRuns) {
    ofPolyline empty;
    empty.simplify(1);
    EXPECT_EQ(empty.size(), 0);

    ofPolyline two;
    two.lineTo(ofPoint(0, 0));
    two.lineTo(ofPoint(0.1f, 0));
    two.simplify(1);
    EXPECT_EQ(two.size(), 2);

    ofPolyline flat;
    for (ofPoint p : {ofPoint(0, 0), ofPoint(1, 0.01f), ofPoint(2, 0), ofPoint(3, 0.01f), ofPoint(4, 0)}) flat.lineTo(p);
    flat.simplify(0.1f);
    EXPECT_EQ(flat.getVertices(), (std::vector<ofPoint>{ofPoint(0, 0), ofPoint(4, 0)}));

    std::vector<ofPoint> spike = {ofPoint(0, 0), ofPoint(1, 0), ofPoint(2, 5), ofPoint(3, 0), ofPoint(4, 0)};
    ofPolyline keep, coarse;
    keep.addVertices(spike.data(), 5);
    coarse.addVertices(spike.data(), 5);
    keep.simplify(0.5f);  // (1, 0) lies about 0.93 from the chord to the spike
    EXPECT_EQ(keep.getVertices(), spike);
    coarse.simplify(1.0f);
    EXPECT_EQ(coarse.getVertices(), (std::vector<ofPoint>{ofPoint(0, 0), ofPoint(2, 5), ofPoint(4, 0)}));

    // Points near the last kept one go, but the very last point always stays.
    ofPolyline tail;
    for (ofPoint p : {ofPoint(0, 0), ofPoint(0.1f, 0), ofPoint(3, 3), ofPoint(3.1f, 3), ofPoint(3.2f, 0)}) {
        tail.lineTo(p);
    }
    tail.simplify(0.5f);
    EXPECT_EQ(tail.getVertices(), (std::vector<ofPoint>{ofPoint(0, 0), ofPoint(3, 3), ofPoint(3.2f, 0)}));
    ofPolyline end;
    for (ofPoint p : {ofPoint(0, 0), ofPoint(0, 3), ofPoint(0.1f, 3)}) end.lineTo(p);
    end.simplify(0.5f);
    EXPECT_EQ(end.getVertices(), (std::vector<ofPoint>{ofPoint(0, 0), ofPoint(0.1f, 3)}));
}
