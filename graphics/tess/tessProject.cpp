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

bool finite3(const TESSreal* c) { return isFinite(c[0]) && isFinite(c[1]) && isFinite(c[2]); }

// Fails the run on coordinates that are not finite, while it looks for the
// extreme vertices.
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
    // c * 0 is zero for every finite c and NaN otherwise.
    TESSreal nonFinite = 0;
    auto extend = [&](TESSvertex* v, int i) {
        const TESSreal c = v->coords[i];
        nonFinite += c * 0;
        if (c < minVal[i]) {
            minVal[i] = c;
            minVert[i] = v;
        }
        if (c > maxVal[i]) {
            maxVal[i] = c;
            maxVert[i] = v;
        }
    };
    for (TESSvertex* v = vHead->next; v != vHead; v = v->next) {
        extend(v, 0);
        extend(v, 1);
        extend(v, 2);
    }
    if (nonFinite != 0) tessFail(tess);

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
    for (int k = 0; k < 3; ++k) d1[k] = v1->coords[k] - v2->coords[k];
    TESSreal maxLen2 = 0;
    if (exponent == 0 && minVal[2] == maxVal[2] && isFinite(maxVal[0] - minVal[0]) &&
        isFinite(maxVal[1] - minVal[1])) {
        // Flat in z: the cross products lie along z; their other components
        // are zeros, which add nothing to the squared length.
        TESSvertex* best = nullptr;
        for (TESSvertex* v = vHead->next; v != vHead; v = v->next) {
            const TESSreal z = d1[0] * (v->coords[1] - v2->coords[1]) - d1[1] * (v->coords[0] - v2->coords[0]);
            if (z * z > maxLen2) {
                maxLen2 = z * z;
                norm[2] = z;
                best = v;
            }
        }
        if (best) norm[0] = norm[1] = 0;
    } else {
        if (exponent != 0)
            for (int k = 0; k < 3; ++k) d1[k] = std::ldexp(d1[k], -exponent);
        for (TESSvertex* v = vHead->next; v != vHead; v = v->next) {
            for (int k = 0; k < 3; ++k) d2[k] = v->coords[k] - v2->coords[k];
            if (exponent != 0)
                for (int k = 0; k < 3; ++k) d2[k] = std::ldexp(d2[k], -exponent);
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
        const TESSreal lowest = tess->bmin[1];
        tess->bmin[1] = -tess->bmax[1];
        tess->bmax[1] = -lowest;
    }
}

// The sweep's products of coordinate differences must not underflow: a
// shape that small is scaled up by a power of two, which changes no rounding
// and so no decision of the sweep, and leaves the output coordinates alone.
void scaleTinyShape(TESStesselator* tess) {
    const TESSreal largest = std::max({absf(tess->bmin[0]), absf(tess->bmax[0]), absf(tess->bmin[1]),
                                       absf(tess->bmax[1])});
    if (largest == 0 || largest >= TESS_TINY_SHAPE) return;
    int exponent;
    std::frexp(largest, &exponent);
    TESSvertex* vHead = &tess->mesh->vHead;
    for (TESSvertex* v = vHead->next; v != vHead; v = v->next) {
        v->s = std::ldexp(v->s, -exponent);
        v->t = std::ldexp(v->t, -exponent);
    }
    for (int k = 0; k < 2; ++k) {
        tess->bmin[k] = std::ldexp(tess->bmin[k], -exponent);
        tess->bmax[k] = std::ldexp(tess->bmax[k], -exponent);
    }
}

} // namespace

void tessProjectPolygon(TESStesselator* tess) {
    TESSmesh* mesh = tess->mesh;
    TESSvertex* vHead = &mesh->vHead;

    // Coordinates that are not finite have no place in the plane.
    TESSreal norm[3] = {tess->normal[0], tess->normal[1], tess->normal[2]};
    const bool computedNormal = norm[0] == 0 && norm[1] == 0 && norm[2] == 0;
    if (computedNormal) {
        if (vHead->next != vHead) computeNormal(tess, norm);
        else norm[2] = 1;
    } else {
        for (TESSvertex* v = vHead->next; v != vHead; v = v->next)
            if (!finite3(v->coords)) tessFail(tess);
    }

    const int i = longAxis(norm);
    tess->sUnit[i] = 0;
    tess->sUnit[(i + 1) % 3] = 1;
    tess->sUnit[(i + 2) % 3] = 0;
    tess->tUnit[i] = 0;
    tess->tUnit[(i + 1) % 3] = norm[i] > 0 ? -0.0f : 0.0f;
    tess->tUnit[(i + 2) % 3] = norm[i] > 0 ? 1.0f : -1.0f;

    // Project, and take the bounds on the way; in locals, which the stores
    // to the vertices cannot alias.
    const TESSreal su0 = tess->sUnit[0], su1 = tess->sUnit[1], su2 = tess->sUnit[2];
    const TESSreal tu0 = tess->tUnit[0], tu1 = tess->tUnit[1], tu2 = tess->tUnit[2];
    TESSreal smin = 0, smax = 0, tmin = 0, tmax = 0;
    TESSvertex* v = vHead->next;
    if (v != vHead) {
        smin = smax = v->s = v->coords[0] * su0 + v->coords[1] * su1 + v->coords[2] * su2;
        tmin = tmax = v->t = v->coords[0] * tu0 + v->coords[1] * tu1 + v->coords[2] * tu2;
        for (v = v->next; v != vHead; v = v->next) {
            const TESSreal s = v->coords[0] * su0 + v->coords[1] * su1 + v->coords[2] * su2;
            const TESSreal t = v->coords[0] * tu0 + v->coords[1] * tu1 + v->coords[2] * tu2;
            v->s = s;
            v->t = t;
            if (s < smin) smin = s;
            if (s > smax) smax = s;
            if (t < tmin) tmin = t;
            if (t > tmax) tmax = t;
        }
    }
    tess->bmin[0] = smin;
    tess->bmax[0] = smax;
    tess->bmin[1] = tmin;
    tess->bmax[1] = tmax;
    scaleTinyShape(tess);
    if (computedNormal) checkOrientation(tess);
}
