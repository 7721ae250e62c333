#pragma once

#include <csetjmp>

#include "dict.h"
#include "priorityQ.h"
#include "tessMesh.h"
#include "tesselator.h"

// Below this many vertices a short walk is cheaper than keeping an index.
const int TESS_INDEX_MIN_VERTICES = 512;
// Storage kept between runs is bounded: a pool, the queue or a result array
// larger than this many items is released after its run instead.
const size_t TESS_SPARE_MAX_ITEMS = 1024;

struct TESStesselator {
    TESSmesh* mesh;   // pending contours; null when none were added since the last run
    int outOfMemory;  // an allocation failed outside the protected part of the run

    TESSreal normal[3]; // (0, 0, 0): computed per run
    TESSreal sUnit[3];
    TESSreal tUnit[3];
    TESSreal bmin[2];
    TESSreal bmax[2];

    int windingRule;

    Dict* dict;
    PriorityQ* pq;
    TESSvertex* event;

    TESSindex vertexIndexCounter;

    TESSreal* vertices;
    TESSindex* vertexIndices; // input number per output vertex, TESS_UNDEF at crossings
    int vertexCount;
    TESSindex* elements;
    int elementCount;

    TESSalloc alloc;

    // Storage of earlier runs kept for the next one, each emptied and reset
    // before use, so a shape a frame stops asking for memory. Owned by the
    // object; released with it, or when a run fails.
    TESSmesh* spareMesh = nullptr;
    Dict* spareDict = nullptr;
    PriorityQ* sparePq = nullptr;
    // The memory behind the result arrays (which are null while there is no
    // result), and its size in bytes.
    void* vertexArray = nullptr;
    void* vertexIndexArray = nullptr;
    void* elementArray = nullptr;
    size_t verticesRoom = 0;
    size_t vertexIndicesRoom = 0;
    size_t elementsRoom = 0;

    // Sweeps of at least this many vertices keep the mesh's loop index and
    // an indexed edge dictionary.
    int indexMinVertices;
    int queuedVertexCount;  // vertices of the last sweep's initial queue
    size_t meshWalkSteps;   // the last run's TESSmesh::walkSteps
    size_t dictOrderChecks; // the last run's Dict::orderChecks

    jmp_buf env;
};

// Leaves the running call through the error exit.
[[noreturn]] void tessFail(TESStesselator* tess);

// Projects every vertex onto the sweep plane; fails the run on coordinates
// that are not finite.
void tessProjectPolygon(TESStesselator* tess);
// The sweep: splits crossing edges, merges coincident vertices and marks
// every face inside or outside by the winding rule.
void tessComputeInterior(TESStesselator* tess);
