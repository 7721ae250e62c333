#pragma once

#include <cmath>

class ofVec2f {
public:
    ofVec2f() : x(0), y(0) {}
    ofVec2f(float px, float py) : x(px), y(py) {}

    void set(const ofVec2f& v) {
        x = v.x;
        y = v.y;
    }
    void set(float px, float py) {
        x = px;
        y = py;
    }

    ofVec2f getNormalized() const {
        float length = std::sqrt(x * x + y * y);
        if (length > 0) return ofVec2f(x / length, y / length);
        return ofVec2f();
    }

    bool operator==(const ofVec2f& o) const { return x == o.x && y == o.y; }
    bool operator!=(const ofVec2f& o) const { return !(*this == o); }

    float x, y;
};
