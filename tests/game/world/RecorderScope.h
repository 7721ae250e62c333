#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "RecordingRenderer.h"
#include "ofGraphics.h"
#include "ofTestClock.h"

typedef std::vector<std::string> Calls;

// Makes a fresh recording renderer current with the default style, and lets
// go of any fixed clock when the test ends.
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

// Only the calls whose text starts with prefix.
inline Calls callsStartingWith(const Calls& calls, const std::string& prefix) {
    Calls out;
    for (const std::string& c : calls) {
        if (c.compare(0, prefix.size(), prefix) == 0) out.push_back(c);
    }
    return out;
}

// A float as the recorder writes it.
inline std::string g(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}
