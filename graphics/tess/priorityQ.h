#pragma once

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

struct PriorityQHeap {
    PQnode* nodes;         // from index 1
    PQhandleElem* handles; // from index 1
    int size, max;
    PQhandle freeList;
    bool initialized;
    PQLeq leq;
};

struct PriorityQ {
    PriorityQHeap* heap;
    PQkey* keys;
    PQkey** order;
    PQhandle size, max;
    bool initialized;
    PQLeq leq;
};

PriorityQ* pqNewPriorityQ(TESSalloc* alloc, int size, PQLeq leq);
void pqDeletePriorityQ(TESSalloc* alloc, PriorityQ* pq);

// Returns a handle (negative for the sorted array, positive for the heap) or
// INV_HANDLE when the queue cannot grow; a failed insertion leaves it as it was.
PQhandle pqInsert(TESSalloc* alloc, PriorityQ* pq, PQkey key);
int pqInit(TESSalloc* alloc, PriorityQ* pq);
PQkey pqExtractMin(PriorityQ* pq);
PQkey pqMinimum(PriorityQ* pq);
void pqDelete(PriorityQ* pq, PQhandle handle);
