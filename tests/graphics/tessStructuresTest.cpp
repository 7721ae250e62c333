#include <gtest/gtest.h>

#include "tess/priorityQ.h"
#include "tess/tessMesh.h"
#include "tessTestSupport.h"

namespace {

TESSvertex makeVertex(float s, float t) {
    TESSvertex v{};
    v.s = s;
    v.t = t;
    return v;
}

TEST(TessPriorityQ, DeletedLastKeysAreNeverReturned) {
    CountingAllocator counter;
    TESSalloc rec = counter.record();
    PriorityQ* pq = pqNewPriorityQ(&rec, 8, tesvertLeq);
    TESSvertex a = makeVertex(1, 0), b = makeVertex(2, 0), c = makeVertex(3, 0);
    a.pqHandle = pqInsert(&rec, pq, &a);
    b.pqHandle = pqInsert(&rec, pq, &b);
    c.pqHandle = pqInsert(&rec, pq, &c);
    ASSERT_EQ(1, pqInit(&rec, pq));
    pqDelete(pq, a.pqHandle);
    pqDelete(pq, b.pqHandle);
    EXPECT_EQ(&c, pqMinimum(pq));
    EXPECT_EQ(&c, pqExtractMin(pq));
    EXPECT_EQ(nullptr, pqMinimum(pq));
    pqDeletePriorityQ(&rec, pq);
    EXPECT_EQ(0, counter.live());
}

// A heap that cannot grow refuses the entry and keeps every earlier one.
TEST(TessPriorityQ, FailedGrowthKeepsTheHeapWhole) {
    CountingAllocator counter;
    TESSalloc rec = counter.record();
    PriorityQ* pq = pqNewPriorityQ(&rec, 10, tesvertLeq);
    ASSERT_EQ(1, pqInit(&rec, pq));
    TESSvertex v[11];
    for (int i = 0; i < 11; ++i) v[i] = makeVertex((float)(10 - i), 0);
    for (int i = 0; i < 10; ++i) pqInsert(&rec, pq, &v[i]);
    counter.failAt = counter.requests + 1;
    EXPECT_EQ(INV_HANDLE, pqInsert(&rec, pq, &v[10]));
    for (int i = 9; i >= 0; --i) EXPECT_EQ(&v[i], pqExtractMin(pq));
    EXPECT_EQ(nullptr, pqExtractMin(pq));
    pqDeletePriorityQ(&rec, pq);
    EXPECT_EQ(0, counter.live());
}

} // namespace
