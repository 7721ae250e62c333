#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "RecordingRenderer.h"
#include "ofGraphics.h"
#include "ofTestClock.h"

typedef std::vector<std::string> Calls;

// A fresh recording renderer made current with the default style; a fixed
// clock is let go when the test ends.
struct RecorderScope {
    std::shared_ptr<RecordingRenderer> renderer = std::make_shared<RecordingRenderer>();
    RecorderScope() {
        ofSetCurrentRenderer(renderer);
        ofSetStyle(ofStyle());
        renderer->reset();
    }
    ~RecorderScope() { ofReleaseFixedClock(); }
    Calls take() { return renderer->take(); }
};

inline Calls callsStartingWith(const Calls& calls, const std::string& prefix) {
    Calls out;
    for (const std::string& c : calls)
        if (c.compare(0, prefix.size(), prefix) == 0) out.push_back(c);
    return out;
}

// A float as the recorder writes it.
inline std::string g(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

// The nine coordinates of a recorded drawTriangle call.
inline std::vector<float> triangleOf(const std::string& call) {
    std::vector<float> v(9);
    std::sscanf(call.c_str(), "drawTriangle(%f,%f,%f,%f,%f,%f,%f,%f,%f)", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5],
                &v[6], &v[7], &v[8]);
    return v;
}
