#include <gtest/gtest.h>

#include <algorithm>

#include "tess/tessTesselator.h"
#include "tessTestSupport.h"

namespace {

class Tesselator : public ::testing::Test {
protected:
    void SetUp() override { tess = tessNewTess(nullptr); }
    void TearDown() override { tessDeleteTess(tess); }
    TESStesselator* tess = nullptr;
};

bool hasVertex(const TessResult& r, float x, float y) {
    for (int i = 0; i < r.vertexCount; ++i) {
        if (r.vertices[i * 2] == x && r.vertices[i * 2 + 1] == y) return true;
    }
    return false;
}

// Shape x winding rule -> output vertices, triangles (-1: any) and area.
TEST_F(Tesselator, ShapesUnderEachWindingRule) {
    const Contour tri = {0, 0, 10, 0, 0, 10}, triCw = {0, 0, 0, 10, 10, 0};
    const Contour octagon = {2, 0, 8, 0, 10, 2, 10, 8, 8, 10, 2, 10, 0, 8, 0, 2};
    const Contour u = {0, 0, 30, 0, 30, 20, 20, 20, 20, 10, 10, 10, 10, 20, 0, 20};
    const std::vector<Contour> holed = {square(0, 0, 10), square(3, 3, 4)};
    const std::vector<Contour> overlap = {square(0, 0, 10), square(5, 5, 10)};
    // Circumradius 10: the star covers 1.122569 R^2, its centre pentagon 0.346893 R^2.
    const double star = 112.2569, centre = 34.6893;
    struct Case {
        const char* name;
        std::vector<Contour> contours;
        int rule, vertices, triangles;
        double area;
    };
    const Case cases[] = {
        {"triangle", {tri}, TESS_WINDING_ODD, 3, 1, 50},
        {"clockwise triangle", {triCw}, TESS_WINDING_POSITIVE, 3, 1, 50},
        {"triangle", {tri}, TESS_WINDING_NEGATIVE, 0, 0, 0},
        {"clockwise triangle", {triCw}, TESS_WINDING_ABS_GEQ_TWO, 0, 0, 0},
        {"unknown rule", {tri}, 7, 0, 0, 0},
        {"square", {square(0, 0, 10)}, TESS_WINDING_ODD, 4, 2, 100},
        {"octagon", {octagon}, TESS_WINDING_ODD, 8, 6, 92},
        {"U", {u}, TESS_WINDING_ODD, 8, 6, 500},
        {"hole", holed, TESS_WINDING_ODD, 8, 8, 84},
        {"hole the same way", holed, TESS_WINDING_NONZERO, 8, -1, 100},
        {"hole reversed", {square(0, 0, 10), square(3, 3, 4, false)}, TESS_WINDING_NONZERO, 8, 8, 84},
        {"hole", holed, TESS_WINDING_ABS_GEQ_TWO, 4, -1, 16},
        {"bow tie", {{0, 0, 10, 10, 10, 0, 0, 10}}, TESS_WINDING_ODD, 5, 2, 50},
        {"overlap", overlap, TESS_WINDING_ODD, 10, 8, 150},
        {"overlap", overlap, TESS_WINDING_NONZERO, 10, 10, 175},
        {"overlap", overlap, TESS_WINDING_POSITIVE, 10, 10, 175},
        {"overlap", overlap, TESS_WINDING_NEGATIVE, 0, 0, 0},
        {"overlap", overlap, TESS_WINDING_ABS_GEQ_TWO, 4, 2, 25},
        {"clockwise overlap", {square(0, 0, 10, false), square(5, 5, 10, false)}, TESS_WINDING_POSITIVE, 10, -1, 175},
        {"pentagram", {pentagram(10)}, TESS_WINDING_ODD, 10, 5, star - centre},
        {"pentagram", {pentagram(10)}, TESS_WINDING_NONZERO, 10, 8, star},
        {"pentagram", {pentagram(10)}, TESS_WINDING_NEGATIVE, 0, 0, 0},
        {"pentagram", {pentagram(10)}, TESS_WINDING_ABS_GEQ_TWO, 5, 3, centre},
        {"repeated corner", {{0, 0, 10, 0, 10, 0, 10, 10, 0, 10}}, TESS_WINDING_ODD, 4, 2, 100},
        {"shared edge", {square(0, 0, 10), square(10, 0, 10)}, TESS_WINDING_NONZERO, 6, -1, 200},
        {"point on an edge", {square(0, 0, 10), {10, 5, 20, 0, 20, 10}}, TESS_WINDING_ODD, 7, -1, 150},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " rule " << c.rule);
        TessResult r = runTess(tess, c.contours, c.rule);
        EXPECT_EQ(1, r.ok);
        EXPECT_EQ(c.vertices, r.vertexCount);
        if (c.triangles >= 0) {
            EXPECT_EQ(c.triangles, r.elementCount);
        }
        EXPECT_NEAR(c.area, std::abs(signedTriangleArea(r)), 1e-3);
    }

    // Crossings are new vertices at the meeting point, with no input number.
    TessResult r = runTess(tess, overlap, TESS_WINDING_ODD);
    std::vector<std::pair<float, float>> crossings;
    for (int i = 0; i < r.vertexCount; ++i)
        if (tess->vertexIndices[i] == TESS_UNDEF) crossings.push_back({r.vertices[i * 2], r.vertices[i * 2 + 1]});
    std::sort(crossings.begin(), crossings.end());
    EXPECT_EQ(crossings, (std::vector<std::pair<float, float>>{{5, 10}, {10, 5}}));

    // A quad output holds the square in one polygon.
    TessResult q = runTess(tess, {square(0, 0, 10)}, TESS_WINDING_ODD, TESS_POLYGONS, 4);
    ASSERT_EQ(1, q.elementCount);
    std::vector<int> quad = q.elements;
    std::sort(quad.begin(), quad.end());
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), quad);
}

TEST_F(Tesselator, BoundaryContours) {
    TessResult hole = runTess(tess, {square(0, 0, 10), square(3, 3, 4)}, TESS_WINDING_ODD, TESS_BOUNDARY_CONTOURS);
    EXPECT_EQ(1, hole.ok);
    EXPECT_EQ(8, hole.vertexCount);
    ASSERT_EQ(2, hole.elementCount);
    EXPECT_EQ((std::vector<int>{0, 4, 4, 4}), hole.elements);
    // Outer boundary counter-clockwise, hole clockwise: the area lies on the left.
    const double a0 = contourArea(hole, 0), a1 = contourArea(hole, 1);
    EXPECT_DOUBLE_EQ(84.0, a0 + a1);
    EXPECT_DOUBLE_EQ(100.0, std::max(a0, a1));
    EXPECT_DOUBLE_EQ(-16.0, std::min(a0, a1));

    TessResult u = runTess(tess, {square(0, 0, 10), square(5, 5, 10)}, TESS_WINDING_NONZERO, TESS_BOUNDARY_CONTOURS);
    ASSERT_EQ(1, u.elementCount);
    EXPECT_EQ(8, u.vertexCount);
    EXPECT_EQ((std::vector<int>{0, 8}), u.elements);
    EXPECT_DOUBLE_EQ(175.0, contourArea(u, 0));
    EXPECT_TRUE(hasVertex(u, 10, 5));
    EXPECT_TRUE(hasVertex(u, 5, 10));
    EXPECT_FALSE(hasVertex(u, 10, 10));
}

TEST_F(Tesselator, ConnectedPolygonsNameTheirInsideNeighbours) {
    TessResult r = runTess(tess, {square(0, 0, 10)}, TESS_WINDING_ODD, TESS_CONNECTED_POLYGONS, 3);
    ASSERT_EQ(2, r.elementCount);
    ASSERT_EQ(12u, r.elements.size());
    // Each triangle has exactly one inside neighbour: the other triangle.
    for (int t = 0; t < 2; ++t) {
        std::vector<int> nb(r.elements.begin() + t * 6 + 3, r.elements.begin() + t * 6 + 6);
        EXPECT_EQ(1, std::count(nb.begin(), nb.end(), 1 - t));
        EXPECT_EQ(2, std::count(nb.begin(), nb.end(), TESS_UNDEF));
    }
    // A triangle in a polySize 5 result is padded.
    TessResult p = runTess(tess, {{0, 0, 10, 0, 0, 10}}, TESS_WINDING_ODD, TESS_POLYGONS, 5);
    ASSERT_EQ(5u, p.elements.size());
    EXPECT_EQ(TESS_UNDEF, p.elements[3]);
    EXPECT_EQ(TESS_UNDEF, p.elements[4]);
}

TEST_F(Tesselator, DegenerateInputGivesAnEmptySuccess) {
    const std::vector<Contour> empties[] = {
        {{0, 0, 10, 10, 20, 20}},             // diagonal line
        {{0, 0, 10, 0, 20, 0}},               // line along an axis
        {{5, 5, 5, 5, 5, 5, 5, 5}},           // one point
        {{0, 0, 10, 10}},                     // two points
        {{3, 4}},                             // one point
        {{0, 0, 10, 10, 20, 20, 5, 5, 30, 30}}, // back and forth on one line
        {{1e6f, 1e6f, 1e6f + 2, 1e6f + 2, 1e6f + 4, 1e6f + 4}},
    };
    for (const auto& contours : empties) {
        TessResult r = runTess(tess, contours, TESS_WINDING_NONZERO);
        EXPECT_EQ(1, r.ok);
        EXPECT_EQ(0, r.vertexCount);
        EXPECT_EQ(0, r.elementCount);
        TessResult b = runTess(tess, contours, TESS_WINDING_ODD, TESS_BOUNDARY_CONTOURS);
        EXPECT_EQ(1, b.ok);
        EXPECT_EQ(0, b.elementCount);
    }
    // The object works on afterwards.
    TessResult r = runTess(tess, {square(0, 0, 10)}, TESS_WINDING_ODD);
    EXPECT_EQ(2, r.elementCount);
}

TEST_F(Tesselator, FailuresReportZeroAndLeaveAnEmptyResult) {
    EXPECT_EQ(0, tessTesselate(tess, TESS_WINDING_ODD, TESS_POLYGONS, 3, 2, nullptr));

    runTess(tess, {square(0, 0, 10)}, TESS_WINDING_ODD);
    ASSERT_EQ(2, tessGetElementCount(tess));
    // Not-a-number input fails the run and drops the previous result.
    const float bad[] = {0, 0, 10, 0, NAN, 10};
    tessAddContour(tess, 2, bad, 8, 3);
    EXPECT_EQ(0, tessTesselate(tess, TESS_WINDING_ODD, TESS_POLYGONS, 3, 2, nullptr));
    EXPECT_EQ(0, tessGetElementCount(tess));
    EXPECT_EQ(0, tessGetVertexCount(tess));
    EXPECT_EQ(nullptr, tessGetElements(tess));
    // The failed contours are gone; the next shape stands alone.
    TessResult r = runTess(tess, {{0, 0, 10, 0, 0, 10}}, TESS_WINDING_ODD);
    EXPECT_EQ(1, r.ok);
    EXPECT_EQ(3, r.vertexCount);

    // A polygon size below 3 still gets room for triangles.
    tessAddContour(tess, 2, square(0, 0, 4).data(), 8, 4);
    EXPECT_EQ(1, tessTesselate(tess, TESS_WINDING_ODD, TESS_POLYGONS, 0, 2, nullptr));
    EXPECT_EQ(2, tessGetElementCount(tess));
}

} // namespace
