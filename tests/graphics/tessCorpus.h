#pragma once

// A fixed, seeded corpus of shapes for comparing tessellator output between
// versions: game shapes, random outlines, self-crossing rings, holes, and
// collinear and repeated points. Built with + - * / only, so every float is
// the same on every IEEE machine.

#include <cstdint>
#include <string>
#include <vector>

namespace tesscorpus {

struct Shape {
    std::vector<std::vector<float>> contours; // x, y, z per point
};

struct Category {
    std::string name;
    std::vector<Shape> shapes;
};

struct Rng {
    uint32_t state;
    uint32_t next() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
    int below(int n) { return (int)(next() % (uint32_t)n); }
    // A multiple of 1/step in [lo, hi).
    float grid(int lo, int hi, int step) { return (float)(lo * step + below((hi - lo) * step)) / (float)step; }
};

const double kPi = 3.14159265358979323846;

// Series for cos and sin of an angle in [-2 pi, 2 pi]; plain arithmetic, so
// the same bits everywhere (accuracy beyond a few digits does not matter).
inline void cosSin(double a, double* c, double* s) {
    double term = 1, cosSum = 0, sinSum = 0;
    for (int k = 0; k < 40; ++k) {
        (k % 2 ? sinSum : cosSum) += k % 4 < 2 ? term : -term;
        term = term * a / (k + 1);
    }
    *c = cosSum;
    *s = sinSum;
}

inline void addPoint(std::vector<float>& c, double x, double y) { c.insert(c.end(), {(float)x, (float)y, 0.0f}); }

// A ring of n points with radius r0 on even and r1 on odd corners.
inline std::vector<float> star(int n, double cx, double cy, double r0, double r1, double turn, bool clockwise) {
    std::vector<float> c;
    for (int k = 0; k < n; ++k) {
        const int i = clockwise ? n - 1 - k : k;
        double co, si;
        cosSin(2 * kPi * i / n + turn, &co, &si);
        const double r = (i % 2) ? r1 : r0;
        addPoint(c, cx + r * co, cy + r * si);
    }
    return c;
}

inline std::vector<Category> build() {
    std::vector<Category> out;
    Rng rng{20261206u};

    Category game{"game shapes", {}};
    for (int i = 0; i < 1000; ++i) {
        const int n = 3 + rng.below(38);
        const double r0 = 5 + rng.grid(0, 40, 4);
        const double r1 = rng.below(4) == 0 ? r0 : 3 + rng.grid(0, 40, 4);
        Shape s;
        s.contours.push_back(star(n, rng.grid(0, 960, 8), rng.grid(0, 960, 8), r0, r1, rng.grid(0, 6, 16),
                                  rng.below(2) == 0));
        if (rng.below(5) == 0) {
            // A cockpit or engine inside the hull.
            s.contours.push_back(
                star(3 + rng.below(6), s.contours[0][0] - (float)r0 / 2, s.contours[0][1], 2, 2, 0, rng.below(2) == 0));
        }
        game.shapes.push_back(s);
    }
    out.push_back(game);

    Category random{"random outlines", {}};
    for (int i = 0; i < 800; ++i) {
        Shape s;
        const int contours = 1 + rng.below(3);
        for (int k = 0; k < contours; ++k) {
            std::vector<float> c;
            const int n = 3 + rng.below(18);
            const int step = 1 << rng.below(4);
            for (int p = 0; p < n; ++p) addPoint(c, rng.grid(0, 100, step), rng.grid(0, 100, step));
            s.contours.push_back(c);
        }
        random.shapes.push_back(s);
    }
    out.push_back(random);

    Category rings{"self-crossing rings", {}};
    for (int i = 0; i < 400; ++i) {
        Shape s;
        std::vector<float> c;
        const double cx = rng.grid(100, 800, 4), cy = rng.grid(100, 800, 4), r = 20 + rng.grid(0, 200, 2);
        if (i % 2 == 0) {
            // A star polygon: n points joined every k-th.
            const int n = 5 + rng.below(20);
            const int k = 2 + rng.below(n / 2 - 1);
            for (int p = 0; p < n; ++p) {
                double co, si;
                cosSin(2 * kPi * ((p * k) % n) / n, &co, &si);
                addPoint(c, cx + r * co, cy + r * si);
            }
        } else {
            // Two waving passes round a ring, crossing each other.
            const int half = 8 + rng.below(28);
            const int waves = 1 + rng.below(6);
            for (int p = 0; p < 2 * half; ++p) {
                double co, si, wc, ws;
                cosSin(2 * kPi * (p % half) / half, &co, &si);
                cosSin(2 * kPi * ((waves * (p % half)) % half) / half, &wc, &ws);
                const double rr = r + (p < half ? 10 : -10) * ws;
                addPoint(c, cx + rr * co, cy + rr * si);
            }
        }
        s.contours.push_back(c);
        rings.shapes.push_back(s);
    }
    out.push_back(rings);

    Category holes{"holes", {}};
    for (int i = 0; i < 400; ++i) {
        Shape s;
        const double cx = rng.grid(200, 700, 2), cy = rng.grid(200, 700, 2), r = 60 + rng.grid(0, 100, 2);
        s.contours.push_back(star(4 + rng.below(20), cx, cy, r, r, rng.grid(0, 6, 8), rng.below(2) == 0));
        const int inner = 1 + rng.below(3);
        for (int k = 0; k < inner; ++k) {
            const double hr = 5 + rng.grid(0, 40, 2);
            s.contours.push_back(star(3 + rng.below(10), cx + rng.grid(-30, 30, 2), cy + rng.grid(-30, 30, 2), hr,
                                      hr * 0.6, 0, rng.below(2) == 0));
        }
        holes.shapes.push_back(s);
    }
    out.push_back(holes);

    Category degenerate{"collinear and repeated points", {}};
    for (int i = 0; i < 400; ++i) {
        Shape s;
        const int contours = 1 + rng.below(3);
        for (int k = 0; k < contours; ++k) {
            std::vector<float> c;
            const int n = 1 + rng.below(14);
            const int kind = rng.below(4);
            for (int p = 0; p < n; ++p) {
                double x = rng.below(8), y = rng.below(8);
                if (kind == 1) y = 3;               // on a horizontal line
                if (kind == 2) y = x;               // on a diagonal
                if (kind == 3 && p > 0 && rng.below(2) == 0) {
                    x = c[c.size() - 3];            // the previous point again
                    y = c[c.size() - 2];
                }
                addPoint(c, x, y);
            }
            s.contours.push_back(c);
        }
        degenerate.shapes.push_back(s);
    }
    out.push_back(degenerate);
    return out;
}

} // namespace tesscorpus
