#include <gtest/gtest.h>

#include "tessTestSupport.h"

namespace {

struct Shape {
    const char* name;
    std::vector<Contour> contours;
    int rule;
    int elementType;
};

Contour manyPointStar(int points, int step, float radius) {
    Contour c;
    for (int k = 0; k < points; ++k) {
        double a = k * step * 2 * M_PI / points;
        c.push_back((float)(radius * std::cos(a)));
        c.push_back((float)(radius * std::sin(a)));
    }
    return c;
}

std::vector<Shape> shapes() {
    return {
        {"hole", {square(0, 0, 10), square(3, 3, 4)}, TESS_WINDING_ODD, TESS_POLYGONS},
        {"overlap", {square(0, 0, 10), square(5, 5, 10)}, TESS_WINDING_NONZERO, TESS_BOUNDARY_CONTOURS},
        {"pentagram", {pentagram(10)}, TESS_WINDING_ODD, TESS_CONNECTED_POLYGONS},
        // Enough crossings for the heap to outgrow its first capacity.
        {"star", {manyPointStar(31, 15, 100)}, TESS_WINDING_POSITIVE, TESS_POLYGONS},
    };
}

// Every allocation of a whole run, from object creation to deletion, fails
// once in turn: the run must fail cleanly, leak nothing, and the same object
// must then give the right result.
TEST(TessAllocFailure, EveryAllocationCanFail) {
    for (const Shape& shape : shapes()) {
        SCOPED_TRACE(shape.name);

        // The reference run, and its number of requests.
        CountingAllocator ref;
        TESSalloc refRec = ref.record(16);
        TESStesselator* t = tessNewTess(&refRec);
        ASSERT_NE(nullptr, t);
        TessResult expected = runTess(t, shape.contours, shape.rule, shape.elementType);
        ASSERT_EQ(1, expected.ok);
        const long total = ref.requests;
        tessDeleteTess(t);
        ASSERT_EQ(0, ref.live());
        ASSERT_GT(total, 10);

        int failedRuns = 0;
        for (long n = 1; n <= total; ++n) {
            SCOPED_TRACE(n);
            CountingAllocator counter;
            counter.failAt = n;
            TESSalloc rec = counter.record(16);
            TESStesselator* tess = tessNewTess(&rec);
            if (!tess) {
                EXPECT_EQ(0, counter.live());
                continue;
            }
            TessResult r = runTess(tess, shape.contours, shape.rule, shape.elementType);
            if (r.ok) {
                EXPECT_EQ(expected.vertexCount, r.vertexCount);
                EXPECT_EQ(expected.elementCount, r.elementCount);
            } else {
                ++failedRuns;
                // A failed run leaves an empty result behind.
                EXPECT_EQ(0, r.vertexCount);
                EXPECT_EQ(0, r.elementCount);
                EXPECT_EQ(nullptr, tessGetVertices(tess));
                EXPECT_EQ(nullptr, tessGetElements(tess));
            }
            // The object recovers: the same shape again gives the full result.
            TessResult again = runTess(tess, shape.contours, shape.rule, shape.elementType);
            EXPECT_EQ(1, again.ok);
            EXPECT_EQ(expected.vertexCount, again.vertexCount);
            EXPECT_EQ(expected.elementCount, again.elementCount);
            EXPECT_EQ(expected.elements, again.elements);
            EXPECT_EQ(expected.vertices, again.vertices);
            tessDeleteTess(tess);
            EXPECT_EQ(0, counter.live());
        }
        // Every request but the object's own few belongs to a run.
        EXPECT_GT(failedRuns, total / 2);
    }
}

TEST(TessAllocFailure, QueueWithoutReallocationCannotGrow) {
    CountingAllocator counter;
    TESSalloc rec = counter.record(16);
    rec.memrealloc = nullptr;
    TESStesselator* tess = tessNewTess(&rec);
    ASSERT_NE(nullptr, tess);
    // Two crossings fit in the heap; a star with dozens does not.
    TessResult small = runTess(tess, {square(0, 0, 10), square(5, 5, 10)}, TESS_WINDING_ODD);
    EXPECT_EQ(1, small.ok);
    EXPECT_EQ(8, small.elementCount);
    TessResult big = runTess(tess, {manyPointStar(31, 15, 100)}, TESS_WINDING_ODD);
    EXPECT_EQ(0, big.ok);
    EXPECT_EQ(0, big.elementCount);
    // A larger initial queue makes room.
    tessDeleteTess(tess);
    rec.extraVertices = 400;
    tess = tessNewTess(&rec);
    TessResult roomy = runTess(tess, {manyPointStar(31, 15, 100)}, TESS_WINDING_ODD);
    EXPECT_EQ(1, roomy.ok);
    EXPECT_GT(roomy.elementCount, 0);
    tessDeleteTess(tess);
    EXPECT_EQ(0, counter.live());
}

TEST(TessAllocFailure, IncompleteAllocatorRecordMakesNoObject) {
    TESSalloc rec = CountingAllocator().record();
    rec.memalloc = nullptr;
    EXPECT_EQ(nullptr, tessNewTess(&rec));
}

} // namespace
