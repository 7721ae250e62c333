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

// For u <= v <= w: the signed t-distance of v above the edge uw at v.s.
TESSreal tesedgeEval(const TESSvertex* u, const TESSvertex* v, const TESSvertex* w);
// Same sign as tesedgeEval, cheaper.
TESSreal tesedgeSign(const TESSvertex* u, const TESSvertex* v, const TESSvertex* w);
// The two above with s and t exchanged.
TESSreal testransEval(const TESSvertex* u, const TESSvertex* v, const TESSvertex* w);
TESSreal testransSign(const TESSvertex* u, const TESSvertex* v, const TESSvertex* w);
// Counter-clockwise or collinear.
bool tesvertCCW(const TESSvertex* u, const TESSvertex* v, const TESSvertex* w);
// Sets v's s and t to the crossing of o1-d1 and o2-d2.
void tesedgeIntersect(const TESSvertex* o1, const TESSvertex* d1, const TESSvertex* o2, const TESSvertex* d2,
                      TESSvertex* v);
