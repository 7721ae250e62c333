#pragma once

#include "tesselator.h"

// A pool of fixed-size items, grown by whole blocks and recycled through a
// free list; items are only returned to the allocator with the whole pool.
struct BucketAlloc {
    void* freelist;
    struct Bucket* buckets;
    size_t itemSize;
    int bucketSize;
    const char* name;
    TESSalloc* alloc;
};

// Clamps a block size to 16..4096 in place and returns it.
int tessClampBucketSize(int* size);

BucketAlloc* createBucketAlloc(TESSalloc* alloc, const char* name, size_t itemSize, int bucketSize);
void* bucketAlloc(BucketAlloc* pool);
void bucketFree(BucketAlloc* pool, void* item);
void deleteBucketAlloc(BucketAlloc* pool);
