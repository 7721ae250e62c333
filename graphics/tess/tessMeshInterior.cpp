#include "tessGeom.h"
#include "tessMesh.h"

namespace {

// Triangulates a face that is monotone in s, walking its upper and lower
// chains once from the right end.
int tessellateMonoRegion(TESSmesh* mesh, TESSface* face) {
    TESShalfEdge* up = face->anEdge;
    while (tesvertLeq(up->Dst, up->Org)) up = up->Lprev;
    while (tesvertLeq(up->Org, up->Dst)) up = up->Lnext;
    TESShalfEdge* lo = up->Lprev;

    while (up->Lnext != lo) {
        if (tesvertLeq(up->Dst, lo->Org)) {
            // up->Dst is further left: cut triangles off the lower chain.
            while (lo->Lnext != up &&
                   (tesEdgeGoesLeft(lo->Lnext) || tesedgeSign(lo->Org, lo->Dst, lo->Lnext->Dst) <= 0)) {
                TESShalfEdge* tempHalfEdge = tessMeshCutTriangle(mesh, lo->Lnext, lo);
                if (!tempHalfEdge) return 0;
                lo = tempHalfEdge->Sym;
            }
            lo = lo->Lprev;
        } else {
            while (lo->Lnext != up &&
                   (tesEdgeGoesRight(up->Lprev) || tesedgeSign(up->Dst, up->Org, up->Lprev->Org) >= 0)) {
                TESShalfEdge* tempHalfEdge = tessMeshCutTriangle(mesh, up, up->Lprev);
                if (!tempHalfEdge) return 0;
                up = tempHalfEdge->Sym;
            }
            up = up->Lnext;
        }
    }

    // The rest is a fan from the leftmost vertex.
    while (lo->Lnext->Lnext != up) {
        TESShalfEdge* tempHalfEdge = tessMeshCutTriangle(mesh, lo->Lnext, lo);
        if (!tempHalfEdge) return 0;
        lo = tempHalfEdge->Sym;
    }
    return 1;
}

int countFaceVerts(TESSface* f) {
    TESShalfEdge* eCur = f->anEdge;
    int n = 0;
    do {
        ++n;
        eCur = eCur->Lnext;
    } while (eCur != f->anEdge);
    return n;
}

} // namespace

int tessMeshTessellateInterior(TESSmesh* mesh) {
    TESSface* next;
    for (TESSface* f = mesh->fHead.next; f != &mesh->fHead; f = next) {
        // New faces go before f, so they are not visited again.
        next = f->next;
        if (f->inside && !tessellateMonoRegion(mesh, f)) return 0;
    }
    return 1;
}

int tessMeshSetWindingNumber(TESSmesh* mesh, int value, bool keepOnlyBoundary) {
    TESShalfEdge* eNext;
    for (TESShalfEdge* e = mesh->eHead.next; e != &mesh->eHead; e = eNext) {
        eNext = e->next;
        const bool leftInside = tessMeshLface(mesh, e)->inside;
        if (tessMeshLface(mesh, e->Sym)->inside != leftInside) {
            e->winding = leftInside ? value : -value;
        } else if (!keepOnlyBoundary) {
            e->winding = 0;
        } else if (!tessMeshDelete(mesh, e)) {
            return 0;
        }
    }
    return 1;
}

int tessMeshMergeConvexFaces(TESSmesh* mesh, int maxVerts) {
    for (TESSface* f = mesh->fHead.next; f != &mesh->fHead; f = f->next) {
        if (!f->inside) continue;
        TESShalfEdge* eCur = f->anEdge;
        TESSvertex* vStart = eCur->Org;
        for (;;) {
            TESShalfEdge* eNext = eCur->Lnext;
            TESShalfEdge* eSym = eCur->Sym;
            bool merged = false;
            // An edge with f on both sides joins nothing: deleting it would
            // cut f apart and leave eNext on the deleted edge.
            if (eSym->Lface && eSym->Lface != f && eSym->Lface->inside) {
                const int curNv = countFaceVerts(f);
                const int symNv = countFaceVerts(eSym->Lface);
                if (curNv + symNv - 2 <= maxVerts &&
                    tesvertCCW(eCur->Lprev->Org, eCur->Org, eSym->Lnext->Lnext->Org) &&
                    tesvertCCW(eSym->Lprev->Org, eSym->Org, eCur->Lnext->Lnext->Org)) {
                    eNext = eSym->Lnext;
                    if (!tessMeshDelete(mesh, eSym)) return 0;
                    merged = true;
                }
            }
            if (!merged && eCur->Lnext->Org == vStart) break;
            eCur = eNext;
        }
    }
    return 1;
}
