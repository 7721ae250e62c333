#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "tess/bucketAlloc.h"
#include "tess/dict.h"
#include "tess/priorityQ.h"
#include "tess/tessGeom.h"
#include "tess/tessMesh.h"
#include "tessTestSupport.h"

namespace {

TEST(TessBucketAlloc, BlocksStartSmallDoubleAndAreKeptByAReset) {
    CountingAllocator counter;
    TESSalloc rec = counter.record();
    int size = 3;
    EXPECT_EQ(16, tessClampBucketSize(&size));
    size = 9000;
    EXPECT_EQ(4096, tessClampBucketSize(&size));

    BucketAlloc* pool = createBucketAlloc(&rec, "Test", 24, 100);
    ASSERT_NE(nullptr, pool);
    EXPECT_EQ(2, counter.allocations); // record and first block
    // Blocks of 32, 64, then 100 items (the configured size) from then on.
    const struct {
        int items;
        long allocationsAfter;
    } blocks[] = {{32, 2}, {64, 3}, {100, 4}, {100, 5}};
    std::vector<void*> items;
    for (const auto& block : blocks) {
        SCOPED_TRACE(block.items);
        const size_t first = items.size();
        for (int i = 0; i < block.items; ++i) items.push_back(bucketAlloc(pool));
        EXPECT_EQ(block.allocationsAfter, counter.allocations);
        // Items come in address order from each block, every one of them.
        for (size_t i = first + 1; i < items.size(); ++i) EXPECT_EQ((char*)items[i - 1] + 24, (char*)items[i]);
    }
    EXPECT_EQ(296u, pool->capacity);

    // A freed item is the next one handed out.
    bucketFree(pool, items[3]);
    bucketFree(pool, items[40]);
    EXPECT_EQ(items[40], bucketAlloc(pool));
    EXPECT_EQ(items[3], bucketAlloc(pool));

    // A reset hands the same items out again, in the same order, with no new
    // memory; the next block after them is the one the pool grew to.
    bucketFree(pool, items[7]);
    resetBucketAlloc(pool);
    for (size_t i = 0; i < items.size(); ++i) ASSERT_EQ(items[i], bucketAlloc(pool)) << i;
    EXPECT_EQ(5, counter.allocations);
    bucketAlloc(pool);
    EXPECT_EQ(6, counter.allocations);
    EXPECT_EQ(396u, pool->capacity);

    // A block that cannot be had: no item, and the pool goes on afterwards.
    for (int i = 1; i < 100; ++i) bucketAlloc(pool);
    counter.failAt = counter.requests + 1;
    EXPECT_EQ(nullptr, bucketAlloc(pool));
    EXPECT_NE(nullptr, bucketAlloc(pool));
    deleteBucketAlloc(pool);
    EXPECT_EQ(0, counter.live());

    // A configured size below the first block's makes every block that size.
    pool = createBucketAlloc(&rec, "Test", 8, 16);
    const long before = counter.allocations;
    for (int i = 0; i < 16; ++i) bucketAlloc(pool);
    EXPECT_EQ(before, counter.allocations);
    bucketAlloc(pool);
    EXPECT_EQ(before + 1, counter.allocations);
    EXPECT_EQ(32u, pool->capacity);
    deleteBucketAlloc(pool);

    // A missing first block makes no pool and leaks nothing.
    counter.failAt = counter.requests + 2;
    EXPECT_EQ(nullptr, createBucketAlloc(&rec, "Test", 8, 16));
    EXPECT_EQ(0, counter.live());
}

TESSvertex makeVertex(float s, float t) {
    TESSvertex v{};
    v.s = s;
    v.t = t;
    return v;
}

TEST(TessPriorityQ, SortedArrayAndHeapTogether) {
    CountingAllocator counter;
    TESSalloc rec = counter.record();
    PriorityQ* pq = pqNewPriorityQ(&rec, 40, tesvertLeq);
    ASSERT_NE(nullptr, pq);
    EXPECT_EQ(nullptr, pqMinimum(pq));
    EXPECT_EQ(nullptr, pqExtractMin(pq));

    // More than eleven keys so the partitioning runs, with ties.
    std::vector<TESSvertex> v;
    const float s[] = {5, 3, 9, 1, 7, 3, 8, 2, 6, 4, 0, 9, 5, 1, 7, 2, 8, 3, 6, 4};
    for (int i = 0; i < 20; ++i) v.push_back(makeVertex(s[i], (float)(i % 3)));
    for (int i = 0; i < 20; ++i) v[i].pqHandle = pqInsert(&rec, pq, &v[i]);
    EXPECT_EQ(-1, v[0].pqHandle);
    EXPECT_EQ(-20, v[19].pqHandle);
    ASSERT_EQ(1, pqInit(&rec, pq));

    // Later keys go to the heap; an equal key there comes first.
    TESSvertex h1 = makeVertex(0, (float)(10 % 3)); // equal to v[10]
    TESSvertex h2 = makeVertex(4.5f, 0);
    PQhandle hh1 = pqInsert(&rec, pq, &h1);
    PQhandle hh2 = pqInsert(&rec, pq, &h2);
    EXPECT_GT(hh1, 0);
    EXPECT_GT(hh2, 0);
    EXPECT_EQ(&h1, pqMinimum(pq));
    EXPECT_EQ(&h1, pqExtractMin(pq));
    EXPECT_EQ(&v[10], pqExtractMin(pq));

    // Deleting by handle, from both sides.
    pqDelete(pq, hh2);
    pqDelete(pq, v[3].pqHandle);  // s = 1, t = 0
    pqDelete(pq, v[13].pqHandle); // s = 1, t = 1

    std::vector<float> order;
    TESSvertex* prev = nullptr;
    while (TESSvertex* x = pqExtractMin(pq)) {
        if (prev) {
            EXPECT_TRUE(tesvertLeq(prev, x));
        }
        EXPECT_NE(&v[3], x);
        EXPECT_NE(&v[13], x);
        EXPECT_NE(&h2, x);
        order.push_back(x->s);
        prev = x;
    }
    EXPECT_EQ(17u, order.size());
    EXPECT_EQ(2.0f, order.front());
    pqDeletePriorityQ(&rec, pq);
    EXPECT_EQ(0, counter.live());
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

TEST(TessPriorityQ, HeapGrowsWhenHalfFullAndFailsCleanly) {
    CountingAllocator counter;
    TESSalloc rec = counter.record();
    PriorityQ* pq = pqNewPriorityQ(&rec, 10, tesvertLeq);
    ASSERT_EQ(1, pqInit(&rec, pq));
    TESSvertex v[12];
    for (int i = 0; i < 12; ++i) v[i] = makeVertex((float)(11 - i), 0);
    for (int i = 0; i < 5; ++i) pqInsert(&rec, pq, &v[i]);
    EXPECT_EQ(0, counter.reallocs);
    EXPECT_EQ(10, pq->heap->max);
    pqInsert(&rec, pq, &v[5]);
    EXPECT_EQ(2, counter.reallocs); // nodes and handles
    EXPECT_EQ(20, pq->heap->max);

    // Up to 10 entries fit; the 11th needs to grow and that growth fails.
    for (int i = 6; i < 10; ++i) pqInsert(&rec, pq, &v[i]);
    counter.failAt = counter.requests + 1;
    EXPECT_EQ(INV_HANDLE, pqInsert(&rec, pq, &v[10]));
    EXPECT_EQ(10, pq->heap->size); // the failed insertion is not counted
    EXPECT_EQ(20, pq->heap->max);
    for (int i = 9; i >= 0; --i) EXPECT_EQ(&v[i], pqExtractMin(pq));
    EXPECT_EQ(nullptr, pqExtractMin(pq));

    // Without a reallocation function the queue cannot grow at all.
    TESSalloc fixed = rec;
    fixed.memrealloc = nullptr;
    PriorityQ* small = pqNewPriorityQ(&fixed, 2, tesvertLeq);
    EXPECT_EQ(-1, pqInsert(&fixed, small, &v[0]));
    EXPECT_EQ(INV_HANDLE, pqInsert(&fixed, small, &v[1]));
    EXPECT_EQ(1, small->size);
    pqDeletePriorityQ(&fixed, small);
    pqDeletePriorityQ(&rec, pq);
    EXPECT_EQ(0, counter.live());
}

// A queue reset for a smaller shape behaves as a new queue of that size,
// though its arrays keep their room.
TEST(TessPriorityQ, ResetQueueKeepsItsRoomButNotItsLimits) {
    CountingAllocator counter;
    TESSalloc rec = counter.record();
    PriorityQ* pq = pqNewPriorityQ(&rec, 40, tesvertLeq);
    TESSvertex v[12];
    for (int i = 0; i < 12; ++i) v[i] = makeVertex((float)(i / 3), (float)(i % 3));
    for (int i = 0; i < 12; ++i) pqInsert(&rec, pq, &v[i]);
    ASSERT_EQ(1, pqInit(&rec, pq));
    pqInsert(&rec, pq, &v[0]);
    const long allocations = counter.allocations;

    // Fully emptied, with the new limit, and no memory asked for.
    ASSERT_EQ(1, pqReset(&rec, pq, 10));
    EXPECT_EQ(allocations, counter.allocations);
    EXPECT_EQ(0, pq->size);
    EXPECT_EQ(10, pq->max);
    EXPECT_EQ(10, pq->heap->max);
    EXPECT_EQ(nullptr, pqMinimum(pq));
    // Sorted again from scratch, inserted largest first.
    for (int i = 11; i >= 0; --i) EXPECT_EQ(-(11 - i + 1), pqInsert(&rec, pq, &v[i]));
    EXPECT_EQ(40, pq->keysCapacity);
    ASSERT_EQ(1, pqInit(&rec, pq));
    EXPECT_EQ(allocations, counter.allocations);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(&v[i], pqExtractMin(pq));

    // The heap doubles its limit at the sixth entry, from the room it has.
    TESSalloc fixed = rec;
    fixed.memrealloc = nullptr;
    ASSERT_EQ(1, pqReset(&rec, pq, 10));
    ASSERT_EQ(1, pqInit(&rec, pq));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(i + 1, pqInsert(&rec, pq, &v[i]));
    EXPECT_EQ(20, pq->heap->max);
    EXPECT_EQ(0, counter.reallocs);
    // Without a reallocation function it may not grow, room or not.
    ASSERT_EQ(1, pqReset(&fixed, pq, 10));
    ASSERT_EQ(1, pqInit(&fixed, pq));
    for (int i = 0; i < 5; ++i) pqInsert(&fixed, pq, &v[i]);
    EXPECT_EQ(INV_HANDLE, pqInsert(&fixed, pq, &v[5]));

    // A reset to more than the room there is takes new arrays; when they
    // cannot be had the queue reports it and can still be deleted.
    ASSERT_EQ(1, pqReset(&rec, pq, 100));
    EXPECT_EQ(100, pq->keysCapacity);
    EXPECT_EQ(100, pq->heap->capacity);
    counter.failAt = counter.requests + 1;
    EXPECT_EQ(0, pqReset(&rec, pq, 200));
    pqDeletePriorityQ(&rec, pq);
    EXPECT_EQ(0, counter.live());
}

int intLeq(void*, DictKey a, DictKey b) { return *(int*)a <= *(int*)b; }

TEST(TessDict, SortedInsertionAndSearch) {
    CountingAllocator counter;
    TESSalloc rec = counter.record();
    Dict* dict = dictNewDict(&rec, nullptr, intLeq);
    ASSERT_NE(nullptr, dict);
    EXPECT_EQ(16, rec.dictNodeBucketSize); // clamped and written back
    int keys[] = {5, 1, 9, 3};
    for (int& k : keys) ASSERT_NE(nullptr, dictInsert(dict, &k));
    std::vector<int> order;
    for (DictNode* n = dictMin(dict); n->key; n = n->next) order.push_back(*(int*)n->key);
    EXPECT_EQ((std::vector<int>{1, 3, 5, 9}), order);

    int probe = 4;
    EXPECT_EQ(5, *(int*)dictSearch(dict, &probe)->key);
    probe = 10;
    EXPECT_EQ(nullptr, dictSearch(dict, &probe)->key);

    dictDelete(dict, dictSearch(dict, &keys[0]));
    probe = 4;
    EXPECT_EQ(9, *(int*)dictSearch(dict, &probe)->key);
    dictDeleteDict(&rec, dict);
    EXPECT_EQ(0, counter.live());
}

// Counts by walking the lists; the vertices must agree with the mesh's count.
int count(TESSmesh* m, int what) {
    int n = 0;
    if (what == 0) {
        for (TESSvertex* v = m->vHead.next; v != &m->vHead; v = v->next) ++n;
        EXPECT_EQ(n, m->vertexCount);
    }
    if (what == 1)
        for (TESSface* f = m->fHead.next; f != &m->fHead; f = f->next) ++n;
    if (what == 2)
        for (TESShalfEdge* e = m->eHead.next; e != &m->eHead; e = e->next) ++n;
    return n;
}

TEST(TessMesh, LoopsSplitsAndConnections) {
    CountingAllocator counter;
    TESSalloc rec = counter.record();
    TESSmesh* mesh = tessMeshNewMesh(&rec);
    ASSERT_NE(nullptr, mesh);
    EXPECT_EQ(16, rec.meshEdgeBucketSize);

    TESShalfEdge* e = tessMeshMakeEdge(mesh);
    EXPECT_EQ(2, count(mesh, 0));
    EXPECT_EQ(1, count(mesh, 1));
    EXPECT_EQ(1, count(mesh, 2));
    EXPECT_FALSE(e->Lface->inside);

    // An edge spliced with its own Sym: one vertex, one pair, two faces.
    ASSERT_EQ(1, tessMeshSplice(mesh, e, e->Sym));
    EXPECT_EQ(1, count(mesh, 0));
    EXPECT_EQ(2, count(mesh, 1));
    EXPECT_EQ(1, count(mesh, 2));
    EXPECT_EQ(e->Org, e->Dst);
    EXPECT_NE(e->Lface, e->Rface);

    // Split twice: a triangle loop of three edges and three vertices.
    e->winding = 1;
    TESShalfEdge* e2 = tessMeshSplitEdge(mesh, e);
    EXPECT_EQ(1, e2->winding);
    TESShalfEdge* e3 = tessMeshSplitEdge(mesh, e2);
    EXPECT_EQ(3, count(mesh, 0));
    EXPECT_EQ(3, count(mesh, 2));
    EXPECT_EQ(e2, e->Lnext);
    EXPECT_EQ(e3, e2->Lnext);
    EXPECT_EQ(e, e3->Lnext);
    EXPECT_EQ(e->Dst, e2->Org);

    // Connect within one face splits it; deleting the new edge joins again.
    e->Lface->inside = true;
    TESShalfEdge* c = tessMeshConnect(mesh, e, e3);
    ASSERT_NE(nullptr, c);
    EXPECT_EQ(3, count(mesh, 1));
    EXPECT_TRUE(c->Lface->inside); // copied from the face it was split from
    EXPECT_EQ(1, tessMeshDelete(mesh, c));
    EXPECT_EQ(2, count(mesh, 1));
    EXPECT_EQ(3, count(mesh, 2));

    // AddEdgeVertex hangs a new vertex off e's destination.
    TESShalfEdge* spur = tessMeshAddEdgeVertex(mesh, e);
    EXPECT_EQ(e->Dst, spur->Org);
    EXPECT_EQ(4, count(mesh, 0));
    EXPECT_EQ(spur->Lface, spur->Rface);
    // Deleting the spur removes its lone vertex again.
    EXPECT_EQ(1, tessMeshDelete(mesh, spur));
    EXPECT_EQ(3, count(mesh, 0));

    tessMeshDeleteMesh(&rec, mesh);
    EXPECT_EQ(0, counter.live());
}

TEST(TessGeom, PredicatesAndCrossing) {
    TESSvertex a = makeVertex(0, 0), b = makeVertex(5, 3), c = makeVertex(10, 0);
    EXPECT_FLOAT_EQ(3.0f, tesedgeEval(&a, &b, &c));
    EXPECT_GT(tesedgeSign(&a, &b, &c), 0);
    TESSvertex below = makeVertex(5, -2);
    EXPECT_FLOAT_EQ(-2.0f, tesedgeEval(&a, &below, &c));
    EXPECT_TRUE(tesvertCCW(&a, &c, &b));
    EXPECT_FALSE(tesvertCCW(&a, &b, &c));
    TESSvertex mid = makeVertex(5, 0);
    EXPECT_TRUE(tesvertCCW(&a, &mid, &c)); // collinear counts

    TESSvertex p = makeVertex(0, 0), q = makeVertex(10, 10), r = makeVertex(10, 0), s = makeVertex(0, 10);
    TESSvertex x;
    tesedgeIntersect(&p, &q, &r, &s, &x);
    EXPECT_EQ(5.0f, x.s);
    EXPECT_EQ(5.0f, x.t);
    TESSvertex u = makeVertex(0, 2), w = makeVertex(8, 2), y = makeVertex(2, 0), z = makeVertex(2, 8);
    tesedgeIntersect(&u, &w, &y, &z, &x);
    EXPECT_EQ(2.0f, x.s);
    EXPECT_EQ(2.0f, x.t);
}

// Every link of a mesh as numbers: positions in the vertex, face and edge
// lists (an edge pair counts as two, its listed half first).
std::vector<long> meshShape(TESSmesh* mesh) {
    std::map<const void*, long> id;
    long n = 0;
    for (TESSvertex* v = mesh->vHead.next; v != &mesh->vHead; v = v->next) id[v] = n++;
    for (TESSface* f = mesh->fHead.next; f != &mesh->fHead; f = f->next) id[f] = n++;
    std::vector<TESShalfEdge*> edges;
    for (TESShalfEdge* e = mesh->eHead.next; e != &mesh->eHead; e = e->next) {
        edges.push_back(e);
        edges.push_back(e->Sym);
    }
    for (TESShalfEdge* e : edges) id[e] = n++;
    std::vector<long> shape;
    for (TESSvertex* v = mesh->vHead.next; v != &mesh->vHead; v = v->next) {
        shape.insert(shape.end(), {id[v->anEdge], v->idx, v->n});
    }
    for (TESSface* f = mesh->fHead.next; f != &mesh->fHead; f = f->next) {
        shape.insert(shape.end(), {id[f->anEdge], f->inside, f->n});
    }
    for (TESShalfEdge* e : edges) {
        shape.insert(shape.end(), {id[e->Sym], id[e->Onext], id[e->Lnext], id[e->Org], id[e->Lface], e->winding,
                                   e->activeRegion != nullptr});
    }
    return shape;
}

std::vector<float> vertexCoords(TESSmesh* mesh) {
    std::vector<float> c;
    for (TESSvertex* v = mesh->vHead.next; v != &mesh->vHead; v = v->next) c.insert(c.end(), v->coords, v->coords + 3);
    return c;
}

// The one-pass contour leaves exactly what the general operations do, also
// when the pools run dry part of the way.
TEST(TessMesh, AddedLoopsMatchSplicedAndSplitLoops) {
    std::vector<float> coords;
    for (int i = 0; i < 40; ++i) coords.insert(coords.end(), {(float)i, (float)(i * i % 7), (float)-i});
    for (int n : {1, 2, 3, 6, 40}) {
        for (bool dry : {false, true}) {
            SCOPED_TRACE(testing::Message() << n << (dry ? " dry" : ""));
            CountingAllocator counter;
            TESSalloc rec = counter.record();
            TESSmesh* general = tessMeshNewMesh(&rec);
            TESSmesh* quick = tessMeshNewMesh(&rec);
            // A contour already there, so list places relative to it count.
            for (TESSmesh* mesh : {general, quick}) {
                TESShalfEdge* e = tessMeshMakeEdge(mesh);
                tessMeshConnect(mesh, e, e);
            }
            if (dry) {
                counter.failAt = counter.requests + 1;
                counter.failAfter = true;
            }
            // Blocks of 16 items, two of them taken by the first contour.
            const int added = tessMeshAddLoop(quick, 3, coords.data(), 3 * sizeof(float), n, 5);
            EXPECT_EQ(dry ? std::min(n, 14) : n, added);
            counter.failAt = -1;

            TESShalfEdge* e = tessMeshMakeEdge(general);
            ASSERT_EQ(1, tessMeshSplice(general, e, e->Sym));
            for (int i = 0; i < added; ++i) {
                if (i > 0) {
                    ASSERT_NE(nullptr, tessMeshSplitEdge(general, e));
                    e = e->Lnext;
                }
                std::copy(&coords[3 * i], &coords[3 * i + 3], e->Org->coords);
                e->Org->idx = 5 + i;
                e->winding = 1;
                e->Sym->winding = -1;
            }
            EXPECT_EQ(meshShape(general), meshShape(quick));
            EXPECT_EQ(vertexCoords(general), vertexCoords(quick));
            EXPECT_EQ(count(general, 0), count(quick, 0));
            tessMeshDeleteMesh(&rec, general);
            tessMeshDeleteMesh(&rec, quick);
            EXPECT_EQ(0, counter.live());
        }
    }
}

} // namespace
