#include "ofTessellator.h"

#include <cstdlib>
#include <type_traits>

#include "ofLog.h"

static_assert(sizeof(ofPoint) == 3 * sizeof(TESSreal) && std::is_same<TESSreal, float>::value &&
                  std::is_trivially_copyable<ofPoint>::value && std::is_standard_layout<ofPoint>::value,
              "tessellated vertices are read as points");
static_assert(sizeof(ofIndexType) == sizeof(TESSindex) && std::is_integral<ofIndexType>::value,
              "tessellated elements are read as indices");

namespace {

void* heapAlloc(void*, size_t size) { return std::malloc(size); }
void* heapRealloc(void*, void* ptr, size_t size) { return std::realloc(ptr, size); }
void heapFree(void*, void* ptr) { std::free(ptr); }

TESSalloc heapAllocator() {
    TESSalloc a = {heapAlloc, heapRealloc, heapFree, nullptr, 0, 0, 0, 0, 0, 0};
    return a;
}

} // namespace

ofTessellator::ofTessellator() : ofTessellator(heapAllocator()) {}

ofTessellator::ofTessellator(const TESSalloc& allocator) : cacheTess(nullptr), tessAllocator(allocator) {
    cacheTess = tessNewTess(&tessAllocator);
    if (!cacheTess) ofLogError() << "ofTessellator: could not create the tessellator";
}

ofTessellator::~ofTessellator() {
    if (cacheTess) tessDeleteTess(cacheTess);
}

bool ofTessellator::addContours(const std::vector<ofPolyline>& src, bool bIs2D) {
    if (!cacheTess) {
        // Creation failed earlier (out of memory); try again before giving up.
        cacheTess = tessNewTess(&tessAllocator);
        if (!cacheTess) {
            ofLogError() << "ofTessellator: no tessellator, nothing drawn";
            return false;
        }
    }
    for (const ofPolyline& line : src) {
        const ofPoint* first = line.size() > 0 ? &line[0] : nullptr;
        tessAddContour(cacheTess, bIs2D ? 2 : 3, first, sizeof(ofPoint), line.size());
    }
    return true;
}

void ofTessellator::tessellateToMesh(const std::vector<ofPolyline>& src, ofPolyWindingMode polyWindingMode,
                                     ofMesh& dstmesh, bool bIs2D) {
    if (!addContours(src, bIs2D)) {
        dstmesh.clear();
        return;
    }
    performTessellation(polyWindingMode, dstmesh, bIs2D);
}

void ofTessellator::tessellateToPolylines(const std::vector<ofPolyline>& src, ofPolyWindingMode polyWindingMode,
                                          std::vector<ofPolyline>& dstpoly, bool bIs2D) {
    if (!addContours(src, bIs2D)) {
        dstpoly.clear();
        return;
    }
    performTessellation(polyWindingMode, dstpoly, bIs2D);
}

void ofTessellator::performTessellation(ofPolyWindingMode polyWindingMode, ofMesh& dstmesh, bool /*bIs2D*/) {
    if (!tessTesselate(cacheTess, polyWindingMode, TESS_POLYGONS, 3, 3, nullptr)) {
        ofLogError() << "ofTessellator: tessellation failed";
        // The previous shape must not be drawn again in this one's place.
        dstmesh.clear();
        return;
    }
    const int numVertices = tessGetVertexCount(cacheTess);
    const int numIndices = tessGetElementCount(cacheTess) * 3;
    const TESSindex* elements = tessGetElements(cacheTess);

    const TESSreal* verts = tessGetVertices(cacheTess);
    dstmesh.clear();
    // The core's arrays already have the mesh's layout: three floats a
    // point, 32-bit indices; they go in without a copy in between.
    dstmesh.addVertices(reinterpret_cast<const ofPoint*>(verts), numVertices);
    dstmesh.addIndices(reinterpret_cast<const ofIndexType*>(elements), numIndices);
    dstmesh.setMode(OF_PRIMITIVE_TRIANGLES);
}

void ofTessellator::performTessellation(ofPolyWindingMode polyWindingMode, std::vector<ofPolyline>& dstpoly,
                                        bool /*bIs2D*/) {
    if (!tessTesselate(cacheTess, polyWindingMode, TESS_BOUNDARY_CONTOURS, 0, 3, nullptr)) {
        ofLogError() << "ofTessellator: tessellation failed";
        dstpoly.clear();
        return;
    }
    const TESSreal* verts = tessGetVertices(cacheTess);
    const TESSindex* elems = tessGetElements(cacheTess);
    const int numElements = tessGetElementCount(cacheTess);

    dstpoly.resize(numElements);
    for (int i = 0; i < numElements; ++i) {
        const int first = elems[i * 2];
        const int count = elems[i * 2 + 1];
        ofPolyline& line = dstpoly[i];
        line.clear();
        line.addVertices(reinterpret_cast<const ofPoint*>(verts) + first, count);
        line.setClosed(true);
    }
}

ofTessellator& ofGetSharedTessellator() {
    static ofTessellator tessellator;
    return tessellator;
}
