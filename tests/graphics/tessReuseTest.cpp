#include <gtest/gtest.h>

#include "tessTestSupport.h"

namespace {

Contour starOutline(int points, float inner, float outer) {
    Contour c;
    for (int k = 0; k < points; ++k) {
        const double a = 2 * M_PI * k / points;
        const float r = (k % 2) ? inner : outer;
        c.push_back((float)(480 + r * std::cos(a)));
        c.push_back((float)(480 + r * std::sin(a)));
    }
    return c;
}

// A shape a frame: once the first run has made the object's storage, the
// same shape again asks the allocator for nothing and gives the same result.
TEST(TessReuse, RepeatedSmallShapesAllocateNothing) {
    const struct {
        const char* name;
        std::vector<Contour> contours;
        int elementType;
        int polySize;
    } cases[] = {
        {"ship", {starOutline(16, 20, 35)}, TESS_POLYGONS, 3},
        {"crossings", {pentagram(10), square(-3, -3, 6)}, TESS_CONNECTED_POLYGONS, 3},
        {"holes merged", {square(0, 0, 10), square(2, 2, 2), square(6, 6, 2)}, TESS_POLYGONS, 6},
        {"boundary", {square(0, 0, 10), square(5, 5, 10)}, TESS_BOUNDARY_CONTOURS, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CountingAllocator counter;
        TESSalloc rec = counter.record();
        TESStesselator* tess = tessNewTess(&rec);
        const TessResult first = runTess(tess, c.contours, TESS_WINDING_ODD, c.elementType, c.polySize);
        ASSERT_EQ(1, first.ok);
        ASSERT_GT(first.elementCount, 0);
        const long requests = counter.requests;
        for (int run = 0; run < 3; ++run) {
            const TessResult again = runTess(tess, c.contours, TESS_WINDING_ODD, c.elementType, c.polySize);
            EXPECT_EQ(first.elements, again.elements);
            EXPECT_EQ(first.vertices, again.vertices);
        }
        EXPECT_EQ(requests, counter.requests);
        tessDeleteTess(tess);
        EXPECT_EQ(0, counter.live());
    }
}

// Storage of a large shape is not kept: after it the object holds about
// what a small shape leaves, far less than the large one needed.
TEST(TessReuse, LargeShapesLeaveNothingLargeBehind) {
    CountingAllocator counter;
    TESSalloc rec = counter.record();
    TESStesselator* tess = tessNewTess(&rec);
    runTess(tess, {starOutline(16, 20, 35)}, TESS_WINDING_ODD);
    const long small = counter.liveBytes;
    EXPECT_LT(small, 64 * 1024);

    const TessResult big = runTess(tess, {starOutline(20000, 300, 350)}, TESS_WINDING_ODD);
    EXPECT_EQ(19998, big.elementCount);
    // The result itself: 20,000 vertices and their triangles.
    EXPECT_GT(counter.liveBytes, 20000 * 2 * 4 + 19998 * 3 * 4);
    runTess(tess, {starOutline(16, 20, 35)}, TESS_WINDING_ODD);
    // Pools, queue and dictionary trimmed to their bound.
    EXPECT_LT(counter.liveBytes, 600 * 1024);
    runTess(tess, {starOutline(20000, 300, 350)}, TESS_WINDING_ODD);
    runTess(tess, {starOutline(16, 20, 35)}, TESS_WINDING_ODD);
    EXPECT_LT(counter.liveBytes, 600 * 1024);
    tessDeleteTess(tess);
    EXPECT_EQ(0, counter.live());
    EXPECT_EQ(0, counter.liveBytes);
}

} // namespace
