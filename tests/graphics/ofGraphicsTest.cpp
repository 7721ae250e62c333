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

// A renderer that draws paths itself gets the shape path as commands.
TEST(Graphics, ARendererThatDrawsPathsGetsTheShapeAsCommands) {
    auto renderer = makeCurrent(false);
    EXPECT_EQ(ofGetShapePath().getMode(), ofPath::POLYLINES);
    renderer = makeCurrent(true);
    EXPECT_EQ(ofGetShapePath().getMode(), ofPath::COMMANDS);
    ofBeginShape();
    ofVertex(1, 2);
    ofVertex(3, 4);
    ofEndShape(true);
    EXPECT_EQ(renderer->calls, (Calls{"rendersPathDirectly()", "drawPath()"}));
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
