#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "tess/dict.h"
#include "tess/tessMesh.h"
#include "tess/tessTesselator.h"
#include "tessTestSupport.h"

// Large sweeps keep two indexes (face loops as balanced trees, the edge
// dictionary as a balanced tree); they must change nothing but the cost.

namespace {

struct Lcg {
    uint32_t state;
    uint32_t next(uint32_t n) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % n;
    }
};

// An outline along a strip and back, the passes waving across each other.
Contour wavyStrip(int n) {
    Contour c;
    for (int k = 0; k < n; ++k) {
        const int i = k < n / 2 ? k : n - 1 - k;
        const double wave = std::sin(2 * M_PI * i / 8.0 + 0.3);
        c.push_back((float)(10.0 * i));
        c.push_back((float)(k < n / 2 ? 20 * wave : -20 * wave + 1));
    }
    return c;
}

// Two waving passes round a ring: many edges meet one sweep line.
Contour wavyRing(int n) {
    Contour c;
    for (int k = 0; k < n; ++k) {
        const double a = 2 * M_PI * (k % (n / 2)) / (n / 2);
        const double wave = (k < n / 2 ? 1 : -1) * std::sin((n / 8) * a);
        c.push_back((float)(480 + (400 + 10 * wave) * std::cos(a)));
        c.push_back((float)(480 + (400 + 10 * wave) * std::sin(a)));
    }
    return c;
}

// A star of alternating radii, no crossings.
Contour spikes(int n) {
    Contour c;
    for (int k = 0; k < n; ++k) {
        const double a = 2 * M_PI * k / n;
        const double r = (k % 2) ? 20.0 : 35.0;
        c.push_back((float)(480 + r * std::cos(a)));
        c.push_back((float)(480 + r * std::sin(a)));
    }
    return c;
}

// Points on a coarse grid: coincident vertices, collinear and overlapping
// edges, crossings at vertices.
Contour gridWalk(Lcg& rng, int n, int grid) {
    Contour c;
    for (int k = 0; k < n; ++k) {
        c.push_back((float)rng.next(grid));
        c.push_back((float)rng.next(grid));
    }
    return c;
}

struct TessRun {
    TessResult result;
    size_t meshSteps = 0;
    size_t dictChecks = 0;
};

TessRun runWith(int indexMinVertices, const std::vector<Contour>& contours, int rule, int elementType, int polySize) {
    TESStesselator* tess = tessNewTess(nullptr);
    tess->indexMinVertices = indexMinVertices;
    TessRun run;
    run.result = runTess(tess, contours, rule, elementType, polySize);
    run.meshSteps = tess->meshWalkSteps;
    run.dictChecks = tess->dictOrderChecks;
    tessDeleteTess(tess);
    return run;
}

TEST(TessIndex, IndexedSweepGivesTheSameResult) {
    Lcg rng = {7};
    std::vector<std::vector<Contour>> shapes = {
        {wavyStrip(160)},
        {wavyRing(160)},
        {spikes(160)},
        {pentagram(50), square(-60, -60, 120), square(-20, -20, 40, false)},
    };
    for (int k = 0; k < 24; ++k) {
        std::vector<Contour> shape;
        const int contours = 1 + (int)rng.next(3);
        for (int c = 0; c < contours; ++c) shape.push_back(gridWalk(rng, 3 + (int)rng.next(40), k % 2 ? 6 : 30));
        shapes.push_back(shape);
    }
    const int outputs[][2] = {
        {TESS_POLYGONS, 3}, {TESS_POLYGONS, 6}, {TESS_CONNECTED_POLYGONS, 3}, {TESS_BOUNDARY_CONTOURS, 0}};

    int nonEmpty = 0;
    for (size_t s = 0; s < shapes.size(); ++s) {
        for (int rule = TESS_WINDING_ODD; rule <= TESS_WINDING_ABS_GEQ_TWO; ++rule) {
            for (const auto& out : outputs) {
                SCOPED_TRACE(testing::Message() << "shape " << s << " rule " << rule << " type " << out[0]);
                const TessRun plain = runWith(INT_MAX, shapes[s], rule, out[0], out[1]);
                const TessRun indexed = runWith(0, shapes[s], rule, out[0], out[1]);
                ASSERT_EQ(1, plain.result.ok);
                EXPECT_EQ(plain.result.ok, indexed.result.ok);
                EXPECT_EQ(plain.result.vertexCount, indexed.result.vertexCount);
                EXPECT_EQ(plain.result.elementCount, indexed.result.elementCount);
                EXPECT_EQ(plain.result.vertices, indexed.result.vertices);
                EXPECT_EQ(plain.result.elements, indexed.result.elements);
                if (plain.result.elementCount > 0) ++nonEmpty;
            }
        }
    }
    EXPECT_GT(nonEmpty, 400);
}

// Work of the mesh and the dictionary, for n and 10 n vertices: a cost that
// grows as n log n grows about 13 times, a quadratic one 100 times.
TEST(TessIndex, WorkGrowsNoFasterThanNLogN) {
    Contour (*makers[])(int) = {wavyStrip, wavyRing, spikes};
    for (auto make : makers) {
        const TessRun small = runWith(TESS_INDEX_MIN_VERTICES, {make(1000)}, TESS_WINDING_NONZERO, TESS_POLYGONS, 3);
        const TessRun large = runWith(TESS_INDEX_MIN_VERTICES, {make(10000)}, TESS_WINDING_NONZERO, TESS_POLYGONS, 3);
        ASSERT_EQ(998, small.result.elementCount);
        ASSERT_EQ(9998, large.result.elementCount);
        const double meshGrowth = (double)large.meshSteps / small.meshSteps;
        const double dictGrowth = (double)large.dictChecks / small.dictChecks;
        EXPECT_LT(meshGrowth, 16.0);
        EXPECT_LT(dictGrowth, 16.0);
        EXPECT_GT(meshGrowth, 8.0); // the count does follow the work
    }

    // Without the indexes the same outlines show the quadratic walks.
    const TessRun small = runWith(INT_MAX, {spikes(1000)}, TESS_WINDING_NONZERO, TESS_POLYGONS, 3);
    const TessRun large = runWith(INT_MAX, {spikes(4000)}, TESS_WINDING_NONZERO, TESS_POLYGONS, 3);
    EXPECT_GT((double)large.meshSteps / small.meshSteps, 12.0);
    EXPECT_GT((double)large.dictChecks / small.dictChecks, 12.0);
}

// The indexes take memory of their own: each of those requests, too, may
// fail; the run then fails cleanly or does without the index.
TEST(TessIndex, EveryAllocationOfAnIndexedRunCanFail) {
    struct Case {
        std::vector<Contour> contours;
        int elementType;
    };
    const Case cases[] = {{{wavyRing(48)}, TESS_POLYGONS}, {{spikes(40), square(470, 470, 20)}, TESS_BOUNDARY_CONTOURS}};
    for (const Case& c : cases) {
        CountingAllocator ref;
        TESSalloc refRec = ref.record(16);
        TESStesselator* t = tessNewTess(&refRec);
        t->indexMinVertices = 0;
        const TessResult expected = runTess(t, c.contours, TESS_WINDING_ODD, c.elementType);
        tessDeleteTess(t);
        ASSERT_EQ(1, expected.ok);
        const long total = ref.requests;
        ASSERT_GT(total, 20);

        for (long n = 1; n <= total; ++n) {
            SCOPED_TRACE(n);
            CountingAllocator counter;
            counter.failAt = n;
            TESSalloc rec = counter.record(16);
            TESStesselator* tess = tessNewTess(&rec);
            if (!tess) continue;
            tess->indexMinVertices = 0;
            const TessResult r = runTess(tess, c.contours, TESS_WINDING_ODD, c.elementType);
            if (r.ok) {
                EXPECT_EQ(expected.vertices, r.vertices);
                EXPECT_EQ(expected.elements, r.elements);
            } else {
                EXPECT_EQ(0, r.elementCount);
            }
            const TessResult again = runTess(tess, c.contours, TESS_WINDING_ODD, c.elementType);
            EXPECT_EQ(expected.elements, again.elements);
            tessDeleteTess(tess);
            EXPECT_EQ(0, counter.live());
        }
    }
}

} // namespace
