#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "tess/tessTesselator.h"
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
    const Contour tri = {0, 0, 10, 0, 0, 10}, u = {0, 0, 30, 0, 30, 20, 20, 20, 20, 10, 10, 10, 10, 20, 0, 20};
    const std::vector<Contour> holed = {square(0, 0, 10), square(3, 3, 4)};
    const std::vector<Contour> overlap = {square(0, 0, 10), square(5, 5, 10)};
    // Circumradius 10: the star covers 1.122569 R^2, its centre pentagon 0.346893 R^2.
    const struct {
        const char* name;
        std::vector<Contour> contours;
        int rule, vertices, triangles;
        double area;
    } cases[] = {
        {"triangle", {tri}, TESS_WINDING_ODD, 3, 1, 50},
        {"unknown rule", {tri}, 7, 0, 0, 0},
        {"U", {u}, TESS_WINDING_ODD, 8, 6, 500},
        {"hole", holed, TESS_WINDING_ODD, 8, 8, 84},
        {"hole", holed, TESS_WINDING_ABS_GEQ_TWO, 4, -1, 16},
        {"bow tie", {{0, 0, 10, 10, 10, 0, 0, 10}}, TESS_WINDING_ODD, 5, 2, 50},
        {"overlap", overlap, TESS_WINDING_ODD, 10, 8, 150},
        {"overlap", overlap, TESS_WINDING_ABS_GEQ_TWO, 4, 2, 25},
        {"pentagram", {pentagram(10)}, TESS_WINDING_NONZERO, 10, 8, 112.2569},
        {"pentagram", {pentagram(10)}, TESS_WINDING_ABS_GEQ_TWO, 5, 3, 34.6893},
        {"point on an edge", {square(0, 0, 10), {10, 5, 20, 0, 20, 10}}, TESS_WINDING_ODD, 7, -1, 150},
        // Collinear input once crashed the sweep: an empty success now.
        {"diagonal line", {{0, 0, 10, 10, 20, 20}}, TESS_WINDING_NONZERO, 0, 0, 0},
        {"back and forth", {{0, 0, 10, 10, 20, 20, 5, 5, 30, 30}}, TESS_WINDING_NONZERO, 0, 0, 0},
        {"far out line", {{1e6f, 1e6f, 1e6f + 2, 1e6f + 2, 1e6f + 4, 1e6f + 4}}, TESS_WINDING_ODD, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " rule " << c.rule);
        TessResult r = runTess(tess, c.contours, c.rule);
        EXPECT_EQ(1, r.ok);
        EXPECT_EQ(c.vertices, r.vertexCount);
        EXPECT_EQ(c.triangles < 0 ? r.elementCount : c.triangles, r.elementCount);
        EXPECT_NEAR(c.area, std::abs(signedArea(r)), 1e-3);
    }

}

// A failed run drops its contours and its result (failures themselves are
// the robustness and allocation tests' business).
TEST_F(Tesselator, AfterAFailureTheNextShapeStandsAloneAndSmallPolygonSizesMeanTriangles) {
    runTess(tess, {square(0, 0, 10)}, TESS_WINDING_ODD);
    const TessResult failed = runTess(tess, {{0, 0, 10, 0, NAN, 10}}, TESS_WINDING_ODD);
    EXPECT_EQ(0, failed.ok + failed.vertexCount);
    EXPECT_EQ(3, runTess(tess, {{0, 0, 10, 0, 0, 10}}, TESS_WINDING_ODD).vertexCount);
    tessAddContour(tess, 2, square(0, 0, 4).data(), 2 * sizeof(float), 4);
    ASSERT_EQ(1, tessTesselate(tess, TESS_WINDING_ODD, TESS_POLYGONS, 0, 2, nullptr));
    ASSERT_EQ(2, tessGetElementCount(tess));
    const std::set<int> corners(tessGetElements(tess), tessGetElements(tess) + 6);
    EXPECT_EQ(corners, (std::set<int>{0, 1, 2, 3}));
}

// Work of the mesh walks and the dictionary for n and 10 n vertices: a cost
// that grows as n log n grows about 13 times, a quadratic one 100 times.
TEST(TessIndex, WorkGrowsNoFasterThanNLogN) {
    struct Work {
        double mesh, dict;
    };
    auto work = [](const Contour& c, int indexMinVertices) {
        TESStesselator* tess = tessNewTess(nullptr);
        tess->indexMinVertices = indexMinVertices;
        EXPECT_EQ((int)c.size() / 2 - 2, runTess(tess, {c}, TESS_WINDING_NONZERO).elementCount);
        const Work w = {(double)tess->meshWalkSteps, (double)tess->dictOrderChecks};
        tessDeleteTess(tess);
        return w;
    };
    for (auto make : {wavyRing, spikes}) {
        const Work small = work(make(1000), TESS_INDEX_MIN_VERTICES), large = work(make(10000), TESS_INDEX_MIN_VERTICES);
        EXPECT_LT(large.mesh / small.mesh, 16.0);
        EXPECT_LT(large.dict / small.dict, 16.0);
        EXPECT_GT(large.mesh / small.mesh, 8.0);  // the count does follow the work
    }
    // Without the indexes the walks are quadratic.
    const Work small = work(spikes(1000), INT_MAX), large = work(spikes(4000), INT_MAX);
    EXPECT_GT(large.mesh / small.mesh, 12.0);
    EXPECT_GT(large.dict / small.dict, 12.0);
}

} // namespace
