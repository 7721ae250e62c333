#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RecordingRenderer.h"
#include "ofGraphics.h"
#include "ofLog.h"
#include "ofPath.h"

namespace {

typedef std::vector<std::string> Calls;

std::shared_ptr<RecordingRenderer> makeCurrent(bool pathsDirectly = false) {
    auto renderer = std::make_shared<RecordingRenderer>();
    renderer->drawsPathsDirectly = pathsDirectly;
    ofSetCurrentRenderer(renderer);
    ofSetStyle(ofStyle());
    renderer->reset();
    return renderer;
}

void expectColor(const ofColor& c, int r, int g, int b, int a) {
    EXPECT_EQ(int(c.r), r);
    EXPECT_EQ(int(c.g), g);
    EXPECT_EQ(int(c.b), b);
    EXPECT_EQ(int(c.a), a);
}

}  // namespace

TEST(Graphics, NewRendererReceivesTheWholeDefaultStyleThenTheBackground) {
    expectColor(ofGetStyle().color, 255, 255, 255, 255);
    expectColor(ofGetStyle().bgColor, 200, 200, 200, 255);
    auto renderer = std::make_shared<RecordingRenderer>();
    ofSetCurrentRenderer(renderer);
    EXPECT_EQ(ofGetCurrentRenderer().get(), renderer.get());
    EXPECT_EQ(renderer->calls, (Calls{"setupGraphicDefaults()", "rendersPathDirectly()", "setColor(255,255,255,255)",
                                     "setCircleResolution(20)", "setSphereResolution(20)", "setLineWidth(1)",
                                     "setRectMode(0)", "setFillMode(1)", "setLineSmoothing(false)",
                                     "setBlendMode(0)", "background(200,200,200,255)"}));
    ofPath& shape = ofGetShapePath();
    EXPECT_EQ(shape.getMode(), ofPath::POLYLINES);
    EXPECT_FALSE(shape.getUseShapeColor());
    EXPECT_TRUE(shape.isFilled());
    EXPECT_EQ(shape.getStrokeWidth(), 0.0f);
    EXPECT_EQ(shape.getCurveResolution(), 20);
}

TEST(Graphics, RendererThatDrawsPathsGetsTheShapePathInCommandMode) {
    auto renderer = makeCurrent(true);
    EXPECT_EQ(ofGetShapePath().getMode(), ofPath::COMMANDS);
    ofBeginShape();
    ofVertex(1, 2);
    ofVertex(3, 4);
    ofEndShape(true);
    EXPECT_EQ(renderer->calls, (Calls{"rendersPathDirectly()", "drawPath()"}));
}

TEST(Graphics, SetStyleHandsEverySettingOverInOrder) {
    auto renderer = makeCurrent();
    ofStyle style;
    style.color.set(1, 2, 3, 4);
    style.bgColor.set(5, 6, 7, 8);
    style.circleResolution = 7;
    style.sphereResolution = 9;
    style.curveResolution = 11;
    style.lineWidth = 2.5f;
    style.rectMode = OF_RECTMODE_CENTER;
    style.bFill = false;
    style.smoothing = true;
    style.blendingMode = OF_BLENDMODE_ADD;
    style.drawBitmapMode = OF_BITMAPMODE_SIMPLE;
    ofSetStyle(style);
    // The background colour is stored but the screen is not cleared.
    EXPECT_EQ(renderer->calls, (Calls{"setColor(1,2,3,4)", "setCircleResolution(7)", "setSphereResolution(9)",
                                     "setLineWidth(2.5)", "setRectMode(1)", "setFillMode(0)",
                                     "setLineSmoothing(true)", "setBlendMode(2)"}));
    ofStyle now = ofGetStyle();
    expectColor(now.color, 1, 2, 3, 4);
    expectColor(now.bgColor, 5, 6, 7, 8);
    EXPECT_EQ(now.circleResolution, 7);
    EXPECT_EQ(now.sphereResolution, 9);
    EXPECT_EQ(now.curveResolution, 11);
    EXPECT_EQ(now.lineWidth, 2.5f);
    EXPECT_EQ(now.rectMode, 1);
    EXPECT_FALSE(now.bFill);
    EXPECT_TRUE(now.smoothing);
    EXPECT_EQ(now.blendingMode, 2);
    EXPECT_EQ(now.drawBitmapMode, 0);
    // Unfilled: the shape path outlines at the style's line width.
    ofPath& shape = ofGetShapePath();
    EXPECT_FALSE(shape.isFilled());
    EXPECT_EQ(shape.getStrokeWidth(), 2.5f);
    EXPECT_EQ(shape.getCurveResolution(), 11);

    ofDrawBitmapString("hi\nthere", 10, 20);
    EXPECT_EQ(renderer->calls.back(), "drawString(\"hi\nthere\",10,20,0,0)");
}

TEST(Graphics, GetStyleIsACopy) {
    auto renderer = makeCurrent();
    ofStyle copy = ofGetStyle();
    copy.lineWidth = 9;
    copy.color.set(0, 0, 0);
    EXPECT_EQ(ofGetStyle().lineWidth, 1.0f);
    expectColor(ofGetStyle().color, 255, 255, 255, 255);
    EXPECT_TRUE(renderer->calls.empty());
}

TEST(Graphics, SetColorOverloads) {
    auto renderer = makeCurrent();
    ofSetColor(10, 20, 30, 40);
    ofSetColor(1, 2, 3);
    expectColor(ofGetStyle().color, 1, 2, 3, 255);
    ofSetColor(ofColor(7, 8, 9, 10));
    expectColor(ofGetStyle().color, 7, 8, 9, 10);
    ofSetColor(ofColor(7, 8, 9, 10), 99);
    expectColor(ofGetStyle().color, 7, 8, 9, 99);
    ofSetColor(128);
    expectColor(ofGetStyle().color, 128, 128, 128, 255);
    EXPECT_EQ(renderer->calls, (Calls{"setColor(10,20,30,40)", "setColor(1,2,3,255)", "setColor(7,8,9,10)",
                                     "setColor(7,8,9,99)", "setColor(128,128,128,255)"}));
}

TEST(Graphics, OutOfRangeColoursAreClampedInTheStyleButPassedOnAsGiven) {
    auto renderer = makeCurrent();
    testing::internal::CaptureStdout();
    ofSetColor(300);
    ofSetColor(255);
    ofSetColor(-1);
    ofSetColor(256);
    fflush(stdout);
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string warning =
        "[warning] ofSetColor(int hexColor) - has changed to ofSetColor(int gray) - perhaps you want ofSetHexColor "
        "instead?\n";
    // Once for 300 and once for 256; the log ends each line after the text's own newline.
    EXPECT_EQ(out, warning + "\n" + warning + "\n");
    EXPECT_EQ(renderer->calls, (Calls{"setColor(300,300,300,255)", "setColor(255,255,255,255)",
                                     "setColor(-1,-1,-1,255)", "setColor(256,256,256,255)"}));
    ofSetColor(-20, 400, 100, 999);
    expectColor(ofGetStyle().color, 0, 255, 100, 255);
    // A style round trip restores what was drawn.
    renderer->reset();
    ofSetStyle(ofGetStyle());
    EXPECT_EQ(renderer->calls.front(), "setColor(0,255,100,255)");
}

TEST(Graphics, BackgroundStoresAndClears) {
    auto renderer = makeCurrent();
    ofBackground(1, 2, 3, 4);
    expectColor(ofGetStyle().bgColor, 1, 2, 3, 4);
    ofBackground(0);
    expectColor(ofGetStyle().bgColor, 0, 0, 0, 255);
    ofBackground(30, 40);
    expectColor(ofGetStyle().bgColor, 30, 30, 30, 40);
    ofClear(0, 0, 0, 0);
    ofSetBackgroundAuto(true);
    renderer->clearBg = false;
    EXPECT_FALSE(ofbClearBg());
    renderer->bgColor = ofFloatColor(ofColor(51, 0, 0));
    EXPECT_EQ(ofBgColorPtr(), &renderer->bgColor);
    expectColor(ofGetStyle().bgColor, 30, 30, 30, 40);
    EXPECT_EQ(renderer->calls, (Calls{"background(1,2,3,4)", "background(0,0,0,255)", "background(30,30,30,40)",
                                     "clear(0,0,0,0)", "setBackgroundAuto(true)", "bClearBg()", "getBgColor()"}));
}

TEST(Graphics, SettingsReachStyleShapePathAndRenderer) {
    auto renderer = makeCurrent();
    ofPath& shape = ofGetShapePath();
    ofSetLineWidth(3);
    EXPECT_EQ(shape.getStrokeWidth(), 3.0f);  // filled, now with an outline too
    EXPECT_TRUE(shape.isFilled());
    ofFill();
    EXPECT_EQ(shape.getStrokeWidth(), 0.0f);
    ofNoFill();
    EXPECT_EQ(shape.getStrokeWidth(), 3.0f);
    EXPECT_FALSE(ofGetStyle().bFill);
    ofSetCircleResolution(6);
    EXPECT_EQ(ofGetStyle().circleResolution, 6);
    ofEnableAlphaBlending();
    EXPECT_EQ(ofGetStyle().blendingMode, 1);
    ofDisableAlphaBlending();  // straight to OpenGL, not through the renderer
    EXPECT_EQ(ofGetStyle().blendingMode, 0);
    ofEnableSmoothing();
    EXPECT_TRUE(ofGetStyle().smoothing);
    renderer->rectMode = 1;
    EXPECT_EQ(ofGetRectMode(), 1);
    EXPECT_EQ(renderer->calls,
              (Calls{"setLineWidth(3)", "setFillMode(1)", "setFillMode(0)", "setCircleResolution(6)",
                     "setBlendMode(1)", "setLineSmoothing(true)", "getRectMode()"}));
}

TEST(Graphics, DrawingAndMatrixFunctionsForward) {
    auto renderer = makeCurrent();
    renderer->currentViewport.set(1, 2, 640, 480);
    ofPushMatrix();
    ofTranslate(1.5f, -2, 3);
    ofTranslate(4, 5);
    ofScale(2, 3);
    ofRotate(45);
    ofPopMatrix();
    ofPushView();
    ofViewport(1, 2, 3, 4, false);
    ofViewport(ofRectangle(5, 6, 7, 8));
    EXPECT_EQ(ofGetViewportWidth(), 640);
    EXPECT_EQ(ofGetViewportHeight(), 480);
    EXPECT_EQ(ofGetCurrentViewport().x, 1.0f);
    ofSetCoordHandedness(1);
    ofSetupScreen();
    ofPopView();
    ofLine(ofPoint(1, 2, 3), ofPoint(4, 5, 6));
    ofLine(1, 2, 3, 4);
    ofRect(10, 20, 30, 40);
    ofRect(ofRectangle(1, 2, 3, 4));
    ofTriangle(ofPoint(1, 2, 3), ofPoint(4, 5, 6), ofPoint(7, 8, 9));
    ofTriangle(1, 2, 3, 4, 5, 6);
    ofCircle(5, 6, 7.5f);
    ofDrawBitmapString("a", 1, 2, 3);
    EXPECT_EQ(renderer->calls,
              (Calls{"pushMatrix()", "translate(1.5,-2,3)", "translate(4,5,0)", "scale(2,3,1)", "rotate(45)",
                     "popMatrix()", "pushView()", "viewport(1,2,3,4,false)", "viewport(5,6,7,8,true)",
                     "getViewportWidth()", "getViewportHeight()", "getCurrentViewport()", "setCoordHandedness(1)",
                     "setupScreen()", "popView()", "drawLine(1,2,3,4,5,6)", "drawLine(1,2,0,3,4,0)",
                     "drawRectangle(10,20,0,30,40)", "drawRectangle(1,2,0,3,4)", "drawTriangle(1,2,3,4,5,6,7,8,9)",
                     "drawTriangle(1,2,0,3,4,0,5,6,0)", "drawCircle(5,6,0,7.5)", "drawString(\"a\",1,2,3,4)"}));
}
