#pragma once

#include <vector>

#include "ofPoint.h"

// Even-odd crossing test over x and y. Edges are half-open in y, so a point
// level with a vertex counts once, and a repeated closing point never flips.
bool pointInPolygon(const std::vector<ofPoint>& polygon, float x, float y);
