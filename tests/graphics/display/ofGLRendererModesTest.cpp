#include <gtest/gtest.h>

#include "GLTestWindow.h"  // before the other GL headers

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "CapturedOutput.h"
#include "ofAppGlutWindow.h"
#include "ofAppRunner.h"
#include "ofBaseApp.h"
#include "ofGLRenderer.h"
#include "ofGraphics.h"
#include "ofPath.h"

namespace {

using GLTestWindow::colours;
using GLTestWindow::rgb;

class GLRendererModes : public testing::Test {
protected:
    void SetUp() override {
        GLTestWindow::openScreen(320, 240);
        renderer = static_cast<ofGLRenderer*>(ofGetCurrentRenderer().get());
        ASSERT_NE(renderer, nullptr);
        ofSetColor(255, 0, 0);
    }
    void TearDown() override { ofSetAppPtr(nullptr); }
    ofGLRenderer* renderer = nullptr;
};

// The corners of the square (100, 100) to (140, 140) on pixel centres, top
// row first (with y down the screen, fills take a pixel whose centre lies on
// a left or bottom edge, outlines every pixel of the edge); and pixels that tell the primitives apart: the first corner,
// the middles of the top, left and bottom edges, a pixel on each diagonal,
// one right of the falling diagonal, one below it, one inside the top-left
// triangle.
const std::vector<ofPoint> kCorners = {ofPoint(100.5f, 100.5f), ofPoint(140.5f, 100.5f), ofPoint(100.5f, 140.5f),
                                       ofPoint(140.5f, 140.5f)};
std::string probe() {
    std::string s;
    for (std::pair<int, int> p : {std::make_pair(100, 100), {120, 100}, {100, 120}, {120, 140}, {130, 130},
                                  {130, 110}, {136, 110}, {110, 136}, {112, 108}})
        s += colours(p.first, p.second, 1);
    return s;
}

}  // namespace

// Each primitive mode reaches OpenGL as its own primitive, batched or not;
// unknown modes log and fall back to triangles and to filling.
TEST_F(GLRendererModes, PointListsDrawAsTheirPrimitive) {
    const struct {
        int mode;
        GLenum gl;
        const char* pixels;
    } cases[] = {
        {OF_PRIMITIVE_POINTS, GL_POINTS, "R........"},
        {OF_PRIMITIVE_LINES, GL_LINES, "RR.R....."},
        {OF_PRIMITIVE_LINE_STRIP, GL_LINE_STRIP, "RR.R.R..."},
        {OF_PRIMITIVE_LINE_LOOP, GL_LINE_LOOP, "RR.RRR..."},
        {OF_PRIMITIVE_TRIANGLES, GL_TRIANGLES, "..R.....R"},
        {OF_PRIMITIVE_TRIANGLE_STRIP, GL_TRIANGLE_STRIP, "..RRRRRRR"},
        {OF_PRIMITIVE_TRIANGLE_FAN, GL_TRIANGLE_FAN, "..RR...RR"},
    };
    for (bool batching : {true, false}) {
        renderer->setBatching(batching);
        for (const auto& c : cases) {
            EXPECT_EQ(ofGetGLPrimitiveMode(c.mode), c.gl);
            ofClear(0, 0, 0, 255);
            std::vector<ofPoint> points = kCorners;
            renderer->draw(points, c.mode);
            EXPECT_EQ(probe(), c.pixels) << "mode " << c.mode << (batching ? " batched" : "");
        }
    }
    std::vector<ofPoint> none;
    renderer->draw(none, OF_PRIMITIVE_TRIANGLES);  // nothing to draw, nothing read
    const struct {
        int mode;
        GLenum primitive, polygon;
    } polygonModes[] = {{OF_MESH_POINTS, GL_TRIANGLES, GL_POINT},
                        {OF_MESH_WIREFRAME, GL_TRIANGLES, GL_LINE},
                        {OF_MESH_FILL, GL_TRIANGLES, GL_FILL}};
    for (const auto& m : polygonModes) EXPECT_EQ(ofGetGLPolyMode(m.mode), m.polygon);
    std::vector<GLenum> fallbacks;
    EXPECT_EQ(captureOutput([&] {
                  fallbacks = {ofGetGLPrimitiveMode(9), ofGetGLPrimitiveMode(-1), ofGetGLPolyMode(3)};
              }).err,
              "[error] asked for unsupported or non existant primitive mode 9 returning GL_TRIANGLES\n"
              "[error] asked for unsupported or non existant primitive mode -1 returning GL_TRIANGLES\n"
              "[error] asked for unsupported or non existant poly mode 3 returning GL_FILL\n");
    EXPECT_EQ(fallbacks, (std::vector<GLenum>{GL_TRIANGLES, GL_TRIANGLES, GL_FILL}));
}

// A mesh drawn in a polygon mode: filled, outlined or its corners, in its
// own colours while they are on; the polygon mode is put back afterwards.
TEST_F(GLRendererModes, MeshesDrawInEachPolygonModeAndPutTheModeBack) {
    ofMesh square;
    square.setMode(OF_PRIMITIVE_TRIANGLE_FAN);  // (0, 1, 3) and (0, 3, 2): the diagonal runs down
    for (int i : {0, 1, 3, 2}) {
        square.addVertex(kCorners[i]);
        square.addColor(ofFloatColor(0, 0, 1, 1));
    }
    const struct {
        void (*draw)(ofMesh&);
        const char* pixels;
    } cases[] = {
        {[](ofMesh& m) { m.drawFaces(); }, "..BBBBBBB"},
        {[](ofMesh& m) { m.drawWireframe(); }, "BBBBB...."},
        {[](ofMesh& m) { m.draw(OF_MESH_POINTS); }, "B........"},
        {[](ofMesh& m) {
             m.disableColors();
             m.draw(OF_MESH_FILL);
         },
         "..RRRRRRR"},
        {[](ofMesh& m) {
             m.enableColors();
             m.drawWireframe();
         },
         "BBBBB...."},
    };
    for (const auto& c : cases) {
        ofClear(0, 0, 0, 255);
        c.draw(square);
        EXPECT_EQ(probe(), c.pixels);
        GLint polygonMode[2] = {0, 0};
        glGetIntegerv(GL_POLYGON_MODE, polygonMode);
        EXPECT_EQ(polygonMode[0], GL_FILL);
        EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));
    }
    ofClear(0, 0, 0, 255);
    EXPECT_EQ(captureOutput([&] { renderer->draw(square, 7, false, false, false); }).err,
              "[error] asked for unsupported or non existant poly mode 7 returning GL_FILL\n");
    EXPECT_EQ(probe(), "..RRRRRRR");
}

// Normals and texture coordinates of a mesh reach OpenGL only when asked
// for; otherwise the current normal and texture coordinate apply.
TEST_F(GLRendererModes, NormalsAndTextureCoordinatesReachOpenGLOnlyWhenAsked) {
    ofMesh square;
    square.setMode(OF_PRIMITIVE_TRIANGLE_FAN);
    for (int i : {0, 1, 3, 2}) {
        square.addVertex(kCorners[i]);
        square.addNormal(ofPoint(1, 0, 0));  // side on to the light
        square.addTexCoord(ofVec2f(0.75f, 0.5f));  // the green texel
    }
    ofSetColor(255, 255, 255);

    // A light straight from the viewer: a face towards it is lit with the
    // material's diffuse 0.8 plus ambient 0.04, one side on to it by the ambient only.
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const GLfloat towardsViewer[4] = {0, 0, 1, 0};
    glLightfv(GL_LIGHT0, GL_POSITION, towardsViewer);
    glPopMatrix();
    renderer->flushForDirectGL();
    for (bool useNormals : {true, false}) {
        ofClear(0, 0, 0, 255);
        renderer->draw(square, OF_MESH_FILL, false, false, useNormals);
        const int grey = useNormals ? 10 : 214;
        const std::vector<int> got = rgb(120, 120);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(got[k], grey, 2) << useNormals;
        EXPECT_FALSE(glIsEnabled(GL_NORMAL_ARRAY));
    }
    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT0);

    // A 2 x 1 texture, red then green, read at its nearest texel.
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    const unsigned char texels[] = {255, 0, 0, 0, 255, 0};
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_TEXTURE_2D);
    renderer->flushForDirectGL();
    for (bool useTextures : {true, false}) {
        ofClear(0, 0, 0, 255);
        renderer->draw(square, OF_MESH_FILL, false, useTextures, false);
        EXPECT_EQ(colours(120, 120, 1), useTextures ? "G" : "R");
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    }
    glDisable(GL_TEXTURE_2D);
    glDeleteTextures(1, &name);

    // The sphere fills its disc and leaves the normal scaling off.
    ofSetColor(255, 0, 0);
    ofClear(0, 0, 0, 255);
    renderer->drawSphere(160, 120, 0, 50);
    EXPECT_EQ(colours(160, 120, 1) + colours(160, 72, 1) + colours(206, 120, 1) + colours(212, 120, 1) +
                  colours(160, 172, 1),
              "RRR..");
    EXPECT_FALSE(glIsEnabled(GL_NORMALIZE));
}

// The short colour and background forms, and the alpha-only clear.
TEST_F(GLRendererModes, ColourAndBackgroundForms) {
    EXPECT_EQ(renderer->getType(), "GL");
    const struct {
        void (*set)(ofGLRenderer&);
        std::vector<int> rgba;
    } colourForms[] = {
        {[](ofGLRenderer& r) { r.setColor(128); }, {128, 128, 128, 255}},
        {[](ofGLRenderer& r) { r.setColor(ofColor(10, 20, 30, 40)); }, {10, 20, 30, 40}},
        {[](ofGLRenderer& r) { r.setColor(ofColor(10, 20, 30, 40), 200); }, {10, 20, 30, 200}},
        {[](ofGLRenderer& r) { r.setColor(0); }, {0, 0, 0, 255}},
    };
    for (const auto& c : colourForms) {
        c.set(*renderer);
        GLfloat now[4];
        glGetFloatv(GL_CURRENT_COLOR, now);
        std::vector<int> got;
        for (GLfloat f : now) got.push_back(static_cast<int>(std::lround(f * 255)));
        EXPECT_EQ(got, c.rgba);
        ofClear(255, 255, 255, 255);
        ofRect(10, 10, 4, 4);
        const std::vector<int> drawn = rgb(11, 11);
        EXPECT_EQ(drawn, std::vector<int>(c.rgba.begin(), c.rgba.begin() + 3));  // blending is off
    }

    const struct {
        void (*set)(ofGLRenderer&);
        std::vector<int> shown;
        float alpha;
    } backgrounds[] = {
        {[](ofGLRenderer& r) { r.background(0x102030, 255.9f); }, {16, 32, 48}, 1},
        {[](ofGLRenderer& r) { r.background(0x7A0B0C0D, 51); }, {11, 12, 13}, 0.2f},
        {[](ofGLRenderer& r) { r.background(64.5f); }, {64, 64, 64}, 1},
        {[](ofGLRenderer& r) { r.background(300.0f); }, {44, 44, 44}, 1},  // the low 8 bits
    };
    for (const auto& b : backgrounds) {
        ofClear(255, 0, 0, 255);
        b.set(*renderer);
        EXPECT_EQ(rgb(5, 5), b.shown);
        EXPECT_EQ(rgb(300, 200), b.shown);
        const ofFloatColor& stored = renderer->getBgColor();
        EXPECT_EQ((std::vector<float>{stored.r * 255, stored.g * 255, stored.b * 255}),
                  std::vector<float>(b.shown.begin(), b.shown.end()));
        EXPECT_FLOAT_EQ(stored.a, b.alpha);
    }

    // Only the alpha channel is set, to opaque.
    ofClear(10, 20, 30, 0);
    EXPECT_EQ(GLTestWindow::pixel(7, 7).a, 0);
    renderer->clearAlpha();
    const ofColor cleared = GLTestWindow::pixel(7, 7);
    EXPECT_EQ((std::vector<int>{cleared.r, cleared.g, cleared.b, cleared.a}), (std::vector<int>{10, 20, 30, 255}));

    for (bool automatic : {false, true, false}) {
        renderer->setBackgroundAuto(automatic);
        EXPECT_EQ(renderer->bClearBg(), automatic);
        EXPECT_EQ(ofbClearBg(), automatic);
    }
}

// A path in its own colours, tinted by the style's: the fill, then the
// stroke at its own width; the renderer's colour and line width come back.
TEST_F(GLRendererModes, PathsDrawInTheirColoursTintedByTheStyle) {
    const struct {
        bool filled, shapeColour;
        float strokeWidth;
        const char* across;  // (99, 120) to (106, 120): outside, the left edge, inside
        const char* down;    // (120, 97) to (120, 103): above, the top edge (outside a fill), inside
    } cases[] = {
        {true, true, 0, ".CCCCCCC", "....CCC"},
        {false, true, 3, "CCC.....", "..CCC.."},
        {true, true, 3, "CCCCCCCC", "..CCCCC"},
        {true, false, 0, ".RRRRRRR", "....RRR"},
        {false, false, 1, ".R......", "...R..."},
    };
    for (const auto& c : cases) {
        ofPath path;
        path.setMode(ofPath::POLYLINES);
        for (const ofPoint& p : {ofPoint(100.5f, 100.5f), ofPoint(140.5f, 100.5f), ofPoint(140.5f, 140.5f),
                                 ofPoint(100.5f, 140.5f)})
            path.lineTo(p);
        path.close();
        path.setFilled(c.filled);
        path.setStrokeWidth(c.strokeWidth);
        path.setUseShapeColor(c.shapeColour);
        ofClear(0, 0, 0, 255);
        ofSetLineWidth(1);
        ofSetColor(c.shapeColour ? ofColor(0, 255, 255) : ofColor(255, 0, 0));
        renderer->draw(path);
        EXPECT_EQ(colours(99, 120, 8), c.across) << c.filled << c.shapeColour << c.strokeWidth;
        EXPECT_EQ(colours(120, 97, 7, true), c.down) << c.filled << c.shapeColour << c.strokeWidth;
        GLfloat width = 0;
        glGetFloatv(GL_LINE_WIDTH, &width);
        EXPECT_EQ(width, 1.0f);
        ofRect(200, 200, 4, 4);  // in the style's colour again
        EXPECT_EQ(rgb(201, 201), c.shapeColour ? (std::vector<int>{0, 255, 255}) : (std::vector<int>{255, 0, 0}));
    }
}

namespace {

struct SquaresApp : ofBaseApp {
    void draw() override {  // frame n paints a red square at x = 10 n
        ofSetColor(255, 0, 0);
        ofRect(10.0f * drawn++, 0, 10, 10);
    }
    int drawn = 0;
};

}  // namespace

// Without automatic clearing frames add up on the front buffer once the
// first three, which are cleared, are over.
TEST_F(GLRendererModes, WithoutAutomaticClearFramesAddUp) {
    auto app = std::make_shared<SquaresApp>();
    ofSetAppPtr(app);
    renderer->setBackgroundAuto(false);
    ofBackground(0, 0, 255, 255);
    GLTestWindow::pump();
    ofAppGlutWindow fresh;  // a new window object starts the frame count again
    ofSetWindowShape(320, 240);
    ASSERT_EQ(ofGetFrameNum(), 0);
    app->drawn = 0;
    for (int i = 0; i < 6; ++i) ofAppGlutWindow::display();
    std::string front;
    for (int i = 0; i < 8; ++i) front += GLTestWindow::pixel(10 * i + 5, 5, GL_FRONT) == ofColor(255, 0, 0) ? 'R' : '.';
    EXPECT_EQ(front, "...RRR..");
    EXPECT_EQ(GLTestWindow::pixel(100, 100, GL_FRONT), ofColor(0, 0, 255, 255));
    renderer->setBackgroundAuto(true);
}
