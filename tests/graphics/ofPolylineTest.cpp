#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ofPolyline.h"

namespace {

typedef std::vector<ofPoint> Points;

// Every point of line, in order, within 1e-5.
void expectPoints(const ofPolyline& line, const Points& expected) {
    ASSERT_EQ(line.size(), static_cast<int>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        const ofPoint &p = line[static_cast<int>(i)], &q = expected[i];
        EXPECT_LT(std::abs(p.x - q.x) + std::abs(p.y - q.y) + std::abs(p.z - q.z), 1e-5)
            << "point " << i << ": " << p.x << "," << p.y << "," << p.z;
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
    expectPoints(arc(0, 360, true, 4), {ofPoint(1, 0), ofPoint(0, 1), ofPoint(-1, 0), ofPoint(0, -1), ofPoint(1, 0)});
    // Equal angles make a full turn too; off the table's corners the turn
    // has the exact start, every table point and the exact end.
    expectPoints(arc(45, 45, true, 4),
                 {ofPoint(s, s), ofPoint(0, 1), ofPoint(-1, 0), ofPoint(0, -1), ofPoint(1, 0), ofPoint(s, s)});
    expectPoints(arc(-90, 450, true, 4), {ofPoint(0, -1), ofPoint(1, 0), ofPoint(0, 1)});  // angles wrap
    expectPoints(arc(0, 360, true, -5), {ofPoint(1, 0), ofPoint(-1, 0), ofPoint(1, 0)});   // resolutions below 2 are 2
    // Radii scale, the centre moves, and its depth is kept.
    ofPolyline line;
    line.arc(ofPoint(10, 20, 5), 2, 3, 0, 360, true, 4);
    expectPoints(line, {ofPoint(12, 20, 5), ofPoint(10, 23, 5), ofPoint(8, 20, 5), ofPoint(10, 17, 5), ofPoint(12, 20, 5)});
}

TEST(Polyline, CurvesStartWhereTheyShouldAndTakeResolutionsBelowTwoAsTwo) {
    // Catmull-Rom waits for four points; the oldest then leaves the queue.
    ofPolyline line;
    for (ofPoint p : {ofPoint(0, 0), ofPoint(1, 0), ofPoint(2, 2), ofPoint(3, 0), ofPoint(4, 4)}) line.curveTo(p, 3);
    expectPoints(line, {ofPoint(1, 0), ofPoint(1.5f, 1.125f), ofPoint(2, 2), ofPoint(2, 2), ofPoint(2.5f, 0.875f),
                        ofPoint(3, 0)});
    // lineTo empties the queue, and so does clear, which also opens the line.
    line.lineTo(ofPoint(9, 9));
    for (int i = 0; i < 3; ++i) line.curveTo(ofPoint(0, 0), 3);
    EXPECT_EQ(line.size(), 7);
    line.setClosed(true);
    line.clear();
    line.curveTo(ofPoint(3, 0), 3);
    EXPECT_FALSE(line.isClosed());
    EXPECT_EQ(line.size(), 0);

    // The cubic starts at the line's last point, so needs one; the quadratic
    // starts at its own first point.
    line.bezierTo(ofPoint(0, 10), ofPoint(10, 10), ofPoint(10, 0), 3);
    line.lineTo(ofPoint(0, 0));
    line.bezierTo(ofPoint(0, 10), ofPoint(10, 10), ofPoint(10, 0), 3);
    line.quadBezierTo(ofPoint(0, 0), ofPoint(10, 20), ofPoint(20, 0), 4);
    line.bezierTo(ofPoint(3, 0), ofPoint(4, 0), ofPoint(5, 0), 0);
    line.quadBezierTo(ofPoint(0, 0), ofPoint(1, 1), ofPoint(2, 0), -3);
    expectPoints(line, {ofPoint(0, 0), ofPoint(0, 0), ofPoint(5, 7.5f), ofPoint(10, 0), ofPoint(0, 0), ofPoint(5, 7.5f),
                        ofPoint(10, 10), ofPoint(15, 7.5f), ofPoint(20, 0), ofPoint(20, 0), ofPoint(5, 0), ofPoint(0, 0),
                        ofPoint(1, 0.5f), ofPoint(2, 0)});
}

TEST(Polyline, SimplifyDropsNearPointsAndFlatRunsButKeepsTheLast) {
    auto simplified = [](Points points, float tolerance) {
        ofPolyline line;
        for (const ofPoint& p : points) line.lineTo(p);
        line.simplify(tolerance);
        return line.getVertices();
    };
    EXPECT_EQ(simplified({ofPoint(0, 0), ofPoint(1, 0.01f), ofPoint(2, 0), ofPoint(3, 0.01f), ofPoint(4, 0)}, 0.1f),
              (Points{ofPoint(0, 0), ofPoint(4, 0)}));
    Points spike = {ofPoint(0, 0), ofPoint(1, 0), ofPoint(2, 5), ofPoint(3, 0), ofPoint(4, 0)};
    EXPECT_EQ(simplified(spike, 1.0f), (Points{ofPoint(0, 0), ofPoint(2, 5), ofPoint(4, 0)}));
    EXPECT_EQ(simplified({ofPoint(0, 0), ofPoint(0.1f, 0), ofPoint(3, 3), ofPoint(3.1f, 3), ofPoint(3.2f, 0)}, 0.5f),
              (Points{ofPoint(0, 0), ofPoint(3, 3), ofPoint(3.2f, 0)}));
}
