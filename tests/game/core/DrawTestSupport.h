#pragma once

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "RecordingRenderer.h"
#include "ofGraphics.h"
#include "ofRectangle.h"

// The calls a piece of drawing makes, taken from the current recording
// renderer and removed from it again.
inline std::vector<std::string> callsOf(const std::function<void()>& draw) {
    auto recorder = std::dynamic_pointer_cast<RecordingRenderer>(ofGetCurrentRenderer());
    if (!recorder) return {};
    const size_t start = recorder->calls.size();
    draw();
    std::vector<std::string> run(recorder->calls.begin() + static_cast<long>(start), recorder->calls.end());
    recorder->calls.resize(start);
    return run;
}

// Where run starts inside calls at or after from, or -1.
inline int findRun(const std::vector<std::string>& calls, const std::vector<std::string>& run, int from = 0) {
    if (run.empty()) return -1;
    auto it = std::search(calls.begin() + std::min<size_t>(static_cast<size_t>(from), calls.size()), calls.end(),
                          run.begin(), run.end());
    return it == calls.end() ? -1 : static_cast<int>(it - calls.begin());
}

inline int indexOf(const std::vector<std::string>& calls, const std::string& call, int from = 0) {
    for (size_t i = static_cast<size_t>(from); i < calls.size(); ++i)
        if (calls[i] == call) return static_cast<int>(i);
    return -1;
}

inline int countOf(const std::vector<std::string>& calls, const std::string& call) {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

inline std::string rectText(const ofRectangle& r) {
    char text[96];
    std::snprintf(text, sizeof text, "%g,%g,%g,%g", r.x, r.y, r.width, r.height);
    return text;
}
