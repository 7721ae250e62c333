#include <gtest/gtest.h>

#include "tess/tessTesselator.h"
#include "tessTestSupport.h"

namespace {

TESStesselator* newTess(TESSalloc& rec, bool indexed) {
    TESStesselator* tess = tessNewTess(&rec);
    if (tess && indexed) tess->indexMinVertices = 0;
    return tess;
}

// Every allocation of a whole run, from object creation to deletion, fails
// once in turn: the run must fail cleanly, leak nothing, and the same object
// must then give the right result. Indexed runs may also do without an index.
TEST(TessAllocFailure, EveryAllocationCanFail) {
    const struct {
        const char* name;
        std::vector<Contour> contours;
        int rule, elementType;
        bool indexed;
    } shapes[] = {
        {"hole", {square(0, 0, 10), square(3, 3, 4)}, TESS_WINDING_ODD, TESS_POLYGONS, false},
        {"overlap", {square(0, 0, 10), square(5, 5, 10)}, TESS_WINDING_NONZERO, TESS_BOUNDARY_CONTOURS, false},
        {"pentagram", {pentagram(10)}, TESS_WINDING_ODD, TESS_CONNECTED_POLYGONS, false},
        // Enough crossings for the queue to outgrow its first capacity.
        {"star", {star(31, 15, 100)}, TESS_WINDING_POSITIVE, TESS_POLYGONS, false},
        {"indexed ring", {wavyRing(48)}, TESS_WINDING_ODD, TESS_POLYGONS, true},
        {"indexed spikes", {spikes(40), square(470, 470, 20)}, TESS_WINDING_ODD, TESS_BOUNDARY_CONTOURS, true},
    };
    for (const auto& shape : shapes) {
        SCOPED_TRACE(shape.name);
        CountingAllocator ref;
        TESSalloc refRec = ref.record(16);
        TESStesselator* t = newTess(refRec, shape.indexed);
        const TessResult expected = runTess(t, shape.contours, shape.rule, shape.elementType);
        ASSERT_EQ(1, expected.ok);
        const long total = ref.requests;
        tessDeleteTess(t);
        ASSERT_GT(total, 10);

        int failedRuns = 0;
        for (long n = 1; n <= total; ++n) {
            SCOPED_TRACE(n);
            CountingAllocator counter;
            counter.failAt = n;
            TESSalloc rec = counter.record(16);
            TESStesselator* tess = newTess(rec, shape.indexed);
            if (tess) {
                const TessResult r = runTess(tess, shape.contours, shape.rule, shape.elementType);
                if (r.ok) {
                    EXPECT_EQ(expected.vertices, r.vertices);
                    EXPECT_EQ(expected.elements, r.elements);
                } else {
                    ++failedRuns;
                    EXPECT_EQ(0, r.vertexCount + r.elementCount);
                    EXPECT_EQ(nullptr, tessGetVertices(tess));
                    EXPECT_EQ(nullptr, tessGetElements(tess));
                }
                const TessResult again = runTess(tess, shape.contours, shape.rule, shape.elementType);
                EXPECT_EQ(expected.vertices, again.vertices);
                EXPECT_EQ(expected.elements, again.elements);
                tessDeleteTess(tess);
            }
            EXPECT_EQ(0, counter.live());
        }
        // Every request but the object's own few belongs to a run.
        if (!shape.indexed) {
            EXPECT_GT(failedRuns, total / 2);
        }
    }
}

TEST(TessAllocFailure, QueueWithoutReallocationCannotGrowAndAnIncompleteRecordMakesNoObject) {
    CountingAllocator counter;
    TESSalloc rec = counter.record(16);
    rec.memrealloc = nullptr;
    TESStesselator* tess = tessNewTess(&rec);
    // Two crossings fit in the queue; a star with dozens does not, until the
    // initial queue is made larger.
    EXPECT_EQ(8, runTess(tess, {square(0, 0, 10), square(5, 5, 10)}, TESS_WINDING_ODD).elementCount);
    EXPECT_EQ(0, runTess(tess, {star(31, 15, 100)}, TESS_WINDING_ODD).ok);
    tessDeleteTess(tess);
    rec.extraVertices = 400;
    tess = tessNewTess(&rec);
    EXPECT_EQ(1, runTess(tess, {star(31, 15, 100)}, TESS_WINDING_ODD).ok);
    tessDeleteTess(tess);
    EXPECT_EQ(0, counter.live());

    rec.memalloc = nullptr;
    EXPECT_EQ(nullptr, tessNewTess(&rec));
}

} // namespace
