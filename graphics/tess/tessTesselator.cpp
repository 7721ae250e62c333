#include "tessTesselator.h"

#include <cstdlib>

#include "sweep.h"
#include "tessGeom.h"

namespace {

void* heapAlloc(void*, size_t size) { return std::malloc(size); }
void* heapRealloc(void*, void* ptr, size_t size) { return std::realloc(ptr, size); }
void heapFree(void*, void* ptr) { std::free(ptr); }

const TESSalloc defaultAlloc = {heapAlloc, heapRealloc, heapFree, nullptr, 0, 0, 0, 0, 0, 0};

void freeArray(TESStesselator* tess, void* p) {
    if (p) tess->alloc.memfree(tess->alloc.userData, p);
}

// The arrays' memory stays for the next result.
void releaseResult(TESStesselator* tess) {
    tess->vertices = nullptr;
    tess->elements = nullptr;
    tess->vertexIndices = nullptr;
    tess->vertexCount = 0;
    tess->elementCount = 0;
}

void* resultRoom(TESStesselator* tess, void*& array, size_t& room, size_t bytes) {
    if (array && room >= bytes) return array;
    freeArray(tess, array);
    room = 0;
    array = tess->alloc.memalloc(tess->alloc.userData, bytes);
    if (array) room = bytes;
    return array;
}

// Large result arrays are not kept once read.
void trimResult(TESStesselator* tess, void*& array, size_t& room) {
    if (room <= TESS_SPARE_MAX_ITEMS * 3 * sizeof(TESSreal)) return;
    freeArray(tess, array);
    array = nullptr;
    room = 0;
}

void deleteSpares(TESStesselator* tess) {
    if (tess->spareMesh) tessMeshDeleteMesh(&tess->alloc, tess->spareMesh);
    tess->spareMesh = nullptr;
    if (tess->spareDict) dictDeleteDict(&tess->alloc, tess->spareDict);
    tess->spareDict = nullptr;
    if (tess->sparePq) pqDeletePriorityQ(&tess->alloc, tess->sparePq);
    tess->sparePq = nullptr;
}

// The finished run's mesh is kept for the next shape, without the memory of
// a large one.
void keepMesh(TESStesselator* tess, TESSmesh* mesh) {
    trimBucketAlloc(mesh->edgeBucket, TESS_SPARE_MAX_ITEMS);
    trimBucketAlloc(mesh->vertexBucket, TESS_SPARE_MAX_ITEMS);
    trimBucketAlloc(mesh->faceBucket, TESS_SPARE_MAX_ITEMS);
    tess->spareMesh = mesh;
}

// After a failed run: nothing of it may stay behind for the next shape.
void releaseRunState(TESStesselator* tess) {
    deleteSpares(tess);
    if (tess->pq) {
        pqDeletePriorityQ(&tess->alloc, tess->pq);
        tess->pq = nullptr;
    }
    if (tess->dict) {
        // The regions live in the nodes' room.
        dictDeleteDict(&tess->alloc, tess->dict);
        tess->dict = nullptr;
    }
    if (tess->mesh) {
        tessMeshDeleteMesh(&tess->alloc, tess->mesh);
        tess->mesh = nullptr;
    }
    tess->event = nullptr;
}

// Result arrays; zero-sized ones are left null so that an empty result never
// depends on what the allocator does with a request of 0 bytes.
bool allocArrays(TESStesselator* tess, size_t elementInts, int vertexSize) {
    if (elementInts > 0) {
        tess->elements = (TESSindex*)resultRoom(tess, tess->elementArray, tess->elementsRoom,
                                                 elementInts * sizeof(TESSindex));
        if (!tess->elements) return false;
    }
    if (tess->vertexCount > 0) {
        tess->vertices = (TESSreal*)resultRoom(tess, tess->vertexArray, tess->verticesRoom,
                                               (size_t)tess->vertexCount * vertexSize * sizeof(TESSreal));
        if (!tess->vertices) return false;
        tess->vertexIndices = (TESSindex*)resultRoom(tess, tess->vertexIndexArray, tess->vertexIndicesRoom,
                                                     (size_t)tess->vertexCount * sizeof(TESSindex));
        if (!tess->vertexIndices) return false;
    }
    return true;
}

void failOutput(TESStesselator* tess) {
    tess->outOfMemory = 1;
    releaseResult(tess);
}

// Polygons without neighbours in one walk of the faces: vertices are
// numbered, and written, as they are first met. The arrays get room for
// every vertex of the mesh, as the count of those met is not known before.
void outputPolygons(TESStesselator* tess, TESSmesh* mesh, int polySize, int vertexSize) {
    // Every vertex is still unnumbered: only the output numbers them.
    const int vertexBound = mesh->vertexCount;
    int faceCount = 0;
    for (TESSface* f = mesh->fHead.next; f != &mesh->fHead; f = f->next) faceCount += f->inside ? 1 : 0;

    tess->elementCount = faceCount;
    tess->vertexCount = faceCount > 0 ? vertexBound : 0;
    if (!allocArrays(tess, (size_t)faceCount * polySize, vertexSize)) {
        failOutput(tess);
        return;
    }

    int vertexCount = 0;
    int faceNumber = 0;
    TESSindex* elements = tess->elements;
    TESSreal* vertices = tess->vertices;
    TESSindex* vertexIndices = tess->vertexIndices;
    for (TESSface* f = mesh->fHead.next; f != &mesh->fHead; f = f->next) {
        f->n = TESS_UNDEF;
        if (!f->inside) continue;
        TESShalfEdge* edge = f->anEdge;
        int faceVerts = 0;
        do {
            TESSvertex* v = edge->Org;
            if (v->n == TESS_UNDEF) {
                v->n = vertexCount++;
                TESSreal* out = &vertices[(size_t)v->n * vertexSize];
                out[0] = v->coords[0];
                out[1] = v->coords[1];
                if (vertexSize > 2) out[2] = v->coords[2];
                vertexIndices[v->n] = v->idx;
            }
            if (faceVerts < polySize) *elements++ = v->n;
            ++faceVerts;
            edge = edge->Lnext;
        } while (edge != f->anEdge);
        for (int i = faceVerts; i < polySize; ++i) *elements++ = TESS_UNDEF;
        f->n = faceNumber++;
    }
    tess->vertexCount = vertexCount;
}

void outputPolymesh(TESStesselator* tess, TESSmesh* mesh, int elementType, int polySize, int vertexSize) {
    if (polySize > 3 && !tessMeshMergeConvexFaces(mesh, polySize)) {
        failOutput(tess);
        return;
    }

    if (elementType != TESS_CONNECTED_POLYGONS) {
        outputPolygons(tess, mesh, polySize, vertexSize);
        return;
    }

    for (TESSvertex* v = mesh->vHead.next; v != &mesh->vHead; v = v->next) v->n = TESS_UNDEF;

    int vertexCount = 0;
    int faceCount = 0;
    for (TESSface* f = mesh->fHead.next; f != &mesh->fHead; f = f->next) {
        f->n = TESS_UNDEF;
        if (!f->inside) continue;
        TESShalfEdge* edge = f->anEdge;
        do {
            TESSvertex* v = edge->Org;
            if (v->n == TESS_UNDEF) v->n = vertexCount++;
            edge = edge->Lnext;
        } while (edge != f->anEdge);
        f->n = faceCount++;
    }

    tess->elementCount = faceCount;
    tess->vertexCount = vertexCount;
    const size_t perElement = (size_t)polySize * (elementType == TESS_CONNECTED_POLYGONS ? 2 : 1);
    if (!allocArrays(tess, (size_t)faceCount * perElement, vertexSize)) {
        failOutput(tess);
        return;
    }

    for (TESSvertex* v = mesh->vHead.next; v != &mesh->vHead; v = v->next) {
        if (v->n == TESS_UNDEF) continue;
        TESSreal* out = &tess->vertices[(size_t)v->n * vertexSize];
        out[0] = v->coords[0];
        out[1] = v->coords[1];
        if (vertexSize > 2) out[2] = v->coords[2];
        tess->vertexIndices[v->n] = v->idx;
    }

    TESSindex* elements = tess->elements;
    for (TESSface* f = mesh->fHead.next; f != &mesh->fHead; f = f->next) {
        if (!f->inside) continue;
        TESShalfEdge* edge = f->anEdge;
        int faceVerts = 0;
        do {
            *elements++ = edge->Org->n;
            ++faceVerts;
            edge = edge->Lnext;
        } while (edge != f->anEdge && faceVerts < polySize);
        for (int i = faceVerts; i < polySize; ++i) *elements++ = TESS_UNDEF;

        if (elementType == TESS_CONNECTED_POLYGONS) {
            edge = f->anEdge;
            faceVerts = 0;
            do {
                TESSface* other = edge->Rface;
                *elements++ = (other && other->inside) ? other->n : TESS_UNDEF;
                ++faceVerts;
                edge = edge->Lnext;
            } while (edge != f->anEdge && faceVerts < polySize);
            for (int i = faceVerts; i < polySize; ++i) *elements++ = TESS_UNDEF;
        }
    }
}

void outputContours(TESStesselator* tess, TESSmesh* mesh, int vertexSize) {
    int vertexCount = 0;
    int contourCount = 0;
    for (TESSface* f = mesh->fHead.next; f != &mesh->fHead; f = f->next) {
        if (!f->inside) continue;
        TESShalfEdge* edge = f->anEdge;
        do {
            ++vertexCount;
            edge = edge->Lnext;
        } while (edge != f->anEdge);
        ++contourCount;
    }

    tess->elementCount = contourCount;
    tess->vertexCount = vertexCount;
    if (!allocArrays(tess, (size_t)contourCount * 2, vertexSize)) {
        failOutput(tess);
        return;
    }

    TESSreal* verts = tess->vertices;
    TESSindex* vertInds = tess->vertexIndices;
    TESSindex* elements = tess->elements;
    int startVert = 0;
    for (TESSface* f = mesh->fHead.next; f != &mesh->fHead; f = f->next) {
        if (!f->inside) continue;
        int count = 0;
        TESShalfEdge* edge = f->anEdge;
        do {
            *verts++ = edge->Org->coords[0];
            *verts++ = edge->Org->coords[1];
            if (vertexSize > 2) *verts++ = edge->Org->coords[2];
            *vertInds++ = edge->Org->idx;
            ++count;
            edge = edge->Lnext;
        } while (edge != f->anEdge);
        *elements++ = startVert;
        *elements++ = count;
        startVert += count;
    }
}

} // namespace

void tessFail(TESStesselator* tess) { std::longjmp(tess->env, 1); }

TESStesselator* tessNewTess(const TESSalloc* alloc) {
    if (!alloc) alloc = &defaultAlloc;
    if (!alloc->memalloc || !alloc->memfree) return nullptr;

    TESStesselator* tess = (TESStesselator*)alloc->memalloc(alloc->userData, sizeof(TESStesselator));
    if (!tess) return nullptr;
    tess->alloc = *alloc;
    if (tess->alloc.meshEdgeBucketSize == 0) tess->alloc.meshEdgeBucketSize = 512;
    if (tess->alloc.meshVertexBucketSize == 0) tess->alloc.meshVertexBucketSize = 512;
    if (tess->alloc.meshFaceBucketSize == 0) tess->alloc.meshFaceBucketSize = 256;
    if (tess->alloc.dictNodeBucketSize == 0) tess->alloc.dictNodeBucketSize = 512;

    for (int i = 0; i < 3; ++i) tess->normal[i] = tess->sUnit[i] = tess->tUnit[i] = 0;
    tess->bmin[0] = tess->bmin[1] = tess->bmax[0] = tess->bmax[1] = 0;
    tess->windingRule = TESS_WINDING_ODD;
    tess->dict = nullptr;
    tess->pq = nullptr;
    tess->event = nullptr;

    tess->mesh = nullptr;
    tess->outOfMemory = 0;
    tess->vertexIndexCounter = 0;
    tess->indexMinVertices = TESS_INDEX_MIN_VERTICES;
    tess->queuedVertexCount = 0;
    tess->meshWalkSteps = 0;
    tess->dictOrderChecks = 0;
    tess->vertices = nullptr;
    tess->vertexIndices = nullptr;
    tess->vertexCount = 0;
    tess->elements = nullptr;
    tess->elementCount = 0;
    tess->spareMesh = nullptr;
    tess->spareDict = nullptr;
    tess->sparePq = nullptr;
    tess->vertexArray = tess->vertexIndexArray = tess->elementArray = nullptr;
    tess->verticesRoom = tess->vertexIndicesRoom = tess->elementsRoom = 0;
    return tess;
}

void tessDeleteTess(TESStesselator* tess) {
    if (!tess) return;
    releaseRunState(tess);
    releaseResult(tess);
    freeArray(tess, tess->vertexArray);
    freeArray(tess, tess->vertexIndexArray);
    freeArray(tess, tess->elementArray);
    TESSalloc alloc = tess->alloc;
    alloc.memfree(alloc.userData, tess);
}

void tessAddContour(TESStesselator* tess, int size, const void* vertices, int stride, int numVertices) {
    if (!tess) return;
    if (!tess->mesh && tess->spareMesh) {
        tessMeshReset(tess->spareMesh);
        tess->mesh = tess->spareMesh;
        tess->spareMesh = nullptr;
    }
    if (!tess->mesh) {
        tess->mesh = tessMeshNewMesh(&tess->alloc);
        if (!tess->mesh) {
            tess->outOfMemory = 1;
            return;
        }
    }
    if (!vertices) return;
    if (size < 2) size = 2;
    if (size > 3) size = 3;

    const int added = tessMeshAddLoop(tess->mesh, size, vertices, stride, numVertices, tess->vertexIndexCounter);
    tess->vertexIndexCounter += added;
    if (added < numVertices) tess->outOfMemory = 1;
}

namespace {

// The protected part of a run; its arguments are never changed, so the error
// exit finds them as they were.
int runTessellation(TESStesselator* tess, const int elementType, const int polySize, const int vertexSize) {
    if (setjmp(tess->env) != 0) {
        releaseRunState(tess);
        releaseResult(tess);
        tess->outOfMemory = 0;
        return 0;
    }

    if (!tess->mesh || tess->outOfMemory) {
        // No contours, or contours cut short while adding: nothing to draw.
        releaseRunState(tess);
        tess->outOfMemory = 0;
        return 0;
    }

    tessProjectPolygon(tess);
    tessComputeInterior(tess);

    TESSmesh* mesh = tess->mesh;
    int ok;
    if (elementType == TESS_BOUNDARY_CONTOURS) {
        // Deleting the inner edges joins the faces into long loops.
        if (tess->queuedVertexCount >= tess->indexMinVertices) tessMeshBeginLoopIndex(mesh);
        ok = tessMeshSetWindingNumber(mesh, 1, true);
        tessMeshEndLoopIndex(mesh);
    } else {
        ok = tessMeshTessellateInterior(mesh);
    }
    if (!ok) tessFail(tess);

    if (elementType == TESS_BOUNDARY_CONTOURS) {
        outputContours(tess, mesh, vertexSize);
    } else {
        outputPolymesh(tess, mesh, elementType, polySize, vertexSize);
    }

    tess->meshWalkSteps = mesh->walkSteps;
    keepMesh(tess, mesh);
    tess->mesh = nullptr;

    const int result = tess->outOfMemory ? 0 : 1;
    tess->outOfMemory = 0;
    return result;
}

} // namespace

int tessTesselate(TESStesselator* tess, int windingRule, int elementType, int polySize, int vertexSize,
                  const TESSreal* normal) {
    if (!tess) return 0;
    releaseResult(tess);
    trimResult(tess, tess->vertexArray, tess->verticesRoom);
    trimResult(tess, tess->vertexIndexArray, tess->vertexIndicesRoom);
    trimResult(tess, tess->elementArray, tess->elementsRoom);
    tess->vertexIndexCounter = 0;
    tess->meshWalkSteps = 0;
    tess->dictOrderChecks = 0;

    if (normal) {
        tess->normal[0] = normal[0];
        tess->normal[1] = normal[1];
        tess->normal[2] = normal[2];
    }
    tess->windingRule = windingRule;
    if (vertexSize < 2) vertexSize = 2;
    if (vertexSize > 3) vertexSize = 3;
    // Fewer places than a triangle's corners would overrun the element array.
    if (polySize < 3) polySize = 3;
    return runTessellation(tess, elementType, polySize, vertexSize);
}

int tessGetVertexCount(TESStesselator* tess) { return tess ? tess->vertexCount : 0; }
const TESSreal* tessGetVertices(TESStesselator* tess) { return tess ? tess->vertices : nullptr; }
int tessGetElementCount(TESStesselator* tess) { return tess ? tess->elementCount : 0; }
const TESSindex* tessGetElements(TESStesselator* tess) { return tess ? tess->elements : nullptr; }
