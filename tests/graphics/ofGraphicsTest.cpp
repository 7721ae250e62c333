#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RecordingRenderer.h"
#include "ofGraphics.h"
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

// A renderer that draws paths itself gets the shape path as commands.
TEST(Graphics, ARendererThatDrawsPathsGetsTheShapeAsCommands) {
    makeCurrent(false);
    EXPECT_EQ(ofGetShapePath().getMode(), ofPath::POLYLINES);
    auto renderer = makeCurrent(true);
    EXPECT_EQ(ofGetShapePath().getMode(), ofPath::COMMANDS);
    ofBeginShape();
    ofVertex(1, 2);
    ofVertex(3, 4);
    ofEndShape(true);
    EXPECT_EQ(renderer->calls, (Calls{"rendersPathDirectly()", "drawPath()"}));
}

TEST(Graphics, ColoursAreClampedInTheStyleButPassedOnAsGiven) {
    auto renderer = makeCurrent();
    ofSetColor(ofColor(7, 8, 9, 10), 99);
    testing::internal::CaptureStdout();
    ofSetColor(300);
    ofSetColor(255);
    fflush(stdout);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.find("[warning] ofSetColor(int hexColor)"), 0u);  // once, for 300
    EXPECT_EQ(out.rfind("[warning]"), 0u);
    ofSetColor(-20, 400, 100, 999);
    EXPECT_EQ(ofGetStyle().color, ofColor(0, 255, 100, 255));
    ofSetStyle(ofGetStyle());  // a style round trip sets what was drawn
    renderer->calls.resize(5);
    EXPECT_EQ(renderer->calls, (Calls{"setColor(7,8,9,99)", "setColor(300,300,300,255)", "setColor(255,255,255,255)",
                                     "setColor(-20,400,100,999)", "setColor(0,255,100,255)"}));
}

TEST(Graphics, SettingsReachStyleShapePathAndRenderer) {
    auto renderer = makeCurrent();
    ofPath& shape = ofGetShapePath();
    ofSetLineWidth(3);
    EXPECT_EQ(shape.getStrokeWidth(), 3.0f);  // filled, now with an outline too
    ofFill();
    EXPECT_EQ(shape.getStrokeWidth(), 0.0f);
    ofNoFill();
    EXPECT_EQ(shape.getStrokeWidth(), 3.0f);
    ofSetCircleResolution(6);
    ofEnableAlphaBlending();
    ofDisableAlphaBlending();  // straight to OpenGL, not through the renderer
    ofBackground(30, 40);
    ofClear(0, 0, 0, 0);  // does not change the stored background
    const ofStyle style = ofGetStyle();
    EXPECT_EQ((std::vector<int>{style.circleResolution, style.bFill, style.blendingMode, style.bgColor.r, style.bgColor.a}),
              (std::vector<int>{6, false, 0, 30, 40}));
    EXPECT_EQ(renderer->calls, (Calls{"setLineWidth(3)", "setFillMode(1)", "setFillMode(0)", "setCircleResolution(6)",
                                     "setBlendMode(1)", "background(30,30,30,40)", "clear(0,0,0,0)"}));
}
