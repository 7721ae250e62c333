#pragma once

// Polygon tessellation: closed contours in, triangles (or convex polygons, or
// the boundary contours of the filled area) out, under a winding rule. All
// memory flows through the caller's allocator record.

#include <cstddef>

typedef float TESSreal;
typedef int TESSindex;

#define TESS_UNDEF (~(TESSindex)0)

enum TessWindingRule {
    TESS_WINDING_ODD = 0,
    TESS_WINDING_NONZERO = 1,
    TESS_WINDING_POSITIVE = 2,
    TESS_WINDING_NEGATIVE = 3,
    TESS_WINDING_ABS_GEQ_TWO = 4
};

enum TessElementType {
    TESS_POLYGONS = 0,
    TESS_CONNECTED_POLYGONS = 1,
    TESS_BOUNDARY_CONTOURS = 2
};

struct TESSalloc {
    void* (*memalloc)(void* userData, size_t size);
    // May be null; the event queue then cannot grow.
    void* (*memrealloc)(void* userData, void* ptr, size_t size);
    void (*memfree)(void* userData, void* ptr);
    void* userData;
    int meshEdgeBucketSize;   // 0 selects 512
    int meshVertexBucketSize; // 0 selects 512
    int meshFaceBucketSize;   // 0 selects 256
    int dictNodeBucketSize;   // 0 selects 512
    int regionBucketSize;     // not used: regions live in the dictionary's nodes
    int extraVertices;        // extra event-queue slots; at least 8 are given
};

typedef struct TESStesselator TESStesselator;

// Null alloc selects malloc, realloc and free. Returns null when the object
// cannot be allocated.
TESStesselator* tessNewTess(const TESSalloc* alloc);
void tessDeleteTess(TESStesselator* tess);

// size: 2 or 3 floats per vertex; stride in bytes between vertices.
void tessAddContour(TESStesselator* tess, int size, const void* vertices, int stride, int numVertices);

// Consumes the contours added since the previous call. Returns 1 on success,
// 0 on failure (no contours, out of memory, unusable input); a failed run
// leaves an empty result and the object ready for the next shape.
int tessTesselate(TESStesselator* tess, int windingRule, int elementType, int polySize, int vertexSize,
                  const TESSreal* normal);

int tessGetVertexCount(TESStesselator* tess);
const TESSreal* tessGetVertices(TESStesselator* tess);
int tessGetElementCount(TESStesselator* tess);
const TESSindex* tessGetElements(TESStesselator* tess);
