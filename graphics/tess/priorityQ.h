#pragma once

#include "tessGeom.h"
#include "tesselator.h"

// The sweep's event queue: the initial vertices in an array sorted once, the
// vertices made later in a binary heap; the minimum is the smaller front.

struct TESSvertex;

typedef TESSvertex* PQkey;
typedef int PQhandle;
typedef bool (*PQLeq)(const TESSvertex* key1, const TESSvertex* key2);

#define INV_HANDLE 0x0fffffff

struct PQnode {
    PQhandle handle;
};

struct PQhandleElem {
    PQkey key;
    PQhandle node;
};

// max is what the queue may hold before it has to grow; capacity what its
// arrays have room for, which a queue reset for a smaller shape keeps.
struct PriorityQHeap {
    PQnode* nodes;         // from index 1
    PQhandleElem* handles; // from index 1
    int size, max;
    PQhandle freeList;
    bool initialized;
    PQLeq leq;
    int capacity = 0; // entries of nodes and handles, less the unused index 0
};

struct PriorityQ {
    PriorityQHeap* heap;
    PQkey* keys;
    PQkey** order;
    PQhandle size, max;
    bool initialized;
    PQLeq leq;
    int keysCapacity = 0;
    int orderCapacity = 0;
};

PriorityQ* pqNewPriorityQ(TESSalloc* alloc, int size, PQLeq leq);
void pqDeletePriorityQ(TESSalloc* alloc, PriorityQ* pq);
// Empties the queue and gives it room for size keys, as a new queue of that
// size would have; 0 when that memory cannot be had (the queue must then be
// deleted).
int pqReset(TESSalloc* alloc, PriorityQ* pq, int size);

int pqInit(TESSalloc* alloc, PriorityQ* pq);
void pqDelete(PriorityQ* pq, PQhandle handle);

// The rest of insertion and extraction, out of line.
PQhandle pqInsertSlow(TESSalloc* alloc, PriorityQ* pq, PQkey key);
PQkey pqHeapExtractMin(PriorityQ* pq);

// Returns a handle (negative for the sorted array, positive for the heap) or
// INV_HANDLE when the queue cannot grow; a failed insertion leaves it as it was.
inline PQhandle pqInsert(TESSalloc* alloc, PriorityQ* pq, PQkey key) {
    if (pq->initialized || pq->size + 1 >= pq->max) return pqInsertSlow(alloc, pq, key);
    pq->keys[pq->size] = key;
    return -++pq->size;
}

// The smaller of the sorted array's last key and the heap's top; ties go to
// the heap.
inline PQkey pqMinimum(PriorityQ* pq) {
    const PriorityQHeap* heap = pq->heap;
    PQkey heapMin = heap->handles[heap->nodes[1].handle].key;
    if (pq->size == 0) return heapMin;
    PQkey sortMin = *(pq->order[pq->size - 1]);
    if (heap->size != 0 && tesvertLeq(heapMin, sortMin)) return heapMin;
    return sortMin;
}

inline PQkey pqExtractMin(PriorityQ* pq) {
    if (pq->size == 0) return pqHeapExtractMin(pq);
    PQkey sortMin = *(pq->order[pq->size - 1]);
    const PriorityQHeap* heap = pq->heap;
    if (heap->size != 0 && tesvertLeq(heap->handles[heap->nodes[1].handle].key, sortMin)) return pqHeapExtractMin(pq);
    do {
        --pq->size;
    } while (pq->size > 0 && *(pq->order[pq->size - 1]) == nullptr);
    return sortMin;
}
