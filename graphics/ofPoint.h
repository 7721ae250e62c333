#pragma once

#include <cmath>

// A point or vector of three floats; the game works in x and y.
class ofPoint {
public:
    ofPoint() : x(0), y(0), z(0) {}
    ofPoint(float px, float py, float pz = 0) : x(px), y(py), z(pz) {}

    void set(float px, float py, float pz = 0) {
        x = px;
        y = py;
        z = pz;
    }

    ofPoint getNormalized() const {
        float length = std::sqrt(x * x + y * y + z * z);
        if (length > 0) return ofPoint(x / length, y / length, z / length);
        return ofPoint();
    }

    bool operator==(const ofPoint& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const ofPoint& o) const { return !(*this == o); }

    float x, y, z;
};

typedef ofPoint ofVec3f;
