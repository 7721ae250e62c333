#pragma once

#include "tessMesh.h"

// The mesh's loop index: each face loop is a treap of its half-edges in Lnext
// order (cut open at an arbitrary edge), and the root's Lface names the
// loop's face. Used by the mesh operations only.

// e and e->Sym form a new loop of their own; its face is null until set.
void loopIndexAddPair(TESSmesh* mesh, TESShalfEdge* e);

// Call before x->Lnext and y->Lnext are exchanged: one loop splits in two
// (both keep its face) or two loops join (keeping the face of x's loop, or
// y's when x's has none).
void loopIndexSwapSuccessors(TESSmesh* mesh, TESShalfEdge* x, TESShalfEdge* y);

inline void loopIndexSetFace(TESSmesh* mesh, TESShalfEdge* e, TESSface* f) { tessMeshLoopRoot(mesh, e)->Lface = f; }
