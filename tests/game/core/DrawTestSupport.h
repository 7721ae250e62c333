#pragma once

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PixelFont.h"
#include "RecordingRenderer.h"
#include "ofGraphics.h"
#include "ofRectangle.h"

using Calls = std::vector<std::string>;

// The calls a piece of drawing makes, taken from the current recording
// renderer and removed from it again.
inline Calls callsOf(const std::function<void()>& draw) {
    auto recorder = std::dynamic_pointer_cast<RecordingRenderer>(ofGetCurrentRenderer());
    if (!recorder) return {};
    const size_t start = recorder->calls.size();
    draw();
    Calls run(recorder->calls.begin() + static_cast<long>(start), recorder->calls.end());
    recorder->calls.resize(start);
    return run;
}

// Where run starts inside calls at or after from, or -1.
inline int findRun(const Calls& calls, const Calls& run, int from = 0) {
    if (run.empty()) return -1;
    auto it = std::search(calls.begin() + std::min<size_t>(static_cast<size_t>(std::max(from, 0)), calls.size()),
                          calls.end(), run.begin(), run.end());
    return it == calls.end() ? -1 : static_cast<int>(it - calls.begin());
}

inline int indexOf(const Calls& calls, const std::string& call, int from = 0) {
    return findRun(calls, {call}, from);
}

inline int countOf(const Calls& calls, const std::string& call) {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

inline std::string num(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

inline std::string rectText(const ofRectangle& r) {
    return num(r.x) + "," + num(r.y) + "," + num(r.width) + "," + num(r.height);
}

inline std::string rectCall(float x, float y, float w, float h) {
    return "drawRectangle(" + num(x) + "," + num(y) + ",0," + num(w) + "," + num(h) + ")";
}

// "name(a,b,c)", as the renderer records translate and scale.
inline std::string call3(const char* name, float a, float b, float c) {
    return std::string(name) + "(" + num(a) + "," + num(b) + "," + num(c) + ")";
}

// The calls of a text drawn from the left, centred, or centred across only.
inline Calls textCalls(PixelFont& font, const std::string& s, float size, float x, float y) {
    return callsOf([&] { font.drawString(s, size, x, y); });
}
inline Calls centredCalls(PixelFont& font, const std::string& s, float size, float x, float y) {
    return callsOf([&] { font.drawStringCentered(s, size, x, y); });
}
inline Calls centredXCalls(PixelFont& font, const std::string& s, float size, float x, float y) {
    return callsOf([&] { font.drawStringCenteredX(s, size, x, y); });
}
