#include "dict.h"

Dict* dictNewDict(TESSalloc* alloc, void* frame, DictLeq leq) {
    Dict* dict = (Dict*)alloc->memalloc(alloc->userData, sizeof(Dict));
    if (!dict) return nullptr;
    dict->head.key = nullptr;
    dict->head.next = &dict->head;
    dict->head.prev = &dict->head;
    dict->frame = frame;
    dict->leq = leq;
    tessClampBucketSize(&alloc->dictNodeBucketSize);
    dict->nodePool = createBucketAlloc(alloc, "Dict", sizeof(DictNode), alloc->dictNodeBucketSize);
    if (!dict->nodePool) {
        alloc->memfree(alloc->userData, dict);
        return nullptr;
    }
    return dict;
}

void dictDeleteDict(TESSalloc* alloc, Dict* dict) {
    deleteBucketAlloc(dict->nodePool);
    alloc->memfree(alloc->userData, dict);
}

DictNode* dictInsertBefore(Dict* dict, DictNode* node, DictKey key) {
    do {
        node = node->prev;
    } while (node->key != nullptr && !dict->leq(dict->frame, node->key, key));

    DictNode* newNode = (DictNode*)bucketAlloc(dict->nodePool);
    if (!newNode) return nullptr;
    newNode->key = key;
    newNode->next = node->next;
    node->next->prev = newNode;
    newNode->prev = node;
    node->next = newNode;
    return newNode;
}

DictNode* dictSearch(Dict* dict, DictKey key) {
    DictNode* node = &dict->head;
    do {
        node = node->next;
    } while (node->key != nullptr && !dict->leq(dict->frame, key, node->key));
    return node;
}

void dictDelete(Dict* dict, DictNode* node) {
    node->next->prev = node->prev;
    node->prev->next = node->next;
    bucketFree(dict->nodePool, node);
}
