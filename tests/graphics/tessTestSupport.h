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

    bool shouldFail() {
        ++requests;
        return failAt >= 0 && (requests == failAt || (failAfter && requests > failAt));
    }
    static void* alloc(void* user, size_t size) {
        CountingAllocator* a = (CountingAllocator*)user;
        if (a->shouldFail()) return nullptr;
        ++a->allocations;
        return std::malloc(size);
    }
    static void* realloc(void* user, void* p, size_t size) {
        CountingAllocator* a = (CountingAllocator*)user;
        if (a->shouldFail()) return nullptr;
        if (!p) ++a->allocations;
        return std::realloc(p, size);
    }
    static void free(void* user, void* p) {
        CountingAllocator* a = (CountingAllocator*)user;
        if (!p) return;
        ++a->frees;
        std::free(p);
    }
    long live() const { return allocations - frees; }

    TESSalloc record(int bucketSize = 0) {
        TESSalloc r = {alloc, realloc, free, this, bucketSize, bucketSize, bucketSize, bucketSize, bucketSize, 0};
        return r;
    }
};

typedef std::vector<float> Contour; // x, y pairs

struct TessResult {
    int ok = 0;
    std::vector<float> vertices; // x, y per vertex
    std::vector<int> elements;
    int vertexCount = 0;
    int elementCount = 0;
};

inline TessResult copyResult(TESStesselator* tess, int ok, int elementType, int polySize) {
    TessResult r;
    r.ok = ok;
    r.vertexCount = tessGetVertexCount(tess);
    r.elementCount = tessGetElementCount(tess);
    if (tessGetVertices(tess)) r.vertices.assign(tessGetVertices(tess), tessGetVertices(tess) + r.vertexCount * 2);
    const int perElement = elementType == TESS_BOUNDARY_CONTOURS ? 2
                           : elementType == TESS_CONNECTED_POLYGONS ? polySize * 2
                                                                    : polySize;
    if (tessGetElements(tess))
        r.elements.assign(tessGetElements(tess), tessGetElements(tess) + r.elementCount * perElement);
    return r;
}

inline TessResult runTess(TESStesselator* tess, const std::vector<Contour>& contours, int rule,
                          int elementType = TESS_POLYGONS, int polySize = 3) {
    for (const Contour& c : contours) {
        tessAddContour(tess, 2, c.data(), 2 * sizeof(float), (int)c.size() / 2);
    }
    int ok = tessTesselate(tess, rule, elementType, polySize, 2, nullptr);
    return copyResult(tess, ok, elementType, polySize);
}

// Sum of the triangles' signed areas (counter-clockwise positive).
inline double signedTriangleArea(const TessResult& r) {
    double total = 0;
    for (int i = 0; i < r.elementCount; ++i) {
        const int* t = &r.elements[i * 3];
        double x0 = r.vertices[t[0] * 2], y0 = r.vertices[t[0] * 2 + 1];
        double x1 = r.vertices[t[1] * 2], y1 = r.vertices[t[1] * 2 + 1];
        double x2 = r.vertices[t[2] * 2], y2 = r.vertices[t[2] * 2 + 1];
        total += 0.5 * ((x1 - x0) * (y2 - y0) - (x2 - x0) * (y1 - y0));
    }
    return total;
}

// Signed shoelace area of output contour i (boundary output).
inline double contourArea(const TessResult& r, int i) {
    const int first = r.elements[i * 2];
    const int count = r.elements[i * 2 + 1];
    double a = 0;
    for (int k = 0; k < count; ++k) {
        int j = first + k;
        int n = first + (k + 1) % count;
        a += r.vertices[j * 2] * r.vertices[n * 2 + 1] - r.vertices[n * 2] * r.vertices[j * 2 + 1];
    }
    return a / 2;
}

inline Contour square(float x, float y, float size, bool ccw = true) {
    if (ccw) return {x, y, x + size, y, x + size, y + size, x, y + size};
    return {x, y, x, y + size, x + size, y + size, x + size, y};
}

// Five points on a circle joined every second point.
inline Contour pentagram(float r) {
    Contour c;
    for (int k = 0; k < 5; ++k) {
        double a = M_PI / 2 + k * 2 * (2 * M_PI / 5);
        c.push_back((float)(r * std::cos(a)));
        c.push_back((float)(r * std::sin(a)));
    }
    return c;
}
