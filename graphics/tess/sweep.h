#pragma once

#include "dict.h"
#include "tessMesh.h"

// The strip between two neighbouring edges of the sweep line's dictionary.
struct ActiveRegion {
    TESShalfEdge* eUp; // upper edge, directed from right to left
    DictNode* nodeUp;
    int windingNumber;
    bool inside;
    bool sentinel;
    bool dirty;        // an edge changed; the order must be looked at again
    bool fixUpperEdge; // eUp is a temporary edge giving a vertex a right-going edge
};

// A region lives in its node's room: its node is found without a load.
inline ActiveRegion* RegionBelow(ActiveRegion* r) { return (ActiveRegion*)dictNodeOfRoom(r)->prev->key; }
inline ActiveRegion* RegionAbove(ActiveRegion* r) { return (ActiveRegion*)dictNodeOfRoom(r)->next->key; }
