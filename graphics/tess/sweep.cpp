#include "sweep.h"

#include <algorithm>
#include <cfloat>

#include "tessGeom.h"
#include "tessTesselator.h"

namespace {

// Every mesh change in the sweep must succeed or the run fails.
void check(TESStesselator* tess, int ok) {
    if (!ok) tessFail(tess);
}

TESShalfEdge* checkEdge(TESStesselator* tess, TESShalfEdge* e) {
    if (!e) tessFail(tess);
    return e;
}

ActiveRegion* checkRegion(TESStesselator* tess, ActiveRegion* r) {
    if (!r) tessFail(tess);
    return r;
}

// The neighbours of a region in the dictionary, null past its ends. Every
// node but the head holds its region in its room, so the region is found by
// address: the only load is of the neighbouring node.
inline ActiveRegion* regionIn(TESStesselator* tess, DictNode* node) {
    return node == &tess->dict->head ? nullptr : (ActiveRegion*)dictNodeRoom(node);
}
inline ActiveRegion* regionBelow(TESStesselator* tess, ActiveRegion* r) {
    return regionIn(tess, dictNodeOfRoom(r)->prev);
}
inline ActiveRegion* regionAbove(TESStesselator* tess, ActiveRegion* r) {
    return regionIn(tess, dictNodeOfRoom(r)->next);
}

ActiveRegion* below(TESStesselator* tess, ActiveRegion* r) { return checkRegion(tess, regionBelow(tess, r)); }
ActiveRegion* above(TESStesselator* tess, ActiveRegion* r) { return checkRegion(tess, regionAbove(tess, r)); }

void addWinding(TESShalfEdge* eDst, TESShalfEdge* eSrc) {
    eDst->winding += eSrc->winding;
    eDst->Sym->winding += eSrc->Sym->winding;
}

inline int edgeLeq(void* frame, DictKey key1, DictKey key2) {
    TESStesselator* tess = (TESStesselator*)frame;
    TESSvertex* event = tess->event;
    TESShalfEdge* e1 = ((ActiveRegion*)key1)->eUp;
    TESShalfEdge* e2 = ((ActiveRegion*)key2)->eUp;

    if (e1->Dst == event) {
        if (e2->Dst == event) {
            // Two edges meeting at the event: order by slope.
            if (tesvertLeq(e1->Org, e2->Org)) return tesedgeSign(e2->Dst, e1->Org, e2->Org) <= 0;
            return tesedgeSign(e1->Dst, e2->Org, e1->Org) >= 0;
        }
        return tesedgeSign(e2->Dst, event, e2->Org) <= 0;
    }
    if (e2->Dst == event) return tesedgeSign(e1->Dst, event, e1->Org) >= 0;

    TESSreal t1 = tesedgeEval(e1->Dst, event, e1->Org);
    TESSreal t2 = tesedgeEval(e2->Dst, event, e2->Org);
    return t1 >= t2;
}

// The dictionary's order, called directly.
struct EdgeOrder {
    TESStesselator* tess;
    bool operator()(DictKey key1, DictKey key2) const { return edgeLeq(tess, key1, key2) != 0; }
};

void deleteRegion(TESStesselator* tess, ActiveRegion* reg) {
    reg->eUp->activeRegion = nullptr;
    // The region lives in its node's room and goes with it.
    dictDelete(tess->dict, dictNodeOfRoom(reg));
}

void fixUpperEdge(TESStesselator* tess, ActiveRegion* reg, TESShalfEdge* newEdge) {
    check(tess, tessMeshDelete(tess->mesh, reg->eUp));
    reg->fixUpperEdge = false;
    reg->eUp = newEdge;
    newEdge->activeRegion = reg;
}

ActiveRegion* topLeftRegion(TESStesselator* tess, ActiveRegion* reg) {
    TESSvertex* org = reg->eUp->Org;
    do {
        reg = above(tess, reg);
    } while (reg->eUp->Org == org);

    // A temporary upper edge would be wrong once the vertex gets left-going
    // edges: replace it by a proper one.
    if (reg->fixUpperEdge) {
        TESShalfEdge* e = checkEdge(tess, tessMeshConnect(tess->mesh, below(tess, reg)->eUp->Sym, reg->eUp->Lnext));
        fixUpperEdge(tess, reg, e);
        reg = above(tess, reg);
    }
    return reg;
}

ActiveRegion* topRightRegion(TESStesselator* tess, ActiveRegion* reg) {
    TESSvertex* dst = reg->eUp->Dst;
    do {
        reg = above(tess, reg);
    } while (reg->eUp->Dst == dst);
    return reg;
}

// A region with no place in the dictionary yet, in a node's room.
ActiveRegion* newRegion(TESStesselator* tess, TESShalfEdge* eUp) {
    DictNode* node = dictNewNode(tess->dict);
    if (!node) tessFail(tess);
    ActiveRegion* reg = (ActiveRegion*)dictNodeRoom(node);
    node->key = reg;
    reg->eUp = eUp;
    reg->windingNumber = 0;
    reg->inside = false;
    reg->fixUpperEdge = false;
    reg->sentinel = false;
    reg->dirty = false;
    return reg;
}

ActiveRegion* addRegionBelow(TESStesselator* tess, ActiveRegion* regAbove, TESShalfEdge* eNewUp) {
    ActiveRegion* regNew = newRegion(tess, eNewUp);
    dictLinkBeforeBy(tess->dict, dictNodeOfRoom(regAbove), dictNodeOfRoom(regNew), EdgeOrder{tess});
    eNewUp->activeRegion = regNew;
    return regNew;
}

bool isWindingInside(TESStesselator* tess, int n) {
    switch (tess->windingRule) {
    case TESS_WINDING_ODD: return (n & 1) != 0;
    case TESS_WINDING_NONZERO: return n != 0;
    case TESS_WINDING_POSITIVE: return n > 0;
    case TESS_WINDING_NEGATIVE: return n < 0;
    case TESS_WINDING_ABS_GEQ_TWO: return n >= 2 || n <= -2;
    default: return false;
    }
}

void computeWinding(TESStesselator* tess, ActiveRegion* reg) {
    reg->windingNumber = above(tess, reg)->windingNumber + reg->eUp->winding;
    reg->inside = isWindingInside(tess, reg->windingNumber);
}

// The region is closed: its face takes the region's inside flag.
void finishRegion(TESStesselator* tess, ActiveRegion* reg) {
    TESShalfEdge* e = reg->eUp;
    TESSface* f = tessMeshLface(tess->mesh, e);
    f->inside = reg->inside;
    f->anEdge = e;
    deleteRegion(tess, reg);
}

// Finishes the regions from regFirst down to regLast (or while their upper
// edges start at one vertex) and relinks the mesh to the dictionary order.
TESShalfEdge* finishLeftRegions(TESStesselator* tess, ActiveRegion* regFirst, ActiveRegion* regLast) {
    ActiveRegion* regPrev = regFirst;
    TESShalfEdge* ePrev = regFirst->eUp;
    while (regPrev != regLast) {
        regPrev->fixUpperEdge = false;
        ActiveRegion* reg = regionBelow(tess, regPrev);
        if (!reg) {
            finishRegion(tess, regPrev);
            break;
        }
        TESShalfEdge* e = reg->eUp;
        if (e->Org != ePrev->Org) {
            if (!reg->fixUpperEdge) {
                finishRegion(tess, regPrev);
                break;
            }
            // The temporary edge goes; connect to the vertex instead.
            e = checkEdge(tess, tessMeshConnect(tess->mesh, ePrev->Lprev, e->Sym));
            fixUpperEdge(tess, reg, e);
        }
        if (ePrev->Onext != e) {
            check(tess, tessMeshSplice(tess->mesh, e->Oprev, e));
            check(tess, tessMeshSplice(tess->mesh, ePrev, e));
        }
        finishRegion(tess, regPrev);
        ePrev = reg->eUp;
        regPrev = reg;
    }
    return ePrev;
}

bool checkForIntersect(TESStesselator* tess, ActiveRegion* regUp);
void walkDirtyRegions(TESStesselator* tess, ActiveRegion* regUp);

// The left ends of regUp's two edges: splice them where one lies on the other.
bool checkForRightSplice(TESStesselator* tess, ActiveRegion* regUp) {
    ActiveRegion* regLo = below(tess, regUp);
    TESShalfEdge* eUp = regUp->eUp;
    TESShalfEdge* eLo = regLo->eUp;

    if (tesvertLeq(eUp->Org, eLo->Org)) {
        if (tesedgeSign(eLo->Dst, eUp->Org, eLo->Org) > 0) return false;
        if (!tesvertEq(eUp->Org, eLo->Org)) {
            checkEdge(tess, tessMeshSplitEdge(tess->mesh, eLo->Sym));
            check(tess, tessMeshSplice(tess->mesh, eUp, eLo->Oprev));
            regUp->dirty = regLo->dirty = true;
        } else if (eUp->Org != eLo->Org) {
            // One position, two vertices: merge them.
            pqDelete(tess->pq, eUp->Org->pqHandle);
            check(tess, tessMeshSplice(tess->mesh, eLo->Oprev, eUp));
        }
    } else {
        if (tesedgeSign(eUp->Dst, eLo->Org, eUp->Org) < 0) return false;
        above(tess, regUp)->dirty = regUp->dirty = true;
        checkEdge(tess, tessMeshSplitEdge(tess->mesh, eUp->Sym));
        check(tess, tessMeshSplice(tess->mesh, eLo->Oprev, eUp));
    }
    return true;
}

// The right ends of regUp's two edges.
bool checkForLeftSplice(TESStesselator* tess, ActiveRegion* regUp) {
    ActiveRegion* regLo = below(tess, regUp);
    TESShalfEdge* eUp = regUp->eUp;
    TESShalfEdge* eLo = regLo->eUp;

    if (tesvertLeq(eUp->Dst, eLo->Dst)) {
        if (tesedgeSign(eUp->Dst, eLo->Dst, eUp->Org) < 0) return false;
        above(tess, regUp)->dirty = regUp->dirty = true;
        TESShalfEdge* e = checkEdge(tess, tessMeshSplitEdge(tess->mesh, eUp));
        check(tess, tessMeshSplice(tess->mesh, eLo->Sym, e));
        tessMeshLface(tess->mesh, e)->inside = regUp->inside;
    } else {
        if (tesedgeSign(eLo->Dst, eUp->Dst, eLo->Org) > 0) return false;
        regUp->dirty = regLo->dirty = true;
        TESShalfEdge* e = checkEdge(tess, tessMeshSplitEdge(tess->mesh, eLo));
        check(tess, tessMeshSplice(tess->mesh, eUp->Lnext, eLo->Sym));
        tessMeshLface(tess->mesh, e->Sym)->inside = regUp->inside;
    }
    return true;
}

TESSreal l1Dist(const TESSvertex* u, const TESSvertex* v) {
    TESSreal ds = u->s - v->s;
    TESSreal dt = u->t - v->t;
    return (ds < 0 ? -ds : ds) + (dt < 0 ? -dt : dt);
}

// Adds half of the crossing's position, shared between org and dst by nearness.
void vertexWeights(TESSvertex* isect, const TESSvertex* org, const TESSvertex* dst) {
    TESSreal t1 = l1Dist(org, isect);
    TESSreal t2 = l1Dist(dst, isect);
    TESSreal wOrg = 0.25f, wDst = 0.25f;
    if (t1 + t2 > 0) {
        wOrg = 0.5f * t2 / (t1 + t2);
        wDst = 0.5f * t1 / (t1 + t2);
    }
    for (int i = 0; i < 3; ++i) isect->coords[i] += wOrg * org->coords[i] + wDst * dst->coords[i];
}

void getIntersectData(TESSvertex* isect, const TESSvertex* orgUp, const TESSvertex* dstUp,
                      const TESSvertex* orgLo, const TESSvertex* dstLo) {
    isect->coords[0] = isect->coords[1] = isect->coords[2] = 0;
    isect->idx = TESS_UNDEF;
    vertexWeights(isect, orgUp, dstUp);
    vertexWeights(isect, orgLo, dstLo);
}

void addRightEdges(TESStesselator* tess, ActiveRegion* regUp, TESShalfEdge* eFirst, TESShalfEdge* eLast,
                   TESShalfEdge* eTopLeft, bool cleanUp);

// Returns true when it walked the dirty regions itself.
bool checkForIntersect(TESStesselator* tess, ActiveRegion* regUp) {
    ActiveRegion* regLo = below(tess, regUp);
    TESShalfEdge* eUp = regUp->eUp;
    TESShalfEdge* eLo = regLo->eUp;
    TESSvertex* orgUp = eUp->Org;
    TESSvertex* orgLo = eLo->Org;
    TESSvertex* dstUp = eUp->Dst;
    TESSvertex* dstLo = eLo->Dst;
    TESSvertex* event = tess->event;

    if (orgUp == orgLo) return false;
    if (std::min(orgUp->t, dstUp->t) > std::max(orgLo->t, dstLo->t)) return false;
    if (tesvertLeq(orgUp, orgLo)) {
        if (tesedgeSign(dstLo, orgUp, orgLo) > 0) return false;
    } else {
        if (tesedgeSign(dstUp, orgLo, orgUp) < 0) return false;
    }

    TESSvertex isect;
    tesedgeIntersect(dstUp, orgUp, dstLo, orgLo, &isect);
    // The crossing can be neither left of the event nor right of the nearer
    // right end.
    if (tesvertLeq(&isect, event)) {
        isect.s = event->s;
        isect.t = event->t;
    }
    TESSvertex* orgMin = tesvertLeq(orgUp, orgLo) ? orgUp : orgLo;
    if (tesvertLeq(orgMin, &isect)) {
        isect.s = orgMin->s;
        isect.t = orgMin->t;
    }

    if (tesvertEq(&isect, orgUp) || tesvertEq(&isect, orgLo)) {
        checkForRightSplice(tess, regUp);
        return false;
    }

    if ((!tesvertEq(dstUp, event) && tesedgeSign(dstUp, event, &isect) >= 0) ||
        (!tesvertEq(dstLo, event) && tesedgeSign(dstLo, event, &isect) <= 0)) {
        // Rounding put the crossing so that the new edges would pass on the
        // wrong side of the event: bend an edge through the event instead.
        if (dstLo == event) {
            checkEdge(tess, tessMeshSplitEdge(tess->mesh, eUp->Sym));
            check(tess, tessMeshSplice(tess->mesh, eLo->Sym, eUp));
            regUp = checkRegion(tess, topLeftRegion(tess, regUp));
            eUp = below(tess, regUp)->eUp;
            finishLeftRegions(tess, below(tess, regUp), regLo);
            addRightEdges(tess, regUp, eUp->Oprev, eUp, eUp, true);
            return true;
        }
        if (dstUp == event) {
            checkEdge(tess, tessMeshSplitEdge(tess->mesh, eLo->Sym));
            check(tess, tessMeshSplice(tess->mesh, eUp->Lnext, eLo->Oprev));
            regLo = regUp;
            regUp = topRightRegion(tess, regUp);
            TESShalfEdge* e = below(tess, regUp)->eUp->Rprev;
            regLo->eUp = eLo->Oprev;
            eLo = finishLeftRegions(tess, regLo, nullptr);
            addRightEdges(tess, regUp, eLo->Onext, eUp->Rprev, e, true);
            return true;
        }
        if (tesedgeSign(dstUp, event, &isect) >= 0) {
            above(tess, regUp)->dirty = regUp->dirty = true;
            checkEdge(tess, tessMeshSplitEdge(tess->mesh, eUp->Sym));
            eUp->Org->s = event->s;
            eUp->Org->t = event->t;
        }
        if (tesedgeSign(dstLo, event, &isect) <= 0) {
            regUp->dirty = regLo->dirty = true;
            checkEdge(tess, tessMeshSplitEdge(tess->mesh, eLo->Sym));
            eLo->Org->s = event->s;
            eLo->Org->t = event->t;
        }
        return false;
    }

    // The general case: split both edges at the crossing and queue it.
    checkEdge(tess, tessMeshSplitEdge(tess->mesh, eUp->Sym));
    checkEdge(tess, tessMeshSplitEdge(tess->mesh, eLo->Sym));
    check(tess, tessMeshSplice(tess->mesh, eLo->Oprev, eUp));
    eUp->Org->s = isect.s;
    eUp->Org->t = isect.t;
    eUp->Org->pqHandle = pqInsert(&tess->alloc, tess->pq, eUp->Org);
    if (eUp->Org->pqHandle == INV_HANDLE) {
        pqDeletePriorityQ(&tess->alloc, tess->pq);
        tess->pq = nullptr;
        tessFail(tess);
    }
    getIntersectData(eUp->Org, orgUp, dstUp, orgLo, dstLo);
    above(tess, regUp)->dirty = regUp->dirty = regLo->dirty = true;
    return false;
}

void walkDirtyRegions(TESStesselator* tess, ActiveRegion* regUp) {
    ActiveRegion* regLo = regionBelow(tess, regUp);
    for (;;) {
        while (regLo && regLo->dirty) {
            regUp = regLo;
            regLo = regionBelow(tess, regLo);
        }
        if (!regUp->dirty) {
            regLo = regUp;
            regUp = regionAbove(tess, regUp);
            if (!regUp || !regUp->dirty) return;
        }
        regUp->dirty = false;
        if (!regLo) return; // nothing below the bottom: nothing to compare
        TESShalfEdge* eUp = regUp->eUp;
        TESShalfEdge* eLo = regLo->eUp;

        if (eUp->Dst != eLo->Dst) {
            if (checkForLeftSplice(tess, regUp)) {
                // A temporary edge made redundant by the splice goes.
                if (regLo->fixUpperEdge) {
                    deleteRegion(tess, regLo);
                    check(tess, tessMeshDelete(tess->mesh, eLo));
                    regLo = below(tess, regUp);
                    eLo = regLo->eUp;
                } else if (regUp->fixUpperEdge) {
                    deleteRegion(tess, regUp);
                    check(tess, tessMeshDelete(tess->mesh, eUp));
                    regUp = above(tess, regLo);
                    eUp = regUp->eUp;
                }
            }
        }
        if (eUp->Org != eLo->Org) {
            if (eUp->Dst != eLo->Dst && !regUp->fixUpperEdge && !regLo->fixUpperEdge &&
                (eUp->Dst == tess->event || eLo->Dst == tess->event)) {
                if (checkForIntersect(tess, regUp)) return;
            } else {
                checkForRightSplice(tess, regUp);
            }
        }
        if (eUp->Org == eLo->Org && eUp->Dst == eLo->Dst) {
            // A loop of two edges: keep one carrying both windings.
            addWinding(eLo, eUp);
            deleteRegion(tess, regUp);
            check(tess, tessMeshDelete(tess->mesh, eUp));
            regUp = above(tess, regLo);
        }
    }
}

void addRightEdges(TESStesselator* tess, ActiveRegion* regUp, TESShalfEdge* eFirst, TESShalfEdge* eLast,
                   TESShalfEdge* eTopLeft, bool cleanUp) {
    TESShalfEdge* e = eFirst;
    do {
        addRegionBelow(tess, regUp, e->Sym);
        e = e->Onext;
    } while (e != eLast);

    if (!eTopLeft) eTopLeft = below(tess, regUp)->eUp->Rprev;

    ActiveRegion* regPrev = regUp;
    TESShalfEdge* ePrev = eTopLeft;
    bool firstTime = true;
    for (;;) {
        ActiveRegion* reg = regionBelow(tess, regPrev);
        if (!reg) break;
        e = reg->eUp->Sym;
        if (e->Org != ePrev->Org) break;

        if (e->Onext != ePrev) {
            // Put the mesh's edge order round the vertex in dictionary order.
            check(tess, tessMeshSplice(tess->mesh, e->Oprev, e));
            check(tess, tessMeshSplice(tess->mesh, ePrev->Oprev, e));
        }
        reg->windingNumber = regPrev->windingNumber - e->winding;
        reg->inside = isWindingInside(tess, reg->windingNumber);

        regPrev->dirty = true;
        if (!firstTime && checkForRightSplice(tess, regPrev)) {
            addWinding(e, ePrev);
            deleteRegion(tess, regPrev);
            check(tess, tessMeshDelete(tess->mesh, ePrev));
        }
        firstTime = false;
        regPrev = reg;
        ePrev = e;
    }
    regPrev->dirty = true;
    if (cleanUp) walkDirtyRegions(tess, regPrev);
}

void sweepEvent(TESStesselator* tess, TESSvertex* vEvent);

void connectLeftDegenerate(TESStesselator* tess, ActiveRegion* regUp, TESSvertex* vEvent) {
    TESShalfEdge* e = regUp->eUp;
    if (tesvertEq(e->Org, vEvent)) {
        // The vertex is e's origin, still queued: merge and handle it there.
        check(tess, tessMeshSplice(tess->mesh, e, vEvent->anEdge));
        return;
    }
    if (!tesvertEq(e->Dst, vEvent)) {
        // The vertex lies on e: split e there and splice the vertex in.
        checkEdge(tess, tessMeshSplitEdge(tess->mesh, e->Sym));
        if (regUp->fixUpperEdge) {
            check(tess, tessMeshDelete(tess->mesh, e->Onext));
            regUp->fixUpperEdge = false;
        }
        check(tess, tessMeshSplice(tess->mesh, vEvent->anEdge, e));
        sweepEvent(tess, vEvent);
        return;
    }

    // The vertex is at e's destination, already processed.
    regUp = topRightRegion(tess, regUp);
    ActiveRegion* reg = below(tess, regUp);
    TESShalfEdge* eTopRight = reg->eUp->Sym;
    TESShalfEdge* eTopLeft = eTopRight->Onext;
    TESShalfEdge* eLast = eTopLeft;
    if (reg->fixUpperEdge) {
        deleteRegion(tess, reg);
        check(tess, tessMeshDelete(tess->mesh, eTopRight));
        eTopRight = eTopLeft->Oprev;
    }
    check(tess, tessMeshSplice(tess->mesh, vEvent->anEdge, eTopRight));
    if (!tesEdgeGoesLeft(eTopLeft)) eTopLeft = nullptr;
    addRightEdges(tess, regUp, eTopRight->Onext, eLast, eTopLeft, true);
}

// A vertex with no left-going edges.
void connectLeftVertex(TESStesselator* tess, TESSvertex* vEvent) {
    ActiveRegion probe;
    probe.eUp = vEvent->anEdge->Sym;
    ActiveRegion* regUp = checkRegion(tess, (ActiveRegion*)dictSearchBy(tess->dict, &probe, EdgeOrder{tess})->key);
    ActiveRegion* regLo = regionBelow(tess, regUp);
    if (!regLo) {
        // Nothing below: the vertex lies outside every region.
        addRightEdges(tess, regUp, vEvent->anEdge, vEvent->anEdge, nullptr, true);
        return;
    }
    TESShalfEdge* eUp = regUp->eUp;
    TESShalfEdge* eLo = regLo->eUp;

    if (tesedgeSign(eUp->Dst, vEvent, eUp->Org) == 0) {
        connectLeftDegenerate(tess, regUp, vEvent);
        return;
    }

    ActiveRegion* reg = tesvertLeq(eLo->Dst, eUp->Dst) ? regUp : regLo;
    if (regUp->inside || reg->fixUpperEdge) {
        // Connect the vertex to the nearer chain so the region stays monotone.
        TESShalfEdge* eNew;
        if (reg == regUp) {
            eNew = checkEdge(tess, tessMeshConnect(tess->mesh, vEvent->anEdge->Sym, eUp->Lnext));
        } else {
            eNew = checkEdge(tess, tessMeshConnect(tess->mesh, eLo->Dnext, vEvent->anEdge))->Sym;
        }
        if (reg->fixUpperEdge) {
            fixUpperEdge(tess, reg, eNew);
        } else {
            computeWinding(tess, addRegionBelow(tess, regUp, eNew));
        }
        sweepEvent(tess, vEvent);
    } else {
        addRightEdges(tess, regUp, vEvent->anEdge, vEvent->anEdge, nullptr, true);
    }
}

// A vertex with left-going edges but none going right.
void connectRightVertex(TESStesselator* tess, ActiveRegion* regUp, TESShalfEdge* eBottomLeft) {
    TESShalfEdge* eTopLeft = eBottomLeft->Onext;
    ActiveRegion* regLo = below(tess, regUp);
    TESShalfEdge* eUp = regUp->eUp;
    TESShalfEdge* eLo = regLo->eUp;
    bool degenerate = false;

    if (eUp->Dst != eLo->Dst) checkForIntersect(tess, regUp);

    if (tesvertEq(eUp->Org, tess->event)) {
        check(tess, tessMeshSplice(tess->mesh, eTopLeft->Oprev, eUp));
        regUp = checkRegion(tess, topLeftRegion(tess, regUp));
        eTopLeft = below(tess, regUp)->eUp;
        finishLeftRegions(tess, below(tess, regUp), regLo);
        degenerate = true;
    }
    if (tesvertEq(eLo->Org, tess->event)) {
        check(tess, tessMeshSplice(tess->mesh, eBottomLeft, eLo->Oprev));
        eBottomLeft = finishLeftRegions(tess, regLo, nullptr);
        degenerate = true;
    }
    if (degenerate) {
        addRightEdges(tess, regUp, eBottomLeft->Onext, eTopLeft, eTopLeft, true);
        return;
    }

    // Connect to the nearer right end with a temporary edge.
    TESShalfEdge* eNew = tesvertLeq(eLo->Org, eUp->Org) ? eLo->Oprev : eUp;
    eNew = checkEdge(tess, tessMeshConnect(tess->mesh, eBottomLeft->Lprev, eNew));
    addRightEdges(tess, regUp, eNew, eNew->Onext, eNew->Onext, false);
    eNew->Sym->activeRegion->fixUpperEdge = true;
    walkDirtyRegions(tess, regUp);
}

void sweepEvent(TESStesselator* tess, TESSvertex* vEvent) {
    tess->event = vEvent;

    TESShalfEdge* e = vEvent->anEdge;
    while (!e->activeRegion) {
        e = e->Onext;
        if (e == vEvent->anEdge) {
            connectLeftVertex(tess, vEvent);
            return;
        }
    }

    ActiveRegion* regUp = checkRegion(tess, topLeftRegion(tess, e->activeRegion));
    ActiveRegion* reg = below(tess, regUp);
    TESShalfEdge* eTopLeft = reg->eUp;
    TESShalfEdge* eBottomLeft = finishLeftRegions(tess, reg, nullptr);

    if (eBottomLeft->Onext == eTopLeft) {
        connectRightVertex(tess, regUp, eBottomLeft);
    } else {
        addRightEdges(tess, regUp, eBottomLeft->Onext, eTopLeft, eTopLeft, true);
    }
}

void addSentinel(TESStesselator* tess, TESSreal smin, TESSreal smax, TESSreal t) {
    TESShalfEdge* e = tessMeshMakeEdge(tess->mesh);
    if (!e) tessFail(tess);
    e->Org->s = smax;
    e->Org->t = t;
    e->Dst->s = smin;
    e->Dst->t = t;
    tess->event = e->Dst;

    ActiveRegion* reg = newRegion(tess, e);
    reg->sentinel = true;
    dictLinkBefore(tess->dict, &tess->dict->head, dictNodeOfRoom(reg));
    e->activeRegion = reg;
}

// A margin that keeps the sentinels strictly apart from the vertices, also
// when every vertex lies on one line.
TESSreal sentinelMargin(TESSreal lo, TESSreal hi) {
    TESSreal m = hi - lo;
    if (lo - m < lo && hi + m > hi) return m;
    return m + 1 + std::max(lo < 0 ? -lo : lo, hi < 0 ? -hi : hi);
}

bool isFinite(TESSreal x) { return x - x == 0; }

void initEdgeDict(TESStesselator* tess) {
    // Many edges can cross the sweep line at once.
    const bool indexed = tess->queuedVertexCount >= tess->indexMinVertices;
    if (tess->spareDict) {
        tessClampBucketSize(&tess->alloc.dictNodeBucketSize);
        tess->dict = tess->spareDict;
        tess->spareDict = nullptr;
        dictReset(tess->dict, indexed);
    } else {
        tess->dict = dictNewDict(&tess->alloc, tess, edgeLeq, indexed, sizeof(ActiveRegion));
        if (!tess->dict) tessFail(tess);
    }

    TESSreal w = sentinelMargin(tess->bmin[0], tess->bmax[0]);
    TESSreal h = sentinelMargin(tess->bmin[1], tess->bmax[1]);
    TESSreal smin = tess->bmin[0] - w;
    TESSreal smax = tess->bmax[0] + w;
    TESSreal tmin = tess->bmin[1] - h;
    TESSreal tmax = tess->bmax[1] + h;
    if (!isFinite(smin) || !isFinite(smax) || !isFinite(tmin) || !isFinite(tmax)) tessFail(tess);
    // Every difference of two positions is at most the box's width or height,
    // every product in the predicates at most their product: when those could
    // overflow, the comparisons would turn to NaN and break the sweep.
    const double width = (double)smax - smin;
    const double height = (double)tmax - tmin;
    const double limit = FLT_MAX / 4;
    if (width * height > limit || width + height > limit) tessFail(tess);

    addSentinel(tess, smin, smax, tmin);
    addSentinel(tess, smin, smax, tmax);
}

void doneEdgeDict(TESStesselator* tess) {
    ActiveRegion* reg;
    while ((reg = (ActiveRegion*)dictMin(tess->dict)->key) != nullptr) deleteRegion(tess, reg);
    tess->dictOrderChecks = tess->dict->orderChecks;
    // Every node, and with it its region, is back: keep the memory of a small
    // sweep only.
    trimBucketAlloc(tess->dict->nodePool, TESS_SPARE_MAX_ITEMS);
    tess->spareDict = tess->dict;
    tess->dict = nullptr;
}

void removeDegenerateEdges(TESStesselator* tess) {
    TESSmesh* mesh = tess->mesh;
    TESShalfEdge* eHead = &mesh->eHead;
    auto samePair = [](TESShalfEdge* a, TESShalfEdge* b) { return a == b || a == b->Sym; };

    TESShalfEdge* eNext;
    for (TESShalfEdge* e = eHead->next; e != eHead; e = eNext) {
        eNext = e->next;
        TESShalfEdge* eLnext = e->Lnext;

        if (tesvertEq(e->Org, e->Dst) && e->Lnext->Lnext != e) {
            // A zero-length edge: merge its ends and drop it.
            check(tess, tessMeshSplice(mesh, eLnext, e));
            check(tess, tessMeshDelete(mesh, e));
            e = eLnext;
            eLnext = e->Lnext;
        }
        if (eLnext->Lnext == e) {
            // A contour of one or two edges encloses nothing.
            if (eLnext != e) {
                if (samePair(eLnext, eNext)) eNext = eNext->next;
                check(tess, tessMeshDelete(mesh, eLnext));
            }
            if (samePair(e, eNext)) eNext = eNext->next;
            check(tess, tessMeshDelete(mesh, e));
        }
    }
}

void initPriorityQ(TESStesselator* tess) {
    TESSmesh* mesh = tess->mesh;
    TESSvertex* vHead = &mesh->vHead;
    const int count = mesh->vertexCount;

    tess->queuedVertexCount = count;
    const int size = count + std::max(8, tess->alloc.extraVertices);
    if (tess->sparePq) {
        tess->pq = tess->sparePq;
        tess->sparePq = nullptr;
        if (!pqReset(&tess->alloc, tess->pq, size)) {
            pqDeletePriorityQ(&tess->alloc, tess->pq);
            tess->pq = nullptr;
        }
    } else {
        tess->pq = pqNewPriorityQ(&tess->alloc, size, tesvertLeq);
    }
    if (!tess->pq) tessFail(tess);

    bool ok = true;
    for (TESSvertex* v = vHead->next; v != vHead && ok; v = v->next) {
        v->pqHandle = pqInsert(&tess->alloc, tess->pq, v);
        ok = v->pqHandle != INV_HANDLE;
    }
    if (!ok || !pqInit(&tess->alloc, tess->pq)) {
        pqDeletePriorityQ(&tess->alloc, tess->pq);
        tess->pq = nullptr;
        tessFail(tess);
    }
}

void removeDegenerateFaces(TESStesselator* tess) {
    TESSmesh* mesh = tess->mesh;
    TESSface* fNext;
    for (TESSface* f = mesh->fHead.next; f != &mesh->fHead; f = fNext) {
        fNext = f->next;
        TESShalfEdge* e = f->anEdge;
        if (e->Lnext->Lnext == e) {
            // A face of two edges: fold it into one edge.
            addWinding(e->Onext, e);
            check(tess, tessMeshDelete(mesh, e));
        }
    }
}

} // namespace

void tessComputeInterior(TESStesselator* tess) {
    removeDegenerateEdges(tess);
    initPriorityQ(tess);
    // The sweep splits faces off, and joins them to, loops that run round
    // the whole unswept outline. Without the index's memory it just walks.
    if (tess->queuedVertexCount >= tess->indexMinVertices) tessMeshBeginLoopIndex(tess->mesh);
    initEdgeDict(tess);

    TESSvertex* v;
    while ((v = pqExtractMin(tess->pq)) != nullptr) {
        for (;;) {
            TESSvertex* vNext = pqMinimum(tess->pq);
            if (!vNext || !tesvertEq(vNext, v)) break;
            // Coincident vertices merge before their event; the first survives.
            vNext = pqExtractMin(tess->pq);
            check(tess, tessMeshSplice(tess->mesh, v->anEdge, vNext->anEdge));
        }
        sweepEvent(tess, v);
    }

    doneEdgeDict(tess);
    const PriorityQ* pq = tess->pq;
    if (pq->keysCapacity <= (int)TESS_SPARE_MAX_ITEMS && pq->heap->capacity <= (int)TESS_SPARE_MAX_ITEMS)
        tess->sparePq = tess->pq;
    else pqDeletePriorityQ(&tess->alloc, tess->pq);
    tess->pq = nullptr;

    removeDegenerateFaces(tess);
    tessMeshEndLoopIndex(tess->mesh);
}
