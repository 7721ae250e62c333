#pragma once

// Shared helpers for the tessellator tests: a counting allocator that can be
// told to fail, and a runner that copies a result out.

#include <cmath>
#include <cstdlib>
#include <vector>

#include "tess/tesselator.h"

struct CountingAllocator {
    long allocations = 0;   // successful memalloc and memrealloc(null, ...) calls
    long frees = 0;
    long requests = 0;      // every memalloc and memrealloc call
    long failAt = -1;       // the request number (1-based) that fails; -1 never
    bool failAfter = false; // every request from failAt on fails too

    bool fails() {
        ++requests;
        return failAt >= 0 && (requests == failAt || (failAfter && requests > failAt));
    }
    static void* alloc(void* user, size_t size) { return realloc(user, nullptr, size); }
    static void* realloc(void* user, void* p, size_t size) {
        CountingAllocator* a = static_cast<CountingAllocator*>(user);
        if (a->fails()) return nullptr;
        if (!p) ++a->allocations;
        return std::realloc(p, size);
    }
    static void free(void* user, void* p) {
        if (p) ++static_cast<CountingAllocator*>(user)->frees;
        std::free(p);
    }
    long live() const { return allocations - frees; }
    TESSalloc record(int bucket = 0) { return {alloc, realloc, free, this, bucket, bucket, bucket, bucket, bucket, 0}; }
};

typedef std::vector<float> Contour; // x, y pairs

struct TessResult {
    int ok = 0;
    int vertexCount = 0;
    int elementCount = 0;
    std::vector<float> vertices; // x, y per vertex
    std::vector<int> elements;
};

inline TessResult runTess(TESStesselator* tess, const std::vector<Contour>& contours, int rule,
                          int elementType = TESS_POLYGONS, int polySize = 3) {
    for (const Contour& c : contours) tessAddContour(tess, 2, c.data(), 2 * sizeof(float), (int)c.size() / 2);
    TessResult r;
    r.ok = tessTesselate(tess, rule, elementType, polySize, 2, nullptr);
    r.vertexCount = tessGetVertexCount(tess);
    r.elementCount = tessGetElementCount(tess);
    if (const float* v = tessGetVertices(tess)) r.vertices.assign(v, v + r.vertexCount * 2);
    const int per = elementType == TESS_BOUNDARY_CONTOURS ? 2
                    : elementType == TESS_CONNECTED_POLYGONS ? polySize * 2 : polySize;
    if (const int* e = tessGetElements(tess)) r.elements.assign(e, e + r.elementCount * per);
    return r;
}

// Sum of the signed areas (counter-clockwise positive) of the polygons of
// polySize corners, or of the boundary contours.
inline double signedArea(const TessResult& r, int polySize = 3, bool contours = false) {
    double total = 0;
    for (int i = 0; i < r.elementCount; ++i) {
        const int first = contours ? r.elements[i * 2] : 0;
        const int* poly = &r.elements[i * polySize];
        int n = contours ? r.elements[i * 2 + 1] : 0;
        while (!contours && n < polySize && poly[n] != TESS_UNDEF) ++n;
        for (int k = 0; k < n; ++k) {
            const int a = contours ? first + k : poly[k], b = contours ? first + (k + 1) % n : poly[(k + 1) % n];
            total += 0.5 * ((double)r.vertices[a * 2] * r.vertices[b * 2 + 1] -
                            (double)r.vertices[b * 2] * r.vertices[a * 2 + 1]);
        }
    }
    return total;
}

inline Contour square(float x, float y, float size) { return {x, y, x + size, y, x + size, y + size, x, y + size}; }

// n points on a circle of radius r joined every step-th point.
inline Contour star(int n, int step, float r) {
    Contour c;
    for (int k = 0; k < n; ++k) {
        const double a = k * step * 2 * M_PI / n;
        c.push_back((float)(r * std::cos(a)));
        c.push_back((float)(r * std::sin(a)));
    }
    return c;
}

inline Contour pentagram(float r) { return star(5, 2, r); }

// n points round (480, 480), in passes turns, at the radius r gives for
// point k at angle a.
inline Contour ring(int n, int passes, double (*r)(int k, int n, double a)) {
    Contour c;
    for (int k = 0; k < n; ++k) {
        const double a = 2 * M_PI * (k % (n / passes)) / (n / passes);
        c.push_back((float)(480 + r(k, n, a) * std::cos(a)));
        c.push_back((float)(480 + r(k, n, a) * std::sin(a)));
    }
    return c;
}

// Two waving passes round a ring: many edges meet one sweep line.
inline Contour wavyRing(int n) {
    return ring(n, 2, [](int k, int n, double a) { return 400 + 10 * (k < n / 2 ? 1 : -1) * std::sin((n / 8) * a); });
}

// A star of alternating radii, no crossings.
inline Contour spikes(int n) {
    return ring(n, 1, [](int k, int, double) { return k % 2 ? 20.0 : 35.0; });
}
