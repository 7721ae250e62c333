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
