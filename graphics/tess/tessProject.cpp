#include <algorithm>
#include <cmath>

#include "tessGeom.h"
#include "tessTesselator.h"

namespace {

// Shapes whose every projected coordinate is smaller than this are scaled.
const TESSreal TESS_TINY_SHAPE = 1.0f / (1 << 20);

inline TESSreal dot(const TESSreal* u, const TESSreal* v) { return u[0] * v[0] + u[1] * v[1] + u[2] * v[2]; }
inline TESSreal absf(TESSreal x) { return x < 0 ? -x : x; }

// The axis of largest absolute component; later axes win only when larger.
int longAxis(const TESSreal* v) {
    int i = 0;
    if (absf(v[1]) > absf(v[0])) i = 1;
    if (absf(v[2]) > absf(v[i])) i = 2;
    return i;
}

bool isFinite(TESSreal x) { return x - x == 0; }

void computeNormal(TESStesselator* tess, TESSreal norm[3]) {
    TESSvertex* vHead = &tess->mesh->vHead;
    TESSreal maxVal[3], minVal[3];
    TESSvertex* minVert[3];
    TESSvertex* maxVert[3];
    TESSvertex* first = vHead->next;
    for (int i = 0; i < 3; ++i) {
        minVal[i] = maxVal[i] = first->coords[i];
        minVert[i] = maxVert[i] = first;
    }
    for (TESSvertex* v = vHead->next; v != vHead; v = v->next) {
        for (int i = 0; i < 3; ++i) {
            if (v->coords[i] < minVal[i]) {
                minVal[i] = v->coords[i];
                minVert[i] = v;
            }
            if (v->coords[i] > maxVal[i]) {
                maxVal[i] = v->coords[i];
                maxVert[i] = v;
            }
        }
    }

    int i = 0;
    if (maxVal[1] - minVal[1] > maxVal[0] - minVal[0]) i = 1;
    if (maxVal[2] - minVal[2] > maxVal[i] - minVal[i]) i = 2;
    if (!(minVal[i] < maxVal[i])) {
        // Every vertex at one place.
        norm[0] = 0;
        norm[1] = 0;
        norm[2] = 1;
        return;
    }

    // The normal of the largest triangle with the two extreme vertices. In a
    // tiny shape the squared lengths would underflow: there the differences
    // are scaled up by a power of two, which keeps every comparison as it is.
    int exponent = 0;
    if (maxVal[i] - minVal[i] < TESS_TINY_SHAPE) std::frexp(maxVal[i] - minVal[i], &exponent);
    TESSvertex* v1 = minVert[i];
    TESSvertex* v2 = maxVert[i];
    TESSreal d1[3], d2[3], tNorm[3];
    for (int k = 0; k < 3; ++k) d1[k] = std::ldexp(v1->coords[k] - v2->coords[k], -exponent);
    TESSreal maxLen2 = 0;
    for (TESSvertex* v = vHead->next; v != vHead; v = v->next) {
        for (int k = 0; k < 3; ++k) d2[k] = std::ldexp(v->coords[k] - v2->coords[k], -exponent);
        tNorm[0] = d1[1] * d2[2] - d1[2] * d2[1];
        tNorm[1] = d1[2] * d2[0] - d1[0] * d2[2];
        tNorm[2] = d1[0] * d2[1] - d1[1] * d2[0];
        TESSreal tLen2 = dot(tNorm, tNorm);
        if (tLen2 > maxLen2) {
            maxLen2 = tLen2;
            norm[0] = tNorm[0];
            norm[1] = tNorm[1];
            norm[2] = tNorm[2];
        }
    }
    if (maxLen2 <= 0) {
        // All on one line: any normal at right angles to it will do.
        norm[0] = norm[1] = norm[2] = 0;
        norm[longAxis(d1)] = 1;
    }
}

// Makes the total signed area of the contours non-negative.
void checkOrientation(TESStesselator* tess) {
    TESSmesh* mesh = tess->mesh;
    TESSreal area = 0;
    for (TESSface* f = mesh->fHead.next; f != &mesh->fHead; f = f->next) {
        TESShalfEdge* e = f->anEdge;
        if (e->winding <= 0) continue;
        do {
            area += (e->Org->s - e->Dst->s) * (e->Org->t + e->Dst->t);
            e = e->Lnext;
        } while (e != f->anEdge);
    }
    if (area < 0) {
        for (TESSvertex* v = mesh->vHead.next; v != &mesh->vHead; v = v->next) v->t = -v->t;
        tess->tUnit[0] = -tess->tUnit[0];
        tess->tUnit[1] = -tess->tUnit[1];
        tess->tUnit[2] = -tess->tUnit[2];
    }
}

// The sweep's products of coordinate differences must not underflow: a
// shape that small is scaled up by a power of two, which changes no rounding
// and so no decision of the sweep, and leaves the output coordinates alone.
void scaleTinyShape(TESStesselator* tess) {
    TESSvertex* vHead = &tess->mesh->vHead;
    TESSreal largest = 0;
    for (TESSvertex* v = vHead->next; v != vHead; v = v->next) largest = std::max({largest, absf(v->s), absf(v->t)});
    if (largest == 0 || largest >= TESS_TINY_SHAPE) return;
    int exponent;
    std::frexp(largest, &exponent);
    for (TESSvertex* v = vHead->next; v != vHead; v = v->next) {
        v->s = std::ldexp(v->s, -exponent);
        v->t = std::ldexp(v->t, -exponent);
    }
}

} // namespace

void tessProjectPolygon(TESStesselator* tess) {
    TESSmesh* mesh = tess->mesh;
    TESSvertex* vHead = &mesh->vHead;

    // Coordinates that are not finite have no place in the plane.
    for (TESSvertex* v = vHead->next; v != vHead; v = v->next) {
        if (!isFinite(v->coords[0]) || !isFinite(v->coords[1]) || !isFinite(v->coords[2])) tessFail(tess);
    }

    TESSreal norm[3] = {tess->normal[0], tess->normal[1], tess->normal[2]};
    bool computedNormal = false;
    if (norm[0] == 0 && norm[1] == 0 && norm[2] == 0) {
        if (vHead->next != vHead) computeNormal(tess, norm);
        else norm[2] = 1;
        computedNormal = true;
    }

    const int i = longAxis(norm);
    tess->sUnit[i] = 0;
    tess->sUnit[(i + 1) % 3] = 1;
    tess->sUnit[(i + 2) % 3] = 0;
    tess->tUnit[i] = 0;
    tess->tUnit[(i + 1) % 3] = norm[i] > 0 ? -0.0f : 0.0f;
    tess->tUnit[(i + 2) % 3] = norm[i] > 0 ? 1.0f : -1.0f;

    for (TESSvertex* v = vHead->next; v != vHead; v = v->next) {
        v->s = dot(v->coords, tess->sUnit);
        v->t = dot(v->coords, tess->tUnit);
    }
    scaleTinyShape(tess);
    if (computedNormal) checkOrientation(tess);

    bool first = true;
    for (TESSvertex* v = vHead->next; v != vHead; v = v->next) {
        if (first) {
            tess->bmin[0] = tess->bmax[0] = v->s;
            tess->bmin[1] = tess->bmax[1] = v->t;
            first = false;
            continue;
        }
        if (v->s < tess->bmin[0]) tess->bmin[0] = v->s;
        if (v->s > tess->bmax[0]) tess->bmax[0] = v->s;
        if (v->t < tess->bmin[1]) tess->bmin[1] = v->t;
        if (v->t > tess->bmax[1]) tess->bmax[1] = v->t;
    }
}
