#pragma once
// What the world's tests share: a recording renderer, log and sound recorders.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../../support/LogRecorder.h"
#include "PixelFont.h"
#include "RecordingRenderer.h"
#include "ShipSounds.h"
#include "ofGraphics.h"
#include "ofLog.h"
#include "ofMath.h"
#include "ofTestClock.h"

typedef std::vector<std::string> Calls;
const float PI_F = 3.14159265f;

#define EXPECT_XY(p, ex, ey, tol)    \
    do {                             \
        EXPECT_NEAR((p).x, ex, tol); \
        EXPECT_NEAR((p).y, ey, tol); \
    } while (0)

// A fresh recording renderer made current with the default style; a fixed clock is let go at the end.
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

struct FakeShipSounds : ShipSounds {
    Calls played;
    void playFoeKill(int level) override { played.push_back("foeKill" + std::to_string(level)); }
    void playRockSmash() override { played.push_back("rockSmash"); }
    void playMenuBeep() override { played.push_back("menuBeep"); }
    void playMenuReturn() override { played.push_back("menuReturn"); }
    void playMultiplayerComplete() override { played.push_back("multiplayerComplete"); }
    Calls take() { return std::exchange(played, {}); }
};
