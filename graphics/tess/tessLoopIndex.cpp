#include "tessLoopIndex.h"

namespace {

typedef TESSloopNode Node;

int size(const Node* n) { return n ? n->size : 0; }

void update(Node* n) {
    n->size = 1 + size(n->left) + size(n->right);
    if (n->left) n->left->parent = n;
    if (n->right) n->right->parent = n;
}

void initNode(TESSmesh* mesh, Node* n) {
    // xorshift: cheap, and the same tree shapes on every run
    unsigned x = mesh->loopSeed;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    mesh->loopSeed = x;
    n->left = n->right = n->parent = nullptr;
    n->face = nullptr;
    n->priority = x;
    n->size = 1;
}

// Joins two trees, all of a's nodes before b's.
Node* merge(TESSmesh* mesh, Node* a, Node* b) {
    if (!a) return b;
    if (!b) return a;
    ++mesh->walkSteps;
    if (a->priority > b->priority) {
        a->right = merge(mesh, a->right, b);
        update(a);
        return a;
    }
    b->left = merge(mesh, a, b->left);
    update(b);
    return b;
}

// Cuts t into its first k nodes (l) and the rest (r).
void split(TESSmesh* mesh, Node* t, int k, Node*& l, Node*& r) {
    if (!t) {
        l = r = nullptr;
        return;
    }
    ++mesh->walkSteps;
    if (size(t->left) < k) {
        split(mesh, t->right, k - size(t->left) - 1, t->right, r);
        l = t;
    } else {
        split(mesh, t->left, k, l, t->left);
        r = t;
    }
    update(t);
}

Node* asRoot(Node* n) {
    if (n) n->parent = nullptr;
    return n;
}

Node* rootOf(TESSmesh* mesh, Node* n) {
    while (n->parent) {
        ++mesh->walkSteps;
        n = n->parent;
    }
    return n;
}

// Position of n in its tree's order.
int rank(TESSmesh* mesh, Node* n) {
    int r = size(n->left);
    for (; n->parent; n = n->parent) {
        ++mesh->walkSteps;
        if (n == n->parent->right) r += size(n->parent->left) + 1;
    }
    return r;
}

// The loop of root's tree, cut open just before first.
Node* startAt(TESSmesh* mesh, Node* root, Node* first) {
    Node *l, *r;
    split(mesh, root, rank(mesh, first), l, r);
    return asRoot(merge(mesh, asRoot(r), asRoot(l)));
}

} // namespace

TESSface* tessMeshIndexedLface(TESSmesh* mesh, TESShalfEdge* e) { return rootOf(mesh, e->loopNode)->face; }

void loopIndexSetFace(TESSmesh* mesh, TESShalfEdge* e, TESSface* f) { rootOf(mesh, e->loopNode)->face = f; }

bool loopIndexTakeNodes(TESSmesh* mesh, TESSloopNode** a, TESSloopNode** b) {
    *a = (Node*)bucketAlloc(mesh->loopNodeBucket);
    if (!*a) return false;
    *b = (Node*)bucketAlloc(mesh->loopNodeBucket);
    if (!*b) {
        bucketFree(mesh->loopNodeBucket, *a);
        return false;
    }
    return true;
}

void loopIndexGiveBackNodes(TESSmesh* mesh, TESSloopNode* a, TESSloopNode* b) {
    bucketFree(mesh->loopNodeBucket, b);
    bucketFree(mesh->loopNodeBucket, a);
}

void loopIndexAddPair(TESSmesh* mesh, TESShalfEdge* e, TESSloopNode* a, TESSloopNode* b) {
    initNode(mesh, a);
    initNode(mesh, b);
    e->loopNode = a;
    e->Sym->loopNode = b;
    asRoot(merge(mesh, a, b));
}

void loopIndexSwapSuccessors(TESSmesh* mesh, TESShalfEdge* x, TESShalfEdge* y) {
    if (x == y) return;
    Node* a = x->Lnext->loopNode;
    Node* b = y->Lnext->loopNode;
    Node* rootX = rootOf(mesh, x->loopNode);
    Node* rootY = rootOf(mesh, y->loopNode);
    if (rootX == rootY) {
        // One loop a..y b..x becomes the loops a..y and b..x.
        TESSface* f = rootX->face;
        Node* t = startAt(mesh, rootX, a);
        Node *l, *r;
        split(mesh, t, rank(mesh, y->loopNode) + 1, l, r);
        asRoot(l)->face = f;
        asRoot(r)->face = f;
    } else {
        // The loops a..x and b..y become the one loop a..x b..y.
        TESSface* f = rootX->face ? rootX->face : rootY->face;
        Node* t = merge(mesh, startAt(mesh, rootX, a), startAt(mesh, rootY, b));
        asRoot(t)->face = f;
    }
}

int tessMeshBeginLoopIndex(TESSmesh* mesh) {
    if (mesh->loopNodeBucket) return 1;
    TESShalfEdge* eHead = &mesh->eHead;
    int halfEdges = 0;
    for (TESShalfEdge* e = eHead->next; e != eHead; e = e->next) halfEdges += 2;
    // One block for the edges there are now, and room for about as many again.
    int blockSize = 2 * mesh->edgeBucket->bucketSize;
    if (blockSize < halfEdges) blockSize = halfEdges;
    BucketAlloc* pool = createBucketAlloc(mesh->edgeBucket->alloc, "Loop Index", sizeof(Node), blockSize);
    if (!pool) return 0;

    // Every half-edge gets its node, which holds its face until the trees
    // are built.
    for (TESShalfEdge* e = eHead->next; e != eHead; e = e->next) {
        TESShalfEdge* halves[2] = {e, e->Sym};
        for (TESShalfEdge* h : halves) {
            Node* n = (Node*)bucketAlloc(pool);
            if (!n) {
                // Put back the faces of the halves done so far.
                for (TESShalfEdge* u = eHead->next;; u = u->next) {
                    if (u == h) break;
                    u->Lface = u->loopNode->face;
                    if (u->Sym == h) break;
                    u->Sym->Lface = u->Sym->loopNode->face;
                }
                deleteBucketAlloc(pool);
                return 0;
            }
            initNode(mesh, n);
            n->size = 0; // not in a tree yet
            n->face = h->Lface;
            h->loopNode = n;
        }
    }
    mesh->loopNodeBucket = pool;

    for (TESShalfEdge* e = eHead->next; e != eHead; e = e->next) {
        TESShalfEdge* halves[2] = {e, e->Sym};
        for (TESShalfEdge* h : halves) {
            if (h->loopNode->size != 0) continue;
            TESSface* f = h->loopNode->face;
            Node* root = nullptr;
            TESShalfEdge* u = h;
            do {
                u->loopNode->size = 1;
                root = asRoot(merge(mesh, root, u->loopNode));
                u = u->Lnext;
            } while (u != h);
            root->face = f;
        }
    }
    return 1;
}

void tessMeshEndLoopIndex(TESSmesh* mesh) {
    if (!mesh->loopNodeBucket) return;
    TESShalfEdge* eHead = &mesh->eHead;
    for (TESShalfEdge* e = eHead->next; e != eHead; e = e->next) {
        e->Lface = rootOf(mesh, e->loopNode)->face;
        e->Sym->Lface = rootOf(mesh, e->Sym->loopNode)->face;
    }
    deleteBucketAlloc(mesh->loopNodeBucket);
    mesh->loopNodeBucket = nullptr;
}
