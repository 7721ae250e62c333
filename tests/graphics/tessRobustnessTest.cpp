#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "tessCorpus.h"
#include "tessTestSupport.h"

namespace {

void expectRealVertices(const TessResult& r) {
    for (int e : r.elements) {
        if (e == TESS_UNDEF) continue;
        ASSERT_GE(e, 0);
        ASSERT_LT(e, r.vertexCount);
    }
}

// Random outlines on a coarse grid: full of shared points, collinear runs,
// overlapping edges and crossings. Every run must succeed, and the filled
// triangles must cover exactly the area that the boundary contours enclose.
TEST(TessRobustness, RandomGridOutlinesFillTheirBoundaries) {
    TESStesselator* tess = tessNewTess(nullptr);
    tesscorpus::Rng rng{12345};
    for (int round = 0; round < 400; ++round) {
        std::vector<Contour> contours(1 + rng.below(3));
        for (Contour& c : contours)
            for (int i = 0, n = 3 + rng.below(10); i < 2 * n; ++i) c.push_back((float)rng.below(8));
        for (int rule = TESS_WINDING_ODD; rule <= TESS_WINDING_ABS_GEQ_TWO; ++rule) {
            SCOPED_TRACE(round * 10 + rule);
            const TessResult fill = runTess(tess, contours, rule);
            const TessResult outline = runTess(tess, contours, rule, TESS_BOUNDARY_CONTOURS);
            ASSERT_EQ(2, fill.ok + outline.ok);
            EXPECT_NEAR(signedArea(outline, 0, true), signedArea(fill), 1e-3);
            expectRealVertices(fill);
        }
    }
    tessDeleteTess(tess);
}

// Coordinates that are not finite, or so large that the sweep's products and
// differences overflow (as the fill road test hands them over too), are
// refused; huge but workable ones give a result of real vertices only; the
// object stays usable.
TEST(TessRobustness, ExtremeCoordinatesFailCleanly) {
    TESStesselator* tess = tessNewTess(nullptr);
    const float big = 3e38f;
    for (const Contour& c : {Contour{INFINITY, 0, 10, 0, 0, 10}, Contour{0, 0, 10, NAN, 0, 10},
                             Contour{-big, -big, big, -big, big, big, -big, big}}) {
        const TessResult r = runTess(tess, {c}, TESS_WINDING_NONZERO);
        EXPECT_EQ(0, r.ok + r.elementCount + r.vertexCount);
    }
    for (const Contour& c : {Contour{1e20f, 1e20f, -1e20f, 1e20f, 1e20f, -1e20f, -1e20f, -1e20f},
                             Contour{0, 0, 1e30f, 1, 1, 1e30f, 1e-30f, 1e-30f}})
        expectRealVertices(runTess(tess, {c}, TESS_WINDING_NONZERO));
    EXPECT_EQ(2, runTess(tess, {square(0, 0, 10)}, TESS_WINDING_ODD).elementCount);
    tessDeleteTess(tess);
}

// A sliver outline whose merged face borders itself across an edge: merging
// into convex polygons must not delete that edge (it joins no two faces) and
// must end.
TEST(TessRobustness, MergingNeverJoinsAFaceToItself) {
    TESStesselator* tess = tessNewTess(nullptr);
    const std::vector<Contour> contours = {{0, 0, -0.25f, 0, 0, 5, 0, 5.25f}, {0, 5.5f, 0.25f, 5, -0.25f, 5}};
    const TessResult triangles = runTess(tess, contours, TESS_WINDING_ODD);
    ASSERT_EQ(1, triangles.ok);
    for (int polySize = 4; polySize <= 10; ++polySize) {
        SCOPED_TRACE(polySize);
        const TessResult merged = runTess(tess, contours, TESS_WINDING_ODD, TESS_POLYGONS, polySize);
        ASSERT_EQ(1, merged.ok);
        EXPECT_EQ(triangles.vertexCount, merged.vertexCount);
        expectRealVertices(merged);
        EXPECT_NEAR(signedArea(triangles), signedArea(merged, polySize), 1e-6);
        EXPECT_LT(merged.elementCount, triangles.elementCount);
        // Each merge of two polygons saves two corners.
        const long corners = std::count_if(merged.elements.begin(), merged.elements.end(),
                                           [](int e) { return e != TESS_UNDEF; });
        EXPECT_EQ(corners, 3 * triangles.elementCount - 2 * (triangles.elementCount - merged.elementCount));
    }
    tessDeleteTess(tess);
}

// A shape so small that the sweep's products underflow broke the sweep; it is
// now scaled up by a power of two first, which must change nothing else: the
// same shape at normal size gives the same elements, and the output
// coordinates are the input's, scaled back exactly.
TEST(TessRobustness, TinyShapesSweepLikeTheirLargerSelves) {
    TESStesselator* tess = tessNewTess(nullptr);
    // As the fuzzer found it, through the fill road (three floats a point).
    const float f = -0x1.191918p-102f;
    const std::vector<float> a = {0x1.6119ap-130f, 0x1.081418p-111f, 0, 0, 0x1p-148f, 0x1.e4p-127f, 0x1.7p-144f, 0, 0,
                                  -0x1p-103f, f, 0x1.1918p-134f, 0x1p-132f, 0, 0, -0x1.1918p-102f, f, f, f, f, f, f,
                                  f, 0x1.011918p-89f, f, f, f, f, f, f};
    std::vector<float> b = {0x1.ec6318p-115f, -0x1.1919d6p-102f, 0, 0x1.1918p-134f, 0, 0};
    b.resize(60, 0.0f);
    tessAddContour(tess, 3, a.data(), 12, 10);
    tessAddContour(tess, 3, b.data(), 12, 20);
    EXPECT_EQ(1, tessTesselate(tess, TESS_WINDING_ABS_GEQ_TWO, TESS_POLYGONS, 3, 3, nullptr));
    for (int i = 0; i < tessGetElementCount(tess) * 3; ++i) {
        EXPECT_GE(tessGetElements(tess)[i], 0);
        EXPECT_LT(tessGetElements(tess)[i], tessGetVertexCount(tess));
    }

    const std::vector<Contour> starred = {pentagram(10), square(-3, -3, 6)},
                               holed = {square(0, 0, 10), square(3, 3, 4), {1, 1, 9, 2, 5, 9}};
    for (const std::vector<Contour>& contours : {starred, holed}) {
        for (int exponent : {-100, -130}) {
            SCOPED_TRACE(exponent);
            std::vector<Contour> tiny = contours;
            for (Contour& c : tiny)
                for (float& x : c) x = std::ldexp(x, exponent);
            for (int rule = TESS_WINDING_ODD; rule <= TESS_WINDING_ABS_GEQ_TWO; ++rule) {
                const TessResult normal = runTess(tess, contours, rule);
                const TessResult small = runTess(tess, tiny, rule);
                ASSERT_EQ(1, small.ok);
                // Below the smallest normal float the inputs themselves lose
                // bits; there only a whole, well-formed result is asked for.
                if (exponent == -130) {
                    EXPECT_EQ(normal.elementCount, small.elementCount);
                    expectRealVertices(small);
                    continue;
                }
                EXPECT_EQ(normal.elements, small.elements);
                ASSERT_EQ(normal.vertices.size(), small.vertices.size());
                for (size_t i = 0; i < normal.vertices.size(); ++i)
                    EXPECT_EQ(std::ldexp(normal.vertices[i], exponent), small.vertices[i]) << i;
            }
        }
    }
    tessDeleteTess(tess);
}

} // namespace
