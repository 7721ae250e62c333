#pragma once

class ofMatrix4x4 {
public:
    ofMatrix4x4() {
        for (int i = 0; i < 16; ++i) m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
    }
    ofMatrix4x4(const ofMatrix4x4& other) {
        for (int i = 0; i < 16; ++i) m[i] = other.m[i];
    }
    ofMatrix4x4& operator=(const ofMatrix4x4& other) {
        for (int i = 0; i < 16; ++i) m[i] = other.m[i];
        return *this;
    }
    const float* getPtr() const { return m; }
    float* getPtr() { return m; }

    float m[16];
};
