#include <gtest/gtest.h>

#include <cmath>

#include "GLTestWindow.h"
#include "ofAppRunner.h"
#include "ofGLRenderer.h"
#include "ofGraphics.h"
#include "ofLog.h"
#include "ofPath.h"

namespace {

const ofColor grey(200, 200, 200, 255);
const ofColor red(255, 0, 0, 255);

// Opens a 960 by 960 window and sets the frame up as the display callback
// does: whole-window viewport, a clear, the screen set-up.
class GLRendererTest : public testing::Test {
protected:
    void SetUp() override {
        GLTestWindow::open(960, 960);
        renderer = static_cast<ofGLRenderer*>(ofGetCurrentRenderer().get());
        ASSERT_NE(renderer, nullptr);
        startFrame(ofColor(0, 0, 0, 255));
    }

    void startFrame(const ofColor& bg) {
        ofViewport(0, 0, 960, 960, true);
        ofClear(bg.r, bg.g, bg.b, bg.a);
        ofSetupScreen();
    }

    static ofColor at(int x, int y) { return GLTestWindow::pixel(x, y); }

    ofGLRenderer* renderer = nullptr;
};

::testing::AssertionResult near(const ofColor& got, int r, int g, int b) {
    if (std::abs(got.r - r) <= 1 && std::abs(got.g - g) <= 1 && std::abs(got.b - b) <= 1)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << int(got.r) << ", " << int(got.g) << ", " << int(got.b)
                                         << ") want (" << r << ", " << g << ", " << b << ")";
}

bool isRed(const ofColor& c) {
    return c.r == 255 && c.g == 0 && c.b == 0;
}

bool isBlack(const ofColor& c) {
    return c.r == 0 && c.g == 0 && c.b == 0;
}

}  // namespace

TEST_F(GLRendererTest, BecomesCurrentWithTheDefaultStyleAndClearsToGrey) {
    EXPECT_EQ(renderer->getType(), "GL");
    EXPECT_EQ(renderer->getRectMode(), OF_RECTMODE_CORNER);
    EXPECT_EQ(renderer->getFillMode(), OF_FILLED);
    EXPECT_TRUE(renderer->bClearBg());
    ofFloatColor& bg = renderer->getBgColor();
    EXPECT_FLOAT_EQ(bg.r, 200 / 255.0f);
    EXPECT_FLOAT_EQ(bg.a, 1.0f);
    EXPECT_EQ(renderer->getCircleCache().size(), 21);
    // 40 slices and 20 bands: 41 vertex pairs per band in one strip.
    EXPECT_EQ(renderer->getSphereMesh().getNumVertices(), 20 * 41 * 2);
    EXPECT_EQ(renderer->getSphereMesh().getMode(), OF_PRIMITIVE_TRIANGLE_STRIP);

    // A background call clears at once; clear leaves the stored colour alone.
    ofBackground(10, 20, 30, 255);
    EXPECT_TRUE(near(at(5, 5), 10, 20, 30));
    renderer->clear(40, 50, 60, 255);
    EXPECT_TRUE(near(at(5, 5), 40, 50, 60));
    EXPECT_FLOAT_EQ(bg.g, 20 / 255.0f);
    renderer->background(0x102030, 255.9f);
    EXPECT_TRUE(near(at(5, 5), 16, 32, 48));
    renderer->background(300.0f);  // channels keep their low 8 bits
    EXPECT_TRUE(near(at(5, 5), 44, 44, 44));
    EXPECT_FLOAT_EQ(bg.a, 1.0f);
}

TEST_F(GLRendererTest, ScreenOriginIsTopLeftWithOneUnitPerPixel) {
    ofSetColor(255, 0, 0);
    ofRect(0, 0, 1, 1);
    ofRect(959, 959, 1, 1);
    EXPECT_TRUE(isRed(at(0, 0)));
    EXPECT_TRUE(isBlack(at(1, 0)));
    EXPECT_TRUE(isBlack(at(0, 1)));
    EXPECT_TRUE(isRed(at(959, 959)));
    EXPECT_TRUE(isBlack(at(958, 959)));
    EXPECT_TRUE(isBlack(at(959, 958)));

    // y grows downwards: a rectangle low in the coordinates is low on screen.
    ofRect(300, 700, 40, 20);
    EXPECT_TRUE(isRed(at(300, 700)));
    EXPECT_TRUE(isRed(at(339, 719)));
    EXPECT_TRUE(isBlack(at(340, 719)));
    EXPECT_TRUE(isBlack(at(339, 720)));
    EXPECT_TRUE(isBlack(at(300, 260)));
}

TEST_F(GLRendererTest, RectanglesInCornerAndCentreModeAndAsOutlines) {
    ofSetColor(255, 0, 0);
    renderer->setRectMode(OF_RECTMODE_CENTER);
    ofRect(100, 100, 20, 10);  // covers (90, 95) to (110, 105)
    EXPECT_TRUE(isRed(at(90, 95)));
    EXPECT_TRUE(isRed(at(109, 104)));
    EXPECT_TRUE(isBlack(at(89, 100)));
    EXPECT_TRUE(isBlack(at(110, 100)));
    EXPECT_TRUE(isBlack(at(100, 94)));
    EXPECT_TRUE(isBlack(at(100, 105)));

    startFrame(ofColor(0, 0, 0, 255));
    renderer->setRectMode(OF_RECTMODE_CORNER);
    ofRect(100, 100, 20, 10);  // covers (100, 100) to (120, 110)
    EXPECT_TRUE(isRed(at(100, 100)));
    EXPECT_TRUE(isRed(at(119, 109)));
    EXPECT_TRUE(isBlack(at(99, 100)));
    EXPECT_TRUE(isBlack(at(120, 109)));
    EXPECT_TRUE(isBlack(at(119, 110)));

    // An outline leaves the inside empty.
    startFrame(ofColor(0, 0, 0, 255));
    ofNoFill();
    ofRect(200.5f, 200.5f, 40, 40);
    EXPECT_TRUE(isRed(at(220, 200)));
    EXPECT_TRUE(isRed(at(200, 220)));
    EXPECT_TRUE(isRed(at(240, 220)));
    EXPECT_TRUE(isBlack(at(220, 220)));
    ofFill();
}

TEST_F(GLRendererTest, LinesTrianglesAndColour) {
    ofSetColor(0, 255, 0);
    ofLine(10, 50.5f, 100, 50.5f);
    EXPECT_TRUE(near(at(50, 50), 0, 255, 0));
    EXPECT_TRUE(isBlack(at(50, 49)));
    EXPECT_TRUE(isBlack(at(50, 51)));
    EXPECT_TRUE(isBlack(at(8, 50)));
    EXPECT_TRUE(isBlack(at(102, 50)));

    ofLine(ofPoint(300.5f, 10), ofPoint(300.5f, 90));
    EXPECT_TRUE(near(at(300, 40), 0, 255, 0));
    EXPECT_TRUE(isBlack(at(299, 40)));
    EXPECT_TRUE(isBlack(at(301, 40)));

    renderer->setHexColor(0x3366cc);
    ofTriangle(400, 400, 500, 400, 400, 500);
    EXPECT_TRUE(near(at(410, 410), 0x33, 0x66, 0xcc));
    EXPECT_TRUE(near(at(480, 410), 0x33, 0x66, 0xcc));
    EXPECT_TRUE(isBlack(at(480, 480)));  // beyond the hypotenuse
    EXPECT_TRUE(isBlack(at(399, 410)));

    renderer->setColor(128);
    ofRect(600, 600, 4, 4);
    EXPECT_TRUE(near(at(601, 601), 128, 128, 128));
}

TEST_F(GLRendererTest, CirclesAndEllipsesFollowTheCircleCache) {
    const ofPolyline& cache = renderer->getCircleCache();
    ASSERT_EQ(cache.size(), 21);
    EXPECT_NEAR(cache[0].x, cache[20].x, 1e-5);
    EXPECT_NEAR(cache[0].y, cache[20].y, 1e-5);
    EXPECT_NEAR(cache[0].x, 1.0f, 1e-5);

    ofSetColor(255, 0, 0);
    ofCircle(200, 200, 50);
    EXPECT_TRUE(isRed(at(200, 200)));
    EXPECT_TRUE(isRed(at(247, 200)));
    EXPECT_TRUE(isRed(at(152, 200)));
    EXPECT_TRUE(isRed(at(200, 151)));
    EXPECT_TRUE(isRed(at(200, 248)));
    EXPECT_TRUE(isBlack(at(252, 200)));
    EXPECT_TRUE(isBlack(at(200, 147)));
    EXPECT_TRUE(isBlack(at(240, 240)));  // outside the rim on the diagonal

    // An outline circle is a ring: the centre stays empty.
    ofNoFill();
    ofCircle(500, 200, 50);
    EXPECT_TRUE(isBlack(at(500, 200)));
    int rim = 0;
    for (int x = 545; x <= 552; ++x) rim += isRed(at(x, 200)) ? 1 : 0;
    EXPECT_GE(rim, 1);
    ofFill();

    renderer->drawEllipse(700, 500, 0, 200, 50);
    EXPECT_TRUE(isRed(at(795, 500)));
    EXPECT_TRUE(isRed(at(700, 522)));
    EXPECT_TRUE(isBlack(at(700, 528)));
    EXPECT_TRUE(isBlack(at(803, 500)));

    // The same resolution keeps the cache; another one rebuilds it.
    const ofPoint* before = &cache[0];
    ofSetCircleResolution(20);
    EXPECT_EQ(&cache[0], before);
    ofSetCircleResolution(8);
    EXPECT_EQ(cache.size(), 9);
    ofSetCircleResolution(20);
}

TEST_F(GLRendererTest, EveryBlendModeMixesAsItsEquationSays) {
    struct Case {
        int mode;
        int r, g, b;
    };
    // Destination (100, 100, 100), source (200, 50, 0) at alpha 128.
    const float a = 128 / 255.0f;
    const Case cases[] = {
        {OF_BLENDMODE_ALPHA, int(std::lround(200 * a + 100 * (1 - a))), int(std::lround(50 * a + 100 * (1 - a))),
         int(std::lround(100 * (1 - a)))},
        {OF_BLENDMODE_ADD, int(std::lround(200 * a + 100)), int(std::lround(50 * a + 100)), 100},
        {OF_BLENDMODE_SUBTRACT, 0, int(std::lround(100 - 50 * a)), 100},
        {OF_BLENDMODE_MULTIPLY, int(std::lround(200 * 100 / 255.0 + 100 * (1 - a))),
         int(std::lround(50 * 100 / 255.0 + 100 * (1 - a))), int(std::lround(100 * (1 - a)))},
        {OF_BLENDMODE_SCREEN, int(std::lround(200 * (155 / 255.0) + 100)), int(std::lround(50 * (155 / 255.0) + 100)),
         100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        startFrame(ofColor(100, 100, 100, 255));
        renderer->setBlendMode(c.mode);
        ofSetColor(200, 50, 0, 128);
        ofRect(10, 10, 10, 10);
        EXPECT_TRUE(near(at(15, 15), c.r, c.g, c.b));
    }

    // Mode 0 leaves blending as it was (here: screen).
    startFrame(ofColor(100, 100, 100, 255));
    renderer->setBlendMode(OF_BLENDMODE_DISABLED);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    ofRect(10, 10, 10, 10);
    EXPECT_TRUE(near(at(15, 15), cases[4].r, cases[4].g, cases[4].b));

    // Only the drawing function turns it off.
    startFrame(ofColor(100, 100, 100, 255));
    ofDisableAlphaBlending();
    ofRect(10, 10, 10, 10);
    EXPECT_TRUE(near(at(15, 15), 200, 50, 0));
}

TEST_F(GLRendererTest, ViewportInvertsYAndSetsUpTheScreenInsideIt) {
    ofViewport(100, 50, 400, 300, true);
    ofRectangle vp = ofGetCurrentViewport();
    EXPECT_EQ(vp.x, 100);
    EXPECT_EQ(vp.y, 960 - 350);
    EXPECT_EQ(vp.width, 400);
    EXPECT_EQ(vp.height, 300);
    EXPECT_EQ(ofGetViewportWidth(), 400);
    EXPECT_EQ(ofGetViewportHeight(), 300);

    // The screen set-up puts x = 0 at the viewport's left edge with one unit
    // per pixel, but flips y over the window's height, not the viewport's:
    // the viewport's top-left corner shows y = 960 - 300.
    ofSetupScreen();
    ofSetColor(255, 0, 0);
    ofRect(0, 660, 2, 2);
    ofRect(398, 958, 2, 2);
    ofRect(200, 0, 2, 2);  // above the viewport: clipped away
    EXPECT_TRUE(isRed(at(100, 50)));
    EXPECT_TRUE(isRed(at(101, 51)));
    EXPECT_TRUE(isBlack(at(99, 50)));
    EXPECT_TRUE(isBlack(at(100, 49)));
    EXPECT_TRUE(isBlack(at(102, 52)));
    EXPECT_TRUE(isRed(at(499, 349)));
    EXPECT_TRUE(isBlack(at(500, 349)));
    EXPECT_TRUE(isBlack(at(499, 350)));
    EXPECT_TRUE(isBlack(at(300, 50)));  // where y = 0 would be with the viewport's height

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
    EXPECT_TRUE(isRed(at(100, 200)));
    EXPECT_TRUE(isRed(at(109, 214)));
    EXPECT_TRUE(isBlack(at(110, 214)));
    EXPECT_TRUE(isBlack(at(109, 215)));
    ofRect(0, 0, 5, 5);  // back at the origin
    EXPECT_TRUE(isRed(at(4, 4)));

    startFrame(ofColor(0, 0, 0, 255));
    ofPushMatrix();
    ofTranslate(300, 300);
    ofRotate(90);
    ofRect(0, 0, 20, 10);  // x runs down, y runs left: (290, 300) to (300, 320)
    ofPopMatrix();
    EXPECT_TRUE(isRed(at(295, 310)));
    EXPECT_TRUE(isBlack(at(305, 305)));

    // A view holds viewport and both matrices.
    float before[16], after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    ofPushView();
    ofViewport(10, 10, 50, 50, false);
    ofTranslate(40, 40);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    ofPopView();
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(after[i], before[i]) << i;
    EXPECT_EQ(ofGetViewportWidth(), 960);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(GLRendererTest, PoppingAnEmptyViewLogsBothStacksAndKeepsTheMatrices) {
    float before[16], after[16];
    glGetFloatv(GL_PROJECTION_MATRIX, before);
    testing::internal::CaptureStderr();
    ofPopView();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err,
              "[error] popView: couldn't pop projection matrix, stack empty. probably wrong anidated push/popView\n"
              "[error] popView: couldn't pop modelView matrix, stack empty. probably wrong anidated push/popView\n");
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(after[i], before[i]) << i;
    EXPECT_EQ(ofGetViewportWidth(), 960);
}

TEST_F(GLRendererTest, UnknownModesLogAndFallBack) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(ofGetGLPrimitiveMode(9), static_cast<GLenum>(GL_TRIANGLES));
    EXPECT_EQ(ofGetGLPolyMode(-1), static_cast<GLenum>(GL_FILL));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "[error] asked for unsupported or non existant primitive mode 9 returning GL_TRIANGLES\n"
              "[error] asked for unsupported or non existant poly mode -1 returning GL_FILL\n");
    EXPECT_EQ(ofGetGLPrimitiveMode(OF_PRIMITIVE_LINE_LOOP), static_cast<GLenum>(GL_LINE_LOOP));
    EXPECT_EQ(ofGetGLPolyMode(OF_MESH_WIREFRAME), static_cast<GLenum>(GL_LINE));
}

TEST_F(GLRendererTest, MeshesDrawTheirOwnColoursAndSkipShortAttributeLists) {
    ofMesh mesh;
    mesh.setMode(OF_PRIMITIVE_TRIANGLE_FAN);
    mesh.addVertex(ofPoint(100, 100));
    mesh.addVertex(ofPoint(140, 100));
    mesh.addVertex(ofPoint(140, 140));
    mesh.addVertex(ofPoint(100, 140));
    for (int i = 0; i < 4; ++i) mesh.addColor(ofFloatColor(0, 0, 1, 1));
    ofSetColor(255, 0, 0);
    renderer->draw(mesh, true, false, false);
    EXPECT_TRUE(near(at(120, 120), 0, 0, 255));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));

    // Indices pick the vertices; colours turned off use the current colour.
    ofMesh indexed = mesh;
    ofIndexType lower[] = {0, 1, 2};
    indexed.setMode(OF_PRIMITIVE_TRIANGLES);
    indexed.addIndices(lower, 3);
    startFrame(ofColor(0, 0, 0, 255));
    ofSetColor(255, 0, 0);
    renderer->draw(indexed, false, false, false);
    EXPECT_TRUE(isRed(at(135, 105)));
    EXPECT_TRUE(isBlack(at(105, 135)));

    // A colour list shorter than the vertices would be read past its end.
    ofMesh shortColours;
    shortColours.setMode(OF_PRIMITIVE_TRIANGLE_FAN);
    for (int i = 0; i < 4; ++i) shortColours.addVertex(mesh.getVertices()[i]);
    shortColours.addColor(ofFloatColor(0, 0, 1, 1));
    startFrame(ofColor(0, 0, 0, 255));
    ofSetColor(255, 0, 0);
    testing::internal::CaptureStdout();
    renderer->draw(shortColours, true, false, false);
    fflush(stdout);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "[warning] ofGLRenderer::draw(): mesh has fewer colours than vertices; they are not drawn\n");
    EXPECT_TRUE(isRed(at(120, 120)));

    // An index past the last vertex draws nothing.
    ofMesh badIndex = mesh;
    ofIndexType wild[] = {0, 1, 400};
    badIndex.setMode(OF_PRIMITIVE_TRIANGLES);
    badIndex.addIndices(wild, 3);
    startFrame(ofColor(0, 0, 0, 255));
    testing::internal::CaptureStdout();
    renderer->draw(badIndex, false, false, false);
    fflush(stdout);
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(isBlack(at(135, 105)));

    // Wireframe render mode outlines the triangles.
    startFrame(ofColor(0, 0, 0, 255));
    ofSetColor(255, 0, 0);
    renderer->draw(indexed, OF_MESH_WIREFRAME, false, false, false);
    EXPECT_TRUE(isBlack(at(135, 105)));
    GLint polygonMode[2];
    glGetIntegerv(GL_POLYGON_MODE, polygonMode);
    EXPECT_EQ(polygonMode[0], GL_FILL);
}

TEST_F(GLRendererTest, PolylinesAndPointListsDrawInPlace) {
    ofPolyline open;
    open.addVertex(ofPoint(10.5f, 300.5f));
    open.addVertex(ofPoint(60.5f, 300.5f));
    open.addVertex(ofPoint(60.5f, 350.5f));
    ofSetColor(255, 0, 0);
    renderer->draw(open);
    EXPECT_TRUE(isRed(at(30, 300)));
    EXPECT_TRUE(isRed(at(60, 330)));
    // The closing edge runs along the diagonal only when closed.
    EXPECT_TRUE(isBlack(at(35, 325)));
    open.setClosed(true);
    renderer->draw(open);
    bool diagonal = isRed(at(35, 325)) || isRed(at(36, 325)) || isRed(at(35, 326));
    EXPECT_TRUE(diagonal);

    std::vector<ofPoint> points{ofPoint(500.5f, 500.5f), ofPoint(510.5f, 520.5f)};
    renderer->draw(points, OF_PRIMITIVE_POINTS);
    EXPECT_TRUE(isRed(at(500, 500)));
    EXPECT_TRUE(isRed(at(510, 520)));
    EXPECT_TRUE(isBlack(at(505, 510)));
    std::vector<ofPoint> none;
    renderer->draw(none, OF_PRIMITIVE_POINTS);  // nothing, and no crash
}

TEST_F(GLRendererTest, SphereAndSmoothingLeaveTheStateAsTheyFoundIt) {
    ofSetColor(255, 0, 0);
    renderer->drawSphere(480, 480, 0, 100);
    EXPECT_TRUE(isRed(at(480, 480)));
    EXPECT_TRUE(isRed(at(570, 480)));
    EXPECT_TRUE(isBlack(at(590, 480)));
    EXPECT_FALSE(glIsEnabled(GL_NORMALIZE));

    ofEnableSmoothing();
    ofNoFill();
    ofRect(100.5f, 100.5f, 50, 50);
    ofFill();
    EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    renderer->clearAlpha();
    unsigned char rgba[4];
    glReadPixels(5, 5, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    EXPECT_EQ(rgba[3], 255);
}

TEST_F(GLRendererTest, PathStrokesInItsOwnColourTintedByTheStyleAndRestoresState) {
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
    EXPECT_TRUE(near(at(150, 600), stroke.r * 128 / 255, stroke.g, stroke.b));
    EXPECT_TRUE(near(at(150, 601), stroke.r * 128 / 255, stroke.g, stroke.b));  // three pixels wide
    EXPECT_TRUE(near(at(150, 599), stroke.r * 128 / 255, stroke.g, stroke.b));
    EXPECT_TRUE(isBlack(at(150, 603)));
    GLfloat width = 0;
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_FLOAT_EQ(width, 1.0f);
    // The renderer's colour is the style's again.
    ofRect(300, 300, 4, 4);
    EXPECT_TRUE(near(at(301, 301), 128, 255, 255));
    EXPECT_EQ(ofGetStyle().color, ofColor(128, 255, 255, 255));
}

TEST_F(GLRendererTest, DegenerateCircleResolutionsDrawWithoutHarm) {
    ofSetColor(255, 0, 0);
    for (int res : {0, -5, 1, 2}) {
        SCOPED_TRACE(res);
        ofSetCircleResolution(res);
        ofCircle(100, 100, 10);
        renderer->drawEllipse(100, 100, 0, 10, 20);
        EXPECT_LE(renderer->getCircleCache().size(), 3);
    }
    ofSetCircleResolution(20);
    EXPECT_EQ(renderer->getCircleCache().size(), 21);
}
