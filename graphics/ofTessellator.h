#pragma once

#include <vector>

#include "ofGraphicsConstants.h"
#include "ofMesh.h"
#include "ofPolyline.h"
#include "tess/tesselator.h"

// Turns outlines into a triangle mesh or into the closed boundary outlines
// of the area a winding rule calls inside. One core tessellator is made at
// construction and reused for every shape; main thread only.
class ofTessellator {
public:
    ofTessellator();
    // With the caller's allocator record (all memory of the core goes through it).
    explicit ofTessellator(const TESSalloc& allocator);
    ~ofTessellator();

    ofTessellator(const ofTessellator&) = delete;
    ofTessellator& operator=(const ofTessellator&) = delete;

    // On failure the error is logged and the destination left empty.
    void tessellateToMesh(const std::vector<ofPolyline>& src, ofPolyWindingMode polyWindingMode, ofMesh& dstmesh,
                          bool bIs2D);
    void tessellateToPolylines(const std::vector<ofPolyline>& src, ofPolyWindingMode polyWindingMode,
                               std::vector<ofPolyline>& dstpoly, bool bIs2D);

private:
    bool addContours(const std::vector<ofPolyline>& src, bool bIs2D);
    void performTessellation(ofPolyWindingMode polyWindingMode, ofMesh& dstmesh, bool bIs2D);
    void performTessellation(ofPolyWindingMode polyWindingMode, std::vector<ofPolyline>& dstpoly, bool bIs2D);

    TESStesselator* cacheTess = nullptr; // owned; deleted with this object
    TESSalloc tessAllocator = {};
};

// The one tessellator every path fills through.
ofTessellator& ofGetSharedTessellator();
