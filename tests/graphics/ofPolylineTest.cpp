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

}  // namespace

TEST(Polyline, CurvesStartWhereTheyShouldAndTakeResolutionsBelowTwoAsTwo) {
    // Catmull-Rom waits for four points.
    ofPolyline line;
    for (ofPoint p : {ofPoint(0, 0), ofPoint(1, 0), ofPoint(2, 2), ofPoint(3, 0)}) line.curveTo(p, 3);
    expectPoints(line, {ofPoint(1, 0), ofPoint(1.5f, 1.125f), ofPoint(2, 2)});
    // clear empties the queue (as lineTo does) and opens the line.
    line.setClosed(true);
    line.clear();
    line.curveTo(ofPoint(3, 0), 3);
    EXPECT_FALSE(line.isClosed());
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
