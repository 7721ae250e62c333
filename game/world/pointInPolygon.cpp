#include "pointInPolygon.h"

bool pointInPolygon(const std::vector<ofPoint>& polygon, float x, float y) {
    bool inside = false;
    size_t n = polygon.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const ofPoint& a = polygon[i];
        const ofPoint& b = polygon[j];
        bool spans = (a.y <= y && y < b.y) || (b.y <= y && y < a.y);
        if (spans && x < (y - a.y) * (b.x - a.x) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
}
