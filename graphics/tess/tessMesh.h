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
    int vertexCount;             // vertices listed, so that no walk is needed to count them
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
// tessMeshConnect where the new edge's loop (eNew, eDst, eDst->Lnext) is a
// triangle cut off a face.
TESShalfEdge* tessMeshCutTriangle(TESSmesh* mesh, TESShalfEdge* eOrg, TESShalfEdge* eDst);

// Adds a contour of count vertices (coordinates read as in tessAddContour,
// numbered from firstIdx) in one pass, with the very lists and links that a
// loop of one edge spliced to itself and then split count - 1 times at its
// last edge would have. Returns the vertices added: fewer than count when
// the pools run dry, the loop then closed round those; 0 leaves the mesh as
// it was.
int tessMeshAddLoop(TESSmesh* mesh, int size, const void* vertices, int stride, int count, TESSindex firstIdx);

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
