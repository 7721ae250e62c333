#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>

#include "CapturedOutput.h"
#include "GLTestWindow.h"
#include "ofGLRenderer.h"
#include "ofGraphics.h"

namespace {

using GLTestWindow::colours;
using GLTestWindow::rgb;

// A 960 by 960 window, each frame set up as the display callback does.
class GLRendererTest : public testing::Test {
protected:
    void SetUp() override {
        GLTestWindow::open(960, 960);
        renderer = static_cast<ofGLRenderer*>(ofGetCurrentRenderer().get());
        ASSERT_NE(renderer, nullptr);
        frame();
        ofSetColor(255, 0, 0);
    }
    static void frame(int grey = 0) {
        ofViewport(0, 0, 960, 960, true);
        ofClear(grey, grey, grey, 255);
        ofSetupScreen();
    }
    ofGLRenderer* renderer = nullptr;
};

// n red pixels between two black ones.
std::string red(int n) { return "." + std::string(n, 'R') + "."; }

}  // namespace

TEST_F(GLRendererTest, OriginTopLeftShapesRectangleModesAndDegenerateCircles) {
    ofRect(0, 0, 1, 1);
    ofRect(959, 959, 1, 1);
    renderer->setRectMode(OF_RECTMODE_CENTER);
    ofRect(100, 100, 20, 10);  // (90, 95) to (110, 105)
    renderer->setRectMode(OF_RECTMODE_CORNER);
    ofLine(10, 300.5f, 100, 300.5f);
    ofCircle(200, 600, 50);
    renderer->setHexColor(0x3366cc);
    ofTriangle(400, 400, 500, 400, 400, 500);
    EXPECT_EQ(colours(0, 0, 2) + colours(0, 0, 2, true) + colours(958, 959, 2), "R.R..R");
    EXPECT_EQ(colours(89, 100, 22) + colours(100, 94, 12, true), red(20) + red(10));
    EXPECT_EQ(colours(50, 299, 3, true) + colours(8, 300, 1) + colours(102, 300, 1), ".R...");
    EXPECT_EQ(rgb(480, 410), (std::vector<int>{0x33, 0x66, 0xcc}));
    EXPECT_EQ(colours(480, 480, 1) + colours(399, 410, 1), "..");  // beyond the hypotenuse, left of the edge
    EXPECT_EQ(colours(152, 600, 1) + colours(247, 600, 1) + colours(200, 551, 1) + colours(200, 648, 1), "RRRR");
    EXPECT_EQ(colours(252, 600, 1) + colours(200, 547, 1) + colours(240, 640, 1), "...");
    for (int res : {0, -5, 1, 2}) {
        ofSetCircleResolution(res);
        ofCircle(100, 100, 10);
        renderer->drawEllipse(100, 100, 0, 10, 20);
        EXPECT_LE(renderer->getCircleCache().size(), 3) << res;
    }
}

TEST_F(GLRendererTest, EveryBlendModeMixesAsItsEquationSays) {
    // Destination (100, 100, 100), source (200, 50, 0) at alpha 128.
    const double a = 128 / 255.0, screen[] = {200 * (155 / 255.0) + 100, 50 * (155 / 255.0) + 100, 100};
    const struct {
        int mode;
        double r, g, b;
    } cases[] = {
        {OF_BLENDMODE_ALPHA, 200 * a + 100 * (1 - a), 50 * a + 100 * (1 - a), 100 * (1 - a)},
        {OF_BLENDMODE_ADD, 200 * a + 100, 50 * a + 100, 100},
        {OF_BLENDMODE_SUBTRACT, 0, 100 - 50 * a, 100},
        {OF_BLENDMODE_MULTIPLY, 200 * 100 / 255.0 + 100 * (1 - a), 50 * 100 / 255.0 + 100 * (1 - a), 100 * (1 - a)},
        {OF_BLENDMODE_SCREEN, screen[0], screen[1], screen[2]},
        // Mode 0 leaves blending as it was (here: screen); only the drawing function turns it off.
        {OF_BLENDMODE_DISABLED, screen[0], screen[1], screen[2]},
        {-1, 200, 50, 0},
    };
    for (const auto& c : cases) {
        frame(100);
        if (c.mode >= 0) renderer->setBlendMode(c.mode);
        if (c.mode < 0) ofDisableAlphaBlending();
        ofSetColor(200, 50, 0, 128);
        ofRect(10, 10, 10, 10);
        const std::vector<int> got = rgb(15, 15);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(got[k], std::lround((&c.r)[k]), 1) << "mode " << c.mode << ": " << k;
    }
}

TEST_F(GLRendererTest, ViewportsAndTheMatrixAndViewStacks) {
    ofPushView();
    ofViewport(100, 50, 400, 300, true);
    const ofRectangle vp = ofGetCurrentViewport();
    EXPECT_EQ(std::vector<float>({vp.x, vp.y, vp.width, vp.height}), std::vector<float>({100, 960 - 350, 400, 300}));
    // One unit per pixel from the viewport's left edge, but y flips over the
    // window's height: the viewport's top-left shows y = 660.
    ofSetupScreen();
    ofRect(0, 660, 2, 2);
    ofRect(200, 0, 2, 2);  // above the viewport: clipped away
    EXPECT_EQ(colours(99, 50, 4) + colours(100, 49, 4, true) + colours(300, 50, 1), ".RR..RR..");
    ofPopView();
    EXPECT_EQ(ofGetViewportWidth(), 960);
    // Popping an empty view logs for both stacks and keeps the matrices.
    float before[16], after[16];
    glGetFloatv(GL_PROJECTION_MATRIX, before);
    testing::internal::CaptureStderr();
    ofPopView();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err;
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    EXPECT_EQ(std::vector<float>(after, after + 16), std::vector<float>(before, before + 16));

    frame();
    ofPushMatrix();
    ofTranslate(300, 300);
    ofRotate(90);
    ofScale(2, 1);
    ofRect(0, 0, 10, 10);  // x runs down, y runs left: (290, 300) to (300, 320)
    ofPopMatrix();
    ofRect(0, 0, 5, 5);  // back at the origin
    EXPECT_EQ(colours(289, 310, 12) + colours(295, 299, 22, true) + colours(0, 4, 6), red(10) + red(20) + "RRRRR.");
}

// OpenGL never reads past a mesh's lists: a colour list shorter than the
// vertices is skipped with a warning, once a process, and an index past the
// last vertex draws nothing.
TEST_F(GLRendererTest, MeshesNeverReadPastTheirLists) {
    auto square = [](int colours, std::vector<ofIndexType> indices) {  // (100, 100) to (140, 140)
        ofMesh m;
        m.setMode(indices.empty() ? OF_PRIMITIVE_TRIANGLE_FAN : OF_PRIMITIVE_TRIANGLES);
        for (ofPoint p : {ofPoint(100, 100), ofPoint(140, 100), ofPoint(140, 140), ofPoint(100, 140)}) m.addVertex(p);
        for (int i = 0; i < colours; ++i) m.addColor(ofFloatColor(0, 0, 1, 1));
        m.addIndices(indices.data(), static_cast<int>(indices.size()));
        return m;
    };
    auto warns = [&](ofMesh mesh, bool useColours) {
        return captureOutput([&] { renderer->draw(mesh, useColours, false, false); }).out.rfind("[warning] ", 0) == 0;
    };
    // An earlier test may have had the short list's warning: it is watched in
    // a new process, which runs this test alone up to here.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto firstShortLists = [&] {
        const bool first = warns(square(1, {}), true), second = warns(square(2, {}), true);
        _exit(first && !second ? 0 : 1);
    };
    EXPECT_EXIT(firstShortLists(), testing::ExitedWithCode(0), "");
    enum { Never, Always, OnceAProcess };
    const struct {
        ofMesh mesh;
        bool useColours;
        const char* upperAndLowerHalf;
        int warning;
    } cases[] = {
        {square(4, {0, 1, 2}), false, "R.", Never},  // the upper triangle, in the current colour
        {square(1, {}), true, "RR", OnceAProcess},
        {square(0, {0, 1, 200}), false, "..", Always},
    };
    for (auto c : cases) {
        frame();
        const bool warned = warns(c.mesh, c.useColours);
        if (c.warning != OnceAProcess) {
            EXPECT_EQ(warned, c.warning == Always) << c.upperAndLowerHalf;
        }
        EXPECT_EQ(colours(135, 105, 1) + colours(105, 135, 1), c.upperAndLowerHalf);
    }
}

// Outlines (an unfilled shape's, a path's) close only when asked.
TEST_F(GLRendererTest, PolylinesCloseOnlyWhenAsked) {
    ofPolyline line;
    for (ofPoint p : {ofPoint(10.5f, 300.5f), ofPoint(60.5f, 300.5f), ofPoint(60.5f, 350.5f)}) line.addVertex(p);
    renderer->draw(line);
    EXPECT_EQ(colours(30, 300, 1) + colours(60, 330, 1) + colours(34, 325, 3), "RR...");
    line.setClosed(true);
    renderer->draw(line);
    EXPECT_NE(colours(34, 325, 3).find('R'), std::string::npos);  // the closing edge along the diagonal
}
