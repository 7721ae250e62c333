#pragma once

#include <functional>
#include <vector>

#include "GLTestWindow.h"
#include "ofAppRunner.h"
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
