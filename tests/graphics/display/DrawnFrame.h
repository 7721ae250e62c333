#pragma once

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

#include "GLTestWindow.h"
#include "ofGLRenderer.h"
#include "ofGraphics.h"

// One frame drawn from a clean default state, batched or one call at a time,
// read back as RGB rows from the bottom up.
inline std::vector<unsigned char> drawnFrame(ofGLRenderer& renderer, bool batching, int width, int height,
                                             const std::function<void()>& scene) {
    renderer.setBatching(batching);
    GLTestWindow::defaultStyle();
    ofViewport(0, 0, width, height, true);
    ofClear(0, 0, 0, 255);
    ofSetupScreen();
    scene();
    ofFlushDraws();
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// How two such frames differ: the pixels that do, and the largest step of a channel.
struct FrameDifference {
    int pixels = 0;
    int most = 0;
};

inline FrameDifference compareFrames(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    FrameDifference d;
    for (size_t i = 0; i < a.size(); i += 3) {
        int most = 0;
        for (size_t c = i; c < i + 3; ++c) most = std::max(most, std::abs(a[c] - b[c]));
        d.pixels += most > 0;
        d.most = std::max(d.most, most);
    }
    return d;
}
