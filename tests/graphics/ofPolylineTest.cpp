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

TEST(Polyline, ArcsRunThroughTheTableWithExactEnds) {
    auto arc = [](float from, float to, bool clockwise, int resolution) {
        ofPolyline line;
        line.arc(ofPoint(), 1, 1, from, to, clockwise, resolution);
        return line;
    };
    const float s = 0.70710678f;
    const struct {
        float from, to;
        bool clockwise;
        int resolution;
        Points points;
    } cases[] = {
        // A full clockwise turn has resolution + 1 points.
        {0, 360, true, 4, {ofPoint(1, 0), ofPoint(0, 1), ofPoint(-1, 0), ofPoint(0, -1), ofPoint(1, 0)}},
        // Equal angles make a full turn too; off the table's corners the turn
        // has the exact start, every table point and the exact end.
        {45, 45, true, 4, {ofPoint(s, s), ofPoint(0, 1), ofPoint(-1, 0), ofPoint(0, -1), ofPoint(1, 0), ofPoint(s, s)}},
        // Counter-clockwise runs down through the table, wrapping below its first point.
        {0, 90, false, 4, {ofPoint(1, 0), ofPoint(0, -1), ofPoint(-1, 0), ofPoint(0, 1)}},
        {90, 0, false, 4, {ofPoint(0, 1), ofPoint(1, 0)}},
        {-90, 450, true, 4, {ofPoint(0, -1), ofPoint(1, 0), ofPoint(0, 1)}},
        {270, 90, true, 4, {ofPoint(0, -1), ofPoint(1, 0), ofPoint(0, 1)}},
        {0, 360, true, 0, {ofPoint(1, 0), ofPoint(-1, 0), ofPoint(1, 0)}},
        {0, 360, true, -5, {ofPoint(1, 0), ofPoint(-1, 0), ofPoint(1, 0)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " to " << c.to << (c.clockwise ? " cw " : " ccw ") << c.resolution);
        expectPoints(arc(c.from, c.to, c.clockwise, c.resolution), c.points);
    }
    EXPECT_NEAR(arc(0, 360, true, 20)[5].y, 1, 1e-5);

    // Radii scale, the centre moves, and its depth is kept.
    ofPolyline line;
    line.lineTo(ofPoint(-1, -1, -1));
    line.arc(ofPoint(10, 20, 5), 2, 3, 0, 360, true, 4);
    expectPoints(line, {ofPoint(-1, -1, -1), ofPoint(12, 20, 5), ofPoint(10, 23, 5), ofPoint(8, 20, 5),
                        ofPoint(10, 17, 5), ofPoint(12, 20, 5)});
}

TEST(Polyline, SimplifyDropsNearPointsAndFlatRuns) {
    const Points spike = {ofPoint(0, 0), ofPoint(1, 0), ofPoint(2, 5), ofPoint(3, 0), ofPoint(4, 0)};
    const struct {
        Points in;
        float tolerance;
        Points out;
    } cases[] = {
        {{}, 1, {}},
        {{ofPoint(0, 0), ofPoint(0.1f, 0)}, 1, {ofPoint(0, 0), ofPoint(0.1f, 0)}},
        {{ofPoint(0, 0), ofPoint(1, 0.01f), ofPoint(2, 0), ofPoint(3, 0.01f), ofPoint(4, 0)}, 0.1f,
         {ofPoint(0, 0), ofPoint(4, 0)}},
        {spike, 0.5f, spike},  // (1, 0) lies about 0.93 from the chord to the spike
        {spike, 1.0f, {ofPoint(0, 0), ofPoint(2, 5), ofPoint(4, 0)}},
        // Beyond either end of the chord the distance is to that end.
        {{ofPoint(0, 0), ofPoint(-2, 0), ofPoint(4, 0)}, 1, {ofPoint(0, 0), ofPoint(-2, 0), ofPoint(4, 0)}},
        {{ofPoint(0, 0), ofPoint(6, 0.5f), ofPoint(4, 0)}, 1, {ofPoint(0, 0), ofPoint(6, 0.5f), ofPoint(4, 0)}},
        {{ofPoint(0, 0), ofPoint(4.5f, 0.5f), ofPoint(4, 0)}, 1, {ofPoint(0, 0), ofPoint(4, 0)}},
        // Depth counts as much as the plane.
        {{ofPoint(0, 0, 0), ofPoint(2, 0, 3), ofPoint(4, 0, 0)}, 1, {ofPoint(0, 0, 0), ofPoint(2, 0, 3), ofPoint(4, 0, 0)}},
        // Points near the last kept one go, but the very last point always stays.
        {{ofPoint(0, 0), ofPoint(0.1f, 0), ofPoint(3, 3), ofPoint(3.1f, 3), ofPoint(3.2f, 0)}, 0.5f,
         {ofPoint(0, 0), ofPoint(3, 3), ofPoint(3.2f, 0)}},
        {{ofPoint(0, 0), ofPoint(0, 3), ofPoint(0.1f, 3)}, 0.5f, {ofPoint(0, 0), ofPoint(0.1f, 3)}},
    };
    for (const auto& c : cases) {
        ofPolyline line;
        for (const ofPoint& p : c.in) line.lineTo(p);
        line.simplify(c.tolerance);
        SCOPED_TRACE(testing::Message() << c.in.size() << " points at " << c.tolerance);
        expectPoints(line, c.out);
    }
}
