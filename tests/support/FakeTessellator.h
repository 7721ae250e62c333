#pragma once

#include <string>
#include <vector>

#include "ofPath.h"

// Stands in for the shared tessellator behind every path while installed:
// records each request and answers with a triangle fan over the points of
// the outlines (mesh) or with closed copies of the outlines (contours).
class FakeTessellator {
public:
    FakeTessellator();
    ~FakeTessellator();

    // Puts this fake back behind every path (after a test swapped it out).
    static void install();

    // One line per request, e.g. "mesh(winding=0,is2D=false,outlines=[4c])"
    // where each outline is its point count and c (closed) or o (open).
    static std::vector<std::string> requests;
};
