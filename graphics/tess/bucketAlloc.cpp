#include "bucketAlloc.h"

struct Bucket {
    Bucket* next = nullptr;
    int items = 0;
};

namespace {

// Items follow the block's header; keep them aligned for pointers and floats.
size_t headerSize() {
    const size_t a = alignof(void*) > alignof(double) ? alignof(void*) : alignof(double);
    return (sizeof(Bucket) + a - 1) / a * a;
}

void carveFrom(BucketAlloc* pool, Bucket* bucket) {
    pool->current = bucket;
    pool->carve = (unsigned char*)bucket + headerSize();
    pool->carveEnd = pool->carve + pool->itemSize * (size_t)bucket->items;
}

} // namespace

int tessClampBucketSize(int* size) {
    if (*size < 16) *size = 16;
    if (*size > 4096) *size = 4096;
    return *size;
}

bool bucketAllocNextBlock(BucketAlloc* pool) {
    if (pool->current && pool->current->next) {
        carveFrom(pool, pool->current->next);
        return true;
    }
    const int items = pool->nextBucketSize;
    Bucket* bucket =
        (Bucket*)pool->alloc->memalloc(pool->alloc->userData, headerSize() + pool->itemSize * (size_t)items);
    if (!bucket) return false;
    bucket->next = nullptr;
    bucket->items = items;
    if (pool->current) pool->current->next = bucket;
    else pool->buckets = bucket;
    carveFrom(pool, bucket);
    pool->capacity += (size_t)items;
    pool->nextBucketSize = items * 2 < pool->bucketSize ? items * 2 : pool->bucketSize;
    return true;
}

BucketAlloc* createBucketAlloc(TESSalloc* alloc, const char* name, size_t itemSize, int bucketSize) {
    BucketAlloc* pool = (BucketAlloc*)alloc->memalloc(alloc->userData, sizeof(BucketAlloc));
    if (!pool) return nullptr;
    *pool = BucketAlloc();
    if (itemSize < sizeof(void*)) itemSize = sizeof(void*);
    pool->itemSize = (itemSize + sizeof(void*) - 1) / sizeof(void*) * sizeof(void*);
    pool->bucketSize = bucketSize < 1 ? 1 : bucketSize;
    pool->nextBucketSize =
        pool->bucketSize < TESS_FIRST_BUCKET_ITEMS ? pool->bucketSize : TESS_FIRST_BUCKET_ITEMS;
    pool->name = name;
    pool->alloc = alloc;
    // The first block at once: a pool that exists can hand out items.
    if (!bucketAllocNextBlock(pool)) {
        alloc->memfree(alloc->userData, pool);
        return nullptr;
    }
    return pool;
}

void resetBucketAlloc(BucketAlloc* pool) {
    pool->freelist = nullptr;
    carveFrom(pool, pool->buckets);
}

void trimBucketAlloc(BucketAlloc* pool, size_t maxItems) {
    Bucket* last = pool->buckets;
    size_t kept = (size_t)last->items;
    while (last->next && kept + (size_t)last->next->items <= maxItems) {
        last = last->next;
        kept += (size_t)last->items;
    }
    Bucket* bucket = last->next;
    last->next = nullptr;
    while (bucket) {
        Bucket* next = bucket->next;
        pool->alloc->memfree(pool->alloc->userData, bucket);
        bucket = next;
    }
    pool->capacity = kept;
    resetBucketAlloc(pool);
}

void deleteBucketAlloc(BucketAlloc* pool) {
    TESSalloc* alloc = pool->alloc;
    Bucket* bucket = pool->buckets;
    while (bucket) {
        Bucket* next = bucket->next;
        alloc->memfree(alloc->userData, bucket);
        bucket = next;
    }
    alloc->memfree(alloc->userData, pool);
}
