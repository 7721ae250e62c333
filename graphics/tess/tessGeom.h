#pragma once

#include "tessMesh.h"

// Exact predicates and constructions on the projected (s, t) positions.

inline bool tesvertEq(const TESSvertex* u, const TESSvertex* v) { return u->s == v->s && u->t == v->t; }
inline bool tesvertLeq(const TESSvertex* u, const TESSvertex* v) {
    return u->s < v->s || (u->s == v->s && u->t <= v->t);
}
inline bool tesTransLeq(const TESSvertex* u, const TESSvertex* v) {
    return u->t < v->t || (u->t == v->t && u->s <= v->s);
}
inline bool tesEdgeGoesLeft(const TESShalfEdge* e) { return tesvertLeq(e->Dst, e->Org); }
inline bool tesEdgeGoesRight(const TESShalfEdge* e) { return tesvertLeq(e->Org, e->Dst); }

// The predicates are inline: the sweep calls them more than anything else.

// For u <= v <= w: the signed t-distance of v above the edge uw at v.s.
inline TESSreal tesedgeEval(const TESSvertex* u, const TESSvertex* v, const TESSvertex* w) {
    const TESSreal gapL = v->s - u->s;
    const TESSreal gapR = w->s - v->s;
    if (gapL + gapR > 0) {
        if (gapL < gapR) return (v->t - u->t) + (u->t - w->t) * (gapL / (gapL + gapR));
        return (v->t - w->t) + (w->t - u->t) * (gapR / (gapL + gapR));
    }
    return 0;
}

// Same sign as tesedgeEval, cheaper.
inline TESSreal tesedgeSign(const TESSvertex* u, const TESSvertex* v, const TESSvertex* w) {
    const TESSreal gapL = v->s - u->s;
    const TESSreal gapR = w->s - v->s;
    if (gapL + gapR > 0) return (v->t - w->t) * gapL + (v->t - u->t) * gapR;
    return 0;
}

// The two above with s and t exchanged.
inline TESSreal testransEval(const TESSvertex* u, const TESSvertex* v, const TESSvertex* w) {
    const TESSreal gapL = v->t - u->t;
    const TESSreal gapR = w->t - v->t;
    if (gapL + gapR > 0) {
        if (gapL < gapR) return (v->s - u->s) + (u->s - w->s) * (gapL / (gapL + gapR));
        return (v->s - w->s) + (w->s - u->s) * (gapR / (gapL + gapR));
    }
    return 0;
}

inline TESSreal testransSign(const TESSvertex* u, const TESSvertex* v, const TESSvertex* w) {
    const TESSreal gapL = v->t - u->t;
    const TESSreal gapR = w->t - v->t;
    if (gapL + gapR > 0) return (v->s - w->s) * gapL + (v->s - u->s) * gapR;
    return 0;
}

// Counter-clockwise or collinear.
inline bool tesvertCCW(const TESSvertex* u, const TESSvertex* v, const TESSvertex* w) {
    return (u->s * (v->t - w->t) + v->s * (w->t - u->t) + w->s * (u->t - v->t)) >= 0;
}

// Sets v's s and t to the crossing of o1-d1 and o2-d2.
void tesedgeIntersect(const TESSvertex* o1, const TESSvertex* d1, const TESSvertex* o2, const TESSvertex* d2,
                      TESSvertex* v);
