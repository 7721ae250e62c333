#include <gtest/gtest.h>

#include <vector>

#include "tess/dict.h"
#include "tess/priorityQ.h"
#include "tess/tessGeom.h"
#include "tessTestSupport.h"

namespace {

TESSvertex vertex(float s, float t) {
    TESSvertex v{};
    v.s = s;
    v.t = t;
    return v;
}

// Vertices order by s, then by t; equal ones are each other's "less or equal".
TEST(TessGeom, VertexOrderIsBySThenT) {
    const struct {
        float us, ut, vs, vt;
        bool leq;
    } cases[] = {
        {0, 5, 1, 0, true}, {1, 0, 0, 5, false}, {2, 1, 2, 3, true},
        {2, 3, 2, 1, false}, {2, 3, 2, 3, true}, {-0.0f, 0, 0, 0, true},
    };
    for (const auto& c : cases) {
        const TESSvertex u = vertex(c.us, c.ut), v = vertex(c.vs, c.vt);
        EXPECT_EQ(tesvertLeq(&u, &v), c.leq) << c.us << "," << c.ut << " <= " << c.vs << "," << c.vt;
    }
}

// Before the queue is sorted, keys go to an array that doubles its limit one
// entry before it is full: from its own room when it has some, else by a
// reallocation, and never without a reallocation function. A failed growth
// leaves the queue as it was.
TEST(TessPriorityQ, TheUnsortedArrayGrowsAndFailsCleanly) {
    CountingAllocator counter;
    TESSalloc rec = counter.record();
    TESSvertex v[24];
    for (int i = 0; i < 24; ++i) v[i] = vertex(static_cast<float>((i * 7) % 24), 0);

    PriorityQ* pq = pqNewPriorityQ(&rec, 4, tesvertLeq);
    ASSERT_NE(nullptr, pq);
    const struct {
        int inserted;
        int max, capacity;
    } steps[] = {{3, 4, 4}, {4, 8, 8}, {8, 16, 16}, {16, 32, 32}};
    int next = 0;
    for (const auto& s : steps) {
        for (; next < s.inserted; ++next) EXPECT_EQ(-(next + 1), pqInsert(&rec, pq, &v[next]));
        EXPECT_EQ((std::vector<int>{pq->size, pq->max, pq->keysCapacity}),
                  (std::vector<int>{s.inserted, s.max, s.capacity}));
    }
    // The 32nd key needs a growth that cannot be had.
    for (; next < 24; ++next) pqInsert(&rec, pq, &v[next]);
    TESSvertex extra[8];
    for (int i = 0; i < 7; ++i) pqInsert(&rec, pq, &(extra[i] = vertex(100.0f + i, 0)));
    ASSERT_EQ(31, pq->size);
    counter.failAt = counter.requests + 1;
    extra[7] = vertex(-1, 0);
    EXPECT_EQ(INV_HANDLE, pqInsert(&rec, pq, &extra[7]));
    EXPECT_EQ((std::vector<int>{pq->size, pq->max, pq->keysCapacity}), (std::vector<int>{31, 32, 32}));
    counter.failAt = -1;
    ASSERT_EQ(1, pqInit(&rec, pq));
    for (int s = 0; s < 24; ++s) EXPECT_EQ(s, static_cast<int>(pqExtractMin(pq)->s));
    for (int i = 0; i < 7; ++i) EXPECT_EQ(&extra[i], pqExtractMin(pq));
    EXPECT_EQ(nullptr, pqExtractMin(pq));

    // A smaller shape keeps the room: growing within it asks for no memory,
    // but still needs the reallocation function.
    ASSERT_EQ(1, pqReset(&rec, pq, 4));
    const long allocations = counter.allocations, requests = counter.requests;
    for (int i = 0; i < 10; ++i) EXPECT_EQ(-(i + 1), pqInsert(&rec, pq, &v[i]));
    EXPECT_EQ((std::vector<int>{pq->max, pq->keysCapacity}), (std::vector<int>{16, 32}));
    EXPECT_EQ(requests, counter.requests);
    EXPECT_EQ(allocations, counter.allocations);
    TESSalloc fixed = rec;
    fixed.memrealloc = nullptr;
    ASSERT_EQ(1, pqReset(&fixed, pq, 4));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(-(i + 1), pqInsert(&fixed, pq, &v[i]));
    EXPECT_EQ(INV_HANDLE, pqInsert(&fixed, pq, &v[3]));
    EXPECT_EQ(3, pq->size);
    pqDeletePriorityQ(&rec, pq);
    EXPECT_EQ(0, counter.live());
}

int intLeq(void*, DictKey a, DictKey b) { return *static_cast<int*>(a) <= *static_cast<int*>(b); }

std::vector<int> listOrder(Dict* dict) {
    std::vector<int> keys;
    for (DictNode* n = dictMin(dict); n->key; n = n->next) keys.push_back(*static_cast<int*>(n->key));
    return keys;
}

// Insertion walks down from the node it is given to the key's place; a
// search finds the first node whose key is not below the probe, the head
// (no key) when there is none. The tree index gives the same answers.
TEST(TessDict, SortedInsertionAndSearchWithAndWithoutTheIndex) {
    for (bool indexed : {false, true}) {
        SCOPED_TRACE(indexed ? "indexed" : "plain");
        CountingAllocator counter;
        TESSalloc rec = counter.record();
        Dict* dict = dictNewDict(&rec, nullptr, intLeq, indexed);
        ASSERT_NE(nullptr, dict);
        int keys[] = {5, 1, 9, 3, 7, 3};
        for (int i = 0; i < 4; ++i) ASSERT_NE(nullptr, dictInsert(dict, &keys[i]));
        // From the node of 9: 7 lands between 5 and 9.
        ASSERT_NE(nullptr, dictInsertBefore(dict, dictSearch(dict, &keys[2]), &keys[4]));
        // A second 3 goes before the first, found by search.
        DictNode* second = dictInsertBefore(dict, dictSearch(dict, &keys[5]), &keys[5]);
        EXPECT_EQ((std::vector<int>{1, 3, 3, 5, 7, 9}), listOrder(dict));
        EXPECT_EQ(second->next->key, &keys[3]);

        const struct {
            int probe;
            int found;  // -1: the head
        } searches[] = {{-4, 1}, {1, 1}, {2, 3}, {4, 5}, {6, 7}, {9, 9}, {10, -1}};
        for (const auto& s : searches) {
            int probe = s.probe;
            DictNode* n = dictSearch(dict, &probe);
            EXPECT_EQ(s.found, n->key ? *static_cast<int*>(n->key) : -1) << s.probe;
        }
        int probe = 3;
        EXPECT_EQ(second, dictSearch(dict, &probe));
        dictDelete(dict, dictSearch(dict, &keys[0]));
        probe = 4;
        EXPECT_EQ(7, *static_cast<int*>(dictSearch(dict, &probe)->key));

        // A node that cannot be had: nothing is linked.
        counter.failAt = counter.requests + 1;
        counter.failAfter = true;
        int many[200];
        bool refused = false;
        for (int i = 0; i < 200 && !refused; ++i) refused = !dictInsert(dict, &(many[i] = 1000 + i));
        EXPECT_TRUE(refused);
        const std::vector<int> after = listOrder(dict);
        EXPECT_EQ(after.front(), 1);
        for (size_t i = 1; i < after.size(); ++i) EXPECT_LE(after[i - 1], after[i]);
        counter.failAt = -1;
        dictDeleteDict(&rec, dict);
        EXPECT_EQ(0, counter.live());
    }
}

}  // namespace
