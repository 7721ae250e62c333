#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DrawnFrame.h"
#include "GLTestWindow.h"
#include "ofGLRenderer.h"
#include "ofGraphics.h"

namespace {

const int width = 640, height = 480;

std::vector<unsigned char> drawn(ofGLRenderer& renderer, bool batching, const std::function<void()>& scene) {
    return drawnFrame(renderer, batching, width, height, scene);
}

class GLRendererLines : public testing::Test {
protected:
    void SetUp() override {
        GLTestWindow::openScreen(width, height);
        renderer = static_cast<ofGLRenderer*>(ofGetCurrentRenderer().get());
        ASSERT_NE(renderer, nullptr);
    }
    ofGLRenderer* renderer = nullptr;
};

struct Case {
    const char* name;
    std::function<void()> scene;
    int x, y, n;           // a run of pixels the scene must draw
    std::string expected;  // as GLTestWindow::colours spells it; empty: not probed
};

// Outlines drawn whole, and outlines on the top edge of the window or of a
// viewport, with whole-number coordinates.
const Case cases[] = {
    {"wide circle on blue",
     [] {
         ofBackground(27, 12, 225);
         ofSetLineWidth(6.32f);
         ofNoFill();
         ofCircle(272.98f, 415.56f, 54.24f);
     },
     0, 0, 0, ""},
    {"rectangle on a viewport's top row",
     [] {
         ofNoFill();
         ofViewport(100, 41, 318, 142);
         ofSetupScreen();
         ofRect(239, 338, 179.55f, -8.25f);
     },
     338, 41, 81, "." + std::string(79, 'W') + "."},
    {"rectangle on the window's top row after translations",
     [] {
         ofNoFill();
         ofTranslate(20, -60);
         ofTranslate(30, -31);
         ofRect(50, 91, 190, 40);
     },
     // the left edge's column, then the top edge
     98, 0, 194, "." + std::string(191, 'W') + ".."},
    {"translucent wide loops, strips and lines overlapping",
     [] {
         ofEnableAlphaBlending();
         ofNoFill();
         ofSetLineWidth(5);
         ofSetColor(255, 0, 0, 128);
         ofRect(100, 100, 80, 60);
         ofSetColor(0, 255, 0, 128);
         ofCircle(170, 150, 30);
         ofSetColor(0, 0, 255, 128);
         ofLine(90, 130, 220, 130);
         ofSetColor(255, 255, 255, 128);
         ofTriangle(120, 90, 200, 170, 95, 170);
         ofDisableAlphaBlending();
     },
     0, 0, 0, ""},
    {"smoothed open shape and circle",
     [] {
         ofEnableSmoothing();
         ofNoFill();
         ofSetLineWidth(3);
         ofBeginShape();
         ofVertex(300, 300);
         ofVertex(360, 310);
         ofVertex(330, 380);
         ofVertex(390, 420);
         ofEndShape(false);
         ofCircle(420, 330, 40);
     },
     0, 0, 0, ""},
};

}  // namespace

TEST_F(GLRendererLines, OutlinesDrawTheSamePixelsBatchedAsOneByOne) {
    for (const Case& c : cases) {
        const std::vector<unsigned char> oneByOne = drawn(*renderer, false, c.scene);
        const std::vector<unsigned char> batched = drawn(*renderer, true, c.scene);
        const FrameDifference d = compareFrames(batched, oneByOne);
        EXPECT_EQ(d.pixels, 0) << c.name << ", by up to " << d.most;
        int lit = 0;
        for (size_t i = 0; i < batched.size(); i += 3)
            lit += batched[i] != batched[0] || batched[i + 1] != batched[1] || batched[i + 2] != batched[2];
        EXPECT_GT(lit, 50) << c.name;
        if (!c.expected.empty()) {
            EXPECT_EQ(GLTestWindow::colours(c.x, c.y, c.n), c.expected) << c.name;
        }
    }
}
