#pragma once

#include "tessMesh.h"

// The mesh's loop index: each face loop is a treap of its half-edges' nodes
// in Lnext order (cut open at an arbitrary edge), and the root names the
// loop's face. Used by the mesh operations only.

struct TESSloopNode {
    TESSloopNode* left;
    TESSloopNode* right;
    TESSloopNode* parent;
    TESSface* face; // the loop's face, kept at the root
    unsigned priority;
    int size; // nodes in this subtree
};

// Nodes for a new edge pair; false (taking none) when the pool cannot grow.
bool loopIndexTakeNodes(TESSmesh* mesh, TESSloopNode** a, TESSloopNode** b);
void loopIndexGiveBackNodes(TESSmesh* mesh, TESSloopNode* a, TESSloopNode* b);

// e and e->Sym, a new loop of their own, get the nodes a and b; the loop's
// face is null until set.
void loopIndexAddPair(TESSmesh* mesh, TESShalfEdge* e, TESSloopNode* a, TESSloopNode* b);

// Call before x->Lnext and y->Lnext are exchanged: one loop splits in two
// (both keep its face) or two loops join (keeping the face of x's loop, or
// y's when x's has none).
void loopIndexSwapSuccessors(TESSmesh* mesh, TESShalfEdge* x, TESShalfEdge* y);

void loopIndexSetFace(TESSmesh* mesh, TESShalfEdge* e, TESSface* f);
