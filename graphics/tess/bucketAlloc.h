#pragma once

#include "tesselator.h"

// A pool of fixed-size items. Blocks start small and double up to the
// configured size, so a small shape asks little of the allocator; items are
// carved from the blocks in order and recycled through a free list, and only
// go back to the allocator with the whole pool. A reset makes every item free
// again but keeps the blocks, so a pool reused run after run stops allocating.
struct BucketAlloc {
    void* freelist = nullptr;           // items given back, the latest first
    struct Bucket* buckets = nullptr;   // every block, oldest first
    struct Bucket* current = nullptr;   // the block items are carved from
    unsigned char* carve = nullptr;     // its first item never handed out
    unsigned char* carveEnd = nullptr;
    size_t itemSize = 0;
    int bucketSize = 0;                 // items in the largest block
    int nextBucketSize = 0;             // items in the next block to be made
    size_t capacity = 0;                // items in all blocks together
    const char* name = nullptr;
    TESSalloc* alloc = nullptr;         // the owner's record; must outlive the pool
};

// Items in a pool's first block, unless the configured size is smaller.
const int TESS_FIRST_BUCKET_ITEMS = 32;

// Clamps a block size to 16..4096 in place and returns it.
int tessClampBucketSize(int* size);

BucketAlloc* createBucketAlloc(TESSalloc* alloc, const char* name, size_t itemSize, int bucketSize);
void deleteBucketAlloc(BucketAlloc* pool);
// Every item is free again; the blocks stay.
void resetBucketAlloc(BucketAlloc* pool);
// With every item given back: resets the pool and releases its blocks beyond
// the first ones that hold at most maxItems together (the first always stays).
void trimBucketAlloc(BucketAlloc* pool, size_t maxItems);

// Moves on to the next block, making it when there is none; false when the
// allocator has no memory for it.
bool bucketAllocNextBlock(BucketAlloc* pool);

inline void* bucketAlloc(BucketAlloc* pool) {
    if (void* item = pool->freelist) {
        pool->freelist = *(void**)item;
        return item;
    }
    if (pool->carve == pool->carveEnd && !bucketAllocNextBlock(pool)) return nullptr;
    void* item = pool->carve;
    pool->carve += pool->itemSize;
    return item;
}

inline void bucketFree(BucketAlloc* pool, void* item) {
    *(void**)item = pool->freelist;
    pool->freelist = item;
}
