#include <gtest/gtest.h>

#include <vector>

#include "ofPolyline.h"

namespace {

// Every point of line, in order, within 1e-5.
void expectPoints(const ofPolyline& line, const std::vector<ofPoint>& expected) {
    ASSERT_EQ(line.size(), static_cast<int>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        const ofPoint& p = line[static_cast<int>(i)];
        EXPECT_NEAR(p.x, expected[i].x, 1e-5) << "point " << i;
        EXPECT_NEAR(p.y, expected[i].y, 1e-5) << "point " << i;
        EXPECT_NEAR(p.z, expected[i].z, 1e-5) << "point " << i;
    }
}

ofPolyline arc(float from, float to, bool clockwise, int resolution) {
    ofPolyline line;
    line.arc(ofPoint(), 1, 1, from, to, clockwise, resolution);
    return line;
}

}  // namespace

TEST(Polyline, ArcsRunThroughTheTableWithExactEnds) {
    const float s = 0.70710678f;
    // A full clockwise turn has resolution + 1 points.
    expectPoints(arc(0, 360, true, 4), {ofPoint(1, 0), ofPoint(0, 1), ofPoint(-1, 0), ofPoint(0, -1), ofPoint(1, 0)});
    ofPolyline circle = arc(0, 360, true, 20);
    ASSERT_EQ(circle.size(), 21);
    EXPECT_NEAR(circle[5].y, 1, 1e-5);
    // Equal angles make a full turn too; off the table's corners the turn
    // has the exact start, every table point and the exact end.
    expectPoints(arc(45, 45, true, 4),
                 {ofPoint(s, s), ofPoint(0, 1), ofPoint(-1, 0), ofPoint(0, -1), ofPoint(1, 0), ofPoint(s, s)});
    // Counter-clockwise runs down through the table.
    expectPoints(arc(0, 90, false, 4), {ofPoint(1, 0), ofPoint(0, -1), ofPoint(-1, 0), ofPoint(0, 1)});
    // Angles wrap.
    expectPoints(arc(-90, 450, true, 4), {ofPoint(0, -1), ofPoint(1, 0), ofPoint(0, 1)});
    expectPoints(arc(270, 90, true, 4), {ofPoint(0, -1), ofPoint(1, 0), ofPoint(0, 1)});
    // Resolutions below 2 are 2.
    for (int res : {0, 1, -5}) expectPoints(arc(0, 360, true, res), {ofPoint(1, 0), ofPoint(-1, 0), ofPoint(1, 0)});

    // Radii scale, the centre moves, and its depth is kept.
    ofPolyline line;
    line.lineTo(ofPoint(-1, -1, -1));
    line.arc(ofPoint(10, 20, 5), 2, 3, 0, 360, true, 4);
    expectPoints(line, {ofPoint(-1, -1, -1), ofPoint(12, 20, 5), ofPoint(10, 23, 5), ofPoint(8, 20, 5),
                        ofPoint(10, 17, 5), ofPoint(12, 20, 5)});
}

TEST(Polyline, CatmullRomWaitsForFourPoints) {
    ofPolyline line;
    line.curveTo(ofPoint(0, 0), 3);
    line.curveTo(ofPoint(1, 0), 3);
    line.curveTo(ofPoint(2, 2), 3);
    EXPECT_EQ(line.size(), 0);
    line.curveTo(ofPoint(3, 0), 3);
    expectPoints(line, {ofPoint(1, 0), ofPoint(1.5f, 1.125f), ofPoint(2, 2)});
    // The oldest point left the queue: the next one continues the curve.
    line.curveTo(ofPoint(4, 4), 3);
    ASSERT_EQ(line.size(), 6);
    EXPECT_EQ(line[3], ofPoint(2, 2));
    EXPECT_EQ(line[5], ofPoint(3, 0));

    // lineTo empties the queue, and so does clear, which also opens the line.
    line.lineTo(ofPoint(9, 9));
    for (int i = 0; i < 3; ++i) line.curveTo(ofPoint(0, 0), 3);
    EXPECT_EQ(line.size(), 7);
    line.setClosed(true);
    line.clear();
    EXPECT_FALSE(line.isClosed());
    EXPECT_EQ(line.size(), 0);
    line.curveTo(ofPoint(3, 0), 3);
    EXPECT_EQ(line.size(), 0);
}

TEST(Polyline, BeziersStartWhereTheyShould) {
    // The cubic starts at the line's last point, so needs one.
    ofPolyline line;
    line.bezierTo(ofPoint(0, 10), ofPoint(10, 10), ofPoint(10, 0), 3);
    EXPECT_EQ(line.size(), 0);
    line.lineTo(ofPoint(0, 0));
    line.bezierTo(ofPoint(0, 10), ofPoint(10, 10), ofPoint(10, 0), 3);
    expectPoints(line, {ofPoint(0, 0), ofPoint(0, 0), ofPoint(5, 7.5f), ofPoint(10, 0)});

    // The quadratic starts at its own first point.
    ofPolyline quad;
    quad.lineTo(ofPoint(100, 100));
    quad.quadBezierTo(ofPoint(0, 0), ofPoint(10, 20), ofPoint(20, 0), 4);
    quad.quadBezierTo(1, 2, 3, 4, 5, 6, 7, 8, 9, 2);
    expectPoints(quad, {ofPoint(100, 100), ofPoint(0, 0), ofPoint(5, 7.5f), ofPoint(10, 10), ofPoint(15, 7.5f),
                        ofPoint(20, 0), ofPoint(1, 2, 3), ofPoint(4, 5, 6), ofPoint(7, 8, 9)});
}

TEST(Polyline, CurveResolutionBelowTwoIsTwo) {
    ofPolyline line;
    for (int i = 0; i < 4; ++i) line.curveTo(ofPoint(float(i), 0), 1);
    line.bezierTo(ofPoint(3, 0), ofPoint(4, 0), ofPoint(5, 0), 0);
    line.quadBezierTo(ofPoint(0, 0), ofPoint(1, 1), ofPoint(2, 0), -3);
    expectPoints(line, {ofPoint(1, 0), ofPoint(2, 0), ofPoint(2, 0), ofPoint(5, 0), ofPoint(0, 0), ofPoint(1, 0.5f),
                        ofPoint(2, 0)});
}

TEST(Polyline, SimplifyDropsNearPointsAndFlatRuns) {
    auto simplified = [](std::vector<ofPoint> points, float tolerance) {
        ofPolyline line;
        for (const ofPoint& p : points) line.lineTo(p);
        line.simplify(tolerance);
        return line.getVertices();
    };
    typedef std::vector<ofPoint> Points;
    EXPECT_EQ(simplified({}, 1), Points{});
    EXPECT_EQ(simplified({ofPoint(0, 0), ofPoint(0.1f, 0)}, 1), (Points{ofPoint(0, 0), ofPoint(0.1f, 0)}));
    EXPECT_EQ(simplified({ofPoint(0, 0), ofPoint(1, 0.01f), ofPoint(2, 0), ofPoint(3, 0.01f), ofPoint(4, 0)}, 0.1f),
              (Points{ofPoint(0, 0), ofPoint(4, 0)}));
    Points spike = {ofPoint(0, 0), ofPoint(1, 0), ofPoint(2, 5), ofPoint(3, 0), ofPoint(4, 0)};
    EXPECT_EQ(simplified(spike, 0.5f), spike);  // (1, 0) lies about 0.93 from the chord to the spike
    EXPECT_EQ(simplified(spike, 1.0f), (Points{ofPoint(0, 0), ofPoint(2, 5), ofPoint(4, 0)}));
    // Points near the last kept one go, but the very last point always stays.
    EXPECT_EQ(simplified({ofPoint(0, 0), ofPoint(0.1f, 0), ofPoint(3, 3), ofPoint(3.1f, 3), ofPoint(3.2f, 0)}, 0.5f),
              (Points{ofPoint(0, 0), ofPoint(3, 3), ofPoint(3.2f, 0)}));
    EXPECT_EQ(simplified({ofPoint(0, 0), ofPoint(0, 3), ofPoint(0.1f, 3)}, 0.5f),
              (Points{ofPoint(0, 0), ofPoint(0.1f, 3)}));
}
