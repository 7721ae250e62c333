#pragma once

#include <cmath>

#include "ofVec2f.h"

// ofVec2f carries no arithmetic, so the world's vector sums live here.

inline ofVec2f vecAdd(const ofVec2f& a, const ofVec2f& b) {
    return ofVec2f(a.x + b.x, a.y + b.y);
}

inline ofVec2f vecSub(const ofVec2f& a, const ofVec2f& b) {
    return ofVec2f(a.x - b.x, a.y - b.y);
}

inline ofVec2f vecScale(const ofVec2f& v, float s) {
    return ofVec2f(v.x * s, v.y * s);
}

inline float vecLengthSquared(const ofVec2f& v) {
    return v.x * v.x + v.y * v.y;
}

inline float vecLength(const ofVec2f& v) {
    return std::sqrt(vecLengthSquared(v));
}

inline float vecDistance(const ofVec2f& a, const ofVec2f& b) {
    return vecLength(vecSub(a, b));
}

// a × (1 − p) + b × p
inline ofVec2f vecLerp(const ofVec2f& a, const ofVec2f& b, float p) {
    return ofVec2f(a.x * (1 - p) + b.x * p, a.y * (1 - p) + b.y * p);
}

// Truncation toward zero that stays defined for NaN (0) and huge values.
inline int truncInt(float v) {
    if (!(v == v)) return 0;
    if (v >= 2147483520.0f) return 2147483647;
    if (v <= -2147483648.0f) return -2147483647 - 1;
    return static_cast<int>(v);
}
