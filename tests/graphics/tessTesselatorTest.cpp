#include <gtest/gtest.h>

#include "tessTestSupport.h"

namespace {

class Tesselator : public ::testing::Test {
protected:
    void SetUp() override { tess = tessNewTess(nullptr); }
    void TearDown() override { tessDeleteTess(tess); }
    TESStesselator* tess = nullptr;
};

// Shape x winding rule -> output vertices, triangles (-1: any) and area. The
// digest test holds every bit of the output; this holds what it must be.
TEST_F(Tesselator, ShapesUnderEachWindingRule) {
    const Contour tri = {0, 0, 10, 0, 0, 10};
    const Contour u = {0, 0, 30, 0, 30, 20, 20, 20, 20, 10, 10, 10, 10, 20, 0, 20};
    const std::vector<Contour> holed = {square(0, 0, 10), square(3, 3, 4)};
    const std::vector<Contour> overlap = {square(0, 0, 10), square(5, 5, 10)};
    // Circumradius 10: the star covers 1.122569 R^2, its centre pentagon 0.346893 R^2.
    struct Case {
        const char* name;
        std::vector<Contour> contours;
        int rule, vertices, triangles;
        double area;
    };
    const Case cases[] = {
        {"triangle", {tri}, TESS_WINDING_ODD, 3, 1, 50},
        {"triangle", {tri}, TESS_WINDING_NEGATIVE, 0, 0, 0},
        {"unknown rule", {tri}, 7, 0, 0, 0},
        {"U", {u}, TESS_WINDING_ODD, 8, 6, 500},
        {"hole", holed, TESS_WINDING_ODD, 8, 8, 84},
        {"hole the same way", holed, TESS_WINDING_NONZERO, 8, -1, 100},
        {"hole", holed, TESS_WINDING_ABS_GEQ_TWO, 4, -1, 16},
        {"bow tie", {{0, 0, 10, 10, 10, 0, 0, 10}}, TESS_WINDING_ODD, 5, 2, 50},
        {"overlap", overlap, TESS_WINDING_ODD, 10, 8, 150},
        {"overlap", overlap, TESS_WINDING_NONZERO, 10, 10, 175},
        {"overlap", overlap, TESS_WINDING_ABS_GEQ_TWO, 4, 2, 25},
        {"pentagram", {pentagram(10)}, TESS_WINDING_NONZERO, 10, 8, 112.2569},
        {"pentagram", {pentagram(10)}, TESS_WINDING_ABS_GEQ_TWO, 5, 3, 34.6893},
        {"repeated corner", {{0, 0, 10, 0, 10, 0, 10, 10, 0, 10}}, TESS_WINDING_ODD, 4, 2, 100},
        {"point on an edge", {square(0, 0, 10), {10, 5, 20, 0, 20, 10}}, TESS_WINDING_ODD, 7, -1, 150},
        // Collinear input once crashed the sweep: an empty success now.
        {"diagonal line", {{0, 0, 10, 10, 20, 20}}, TESS_WINDING_NONZERO, 0, 0, 0},
        {"back and forth", {{0, 0, 10, 10, 20, 20, 5, 5, 30, 30}}, TESS_WINDING_NONZERO, 0, 0, 0},
        {"far out line", {{1e6f, 1e6f, 1e6f + 2, 1e6f + 2, 1e6f + 4, 1e6f + 4}}, TESS_WINDING_ODD, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " rule " << c.rule);
        TessResult r = runTess(tess, c.contours, c.rule);
        EXPECT_EQ(1, r.ok);
        EXPECT_EQ(c.vertices, r.vertexCount);
        EXPECT_EQ(c.triangles < 0 ? r.elementCount : c.triangles, r.elementCount);
        EXPECT_NEAR(c.area, std::abs(signedArea(r)), 1e-3);
    }

}

TEST_F(Tesselator, FailuresReportZeroAndLeaveAnEmptyResult) {
    EXPECT_EQ(0, tessTesselate(tess, TESS_WINDING_ODD, TESS_POLYGONS, 3, 2, nullptr));  // no contours
    runTess(tess, {square(0, 0, 10)}, TESS_WINDING_ODD);
    // Not-a-number input fails the run and drops the previous result.
    TessResult bad = runTess(tess, {{0, 0, 10, 0, NAN, 10}}, TESS_WINDING_ODD);
    EXPECT_EQ(0, bad.ok);
    EXPECT_EQ(0, bad.elementCount + bad.vertexCount);
    EXPECT_EQ(nullptr, tessGetElements(tess));
    // The failed contours are gone; the next shape stands alone.
    EXPECT_EQ(3, runTess(tess, {{0, 0, 10, 0, 0, 10}}, TESS_WINDING_ODD).vertexCount);
    // A polygon size below 3 still gets room for triangles.
    EXPECT_EQ(2, runTess(tess, {square(0, 0, 4)}, TESS_WINDING_ODD, TESS_POLYGONS, 0).elementCount);
}

} // namespace
