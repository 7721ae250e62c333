#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FakeTessellator.h"
#include "RecordingRenderer.h"
#include "ofGraphics.h"
#include "ofPath.h"

namespace {

typedef std::vector<std::string> Calls;

// The free drawing functions with a recording renderer current.
class Graphics : public testing::Test {
protected:
    void SetUp() override {
        ofSetCurrentRenderer(renderer);
        ofSetStyle(ofStyle());
        renderer->reset();
    }
    // Draws a shape of the points given after a fresh record; close() after the first three when split.
    void shape(int points, bool close, bool split = false) {
        renderer->reset();
        FakeTessellator::requests.clear();
        ofBeginShape();
        for (int i = 0; i < points; ++i) {
            ofVertex(i % 3 ? 10.0f : 0.0f, i >= 2 ? 10.0f : 0.0f);
            if (split && i == 2) ofGetShapePath().close();
        }
        ofEndShape(close);
    }
    FakeTessellator tess;
    std::shared_ptr<RecordingRenderer> renderer = std::make_shared<RecordingRenderer>();
};

}  // namespace

TEST_F(Graphics, ColoursAreClampedInTheStyleButPassedOnAsGiven) {
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

TEST_F(Graphics, FilledShapesAreTessellatedAnewAndAnEmptyOneDrawsNothing) {
    for (int round = 0; round < 2; ++round) {
        shape(4, true);
        EXPECT_EQ(renderer->calls, (Calls{"rendersPathDirectly()", "drawMesh(vertices=4,indices=6,false,false,false)"}));
        EXPECT_EQ(FakeTessellator::requests, (Calls{"mesh(winding=0,is2D=false,outlines=[4c])"}));
    }
    EXPECT_EQ(renderer->drawnMeshes[0].getVertices()[2], ofPoint(10, 10, 0));
    shape(0, true);
    EXPECT_EQ(renderer->calls, (Calls{"rendersPathDirectly()"}));
    EXPECT_TRUE(FakeTessellator::requests.empty());
    // A line width while filled adds an outline.
    ofSetLineWidth(3);
    shape(4, true);
    EXPECT_EQ(renderer->calls, (Calls{"rendersPathDirectly()", "drawMesh(vertices=4,indices=6,false,false,false)",
                                     "setLineWidth(3)", "drawPolyline(points=4,closed)", "setLineWidth(3)"}));
}

TEST_F(Graphics, UnfilledShapesAreOutlinesAndClosingMidShapeStartsANewOne) {
    ofSetLineWidth(2);
    ofNoFill();
    shape(4, false);
    EXPECT_EQ(renderer->calls, (Calls{"rendersPathDirectly()", "setLineWidth(2)", "drawPolyline(points=4,open)",
                                     "setLineWidth(2)"}));
    EXPECT_TRUE(FakeTessellator::requests.empty());
    shape(5, true, true);
    EXPECT_EQ(renderer->calls, (Calls{"rendersPathDirectly()", "setLineWidth(2)", "drawPolyline(points=3,closed)",
                                     "drawPolyline(points=2,closed)", "setLineWidth(2)"}));
}

TEST_F(Graphics, SetStyleHandsEverySettingOverInOrder) {
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
    EXPECT_EQ(renderer->take(), (Calls{"setColor(1,2,3,4)", "setCircleResolution(7)", "setSphereResolution(9)",
                                      "setLineWidth(2.5)", "setRectMode(1)", "setFillMode(0)",
                                      "setLineSmoothing(true)", "setBlendMode(2)"}));
    const ofStyle now = ofGetStyle();
    EXPECT_EQ(now.bgColor, ofColor(5, 6, 7, 8));
    EXPECT_EQ((std::vector<int>{now.bFill, now.smoothing, now.rectMode, now.drawBitmapMode}),
              (std::vector<int>{false, true, OF_RECTMODE_CENTER, OF_BITMAPMODE_SIMPLE}));
    // Unfilled: the shape path outlines at the style's line width.
    ofPath& shape = ofGetShapePath();
    EXPECT_FALSE(shape.isFilled());
    EXPECT_EQ(shape.getStrokeWidth(), 2.5f);
    EXPECT_EQ(shape.getCurveResolution(), 11);
    // Filled again: the outline goes.
    style.bFill = true;
    ofSetStyle(style);
    EXPECT_EQ(renderer->calls[5], "setFillMode(1)");
    EXPECT_TRUE(shape.isFilled());
    EXPECT_EQ(shape.getStrokeWidth(), 0.0f);
}

// The short forms fill in what they leave out and go to the renderer as given.
TEST_F(Graphics, ShortFormsPassOnEveryCoordinate) {
    const struct {
        void (*draw)();
        Calls calls;
        ofColor bg;
    } cases[] = {
        {[] { ofBackground(30, 40); }, {"background(30,30,30,40)"}, ofColor(30, 30, 30, 40)},
        {[] { ofBackground(300, 255); }, {"background(300,300,300,255)"}, ofColor(255, 255, 255, 255)},
        {[] { ofLine(ofPoint(1, 2, 3), ofPoint(4, 5, 6)); }, {"drawLine(1,2,3,4,5,6)"}, ofColor(200, 200, 200)},
        {[] { ofTriangle(ofPoint(1, 2, 3), ofPoint(4, 5, 6), ofPoint(7, 8, 9.5f)); },
         {"drawTriangle(1,2,3,4,5,6,7,8,9.5)"}, ofColor(200, 200, 200)},
    };
    for (const auto& c : cases) {
        ofSetStyle(ofStyle());
        renderer->reset();
        c.draw();
        EXPECT_EQ(renderer->calls, c.calls);
        EXPECT_EQ(ofGetStyle().bgColor, c.bg) << c.calls[0];
    }
    ofClear(0, 0, 0, 0);  // does not change the stored background
    EXPECT_EQ(ofGetStyle().bgColor, ofColor(200, 200, 200));
}
