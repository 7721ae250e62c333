#pragma once

#include "bucketAlloc.h"

// The sweep's edge dictionary: a sorted circular list, bottom (head.next) to
// top (head.prev). An indexed dictionary also keeps its nodes in a balanced
// tree of the same order, so that a search descends instead of walking up
// from the bottom.

typedef void* DictKey;
typedef int (*DictLeq)(void* frame, DictKey key1, DictKey key2);

struct DictNode {
    DictKey key;
    DictNode* next;
    DictNode* prev;
};

// A node of an indexed dictionary: the list node first, so that the two
// convert into each other.
struct DictTreeNode {
    DictNode node;
    DictTreeNode* left;
    DictTreeNode* right;
    DictTreeNode* parent;
    unsigned priority;
};

// Where a node's room begins, for every dictionary: a key kept there is found
// from its node, and its node from it, without a load.
const size_t DICT_NODE_ROOM_OFFSET =
    (sizeof(DictTreeNode) + alignof(double) - 1) / alignof(double) * alignof(double);
static_assert(alignof(double) >= alignof(void*), "the room is aligned for pointers too");

struct Dict {
    DictNode head;
    void* frame;
    BucketAlloc* nodePool;
    DictLeq leq;
    bool indexed;
    DictTreeNode* root;
    unsigned seed;       // tree priorities
    size_t orderChecks;  // calls of leq by insertion and search
};

// Every node has room for payloadSize bytes, which a caller may use for the
// key it links the node with, so that a key lives and dies with its node.
Dict* dictNewDict(TESSalloc* alloc, void* frame, DictLeq leq, bool indexed = false, size_t payloadSize = 0);
void dictDeleteDict(TESSalloc* alloc, Dict* dict);
// Empties the dictionary for the next sweep, keeping its nodes' memory.
void dictReset(Dict* dict, bool indexed);

// Walks down from node and links the new key above the first node whose key
// comes before it; from the head this inserts by order from the top.
DictNode* dictInsertBefore(Dict* dict, DictNode* node, DictKey key);
// The lowest node whose key the probe comes before or with (the head if none).
DictNode* dictSearch(Dict* dict, DictKey key);
// A node not yet linked (null when there is no memory), and its room.
inline DictNode* dictNewNode(Dict* dict) { return (DictNode*)bucketAlloc(dict->nodePool); }
inline void* dictNodeRoom(DictNode* node) { return (unsigned char*)node + DICT_NODE_ROOM_OFFSET; }
inline DictNode* dictNodeOfRoom(void* room) { return (DictNode*)((unsigned char*)room - DICT_NODE_ROOM_OFFSET); }
// dictInsertBefore for a node from dictNewNode whose key is set.
void dictLinkBefore(Dict* dict, DictNode* node, DictNode* newNode);

// The deletion from an indexed dictionary; dictDelete calls it.
void dictDeleteIndexed(Dict* dict, DictNode* node);
inline void dictDelete(Dict* dict, DictNode* node) {
    if (dict->indexed) {
        dictDeleteIndexed(dict, node);
        return;
    }
    node->next->prev = node->prev;
    node->prev->next = node->next;
    bucketFree(dict->nodePool, node);
}

// The two walks of a plain (not indexed) dictionary with the order known at
// compile time, for callers in a hurry; they fall back on the calls above
// for an indexed one.
template <class Leq>
inline void dictLinkBeforeBy(Dict* dict, DictNode* node, DictNode* newNode, Leq leq) {
    if (dict->indexed) {
        dictLinkBefore(dict, node, newNode);
        return;
    }
    const DictKey key = newNode->key;
    size_t checks = 0;
    do {
        node = node->prev;
    } while (node->key != nullptr && (++checks, !leq(node->key, key)));
    dict->orderChecks += checks;

    newNode->next = node->next;
    node->next->prev = newNode;
    newNode->prev = node;
    node->next = newNode;
}

template <class Leq>
inline DictNode* dictSearchBy(Dict* dict, DictKey key, Leq leq) {
    if (dict->indexed) return dictSearch(dict, key);
    size_t checks = 0;
    DictNode* found = &dict->head;
    do {
        found = found->next;
    } while (found->key != nullptr && (++checks, !leq(key, found->key)));
    dict->orderChecks += checks;
    return found;
}

inline DictNode* dictMin(Dict* dict) { return dict->head.next; }
inline DictNode* dictInsert(Dict* dict, DictKey key) { return dictInsertBefore(dict, &dict->head, key); }
