#include <gtest/gtest.h>

#include <cstdint>

#include "tessTestSupport.h"

namespace {

// Small deterministic generator, independent of the framework's.
struct Lcg {
    uint32_t state;
    int next(int range) {
        state = state * 1664525u + 1013904223u;
        return (int)((state >> 8) % (uint32_t)range);
    }
};

// Random outlines on a coarse grid: full of shared points, collinear runs,
// overlapping edges and crossings. Every run must succeed, and the filled
// triangles must cover exactly the area that the boundary contours enclose.
TEST(TessRobustness, RandomGridOutlinesFillTheirBoundaries) {
    TESStesselator* tess = tessNewTess(nullptr);
    Lcg rng{12345};
    for (int round = 0; round < 400; ++round) {
        std::vector<Contour> contours(1 + rng.next(3));
        for (Contour& c : contours) {
            const int n = 3 + rng.next(10);
            for (int i = 0; i < 2 * n; ++i) c.push_back((float)rng.next(8));
        }
        for (int rule = TESS_WINDING_ODD; rule <= TESS_WINDING_ABS_GEQ_TWO; ++rule) {
            SCOPED_TRACE(round * 10 + rule);
            TessResult fill = runTess(tess, contours, rule);
            ASSERT_EQ(1, fill.ok);
            TessResult outline = runTess(tess, contours, rule, TESS_BOUNDARY_CONTOURS);
            ASSERT_EQ(1, outline.ok);
            double boundary = 0;
            for (int i = 0; i < outline.elementCount; ++i) boundary += contourArea(outline, i);
            // Triangles and contours share the orientation of the projection.
            EXPECT_NEAR(boundary, signedTriangleArea(fill), 1e-3);
            for (int e : fill.elements) {
                ASSERT_GE(e, 0);
                ASSERT_LT(e, fill.vertexCount);
            }
        }
    }
    tessDeleteTess(tess);
}

TEST(TessRobustness, ExtremeCoordinatesFailCleanly) {
    TESStesselator* tess = tessNewTess(nullptr);
    const float big = 3e38f;
    // Not finite, or so far apart that the sweep's bounds overflow: refused.
    const std::vector<Contour> refused[] = {
        {{INFINITY, 0, 10, 0, 0, 10}},
        {{0, 0, 10, NAN, 0, 10}},
        {{-big, -big, big, -big, big, big, -big, big}},
    };
    for (const auto& contours : refused) {
        TessResult r = runTess(tess, contours, TESS_WINDING_NONZERO);
        EXPECT_EQ(0, r.ok);
        EXPECT_EQ(0, r.elementCount);
        EXPECT_EQ(0, r.vertexCount);
    }
    // Huge but finite: whatever comes out refers to real vertices only.
    const std::vector<Contour> huge[] = {
        {{1e20f, 1e20f, -1e20f, 1e20f, 1e20f, -1e20f, -1e20f, -1e20f}},
        {{0, 0, 1e30f, 1, 1, 1e30f, 1e-30f, 1e-30f}},
    };
    for (const auto& contours : huge) {
        TessResult r = runTess(tess, contours, TESS_WINDING_NONZERO);
        for (int e : r.elements) {
            EXPECT_GE(e, 0);
            EXPECT_LT(e, r.vertexCount);
        }
    }
    TessResult ok = runTess(tess, {square(0, 0, 10)}, TESS_WINDING_ODD);
    EXPECT_EQ(2, ok.elementCount);
    tessDeleteTess(tess);
}

} // namespace
