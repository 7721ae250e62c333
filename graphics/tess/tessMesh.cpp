#include "tessMesh.h"

#include "tessLoopIndex.h"

namespace {

struct EdgePair {
    TESShalfEdge e, eSym;
};
static_assert(sizeof(EdgePair) == 2 * sizeof(TESShalfEdge), "tessMeshSplitLoopEdge takes a pair as two halves");

// The edge list links each pair through its first half.
TESShalfEdge* pairHead(TESShalfEdge* e) { return e < e->Sym ? e : e->Sym; }

// An edge pair's items, taken before anything is changed.
struct NewPair {
    EdgePair* pair;
    TESSloopNode* nodes[2];
};

bool takePair(TESSmesh* mesh, NewPair* p) {
    p->pair = (EdgePair*)bucketAlloc(mesh->edgeBucket);
    if (!p->pair) return false;
    if (mesh->loopNodeBucket && !loopIndexTakeNodes(mesh, &p->nodes[0], &p->nodes[1])) {
        bucketFree(mesh->edgeBucket, p->pair);
        return false;
    }
    return true;
}

void giveBackPair(TESSmesh* mesh, NewPair* p) {
    if (mesh->loopNodeBucket) loopIndexGiveBackNodes(mesh, p->nodes[0], p->nodes[1]);
    bucketFree(mesh->edgeBucket, p->pair);
}

// Links a fresh edge pair (a loop of e and its Sym) before eNext's pair.
TESShalfEdge* makeEdge(TESSmesh* mesh, NewPair* p, TESShalfEdge* eNext) {
    EdgePair* pair = p->pair;
    eNext = pairHead(eNext);
    TESShalfEdge* e = &pair->e;
    TESShalfEdge* eSym = &pair->eSym;
    TESShalfEdge* ePrev = eNext->Sym->next;

    e->next = eNext;
    eSym->next = ePrev;
    ePrev->next = e;
    eNext->Sym->next = e;

    e->Sym = eSym;
    e->Onext = e;
    e->Lnext = eSym;
    e->Org = nullptr;
    e->Lface = nullptr;
    e->winding = 0;
    e->activeRegion = nullptr;

    eSym->Sym = e;
    eSym->Onext = eSym;
    eSym->Lnext = e;
    eSym->Org = nullptr;
    eSym->Lface = nullptr;
    eSym->winding = 0;
    eSym->activeRegion = nullptr;

    if (mesh->loopNodeBucket) loopIndexAddPair(mesh, e, p->nodes[0], p->nodes[1]);
    return e;
}

// Exchanges a->Onext and b->Onext with the matching Lnext links.
void splice(TESSmesh* mesh, TESShalfEdge* a, TESShalfEdge* b) {
    TESShalfEdge* aOnext = a->Onext;
    TESShalfEdge* bOnext = b->Onext;
    if (mesh->loopNodeBucket) loopIndexSwapSuccessors(mesh, aOnext->Sym, bOnext->Sym);
    aOnext->Sym->Lnext = b;
    bOnext->Sym->Lnext = a;
    a->Onext = bOnext;
    b->Onext = aOnext;
}

// Labels e's loop with f.
void setLoopFace(TESSmesh* mesh, TESShalfEdge* eStart, TESSface* f) {
    if (mesh->loopNodeBucket) {
        loopIndexSetFace(mesh, eStart, f);
        return;
    }
    TESShalfEdge* e = eStart;
    size_t steps = 0;
    do {
        e->Lface = f;
        e = e->Lnext;
        ++steps;
    } while (e != eStart);
    mesh->walkSteps += steps;
}

// Links vNew, blank, before vNext, with eOrig as its edge.
void linkVertex(TESSmesh* mesh, TESSvertex* vNew, TESShalfEdge* eOrig, TESSvertex* vNext) {
    ++mesh->vertexCount;
    TESSvertex* vPrev = vNext->prev;
    vNew->prev = vPrev;
    vPrev->next = vNew;
    vNew->next = vNext;
    vNext->prev = vNew;
    vNew->anEdge = eOrig;
    vNew->coords[0] = vNew->coords[1] = vNew->coords[2] = 0;
    vNew->s = vNew->t = 0;
    vNew->pqHandle = 0;
    vNew->n = TESS_UNDEF;
    vNew->idx = TESS_UNDEF;
}

// Links vNew before vNext and makes it the origin of eOrig's ring.
void makeVertex(TESSmesh* mesh, TESSvertex* vNew, TESShalfEdge* eOrig, TESSvertex* vNext) {
    linkVertex(mesh, vNew, eOrig, vNext);
    TESShalfEdge* e = eOrig;
    size_t steps = 0;
    do {
        e->Org = vNew;
        e = e->Onext;
        ++steps;
    } while (e != eOrig);
    mesh->walkSteps += steps;
}

// Links fNew before fNext (the face it is split from) and makes it the left
// face of eOrig's loop.
void linkFace(TESSface* fNew, TESShalfEdge* eOrig, TESSface* fNext, bool inside) {
    TESSface* fPrev = fNext->prev;
    fNew->prev = fPrev;
    fPrev->next = fNew;
    fNew->next = fNext;
    fNext->prev = fNew;
    fNew->anEdge = eOrig;
    fNew->n = TESS_UNDEF;
    fNew->inside = inside;
}

void makeFace(TESSmesh* mesh, TESSface* fNew, TESShalfEdge* eOrig, TESSface* fNext) {
    linkFace(fNew, eOrig, fNext, fNext->inside);
    setLoopFace(mesh, eOrig, fNew);
}

// fOld's loop has just been cut in two: eNew's part gets fNew, listed just
// before fOld, and fOld keeps the part its anEdge lies in. Relabelling costs
// a walk round the part relabelled, so a shorter part left with fOld swaps
// the two faces' roles, which leaves the very same lists.
void splitFace(TESSmesh* mesh, TESSface* fNew, TESShalfEdge* eNew, TESSface* fOld) {
    if (mesh->loopNodeBucket) {
        makeFace(mesh, fNew, eNew, fOld);
        return;
    }
    TESShalfEdge* eOther = fOld->anEdge;
    TESShalfEdge* a = eNew;
    TESShalfEdge* b = eOther;
    size_t steps = 0;
    do {
        a->Lface = fNew;
        a = a->Lnext;
        b = b->Lnext;
        ++steps;
    } while (a != eNew && b != eOther);
    if (a == eNew) {
        linkFace(fNew, eNew, fOld, fOld->inside);
        mesh->walkSteps += steps;
        return;
    }
    for (TESShalfEdge* e = eNew; e != a; e = e->Lnext) e->Lface = fOld;
    b = eOther;
    do {
        b->Lface = fNew;
        b = b->Lnext;
    } while (b != eOther);
    linkFace(fNew, eOther, fOld->next, fOld->inside);
    fOld->anEdge = eNew;
    mesh->walkSteps += 3 * steps;
}

void killEdge(TESSmesh* mesh, TESShalfEdge* eDel) {
    eDel = pairHead(eDel);
    if (mesh->loopNodeBucket) loopIndexGiveBackNodes(mesh, eDel->loopNode, eDel->Sym->loopNode);
    TESShalfEdge* eNext = eDel->next;
    TESShalfEdge* ePrev = eDel->Sym->next;
    eNext->Sym->next = ePrev;
    ePrev->next = eNext;
    bucketFree(mesh->edgeBucket, eDel);
}

void killVertex(TESSmesh* mesh, TESSvertex* vDel, TESSvertex* newOrg) {
    TESShalfEdge* eStart = vDel->anEdge;
    TESShalfEdge* e = eStart;
    size_t steps = 0;
    do {
        e->Org = newOrg;
        e = e->Onext;
        ++steps;
    } while (e != eStart);
    mesh->walkSteps += steps;
    TESSvertex* vPrev = vDel->prev;
    TESSvertex* vNext = vDel->next;
    vNext->prev = vPrev;
    vPrev->next = vNext;
    bucketFree(mesh->vertexBucket, vDel);
    --mesh->vertexCount;
}

void killFace(TESSmesh* mesh, TESSface* fDel, TESSface* newLface) {
    setLoopFace(mesh, fDel->anEdge, newLface);
    TESSface* fPrev = fDel->prev;
    TESSface* fNext = fDel->next;
    fNext->prev = fPrev;
    fPrev->next = fNext;
    bucketFree(mesh->faceBucket, fDel);
}

// An empty mesh: the dummy heads linked to themselves.
void initHeads(TESSmesh* mesh) {
    mesh->loopNodeBucket = nullptr;
    mesh->loopSeed = 2463534242u;
    mesh->walkSteps = 0;
    mesh->vertexCount = 0;

    TESSvertex* v = &mesh->vHead;
    v->next = v->prev = v;
    v->anEdge = nullptr;

    TESSface* f = &mesh->fHead;
    f->next = f->prev = f;
    f->anEdge = nullptr;
    f->n = TESS_UNDEF;
    f->inside = false;

    TESShalfEdge* e = &mesh->eHead;
    TESShalfEdge* eSym = &mesh->eHeadSym;
    e->next = e;
    e->Sym = eSym;
    e->Onext = e->Lnext = nullptr;
    e->Org = nullptr;
    e->Lface = nullptr;
    e->winding = 0;
    e->activeRegion = nullptr;
    eSym->next = e;
    eSym->Sym = e;
    eSym->Onext = eSym->Lnext = nullptr;
    eSym->Org = nullptr;
    eSym->Lface = nullptr;
    eSym->winding = 0;
    eSym->activeRegion = nullptr;
}

} // namespace

TESSmesh* tessMeshNewMesh(TESSalloc* alloc) {
    TESSmesh* mesh = (TESSmesh*)alloc->memalloc(alloc->userData, sizeof(TESSmesh));
    if (!mesh) return nullptr;

    tessClampBucketSize(&alloc->meshEdgeBucketSize);
    tessClampBucketSize(&alloc->meshVertexBucketSize);
    tessClampBucketSize(&alloc->meshFaceBucketSize);
    mesh->edgeBucket = createBucketAlloc(alloc, "Mesh Edges", sizeof(EdgePair), alloc->meshEdgeBucketSize);
    mesh->vertexBucket =
        createBucketAlloc(alloc, "Mesh Vertices", sizeof(TESSvertex), alloc->meshVertexBucketSize);
    mesh->faceBucket = createBucketAlloc(alloc, "Mesh Faces", sizeof(TESSface), alloc->meshFaceBucketSize);
    if (!mesh->edgeBucket || !mesh->vertexBucket || !mesh->faceBucket) {
        if (mesh->edgeBucket) deleteBucketAlloc(mesh->edgeBucket);
        if (mesh->vertexBucket) deleteBucketAlloc(mesh->vertexBucket);
        if (mesh->faceBucket) deleteBucketAlloc(mesh->faceBucket);
        alloc->memfree(alloc->userData, mesh);
        return nullptr;
    }

    initHeads(mesh);
    return mesh;
}

void tessMeshReset(TESSmesh* mesh) {
    if (mesh->loopNodeBucket) deleteBucketAlloc(mesh->loopNodeBucket);
    resetBucketAlloc(mesh->edgeBucket);
    resetBucketAlloc(mesh->vertexBucket);
    resetBucketAlloc(mesh->faceBucket);
    initHeads(mesh);
}

void tessMeshDeleteMesh(TESSalloc* alloc, TESSmesh* mesh) {
    if (mesh->loopNodeBucket) deleteBucketAlloc(mesh->loopNodeBucket);
    deleteBucketAlloc(mesh->edgeBucket);
    deleteBucketAlloc(mesh->vertexBucket);
    deleteBucketAlloc(mesh->faceBucket);
    alloc->memfree(alloc->userData, mesh);
}

TESShalfEdge* tessMeshMakeEdge(TESSmesh* mesh) {
    NewPair pair;
    const bool havePair = takePair(mesh, &pair);
    TESSvertex* v1 = (TESSvertex*)bucketAlloc(mesh->vertexBucket);
    TESSvertex* v2 = (TESSvertex*)bucketAlloc(mesh->vertexBucket);
    TESSface* f = (TESSface*)bucketAlloc(mesh->faceBucket);
    if (!havePair || !v1 || !v2 || !f) {
        if (havePair) giveBackPair(mesh, &pair);
        if (v1) bucketFree(mesh->vertexBucket, v1);
        if (v2) bucketFree(mesh->vertexBucket, v2);
        if (f) bucketFree(mesh->faceBucket, f);
        return nullptr;
    }
    TESShalfEdge* e = makeEdge(mesh, &pair, &mesh->eHead);
    makeVertex(mesh, v1, e, &mesh->vHead);
    makeVertex(mesh, v2, e->Sym, &mesh->vHead);
    makeFace(mesh, f, e, &mesh->fHead);
    return e;
}

namespace {

void setCoords(TESSvertex* v, const unsigned char* src, int size, TESSindex idx) {
    const TESSreal* c = (const TESSreal*)src;
    v->coords[0] = c[0];
    v->coords[1] = c[1];
    v->coords[2] = size > 2 ? c[2] : 0;
    v->s = v->t = 0;
    v->pqHandle = 0;
    v->n = TESS_UNDEF;
    v->idx = idx;
}

// With the loop index kept, through the general operations.
int addIndexedLoop(TESSmesh* mesh, int size, const unsigned char* src, int stride, int count, TESSindex idx) {
    TESShalfEdge* e = tessMeshMakeEdge(mesh);
    if (!e) return 0;
    if (!tessMeshSplice(mesh, e, e->Sym)) {
        tessMeshDelete(mesh, e);
        return 0;
    }
    int added = 0;
    for (; added < count; ++added, src += stride) {
        if (added > 0) {
            if (!tessMeshSplitEdge(mesh, e)) break;
            e = e->Lnext;
        }
        setCoords(e->Org, src, size, idx + added);
        e->winding = 1;
        e->Sym->winding = -1;
    }
    return added;
}

} // namespace

int tessMeshAddLoop(TESSmesh* mesh, int size, const void* vertices, int stride, int count, TESSindex firstIdx) {
    if (count <= 0) return 0;
    const unsigned char* src = (const unsigned char*)vertices;
    if (mesh->loopNodeBucket) return addIndexedLoop(mesh, size, src, stride, count, firstIdx);

    EdgePair* pair = (EdgePair*)bucketAlloc(mesh->edgeBucket);
    TESSvertex* v0 = (TESSvertex*)bucketAlloc(mesh->vertexBucket);
    TESSface* fLeft = (TESSface*)bucketAlloc(mesh->faceBucket);
    TESSface* fRight = (TESSface*)bucketAlloc(mesh->faceBucket);
    if (!pair || !v0 || !fLeft || !fRight) {
        if (pair) bucketFree(mesh->edgeBucket, pair);
        if (v0) bucketFree(mesh->vertexBucket, v0);
        if (fLeft) bucketFree(mesh->faceBucket, fLeft);
        if (fRight) bucketFree(mesh->faceBucket, fRight);
        return 0;
    }
    // Edge k runs from vertex k to k + 1 with fLeft on its left. The first
    // pair is listed through its first half, every later one through its
    // Sym, each before the one made before it; the vertices follow the last
    // one listed, the first of them at the end.
    linkFace(fLeft, &pair->e, &mesh->fHead, false);
    linkFace(fRight, &pair->eSym, fLeft, false);
    TESShalfEdge* const eHead = &mesh->eHead;
    TESShalfEdge* const eLastListed = eHead->Sym->next;
    TESSvertex* const vLastListed = mesh->vHead.prev;

    TESShalfEdge* const e0 = &pair->e;
    TESShalfEdge* const s0 = &pair->eSym;
    e0->Sym = s0;
    s0->Sym = e0;
    e0->next = eHead;
    eHead->Sym->next = e0;
    e0->Org = v0;
    e0->Lface = fLeft;
    s0->Lface = fRight;
    e0->winding = 1;
    s0->winding = -1;
    e0->activeRegion = s0->activeRegion = nullptr;
    setCoords(v0, src, size, firstIdx);

    TESShalfEdge* ePrev = e0;      // edge k - 1
    TESShalfEdge* sPrev = s0;      // its Sym
    TESShalfEdge* headPrev = e0;   // the half its pair is listed by
    TESShalfEdge* otherPrev = s0;
    TESSvertex* vPrev = vLastListed;
    int added = 1;
    for (src += stride; added < count; ++added, src += stride) {
        EdgePair* p = (EdgePair*)bucketAlloc(mesh->edgeBucket);
        TESSvertex* v = (TESSvertex*)bucketAlloc(mesh->vertexBucket);
        if (!p || !v) {
            if (p) bucketFree(mesh->edgeBucket, p);
            if (v) bucketFree(mesh->vertexBucket, v);
            break;
        }
        TESShalfEdge* s = &p->e;
        TESShalfEdge* e = &p->eSym;
        e->Sym = s;
        s->Sym = e;
        s->next = headPrev;
        otherPrev->next = s;
        ePrev->Lnext = e;
        s->Lnext = sPrev;
        e->Onext = sPrev;
        sPrev->Onext = e;
        sPrev->Org = v;
        e->Org = v;
        e->Lface = fLeft;
        s->Lface = fRight;
        e->winding = 1;
        s->winding = -1;
        e->activeRegion = s->activeRegion = nullptr;

        setCoords(v, src, size, firstIdx + added);
        v->anEdge = e;
        v->prev = vPrev;
        vPrev->next = v;

        ePrev = e;
        sPrev = s;
        headPrev = s;
        otherPrev = e;
        vPrev = v;
    }
    // Close the loop round the vertices made.
    otherPrev->next = eLastListed;
    eLastListed->next = headPrev;
    ePrev->Lnext = e0;
    s0->Lnext = sPrev;
    e0->Onext = sPrev;
    sPrev->Onext = e0;
    sPrev->Org = v0;
    v0->anEdge = added > 1 ? sPrev : e0;
    v0->prev = vPrev;
    vPrev->next = v0;
    v0->next = &mesh->vHead;
    mesh->vHead.prev = v0;
    mesh->vertexCount += added;
    return added;
}

int tessMeshSplice(TESSmesh* mesh, TESShalfEdge* eOrg, TESShalfEdge* eDst) {
    if (eOrg == eDst) return 1;

    const bool joiningVertices = eDst->Org != eOrg->Org;
    const bool joiningLoops = tessMeshLface(mesh, eDst) != tessMeshLface(mesh, eOrg);

    // Take what a split needs before touching anything.
    TESSvertex* newVertex = nullptr;
    TESSface* newFace = nullptr;
    if (!joiningVertices && !(newVertex = (TESSvertex*)bucketAlloc(mesh->vertexBucket))) return 0;
    if (!joiningLoops && !(newFace = (TESSface*)bucketAlloc(mesh->faceBucket))) {
        if (newVertex) bucketFree(mesh->vertexBucket, newVertex);
        return 0;
    }

    if (joiningVertices) killVertex(mesh, eDst->Org, eOrg->Org);
    if (joiningLoops) killFace(mesh, tessMeshLface(mesh, eDst), tessMeshLface(mesh, eOrg));

    splice(mesh, eDst, eOrg);

    if (!joiningVertices) {
        makeVertex(mesh, newVertex, eDst, eOrg->Org);
        eOrg->Org->anEdge = eOrg;
    }
    if (!joiningLoops) {
        TESSface* fOld = tessMeshLface(mesh, eOrg);
        fOld->anEdge = eOrg;
        splitFace(mesh, newFace, eDst, fOld);
    }
    return 1;
}

int tessMeshDelete(TESSmesh* mesh, TESShalfEdge* eDel) {
    TESShalfEdge* eDelSym = eDel->Sym;
    const bool joiningLoops = tessMeshLface(mesh, eDel) != tessMeshLface(mesh, eDelSym);

    TESSface* newFace = nullptr;
    if (!joiningLoops && eDel->Onext != eDel) {
        newFace = (TESSface*)bucketAlloc(mesh->faceBucket);
        if (!newFace) return 0;
    }

    if (joiningLoops) killFace(mesh, tessMeshLface(mesh, eDel), tessMeshLface(mesh, eDelSym));

    if (eDel->Onext == eDel) {
        killVertex(mesh, eDel->Org, nullptr);
    } else {
        tessMeshLface(mesh, eDelSym)->anEdge = eDel->Oprev;
        eDel->Org->anEdge = eDel->Onext;
        splice(mesh, eDel, eDel->Oprev);
        if (!joiningLoops) splitFace(mesh, newFace, eDel, tessMeshLface(mesh, eDel));
    }

    if (eDelSym->Onext == eDelSym) {
        killVertex(mesh, eDelSym->Org, nullptr);
        killFace(mesh, tessMeshLface(mesh, eDelSym), nullptr);
    } else {
        tessMeshLface(mesh, eDel)->anEdge = eDelSym->Oprev;
        eDelSym->Org->anEdge = eDelSym->Onext;
        splice(mesh, eDelSym, eDelSym->Oprev);
    }
    killEdge(mesh, eDel);
    return 1;
}

TESShalfEdge* tessMeshAddEdgeVertex(TESSmesh* mesh, TESShalfEdge* eOrg) {
    NewPair pair;
    const bool havePair = takePair(mesh, &pair);
    TESSvertex* v = (TESSvertex*)bucketAlloc(mesh->vertexBucket);
    if (!havePair || !v) {
        if (havePair) giveBackPair(mesh, &pair);
        if (v) bucketFree(mesh->vertexBucket, v);
        return nullptr;
    }
    TESShalfEdge* eNew = makeEdge(mesh, &pair, eOrg);
    TESShalfEdge* eNewSym = eNew->Sym;
    splice(mesh, eNew, eOrg->Lnext);
    eNew->Org = eOrg->Dst;
    makeVertex(mesh, v, eNewSym, eNew->Org);
    // Indexed, the splice has already put the pair into eOrg's loop.
    if (!mesh->loopNodeBucket) eNew->Lface = eNewSym->Lface = eOrg->Lface;
    return eNew;
}

TESShalfEdge* tessMeshSplitEdge(TESSmesh* mesh, TESShalfEdge* eOrg) {
    TESShalfEdge* tempHalfEdge = tessMeshAddEdgeVertex(mesh, eOrg);
    if (!tempHalfEdge) return nullptr;
    TESShalfEdge* eNew = tempHalfEdge->Sym;
    TESSface* fLeft = tessMeshLface(mesh, eOrg);
    TESSface* fRight = tessMeshLface(mesh, eOrg->Sym);

    // Move eOrg's destination to the new vertex.
    splice(mesh, eOrg->Sym, eOrg->Sym->Oprev);
    splice(mesh, eOrg->Sym, eNew);
    eOrg->Dst = eNew->Org;
    eNew->Dst->anEdge = eNew->Sym;
    if (mesh->loopNodeBucket) {
        // The two splices joined and split the loops on both sides.
        loopIndexSetFace(mesh, eOrg, fLeft);
        loopIndexSetFace(mesh, eOrg->Sym, fRight);
    } else {
        eNew->Rface = eOrg->Rface;
    }
    eNew->winding = eOrg->winding;
    eNew->Sym->winding = eOrg->Sym->winding;
    return eNew;
}

namespace {

// tessMeshConnect without the loop index: the same links, each written once.
// With cutsTriangle, eNew's loop is known to be a triangle, never longer
// than the other part.
TESShalfEdge* connectPlain(TESSmesh* mesh, TESShalfEdge* eOrg, TESShalfEdge* eDst, bool cutsTriangle) {
    TESSface* const fOrg = eOrg->Lface;
    const bool joiningLoops = eDst->Lface != fOrg;
    EdgePair* pair = (EdgePair*)bucketAlloc(mesh->edgeBucket);
    if (!pair) return nullptr;
    TESSface* newFace = nullptr;
    if (!joiningLoops && !(newFace = (TESSface*)bucketAlloc(mesh->faceBucket))) {
        bucketFree(mesh->edgeBucket, pair);
        return nullptr;
    }
    TESShalfEdge* eNew = &pair->e;
    TESShalfEdge* eNewSym = &pair->eSym;

    // Listed before eOrg's pair.
    TESShalfEdge* eNext = pairHead(eOrg);
    TESShalfEdge* ePrev = eNext->Sym->next;
    eNew->next = eNext;
    eNewSym->next = ePrev;
    ePrev->next = eNew;
    eNext->Sym->next = eNew;
    eNew->Sym = eNewSym;
    eNewSym->Sym = eNew;
    eNew->winding = eNewSym->winding = 0;
    eNew->activeRegion = eNewSym->activeRegion = nullptr;

    if (joiningLoops) killFace(mesh, eDst->Lface, fOrg);

    // The two splices of a fresh pair: into eOrg->Lnext's ring, then eDst's.
    TESShalfEdge* x = eOrg->Lnext;
    TESShalfEdge* xOnext = x->Onext;
    eNewSym->Lnext = x;
    xOnext->Sym->Lnext = eNew;
    eNew->Onext = xOnext;
    x->Onext = eNew;
    TESShalfEdge* dOnext = eDst->Onext;
    eNew->Lnext = eDst;
    dOnext->Sym->Lnext = eNewSym;
    eNewSym->Onext = dOnext;
    eDst->Onext = eNewSym;

    eNew->Org = eOrg->Sym->Org;
    eNewSym->Org = eDst->Org;
    eNew->Lface = eNewSym->Lface = fOrg;
    fOrg->anEdge = eNewSym;
    if (joiningLoops) return eNew;
    if (cutsTriangle) {
        eNew->Lface = eDst->Lface = eDst->Lnext->Lface = newFace;
        linkFace(newFace, eNew, fOrg, fOrg->inside);
        mesh->walkSteps += 3;
    } else {
        splitFace(mesh, newFace, eNew, fOrg);
    }
    return eNew;
}

} // namespace

TESShalfEdge* tessMeshConnect(TESSmesh* mesh, TESShalfEdge* eOrg, TESShalfEdge* eDst) {
    if (!mesh->loopNodeBucket) return connectPlain(mesh, eOrg, eDst, false);

    const bool joiningLoops = tessMeshLface(mesh, eDst) != tessMeshLface(mesh, eOrg);
    NewPair pair;
    if (!takePair(mesh, &pair)) return nullptr;
    TESSface* newFace = nullptr;
    if (!joiningLoops && !(newFace = (TESSface*)bucketAlloc(mesh->faceBucket))) {
        giveBackPair(mesh, &pair);
        return nullptr;
    }

    TESShalfEdge* eNew = makeEdge(mesh, &pair, eOrg);
    TESShalfEdge* eNewSym = eNew->Sym;
    if (joiningLoops) killFace(mesh, tessMeshLface(mesh, eDst), tessMeshLface(mesh, eOrg));

    splice(mesh, eNew, eOrg->Lnext);
    splice(mesh, eNewSym, eDst);
    eNew->Org = eOrg->Dst;
    eNewSym->Org = eDst->Org;
    TESSface* fOld = tessMeshLface(mesh, eOrg);
    if (!mesh->loopNodeBucket) eNew->Lface = eNewSym->Lface = fOld;
    // The old face may have had eDst's side as its anEdge.
    fOld->anEdge = eNewSym;

    if (!joiningLoops) splitFace(mesh, newFace, eNew, fOld);
    return eNew;
}

TESShalfEdge* tessMeshCutTriangle(TESSmesh* mesh, TESShalfEdge* eOrg, TESShalfEdge* eDst) {
    if (!mesh->loopNodeBucket) return connectPlain(mesh, eOrg, eDst, true);
    return tessMeshConnect(mesh, eOrg, eDst);
}
