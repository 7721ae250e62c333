#include "bucketAlloc.h"

struct Bucket {
    Bucket* next;
};

namespace {

// Items follow the link word; keep them aligned for pointers and floats.
size_t headerSize() {
    const size_t a = alignof(void*) > alignof(double) ? alignof(void*) : alignof(double);
    return (sizeof(Bucket) + a - 1) / a * a;
}

bool addBucket(BucketAlloc* pool) {
    const size_t size = headerSize() + pool->itemSize * (size_t)pool->bucketSize;
    Bucket* bucket = (Bucket*)pool->alloc->memalloc(pool->alloc->userData, size);
    if (!bucket) return false;
    bucket->next = pool->buckets;
    pool->buckets = bucket;

    // Thread the new items onto the free list in address order, the last one
    // pointing to the former head.
    unsigned char* first = (unsigned char*)bucket + headerSize();
    void* head = pool->freelist;
    for (int i = pool->bucketSize - 1; i >= 0; --i) {
        void** item = (void**)(first + pool->itemSize * (size_t)i);
        *item = head;
        head = item;
    }
    pool->freelist = head;
    return true;
}

} // namespace

int tessClampBucketSize(int* size) {
    if (*size < 16) *size = 16;
    if (*size > 4096) *size = 4096;
    return *size;
}

BucketAlloc* createBucketAlloc(TESSalloc* alloc, const char* name, size_t itemSize, int bucketSize) {
    BucketAlloc* pool = (BucketAlloc*)alloc->memalloc(alloc->userData, sizeof(BucketAlloc));
    if (!pool) return nullptr;
    if (itemSize < sizeof(void*)) itemSize = sizeof(void*);
    itemSize = (itemSize + sizeof(void*) - 1) / sizeof(void*) * sizeof(void*);
    pool->freelist = nullptr;
    pool->buckets = nullptr;
    pool->itemSize = itemSize;
    pool->bucketSize = bucketSize < 1 ? 1 : bucketSize;
    pool->name = name;
    pool->alloc = alloc;
    if (!addBucket(pool)) {
        alloc->memfree(alloc->userData, pool);
        return nullptr;
    }
    return pool;
}

void* bucketAlloc(BucketAlloc* pool) {
    // The last free item is never handed out before a new block is added.
    if (!pool->freelist || !*(void**)pool->freelist) {
        if (!addBucket(pool)) return nullptr;
    }
    void* item = pool->freelist;
    pool->freelist = *(void**)item;
    return item;
}

void bucketFree(BucketAlloc* pool, void* item) {
    *(void**)item = pool->freelist;
    pool->freelist = item;
}

void deleteBucketAlloc(BucketAlloc* pool) {
    TESSalloc* alloc = pool->alloc;
    Bucket* bucket = pool->buckets;
    while (bucket) {
        Bucket* next = bucket->next;
        alloc->memfree(alloc->userData, bucket);
        bucket = next;
    }
    pool->freelist = nullptr;
    pool->buckets = nullptr;
    alloc->memfree(alloc->userData, pool);
}
