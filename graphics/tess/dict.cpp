#include "dict.h"

namespace {

DictTreeNode* treeNode(DictNode* n) { return (DictTreeNode*)n; }

unsigned nextPriority(Dict* dict) {
    unsigned x = dict->seed;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    dict->seed = x;
    return x;
}

void replaceChild(Dict* dict, DictTreeNode* parent, DictTreeNode* oldChild, DictTreeNode* newChild) {
    if (!parent) {
        dict->root = newChild;
    } else if (parent->left == oldChild) {
        parent->left = newChild;
    } else {
        parent->right = newChild;
    }
}

// Lifts n above its parent, keeping the order.
void rotateUp(Dict* dict, DictTreeNode* n) {
    DictTreeNode* p = n->parent;
    DictTreeNode* g = p->parent;
    if (p->left == n) {
        p->left = n->right;
        if (n->right) n->right->parent = p;
        n->right = p;
    } else {
        p->right = n->left;
        if (n->left) n->left->parent = p;
        n->left = p;
    }
    p->parent = n;
    n->parent = g;
    replaceChild(dict, g, p, n);
}

// Puts n, already linked into the list just above after, into the tree.
void treeInsertAfter(Dict* dict, DictNode* after, DictTreeNode* n) {
    n->left = n->right = n->parent = nullptr;
    n->priority = nextPriority(dict);
    if (!dict->root) {
        dict->root = n;
        return;
    }
    // The new node's place is the right child of its predecessor, or else
    // the left child of its successor, whichever is free.
    DictTreeNode* pred = after == &dict->head ? nullptr : treeNode(after);
    if (pred && !pred->right) {
        pred->right = n;
        n->parent = pred;
    } else {
        DictTreeNode* succ = treeNode(n->node.next);
        succ->left = n;
        n->parent = succ;
    }
    while (n->parent && n->priority > n->parent->priority) rotateUp(dict, n);
}

void treeRemove(Dict* dict, DictTreeNode* n) {
    while (n->left || n->right) {
        DictTreeNode* c = !n->left ? n->right
                          : !n->right ? n->left
                          : n->left->priority > n->right->priority ? n->left
                                                                    : n->right;
        rotateUp(dict, c);
    }
    replaceChild(dict, n->parent, n, nullptr);
}

} // namespace

Dict* dictNewDict(TESSalloc* alloc, void* frame, DictLeq leq, bool indexed, size_t payloadSize) {
    Dict* dict = (Dict*)alloc->memalloc(alloc->userData, sizeof(Dict));
    if (!dict) return nullptr;
    tessClampBucketSize(&alloc->dictNodeBucketSize);
    // Room for tree nodes either way, so that a reset may switch the index on.
    dict->nodePool = createBucketAlloc(alloc, "Dict", DICT_NODE_ROOM_OFFSET + payloadSize, alloc->dictNodeBucketSize);
    if (!dict->nodePool) {
        alloc->memfree(alloc->userData, dict);
        return nullptr;
    }
    dict->frame = frame;
    dict->leq = leq;
    dictReset(dict, indexed);
    return dict;
}

void dictReset(Dict* dict, bool indexed) {
    dict->head.key = nullptr;
    dict->head.next = &dict->head;
    dict->head.prev = &dict->head;
    dict->indexed = indexed;
    dict->root = nullptr;
    dict->seed = 2463534242u;
    dict->orderChecks = 0;
    resetBucketAlloc(dict->nodePool);
}

void dictDeleteDict(TESSalloc* alloc, Dict* dict) {
    deleteBucketAlloc(dict->nodePool);
    alloc->memfree(alloc->userData, dict);
}

void dictLinkBefore(Dict* dict, DictNode* node, DictNode* newNode) {
    size_t checks = 0;
    do {
        node = node->prev;
    } while (node->key != nullptr && (++checks, !dict->leq(dict->frame, node->key, newNode->key)));
    dict->orderChecks += checks;

    newNode->next = node->next;
    node->next->prev = newNode;
    newNode->prev = node;
    node->next = newNode;
    if (dict->indexed) treeInsertAfter(dict, node, treeNode(newNode));
}

DictNode* dictInsertBefore(Dict* dict, DictNode* node, DictKey key) {
    DictNode* newNode = dictNewNode(dict);
    if (!newNode) return nullptr;
    newNode->key = key;
    dictLinkBefore(dict, node, newNode);
    return newNode;
}

DictNode* dictSearch(Dict* dict, DictKey key) {
    size_t checks = 0;
    DictNode* found = &dict->head;
    if (dict->indexed) {
        // The lowest node the key comes before or with, by descent: the
        // order is the list's, so this is the node the walk up would reach.
        for (DictTreeNode* t = dict->root; t;) {
            ++checks;
            if (dict->leq(dict->frame, key, t->node.key)) {
                found = &t->node;
                t = t->left;
            } else {
                t = t->right;
            }
        }
    } else {
        do {
            found = found->next;
        } while (found->key != nullptr && (++checks, !dict->leq(dict->frame, key, found->key)));
    }
    dict->orderChecks += checks;
    return found;
}

void dictDeleteIndexed(Dict* dict, DictNode* node) {
    treeRemove(dict, treeNode(node));
    node->next->prev = node->prev;
    node->prev->next = node->next;
    bucketFree(dict->nodePool, node);
}
