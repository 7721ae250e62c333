#pragma once

#include "dict.h"
#include "tessMesh.h"

// The strip between two neighbouring edges of the sweep line's dictionary.
// It lives in the room of its dictionary node (dictNodeOfRoom finds that).
struct ActiveRegion {
    TESShalfEdge* eUp; // upper edge, directed from right to left
    int windingNumber;
    bool inside;
    bool sentinel;
    bool dirty;        // an edge changed; the order must be looked at again
    bool fixUpperEdge; // eUp is a temporary edge giving a vertex a right-going edge
};
