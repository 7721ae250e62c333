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

}  // namespace

TEST(Graphics, NewRendererReceivesTheWholeDefaultStyleThenTheBackground) {
    auto renderer = std::make_shared<RecordingRenderer>();
    ofSetCurrentRenderer(renderer);
    EXPECT_EQ(ofGetCurrentRenderer().get(), renderer.get());
    EXPECT_EQ(renderer->calls, (Calls{"setupGraphicDefaults()", "rendersPathDirectly()", "setColor(255,255,255,255)",
                                     "setCircleResolution(20)", "setSphereResolution(20)", "setLineWidth(1)",
                                     "setRectMode(0)", "setFillMode(1)", "setLineSmoothing(false)",
                                     "setBlendMode(0)", "background(200,200,200,255)"}));
    EXPECT_EQ(ofGetShapePath().getMode(), ofPath::POLYLINES);
    EXPECT_EQ(ofGetShapePath().getCurveResolution(), 20);

    // A renderer that draws paths itself gets the shape path as commands.
    renderer = makeCurrent(true);
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
    EXPECT_EQ(ofGetStyle().bgColor, ofColor(5, 6, 7, 8));
    // Unfilled: the shape path outlines at the style's line width.
    ofPath& shape = ofGetShapePath();
    EXPECT_FALSE(shape.isFilled());
    EXPECT_EQ(shape.getStrokeWidth(), 2.5f);
    EXPECT_EQ(shape.getCurveResolution(), 11);

    ofDrawBitmapString("hi\nthere", 10, 20);
    EXPECT_EQ(renderer->calls.back(), "drawString(\"hi\nthere\",10,20,0,0)");
}

TEST(Graphics, ColoursAreClampedInTheStyleButPassedOnAsGiven) {
    auto renderer = makeCurrent();
    ofSetColor(1, 2, 3);
    ofSetColor(ofColor(7, 8, 9, 10), 99);
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
    EXPECT_EQ(renderer->calls, (Calls{"setColor(1,2,3,255)", "setColor(7,8,9,99)", "setColor(300,300,300,255)",
                                     "setColor(255,255,255,255)", "setColor(-1,-1,-1,255)",
                                     "setColor(256,256,256,255)"}));
    ofSetColor(-20, 400, 100, 999);
    EXPECT_EQ(ofGetStyle().color, ofColor(0, 255, 100, 255));
    // A style round trip restores what was drawn.
    renderer->reset();
    ofSetStyle(ofGetStyle());
    EXPECT_EQ(renderer->calls.front(), "setColor(0,255,100,255)");

    renderer->reset();
    ofBackground(30, 40);
    ofClear(0, 0, 0, 0);  // does not change the stored background
    EXPECT_EQ(ofGetStyle().bgColor, ofColor(30, 30, 30, 40));
    EXPECT_EQ(renderer->calls, (Calls{"background(30,30,30,40)", "clear(0,0,0,0)"}));
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
    ofSetCircleResolution(6);
    ofEnableAlphaBlending();
    ofDisableAlphaBlending();  // straight to OpenGL, not through the renderer
    ofEnableSmoothing();
    const ofStyle style = ofGetStyle();
    EXPECT_EQ((std::vector<int>{style.circleResolution, style.bFill, style.smoothing, style.blendingMode}),
              (std::vector<int>{6, false, true, 0}));
    EXPECT_EQ(renderer->calls, (Calls{"setLineWidth(3)", "setFillMode(1)", "setFillMode(0)", "setCircleResolution(6)",
                                     "setBlendMode(1)", "setLineSmoothing(true)"}));
}

TEST(Graphics, TwoDimensionalFormsFillInDepthAndDefaults) {
    auto renderer = makeCurrent();
    ofTranslate(4, 5);
    ofScale(2, 3);
    ofViewport(ofRectangle(5, 6, 7, 8));
    ofLine(1, 2, 3, 4);
    ofRect(ofRectangle(1, 2, 3, 4));
    ofTriangle(1, 2, 3, 4, 5, 6);
    ofCircle(5, 6, 7.5f);
    ofDrawBitmapString("a", 1, 2, 3);
    EXPECT_EQ(renderer->calls,
              (Calls{"translate(4,5,0)", "scale(2,3,1)", "viewport(5,6,7,8,true)", "drawLine(1,2,0,3,4,0)",
                     "drawRectangle(1,2,0,3,4)", "drawTriangle(1,2,0,3,4,0,5,6,0)", "drawCircle(5,6,0,7.5)",
                     "drawString(\"a\",1,2,3,4)"}));
}
