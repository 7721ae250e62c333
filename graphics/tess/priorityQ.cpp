#include "priorityQ.h"

#include "tessGeom.h"

namespace {

inline bool keyLeq(PQkey a, PQkey b) { return tesvertLeq(a, b); }

void freeHeap(TESSalloc* alloc, PriorityQHeap* pq) {
    if (pq->handles) alloc->memfree(alloc->userData, pq->handles);
    if (pq->nodes) alloc->memfree(alloc->userData, pq->nodes);
    alloc->memfree(alloc->userData, pq);
}

// Room for size entries; the arrays are replaced only when too small.
bool reserveHeap(TESSalloc* alloc, PriorityQHeap* pq, int size) {
    if (pq->capacity >= size && pq->nodes && pq->handles) return true;
    if (pq->nodes) alloc->memfree(alloc->userData, pq->nodes);
    if (pq->handles) alloc->memfree(alloc->userData, pq->handles);
    pq->capacity = 0;
    pq->nodes = (PQnode*)alloc->memalloc(alloc->userData, ((size_t)size + 1) * sizeof(PQnode));
    pq->handles = (PQhandleElem*)alloc->memalloc(alloc->userData, ((size_t)size + 1) * sizeof(PQhandleElem));
    if (!pq->nodes || !pq->handles) return false;
    pq->capacity = size;
    return true;
}

void resetHeap(PriorityQHeap* pq, int size) {
    pq->size = 0;
    pq->max = size;
    pq->initialized = false;
    pq->freeList = 0;
    // The minimum of an empty heap reads a null key.
    pq->nodes[1].handle = 1;
    pq->handles[1].key = nullptr;
}

PriorityQHeap* newHeap(TESSalloc* alloc, int size, PQLeq leq) {
    PriorityQHeap* pq = (PriorityQHeap*)alloc->memalloc(alloc->userData, sizeof(PriorityQHeap));
    if (!pq) return nullptr;
    pq->nodes = nullptr;
    pq->handles = nullptr;
    pq->capacity = 0;
    if (!reserveHeap(alloc, pq, size)) {
        freeHeap(alloc, pq);
        return nullptr;
    }
    pq->leq = leq;
    resetHeap(pq, size);
    return pq;
}

void floatDown(PriorityQHeap* pq, int curr) {
    PQnode* n = pq->nodes;
    PQhandleElem* h = pq->handles;
    PQhandle hCurr = n[curr].handle;
    for (;;) {
        int child = curr << 1;
        if (child < pq->size && keyLeq(h[n[child + 1].handle].key, h[n[child].handle].key)) ++child;
        if (child > pq->size || keyLeq(h[hCurr].key, h[n[child].handle].key)) {
            n[curr].handle = hCurr;
            h[hCurr].node = curr;
            break;
        }
        n[curr].handle = n[child].handle;
        h[n[curr].handle].node = curr;
        curr = child;
    }
}

void floatUp(PriorityQHeap* pq, int curr) {
    PQnode* n = pq->nodes;
    PQhandleElem* h = pq->handles;
    PQhandle hCurr = n[curr].handle;
    for (;;) {
        int parent = curr >> 1;
        if (parent == 0 || keyLeq(h[n[parent].handle].key, h[hCurr].key)) {
            n[curr].handle = hCurr;
            h[hCurr].node = curr;
            break;
        }
        PQhandle hParent = n[parent].handle;
        n[curr].handle = hParent;
        h[hParent].node = curr;
        curr = parent;
    }
}

void heapInit(PriorityQHeap* pq) {
    for (int i = pq->size; i >= 1; --i) floatDown(pq, i);
    pq->initialized = true;
}

PQhandle heapInsert(TESSalloc* alloc, PriorityQHeap* pq, PQkey keyNew) {
    int curr = pq->size + 1;
    if (curr * 2 > pq->max) {
        // Growing needs the reallocation function, even where a previous
        // shape left room enough.
        if (!alloc->memrealloc) return INV_HANDLE;
        const int newMax = pq->max * 2;
        if (newMax > pq->capacity) {
            PQnode* nodes =
                (PQnode*)alloc->memrealloc(alloc->userData, pq->nodes, ((size_t)newMax + 1) * sizeof(PQnode));
            if (!nodes) return INV_HANDLE;
            pq->nodes = nodes;
            PQhandleElem* handles = (PQhandleElem*)alloc->memrealloc(alloc->userData, pq->handles,
                                                                     ((size_t)newMax + 1) * sizeof(PQhandleElem));
            if (!handles) return INV_HANDLE;
            pq->handles = handles;
            pq->capacity = newMax;
        }
        pq->max = newMax;
    }
    pq->size = curr;

    PQhandle free;
    if (pq->freeList == 0) {
        free = curr;
    } else {
        free = pq->freeList;
        pq->freeList = pq->handles[free].node;
    }
    pq->nodes[curr].handle = free;
    pq->handles[free].node = curr;
    pq->handles[free].key = keyNew;
    if (pq->initialized) floatUp(pq, curr);
    return free;
}

PQkey heapExtractMin(PriorityQHeap* pq) {
    PQnode* n = pq->nodes;
    PQhandleElem* h = pq->handles;
    PQhandle hMin = n[1].handle;
    PQkey min = h[hMin].key;
    if (pq->size > 0) {
        n[1].handle = n[pq->size].handle;
        h[n[1].handle].node = 1;
        h[hMin].key = nullptr;
        h[hMin].node = pq->freeList;
        pq->freeList = hMin;
        if (--pq->size > 0) floatDown(pq, 1);
    }
    return min;
}

void heapDelete(PriorityQHeap* pq, PQhandle hCurr) {
    PQnode* n = pq->nodes;
    PQhandleElem* h = pq->handles;
    int curr = h[hCurr].node;
    n[curr].handle = n[pq->size].handle;
    h[n[curr].handle].node = curr;
    --pq->size;
    if (curr <= pq->size) {
        if (curr <= 1 || keyLeq(h[n[curr >> 1].handle].key, h[n[curr].handle].key)) {
            floatDown(pq, curr);
        } else {
            floatUp(pq, curr);
        }
    }
    h[hCurr].key = nullptr;
    h[hCurr].node = pq->freeList;
    pq->freeList = hCurr;
}

// Descending order, so the smallest key is last.
inline bool entryGT(PQkey* x, PQkey* y) { return !keyLeq(*x, *y); }
inline bool entryLT(PQkey* x, PQkey* y) { return !keyLeq(*y, *x); }

void sortDescending(PQkey** order, int size) {
    struct Range {
        int p, r;
    } stack[50];
    int top = 0;
    unsigned int seed = 2016473283u;

    stack[top].p = 0;
    stack[top].r = size - 1;
    ++top;
    while (top > 0) {
        --top;
        int p = stack[top].p;
        int r = stack[top].r;
        while (r > p + 10) {
            seed = seed * 1539415821u + 1u;
            int i = p + (int)(seed % (unsigned int)(r - p + 1));
            PQkey* piv = order[i];
            order[i] = order[p];
            order[p] = piv;
            i = p - 1;
            int j = r + 1;
            do {
                do {
                    ++i;
                } while (entryGT(order[i], piv));
                do {
                    --j;
                } while (entryLT(order[j], piv));
                PQkey* tmp = order[i];
                order[i] = order[j];
                order[j] = tmp;
            } while (i < j);
            PQkey* tmp = order[i];
            order[i] = order[j];
            order[j] = tmp;
            // Keep the larger side for later; the stack stays shallow.
            if (i - p < r - j) {
                stack[top].p = j + 1;
                stack[top].r = r;
                ++top;
                r = i - 1;
            } else {
                stack[top].p = p;
                stack[top].r = i - 1;
                ++top;
                p = j + 1;
            }
        }
        for (int i = p + 1; i <= r; ++i) {
            PQkey* tmp = order[i];
            int j = i;
            for (; j > p && entryLT(order[j - 1], tmp); --j) order[j] = order[j - 1];
            order[j] = tmp;
        }
    }
}

} // namespace

PriorityQ* pqNewPriorityQ(TESSalloc* alloc, int size, PQLeq leq) {
    if (size < 1) size = 1;
    PriorityQ* pq = (PriorityQ*)alloc->memalloc(alloc->userData, sizeof(PriorityQ));
    if (!pq) return nullptr;
    pq->heap = newHeap(alloc, size, leq);
    if (!pq->heap) {
        alloc->memfree(alloc->userData, pq);
        return nullptr;
    }
    pq->keys = (PQkey*)alloc->memalloc(alloc->userData, (size_t)size * sizeof(PQkey));
    if (!pq->keys) {
        freeHeap(alloc, pq->heap);
        alloc->memfree(alloc->userData, pq);
        return nullptr;
    }
    pq->keysCapacity = size;
    pq->order = nullptr;
    pq->orderCapacity = 0;
    pq->size = 0;
    pq->max = size;
    pq->initialized = false;
    pq->leq = leq;
    return pq;
}

int pqReset(TESSalloc* alloc, PriorityQ* pq, int size) {
    if (size < 1) size = 1;
    if (!reserveHeap(alloc, pq->heap, size)) return 0;
    resetHeap(pq->heap, size);
    if (pq->keysCapacity < size) {
        alloc->memfree(alloc->userData, pq->keys);
        pq->keysCapacity = 0;
        pq->keys = (PQkey*)alloc->memalloc(alloc->userData, (size_t)size * sizeof(PQkey));
        if (!pq->keys) return 0;
        pq->keysCapacity = size;
    }
    pq->size = 0;
    pq->max = size;
    pq->initialized = false;
    return 1;
}

void pqDeletePriorityQ(TESSalloc* alloc, PriorityQ* pq) {
    freeHeap(alloc, pq->heap);
    if (pq->order) alloc->memfree(alloc->userData, pq->order);
    if (pq->keys) alloc->memfree(alloc->userData, pq->keys);
    alloc->memfree(alloc->userData, pq);
}

int pqInit(TESSalloc* alloc, PriorityQ* pq) {
    if (pq->orderCapacity < pq->size + 1) {
        if (pq->order) alloc->memfree(alloc->userData, pq->order);
        pq->orderCapacity = 0;
        pq->order = (PQkey**)alloc->memalloc(alloc->userData, ((size_t)pq->size + 1) * sizeof(PQkey*));
        if (!pq->order) return 0;
        pq->orderCapacity = pq->size + 1;
    }
    for (int i = 0; i < pq->size; ++i) pq->order[i] = &pq->keys[i];
    sortDescending(pq->order, pq->size);
    pq->max = pq->size;
    pq->initialized = true;
    heapInit(pq->heap);
    return 1;
}

PQhandle pqInsertSlow(TESSalloc* alloc, PriorityQ* pq, PQkey keyNew) {
    if (pq->initialized) return heapInsert(alloc, pq->heap, keyNew);

    const int curr = pq->size;
    if (curr + 1 >= pq->max) {
        if (!alloc->memrealloc) return INV_HANDLE;
        const int newMax = pq->max * 2;
        if (newMax > pq->keysCapacity) {
            PQkey* keys = (PQkey*)alloc->memrealloc(alloc->userData, pq->keys, (size_t)newMax * sizeof(PQkey));
            if (!keys) return INV_HANDLE;
            pq->keys = keys;
            pq->keysCapacity = newMax;
        }
        pq->max = newMax;
    }
    pq->size = curr + 1;
    pq->keys[curr] = keyNew;
    return -(curr + 1);
}

PQkey pqHeapExtractMin(PriorityQ* pq) { return heapExtractMin(pq->heap); }

void pqDelete(PriorityQ* pq, PQhandle handle) {
    if (handle >= 0) {
        heapDelete(pq->heap, handle);
        return;
    }
    const int curr = -(handle + 1);
    pq->keys[curr] = nullptr;
    while (pq->size > 0 && *(pq->order[pq->size - 1]) == nullptr) --pq->size;
}
