#include "tessGeom.h"

#include <utility>

namespace {

// A value between x and y, nearer x the smaller a is against b.
TESSreal interpolate(TESSreal a, TESSreal x, TESSreal b, TESSreal y) {
    if (a < 0) a = 0;
    if (b < 0) b = 0;
    if (a <= b) {
        if (b == 0) return (x + y) / 2;
        return x + (y - x) * (a / (a + b));
    }
    return y + (x - y) * (b / (a + b));
}

} // namespace

void tesedgeIntersect(const TESSvertex* o1, const TESSvertex* d1, const TESSvertex* o2, const TESSvertex* d2,
                      TESSvertex* v) {
    const TESSvertex* const in[4] = {o1, d1, o2, d2};

    // s: order the ends so that o1 <= d1, o2 <= d2 and o1 <= o2.
    if (!tesvertLeq(o1, d1)) std::swap(o1, d1);
    if (!tesvertLeq(o2, d2)) std::swap(o2, d2);
    if (!tesvertLeq(o1, o2)) {
        std::swap(o1, o2);
        std::swap(d1, d2);
    }
    if (!tesvertLeq(o2, d1)) {
        v->s = (o2->s + d1->s) / 2;
    } else if (tesvertLeq(d1, d2)) {
        TESSreal z1 = tesedgeEval(o1, o2, d1);
        TESSreal z2 = tesedgeEval(o2, d1, d2);
        if (z1 + z2 < 0) {
            z1 = -z1;
            z2 = -z2;
        }
        v->s = interpolate(z1, o2->s, z2, d1->s);
    } else {
        TESSreal z1 = tesedgeSign(o1, o2, d1);
        TESSreal z2 = -tesedgeSign(o1, d2, d1);
        if (z1 + z2 < 0) {
            z1 = -z1;
            z2 = -z2;
        }
        v->s = interpolate(z1, o2->s, z2, d2->s);
    }

    // t: the same on the transposed order, from the original ends.
    o1 = in[0];
    d1 = in[1];
    o2 = in[2];
    d2 = in[3];
    if (!tesTransLeq(o1, d1)) std::swap(o1, d1);
    if (!tesTransLeq(o2, d2)) std::swap(o2, d2);
    if (!tesTransLeq(o1, o2)) {
        std::swap(o1, o2);
        std::swap(d1, d2);
    }
    if (!tesTransLeq(o2, d1)) {
        v->t = (o2->t + d1->t) / 2;
    } else if (tesTransLeq(d1, d2)) {
        TESSreal z1 = testransEval(o1, o2, d1);
        TESSreal z2 = testransEval(o2, d1, d2);
        if (z1 + z2 < 0) {
            z1 = -z1;
            z2 = -z2;
        }
        v->t = interpolate(z1, o2->t, z2, d1->t);
    } else {
        TESSreal z1 = testransSign(o1, o2, d1);
        TESSreal z2 = -testransSign(o1, d2, d1);
        if (z1 + z2 < 0) {
            z1 = -z1;
            z2 = -z2;
        }
        v->t = interpolate(z1, o2->t, z2, d2->t);
    }
}
