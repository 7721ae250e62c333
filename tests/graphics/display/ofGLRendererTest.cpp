#include <gtest/gtest.h>

#include <cmath>

#include "GLTestWindow.h"
#include "ofAppRunner.h"
#include "ofGLRenderer.h"
#include "ofGraphics.h"
#include "ofLog.h"
#include "ofPath.h"

namespace {

// A 960 by 960 window, each frame set up as the display callback does.
class GLRendererTest : public testing::Test {
protected:
    void SetUp() override {
        GLTestWindow::open(960, 960);
        renderer = static_cast<ofGLRenderer*>(ofGetCurrentRenderer().get());
        ASSERT_NE(renderer, nullptr);
        frame();
    }
    static void frame(int grey = 0) {
        ofViewport(0, 0, 960, 960, true);
        ofClear(grey, grey, grey, 255);
        ofSetupScreen();
    }
    ofGLRenderer* renderer = nullptr;
};

ofColor at(int x, int y) {
    return GLTestWindow::pixel(x, y);
}

::testing::AssertionResult near(const ofColor& got, int r, int g, int b) {
    if (std::abs(got.r - r) <= 1 && std::abs(got.g - g) <= 1 && std::abs(got.b - b) <= 1)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << int(got.r) << ", " << int(got.g) << ", " << int(got.b)
                                         << ") want (" << r << ", " << g << ", " << b << ")";
}

using GLTestWindow::colours;

std::string runs(int dots, char c, int n, int after) {
    return std::string(dots, '.') + std::string(n, c) + std::string(after, '.');
}

}  // namespace

TEST_F(GLRendererTest, ScreenOriginTopLeftAndRectangleModes) {
    ofSetColor(255, 0, 0);
    ofRect(0, 0, 1, 1);
    ofRect(959, 959, 1, 1);
    EXPECT_EQ(colours(0, 0, 2), "R.");
    EXPECT_EQ(colours(0, 0, 2, true), "R.");
    EXPECT_EQ(colours(958, 959, 2), ".R");
    EXPECT_EQ(colours(959, 958, 2, true), ".R");

    renderer->setRectMode(OF_RECTMODE_CENTER);
    ofRect(100, 100, 20, 10);  // (90, 95) to (110, 105)
    renderer->setRectMode(OF_RECTMODE_CORNER);
    EXPECT_EQ(colours(89, 100, 22), runs(1, 'R', 20, 1));
    EXPECT_EQ(colours(100, 94, 12, true), runs(1, 'R', 10, 1));
}

TEST_F(GLRendererTest, LinesTrianglesAndColourForms) {
    ofSetColor(0, 255, 0);
    ofLine(10, 50.5f, 100, 50.5f);
    ofLine(ofPoint(300.5f, 10), ofPoint(300.5f, 90));
    EXPECT_EQ(colours(50, 49, 3, true), ".G.");
    EXPECT_EQ(colours(8, 50, 1) + colours(102, 50, 1), "..");
    EXPECT_EQ(colours(299, 40, 3), ".G.");

    renderer->setHexColor(0x3366cc);
    ofTriangle(400, 400, 500, 400, 400, 500);
    EXPECT_TRUE(near(at(480, 410), 0x33, 0x66, 0xcc));
    EXPECT_EQ(colours(480, 480, 1) + colours(399, 410, 1), "..");  // beyond the hypotenuse, left of the edge
}

TEST_F(GLRendererTest, CirclesFillOrOutlineAndSurviveDegenerateResolutions) {
    ofSetColor(255, 0, 0);
    ofCircle(200, 200, 50);
    EXPECT_EQ(colours(152, 200, 1) + colours(247, 200, 1) + colours(200, 151, 1) + colours(200, 248, 1), "RRRR");
    EXPECT_EQ(colours(252, 200, 1) + colours(200, 147, 1) + colours(240, 240, 1), "...");

    // An outline circle is a ring: the centre stays empty.
    ofNoFill();
    ofCircle(500, 200, 50);
    ofFill();
    EXPECT_EQ(colours(500, 200, 1), ".");
    EXPECT_NE(colours(545, 200, 8).find('R'), std::string::npos);

    // Degenerate resolutions draw without harm.
    for (int res : {0, -5, 1, 2}) {
        ofSetCircleResolution(res);
        ofCircle(100, 100, 10);
        renderer->drawEllipse(100, 100, 0, 10, 20);
        EXPECT_LE(renderer->getCircleCache().size(), 3) << res;
    }
    ofSetCircleResolution(20);
}

TEST_F(GLRendererTest, EveryBlendModeMixesAsItsEquationSays) {
    struct Case {
        int mode;
        double r, g, b;
    };
    // Destination (100, 100, 100), source (200, 50, 0) at alpha 128.
    const double a = 128 / 255.0;
    const Case cases[] = {
        {OF_BLENDMODE_ALPHA, 200 * a + 100 * (1 - a), 50 * a + 100 * (1 - a), 100 * (1 - a)},
        {OF_BLENDMODE_ADD, 200 * a + 100, 50 * a + 100, 100},
        {OF_BLENDMODE_SUBTRACT, 0, 100 - 50 * a, 100},
        {OF_BLENDMODE_MULTIPLY, 200 * 100 / 255.0 + 100 * (1 - a), 50 * 100 / 255.0 + 100 * (1 - a), 100 * (1 - a)},
        {OF_BLENDMODE_SCREEN, 200 * (155 / 255.0) + 100, 50 * (155 / 255.0) + 100, 100},
    };
    auto drawOver = [&](int mode) {
        frame(100);
        if (mode >= 0) renderer->setBlendMode(mode);
        ofSetColor(200, 50, 0, 128);
        ofRect(10, 10, 10, 10);
        return at(15, 15);
    };
    for (const Case& c : cases)
        EXPECT_TRUE(near(drawOver(c.mode), std::lround(c.r), std::lround(c.g), std::lround(c.b))) << c.mode;

    // Mode 0 leaves blending as it was (here: screen); only the drawing function turns it off.
    EXPECT_TRUE(near(drawOver(OF_BLENDMODE_DISABLED), std::lround(cases[4].r), std::lround(cases[4].g), 100));
    ofDisableAlphaBlending();
    EXPECT_TRUE(near(drawOver(-1), 200, 50, 0));
}

TEST_F(GLRendererTest, ViewportInvertsYAndTheScreenFlipsOverTheWindowHeight) {
    ofViewport(100, 50, 400, 300, true);
    ofRectangle vp = ofGetCurrentViewport();
    EXPECT_EQ(std::vector<float>({vp.x, vp.y, vp.width, vp.height}), std::vector<float>({100, 960 - 350, 400, 300}));
    EXPECT_EQ(ofGetViewportWidth(), 400);
    EXPECT_EQ(ofGetViewportHeight(), 300);

    // x = 0 sits at the viewport's left edge with one unit per pixel, but y
    // flips over the window's height: the viewport's top-left shows y = 660.
    ofSetupScreen();
    ofSetColor(255, 0, 0);
    ofRect(0, 660, 2, 2);
    ofRect(398, 958, 2, 2);
    ofRect(200, 0, 2, 2);  // above the viewport: clipped away
    EXPECT_EQ(colours(99, 50, 4), ".RR.");
    EXPECT_EQ(colours(100, 49, 4, true), ".RR.");
    EXPECT_EQ(colours(498, 349, 3), "RR.");
    EXPECT_EQ(colours(499, 348, 3, true), "RR.");
    EXPECT_EQ(colours(300, 50, 1), ".");  // where y = 0 would be with the viewport's height

    // Zero sizes mean the whole window.
    renderer->viewport(0, 0, 0, 0, false);
    EXPECT_EQ(ofGetViewportWidth(), 960);
    EXPECT_EQ(ofGetViewportHeight(), 960);
}

TEST_F(GLRendererTest, MatrixAndViewStacksRestoreWhatWasPushed) {
    ofSetColor(255, 0, 0);
    ofPushMatrix();
    ofTranslate(100, 200);
    ofScale(2, 3);
    ofRect(0, 0, 5, 5);  // (100, 200) to (110, 215)
    ofPopMatrix();
    ofPushMatrix();
    ofTranslate(300, 300);
    ofRotate(90);
    ofRect(0, 0, 20, 10);  // x runs down, y runs left: (290, 300) to (300, 320)
    ofPopMatrix();
    ofRect(0, 0, 5, 5);  // back at the origin
    EXPECT_EQ(colours(99, 214, 12), runs(1, 'R', 10, 1));
    EXPECT_EQ(colours(109, 199, 17, true), runs(1, 'R', 15, 1));
    EXPECT_EQ(colours(289, 310, 12), runs(1, 'R', 10, 1));
    EXPECT_EQ(colours(295, 299, 22, true), runs(1, 'R', 20, 1));
    EXPECT_EQ(colours(0, 4, 6), "RRRRR.");

    // A view holds the viewport too.
    ofPushView();
    ofViewport(10, 10, 50, 50, false);
    ofPopView();
    EXPECT_EQ(ofGetViewportWidth(), 960);
}

TEST_F(GLRendererTest, PoppingAnEmptyViewLogsBothStacksAndKeepsTheMatrices) {
    float before[16], after[16];
    glGetFloatv(GL_PROJECTION_MATRIX, before);
    testing::internal::CaptureStderr();
    ofPopView();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "[error] popView: couldn't pop projection matrix, stack empty. probably wrong anidated push/popView\n"
              "[error] popView: couldn't pop modelView matrix, stack empty. probably wrong anidated push/popView\n");
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    EXPECT_EQ(std::vector<float>(after, after + 16), std::vector<float>(before, before + 16));
    EXPECT_EQ(ofGetViewportWidth(), 960);
}

TEST_F(GLRendererTest, MeshesDrawTheirOwnColoursAndSkipShortAttributeLists) {
    // The square (100, 100) to (140, 140) with some blue vertex colours.
    auto square = [](int colours) {
        ofMesh m;
        m.setMode(OF_PRIMITIVE_TRIANGLE_FAN);
        for (ofPoint p : {ofPoint(100, 100), ofPoint(140, 100), ofPoint(140, 140), ofPoint(100, 140)}) m.addVertex(p);
        for (int i = 0; i < colours; ++i) m.addColor(ofFloatColor(0, 0, 1, 1));
        return m;
    };
    ofMesh mesh = square(4);
    ofSetColor(255, 0, 0);
    renderer->draw(mesh, true, false, false);
    EXPECT_TRUE(near(at(120, 120), 0, 0, 255));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));

    // Indices pick the vertices; colours turned off use the current colour.
    ofMesh indexed = mesh;
    ofIndexType upper[] = {0, 1, 2};
    indexed.setMode(OF_PRIMITIVE_TRIANGLES);
    indexed.addIndices(upper, 3);
    frame();
    renderer->draw(indexed, false, false, false);
    EXPECT_EQ(colours(135, 105, 1) + colours(105, 135, 1), "R.");

    // A colour list shorter than the vertices would be read past its end.
    ofMesh shortColours = square(1);
    frame();
    testing::internal::CaptureStdout();
    renderer->draw(shortColours, true, false, false);
    fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "[warning] ofGLRenderer::draw(): mesh has fewer colours than vertices; they are not drawn\n");
    EXPECT_EQ(colours(120, 120, 1), "R");

    // An index past the last vertex draws nothing.
    ofMesh badIndex = mesh;
    ofIndexType wild[] = {0, 1, 400};
    badIndex.setMode(OF_PRIMITIVE_TRIANGLES);
    badIndex.addIndices(wild, 3);
    frame();
    testing::internal::CaptureStdout();
    renderer->draw(badIndex, false, false, false);
    fflush(stdout);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(colours(135, 105, 1), ".");
}

TEST_F(GLRendererTest, PolylinesCloseOnlyWhenAsked) {
    ofPolyline open;
    for (ofPoint p : {ofPoint(10.5f, 300.5f), ofPoint(60.5f, 300.5f), ofPoint(60.5f, 350.5f)}) open.addVertex(p);
    ofSetColor(255, 0, 0);
    renderer->draw(open);
    EXPECT_EQ(colours(30, 300, 1) + colours(60, 330, 1), "RR");
    // The closing edge runs along the diagonal only when closed.
    EXPECT_EQ(colours(34, 325, 3), "...");
    open.setClosed(true);
    renderer->draw(open);
    EXPECT_NE(colours(34, 325, 3).find('R'), std::string::npos);
}

TEST_F(GLRendererTest, PathStrokesLeaveTheStateAsTheyFoundIt) {
    // A path strokes in its own colour tinted by the style, three pixels wide.
    ofPath path;
    path.setMode(ofPath::POLYLINES);
    path.setFilled(false);
    path.setStrokeWidth(3);
    path.setUseShapeColor(true);
    path.lineTo(100, 600.5f);
    path.lineTo(200, 600.5f);
    ofSetColor(128, 255, 255, 255);
    glLineWidth(1);
    renderer->draw(path);
    ofColor stroke = path.getStrokeColor();
    for (int y : {599, 600, 601}) EXPECT_TRUE(near(at(150, y), stroke.r * 128 / 255, stroke.g, stroke.b)) << y;
    EXPECT_EQ(colours(150, 603, 1), ".");
    GLfloat width = 0;
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_FLOAT_EQ(width, 1.0f);
    // The renderer's colour is the style's again.
    ofRect(300, 300, 4, 4);
    EXPECT_TRUE(near(at(301, 301), 128, 255, 255));
    EXPECT_EQ(ofGetStyle().color, ofColor(128, 255, 255, 255));
}
