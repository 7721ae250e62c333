#pragma once

#include "bucketAlloc.h"
#include "tesselator.h"

// Half-edge mesh holding the contours and, after the sweep, the faces they
// cut the plane into.

struct TESSvertex;
struct TESSface;
struct ActiveRegion;
struct TESSloopNode;

struct TESShalfEdge {
    TESShalfEdge* next; // edge list; for the second half: previous pair
    TESShalfEdge* Sym;
    TESShalfEdge* Onext;
    TESShalfEdge* Lnext;
    TESSvertex* Org;
    union {
        TESSface* Lface;
        TESSloopNode* loopNode; // instead while the mesh keeps its loop index
    };
    ActiveRegion* activeRegion;
    int winding; // change of winding number from the right face to the left
};

#define Rface Sym->Lface
#define Dst Sym->Org
#define Oprev Sym->Lnext
#define Lprev Onext->Sym
#define Dnext Rprev->Sym
#define Rprev Sym->Onext

struct TESSvertex {
    TESSvertex* next;
    TESSvertex* prev;
    TESShalfEdge* anEdge;
    TESSreal coords[3];
    TESSreal s, t;
    int pqHandle;
    TESSindex n;
    TESSindex idx;
};

struct TESSface {
    TESSface* next;
    TESSface* prev;
    TESShalfEdge* anEdge;
    TESSindex n;
    bool inside;
};

struct TESSmesh {
    TESSvertex vHead;
    TESSface fHead;
    TESShalfEdge eHead;
    TESShalfEdge eHeadSym;
    BucketAlloc* edgeBucket;
    BucketAlloc* vertexBucket;
    BucketAlloc* faceBucket;

    BucketAlloc* loopNodeBucket; // the loop index's nodes; null while there is none
    unsigned loopSeed;           // priorities of the loop index's nodes
    size_t walkSteps;            // loop and ring edges and loop index nodes visited
};

TESSmesh* tessMeshNewMesh(TESSalloc* alloc);
void tessMeshDeleteMesh(TESSalloc* alloc, TESSmesh* mesh);
// Empties the mesh for the next shape, keeping its pools' memory.
void tessMeshReset(TESSmesh* mesh);

TESShalfEdge* tessMeshMakeEdge(TESSmesh* mesh);
int tessMeshSplice(TESSmesh* mesh, TESShalfEdge* eOrg, TESShalfEdge* eDst);
int tessMeshDelete(TESSmesh* mesh, TESShalfEdge* eDel);
TESShalfEdge* tessMeshAddEdgeVertex(TESSmesh* mesh, TESShalfEdge* eOrg);
TESShalfEdge* tessMeshSplitEdge(TESSmesh* mesh, TESShalfEdge* eOrg);
TESShalfEdge* tessMeshConnect(TESSmesh* mesh, TESShalfEdge* eOrg, TESShalfEdge* eDst);

// A contour, built faster than by the general operations but with the very
// same lists and links: tessMeshMakeLoop gives what tessMeshMakeEdge and the
// splice of the edge with its Sym give (a loop of one vertex);
// tessMeshSplitLoopEdge(eLast), where eLast is the loop's last edge (back to
// its first vertex), gives what tessMeshSplitEdge(eLast) gives, and returns
// the new last edge (eLast->Lnext), which starts at the new vertex. Null when
// the pools cannot supply the items; the loop is then as it was.
TESShalfEdge* tessMeshMakeLoop(TESSmesh* mesh);
inline TESShalfEdge* tessMeshSplitLoopEdge(TESSmesh* mesh, TESShalfEdge* eLast);

// A long loop costs a walk round it each time a face is split off it or
// joined to it. While the loop index is kept, every face loop is also a
// balanced tree, so those changes cost a logarithm, and an edge's left face
// must be read through tessMeshLface. Beginning returns 0, and leaves the
// mesh as it was, when the index's memory cannot be had; ending writes every
// edge's Lface back.
int tessMeshBeginLoopIndex(TESSmesh* mesh);
void tessMeshEndLoopIndex(TESSmesh* mesh);
TESSface* tessMeshIndexedLface(TESSmesh* mesh, TESShalfEdge* e);
inline TESSface* tessMeshLface(TESSmesh* mesh, TESShalfEdge* e) {
    return mesh->loopNodeBucket ? tessMeshIndexedLface(mesh, e) : e->Lface;
}

// After the sweep: cut every inside face into triangles.
int tessMeshTessellateInterior(TESSmesh* mesh);
// Gives boundary edges winding +value (inside on the left) or -value; other
// edges get 0, or are deleted when keepOnlyBoundary is set.
int tessMeshSetWindingNumber(TESSmesh* mesh, int value, bool keepOnlyBoundary);
// Joins neighbouring inside faces while they stay convex and within maxVerts.
int tessMeshMergeConvexFaces(TESSmesh* mesh, int maxVerts);

// Inline: a contour is built from it one vertex at a time.
inline TESShalfEdge* tessMeshSplitLoopEdge(TESSmesh* mesh, TESShalfEdge* eLast) {
    if (mesh->loopNodeBucket) {
        if (!tessMeshSplitEdge(mesh, eLast)) return nullptr;
        return eLast->Lnext;
    }
    // An edge pair is two half-edges side by side, the list's first.
    TESShalfEdge* pair = (TESShalfEdge*)bucketAlloc(mesh->edgeBucket);
    if (!pair) return nullptr;
    TESSvertex* v = (TESSvertex*)bucketAlloc(mesh->vertexBucket);
    if (!v) {
        bucketFree(mesh->edgeBucket, pair);
        return nullptr;
    }
    // The links tessMeshSplitEdge would leave, set directly: eLast now ends
    // at v, and eNew runs on from v to the loop's first vertex.
    TESSvertex* first = eLast->Dst;
    TESShalfEdge* eNextLeft = eLast->Lnext; // leaves the first vertex, on the left
    TESShalfEdge* eLastSym = eLast->Sym;
    TESShalfEdge* eNewSym = &pair[0];
    TESShalfEdge* eNew = &pair[1];

    // The new pair goes before eLast's in the edge list.
    TESShalfEdge* eNext = eLast < eLastSym ? eLast : eLastSym;
    TESShalfEdge* ePrev = eNext->Sym->next;
    eNewSym->next = eNext;
    eNew->next = ePrev;
    ePrev->next = eNewSym;
    eNext->Sym->next = eNewSym;
    eNewSym->Sym = eNew;
    eNew->Sym = eNewSym;
    eNewSym->activeRegion = nullptr;
    eNew->activeRegion = nullptr;

    eLast->Lnext = eNew;
    eNew->Lnext = eNextLeft;
    eNewSym->Lnext = eLastSym;
    eNextLeft->Sym->Lnext = eNewSym;

    eNextLeft->Onext = eNewSym;
    eNewSym->Onext = eNextLeft;
    eNew->Onext = eLastSym;
    eLastSym->Onext = eNew;

    TESSvertex* vPrev = first->prev;
    v->prev = vPrev;
    vPrev->next = v;
    v->next = first;
    first->prev = v;
    v->anEdge = eNew;
    v->coords[0] = v->coords[1] = v->coords[2] = 0;
    v->s = v->t = 0;
    v->pqHandle = 0;
    v->n = TESS_UNDEF;
    v->idx = TESS_UNDEF;

    eNew->Org = v;
    eLastSym->Org = v;
    eNewSym->Org = first;
    first->anEdge = eNewSym;
    eNew->Lface = eLast->Lface;
    eNewSym->Lface = eLastSym->Lface;
    eNew->winding = eLast->winding;
    eNewSym->winding = eLastSym->winding;
    return eNew;
}
