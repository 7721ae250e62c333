#include "tessLoopIndex.h"

namespace {

typedef TESShalfEdge Node;

int size(const Node* n) { return n ? n->loopSize : 0; }

void update(Node* n) {
    n->loopSize = 1 + size(n->loopLeft) + size(n->loopRight);
    if (n->loopLeft) n->loopLeft->loopParent = n;
    if (n->loopRight) n->loopRight->loopParent = n;
}

unsigned nextPriority(TESSmesh* mesh) {
    // xorshift: cheap, and the same tree shapes on every run
    unsigned x = mesh->loopSeed;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    mesh->loopSeed = x;
    return x;
}

void initNode(TESSmesh* mesh, Node* n) {
    n->loopLeft = n->loopRight = n->loopParent = nullptr;
    n->loopPriority = nextPriority(mesh);
    n->loopSize = 1;
}

// Joins two trees, all of a's nodes before b's.
Node* merge(TESSmesh* mesh, Node* a, Node* b) {
    if (!a) return b;
    if (!b) return a;
    ++mesh->walkSteps;
    if (a->loopPriority > b->loopPriority) {
        a->loopRight = merge(mesh, a->loopRight, b);
        update(a);
        return a;
    }
    b->loopLeft = merge(mesh, a, b->loopLeft);
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
    if (size(t->loopLeft) < k) {
        split(mesh, t->loopRight, k - size(t->loopLeft) - 1, t->loopRight, r);
        l = t;
    } else {
        split(mesh, t->loopLeft, k, l, t->loopLeft);
        r = t;
    }
    update(t);
}

Node* asRoot(Node* n) {
    if (n) n->loopParent = nullptr;
    return n;
}

// Position of n in its tree's order.
int rank(TESSmesh* mesh, Node* n) {
    int r = size(n->loopLeft);
    for (; n->loopParent; n = n->loopParent) {
        ++mesh->walkSteps;
        if (n == n->loopParent->loopRight) r += size(n->loopParent->loopLeft) + 1;
    }
    return r;
}

// The loop of root's tree, cut open just before first.
Node* startAt(TESSmesh* mesh, Node* root, Node* first) {
    Node *l, *r;
    split(mesh, root, rank(mesh, first), l, r);
    return asRoot(merge(mesh, asRoot(r), asRoot(l)));
}

// Builds the tree of e's loop; returns its root.
Node* indexLoop(TESSmesh* mesh, TESShalfEdge* eStart) {
    Node* root = nullptr;
    TESShalfEdge* e = eStart;
    do {
        initNode(mesh, e);
        root = asRoot(merge(mesh, root, e));
        e = e->Lnext;
    } while (e != eStart);
    return root;
}

} // namespace

TESShalfEdge* tessMeshLoopRoot(TESSmesh* mesh, TESShalfEdge* e) {
    while (e->loopParent) {
        ++mesh->walkSteps;
        e = e->loopParent;
    }
    return e;
}

void loopIndexAddPair(TESSmesh* mesh, TESShalfEdge* e) {
    initNode(mesh, e);
    initNode(mesh, e->Sym);
    Node* root = asRoot(merge(mesh, e, e->Sym));
    root->Lface = nullptr;
}

void loopIndexSwapSuccessors(TESSmesh* mesh, TESShalfEdge* x, TESShalfEdge* y) {
    if (x == y) return;
    Node* a = x->Lnext;
    Node* b = y->Lnext;
    Node* rootX = tessMeshLoopRoot(mesh, x);
    Node* rootY = tessMeshLoopRoot(mesh, y);
    if (rootX == rootY) {
        // One loop a..y b..x becomes the loops a..y and b..x.
        TESSface* f = rootX->Lface;
        Node* t = startAt(mesh, rootX, a);
        Node *l, *r;
        split(mesh, t, rank(mesh, y) + 1, l, r);
        asRoot(l)->Lface = f;
        asRoot(r)->Lface = f;
    } else {
        // The loops a..x and b..y become the one loop a..x b..y.
        TESSface* f = rootX->Lface ? rootX->Lface : rootY->Lface;
        Node* t = merge(mesh, startAt(mesh, rootX, a), startAt(mesh, rootY, b));
        asRoot(t)->Lface = f;
    }
}

void tessMeshBeginLoopIndex(TESSmesh* mesh) {
    if (mesh->loopIndexed) return;
    TESShalfEdge* eHead = &mesh->eHead;
    for (TESShalfEdge* e = eHead->next; e != eHead; e = e->next) e->loopSize = e->Sym->loopSize = 0;
    for (TESShalfEdge* e = eHead->next; e != eHead; e = e->next) {
        TESShalfEdge* halves[2] = {e, e->Sym};
        for (TESShalfEdge* h : halves) {
            if (h->loopSize == 0) {
                TESSface* f = h->Lface;
                indexLoop(mesh, h)->Lface = f;
            }
        }
    }
    mesh->loopIndexed = true;
}

void tessMeshEndLoopIndex(TESSmesh* mesh) {
    if (!mesh->loopIndexed) return;
    TESShalfEdge* eHead = &mesh->eHead;
    // Roots keep their face until every other edge has read it.
    for (TESShalfEdge* e = eHead->next; e != eHead; e = e->next) {
        TESShalfEdge* halves[2] = {e, e->Sym};
        for (TESShalfEdge* h : halves) {
            if (h->loopParent) h->Lface = tessMeshLoopRoot(mesh, h)->Lface;
        }
    }
    for (TESShalfEdge* e = eHead->next; e != eHead; e = e->next) {
        e->loopParent = e->loopLeft = e->loopRight = nullptr;
        e->Sym->loopParent = e->Sym->loopLeft = e->Sym->loopRight = nullptr;
        e->loopSize = e->Sym->loopSize = 0;
    }
    mesh->loopIndexed = false;
}
