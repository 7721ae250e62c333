#include <gtest/gtest.h>

#include <climits>

#include "tess/tessTesselator.h"
#include "tessTestSupport.h"

namespace {

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
